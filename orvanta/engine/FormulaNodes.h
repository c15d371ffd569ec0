#pragma once
// The node array's vocabulary: what the parser writes into an objFunc and
// the compiler reads out of it (FunctionUnit.h holds objFunc itself).
#include <cstdint>

// Node kinds (TFuncNode::Kind).
enum : int32_t { nkNumber = 1, nkOperator = 2, nkFunction = 3, nkX = 4 };
// Operator codes (TFuncNode::Code of an operator node): the token kind less one.
enum : int32_t { opAdd = 1, opSub, opMul, opDiv, opPower, opRoot };

struct TFuncNode {
  int32_t Kind = 0;  // nkNumber, nkOperator, nkFunction or nkX
  int32_t Code = 0;  // operator opAdd..opRoot (+ - * / ^ @) or function index fnSin..fnFrac
  long double Value = 0;
};

constexpr int32_t MaxFuncNodes = 255;
