// The main window's view navigation, mouse modes and screen-properties command.
#include <QAction>
#include <QEvent>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/ScreenFormUnit.h"
#include "orvanta/workbench/ViewCommands.h"

bool ScreenAccepted = false;

namespace {

constexpr plat::TColor BandColor = 0x008000;

// Watches the picture for the ways a drag can end without its release.
class TCaptureWatch : public QObject {
 public:
  TCaptureWatch(TGeneralForm* form, QObject* parent) : QObject(parent), form_(form) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    switch (e->type()) {
      case QEvent::WindowDeactivate:
      case QEvent::Hide:
      case QEvent::UngrabMouse:
        plat::Guard([this] { form_->ImageMouseCaptureLost(); });
        break;
      default:
        break;
    }
    return QObject::eventFilter(watched, e);
  }

 private:
  TGeneralForm* form_;
};

// The band's box with its corners in any order, as the canvas's rectangle
// takes it (right and bottom edges excluded).
plat::TRect BandBox(plat::TPoint a, plat::TPoint b) {
  return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

// The pixels of the band's one-pixel outline, in a fixed order.
std::vector<plat::TColor> OutlinePixels(const plat::TCanvas& c, const plat::TRect& r) {
  std::vector<plat::TColor> out;
  if (r.Right <= r.Left || r.Bottom <= r.Top) return out;
  for (int x = r.Left; x < r.Right; ++x) {
    out.push_back(c.GetPixel(x, r.Top));
    out.push_back(c.GetPixel(x, r.Bottom - 1));
  }
  for (int y = r.Top; y < r.Bottom; ++y) {
    out.push_back(c.GetPixel(r.Left, y));
    out.push_back(c.GetPixel(r.Right - 1, y));
  }
  return out;
}

}  // namespace

void TGeneralForm::SetupViewHandlers() {
  const std::pair<QAction*, void (TGeneralForm::*)()> items[] = {
      {mnuGraphMPlus, &TGeneralForm::mnuGraphMPlusClick},
      {mnuGraphMMinus, &TGeneralForm::mnuGraphMMinusClick},
      {mnuGraphMDefault, &TGeneralForm::mnuGraphMDefaultClick},
      {mnuGraphMRavn, &TGeneralForm::mnuGraphMRavnClick},
      {mnuGraphXPlus, &TGeneralForm::mnuGraphXPlusClick},
      {mnuGraphYPlus, &TGeneralForm::mnuGraphYPlusClick},
      {mnuGraphXMinus, &TGeneralForm::mnuGraphXMinusClick},
      {mnuGraphYMinus, &TGeneralForm::mnuGraphYMinusClick},
      {mnuGraphLeft, &TGeneralForm::mnuGraphLeftClick},
      {mnuGraphRight, &TGeneralForm::mnuGraphRightClick},
      {mnuGraphUp, &TGeneralForm::mnuGraphUpClick},
      {mnuGraphDown, &TGeneralForm::mnuGraphDownClick},
      {mnuGraphCenter, &TGeneralForm::mnuGraphCenterClick},
      {mnuGraphProperties, &TGeneralForm::mnuGraphPropertiesClick},
  };
  // Plain pairs, not structured bindings: clang before 16 cannot capture those.
  for (const auto& item : items)
    plat::On(item.first, &QAction::triggered, this, [this, handler = item.second] { (this->*handler)(); });

  const std::pair<QToolButton*, void (TGeneralForm::*)()> buttons[] = {
      {btnMPlus, &TGeneralForm::btnMPlusClick},       {btnMMinus, &TGeneralForm::btnMMinusClick},
      {btnMDefault, &TGeneralForm::btnMDefaultClick}, {btnMRovn, &TGeneralForm::btnMRovnClick},
      {btnXPlus, &TGeneralForm::btnXPlusClick},       {btnYPlus, &TGeneralForm::btnYPlusClick},
      {btnXMinus, &TGeneralForm::btnXMinusClick},     {btnYMinus, &TGeneralForm::btnYMinusClick},
      {btnCenter, &TGeneralForm::btnCenterClick},     {btnLeft, &TGeneralForm::btnLeftClick},
      {btnRight, &TGeneralForm::btnRightClick},       {btnUp, &TGeneralForm::btnUpClick},
      {btnDown, &TGeneralForm::btnDownClick},         {btnSettings, &TGeneralForm::btnSettingsClick},
      {btnKursor, &TGeneralForm::btnKursorClick},     {btnRect, &TGeneralForm::btnRectClick},
  };
  for (const auto& item : buttons)
    plat::On(item.first, &QToolButton::clicked, this, [this, handler = item.second] { (this->*handler)(); });

  Image->setCursor(Qt::ArrowCursor);
  Image->setMouseTracking(true);  // coordinates follow the pointer without a button held
  Image->OnMouseDown = [this](Qt::MouseButton b, int x, int y) { ImageMouseDown(b, x, y); };
  Image->OnMouseMove = [this](int x, int y) { ImageMouseMove(x, y); };
  Image->OnMouseUp = [this](Qt::MouseButton b, int x, int y) { ImageMouseUp(b, x, y); };
  Image->installEventFilter(new TCaptureWatch(this, Image));
}

