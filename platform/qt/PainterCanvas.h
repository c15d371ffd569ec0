#pragma once
// The canvas over a QPainter on any paint device (a printer, a PDF writer):
// the drawing calls go to the device as lines, figures and text, so a page
// keeps its shapes and its text at any resolution and needs no picture of
// its own.
//
// The coordinates and conventions are those of TImageCanvas: a figure's
// pixel (x, y) is the square [x, x+1) x [y, y+1), lines join pixel centres,
// boxes exclude their right and bottom edges, pen widths are in device
// pixels. Where paper differs from the screen:
//  - the end pixel rule of one-pixel lines holds to within a fraction of a
//    pixel (a line stops half a pixel before the centre of its end);
//  - dashed and dotted pens keep their style at every width, and their
//    dashes and gaps keep their length on the page: the screen's pattern at
//    the screen's pixel size (1/96 inch), whatever the pen's width;
//  - edges and text are antialiased where the device rasterises;
//  - not-xor and xor pens draw as copy pens on devices without raster
//    operations (a page is drawn once, nothing is drawn twice to undo it);
//  - GetPixel reads the pixel of an image device and answers white (the
//    paper) on any other.
// Consecutive lines drawn with the same solid pen are sent as one polyline
// (smooth joins, a small page): call Flush() before ending the painter.
#include <QPolygonF>
#include <string>
#include <vector>

#include "platform/Canvas.h"

class QPainter;

namespace plat {

class TPainterCanvas : public TCanvas {
 public:
  // Draws with `painter` (not owned, active) on a surface of width by
  // height device pixels at `ppi` pixels per inch; everything is clipped to
  // that surface.
  TPainterCanvas(QPainter& painter, int width, int height, int ppi);
  ~TPainterCanvas() override;
  TPainterCanvas(const TPainterCanvas&) = delete;
  TPainterCanvas& operator=(const TPainterCanvas&) = delete;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  TPoint PenPos() const override { return pos_; }

  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(const std::vector<TPoint>& points) override;
  void FillRect(const TRect& r) override;
  void SetPixel(int x, int y, TColor c) override;
  TColor GetPixel(int x, int y) const override;

  void TextOut(int x, int y, const std::string& utf8) override;
  int TextWidth(const std::string& utf8) override;
  int TextHeight(const std::string& utf8) override;

  int PixelsPerInch() const override { return ppi_; }

  // Sends the lines still held back to the painter.
  void Flush();

 private:
  // Sets the painter's pen for an outline of `pen` (no pen for psClear);
  // `styled` keeps the dash pattern, else the outline is solid.
  void UsePen(const TPen& pen, bool styled);
  void UseMode(TPenMode mode);
  void DrawLine(TPoint from, TPoint to);

  QPainter& painter_;
  int width_, height_, ppi_;
  TPoint pos_;
  bool rasterOps_ = false;
  // The polyline held back: its points (pixel coordinates) and its pen.
  QPolygonF pending_;
  TPen pendingPen_;
};

}  // namespace plat
