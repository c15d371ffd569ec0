#pragma once
// The split rule of the formula language, shared by the parser and the
// derivative so that both always read a text the same way.
#include <cstddef>
#include <string>

#include "orvanta/engine/FormulaLexer.h"

namespace orv_engine {

// Where a text splits into an operation and its operands.
struct TSplit {
  bool found = false;
  size_t at = 0;  // 0-based offset of the operator or function name
  Token token;    // its token (value not computed)
};

// The loosest operation of S outside brackets: the last operator of the
// lowest priority, else the first function name, which must open S. Not found
// when S holds an invalid token, has no operator or function outside
// brackets, or its first function outside brackets is not at its start.
TSplit SplitAtLoosest(const std::string& S);

}  // namespace orv_engine
