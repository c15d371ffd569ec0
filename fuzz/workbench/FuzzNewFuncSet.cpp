// Any bytes given as "newfunc.set": decoding never reads past the record,
// keeps the whole numbers in 1..9, and re-encoding what was decoded gives a
// record that decodes to the same settings.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "orvanta/workbench/NewFuncSetFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TNewFuncSettings s;
  const bool ok = DecodeNewFuncSettings(data, size, s);
  if (ok != (size >= NewFuncSetSize)) std::abort();
  if (!ok) return 0;
  for (std::int32_t v : {s.Diametr, s.LineWidth, s.Kolvo})
    if (v < 1 || v > 9) std::abort();
  if (s.MinXText.size() > 20 || s.MaxXText.size() > 20 || s.RazryvText.size() > 20) std::abort();
  const auto rec = EncodeNewFuncSettings(s);
  TNewFuncSettings back;
  if (!DecodeNewFuncSettings(rec.data(), rec.size(), back) || !(back == s)) std::abort();
  return 0;
}
