// The compiler: the node tree of a successful parse into the evaluator's
// program, twice (the careful program and the fast one of the first run).
// Constant operands are folded where they do not fail.
#include <cstdint>

#include "orvanta/engine/FormulaProgram.h"
#include "orvanta/engine/FunctionUnit.h"

namespace orv_engine {
namespace {

enum : int { kOnStack, kConst, kX, kTerm };

struct Operand {
  int kind = kOnStack;
  long double c = 0;  // the constant, or the factor of a term
  int32_t k = 0;      // the power of a term
};

inline bool ExactDouble(long double c) { return static_cast<long double>(static_cast<double>(c)) == c; }

// The tree of nodes [1, count] as a program ending with kEnd. The careful
// program keeps every operation of the tree; the fast one (for the first
// run) also gathers terms D*x^k into single steps, which changes no value.
bool CompileProgram(const TFuncNode* nodes, int32_t count, bool fast, TInstr* prog, int32_t& len) {
  len = 0;
  int32_t pos = 1;
  bool ok = true;
  auto emit = [&](std::uint8_t op, int32_t code, long double c) {
    if (len >= MaxFuncNodes) {
      ok = false;
      return;
    }
    prog[len].Op = op;
    prog[len].Code = code;
    prog[len].C = c;
    prog[len].D = static_cast<double>(c);
    ++len;
  };
  // Puts a leaf operand on the stack.
  auto materialize = [&](Operand& a) {
    switch (a.kind) {
      case kConst: emit(ExactDouble(a.c) ? kPushD : kPushC, 0, a.c); break;
      case kX: emit(kPushX, 0, 0); break;
      case kTerm: emit(kPushT, a.k, a.c); break;
      default: break;
    }
    a.kind = kOnStack;
  };
  auto isPlainPower = [](const Operand& a) { return a.kind == kX || (a.kind == kTerm && a.c == 1); };
  auto powerOf = [](const Operand& a) { return a.kind == kX ? 1 : a.k; };
  // Recursion depth is bounded by the node count.
  auto gen = [&](auto& self, Operand& out) -> void {
    if (!ok || pos < 1 || pos > count) {
      ok = false;
      return;
    }
    const TFuncNode node = nodes[pos++];
    switch (node.Kind) {
      case nkNumber:
        out = {kConst, node.Value, 0};
        return;
      case nkX:
        out = {kX, 0, 0};
        return;
      case nkOperator: {
        if (node.Code < opAdd || node.Code > opRoot) {
          ok = false;
          return;
        }
        Operand a, b;
        self(self, a);
        self(self, b);
        if (!ok) return;
        if (a.kind == kConst && b.kind == kConst) {
          long double r;
          int32_t e = 0;
          if (OpBinary(node.Code, a.c, b.c, r, e)) {
            out = {kConst, r, 0};
            return;
          }
          materialize(a);  // fails when evaluated, in its place
        }
        if (node.Code == opPower && b.kind == kConst && (b.c == 2 || b.c == 3) && a.kind != kConst) {
          const int32_t k = b.c == 2 ? 2 : 3;
          if (fast && a.kind == kX) {
            out = {kTerm, 1, k};
            return;
          }
          if (a.kind == kX) {
            emit(k == 2 ? kSqrX : kCubeX, 0, 0);
          } else {
            materialize(a);
            emit(k == 2 ? kSqrS : kCubeS, 0, 0);
          }
          out = {kOnStack, 0, 0};
          return;
        }
        if (fast && node.Code == opMul) {
          // D*x^k and x^k*D: one term.
          if (a.kind == kConst && ExactDouble(a.c) && isPlainPower(b)) {
            out = {kTerm, a.c, powerOf(b)};
            return;
          }
          if (b.kind == kConst && ExactDouble(b.c) && isPlainPower(a)) {
            out = {kTerm, b.c, powerOf(a)};
            return;
          }
        }
        out = {kOnStack, 0, 0};
        if ((a.kind == kTerm && b.kind == kConst) || (a.kind == kConst && b.kind == kTerm)) {
          // A term with a constant: one step.
          const Operand& t = a.kind == kTerm ? a : b;
          const Operand& k = a.kind == kTerm ? b : a;
          const int mode = a.kind == kTerm ? kModeTC : kModeCT;
          emit(static_cast<std::uint8_t>(kModes * (node.Code - opAdd) + mode), t.k, k.c);
          if (ok) prog[len - 1].D = static_cast<double>(t.c);
          return;
        }
        if (a.kind == kTerm && b.kind != kOnStack) materialize(a);
        if (b.kind == kTerm && a.kind != kOnStack) materialize(a);
        int mode;
        long double c = 0;
        int32_t code = 0;
        if (a.kind == kOnStack && b.kind == kOnStack) {
          mode = kModeSS;
        } else if (a.kind == kOnStack) {
          c = b.c;
          if (b.kind == kConst) mode = ExactDouble(b.c) ? kModeSD : kModeSC;
          else if (b.kind == kX) mode = kModeSX;
          else mode = kModeST, code = b.k;
        } else if (b.kind == kOnStack) {
          c = a.c;
          if (a.kind == kConst) mode = ExactDouble(a.c) ? kModeDS : kModeCS;
          else if (a.kind == kX) mode = kModeXS;
          else mode = kModeTS, code = a.k;
        } else if (a.kind == kConst) {
          mode = ExactDouble(a.c) ? kModeDX : kModeCX, c = a.c;
        } else if (b.kind == kConst) {
          mode = ExactDouble(b.c) ? kModeXD : kModeXC, c = b.c;
        } else {
          mode = kModeXX;
        }
        emit(static_cast<std::uint8_t>(kModes * (node.Code - opAdd) + mode), code, c);
        return;
      }
      case nkFunction: {
        if (node.Code < fnSin || node.Code > kFuncCount) {
          ok = false;
          return;
        }
        Operand a;
        self(self, a);
        if (!ok) return;
        if (a.kind == kConst) {
          long double r;
          int32_t e = 0;
          if (OpFunc<true>(node.Code, a.c, r, e)) {
            out = {kConst, r, 0};
            return;
          }
        }
        if (a.kind == kX) {
          emit(kFuncX, node.Code, 0);
        } else {
          materialize(a);
          emit(kFuncS, node.Code, 0);
        }
        out = {kOnStack, 0, 0};
        return;
      }
      default:
        ok = false;
        return;
    }
  };
  Operand root;
  gen(gen, root);
  if (!ok) return false;  // (nodes after the tree, from a parse without Reset, are not read)
  materialize(root);
  if (!ok) return false;
  switch (prog[0].Op) {
    case kPushC: prog[0].Op = kLoadC; break;
    case kPushD: prog[0].Op = kLoadD; break;
    case kPushX: prog[0].Op = kLoadX; break;
    case kPushT: prog[0].Op = kLoadT; break;
    case kFuncX: prog[0].Op = kLoadFuncX; break;
    default: break;
  }
  prog[len].Op = kEnd;  // one slot past the last step is always free
  return true;
}

}  // namespace
}  // namespace orv_engine

bool objFunc::Compile() {
  orv_engine::FpFlagsGuard guard;  // folding constants may fault
  orv_engine::Program& program = program_.Make();
  int32_t fastLen = 0;
  if (!orv_engine::CompileProgram(Nodes, nodeCount_, false, program.careful, program.len) ||
      !orv_engine::CompileProgram(Nodes, nodeCount_, true, program.fast, fastLen))
    return false;
  program.usesX = false;
  for (int32_t i = 1; i <= nodeCount_; ++i)
    if (Nodes[i].Kind == nkX) program.usesX = true;
  return true;
}
