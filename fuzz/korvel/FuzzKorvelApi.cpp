// All seven exports in the order the input chooses, against a model of which
// slot is selected and whether it holds a compiled formula. Invariants:
// Interpret is always finite, and 0 with GetDraw 0 on a slot that is not
// compiled or not 1 or 2; Error always gives a text; nothing traps.
#include <cmath>
#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "korvel/korvel.h"

namespace {

// Reports the failed invariant by its line before stopping.
void CheckAt(bool ok, int line) {
  if (ok) return;
  std::fprintf(stderr, "invariant at line %d failed\n", line);
  std::abort();
}
#define Check(ok) CheckAt((ok), __LINE__)

struct Input {
  const uint8_t* p;
  size_t n;
  uint8_t Byte() {
    if (n == 0) return 0;
    --n;
    return *p++;
  }
  // Any 80-bit pattern, unnormals and pseudo-NaNs included.
  long double Real() {
    long double v = 0;
    unsigned char raw[sizeof(long double)] = {};
    for (int i = 0; i < 10; ++i) raw[i] = Byte();
    std::memcpy(&v, raw, sizeof v);
    return v;
  }
  std::string Text() {
    std::string s;
    const size_t len = Byte() % 48;
    for (size_t i = 0; i < len && n > 0; ++i) {
      const char c = static_cast<char>(Byte());
      if (c != 0) s.push_back(c);
    }
    return s;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  // The model starts from the library's own state, unknown after earlier
  // inputs: clear both slots first.
  bool compiled[3] = {false, false, false};
  Init_Number(1);
  Lex_Analiz_Init();
  Init_Number(2);
  Lex_Analiz_Init();
  int cur = 2;
  while (in.n > 0) {
    switch (in.Byte() % 7) {
      case 0: {
        const uint8_t b = in.Byte();
        const uint8_t n = (b & 0x80) ? b : static_cast<uint8_t>(1 + (b & 1));
        Init_Number(n);
        cur = n;
        break;
      }
      case 1:
        Lex_Analiz_Init();
        if (cur == 1 || cur == 2) compiled[cur] = false;
        break;
      case 2: {
        std::string text = in.Text();
        const int32_t code = Lexan(text.data());
        Check(code >= -1 && code <= 10);
        if (cur == 1 || cur == 2) compiled[cur] = code == 0;
        else Check(code == -1);
        break;
      }
      case 3: {
        int32_t code = static_cast<int32_t>(in.Byte()) - 128;
        const char* msg = nullptr;
        Error(code, &msg);
        Check(msg != nullptr && std::strlen(msg) > 0);
        Error(code, nullptr);
        break;
      }
      case 4: {
        const long double a = in.Real();
        const long double b = in.Real();
        const long double c = in.Real();
        Init_ABC(a, b, c);
        break;
      }
      case 5: {
        const long double x = (in.Byte() & 1) ? in.Real() : static_cast<long double>(static_cast<int8_t>(in.Byte())) / 4;
        const long double v = Interpret(x);
        const uint8_t draw = GetDraw();
        Check(std::isfinite(v));
        Check(draw == 0 || draw == 1);
        if (!((cur == 1 || cur == 2) && compiled[cur])) Check(v == 0 && draw == 0);
        break;
      }
      default: {
        const uint8_t draw = GetDraw();
        Check(draw == 0 || draw == 1);
        break;
      }
    }
  }
  return 0;
}
