#pragma once
// The plotter's formulas and the drawing of axes, grid and graphs. Both
// drawing operations work on any canvas and pixel rectangle and scale every
// decoration with the pen width, so the screen and a printed page share them.
#include <string>

#include "platform/Canvas.h"

namespace lumivar {

struct TGraphRec;

// One formula y = f(X) with the coefficients A, B, C. Sets PointDefined.
using TGraphFunc = long double (*)(long double X, long double A, long double B, long double C);

long double EvalSin(long double X, long double A, long double B, long double C);
long double EvalCos(long double X, long double A, long double B, long double C);
long double EvalQuadratic(long double X, long double A, long double B, long double C);
long double EvalXCos(long double X, long double A, long double B, long double C);
long double EvalSqrCos(long double X, long double A, long double B, long double C);
long double EvalParabola(long double X, long double A, long double B, long double C);
long double EvalHyperbola(long double X, long double A, long double B, long double C);
long double EvalAbs(long double X, long double A, long double B, long double C);
long double EvalRoot(long double X, long double A, long double B, long double C);
long double EvalTangent(long double X, long double A, long double B, long double C);
long double EvalAlt1(long double X, long double A, long double B, long double C);
long double EvalAlt2(long double X, long double A, long double B, long double C);

// The twelve formulas; out-of-range indices throw.
TGraphFunc FuncTable(int n);
// Caption of formula n: 1..10 built in, 11 and 12 the typed ones, "" above 12.
std::string FuncCaption(int n);
// Forget that the library was handed its slot and coefficients.
void ResetAltReady();

// Clears the rectangle [Left-1, Right+1] x [Top-1, Bottom+1] and draws the
// grid, the axes with arrows and letters, and the ticks with integer labels.
void DrawAxes(plat::TCanvas& Canvas, int Left, int Top, int Right, int Bottom, int OX, int OY,
              int UnitX, int UnitY, int W);
// Draws the graph of one slot column by column, clipped to the rectangle.
void DrawGraphic(plat::TCanvas& Canvas, int Left, int Top, int Right, int Bottom, int OX, int OY,
                 int UnitX, int UnitY, int PenWidth, TGraphRec Rec);

// Renders the screen view (plot size, pixels per unit and origin of the
// screen) into the rectangle [Left, Right] x [Top, Bottom] of a page: the
// screen's longer side maps onto the rectangle's shorter side and the point
// at the screen plot's centre lands on the rectangle's centre. Pens below one
// pixel and printed units that round to 0 are drawn as 1.
void PrintGraphs(plat::TCanvas& Canvas, int PlotWidth, int PlotHeight, int UnitX, int UnitY, int OX,
                 int OY, int Left, int Top, int Right, int Bottom, TGraphRec Slot1, TGraphRec Slot2,
                 bool ColorPrint, int GraphPen, int AxisPen);

// Rounds half to even; a result outside the int range (or NaN) is an error.
int RoundChecked(long double v);
// a - b; an overflow is an error.
int Sub(int a, int b);

}  // namespace lumivar
