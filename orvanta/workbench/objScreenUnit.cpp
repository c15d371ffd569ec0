#include "orvanta/workbench/objScreenUnit.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/workbench/WholeColumns.h"

objScreen* MainScreen = nullptr;

namespace {

// Rows further than this above or below the top edge break a graph's line.
constexpr long double FarRows = 16000.0L;
// Pixel positions are clamped to this much beyond the picture before they
// become integers; lines that far out are clipped away anyway.
constexpr int32_t PixelMargin = 1 << 20;
// Quick roundings are taken only this far out (a row also well inside
// FarRows, whose test then needs no exact quotient).
constexpr double QuickColumnLimit = 0x1p19;
constexpr double QuickRowLimit = 15999.0;
// Whole-number samples of one graph: 500 per column on a picture 8000 wide.
constexpr long long MaxWholeSamples = 1LL << 22;

bool Finite(long double v) { return std::isfinite(v); }

// A view can be mapped to pixels only with positive finite scales and a
// finite origin, on a picture that has pixels.
bool Drawable(const objScreen& v, const plat::TCanvas& c) {
  return c.Width() > 0 && c.Height() > 0 && Finite(v.Xm) && Finite(v.Ym) && v.Xm > 0 &&
         v.Ym > 0 && Finite(v.StartX) && Finite(v.StartY);
}

void SolidPen(plat::TCanvas& c, plat::TColor color, int width) {
  c.Pen.Mode = plat::TPenMode::pmCopy;
  c.Pen.Style = plat::TPenStyle::psSolid;
  c.Pen.Color = color;
  c.Pen.Width = width;
}

// Round(a / d) for the sampling loop without the division, given inv = 1 / d
// (a normal number). The product a * inv lies within a few units in the last
// place of the quotient a / d, far less than 2^-28 for |a / d| < 2^19; so
// unless the product sits within 2^-20 of a half, its rounding is the
// quotient's, and halves (where the tie rule matters) never pass. false:
// beyond `limit`, not finite, or next to a half; the caller then divides.
inline bool QuickRound(long double a, long double inv, double limit, int32_t& out) {
  const double q = static_cast<double>(a * inv);
  if (!(std::fabs(q) < limit)) return false;
  // Floor of q + 0.5 by a truncating conversion of a positive number, which
  // depends on no rounding mode.
  const double u = (q + 0x1p21) + 0.5;
  const int64_t k = static_cast<int64_t>(u);
  const double frac = u - static_cast<double>(k);
  if (frac < 0x1p-20 || frac > 1 - 0x1p-20) return false;
  out = static_cast<int32_t>(k - (int64_t{1} << 21));
  return true;
}

// (a - b) / scale, the pixel offset of world value a from b, also where the
// difference of two finite numbers overflows (a range wider than the largest
// number): then halved, which changes no rounding.
inline long double Offset(long double a, long double b, long double scale) {
  const long double d = a - b;
  if (std::isfinite(d) || !std::isfinite(a) || !std::isfinite(b)) return d / scale;
  return (a * 0.5L - b * 0.5L) / (scale * 0.5L);
}

}  // namespace

int32_t RoundPixel(long double v, int32_t lo, int32_t hi) {
  if (!(v >= lo)) return lo;  // also NaN
  if (v > hi) return hi;
  // Half to even with exact steps only: neither the rounding mode nor an x87
  // integer conversion (which reloads the control word, and made nearbyintl
  // and casts the slowest steps of a redraw) is involved. Adding 1.5 * 2^63
  // leaves an integer near v in the low bits of the 64-bit significand; the
  // loops then correct it with differences that are exact for |v| <= 2^31.
  static_assert(sizeof(long double) >= 10 && LDBL_MANT_DIG == 64);
  const long double biased = v + 0x1.8p63L;
  uint64_t significand = 0;
  std::memcpy(&significand, &biased, sizeof significand);
  int64_t r = static_cast<int64_t>(significand - 0xC000000000000000ull);
  long double d = v - static_cast<long double>(r);
  while (d > 0.5L || (d == 0.5L && (r & 1) != 0)) {
    ++r;
    d -= 1;
  }
  while (d < -0.5L || (d == -0.5L && (r & 1) != 0)) {
    --r;
    d += 1;
  }
  return static_cast<int32_t>(r < lo ? lo : (r > hi ? hi : r));
}

