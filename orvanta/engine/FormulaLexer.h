#pragma once
// The scanner of the formula language, shared by the preparation, the parser
// and the derivative.
#include <cstddef>
#include <cstdint>
#include <string>

#include "orvanta/engine/FunctionUnit.h"

namespace orv_engine {

// Positions are 32-bit: longer texts are refused as incorrect.
constexpr size_t kMaxTextLength = 0x3fffffff;

// The operators and brackets, one row each. The parser splits a text at the
// loosest operator outside brackets (the lowest priority, the last of equal
// ones), so every operator groups to the left; a function binds tighter than
// any operator. Brackets have no priority.
struct TOperatorRow {
  char Symbol;
  int32_t Kind;
  int32_t Priority;
};
inline constexpr TOperatorRow OperatorTable[] = {
    {'+', lkPlus, 1},  {'-', lkMinus, 1},  //
    {'*', lkMul, 2},   {'/', lkDiv, 2},    //
    {'^', lkPower, 3}, {'@', lkRoot, 3},   //
    {'(', lkOpen, 0},  {')', lkClose, 0},
};
constexpr int32_t kFunctionPriority = 4;
// Priorities run from 1 (the loosest) to kFunctionPriority.
constexpr int32_t kPriorityLevels = kFunctionPriority;

struct Token {
  int32_t kind = 0, priority = 0, len = 0, func = 0;
  long double value = 0;
};

// One token of S at the 0-based offset p < S.size(), at least one character
// long (an invalid one is lkInvalid). Without wantValue the value of a number
// is not computed (its kind still is).
Token LexAt(const std::string& S, size_t p, bool wantValue);

}  // namespace orv_engine
