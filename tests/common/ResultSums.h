// What the result-sum tests of both formula engines share: a running FNV-1a
// sum of the bits of results, a formula with its recorded sum, the x values
// the formulas are summed over, and the check of every formula's sum.
#pragma once

#include <gtest/gtest.h>

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <random>
#include <vector>

namespace orv_test {

struct Sum {
  std::uint64_t h = 1469598103934665603ULL;  // FNV-1a
  void Bytes(const void* p, std::size_t n) {
    const auto* b = static_cast<const unsigned char*>(p);
    for (std::size_t i = 0; i < n; ++i) h = (h ^ b[i]) * 1099511628211ULL;
  }
  void Ext(long double v) { Bytes(&v, 10); }  // the 80 bits, not the padding
  void Int(std::int32_t v) { Bytes(&v, sizeof v); }
};

struct Expect {
  const char* text;
  std::uint64_t sum;
};

// Evenly spaced points over the plotting range, each of `edges` with its two
// neighbours, and random values of every size (a fixed seed: the recorded
// sums depend on every point and its place).
inline std::vector<long double> SumPoints(std::initializer_list<long double> edges) {
  std::vector<long double> v;
  for (int i = 0; i < 2000; ++i) v.push_back(-10.0L + 20.0L * i / 1999);
  const long double Inf = std::numeric_limits<long double>::infinity();
  for (long double s : edges) {
    v.push_back(s);
    v.push_back(std::nextafter(s, Inf));
    v.push_back(std::nextafter(s, -Inf));
  }
  std::mt19937_64 rng(14);
  for (int i = 0; i < 1500; ++i) {
    const auto m = static_cast<std::int64_t>(rng());
    const int shift = static_cast<int>(rng() % 160) - 100;
    v.push_back(std::ldexp(static_cast<long double>(m), shift - 63));
  }
  return v;
}

// Sums every case with `sum` and compares it with its recorded sum. A
// changed sum fails and is printed as a line of the table, ready to be
// recorded once the change is understood.
template <std::size_t N>
void CheckSums(const Expect (&cases)[N], std::uint64_t (*sum)(const char*)) {
  for (const Expect& c : cases) {
    const std::uint64_t got = sum(c.text);
    EXPECT_EQ(got, c.sum) << c.text;
    if (got != c.sum) std::printf("    {\"%s\", 0x%016" PRIx64 "ULL},\n", c.text, got);
  }
}

}  // namespace orv_test
