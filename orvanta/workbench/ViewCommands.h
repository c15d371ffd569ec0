#pragma once
// The view's navigation commands as plain arithmetic on the view, so that the
// main window's menu items and buttons and the Qt-free fuzz build run the same
// code. W and H are the picture's size in pixels. A command that returns
// false changed nothing (a scale already at its bound) and needs no redraw.
#include "orvanta/workbench/objScreenUnit.h"

enum class TViewCommand {
  ZoomIn,        // both scales divided by Koef, centre kept
  ZoomOut,       // both multiplied by Koef
  DefaultScale,  // both back to the stored defaults
  EqualScale,    // both to their geometric mean
  XZoomIn,
  YZoomIn,
  XZoomOut,
  YZoomOut,
  Left,          // the picture moves by Sdvig of its width or height
  Right,
  Up,
  Down,
  Center,        // the world origin to the middle of the picture
};
constexpr int ViewCommandCount = static_cast<int>(TViewCommand::Center) + 1;

bool ApplyViewCommand(objScreen& s, TViewCommand command, long double W, long double H);
