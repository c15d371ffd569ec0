#include "orvanta/engine/FuncsUnit.h"

#include <cfenv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "orvanta/engine/EngineMath.h"
#include "platform/Cp1251.h"

const char* const FuncNames[kFuncCount + 1] = {"",       "sin",   "cos",    "tg",   "ctg", "arcsin",
                                               "arccos", "arctg", "arcctg", "sqrt", "ln",  "lg",
                                               "exp",    "abs",   "fact",   "rnd",  "trunc", "frac"};

const char* const ErrorMessages[kErrorCount + 1] = {
    "",
    "Выражение некорректно",
    "Скобки поставлены некорректно",
    "Деление на ноль",
    "Отрицательное число в дробной степени",
    "Ноль в ненатуральной степени",
    "Недопустимый аргумент тангенса",
    "Недопустимый аргумент котангенса",
    "Квадратный корень из отрицательного числа",
    "Логарифм от неположительного числа",
    "Факториал ненатурального числа",
    "Переполнение",
    "Недопустимый аргумент арксинуса",
    "Недопустимый аргумент арккосинуса",
    "Недопустимый аргумент арктангенса",
    "Недопустимый аргумент арккотангенса",
};

const char* const Tips[kTipCount + 1] = {
    "",
    "Для добавления новой функции нажмите F2",
    "Кнопки управления отображением графиков - слева",
    "Для редактирования свойств экрана выберите меню Экран>Свойства",
    "Все функции отображены в левом верхнем списке",
    "Инструменты редактирования функций расположены на панели инструментов",
    "Вы можете редактировать свойства текущей функции и ее графика",
    "Чтобы сохранить текущие функции и их свойства выберите Файл>Сохранить",
    "Чтобы открыть ранее сохраненные функции меню Файл>Открыть",
    "В папке Examples хранятся файлы с интересными функциями",
    "Для сохранения текущего изображения экрана Файл>Сохранить Изображение",
    "Загляните в меню Утилиты - там много интересного",
    "Для более подробного ознакомления меню Помощь>Справка",
    "В Справке вы найдете ответы на все вопросы",
    "Спасибо за ваше внимание к моей программе!",
};

std::string ErrorMessageCp1251(int32_t code) {
  if (code < 1 || code > kErrorCount) return "";
  return cp1251::FromUtf8(ErrorMessages[code]);
}

std::string TipCp1251(int32_t index) {
  if (index < 1 || index > kTipCount) return "";
  return cp1251::FromUtf8(Tips[index]);
}

// The routines set Err only when they fail, so a caller's code stays as it
// was on success.
long double MathPower(int32_t& Err, long double Base, long double Exponent) {
  return orv_engine::Power(Err, Base, Exponent);
}
long double MathRoot(int32_t& Err, long double N, long double Y) { return orv_engine::Root(Err, N, Y); }
long double MathTg(int32_t& Err, long double X) { return orv_engine::Tg(Err, X); }
long double MathCtg(int32_t& Err, long double X) { return orv_engine::Ctg(Err, X); }
long double MathArcSin(int32_t& Err, long double X) { return orv_engine::ArcSin(Err, X); }
long double MathArcCos(int32_t& Err, long double X) { return orv_engine::ArcCos(Err, X); }
long double MathArcTg(long double X) { return orv_engine::ArcTg(X); }
long double MathArcCtg(long double X) { return orv_engine::ArcCtg(X); }
long double MathSqrt(int32_t& Err, long double X) { return orv_engine::Sqrt(Err, X); }
long double MathLn(int32_t& Err, long double X) { return orv_engine::Ln(Err, X); }
long double MathLg(int32_t& Err, long double X) { return orv_engine::Lg(Err, X); }
long double MathFact(int32_t& Err, long double X) { return orv_engine::Fact(Err, X); }

void CalcFunction(long double& Res, int32_t Index, int32_t& Err, long double X) {
  Err = 0;
  Res = 0;
  if (Index < 1 || Index > kFuncCount) return;
  orv_engine::FpFlagsGuard guard;
  Res = orv_engine::Function(Index, Err, X);  // 0 when it fails
}

void TrimZeros(std::string& S) {
  if (S.find('.') == std::string::npos) return;  // an integer text keeps its digits
  while (!S.empty() && S.back() == '0') S.pop_back();
  if (!S.empty() && S.back() == '.') S.pop_back();
}

