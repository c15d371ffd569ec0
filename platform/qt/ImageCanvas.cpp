#include "platform/qt/ImageCanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cmath>

namespace plat {

namespace {

constexpr std::uint32_t kRgbMask = 0x00FFFFFFu;

std::uint32_t Combine(std::uint32_t dest, std::uint32_t src, TPenMode mode) {
  switch (mode) {
    case TPenMode::pmXor: return 0xFF000000u | ((dest ^ src) & kRgbMask);
    case TPenMode::pmNotXor: return 0xFF000000u | (~(dest ^ src) & kRgbMask);
    case TPenMode::pmCopy: break;
  }
  return 0xFF000000u | (src & kRgbMask);
}

// Whether pixel number i of a styled line is painted; the pattern starts
// afresh with every line.
class DashMask {
 public:
  explicit DashMask(TPenStyle s) : p_(DashPatternOf(s)) {
    for (int k = 0; k < p_.Count; ++k) period_ += p_.Len[k];
  }
  bool On(std::int64_t i) const {
    if (period_ == 0) return true;
    std::int64_t r = i % period_;
    int k = 0;
    while (r >= p_.Len[k]) r -= p_.Len[k++];
    return k % 2 == 0;
  }

 private:
  TDashPattern p_;
  std::int64_t period_ = 0;
};

// The mask of a solid pen: every pixel, with no test left in the loop.
struct SolidMask {
  static constexpr bool On(std::int64_t) { return true; }
};

// The pen modes as separate operations, so that a line's loop holds no
// switch.
struct CopyOp {
  static std::uint32_t Apply(std::uint32_t, std::uint32_t src) { return 0xFF000000u | (src & kRgbMask); }
};
struct XorOp {
  static std::uint32_t Apply(std::uint32_t dest, std::uint32_t src) { return 0xFF000000u | ((dest ^ src) & kRgbMask); }
};
struct NotXorOp {
  static std::uint32_t Apply(std::uint32_t dest, std::uint32_t src) {
    return 0xFF000000u | (~(dest ^ src) & kRgbMask);
  }
};

struct Clip {
  int left, top, right, bottom;  // right and bottom excluded
  bool Contains(std::int64_t x, std::int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Bresenham line from (x0, y0) towards (x1, y1), end pixel excluded. Only the
// part of the major axis inside the clip is walked, so a line with far-away
// ends costs no more than one across the picture; the pixels chosen are the
// same as for the whole walk.
template <class Mask, class Plot>
void RasterThinLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, const Clip& clip,
                    const Mask& dash, Plot&& plot) {
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool xMajor = adx >= ady;
  const std::int64_t n = xMajor ? adx : ady;  // pixels painted: 0 .. n-1
  if (n == 0) return;
  const std::int64_t major = xMajor ? adx : ady, minor = xMajor ? ady : adx;
  const std::int64_t sMaj = (xMajor ? dx : dy) < 0 ? -1 : 1;
  const std::int64_t sMin = (xMajor ? dy : dx) < 0 ? -1 : 1;
  const std::int64_t m0 = xMajor ? x0 : y0, n0 = xMajor ? y0 : x0;
  const std::int64_t lo = xMajor ? clip.left : clip.top, hi = xMajor ? clip.right : clip.bottom;  // [lo, hi)
  const std::int64_t minLo = xMajor ? clip.top : clip.left, minHi = xMajor ? clip.bottom : clip.right;
  // Range of steps i whose major coordinate m0 + sMaj*i lies in [lo, hi).
  std::int64_t iFirst, iLast;
  if (sMaj > 0) {
    iFirst = lo - m0;
    iLast = hi - 1 - m0;
  } else {
    iFirst = m0 - (hi - 1);
    iLast = m0 - lo;
  }
  iFirst = std::max<std::int64_t>(iFirst, 0);
  iLast = std::min<std::int64_t>(iLast, n - 1);
  if (iFirst > iLast) return;
  // Minor offset of step i: floor((2*i*minor + major) / (2*major)). A line
  // that starts inside the clip starts at offset 0 with no division.
  const std::int64_t twoMajor = 2 * major, twoMinor = 2 * minor;
  std::int64_t q = 0, r = major;
  if (iFirst > 0 && minor > 0) {
    const __int128 num = static_cast<__int128>(2) * iFirst * minor + major;
    q = static_cast<std::int64_t>(num / twoMajor);
    r = static_cast<std::int64_t>(num % twoMajor);
  }
  if (minor == 0) {
    // Straight along the major axis: one row or one column.
    if (n0 < minLo || n0 >= minHi) return;
    for (std::int64_t i = iFirst; i <= iLast; ++i) {
      if (!dash.On(i)) continue;
      const std::int64_t m = m0 + sMaj * i;
      plot(static_cast<int>(xMajor ? m : n0), static_cast<int>(xMajor ? n0 : m));
    }
    return;
  }
  for (std::int64_t i = iFirst; i <= iLast; ++i) {
    const std::int64_t k = n0 + sMin * q;
    if (dash.On(i) && k >= minLo && k < minHi) {
      const std::int64_t m = m0 + sMaj * i;
      plot(static_cast<int>(xMajor ? m : k), static_cast<int>(xMajor ? k : m));
    }
    r += twoMinor;
    if (r >= twoMajor) {
      r -= twoMajor;
      ++q;
    }
  }
}

// Wide pen: every pixel whose centre lies within Width/2 of the segment
// between the two pixel centres (round ends). The segment is nudged by a
// fraction of a pixel so that an even width covers exactly that many rows or
// columns.
template <class Plot>
void RasterWideLine(double x0, double y0, double x1, double y1, int width, const Clip& clip, Plot&& plot) {
  const double nudge = 1.0 / 64;
  const double ax = x0 + 0.5 - nudge, ay = y0 + 0.5 - nudge, bx = x1 + 0.5 - nudge, by = y1 + 0.5 - nudge;
  const double r = width / 2.0, r2 = r * r;
  const double top = std::max<double>(clip.top, std::floor(std::min(ay, by) - r) - 1);
  const double bottom = std::min<double>(clip.bottom - 1, std::ceil(std::max(ay, by) + r) + 1);
  if (top > bottom) return;
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy, rLen = r * std::sqrt(len2);
  const double invDx = dx != 0 ? 1 / dx : 0, invDy = dy != 0 ? 1 / dy : 0;
  for (int y = static_cast<int>(top); y <= static_cast<int>(bottom); ++y) {
    const double cy = y + 0.5, ry = cy - ay;
    double lo = HUGE_VAL, hi = -HUGE_VAL;
    // The round ends.
    for (const double* e : {&ax, &bx}) {
      const double ey = e == &ax ? ay : by;
      const double h = r2 - (cy - ey) * (cy - ey);
      if (h <= 0) continue;
      const double half = std::sqrt(h);
      lo = std::min(lo, *e - half);
      hi = std::max(hi, *e + half);
    }
    // The band between them: projection parameter in (0, 1) and distance
    // from the segment below r, both linear in x along this row.
    if (len2 > 0) {
      double l = -HUGE_VAL, h = HUGE_VAL;
      // (x - ax)*dx + ry*dy in (0, len2)
      if (dx != 0) {
        double u = -ry * dy * invDx, v = (len2 - ry * dy) * invDx;
        if (u > v) std::swap(u, v);
        l = u;
        h = v;
      } else if (!(ry * dy > 0 && ry * dy < len2)) {
        l = HUGE_VAL;
      }
      // dx*ry - dy*(x - ax) in (-rLen, rLen)
      if (dy != 0) {
        double u = (dx * ry - rLen) * invDy, v = (dx * ry + rLen) * invDy;
        if (u > v) std::swap(u, v);
        l = std::max(l, u);
        h = std::min(h, v);
      } else if (!(std::fabs(dx * ry) < rLen)) {
        l = HUGE_VAL;
      }
      if (l < h) {
        lo = std::min(lo, l + ax);
        hi = std::max(hi, h + ax);
      }
    }
    if (!(lo < hi)) continue;
    // Columns whose centre x + 0.5 lies strictly inside (lo, hi).
    double first = std::ceil(lo - 0.5), last = std::floor(hi - 0.5);
    if (first == lo - 0.5) first += 1;
    if (last == hi - 0.5) last -= 1;
    first = std::max<double>(first, clip.left);
    last = std::min<double>(last, clip.right - 1);
    if (first > last) continue;
    for (int x = static_cast<int>(first), e = static_cast<int>(last); x <= e; ++x) plot(x, y);
  }
}

// Columns of row y (pixel centres) inside the ellipse of centre (cx, cy) and
// half-axes rx, ry; false when none.
bool EllipseSpan(double cx, double cy, double rx, double ry, int y, std::int64_t& from, std::int64_t& to) {
  if (rx <= 0 || ry <= 0) return false;
  const double d = (y + 0.5 - cy) / ry;
  if (d < -1 || d > 1) return false;
  const double half = rx * std::sqrt(std::max(0.0, 1 - d * d));
  const double f = std::ceil(cx - half - 0.5), t = std::floor(cx + half - 0.5);
  if (f > t) return false;
  from = static_cast<std::int64_t>(f);
  to = static_cast<std::int64_t>(t);
  return true;
}

}  // namespace

std::string MapFontFamily(const std::string& name) {
  if (name == "MS Sans Serif" || name == "Arial" || name == "Tahoma" || name == "Verdana" ||
      name == "Microsoft Sans Serif" || name == "MS Shell Dlg" || name == "MS Shell Dlg 2")
    return "Liberation Sans";
  if (name == "Times New Roman" || name == "MS Serif") return "Liberation Serif";
  if (name == "Courier New" || name == "Courier") return "Liberation Mono";
  return name;
}

int FontPixelSize(int points, int ppi) {
  const long long p = points < 0 ? -static_cast<long long>(points) : points;
  return static_cast<int>((p * ppi + 36) / 72);  // rounded, halves up
}

QFont CanvasFont(const TFont& f, int ppi) {
  QFont font(QString::fromStdString(MapFontFamily(f.Name)));
  font.setPixelSize(std::max(1, FontPixelSize(f.Size, ppi)));
  font.setBold(f.Bold);
  font.setItalic(f.Italic);
  font.setStyleStrategy(QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

// ---------------------------------------------------------------- TImageCanvas

struct TImageCanvas::Target {
  std::uint32_t* bits = nullptr;
  qsizetype stride = 0;  // in pixels
  Clip clip{0, 0, 0, 0};
  std::uint32_t& At(int x, int y) const { return bits[y * stride + x]; }
};

TImageCanvas::TImageCanvas(int width, int height)
    : own_(std::max(0, width), std::max(0, height), QImage::Format_RGB32), image_(&own_) {
  own_.fill(0xFFFFFFFFu);
}

TImageCanvas::TImageCanvas(QImage* image) : image_(image ? image : &own_) {
  if (!image_->isNull() && image_->format() != QImage::Format_RGB32)
    *image_ = image_->convertToFormat(QImage::Format_RGB32);
}

int TImageCanvas::Width() const { return image_->width(); }
int TImageCanvas::Height() const { return image_->height(); }

TImageCanvas::Target TImageCanvas::Begin() {
  Target t;
  // Any change of the image by its owner (a write, a conversion, a new
  // size, another image) changes its cache key; a copy shares it, and then
  // writing needs a detach first.
  if (!bits_ || image_->cacheKey() != key_ || !image_->isDetached()) {
    bits_ = nullptr;
    if (image_->isNull()) return t;
    if (image_->format() != QImage::Format_RGB32) *image_ = image_->convertToFormat(QImage::Format_RGB32);
    bits_ = reinterpret_cast<std::uint32_t*>(image_->bits());
    stride_ = image_->bytesPerLine() / 4;
    width_ = image_->width();
    height_ = image_->height();
    key_ = image_->cacheKey();  // after bits(), which counts as a change
  }
  t.bits = bits_;
  t.stride = stride_;
  t.clip = Clip{0, 0, width_, height_};
  return t;
}

void TImageCanvas::Plot(Target& t, int x, int y, std::uint32_t rgb) const {
  if (!t.clip.Contains(x, y)) return;
  std::uint32_t& p = t.At(x, y);
  p = Combine(p, rgb, Pen.Mode);
}

void TImageCanvas::MoveTo(int x, int y) { pos_ = {x, y}; }

void TImageCanvas::LineTo(int x, int y) {
  const TPoint from = pos_;
  pos_ = {x, y};
  if (Pen.Style == TPenStyle::psClear) return;
  if (from == pos_) return;  // a line of no length paints nothing
  Target t = Begin();
  if (!t.bits) return;
  const std::uint32_t rgb = ColorToPixel(Pen.Color);
  auto draw = [&](auto op) {
    using Op = decltype(op);
    auto plot = [&t, rgb](int px, int py) {
      std::uint32_t& p = t.At(px, py);
      p = Op::Apply(p, rgb);
    };
    // Wide pens have no dashes, as on the original platform.
    if (Pen.Width > 1)
      RasterWideLine(from.X, from.Y, x, y, Pen.Width, t.clip, plot);
    else if (Pen.Style == TPenStyle::psSolid)
      RasterThinLine(from.X, from.Y, x, y, t.clip, SolidMask{}, plot);
    else
      RasterThinLine(from.X, from.Y, x, y, t.clip, DashMask(Pen.Style), plot);
  };
  switch (Pen.Mode) {
    case TPenMode::pmXor: draw(XorOp{}); break;
    case TPenMode::pmNotXor: draw(NotXorOp{}); break;
    case TPenMode::pmCopy: draw(CopyOp{}); break;
  }
}

void TImageCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Target t = Begin();
  if (!t.bits || x1 == x2 || y1 == y2) return;
  const bool pen = Pen.Style != TPenStyle::psClear;
  const bool fill = Brush.Style != TBrushStyle::bsClear;
  const std::int64_t w = pen ? std::max(1, Pen.Width) : 0;
  // Outline band [ox1, ox2) x [oy1, oy2) minus the inside [ix1, ix2) x [iy1, iy2).
  std::int64_t ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2, ix1 = x1, iy1 = y1, ix2 = x2, iy2 = y2;
  if (pen) {
    ox1 = std::int64_t{x1} - w / 2;
    oy1 = std::int64_t{y1} - w / 2;
    ox2 = std::int64_t{x2} + (w - 1) / 2;
    oy2 = std::int64_t{y2} + (w - 1) / 2;
    ix1 = std::int64_t{x1} + (w + 1) / 2;
    iy1 = std::int64_t{y1} + (w + 1) / 2;
    ix2 = std::int64_t{x2} - 1 - w / 2;
    iy2 = std::int64_t{y2} - 1 - w / 2;
  }
  const std::uint32_t penRgb = ColorToPixel(Pen.Color), brushRgb = ColorToPixel(Brush.Color);
  const std::int64_t top = std::max<std::int64_t>(oy1, t.clip.top), bottom = std::min<std::int64_t>(oy2, t.clip.bottom);
  const std::int64_t left = std::max<std::int64_t>(ox1, t.clip.left), right = std::min<std::int64_t>(ox2, t.clip.right);
  for (std::int64_t y = top; y < bottom; ++y)
    for (std::int64_t x = left; x < right; ++x) {
      const bool inside = x >= ix1 && x < ix2 && y >= iy1 && y < iy2;
      if (inside) {
        if (fill) Plot(t, static_cast<int>(x), static_cast<int>(y), brushRgb);
      } else if (pen) {
        Plot(t, static_cast<int>(x), static_cast<int>(y), penRgb);
      }
    }
}

void TImageCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  Target t = Begin();
  if (!t.bits || x1 == x2 || y1 == y2) return;
  const bool pen = Pen.Style != TPenStyle::psClear;
  const bool fill = Brush.Style != TBrushStyle::bsClear;
  const int w = std::max(1, Pen.Width);
  const double cx = (double(x1) + double(x2)) / 2, cy = (double(y1) + double(y2)) / 2;
  const double rx = (double(x2) - double(x1)) / 2, ry = (double(y2) - double(y1)) / 2;
  const std::uint32_t penRgb = ColorToPixel(Pen.Color), brushRgb = ColorToPixel(Brush.Color);
  // Outer region: everything the figure covers. Inner region: the fill.
  double orx = rx, ory = ry;
  if (pen && w > 1) {
    orx = rx - 0.5 + w / 2.0;
    ory = ry - 0.5 + w / 2.0;
  }
  const double irx = rx - 0.5 - w / 2.0, iry = ry - 0.5 - w / 2.0;
  const std::int64_t top = std::max<std::int64_t>(static_cast<std::int64_t>(std::floor(cy - ory)) - 1, t.clip.top);
  const std::int64_t bottom =
      std::min<std::int64_t>(static_cast<std::int64_t>(std::ceil(cy + ory)) + 1, t.clip.bottom - 1);
  for (std::int64_t y = top; y <= bottom; ++y) {
    std::int64_t f, e;
    if (!EllipseSpan(cx, cy, orx, ory, static_cast<int>(y), f, e)) continue;
    const std::int64_t from = std::max<std::int64_t>(f, t.clip.left), to = std::min<std::int64_t>(e, t.clip.right - 1);
    if (from > to) continue;
    if (!pen) {
      if (fill)
        for (std::int64_t x = from; x <= to; ++x) Plot(t, int(x), int(y), brushRgb);
      continue;
    }
    if (w == 1) {
      // One-pixel ring: the pixels of the region with a 4-neighbour outside.
      std::int64_t uf = 0, ue = -1, df = 0, de = -1;
      const bool up = EllipseSpan(cx, cy, orx, ory, static_cast<int>(y - 1), uf, ue);
      const bool down = EllipseSpan(cx, cy, orx, ory, static_cast<int>(y + 1), df, de);
      for (std::int64_t x = from; x <= to; ++x) {
        const bool ring = x == f || x == e || !up || x < uf || x > ue || !down || x < df || x > de;
        if (ring)
          Plot(t, int(x), int(y), penRgb);
        else if (fill)
          Plot(t, int(x), int(y), brushRgb);
      }
    } else {
      std::int64_t inf = 0, ine = -1;
      const bool in = EllipseSpan(cx, cy, irx, iry, static_cast<int>(y), inf, ine);
      for (std::int64_t x = from; x <= to; ++x) {
        if (in && x >= inf && x <= ine) {
          if (fill) Plot(t, int(x), int(y), brushRgb);
        } else {
          Plot(t, int(x), int(y), penRgb);
        }
      }
    }
  }
}

void TImageCanvas::ApplyMask(int left, int top, int w, int h, const std::vector<std::uint8_t>& mask) {
  Target t = Begin();
  if (!t.bits) return;
  const std::uint32_t penRgb = ColorToPixel(Pen.Color), brushRgb = ColorToPixel(Brush.Color);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint8_t m = mask[static_cast<std::size_t>(y) * w + x];
      if (m) Plot(t, left + x, top + y, m == 1 ? penRgb : brushRgb);
    }
}

void TImageCanvas::Polygon(const std::vector<TPoint>& points) {
  if (points.size() < 2 || image_->isNull()) return;
  const bool pen = Pen.Style != TPenStyle::psClear;
  const bool fill = Brush.Style != TBrushStyle::bsClear;
  const int w = std::max(1, Pen.Width);
  std::int64_t minX = points[0].X, maxX = minX, minY = points[0].Y, maxY = minY;
  for (const TPoint& p : points) {
    minX = std::min<std::int64_t>(minX, p.X);
    maxX = std::max<std::int64_t>(maxX, p.X);
    minY = std::min<std::int64_t>(minY, p.Y);
    maxY = std::max<std::int64_t>(maxY, p.Y);
  }
  const Clip box{static_cast<int>(std::max<std::int64_t>(minX - w - 1, 0)),
                 static_cast<int>(std::max<std::int64_t>(minY - w - 1, 0)),
                 static_cast<int>(std::min<std::int64_t>(maxX + w + 2, image_->width())),
                 static_cast<int>(std::min<std::int64_t>(maxY + w + 2, image_->height()))};
  if (box.left >= box.right || box.top >= box.bottom) return;
  const int mw = box.right - box.left, mh = box.bottom - box.top;
  std::vector<std::uint8_t> mask(static_cast<std::size_t>(mw) * mh, 0);
  auto set = [&](int x, int y, std::uint8_t v) { mask[static_cast<std::size_t>(y - box.top) * mw + (x - box.left)] = v; };
  if (fill) {
    // Pixels inside the polygon by the alternate (even-odd) rule. Vertices
    // stand on pixel centres, as the outline's pixels do, so fill and
    // outline meet without gaps.
    const std::size_t n = points.size();
    std::vector<double> xs;
    for (int y = box.top; y < box.bottom; ++y) {
      xs.clear();
      for (std::size_t i = 0; i < n; ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % n];
        if ((a.Y <= y) == (b.Y <= y)) continue;
        xs.push_back(a.X + (double(y) - a.Y) * (double(b.X) - a.X) / (double(b.Y) - a.Y));
      }
      std::sort(xs.begin(), xs.end());
      for (std::size_t k = 0; k + 1 < xs.size(); k += 2) {
        const double from = std::max<double>(std::ceil(xs[k]), box.left);
        const double to = std::min<double>(std::floor(xs[k + 1]), box.right - 1);
        for (int x = static_cast<int>(from); x <= static_cast<int>(to) && from <= to; ++x) set(x, y, 2);
      }
    }
  }
  if (pen) {
    const SolidMask solid;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TPoint& a = points[i];
      const TPoint& b = points[(i + 1) % points.size()];
      if (w > 1)
        RasterWideLine(a.X, a.Y, b.X, b.Y, w, box, [&](int x, int y) { set(x, y, 1); });
      else if (a == b) {
        if (box.Contains(a.X, a.Y)) set(a.X, a.Y, 1);
      }
      else
        RasterThinLine(a.X, a.Y, b.X, b.Y, box, solid, [&](int x, int y) { set(x, y, 1); });
    }
  }
  ApplyMask(box.left, box.top, mw, mh, mask);
}

