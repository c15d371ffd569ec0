#pragma once
// The workbench's view: scales, origin, colours, grid and axes settings and
// the list of up to 16 functions, and the drawing of the whole plot.
// Qt-free: drawing goes through the canvas interface only.
#include <cstdint>
#include <memory>
#include <string>

#include "orvanta/engine/FunctionUnit.h"
#include "platform/Canvas.h"

constexpr int32_t MaxFuncCount = 16;

// Built-in view values, used until "screen.set" supplies valid ones and for
// any stored value outside the range the screen dialog accepts.
namespace screen_defaults {
constexpr long double Xm = 0.02L;
constexpr long double Ym = 0.02L;
constexpr long double Koef = 2.0L;
constexpr long double Sdvig = 0.25L;
constexpr long double SetkaStep = 1.0L;
constexpr bool Oci = true;
constexpr bool Setka = true;
constexpr uint32_t BkColor = 0xFFFFFF;
constexpr uint32_t OciColor = 0x000000;
constexpr uint32_t LinesColor = 0xE0E0E0;
constexpr int32_t OciWidth = 2;
}  // namespace screen_defaults

// Scale bounds of the navigation commands, the rectangle zoom and the screen
// dialog (exclusive in the dialog).
constexpr long double MinScale = 2e-5L;
constexpr long double MaxScale = 50.0L;

class objScreen {
 public:
  // Slot i holds the function on line i of the list; the view owns the
  // functions in the first FuncCount slots.
  std::unique_ptr<objFunc> Funcs[MaxFuncCount];
  int32_t FuncCount = 0;
  long double Xm = screen_defaults::Xm;  // x units per pixel column
  long double Ym = screen_defaults::Ym;  // y units per pixel row
  long double StartX = 0;                // world x of column 0
  long double StartY = 0;                // world y of row 0
  bool Oci = screen_defaults::Oci;
  bool Setka = screen_defaults::Setka;
  plat::TColor BkColor = screen_defaults::BkColor;
  plat::TColor OciColor = screen_defaults::OciColor;
  plat::TColor LinesColor = screen_defaults::LinesColor;
  int32_t OciWidth = screen_defaults::OciWidth;
  long double SetkaStep = screen_defaults::SetkaStep;
  long double Koef = screen_defaults::Koef;
  long double Sdvig = screen_defaults::Sdvig;
  long double DefaultXm = screen_defaults::Xm;
  long double DefaultYm = screen_defaults::Ym;

  // Releases every listed function and sets the count to 0.
  void ClearFuncs() {
    for (auto& f : Funcs) f.reset();
    FuncCount = 0;
  }
  // Puts the world origin in the middle of a W x H picture.
  void CenterOrigin(int W, int H) {
    StartX = -static_cast<long double>(W) * Xm / 2;
    StartY = static_cast<long double>(H) * Ym / 2;
  }
};

// The current view; owned by the main window.
extern objScreen* MainScreen;

// The main window's status panels, left to right.
enum : int { panelX = 0, panelY, panelXm, panelYm, panelFuncCount, panelHint };

// Where DrawScreen writes the texts of the panels panelXm, panelYm and
// panelFuncCount.
class IStatusPanels {
 public:
  virtual ~IStatusPanels() = default;
  virtual void SetPanelText(int index, const std::string& utf8) = 0;
};

// The texts DrawScreen shows: "xm ..." (panelXm), "ym ..." (panelYm),
// "Функций: n" (panelFuncCount).
std::string ScaleText(const char* prefix, long double scale);
std::string FuncCountText(int32_t count);

// Drawing on `canvas`, whose size is the picture's size (W x H). A view that
// cannot be mapped (a scale that is zero, negative or not finite, an origin
// that is not finite) or an empty picture draws nothing; a function with no
// samples per column draws nothing.
void DrawFunction(const objScreen& view, int32_t i, plat::TCanvas& canvas);
void DrawOci(const objScreen& view, plat::TCanvas& canvas);
void DrawSetka(const objScreen& view, plat::TCanvas& canvas);
// Panels 2, 3 and 4 (when `panels` is given), background, grid, axes, graphs.
void DrawScreen(const objScreen& view, plat::TCanvas& canvas, IStatusPanels* panels);

// Round half to even (as nearbyintl in the default mode) of a pixel value, clamped to [lo, hi] first, so that a
// huge or non-finite value never reaches the integer conversion (NaN gives lo).
int32_t RoundPixel(long double v, int32_t lo, int32_t hi);
