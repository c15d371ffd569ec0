#pragma once
// The workbench as the program starts it, for the three workbench test
// executables: recording services installed, the twelve windows created in
// the program's order, the main window shown offscreen at a fixed size and,
// unless a test asks otherwise, the start-up timer fired (first picture
// drawn, the new-function dialog opened once and, with no script, closed).
#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "orvanta/workbench/OrvantaWindows.h"
#include "orvanta/workbench/ScreenFormUnit.h"
#include "platform/qt/FakeServices.h"

class WorkbenchFixture : public ::testing::Test {
 protected:
  // Size of the main window in the tests.
  static constexpr int WindowWidth = 1024;
  static constexpr int WindowHeight = 700;

  plat::FakeServices fake;

  // Override to false to look at the window before the start-up timer.
  virtual bool FireStartupTimer() const { return true; }

  void SetUp() override {
    use_ = std::make_unique<plat::ScopedServices>(fake);
    ProgramDir.clear();
    CreateOrvantaWindows();
    GeneralForm->resize(WindowWidth, WindowHeight);
    GeneralForm->show();  // runs FormShow
    QApplication::processEvents();
    if (FireStartupTimer()) GeneralForm->Timer->Fire();
  }

  void TearDown() override {
    DestroyOrvantaWindows();
    use_.reset();
    ProgramDir.clear();
  }

  TGeneralForm& Form() { return *GeneralForm; }
  objScreen& View() { return *MainScreen; }
  std::string Panel(int i) { return GeneralForm->StatusBar->PanelText(i); }
  // The pixel of the picture at (x, y), 0x00BBGGRR.
  plat::TColor Pixel(int x, int y) { return GeneralForm->Image->Canvas().GetPixel(x, y); }
  // Fires the tips timer n times.
  void Tick(int n = 1) {
    for (int k = 0; k < n; ++k) GeneralForm->Timer1->Fire();
  }

 private:
  std::unique_ptr<plat::ScopedServices> use_;
};
