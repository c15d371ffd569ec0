// What objFunc's phases share: the program folder and the ownership of the
// evaluator's program. The phases are FormulaLexer, FormulaPrepare,
// FormulaParser, FormulaCompiler and FormulaEvaluator.
#include "orvanta/engine/FunctionUnit.h"

#include "orvanta/engine/FormulaProgram.h"

std::string ProgramDir;

namespace orv_engine {

ProgramBox::ProgramBox(const ProgramBox& other) : p_(other.p_ ? new Program(*other.p_) : nullptr) {}

ProgramBox& ProgramBox::operator=(const ProgramBox& other) {
  if (this == &other) return *this;
  if (!other.p_) {
    delete p_;
    p_ = nullptr;
  } else if (p_) {
    *p_ = *other.p_;
  } else {
    p_ = new Program(*other.p_);
  }
  return *this;
}

ProgramBox::~ProgramBox() { delete p_; }

Program& ProgramBox::Make() {
  if (!p_) p_ = new Program;
  return *p_;
}

}  // namespace orv_engine
