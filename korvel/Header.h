#pragma once
// What every export of the library shares: the boundary rules. No export lets
// an exception or a floating-point trap out, and each leaves the caller's
// floating-point environment (control word and exception flags) as it was.
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#include <xmmintrin.h>
#else
#include <cfenv>
#endif

namespace korvel {

// Raised for an internal failure that the exports turn into their documented
// fallback (Lexan -1, Interpret 0 with Draw False): an invalid slot number, a
// counter overflow, a number literal beyond the extended range.
struct ERunTime {};

#if defined(__x86_64__) || defined(__i386__)

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
    custom_ = (cw_ & 0x0F3F) != 0x033F || (sse_ && (mx_ & 0xFFC0) != 0x1F80);
    if (custom_) {
      const uint16_t def = 0x037F;
      __asm__ __volatile__("fnclex\n\tfldcw %0" : : "m"(def));
      if (sse_) _mm_setcsr(0x1F80);
    }
  }
  ~FpGuard() {
    const uint16_t sw = exitKnown_ ? exit_ : X87Status();
    if (custom_ || ((sw ^ sw_) & 0x7F) != 0) RestoreX87();
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
    env[2] = static_cast<uint16_t>((env[2] & ~0x7F) | (sw_ & 0x7F));
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