// ---- Navigation commands ----

void TGeneralForm::Navigate(TViewCommand command) {
  if (!MainScreen) return;
  const long double W = Image->width(), H = Image->height();
  if (ApplyViewCommand(*MainScreen, command, W, H)) DrawScreen();
}

void TGeneralForm::mnuGraphMPlusClick() { Navigate(TViewCommand::ZoomIn); }
void TGeneralForm::mnuGraphMMinusClick() { Navigate(TViewCommand::ZoomOut); }
void TGeneralForm::mnuGraphMDefaultClick() { Navigate(TViewCommand::DefaultScale); }
void TGeneralForm::mnuGraphMRavnClick() { Navigate(TViewCommand::EqualScale); }
void TGeneralForm::mnuGraphXPlusClick() { Navigate(TViewCommand::XZoomIn); }
void TGeneralForm::mnuGraphYPlusClick() { Navigate(TViewCommand::YZoomIn); }
void TGeneralForm::mnuGraphXMinusClick() { Navigate(TViewCommand::XZoomOut); }
void TGeneralForm::mnuGraphYMinusClick() { Navigate(TViewCommand::YZoomOut); }
void TGeneralForm::mnuGraphLeftClick() { Navigate(TViewCommand::Left); }
void TGeneralForm::mnuGraphRightClick() { Navigate(TViewCommand::Right); }
void TGeneralForm::mnuGraphUpClick() { Navigate(TViewCommand::Up); }
void TGeneralForm::mnuGraphDownClick() { Navigate(TViewCommand::Down); }
void TGeneralForm::mnuGraphCenterClick() { Navigate(TViewCommand::Center); }

void TGeneralForm::mnuGraphPropertiesClick() {
  if (!MainScreen || !ScreenForm) return;
  ScreenForm->FillFromView(*MainScreen);
  ScreenAccepted = false;
  plat::Services().ExecModal(ScreenForm);
  if (!ScreenAccepted) return;
  ScreenForm->ApplyToView(*MainScreen);
  ScreenAccepted = false;
  DrawScreen();
}

void TGeneralForm::btnMPlusClick() { mnuGraphMPlusClick(); }
void TGeneralForm::btnMMinusClick() { mnuGraphMMinusClick(); }
void TGeneralForm::btnMDefaultClick() { mnuGraphMDefaultClick(); }
void TGeneralForm::btnMRovnClick() { mnuGraphMRavnClick(); }
void TGeneralForm::btnXPlusClick() { mnuGraphXPlusClick(); }
void TGeneralForm::btnYPlusClick() { mnuGraphYPlusClick(); }
void TGeneralForm::btnXMinusClick() { mnuGraphXMinusClick(); }
void TGeneralForm::btnYMinusClick() { mnuGraphYMinusClick(); }
void TGeneralForm::btnCenterClick() { mnuGraphCenterClick(); }
void TGeneralForm::btnLeftClick() { mnuGraphLeftClick(); }
void TGeneralForm::btnRightClick() { mnuGraphRightClick(); }
void TGeneralForm::btnUpClick() { mnuGraphUpClick(); }
void TGeneralForm::btnDownClick() { mnuGraphDownClick(); }
void TGeneralForm::btnSettingsClick() { mnuGraphPropertiesClick(); }

// ---- Mouse modes ----