void TImageCanvas::FillRect(const TRect& r) {
  Target t = Begin();
  if (!t.bits) return;
  const std::int64_t left = std::max<std::int64_t>(std::min(r.Left, r.Right), t.clip.left);
  const std::int64_t right = std::min<std::int64_t>(std::max(r.Left, r.Right), t.clip.right);
  const std::int64_t top = std::max<std::int64_t>(std::min(r.Top, r.Bottom), t.clip.top);
  const std::int64_t bottom = std::min<std::int64_t>(std::max(r.Top, r.Bottom), t.clip.bottom);
  const std::uint32_t rgb = ColorToPixel(Brush.Color);
  if (left >= right || top >= bottom) return;
  // One row is filled, the others are copies of it: a block copy is much
  // faster than a fill loop on a large picture.
  std::uint32_t* first = &t.At(int(left), int(top));
  const std::size_t count = static_cast<std::size_t>(right - left);
  std::fill_n(first, count, rgb);
  for (std::int64_t y = top + 1; y < bottom; ++y) std::memcpy(&t.At(int(left), int(y)), first, count * sizeof *first);
}

void TImageCanvas::FillRuled(const TRect& r, const std::vector<int>& columns, const std::vector<int>& rows) {
  if (Pen.Style != TPenStyle::psSolid || Pen.Mode != TPenMode::pmCopy || Pen.Width > 1) {
    TCanvas::FillRuled(r, columns, rows);
    return;
  }
  // The pen ends where the last line would leave it.
  if (!rows.empty())
    pos_ = {r.Right, rows.back()};
  else if (!columns.empty())
    pos_ = {columns.back(), r.Bottom};
  Target t = Begin();
  if (!t.bits) return;
  const std::int64_t W = t.clip.right, H = t.clip.bottom;
  const std::uint32_t brush = ColorToPixel(Brush.Color), pen = ColorToPixel(Pen.Color);
  // The filled box, as FillRect clips it.
  const std::int64_t fl = std::max<std::int64_t>(std::min(r.Left, r.Right), 0);
  const std::int64_t fr = std::min<std::int64_t>(std::max(r.Left, r.Right), W);
  const std::int64_t ft = std::max<std::int64_t>(std::min(r.Top, r.Bottom), 0);
  const std::int64_t fb = std::min<std::int64_t>(std::max(r.Top, r.Bottom), H);
  const bool fill = fl < fr && ft < fb;
  // A line paints from its start towards its end, the end excluded: rows
  // [va, vb) for the vertical lines, columns [ha, hb) for the horizontal ones.
  auto span = [](std::int64_t from, std::int64_t to, std::int64_t size, std::int64_t& a, std::int64_t& b) {
    a = from < to ? from : to + 1;
    b = from < to ? to : from + 1;
    if (from == to) b = a;  // no length, no pixel
    a = std::max<std::int64_t>(a, 0);
    b = std::min<std::int64_t>(b, size);
  };
  std::int64_t va, vb, ha, hb;
  span(r.Top, r.Bottom, H, va, vb);
  span(r.Left, r.Right, W, ha, hb);
  std::vector<int> inside, outside;  // columns in the picture, within the fill and beside it
  for (int x : columns) {
    if (x < 0 || x >= W) continue;
    (fill && x >= fl && x < fr ? inside : outside).push_back(x);
  }
  std::vector<char> ruled(static_cast<std::size_t>(H), 0);
  if (ha < hb)
    for (int y : rows)
      if (y >= 0 && y < H) ruled[static_cast<std::size_t>(y)] = 1;
  // The filled part of a row crossed by the vertical lines, copied into each.
  std::vector<std::uint32_t> pattern;
  if (fill) {
    pattern.assign(static_cast<std::size_t>(fr - fl), brush);
    for (int x : inside) pattern[static_cast<std::size_t>(x - fl)] = pen;
  }
  for (std::int64_t y = 0; y < H; ++y) {
    std::uint32_t* row = &t.At(0, static_cast<int>(y));
    const bool crossed = y >= va && y < vb;
    if (fill && y >= ft && y < fb) {
      if (crossed)
        std::memcpy(row + fl, pattern.data(), pattern.size() * sizeof(std::uint32_t));
      else
        std::fill_n(row + fl, fr - fl, brush);
    } else if (crossed) {
      for (int x : inside) row[x] = pen;
    }
    if (crossed)
      for (int x : outside) row[x] = pen;
    if (ruled[static_cast<std::size_t>(y)]) std::fill_n(row + ha, hb - ha, pen);
  }
}

