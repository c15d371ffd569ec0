#include "lumivar/DrawGraph.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <stdexcept>

#include "lumivar/Func.h"
#include "lumivar/Graph.h"

namespace lumivar {

namespace {

const char* const FuncCaptions[10] = {
    "y=aSin(x-b)+c", "y=aCos(x-b)+c",   "y=ax^2+bx+c",    "y=axCos(b*x)+c", "y=x^2+aCos(b*x)+c",
    "y=a(x-b)^2+c",  "y=a/(x-b)+c",     "y=a|x-b|+c",     "y=a(x-b)^1/2+c", "y=aTg(x-b)+c"};

long double Defined(long double v) {
  PointDefined = true;
  return v;
}

// A guarded formula's failure: the point is undefined and its value 0.
long double Undefined() {
  PointDefined = false;
  return 0;
}

long double Checked(long double v) { return std::isfinite(v) ? Defined(v) : Undefined(); }

long double EvalAlt(int n, long double X, long double A, long double B, long double C) {
  if (!AltReady[n]) {
    SelectLibrarySlot(n);
    Korvel.Init_ABC(A, B, C);
    AltReady[n] = true;
  }
  // A slot whose last compile was rejected holds a broken token list.
  if (!AltCompiled[n]) return Undefined();
  const long double v = Korvel.Interpret(X);
  PointDefined = Korvel.GetDraw() != 0;
  return v;
}

int Mul(int a, int b) {
  int r;
  if (__builtin_mul_overflow(a, b, &r)) throw std::overflow_error("Integer overflow");
  return r;
}
int Add(int a, int b) {
  int r;
  if (__builtin_add_overflow(a, b, &r)) throw std::overflow_error("Integer overflow");
  return r;
}

void Line(plat::TCanvas& c, int x1, int y1, int x2, int y2) {
  c.MoveTo(x1, y1);
  c.LineTo(x2, y2);
}

}  // namespace

int Sub(int a, int b) {
  int r;
  if (__builtin_sub_overflow(a, b, &r)) throw std::overflow_error("Integer overflow");
  return r;
}

long double EvalSin(long double X, long double A, long double B, long double C) {
  return Defined(C + A * sinl(X - B));
}
long double EvalCos(long double X, long double A, long double B, long double C) {
  return Defined(C + A * cosl(X - B));
}
long double EvalQuadratic(long double X, long double A, long double B, long double C) {
  return Defined(C + (X * (A * X) + B * X));
}
long double EvalXCos(long double X, long double A, long double B, long double C) {
  return Defined(C + cosl(B * X) * (A * X));
}
long double EvalSqrCos(long double X, long double A, long double B, long double C) {
  return Defined(C + (A * cosl(B * X) + X * X));
}
long double EvalParabola(long double X, long double A, long double B, long double C) {
  return Defined(C + (X - B) * (A * (X - B)));
}
long double EvalHyperbola(long double X, long double A, long double B, long double C) {
  const long double d = X - B;
  if (d == 0) return Undefined();
  return Checked(C + A / d);
}
long double EvalAbs(long double X, long double A, long double B, long double C) {
  return Defined(C + A * fabsl(X - B));
}
long double EvalRoot(long double X, long double A, long double B, long double C) {
  const long double d = X - B;
  if (d < 0 || std::isnan(d)) return Undefined();
  return Checked(C + A * sqrtl(d));
}
long double EvalTangent(long double X, long double A, long double B, long double C) {
  return Checked(C + A * tanl(X - B));
}
long double EvalAlt1(long double X, long double A, long double B, long double C) {
  return EvalAlt(1, X, A, B, C);
}
long double EvalAlt2(long double X, long double A, long double B, long double C) {
  return EvalAlt(2, X, A, B, C);
}

TGraphFunc FuncTable(int n) {
  static const TGraphFunc table[12] = {EvalSin,      EvalCos,       EvalQuadratic, EvalXCos,
                                       EvalSqrCos,   EvalParabola,  EvalHyperbola, EvalAbs,
                                       EvalRoot,     EvalTangent,   EvalAlt1,      EvalAlt2};
  if (n < 1 || n > 12) throw std::out_of_range("Formula index out of range");
  return table[n - 1];
}

std::string FuncCaption(int n) {
  if (n < 1) throw std::out_of_range("Formula index out of range");
  if (n <= 10) return FuncCaptions[n - 1];
  if (n <= 12) return AltFormulas[n - 10];
  return {};
}

void ResetAltReady() {
  AltReady[1] = false;
  AltReady[2] = false;
}

void DrawAxes(plat::TCanvas& Canvas, int Left, int Top, int Right, int Bottom, int OX, int OY,
              int UnitX, int UnitY, int W) {
  // A unit below one pixel would never move the tick and grid loops on.
  if (UnitX < 1) UnitX = 1;
  if (UnitY < 1) UnitY = 1;
  const int arrow = Mul(9, W), half = Mul(3, W), tick = Mul(2, W), gap = Mul(30, W);

  Canvas.Pen.Width = W;
  Canvas.Pen.Color = plat::clWhite;
  Canvas.Pen.Style = plat::TPenStyle::psSolid;
  Canvas.Brush.Color = plat::clWhite;
  Canvas.Brush.Style = plat::TBrushStyle::bsSolid;
  Canvas.Rectangle(Left - 1, Top - 1, Right + 1, Bottom + 1);

  Canvas.Pen.Color = plat::clBlack;
  Canvas.Font.Color = plat::clBlack;
  Canvas.Font.Bold = true;
  Canvas.Font.Italic = true;
  Canvas.Font.Size = 9;
  Canvas.Font.Name = "Times New Roman";

  if (GridOn) {
    Canvas.Pen.Style = GridStyle;
    Canvas.Pen.Color = GridColor;
    int d = Sub(OX, Left);
    int g = Left + d % UnitX;
    if (d < 0) g += UnitX;
    for (; g <= Right; g = Add(g, UnitX))
      if (g != OX) Line(Canvas, g, Top, g, Bottom);
    d = Sub(OY, Top);
    int h = Top + d % UnitY;
    if (d < 0) h += UnitY;
    for (; h <= Bottom; h = Add(h, UnitY))
      if (h != OY) Line(Canvas, Left, h, Right, h);
    Canvas.Pen.Style = plat::TPenStyle::psSolid;
    Canvas.Pen.Color = plat::clBlack;
  }

  if (Top <= OY && OY <= Bottom) {
    Canvas.Brush.Color = plat::clBlack;
    Line(Canvas, Left, OY, Right, OY);
    Canvas.Polygon({{Right, OY}, {Right - arrow, OY + half}, {Right - arrow, OY - half}, {Right, OY}});
    Canvas.Brush.Color = plat::clWhite;
    Canvas.TextOut(Right - arrow, OY + static_cast<int>(nearbyintl(1.5L * half)), "x");
  }

  if (Left <= OX && OX <= Right) {
    Canvas.Brush.Color = plat::clBlack;
    Line(Canvas, OX, Top, OX, Bottom);
    Canvas.Polygon({{OX, Top}, {OX + half, Top + arrow}, {OX - half, Top + arrow}, {OX, Top}});
    Canvas.Brush.Color = plat::clWhite;
    Canvas.TextOut(OX - arrow - 1 - Canvas.TextWidth("y"), Top, "y");
  }

  if (Sub(Top, tick) <= OY && OY <= Add(Bottom, tick)) {
    const int rightEnd = Sub(Right, arrow);
    int lastRight = Sub(OX, gap), lastLeft = OX;
    bool rightDone = false, leftDone = false;
    for (int k = 0; !(rightDone && leftDone); ++k) {
      const int step = Mul(k, UnitX);
      if (!rightDone) {
        const int x = Add(OX, step);
        if (x > rightEnd) {
          rightDone = true;
        } else if (x >= Left) {
          Line(Canvas, x, OY + tick, x, OY - tick);
          if (x - lastRight >= gap) {
            const std::string t = std::to_string(k);
            Canvas.TextOut(x - Canvas.TextWidth(t) / 2, OY + tick + 1, t);
            lastRight = x;
          }
        }
      }
      if (!leftDone) {
        const int x = Sub(OX, step);
        if (x < Left) {
          leftDone = true;
        } else if (x <= rightEnd) {
          Line(Canvas, x, OY + tick, x, OY - tick);
          if (Add(OX, step) - lastLeft >= gap) {
            const std::string t = "-" + std::to_string(k);
            Canvas.TextOut(x - Canvas.TextWidth(t) / 2, OY + tick + 1, t);
            lastLeft = OX + step;
          }
        }
      }
    }
  }

  if (Sub(Left, tick) <= OX && OX <= Add(Right, tick)) {
    const int topEnd = Add(Top, arrow);
    int lastDown = OY, lastUp = OY;
    bool downDone = false, upDone = false;
    for (int k = 1; !(downDone && upDone); ++k) {
      const int step = Mul(k, UnitY);
      if (!downDone) {
        const int y = Add(OY, step);
        if (y > Bottom) {
          downDone = true;
        } else if (y >= topEnd) {
          Line(Canvas, OX + tick, y, OX - tick, y);
          if (y - lastDown >= gap) {
            const std::string t = "-" + std::to_string(k);
            Canvas.TextOut(OX + tick + 1, y - Canvas.TextHeight(t) / 2, t);
            lastDown = y;
          }
        }
      }
      if (!upDone) {
        const int y = Sub(OY, step);
        if (y < topEnd) {
          upDone = true;
        } else if (y <= Bottom) {
          Line(Canvas, OX + tick, y, OX - tick, y);
          if (Add(OY, step) - lastUp >= gap) {
            const std::string t = std::to_string(k);
            Canvas.TextOut(OX + tick + 1, y - Canvas.TextHeight(t) / 2, t);
            lastUp = OY + step;
          }
        }
      }
    }
  }
}

void DrawGraphic(plat::TCanvas& Canvas, int Left, int Top, int Right, int Bottom, int OX, int OY,
                 int UnitX, int UnitY, int PenWidth, TGraphRec Rec) {
  ResetAltReady();
  Canvas.Pen.Color = Rec.Color;
  Canvas.Pen.Width = PenWidth;
  if (UnitX < 1) UnitX = 1;
  const long double A = static_cast<long double>(Rec.ANum) / Rec.ADen;
  const long double B = static_cast<long double>(Rec.BNum) / Rec.BDen;
  const long double C = static_cast<long double>(Rec.CNum) / Rec.CDen;
  const TGraphFunc f = FuncTable(Rec.FuncIndex);

  // Rows outside the rectangle become Top - 1 or Bottom + 1 before any
  // conversion. An undefined or non-finite value is never converted: it
  // counts as 0, the value the guarded formulas give for such a point.
  auto rowOf = [&](int i) {
    const long double X = static_cast<long double>(i - static_cast<long double>(OX)) / UnitX;
    const long double v = f(X, A, B, C);
    long double yy = OY - v * UnitY;
    if (!PointDefined || std::isnan(yy)) {
      PointDefined = false;
      yy = OY;
    }
    if (yy > Bottom) return Bottom + 1;
    if (yy < Top) return Top - 1;
    return static_cast<int>(nearbyintl(yy));
  };

  int prev = rowOf(Left);
  if (Right < Left) return;
  for (int i = Left; i <= Right; ++i) {
    const int row = rowOf(i);
    const bool below = row > Bottom && prev > Bottom;
    const bool above = row < Top && prev < Top;
    if (i == Left || !PointDefined || !PenDown || below || above) {
      if (!PointDefined) PenDown = false;
      if (below)
        Canvas.MoveTo(i, Bottom);
      else if (above)
        Canvas.MoveTo(i, Top);
      else
        Canvas.MoveTo(i, std::clamp(row, Top, Bottom));
    } else {
      Canvas.LineTo(i, std::clamp(row, Top, Bottom));
    }
    prev = row;
    if (PointDefined) PenDown = true;
  }
}

int RoundChecked(long double v) {
  const long double r = nearbyintl(v);
  if (!(r >= static_cast<long double>(INT_MIN) && r <= static_cast<long double>(INT_MAX)))
    throw std::range_error("Range check error");
  return static_cast<int>(r);
}

void PrintGraphs(plat::TCanvas& Canvas, int PlotWidth, int PlotHeight, int UnitX, int UnitY, int OX,
                 int OY, int Left, int Top, int Right, int Bottom, TGraphRec Slot1, TGraphRec Slot2,
                 bool ColorPrint, int GraphPen, int AxisPen) {
  // The world point at the centre of the screen plot (y counts downwards).
  const double cx = static_cast<double>((PlotWidth / 2.0L - OX) / UnitX);
  const double cy = static_cast<double>((PlotHeight / 2.0L - OY) / UnitY);
  const int pw = Sub(Right, Left), ph = Sub(Bottom, Top);
  const long double m = std::min(pw, ph);
  const long double M = std::max(PlotWidth, PlotHeight);
  // A small rectangle or a large view can round a unit to 0, which would
  // divide by zero in the graph's columns.
  const int pUnitX = std::max(1, RoundChecked(UnitX / M * m));
  const int pUnitY = std::max(1, RoundChecked(UnitY / M * m));
  const int pOX = Add(Left, RoundChecked(pw / 2.0L - pUnitX * static_cast<long double>(cx)));
  const int pOY = Add(Top, RoundChecked(ph / 2.0L - pUnitY * static_cast<long double>(cy)));
  const int W = std::max(1, AxisPen), G = std::max(1, GraphPen);
  DrawAxes(Canvas, Left, Top, Right, Bottom, pOX, pOY, pUnitX, pUnitY, W);
  if (!ColorPrint) Slot1.Color = Slot2.Color = plat::clBlack;
  DrawGraphic(Canvas, Left, Top, Right, Bottom, pOX, pOY, pUnitX, pUnitY, G, Slot1);
  if (SystemMode) DrawGraphic(Canvas, Left, Top, Right, Bottom, pOX, pOY, pUnitX, pUnitY, G, Slot2);
}

}  // namespace lumivar