namespace {

// A fixed pseudo-random 64-bit number for a key (splitmix64's finaliser),
// the same at every redraw.
std::uint64_t Mix(std::uint64_t h) {
  h += 0x9E3779B97F4A7C15ull;
  h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ull;
  h = (h ^ (h >> 27)) * 0x94D049BB133111EBull;
  return h ^ (h >> 31);
}

// The whole number after (before) g: one unit away, or the neighbouring
// number where a unit no longer moves g (every number is whole there; from
// an infinite g inwards, the largest number).
long double NextWhole(long double g) {
  const long double n = g + 1;
  return n != g ? n : std::nextafter(g, std::numeric_limits<long double>::infinity());
}
long double PrevWhole(long double g) {
  const long double p = g - 1;
  return p != g ? p : std::nextafter(g, -std::numeric_limits<long double>::infinity());
}

}  // namespace

bool WholeColumns::Init(const objScreen& v, long double first, long double xEnd, int W, int32_t lo,
                        int32_t hi) {
  startX_ = v.StartX;
  xm_ = v.Xm;
  lo_ = lo;
  hi_ = hi;
  if (!(first - 1 < xEnd)) return false;  // no sample at all
  first_ = first;
  // Past the largest number (a range that overflowed) no whole number is at
  // or past xEnd: the samples end with the largest one.
  last_ = std::max(first, std::min(std::ceil(xEnd), LDBL_MAX));
  if (!(last_ - first_ >= static_cast<long double>(W) * PerColumn)) return false;
  col_ = Column(first_);
  lastCol_ = Column(last_);
  return true;
}

bool WholeColumns::Next(long double& x) {
  while (pos_ == count_) {
    if (col_ > lastCol_) return false;
    FillColumn(col_);
    ++walked_;
    // On to the column of the next whole number. Far from the origin
    // neighbouring whole numbers lie columns apart, and the columns between
    // are passed over: whole numbers short of xEnd lie in the picture's
    // columns, so only the picture's columns and the last one are walked.
    const int32_t next = started_ ? Column(NextWhole(prev_)) : col_ + 1;
    col_ = std::max(col_ + 1, next);
  }
  x = buf_[pos_++];
  return true;
}

int32_t WholeColumns::Column(long double x) const { return RoundPixel(Offset(x, startX_, xm_), lo_, hi_); }

// The smallest whole number whose column is c or further right. The
// estimate is off by a unit or so (a column holds dozens at least), or by a
// few neighbouring numbers where a unit no longer moves them.
long double WholeColumns::Boundary(int32_t c) const {
  long double g = std::ceil(startX_ + (static_cast<long double>(c) - 0.5L) * xm_);
  for (int k = 0; k < 4 && Column(g) >= c; ++k) {
    const long double before = PrevWhole(g);
    if (Column(before) < c) break;
    g = before;
  }
  for (int k = 0; k < 4 && Column(g) < c; ++k) g = NextWhole(g);
  return g;
}

// The column's first and last whole number and one from each of the
// equal parts between, taken at a pseudo-random place in its part: evenly
// spaced ones could keep step with a periodic function and miss its
// extremes in every column. Integer arithmetic on the offsets: roundings
// of extended reals reload the x87 control word, and took most of the time.
void WholeColumns::FillColumn(int32_t c) {
  pos_ = count_ = 0;
  const long double a = std::max(first_, Boundary(c));
  const long double b = std::min(last_, PrevWhole(Boundary(c + 1)));
  if (!(a <= b)) return;
  constexpr std::uint64_t Parts = PerColumn - 2;
  const long double inner = b - a - 1;  // whole numbers strictly between
  Add(a);
  if (inner > 0) {
    // Columns wider than 2^62 whole numbers (no screen shows them apart)
    // spread their samples over the first 2^62.
    const std::uint64_t n = inner < 0x1p62L ? static_cast<std::uint64_t>(inner) : std::uint64_t{1} << 62;
    std::uint64_t key = 0;
    std::memcpy(&key, &a, sizeof key);
    auto partStart = [n](std::uint64_t j) { return n / Parts * j + n % Parts * j / Parts; };
    for (std::uint64_t j = 0; j < Parts; ++j) {
      const std::uint64_t from = partStart(j), to = partStart(j + 1);
      if (to <= from) continue;
      const std::uint64_t offset =
          from +
          static_cast<std::uint64_t>((static_cast<unsigned __int128>(Mix(key + j)) * (to - from)) >> 64);
      Add(a + 1 + static_cast<long double>(offset));
    }
  }
  Add(b);
}

