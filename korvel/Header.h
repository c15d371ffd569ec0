#pragma once
// What every export of the library shares: the boundary rules. No export lets
// an exception or a floating-point trap out, and each leaves the caller's
// floating-point environment (control word and exception flags) as it was.
#include <cstdint>

#include <cfenv>

#if defined(__x86_64__) || defined(__i386__)
#include <pmmintrin.h>
#include <xmmintrin.h>
#endif

namespace korvel {

// The codes Lexan returns, indexes of the texts that Error gives (Header.cpp).
enum : int32_t {
  ecNoMemory = 1,            // "Ошибка при выделении памяти"
  ecBadSymbol = 2,           // "Недопустимый символ"
  ecExtraPoint = 3,          // "Лишняя точка"
  ecCloseBeforeOpen = 4,     // "Закрывающая скобка поставлена раньше открывающей"
  ecExtraOpen = 5,           // "Лишняя открывающая скобка"
  ecExtraBar = 6,            // "Лишний знак модуля"
  ecNoFormula = 7,           // "Функция не задана"
  ecBadEnd = 8,              // "Неправильный конец функции"
  ecSyntax = 9,              // "Синтаксическая ошибка"
  ecBarCloseBeforeOpen = 10, // "Закрывающий знак модуля поставлен раньше открывающего"
};
constexpr int32_t ErrorCount = ecBarCloseBeforeOpen;

// Raised for an internal failure that the exports turn into their documented
// fallback (Lexan -1, Interpret 0 with Draw False): an invalid slot number, a
// counter overflow, a number literal beyond the extended range.
struct ERunTime {};

#if defined(__x86_64__) || defined(__i386__)

// The x87 exception bits, in the same places in the control word (masks) and
// the status word (flags): the FE_ flags and the denormal operand, which has
// no FE_ name.
constexpr uint16_t X87Denormal = 0x02;
constexpr uint16_t X87Exceptions = FE_ALL_EXCEPT | X87Denormal;
static_assert(X87Exceptions == 0x3F, "the FE_ flags are the x87 exception bits");
// The status word's stack fault, which goes with the flags.
constexpr uint16_t X87StackFault = 0x40;
constexpr uint16_t X87StatusFlags = X87Exceptions | X87StackFault;
// Control word fields: precision (0x300 is the 64-bit mantissa) and rounding,
// whose values are the FE_ rounding modes (FE_TOWARDZERO sets both bits).
constexpr uint16_t X87PrecisionMask = 0x300;
constexpr uint16_t X87Precision64 = 0x300;
constexpr uint16_t X87RoundingMask = FE_TOWARDZERO;
// Bit 6 of the control word is reserved; the unit's own default sets it.
constexpr uint16_t X87ControlReserved = 0x40;
// The fields the guard checks, and their expected values: all exceptions
// masked, 64-bit mantissa, round to nearest.
constexpr uint16_t X87ControlChecked = X87Exceptions | X87PrecisionMask | X87RoundingMask;
constexpr uint16_t X87ControlExpected = X87Exceptions | X87Precision64 | FE_TONEAREST;
constexpr uint16_t X87ControlDefault = X87ControlExpected | X87ControlReserved;

// MXCSR: the fields the guard checks (denormals-are-zero, exception masks,
// rounding, flush-to-zero; the flags below them are not checked) and their
// expected values: all exceptions masked, round to nearest, neither
// denormal mode.
constexpr uint32_t SseControlChecked =
    _MM_DENORMALS_ZERO_MASK | _MM_MASK_MASK | _MM_ROUND_MASK | _MM_FLUSH_ZERO_MASK;
constexpr uint32_t SseControlDefault = _MM_MASK_MASK | _MM_ROUND_NEAREST;

// The x87 status word: exception flags in bits 0..5.
inline uint16_t X87Status() {
  uint16_t sw;
  __asm__ __volatile__("fnstsw %0" : "=a"(sw));
  return sw;
}

// Guards one export call. Extended reals are computed on the x87 unit; the
// mathematical library also touches the SSE flags, so a call that may reach
// it passes withSse. The common case (the default control words, flags that
// the call leaves as they were) costs a few register reads, because
// Interpret runs once per pixel.
class FpGuard {
 public:
  explicit FpGuard(bool withSse = true) noexcept : sse_(withSse) {
    __asm__ __volatile__("fnstcw %0" : "=m"(cw_));
    __asm__ __volatile__("fnstsw %0" : "=a"(sw_));
    if (sse_) mx_ = _mm_getcsr();
    // All exceptions masked, 64-bit mantissa, round to nearest, no
    // flush-to-zero. Anything else is switched to that for the call.
    custom_ = (cw_ & X87ControlChecked) != X87ControlExpected || (sse_ && (mx_ & SseControlChecked) != SseControlDefault);
    if (custom_) {
      const uint16_t def = X87ControlDefault;
      __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(def));
      if (sse_) _mm_setcsr(SseControlDefault);
    }
  }
  ~FpGuard() {
    const uint16_t sw = exitKnown_ ? exit_ : X87Status();
    if (custom_ || ((sw ^ sw_) & X87StatusFlags) != 0) RestoreX87();
    // Writing the saved value back is cheaper than reading the register to
    // see whether it changed (the read waits for the library's SSE work).
    if (sse_) _mm_setcsr(mx_);
  }
  FpGuard(const FpGuard&) = delete;
  FpGuard& operator=(const FpGuard&) = delete;

  // The status word on entry, as the guarded code sees it.
  uint16_t EntryStatus() const { return custom_ ? 0 : sw_; }
  // The status word read after the last x87 operation of the call, which
  // spares the destructor reading it again.
  void ExitStatus(uint16_t sw) {
    exit_ = sw;
    exitKnown_ = true;
  }

 private:
  // fnstenv/fldenv is the only way to put x87 flags back; the register stack
  // pointer and tags are kept as they are now (a result may sit in st(0)).
  void RestoreX87() noexcept {
    uint16_t env[14];
    __asm__ __volatile__("fnstenv %0" : "=m"(env));
    env[0] = cw_;
    env[2] = static_cast<uint16_t>((env[2] & ~X87StatusFlags) | (sw_ & X87StatusFlags));
    __asm__ __volatile__("fldenv %0" : : "m"(env));
  }
  uint16_t cw_ = 0;
  uint16_t sw_ = 0;
  uint32_t mx_ = 0;
  uint16_t exit_ = 0;
  bool exitKnown_ = false;
  bool sse_;
  bool custom_ = false;
};

#else

class FpGuard {
 public:
  explicit FpGuard(bool = true) noexcept {
    feholdexcept(&env_);
    fesetround(FE_TONEAREST);
  }
  ~FpGuard() { fesetenv(&env_); }
  uint16_t EntryStatus() const { return 0; }
  void ExitStatus(uint16_t) {}
  FpGuard(const FpGuard&) = delete;
  FpGuard& operator=(const FpGuard&) = delete;

 private:
  fenv_t env_;
};

#endif

}  // namespace korvel