void TImageCanvas::SetPixel(int x, int y, TColor c) {
  Target t = Begin();
  if (t.bits && t.clip.Contains(x, y)) t.At(x, y) = ColorToPixel(c);
}

TColor TImageCanvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= image_->width() || y >= image_->height()) return clBlack;
  return PixelToColor(image_->pixel(x, y));
}

void TImageCanvas::TextOut(int x, int y, const std::string& utf8) {
  if (image_->isNull() || utf8.empty()) return;
  Begin();  // makes sure of the format
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  const QFont font = CanvasFont(Font, ppi_);
  QFontMetrics fm(font, image_);
  const int w = fm.horizontalAdvance(text), h = fm.height();
  const long long right = static_cast<long long>(x) + w, bottom = static_cast<long long>(y) + h;
  if (right <= 0 || bottom <= 0 || x >= image_->width() || y >= image_->height()) return;
  QPainter p(image_);
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setRenderHint(QPainter::TextAntialiasing, false);
  p.setClipRect(0, 0, image_->width(), image_->height());
  if (Brush.Style != TBrushStyle::bsClear) p.fillRect(x, y, w, h, QColor::fromRgb(ColorToPixel(Brush.Color)));
  p.setFont(font);
  p.setPen(QColor::fromRgb(ColorToPixel(Font.Color)));
  p.drawText(x, y + fm.ascent(), text);
}

int TImageCanvas::TextWidth(const std::string& utf8) {
  const QFont font = CanvasFont(Font, ppi_);
  QFontMetrics fm(font, image_->isNull() ? nullptr : image_);
  return fm.horizontalAdvance(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

int TImageCanvas::TextHeight(const std::string&) {
  const QFont font = CanvasFont(Font, ppi_);
  QFontMetrics fm(font, image_->isNull() ? nullptr : image_);
  return fm.height();
}

}  // namespace plat