// Appends x when it comes after every whole number taken so far.
void WholeColumns::Add(long double x) {
  if (started_ && !(x > prev_)) return;
  buf_[count_++] = x;
  prev_ = x;
  started_ = true;
}

std::string ScaleText(const char* prefix, long double scale) {
  return std::string(prefix) + DecimalText(scale, 5);
}

std::string FuncCountText(int32_t count) { return "Функций: " + std::to_string(count); }

void DrawFunction(const objScreen& view, int32_t i, plat::TCanvas& canvas) {
  if (i < 0 || i >= MaxFuncCount || !view.Funcs[i]) return;
  objFunc& F = *view.Funcs[i];
  const int W = canvas.Width();
  const int H = canvas.Height();
  const int32_t lo = -PixelMargin, hiX = W + PixelMargin, hiY = H + PixelMargin;

  SolidPen(canvas, F.GraphColor, F.LineWidth);
  if (!Drawable(view, canvas) || F.Kolvo == 0) return;

  const int r = F.Diametr / 2;
  const int odd = F.Diametr % 2;
  const bool dots = F.Diametr >= 2;

  long double xStart = view.StartX;
  long double xEnd = static_cast<long double>(W) * view.Xm + view.StartX;
  long double step = std::fabs(view.StartX - xEnd) / W / F.Kolvo;
  if (F.IfMinX && xStart < F.MinX) xStart = F.MinX;
  if (F.IfMaxX && xEnd > F.MaxX) xEnd = F.MaxX;
  if (F.XCeloe) {
    xStart = std::truncl(xStart);
    step = 1;
  }
  if (F.XPolog && xStart < 0) xStart = 0;
  if (!(step > 0) || !Finite(step) || !Finite(xStart) || std::isnan(xEnd)) return;

  // The loop takes about W * Kolvo samples, a few more where x is so large
  // that the rounded additions fall short of the step, or one per whole
  // number in view, and WholeColumns::PerColumn per column of the picture
  // where there are more. The caps only stop a loop whose samples would not
  // end.
  WholeColumns whole;
  const bool sampled = F.XCeloe && whole.Init(view, xStart, xEnd, W, lo, hiX);
  const long long maxSamples = F.XCeloe
                                   ? std::max<long long>(MaxWholeSamples, (W + 8LL) * WholeColumns::PerColumn)
                                   : 2LL * W * F.Kolvo + 16;

  const long double invXm = 1 / view.Xm, invYm = 1 / view.Ym;
  const bool quickColumns = std::isnormal(invXm), quickRows = std::isnormal(invYm);

  // The x values do not depend on the results, so they are evaluated a row
  // at a time; y after a failed point is never read (the next point is not
  // joined to it), so only successful values are taken from the row.
  constexpr int RowLen = 256;
  long double rowX[RowLen], rowY[RowLen];
  int32_t rowErr[RowLen];
  long long n = 0;
  long double last = xStart - step;  // the last x put in a row
  long double y = 0, prevY = 0;
  bool joined = true;
  int rowLen = 0, k = 0;
  for (;;) {
    if (k == rowLen) {
      rowLen = 0;
      k = 0;
      while (rowLen < RowLen) {
        long double next;
        if (sampled) {
          if (!whole.Next(next) || n + rowLen >= maxSamples) break;
        } else {
          if (!(last < xEnd)) break;
          next = last + step;
          if (!(next > last) || n + rowLen >= maxSamples) break;  // the step no longer moves x
        }
        last = next;
        rowX[rowLen++] = last;
      }
      if (rowLen == 0) break;
      F.CalcRow(rowX, rowY, rowErr, rowLen);
    }
    const long double x = rowX[k];
    const int32_t err = rowErr[k];
    ++k;
    ++n;
    if (joined) prevY = y;
    if (err != 0) {
      joined = false;
      continue;
    }
    y = rowY[k - 1];
    // The quick roundings give what the divisions would; rows well inside
    // the far-row limit pass it whatever the last bits of the quotient.
    int32_t px, py;
    if (!quickRows || !QuickRound(view.StartY - y, invYm, QuickRowLimit, py)) {
      const long double rowValue = Offset(view.StartY, y, view.Ym);
      if (!(rowValue >= -FarRows && rowValue <= FarRows)) {
        joined = false;
        continue;
      }
      py = RoundPixel(rowValue, lo, hiY);
    }
    if (!quickColumns || !QuickRound(x - view.StartX, invXm, QuickColumnLimit, px))
      px = RoundPixel(Offset(x, view.StartX, view.Xm), lo, hiX);
    if (!joined || n == 1) {
      canvas.MoveTo(px, py);
      if (dots) canvas.Ellipse(px - r, py - r, px + r + odd, py + r + odd);
      canvas.SetPixel(px, py, F.GraphColor);
      joined = true;
    } else {
      if (dots) canvas.Ellipse(px - r, py - r, px + r + odd, py + r + odd);
      if (F.IfLines && (!F.IfRazryv || std::fabs(prevY - y) < F.Razryv)) {
        canvas.LineTo(px, py);
      } else {
        canvas.MoveTo(px, py);
        canvas.SetPixel(px, py, F.GraphColor);
      }
    }
  }
}

