#include "platform/qt/PainterCanvas.h"

#include <QFontMetrics>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>

#include "platform/qt/ImageCanvas.h"

namespace plat {

namespace {

QColor ToQColor(TColor c) { return QColor::fromRgb(ColorToPixel(c)); }

// Pixels per inch of the screen the dash patterns were made for.
constexpr double kScreenPpi = 96;

// A styled pen's dashes on paper: the screen's pattern as lengths on the
// page, whatever the pen's width. Qt measures a pattern in pen widths and
// would otherwise stretch the dashes of a wide pen into bars.
QList<qreal> DashesOf(TPenStyle s, int ppi, int width) {
  const TDashPattern p = DashPatternOf(s);
  const double scale = ppi / kScreenPpi / width;
  QList<qreal> dashes;
  for (int k = 0; k < p.Count; ++k) dashes.append(p.Len[k] * scale);
  return dashes;
}

bool SamePen(const TPen& a, const TPen& b) {
  return a.Color == b.Color && a.Width == b.Width && a.Style == b.Style && a.Mode == b.Mode;
}

// The centre of pixel p.
QPointF Centre(TPoint p) { return QPointF(p.X + 0.5, p.Y + 0.5); }

// Half a pixel along the major axis of the segment from a to b: a one-pixel
// line from a to b covers a's pixel and stops before b's.
QPointF HalfStep(QPointF a, QPointF b) {
  const double dx = b.x() - a.x(), dy = b.y() - a.y();
  const double major = std::max(std::fabs(dx), std::fabs(dy));
  if (major == 0) return {};
  return QPointF(0.5 * dx / major, 0.5 * dy / major);
}

}  // namespace

TPainterCanvas::TPainterCanvas(QPainter& painter, int width, int height, int ppi)
    : painter_(painter), width_(std::max(0, width)), height_(std::max(0, height)), ppi_(ppi > 0 ? ppi : 96) {
  const QPaintEngine* engine = painter_.paintEngine();
  rasterOps_ = engine && engine->hasFeature(QPaintEngine::RasterOpModes);
  // Smooth edges on paper; on a vector device (PDF) the hints change nothing
  // but the rasteriser that later renders the page.
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setClipRect(QRect(0, 0, width_, height_));
}

TPainterCanvas::~TPainterCanvas() {
  if (painter_.isActive()) Flush();
}

void TPainterCanvas::UseMode(TPenMode mode) {
  QPainter::CompositionMode m = QPainter::CompositionMode_SourceOver;
  if (rasterOps_ && mode == TPenMode::pmXor) m = QPainter::RasterOp_SourceXorDestination;
  if (rasterOps_ && mode == TPenMode::pmNotXor) m = QPainter::RasterOp_NotSourceXorDestination;
  if (painter_.compositionMode() != m) painter_.setCompositionMode(m);
}

void TPainterCanvas::UsePen(const TPen& pen, bool styled) {
  if (pen.Style == TPenStyle::psClear) {
    painter_.setPen(Qt::NoPen);
    return;
  }
  const int w = std::max(1, pen.Width);
  QPen p(ToQColor(pen.Color));
  p.setWidth(w);
  p.setCosmetic(false);
  const QList<qreal> dashes = styled ? DashesOf(pen.Style, ppi_, w) : QList<qreal>{};
  if (!dashes.isEmpty()) {
    p.setDashPattern(dashes);
    p.setCapStyle(Qt::FlatCap);  // dashes exactly as long as the pattern says
  } else {
    // Wide lines end round on the centres of their end pixels, as on the
    // screen; a one-pixel line ends flat where its last pixel ends.
    p.setCapStyle(w > 1 ? Qt::RoundCap : Qt::FlatCap);
  }
  p.setJoinStyle(Qt::RoundJoin);
  painter_.setPen(p);
}

void TPainterCanvas::MoveTo(int x, int y) { pos_ = {x, y}; }

void TPainterCanvas::LineTo(int x, int y) {
  const TPoint from = pos_;
  pos_ = {x, y};
  if (Pen.Style == TPenStyle::psClear || from == pos_) return;  // a line of no length paints nothing
  if (Pen.Style != TPenStyle::psSolid) {
    // Each styled line starts its pattern afresh, as on the screen.
    Flush();
    DrawLine(from, pos_);
    return;
  }
  if (!pending_.isEmpty() && SamePen(Pen, pendingPen_) && pending_.last() == QPointF(from.X, from.Y)) {
    pending_.append(QPointF(x, y));
    return;
  }
  Flush();
  pending_ = QPolygonF({QPointF(from.X, from.Y), QPointF(x, y)});
  pendingPen_ = Pen;
}

void TPainterCanvas::DrawLine(TPoint from, TPoint to) {
  UseMode(Pen.Mode);
  UsePen(Pen, true);
  QPointF a = Centre(from), b = Centre(to);
  if (std::max(1, Pen.Width) == 1 || Pen.Style != TPenStyle::psSolid) {
    const QPointF h = HalfStep(a, b);
    a -= h;
    b -= h;
  }
  painter_.drawLine(a, b);
}

void TPainterCanvas::Flush() {
  if (pending_.size() < 2) {
    pending_.clear();
    return;
  }
  QPolygonF line = pending_;
  pending_.clear();
  UseMode(pendingPen_.Mode);
  UsePen(pendingPen_, true);
  line.translate(0.5, 0.5);
  if (std::max(1, pendingPen_.Width) == 1) {
    line.first() -= HalfStep(line[0], line[1]);
    line.last() -= HalfStep(line[line.size() - 2], line.last());
  }
  painter_.drawPolyline(line);
}

void TPainterCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  Flush();
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  UseMode(Pen.Mode);
  const QBrush brush = Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush.Color));
  if (Pen.Style == TPenStyle::psClear) {
    painter_.fillRect(QRectF(x1, y1, double(x2) - x1, double(y2) - y1), brush);
    return;
  }
  // The outline is centred on the box's outer pixels.
  UsePen(Pen, false);
  QPen p = painter_.pen();
  p.setJoinStyle(Qt::MiterJoin);
  p.setCapStyle(Qt::SquareCap);
  painter_.setPen(p);
  painter_.setBrush(brush);
  painter_.drawRect(QRectF(x1 + 0.5, y1 + 0.5, double(x2) - x1 - 1, double(y2) - y1 - 1));
}

void TPainterCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  Flush();
  if (x1 > x2) std::swap(x1, x2);
  if (y1 > y2) std::swap(y1, y2);
  if (x1 == x2 || y1 == y2) return;
  UseMode(Pen.Mode);
  UsePen(Pen, false);
  painter_.setBrush(Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush.Color)));
  if (Pen.Style == TPenStyle::psClear)
    painter_.drawEllipse(QRectF(x1, y1, double(x2) - x1, double(y2) - y1));
  else
    painter_.drawEllipse(QRectF(x1 + 0.5, y1 + 0.5, double(x2) - x1 - 1, double(y2) - y1 - 1));
}

void TPainterCanvas::Polygon(const std::vector<TPoint>& points) {
  Flush();
  if (points.size() < 2) return;
  UseMode(Pen.Mode);
  UsePen(Pen, false);
  painter_.setBrush(Brush.Style == TBrushStyle::bsClear ? QBrush(Qt::NoBrush) : QBrush(ToQColor(Brush.Color)));
  QPolygonF poly;
  poly.reserve(static_cast<qsizetype>(points.size()));
  for (const TPoint& p : points) poly.append(Centre(p));
  painter_.drawPolygon(poly, Qt::OddEvenFill);
}

void TPainterCanvas::FillRect(const TRect& r) {
  Flush();
  const int l = std::min(r.Left, r.Right), t = std::min(r.Top, r.Bottom);
  const double w = std::fabs(double(r.Right) - r.Left), h = std::fabs(double(r.Bottom) - r.Top);
  if (w == 0 || h == 0) return;
  UseMode(TPenMode::pmCopy);
  painter_.fillRect(QRectF(l, t, w, h), ToQColor(Brush.Color));
}

void TPainterCanvas::SetPixel(int x, int y, TColor c) {
  Flush();
  UseMode(TPenMode::pmCopy);
  painter_.fillRect(QRectF(x, y, 1, 1), ToQColor(c));
}

TColor TPainterCanvas::GetPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return clBlack;
  const QPaintDevice* device = painter_.device();
  if (device && device->devType() == QInternal::Image) {
    const auto* image = static_cast<const QImage*>(device);
    if (x < image->width() && y < image->height()) return PixelToColor(image->pixel(x, y));
  }
  return clWhite;
}

namespace {

// The canvas's font for drawing: the screen's face and pixel size, with
// smooth outlines.
QFont PaperFont(const TFont& f, int ppi) {
  QFont font = CanvasFont(f, ppi);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

QString ToQString(const std::string& utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

void TPainterCanvas::TextOut(int x, int y, const std::string& utf8) {
  Flush();
  if (utf8.empty()) return;
  const QString text = ToQString(utf8);
  const QFont font = PaperFont(Font, ppi_);
  const QFontMetrics fm(font, painter_.device());
  const int w = fm.horizontalAdvance(text), h = fm.height();
  UseMode(TPenMode::pmCopy);
  if (Brush.Style != TBrushStyle::bsClear) painter_.fillRect(QRectF(x, y, w, h), ToQColor(Brush.Color));
  painter_.setFont(font);
  painter_.setPen(ToQColor(Font.Color));
  painter_.drawText(QPointF(x, double(y) + fm.ascent()), text);
}

int TPainterCanvas::TextWidth(const std::string& utf8) {
  return QFontMetrics(PaperFont(Font, ppi_), painter_.device()).horizontalAdvance(ToQString(utf8));
}

int TPainterCanvas::TextHeight(const std::string&) {
  return QFontMetrics(PaperFont(Font, ppi_), painter_.device()).height();
}

}  // namespace plat
