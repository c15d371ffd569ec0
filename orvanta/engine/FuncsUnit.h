#pragma once
// Guarded math, the message and tip tables, and number texts.
#include <cstdint>
#include <string>

#include "orvanta/engine/EngineCodes.h"

// FuncNames[1..17]; FuncNames[0] is empty.
extern const char* const FuncNames[kFuncCount + 1];

constexpr int32_t kTipCount = 14;

// ErrorMessages[1..15] and Tips[1..14], UTF-8; entry 0 is empty.
extern const char* const ErrorMessages[kErrorCount + 1];
extern const char* const Tips[kTipCount + 1];
// The same texts in Windows-1251 bytes; an index out of range gives "".
std::string ErrorMessageCp1251(int32_t code);
std::string TipCp1251(int32_t index);

// Guarded routines: on a domain error they write Err and return 0.
long double MathPower(int32_t& Err, long double Base, long double Exponent);
long double MathRoot(int32_t& Err, long double N, long double Y);
long double MathTg(int32_t& Err, long double X);
long double MathCtg(int32_t& Err, long double X);
long double MathArcSin(int32_t& Err, long double X);
long double MathArcCos(int32_t& Err, long double X);
long double MathArcTg(long double X);
long double MathArcCtg(long double X);
long double MathSqrt(int32_t& Err, long double X);
long double MathLn(int32_t& Err, long double X);
long double MathLg(int32_t& Err, long double X);
long double MathFact(int32_t& Err, long double X);
// Err := 0 and Res := 0, then function Index (1..17) at X. Faults the
// routines do not test for (overflow, rnd/trunc out of 64-bit range) give
// errOverflow.
void CalcFunction(long double& Res, int32_t Index, int32_t& Err, long double X);

// Drops trailing "0"s, then a trailing ".". Never strips an integer's digits.
void TrimZeros(std::string& S);

// Decimal text of v with `decimals` (0..18) digits after ".": the magnitude
// taken to 18 significant digits, then rounded half away from zero; "-" when
// the sign bit is set (so -0.00001 gives "-0.0000"); fixed notation always;
// locale-independent. FormatFixed is untrimmed; DecimalText is then trimmed.
std::string FormatFixed(long double v, int decimals);
std::string DecimalText(long double v, int decimals);

// The number-box grammar: leading blanks, optional sign, digits with at most
// one "." (digits on either side of it may be missing: a lone "." is 0),
// optional exponent (E/e, optional sign, at
// least one digit), nothing after. The value must fit an extended real.
// Returns false for any other text; *value is written only on success.
bool TryStrToExt(const std::string& S, long double* value);

// Conversions that report no error: a text that does not convert gives 0.
long double StrToExt(const std::string& S);
int32_t StrToInteger(const std::string& S);
// Like StrToInteger, but tells whether S was a valid 32-bit integer text.
bool TryStrToInteger(const std::string& S, int32_t* value);
