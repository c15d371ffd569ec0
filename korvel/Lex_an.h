#pragma once
// The scanner of the formula language (its vocabulary and the two slots:
// Slots.h).
#include <cstddef>
#include <cstdint>

#include "korvel/Slots.h"

namespace korvel {

// Code of the first row whose name equals the len bytes at name; tcEnd if none.
uint8_t FindToken(const char* name, size_t len);

// 10^N for N = 1..18, exact.
int64_t TenPower(int N);

}  // namespace korvel