namespace {

// Draws the rubber band's box in not-xor: drawing it twice restores the
// picture exactly, whatever it shows. The inside takes the canvas's fill
// colour as the last redraw left it.
void DrawBand(plat::TCanvas& c, const plat::TRect& r) {
  c.Pen.Mode = plat::TPenMode::pmNotXor;
  c.Pen.Color = BandColor;
  c.Pen.Width = 1;
  c.Pen.Style = plat::TPenStyle::psSolid;
  c.Brush.Style = plat::TBrushStyle::bsSolid;
  c.Rectangle(r.Left, r.Top, r.Right, r.Bottom);
}

// Removes the band from the picture if it is still there as drawn.
void EraseBand(TGeneralForm& f) {
  if (!f.RectBandShown) return;
  f.RectBandShown = false;
  plat::TCanvas& c = f.Image->Canvas();
  const plat::TRect r = BandBox(f.RectStart, f.RectEnd);
  if (OutlinePixels(c, r) != f.RectBandOutline) return;  // redrawn since: nothing to erase
  DrawBand(c, r);
  f.Image->update();
}

void ShowBand(TGeneralForm& f) {
  plat::TCanvas& c = f.Image->Canvas();
  const plat::TRect r = BandBox(f.RectStart, f.RectEnd);
  DrawBand(c, r);
  f.RectBandOutline = OutlinePixels(c, r);
  f.RectBandShown = true;
  f.Image->update();
}

// Ends a rectangle without zooming: the band goes, the state is idle.
void EndRectangle(TGeneralForm& f) {
  EraseBand(f);
  f.RectClicks = 0;
  f.RectStart = {0, 0};
}

}  // namespace

void TGeneralForm::btnKursorClick() {
  EndRectangle(*this);
  Image->setCursor(Qt::ArrowCursor);
}

void TGeneralForm::btnRectClick() {
  EndRectangle(*this);
  Image->setCursor(Qt::CrossCursor);
}

void TGeneralForm::ImageMouseCaptureLost() {
  if (RectClicks != 0) EndRectangle(*this);
}

void TGeneralForm::ImageMouseDown(Qt::MouseButton Button, int X, int Y) {
  if (Button != Qt::LeftButton || !btnRect->isChecked()) return;
  // A rectangle whose release never came is dropped; this press starts anew.
  if (RectClicks != 0) EndRectangle(*this);
  RectClicks = 1;
  RectStart = {X, Y};
  RectEnd = {X, Y};
}

void TGeneralForm::ImageMouseMove(int X, int Y) {
  if (!MainScreen) return;
  if (btnRect->isChecked() && RectClicks == 1) {
    EraseBand(*this);
    RectEnd = {X, Y};
    ShowBand(*this);
  }
  const objScreen& s = *MainScreen;
  const long double x = s.StartX + X * s.Xm;
  const long double y = s.StartY - Y * s.Ym;
  StatusBar->SetPanelText(panelX, "x " + DecimalText(x, 4));
  StatusBar->SetPanelText(panelY, "y " + DecimalText(y, 4));
}

void TGeneralForm::ImageMouseUp(Qt::MouseButton Button, int X, int Y) {
  if (!MainScreen) return;
  objScreen& s = *MainScreen;
  if (btnKursor->isChecked() && Button == Qt::RightButton) {
    s.StartX = -X * s.Xm;
    s.StartY = Y * s.Ym;
    DrawScreen();
    RectBandShown = false;
    return;
  }
  if (!btnRect->isChecked() || RectClicks != 1) return;
  if (Button == Qt::LeftButton) {
    const long double W = Image->width(), H = Image->height();
    if (X == RectStart.X || Y == RectStart.Y || W <= 0 || H <= 0) {
      EndRectangle(*this);
      return;
    }
    long double x2 = s.StartX + X * s.Xm;
    long double y2 = s.StartY - Y * s.Ym;
    long double sx = s.StartX + RectStart.X * s.Xm;
    long double sy = s.StartY - RectStart.Y * s.Ym;
    if (x2 - sx < 0) std::swap(sx, x2);
    if (y2 - sy > 0) std::swap(sy, y2);
    s.StartX = sx;
    s.StartY = sy;
    s.Xm = std::clamp(std::fabs(sx - x2) / W, MinScale, MaxScale);
    s.Ym = std::clamp(std::fabs(sy - y2) / H, MinScale, MaxScale);
  } else if (Button != Qt::RightButton) {
    return;
  }
  // Zoomed in or, with the right button, dropped: the redraw removes the band.
  RectClicks = 0;
  RectStart = {0, 0};
  DrawScreen();
  RectBandShown = false;
}
