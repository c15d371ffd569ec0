#include "orvanta/workbench/FuncSetFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/SetFileIo.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/SafeFile.h"

namespace {

// Header offsets.
constexpr std::size_t hXm = 0, hYm = 10, hKoef = 20, hSdvig = 30, hSetkaStep = 40, hOci = 50, hSetka = 51,
                      hBkColor = 52, hOciColor = 56, hLinesColor = 60, hOciWidth = 64, hFuncCount = 68;
// Entry offsets.
constexpr std::size_t eExpression = 0, eFlags = 256, eMinX = 264, eMaxX = 274, eRazryv = 284, eKolvo = 294,
                      eDiametr = 296, eLineWidth = 298, eGraphColor = 300;

constexpr int kBias = 16383;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

using setfile::GetU32;
using setfile::PutU32;
std::uint16_t GetU16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
void PutU16(std::uint8_t* p, std::uint16_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}

// The whole-number settings are up-down positions 1..9: the drawing divides
// by the samples value and sizes its pens by the others.
std::uint16_t ClampSmall(std::int64_t v) { return static_cast<std::uint16_t>(std::clamp<std::int64_t>(v, 1, 9)); }
std::uint32_t Colour(std::uint32_t c) { return c & 0x00FFFFFFu; }

bool Finite(long double v) { return std::isfinite(v); }
bool GoodScale(long double v) { return Finite(v) && v > 0; }

}  // namespace

void PutExtended(std::uint8_t* p, long double v) {
  std::uint64_t sig = 0;
  int exp = 0;  // biased
  const bool negative = std::signbit(v);
  if (std::isnan(v)) {
    exp = 0x7FFF;
    sig = kIntegerBit | (kIntegerBit >> 1);
  } else if (std::isinf(v)) {
    exp = 0x7FFF;
    sig = kIntegerBit;
  } else if (v != 0) {
    int e = 0;
    const long double m = std::frexp(std::fabs(v), &e);  // |v| = m * 2^e, 0.5 <= m < 1
    exp = e - 1 + kBias;
    if (exp >= 1) {
      sig = static_cast<std::uint64_t>(std::ldexp(m, 64));
    } else {
      // Below the smallest normal: exponent field 0, value = sig * 2^(1 - bias - 63).
      sig = static_cast<std::uint64_t>(std::ldexp(std::fabs(v), kBias - 1 + 63));
      exp = 0;
    }
  }
  for (int i = 0; i < 8; ++i) p[i] = static_cast<std::uint8_t>(sig >> (8 * i));
  const unsigned word = static_cast<unsigned>(exp) | (negative ? 0x8000u : 0u);
  p[8] = static_cast<std::uint8_t>(word);
  p[9] = static_cast<std::uint8_t>(word >> 8);
}

long double GetExtended(const std::uint8_t* p) {
  std::uint64_t sig = 0;
  for (int i = 0; i < 8; ++i) sig |= static_cast<std::uint64_t>(p[i]) << (8 * i);
  const unsigned word = static_cast<unsigned>(p[8]) | (static_cast<unsigned>(p[9]) << 8);
  const bool negative = (word & 0x8000u) != 0;
  const int exp = static_cast<int>(word & 0x7FFFu);
  long double v = 0;
  if (exp == 0x7FFF) {
    v = (sig & ~kIntegerBit) == 0 && (sig & kIntegerBit) != 0 ? HUGE_VALL : NAN;
  } else if (exp == 0) {
    v = std::ldexp(static_cast<long double>(sig), 1 - kBias - 63);
  } else if ((sig & kIntegerBit) == 0) {
    v = NAN;  // an unnormal: no valid operand
  } else {
    v = std::ldexp(static_cast<long double>(sig), exp - kBias - 63);
  }
  return negative ? -v : v;
}

