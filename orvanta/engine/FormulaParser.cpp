// The parser: a prepared text into the node tree, operation first, then its
// operands (the left one before the right one), from NodePos on.
//
// The grammar of a prepared text (PrepareExpression has made every product
// explicit, given a leading "-" and every "(-" its 0, and lowered the case):
//
//   expression = term { ("+" | "-") term } ;
//   term       = factor { ("*" | "/") factor } ;
//   factor     = unary { ("^" | "@") unary } ;     n@y is the n-th root of y
//   unary      = function unary | primary ;
//   primary    = number | "p" | "e" | "x" | "(" expression ")" ;
//   function   = "sin" | "cos" | "tg" | "ctg" | "arcsin" | "arccos" | "arctg"
//              | "arcctg" | "sqrt" | "ln" | "lg" | "exp" | "abs" | "fact"
//              | "rnd" | "trunc" | "frac" ;
//   number     = digit { digit | "." } ;           at most one "."
//
// Every operator groups to the left (2^3^2 is (2^3)^2): a text is split at
// its loosest operation outside brackets (SplitAtLoosest, with the priorities
// of OperatorTable), and each side is parsed the same way.
#include "orvanta/engine/FormulaParser.h"

#include <cstdint>
#include <utility>

#include "orvanta/engine/FormulaPrepare.h"
#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"

namespace orv_engine {

TSplit SplitAtLoosest(const std::string& S) {
  // One scan gathers every priority's candidate: the last operator of each of
  // priorities 1 to 3 and the first function.
  const size_t n = S.size();
  size_t cand[kPriorityLevels + 1] = {};  // 1-based positions, 0 = none
  Token candTok[kPriorityLevels + 1];
  int64_t depth = 0;
  for (size_t p = 0; p < n;) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkInvalid) return {};
    if (t.kind == lkOpen) {
      ++depth;
    } else if (t.kind == lkClose) {
      --depth;
    } else if (depth == 0 && t.kind >= lkPlus && t.kind <= lkFunction) {
      if (t.priority < kFunctionPriority || cand[kFunctionPriority] == 0) {
        cand[t.priority] = p + 1;
        candTok[t.priority] = t;
      }
    }
    p += t.len;
  }
  for (int32_t level = 1; level <= kPriorityLevels; ++level) {
    if (cand[level] == 0) continue;
    if (level == kFunctionPriority && cand[level] != 1) return {};
    TSplit split;
    split.found = true;
    split.at = cand[level] - 1;
    split.token = candTok[level];
    return split;
  }
  return {};
}

}  // namespace orv_engine

using orv_engine::LexAt;
using orv_engine::Token;
using orv_engine::TSplit;

void objFunc::ParseText(std::string S, bool prepared) {
  if (ErrorCode > 0) return;
  if (!prepared) orv_engine::StripEnclosingBrackets(S);
  if (S.empty()) {
    ErrorCode = errIncorrect;
    return;
  }
  const size_t n = S.size();
  const Token first = LexAt(S, 0, true);
  if (first.kind == lkInvalid) {
    ErrorCode = errIncorrect;
    return;
  }
  if (static_cast<size_t>(first.len) == n) {
    if (first.kind != lkX && first.kind != lkNumber) {
      ErrorCode = errIncorrect;
      return;
    }
    if (NodePos < 1 || NodePos > MaxFuncNodes) {
      ErrorCode = errIncorrect;
      return;
    }
    TFuncNode& node = Nodes[NodePos];
    if (first.kind == lkX) {
      node.Kind = nkX;
      node.Code = 0;
      node.Value = 0;
      HasX = true;
    } else {
      node.Kind = nkNumber;
      node.Code = 0;
      node.Value = first.value;
    }
    ++NodePos;
    return;
  }

  const TSplit split = orv_engine::SplitAtLoosest(S);
  if (!split.found) {
    ErrorCode = errIncorrect;
    return;
  }
  if (NodePos < 1 || NodePos > MaxFuncNodes) {
    ErrorCode = errIncorrect;
    return;
  }
  const Token& t = split.token;
  const size_t at = split.at;
  TFuncNode& node = Nodes[NodePos];
  node.Value = 0;
  if (t.kind == lkFunction) {
    node.Kind = nkFunction;
    node.Code = t.func;
    if (t.func >= fnAbs) NonDiff = true;
  } else {
    node.Kind = nkOperator;
    node.Code = t.kind - lkPlus + opAdd;
  }
  ++NodePos;
  // The operand texts are disjoint pieces of S; S itself is released first,
  // so that deep formulas hold no more than one copy of the text.
  std::string right = S.substr(at + t.len);
  if (t.kind == lkFunction) {
    S.clear();
    S.shrink_to_fit();
    ParseText(std::move(right));
  } else {
    S.resize(at);
    S.shrink_to_fit();
    ParseText(std::move(S));
    ParseText(std::move(right));
  }
}

void objFunc::Parse(std::string& S) {
  if (ErrorCode > 0) return;
  parsed_ = false;
  if (NodePos < 1) NodePos = 1;
  const int32_t start = NodePos;
  int32_t err = 0;
  PrepareExpression(S, err);
  if (err) {
    ErrorCode = err;
    return;
  }
  // A formula has one node per number, x, operator and function; one that
  // needs more than the array holds (or has an invalid token) is incorrect.
  int64_t nodes = 0;
  for (size_t p = 0; p < S.size();) {
    const Token t = LexAt(S, p, false);
    if (t.kind == lkInvalid) {
      ErrorCode = errIncorrect;
      return;
    }
    if (t.kind != lkOpen && t.kind != lkClose) ++nodes;
    p += t.len;
  }
  if (nodes > MaxFuncNodes - start + 1) {
    ErrorCode = errIncorrect;
    return;
  }
  ParseText(S, true);
  if (ErrorCode != 0) return;
  nodeCount_ = NodePos - 1;
  parsed_ = Compile();
}
