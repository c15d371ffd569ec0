#pragma once
// The formula engine's function indices and error codes, named. The tables
// they index (FuncNames, ErrorMessages) are declared in FuncsUnit.h; these
// names stand apart so the inline math (EngineMath.h) can use them without
// depending on the rest of FuncsUnit.
#include <cstdint>

// Function indices of the formula language: indexes of FuncNames. The
// functions from fnAbs on have no derivative.
enum : int32_t {
  fnSin = 1, fnCos, fnTg, fnCtg, fnArcSin, fnArcCos, fnArcTg, fnArcCtg, fnSqrt, fnLn, fnLg, fnExp,
  fnAbs, fnFact, fnRnd, fnTrunc, fnFrac
};
constexpr int32_t kFuncCount = fnFrac;

// Error codes of the formula engine: indexes of ErrorMessages (0 is success).
enum : int32_t {
  errIncorrect = 1,       // "Выражение некорректно"
  errBrackets,            // "Скобки поставлены некорректно"
  errDivByZero,           // "Деление на ноль"
  errNegativeFracPower,   // "Отрицательное число в дробной степени"
  errZeroPower,           // "Ноль в ненатуральной степени"
  errTgArgument,          // "Недопустимый аргумент тангенса"
  errCtgArgument,         // "Недопустимый аргумент котангенса"
  errSqrtNegative,        // "Квадратный корень из отрицательного числа"
  errLogNonPositive,      // "Логарифм от неположительного числа"
  errFactArgument,        // "Факториал ненатурального числа"
  errOverflow,            // "Переполнение"
  errArcSinArgument,      // "Недопустимый аргумент арксинуса"
  errArcCosArgument,      // "Недопустимый аргумент арккосинуса"
  errArcTgArgument,       // "Недопустимый аргумент арктангенса"
  errArcCtgArgument,      // "Недопустимый аргумент арккотангенса"
};
constexpr int32_t kErrorCount = errArcCtgArgument;