std::string EncodeFuncSet(const TFuncSet& s) {
  const std::size_t n = s.Funcs.size();
  std::string out(FuncSetHeaderSize + FuncSetBlockSize * n, '\0');
  auto* b = reinterpret_cast<std::uint8_t*>(out.data());
  PutExtended(b + hXm, s.Xm);
  PutExtended(b + hYm, s.Ym);
  PutExtended(b + hKoef, s.Koef);
  PutExtended(b + hSdvig, s.Sdvig);
  PutExtended(b + hSetkaStep, s.SetkaStep);
  b[hOci] = s.Oci ? 1 : 0;
  b[hSetka] = s.Setka ? 1 : 0;
  PutU32(b + hBkColor, s.BkColor);
  PutU32(b + hOciColor, s.OciColor);
  PutU32(b + hLinesColor, s.LinesColor);
  PutU32(b + hOciWidth, static_cast<std::uint32_t>(s.OciWidth));
  PutU32(b + hFuncCount, static_cast<std::uint32_t>(n));
  for (std::size_t i = 0; i < n; ++i) {
    const TFuncSetEntry& f = s.Funcs[i];
    std::uint8_t* e = b + FuncSetHeaderSize + FuncSetBlockSize * i;
    const std::size_t len = std::min(f.Expression.size(), FuncSetExpressionMax);
    e[eExpression] = static_cast<std::uint8_t>(len);
    std::memcpy(e + eExpression + 1, f.Expression.data(), len);
    const bool flags[6] = {f.IfMinX, f.IfMaxX, f.IfRazryv, f.IfLines, f.XPolog, f.XCeloe};
    for (int k = 0; k < 6; ++k) e[eFlags + k] = flags[k] ? 1 : 0;
    PutExtended(e + eMinX, f.MinX);
    PutExtended(e + eMaxX, f.MaxX);
    PutExtended(e + eRazryv, f.Razryv);
    PutU16(e + eKolvo, f.Kolvo);
    PutU16(e + eDiametr, f.Diametr);
    PutU16(e + eLineWidth, f.LineWidth);
    PutU32(e + eGraphColor, f.GraphColor);
  }
  // The last entry's padding is not part of the file.
  out.resize(FuncSetBlockSize * n);
  return out;
}

bool FuncSetFits(const TFuncSet& s) {
  return std::all_of(s.Funcs.begin(), s.Funcs.end(),
                     [](const TFuncSetEntry& f) { return f.Expression.size() <= FuncSetExpressionMax; });
}

bool DecodeFuncSet(const std::uint8_t* data, std::size_t size, TFuncSet& out) {
  if (data == nullptr || size < FuncSetBlockSize || size > FuncSetMaxFileSize || size % FuncSetBlockSize != 0)
    return false;
  const std::size_t blocks = size / FuncSetBlockSize;
  const auto count = static_cast<std::int32_t>(GetU32(data + hFuncCount));
  if (count < 1 || count > FuncSetMaxFuncs || static_cast<std::size_t>(count) > blocks) return false;

  TFuncSet s;
  s.Xm = GetExtended(data + hXm);
  s.Ym = GetExtended(data + hYm);
  s.Koef = GetExtended(data + hKoef);
  s.Sdvig = GetExtended(data + hSdvig);
  s.SetkaStep = GetExtended(data + hSetkaStep);
  if (!GoodScale(s.Xm) || !GoodScale(s.Ym) || !Finite(s.Koef) || !Finite(s.Sdvig) || !Finite(s.SetkaStep))
    return false;
  s.Oci = data[hOci] != 0;
  s.Setka = data[hSetka] != 0;
  s.BkColor = Colour(GetU32(data + hBkColor));
  s.OciColor = Colour(GetU32(data + hOciColor));
  s.LinesColor = Colour(GetU32(data + hLinesColor));
  s.OciWidth = ClampSmall(static_cast<std::int32_t>(GetU32(data + hOciWidth)));
  s.Funcs.resize(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < s.Funcs.size(); ++i) {
    const std::uint8_t* e = data + FuncSetHeaderSize + FuncSetBlockSize * i;
    TFuncSetEntry& f = s.Funcs[i];
    f.Expression.assign(reinterpret_cast<const char*>(e + eExpression + 1), e[eExpression]);
    f.IfMinX = e[eFlags + 0] != 0;
    f.IfMaxX = e[eFlags + 1] != 0;
    f.IfRazryv = e[eFlags + 2] != 0;
    f.IfLines = e[eFlags + 3] != 0;
    f.XPolog = e[eFlags + 4] != 0;
    f.XCeloe = e[eFlags + 5] != 0;
    f.MinX = GetExtended(e + eMinX);
    f.MaxX = GetExtended(e + eMaxX);
    f.Razryv = GetExtended(e + eRazryv);
    if (!Finite(f.MinX) || !Finite(f.MaxX) || !Finite(f.Razryv)) return false;
    f.Kolvo = ClampSmall(GetU16(e + eKolvo));
    f.Diametr = ClampSmall(GetU16(e + eDiametr));
    f.LineWidth = ClampSmall(GetU16(e + eLineWidth));
    f.GraphColor = Colour(GetU32(e + eGraphColor));
  }
  out = std::move(s);
  return true;
}