std::string FormatFixed(long double v, int decimals) {
  if (decimals < 0) decimals = 0;
  if (decimals > 18) decimals = 18;
  if (std::isnan(v)) return "nan";
  if (std::isinf(v)) return std::signbit(v) ? "-inf" : "inf";
  const bool negative = std::signbit(v);
  const long double a = std::fabs(v);

  // The magnitude to 18 significant digits d[0..17]: a ~ d0.d1d2... x 10^exp10.
  int d[19] = {0};
  int exp10 = 0;
  if (a != 0) {
    // Truncated 19 digits (exact: printf converts exactly and rounds by the
    // current mode), then round half away from zero at the 18th.
    char buf[96];
    orv_engine::FpFlagsGuard guard;
    const int oldRound = fegetround();
    fesetround(FE_TOWARDZERO);
    snprintf(buf, sizeof buf, "%.18Le", a);
    fesetround(oldRound);
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
      if (*p >= '0' && *p <= '9' && n < 19) d[n++] = *p - '0';
    if (*p == 'e') exp10 = std::atoi(p + 1);
    if (d[18] >= 5) {
      int i = 17;
      while (i >= 0 && d[i] == 9) d[i--] = 0;
      if (i >= 0) {
        ++d[i];
      } else {
        d[0] = 1;
        ++exp10;
      }
    }
    d[18] = 0;
  }

  // Digits of the positions hi..-decimals (hi one above the highest for a carry).
  const int hi = (exp10 > 0 ? exp10 : 0) + 1;
  const int count = hi + decimals + 1;
  std::string digits(count, '0');
  auto digitAt = [&](int pos) -> int {
    int i = exp10 - pos;
    return (i >= 0 && i <= 17) ? d[i] : 0;
  };
  for (int k = 0; k < count; ++k) digits[k] = static_cast<char>('0' + digitAt(hi - k));
  if (digitAt(-decimals - 1) >= 5) {
    int k = count - 1;
    while (digits[k] == '9') digits[k--] = '0';
    ++digits[k];
  }
  // Integer part: positions hi..0 without leading zeros (at least one digit).
  const int intLen = hi + 1;
  int start = 0;
  while (start < intLen - 1 && digits[start] == '0') ++start;
  std::string out;
  out.reserve(count + 2);
  if (negative) out += '-';
  out.append(digits, start, intLen - start);
  if (decimals > 0) {
    out += '.';
    out.append(digits, intLen, decimals);
  }
  return out;
}

std::string DecimalText(long double v, int decimals) {
  std::string s = FormatFixed(v, decimals);
  TrimZeros(s);
  return s;
}

bool TryStrToExt(const std::string& S, long double* value) {
  const size_t n = S.size();
  size_t i = 0;
  while (i < n && S[i] == ' ') ++i;
  const size_t start = i;
  if (i < n && (S[i] == '+' || S[i] == '-')) ++i;
  size_t digits = 0;
  bool point = false;
  for (; i < n; ++i) {
    const char c = S[i];
    if (c >= '0' && c <= '9') {
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  // Digits on either side of the point may be missing, so a lone point
  // (with or without a sign) is a number: zero.
  if (digits == 0 && !point) return false;
  const size_t mantissaEnd = i;
  if (i < n && (S[i] == 'e' || S[i] == 'E')) {
    ++i;
    if (i < n && (S[i] == '+' || S[i] == '-')) ++i;
    size_t expDigits = 0;
    while (i < n && S[i] >= '0' && S[i] <= '9') {
      ++i;
      ++expDigits;
    }
    if (expDigits == 0) return false;
  }
  if (i != n) return false;
  long double v;
  if (digits == 0) {
    // The conversion routine wants a digit: read "-." as "-.0" (and so -0).
    std::string text = S.substr(start, mantissaEnd - start) + "0" + S.substr(mantissaEnd);
    if (!orv_engine::DecimalToExt(text.data(), text.size(), &v)) return false;
  } else if (!orv_engine::DecimalToExt(S.data() + start, n - start, &v)) {
    return false;
  }
  if (value) *value = v;
  return true;
}

long double StrToExt(const std::string& S) {
  long double v = 0;
  if (!TryStrToExt(S, &v)) return 0;
  return v;
}

bool TryStrToInteger(const std::string& S, int32_t* value) {
  const size_t n = S.size();
  size_t i = 0;
  while (i < n && S[i] == ' ') ++i;
  bool negative = false;
  if (i < n && (S[i] == '+' || S[i] == '-')) negative = S[i++] == '-';
  if (i == n) return false;
  int64_t v = 0;
  for (; i < n; ++i) {
    const char c = S[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  if (value) *value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToInteger(const std::string& S) {
  int32_t v = 0;
  if (!TryStrToInteger(S, &v)) return 0;
  return v;
}
