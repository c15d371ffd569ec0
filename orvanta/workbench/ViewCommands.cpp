#include "orvanta/workbench/ViewCommands.h"

#include <cmath>

namespace {

// Sets a new scale and keeps the world point at the middle of the picture.
// One axis only; the other axis's fields stay exactly as they are.
void SetXScaleKeepCentre(objScreen& s, long double W, long double xm) {
  const long double cx = s.StartX + W * s.Xm / 2;
  s.Xm = xm;
  s.StartX = cx - W * s.Xm / 2;
}

void SetYScaleKeepCentre(objScreen& s, long double H, long double ym) {
  const long double cy = s.StartY - H * s.Ym / 2;
  s.Ym = ym;
  s.StartY = cy + H * s.Ym / 2;
}

void SetScalesKeepCentre(objScreen& s, long double W, long double H, long double xm, long double ym) {
  SetXScaleKeepCentre(s, W, xm);
  SetYScaleKeepCentre(s, H, ym);
}

}  // namespace

bool ApplyViewCommand(objScreen& s, TViewCommand command, long double W, long double H) {
  switch (command) {
    case TViewCommand::ZoomIn:
      if (s.Xm <= MinScale || s.Ym <= MinScale) return false;
      SetScalesKeepCentre(s, W, H, s.Xm / s.Koef, s.Ym / s.Koef);
      return true;
    case TViewCommand::ZoomOut:
      if (s.Xm >= MaxScale || s.Ym >= MaxScale) return false;
      SetScalesKeepCentre(s, W, H, s.Xm * s.Koef, s.Ym * s.Koef);
      return true;
    case TViewCommand::DefaultScale:
      SetScalesKeepCentre(s, W, H, s.DefaultXm, s.DefaultYm);
      return true;
    case TViewCommand::EqualScale: {
      const long double m = std::sqrt(s.Xm * s.Ym);
      SetScalesKeepCentre(s, W, H, m, m);
      return true;
    }
    case TViewCommand::XZoomIn:
      if (s.Xm <= MinScale) return false;
      SetXScaleKeepCentre(s, W, s.Xm / s.Koef);
      return true;
    case TViewCommand::YZoomIn:
      if (s.Ym <= MinScale) return false;
      SetYScaleKeepCentre(s, H, s.Ym / s.Koef);
      return true;
    case TViewCommand::XZoomOut:
      if (s.Xm > MaxScale) return false;
      SetXScaleKeepCentre(s, W, s.Xm * s.Koef);
      return true;
    case TViewCommand::YZoomOut:
      if (s.Ym > MaxScale) return false;
      SetYScaleKeepCentre(s, H, s.Ym * s.Koef);
      return true;
    case TViewCommand::Left:
      s.StartX = s.StartX + W * s.Xm * s.Sdvig;
      return true;
    case TViewCommand::Right:
      s.StartX = s.StartX - W * s.Xm * s.Sdvig;
      return true;
    case TViewCommand::Up:
      s.StartY = s.StartY + H * s.Ym * s.Sdvig;
      return true;
    case TViewCommand::Down:
      s.StartY = s.StartY - H * s.Ym * s.Sdvig;
      return true;
    case TViewCommand::Center:
      s.StartX = -s.Xm * W / 2;
      s.StartY = H * s.Ym / 2;
      return true;
  }
  return false;
}
