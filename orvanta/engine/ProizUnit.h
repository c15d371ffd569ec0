#pragma once
// The symbolic derivative of a formula text.
#include <cstdint>
#include <string>

// Decimals of the constants folded while differentiating; set before GetProiz.
extern int32_t ProizDigits;

void ExamineExpression(const std::string& S, int32_t Digits, bool& HasX, bool& NonDiff,
                       std::string& Prepared);
void FoldConstant(const std::string& S, int32_t Digits, std::string& Res);
// Res := the derivative of S with respect to x, or "" when S cannot be
// differentiated. Err is always 0.
void GetProiz(const std::string& S, int32_t& Err, std::string& Res);