void DrawOci(const objScreen& view, plat::TCanvas& canvas) {
  SolidPen(canvas, view.OciColor, view.OciWidth);
  if (!Drawable(view, canvas)) return;
  const int W = canvas.Width(), H = canvas.Height();
  const int c0 = RoundPixel(-view.StartX / view.Xm, -PixelMargin, W + PixelMargin);
  canvas.MoveTo(c0, 0);
  canvas.LineTo(c0, H);
  const int r0 = RoundPixel(view.StartY / view.Ym, -PixelMargin, H + PixelMargin);
  canvas.MoveTo(0, r0);
  canvas.LineTo(W, r0);
}

namespace {

// The columns of the vertical and the rows of the horizontal grid lines, in
// drawing order; false when the grid is not drawn at all.
bool SetkaLines(const objScreen& view, const plat::TCanvas& canvas, std::vector<int>& columns,
                std::vector<int>& rows) {
  if (!Drawable(view, canvas) || !(view.SetkaStep > 0) || !Finite(view.SetkaStep)) return false;
  const long double step = view.SetkaStep;
  if (view.Xm > step / 4 || view.Ym > step / 4) return false;
  const int W = canvas.Width(), H = canvas.Height();
  // At least 4 pixels apart, so a picture holds at most W / 4 + 2 lines;
  // the caps stop a run whose variable no longer advances.
  const long double xLimit = view.StartX + static_cast<long double>(W) * view.Xm;
  long double g = std::truncl(view.StartX / step) * step;
  for (int k = 0; g < xLimit && k <= W + 2; ++k) {
    columns.push_back(RoundPixel((g - view.StartX) / view.Xm, -PixelMargin, W + PixelMargin));
    const long double next = g + step;
    if (!(next > g)) break;
    g = next;
  }
  const long double yLimit = view.StartY - static_cast<long double>(H) * view.Ym;
  g = std::truncl(view.StartY / step) * step;
  for (int k = 0; g > yLimit && k <= H + 2; ++k) {
    rows.push_back(RoundPixel((view.StartY - g) / view.Ym, -PixelMargin, H + PixelMargin));
    const long double next = g - step;
    if (!(next < g)) break;
    g = next;
  }
  return true;
}

}  // namespace

void DrawSetka(const objScreen& view, plat::TCanvas& canvas) {
  std::vector<int> columns, rows;
  if (!SetkaLines(view, canvas, columns, rows)) return;
  SolidPen(canvas, view.LinesColor, 1);
  const int W = canvas.Width(), H = canvas.Height();
  for (int c : columns) {
    canvas.MoveTo(c, 0);
    canvas.LineTo(c, H);
  }
  for (int row : rows) {
    canvas.MoveTo(0, row);
    canvas.LineTo(W, row);
  }
}

void DrawScreen(const objScreen& view, plat::TCanvas& canvas, IStatusPanels* panels) {
  if (panels) {
    panels->SetPanelText(panelXm, ScaleText("xm ", view.Xm));
    panels->SetPanelText(panelYm, ScaleText("ym ", view.Ym));
    panels->SetPanelText(panelFuncCount, FuncCountText(view.FuncCount));
  }
  canvas.Brush.Color = view.BkColor;
  canvas.Brush.Style = plat::TBrushStyle::bsSolid;
  // Background and grid in one pass over the picture.
  const plat::TRect all{0, 0, canvas.Width(), canvas.Height()};
  std::vector<int> columns, rows;
  if (view.Setka && SetkaLines(view, canvas, columns, rows)) {
    SolidPen(canvas, view.LinesColor, 1);
    canvas.FillRuled(all, columns, rows);
  } else {
    canvas.FillRect(all);
  }
  if (view.Oci) DrawOci(view, canvas);
  for (int32_t i = 0; i < view.FuncCount && i < MaxFuncCount; ++i) DrawFunction(view, i, canvas);
}
