// Any bytes: the ".ov2" reader accepts exactly the sizes and counts of a
// function-set file, hands the view only values it can draw with, and what
// it accepted re-encodes to a file that reads back the same.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/FuncSetFile.h"
#include "orvanta/workbench/objScreenUnit.h"

namespace {

bool Small(std::int64_t v) { return v >= 1 && v <= 9; }
bool Colour(std::uint32_t c) { return (c & 0xFF000000u) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TFuncSet s;
  const bool ok = DecodeFuncSet(data, size, s);
  const bool sizeOk = size >= FuncSetBlockSize && size <= FuncSetMaxFileSize && size % FuncSetBlockSize == 0;
  if (ok && !sizeOk) std::abort();
  if (!ok) return 0;
  if (s.Funcs.empty() || s.Funcs.size() > 16 || s.Funcs.size() * FuncSetBlockSize > size) std::abort();
  if (!(s.Xm > 0) || !(s.Ym > 0) || !std::isfinite(s.Xm) || !std::isfinite(s.Ym) || !std::isfinite(s.Koef) ||
      !std::isfinite(s.Sdvig) || !std::isfinite(s.SetkaStep) || !Small(s.OciWidth) || !Colour(s.BkColor) ||
      !Colour(s.OciColor) || !Colour(s.LinesColor))
    std::abort();
  for (const TFuncSetEntry& e : s.Funcs) {
    if (e.Expression.size() > FuncSetExpressionMax || !std::isfinite(e.MinX) || !std::isfinite(e.MaxX) ||
        !std::isfinite(e.Razryv) || !Small(e.Kolvo) || !Small(e.Diametr) || !Small(e.LineWidth) ||
        !Colour(e.GraphColor))
      std::abort();
  }

  const std::string bytes = EncodeFuncSet(s);
  TFuncSet again;
  if (bytes.size() != s.Funcs.size() * FuncSetBlockSize ||
      !DecodeFuncSet(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), again) ||
      EncodeFuncSet(again) != bytes)
    std::abort();

  // The set as the Open command builds it: every text parsed, the view centred.
  objScreen view;
  ApplyFuncSetHeader(s, view);
  for (std::size_t i = 0; i < s.Funcs.size(); ++i) {
    view.Funcs[i] = FunctionOfEntry(s.Funcs[i]);
    long double y = 0;
    view.Funcs[i]->Reset();
    view.Funcs[i]->Calc(y, 0.5L);
  }
  view.FuncCount = static_cast<std::int32_t>(s.Funcs.size());
  view.CenterOrigin(1920, 1080);
  return 0;
}
