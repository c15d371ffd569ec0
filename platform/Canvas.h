#pragma once
// The drawing surface the windows draw on, with the conventions their drawing
// code was written for (the classic Windows GDI ones):
//  - colours are 0x00BBGGRR;
//  - LineTo draws from the current position and does not paint its end pixel;
//  - Rectangle and Ellipse take a box whose right and bottom edges are
//    excluded, outline with the pen, fill with the brush, and do not move the
//    current position;
//  - the pen mode combines pen colour and picture (copy, not-xor, xor), and
//    not-xor/xor drawing is exactly self-inverse;
//  - no antialiasing; everything is clipped to the surface.
// TImageCanvas draws into a QImage; TRecordingCanvas logs each call (and can
// also draw, so tests may probe pixels and calls together); TPainterCanvas
// draws with a QPainter on a printer's page (PainterCanvas.h says where paper
// departs from these rules).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class QImage;
class QPaintDevice;

namespace plat {

using TColor = std::uint32_t;  // 0x00BBGGRR
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clGreen = 0x008000,
                 clNavy = 0x800000, clBlue = 0xFF0000, clLime = 0x00FF00, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clMaroon = 0x000080, clOlive = 0x008080;

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };
enum class TPenMode { pmCopy, pmNotXor, pmXor };
enum class TBrushStyle { bsSolid, bsClear };

// The dash pattern of a one-pixel pen on the screen: the lengths of its
// dashes and gaps in turn, in pixels, starting with a dash; a line starts
// the pattern afresh. No pattern (Count 0) for a solid or a clear pen.
struct TDashPattern {
  int Count = 0;
  int Len[6] = {};
};
constexpr TDashPattern DashPatternOf(TPenStyle s) {
  switch (s) {
    case TPenStyle::psDash: return {2, {18, 6}};
    case TPenStyle::psDot: return {2, {3, 3}};
    case TPenStyle::psDashDot: return {4, {9, 6, 3, 6}};
    case TPenStyle::psDashDotDot: return {6, {9, 3, 3, 3, 3, 3}};
    default: return {};
  }
}

struct TPoint {
  int X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};
struct TRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TRect&) const = default;
};

struct TPen {
  TColor Color = clBlack;
  int Width = 1;
  TPenStyle Style = TPenStyle::psSolid;
  TPenMode Mode = TPenMode::pmCopy;
};
struct TBrush {
  TColor Color = clWhite;
  TBrushStyle Style = TBrushStyle::bsSolid;
};
struct TFont {
  std::string Name = "MS Sans Serif";  // mapped to an installed face by the Qt canvas
  int Size = 8;                        // points (96 pixels per inch unless the canvas says otherwise)
  TColor Color = clBlack;
  bool Bold = false;
  bool Italic = false;
};

// The tools the next drawing call uses are plain fields, as on the platform
// the windows were written for: set Pen/Brush/Font, then draw.
class TCanvas {
 public:
  virtual ~TCanvas() = default;

  TPen Pen;
  TBrush Brush;
  TFont Font;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;  // end pixel not painted; position moves to (x, y)
  virtual TPoint PenPos() const = 0;

  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;  // box [x1, x2) x [y1, y2)
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;    // inscribed in the same box
  virtual void Polygon(const std::vector<TPoint>& points) = 0; // outline pen, fill brush
  virtual void FillRect(const TRect& r) = 0;                   // brush only, no outline
  // A background with straight lines over it: FillRect(r), then with the pen
  // a line from (x, r.Top) to (x, r.Bottom) for each x of `columns` and from
  // (r.Left, y) to (r.Right, y) for each y of `rows`, exactly as those calls
  // (which this one makes); a canvas may paint the same pixels in one pass.
  virtual void FillRuled(const TRect& r, const std::vector<int>& columns, const std::vector<int>& rows) {
    FillRect(r);
    for (int x : columns) {
      MoveTo(x, r.Top);
      LineTo(x, r.Bottom);
    }
    for (int y : rows) {
      MoveTo(r.Left, y);
      LineTo(r.Right, y);
    }
  }
  virtual void SetPixel(int x, int y, TColor c) = 0;
  virtual TColor GetPixel(int x, int y) const = 0;             // clBlack outside the surface

  // Text with its top-left corner at (x, y), in Font; the cell behind it is
  // filled with Brush.Color unless Brush.Style is bsClear. UTF-8.
  virtual void TextOut(int x, int y, const std::string& utf8) = 0;
  virtual int TextWidth(const std::string& utf8) = 0;
  virtual int TextHeight(const std::string& utf8) = 0;

  // Pixels per inch the canvas's fonts are laid out for (96 on the screen).
  virtual int PixelsPerInch() const { return 96; }
};

}  // namespace plat