bool ReadFuncSetFile(const std::string& path, TFuncSet& out) {
  std::string bytes;
  if (plat::ReadRegularFile(path, FuncSetMaxFileSize + 1, bytes) != 0) return false;
  return DecodeFuncSet(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

int WriteFuncSetFile(const std::string& path, const TFuncSet& s, plat::TargetName name) {
  return plat::WriteFileAtomic(path, EncodeFuncSet(s), name);
}

TFuncSet FuncSetOfView(const objScreen& view) {
  TFuncSet s;
  s.Xm = view.Xm;
  s.Ym = view.Ym;
  s.Koef = view.Koef;
  s.Sdvig = view.Sdvig;
  s.SetkaStep = view.SetkaStep;
  s.Oci = view.Oci;
  s.Setka = view.Setka;
  s.BkColor = view.BkColor;
  s.OciColor = view.OciColor;
  s.LinesColor = view.LinesColor;
  s.OciWidth = view.OciWidth;
  for (int32_t i = 0; i < view.FuncCount && i < MaxFuncCount; ++i) {
    if (!view.Funcs[i]) continue;
    const objFunc& f = *view.Funcs[i];
    TFuncSetEntry e;
    e.Expression = f.Expression;
    e.IfMinX = f.IfMinX;
    e.IfMaxX = f.IfMaxX;
    e.IfRazryv = f.IfRazryv;
    e.IfLines = f.IfLines;
    e.XPolog = f.XPolog;
    e.XCeloe = f.XCeloe;
    e.MinX = f.MinX;
    e.MaxX = f.MaxX;
    e.Razryv = f.Razryv;
    e.Kolvo = f.Kolvo;
    e.Diametr = f.Diametr;
    e.LineWidth = f.LineWidth;
    e.GraphColor = f.GraphColor;
    s.Funcs.push_back(std::move(e));
  }
  return s;
}

std::unique_ptr<objFunc> FunctionOfEntry(const TFuncSetEntry& e) {
  auto f = std::make_unique<objFunc>();
  f->Expression = e.Expression;
  f->IfMinX = e.IfMinX;
  f->IfMaxX = e.IfMaxX;
  f->IfRazryv = e.IfRazryv;
  f->IfLines = e.IfLines;
  f->XPolog = e.XPolog;
  f->XCeloe = e.XCeloe;
  f->MinX = e.MinX;
  f->MaxX = e.MaxX;
  f->Razryv = e.Razryv;
  f->Kolvo = e.Kolvo;
  f->Diametr = e.Diametr;
  f->LineWidth = e.LineWidth;
  f->GraphColor = e.GraphColor;
  f->Reset();
  f->Parse(f->Expression);
  return f;
}

void ApplyFuncSetHeader(const TFuncSet& s, objScreen& view) {
  view.Xm = s.Xm;
  view.Ym = s.Ym;
  view.Koef = s.Koef;
  view.Sdvig = s.Sdvig;
  view.SetkaStep = s.SetkaStep;
  view.Oci = s.Oci;
  view.Setka = s.Setka;
  view.BkColor = s.BkColor;
  view.OciColor = s.OciColor;
  view.LinesColor = s.LinesColor;
  view.OciWidth = s.OciWidth;
}
