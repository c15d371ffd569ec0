// The main window's view handlers: the window's size, zoom and pan by mouse,
// the zoom cursors, and the boxes of the units, the centre and the
// coefficients.
#include "lumivar/Graph.h"

#include <QAction>
#include <QFrame>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/SpinText.h"
#include "platform/qt/SpinEdit.h"

namespace lumivar {

namespace {

// Round half to even, kept inside the int range so a wild value cannot
// overflow the conversion (the spin edits clamp it afterwards anyway).
int RoundToInt(long double v) {
  const long double r = nearbyintl(v);
  if (!(r > std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (!(r < std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return static_cast<int>(r);
}

}  // namespace

void TMainForm::FormResize() {
  double cx = 0, cy = 0;
  if (PlotWidth != 0 && PlotHeight != 0) {
    cx = static_cast<double>((PlotWidth / 2.0L - Spin3->Value()) / UnitX());
    cy = static_cast<double>((PlotHeight / 2.0L - Spin4->Value()) / UnitY());
  }
  PlotWidth = ClientWidth();
  PlotHeight = ClientHeight() - TypeFunc->height() - Panel->height();
  if (Tag == tagDestroyed) return;
  {
    const TBusy busy(Tag);
    Spin3->SetValue(RoundToInt(PlotWidth / 2.0L - UnitX() * static_cast<long double>(cx)));
    Spin4->SetValue(RoundToInt(PlotHeight / 2.0L - UnitY() * static_cast<long double>(cy)));
  }
  if (ScreenBitmap) ScreenBitmap->SetSize(ClientWidth(), ClientHeight());
  RedrawGraphs();
}

void TMainForm::FormMouseDown(Qt::MouseButton, Qt::KeyboardModifiers Shift, int X, int Y) {
  {
    const TBusy busy(Tag);
    const bool shift = Shift & Qt::ShiftModifier;
    const bool ctrl = Shift & Qt::ControlModifier;
    const bool alt = Shift & Qt::AltModifier;
    if (shift || ctrl || alt) {
      // The clicked point is kept in doubles; the new origin is worked out in
      // extended precision from them.
      const double wx = static_cast<double>((X - static_cast<long double>(Spin3->Value())) / UnitX());
      const double wy =
          static_cast<double>((Y - static_cast<long double>(TypeFunc->height()) - Spin4->Value()) / UnitY());
      if (shift) {
        long double v = UnitX();
        Spin1->SetValue(RoundToInt(v + v * 0.3L) + 1);
        v = UnitY();
        Spin2->SetValue(RoundToInt(v + v * 0.3L) + 1);
      } else if (ctrl) {
        long double v = UnitX();
        Spin1->SetValue(RoundToInt(v - v * 0.3L));
        v = UnitY();
        Spin2->SetValue(RoundToInt(v - v * 0.3L));
      }
      Spin3->SetValue(RoundToInt(PlotWidth / 2.0L - UnitX() * static_cast<long double>(wx)));
      Spin4->SetValue(RoundToInt(PlotHeight / 2.0L - UnitY() * static_cast<long double>(wy)));
    }
  }
  RedrawGraphs();
}

void TMainForm::FormKeyDown(int Key, Qt::KeyboardModifiers Shift) {
  if ((Shift & Qt::ShiftModifier) || Key == Qt::Key_Shift) {
    setCursor(crZoomIn);
    ZoomCursorShown = true;
  }
  if ((Shift & Qt::ControlModifier) || Key == Qt::Key_Control) {
    setCursor(crZoomOut);
    ZoomCursorShown = true;
  }
}

void TMainForm::FormKeyUp(int, Qt::KeyboardModifiers) {
  if (!ZoomCursorShown) return;
  unsetCursor();
  ZoomCursorShown = false;
}

void TMainForm::SpinEdinChange(plat::TSpinEdit* Sender) {
  if (Sinhron->isChecked()) {
    if (Sender->objectName() == "Spin2")
      Spin1->SetValue(Sender->Value());
    else
      Spin2->SetValue(Sender->Value());
  }
  if (Tag == tagIdle) RedrawGraphs();
}

void TMainForm::SpinCenterChange(plat::TSpinEdit*) {
  if (Tag == tagIdle) RedrawGraphs();
}

namespace {
int ReadOr(const plat::TSpinEdit* s, int fallback) {
  int v = 0;
  return plat::TryStrToInt(s->Text(), v) ? v : fallback;
}
// A denominator of 0 or less is replaced by 1 at once.
int ReadDenominator(plat::TSpinEdit* s) {
  if (s->Value() <= 0) s->SetValue(1);
  return std::max(1, ReadOr(s, 1));
}
}  // namespace

void TMainForm::SpinAChange(plat::TSpinEdit*) {
  Graphs[CurGraph].ANum = ReadOr(SpinA, 0);
  RedrawGraphs();
}
void TMainForm::SpinBChange(plat::TSpinEdit*) {
  Graphs[CurGraph].BNum = ReadOr(SpinB, 0);
  RedrawGraphs();
}
void TMainForm::SpinCChange(plat::TSpinEdit*) {
  Graphs[CurGraph].CNum = ReadOr(SpinC, 0);
  RedrawGraphs();
}
void TMainForm::SpinAAChange(plat::TSpinEdit*) {
  const int v = ReadDenominator(SpinAA);
  Graphs[CurGraph].ADen = v;
  RedrawGraphs();
}
void TMainForm::SpinBBChange(plat::TSpinEdit*) {
  const int v = ReadDenominator(SpinBB);
  Graphs[CurGraph].BDen = v;
  RedrawGraphs();
}
void TMainForm::SpinCCChange(plat::TSpinEdit*) {
  const int v = ReadDenominator(SpinCC);
  Graphs[CurGraph].CDen = v;
  RedrawGraphs();
}

}  // namespace lumivar
