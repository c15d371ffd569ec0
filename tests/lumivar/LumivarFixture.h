#pragma once
// Shared set-up of the plotter's window tests: fresh program state, fake
// desktop services, and the windows created as the main block creates them.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLocale>
#include <memory>
#include <string>
#include <vector>

#include "lumivar/About.h"
#include "lumivar/Func.h"
#include "lumivar/Graph.h"
#include "lumivar/Print.h"
#include "lumivar/Setca.h"
#include "platform/qt/FakeServices.h"
#include "platform/qt/SpinEdit.h"

namespace lumtest {

// Library calls as a recording stand-in sees them, e.g. "Init_Number(1)".
inline std::vector<std::string>& KorvelLog() {
  static std::vector<std::string> log;
  return log;
}

// A stand-in for libkorvel.so that logs every call and evaluates y = x.
inline lumivar::TKorvelApi RecordingKorvel() {
  lumivar::TKorvelApi api{};
  api.Init_Number = [](std::uint8_t n) { KorvelLog().push_back("Init_Number(" + std::to_string(n) + ")"); };
  api.Lex_Analiz_Init = [] { KorvelLog().push_back("Lex_Analiz_Init"); };
  api.Lexan = [](char* s) -> std::int32_t {
    KorvelLog().push_back(std::string("Lexan(") + s + ")");
    return 0;
  };
  api.Error = [](std::int32_t code, const char** msg) {
    KorvelLog().push_back("Error(" + std::to_string(code) + ")");
    *msg = "?";
  };
  api.Init_ABC = [](long double a, long double b, long double c) {
    KorvelLog().push_back("Init_ABC(" + std::to_string(static_cast<double>(a)) + "," +
                          std::to_string(static_cast<double>(b)) + "," +
                          std::to_string(static_cast<double>(c)) + ")");
  };
  api.Interpret = [](long double x) -> long double { return x; };
  api.GetDraw = []() -> std::uint8_t { return 1; };
  return api;
}

// Waits (briefly) until the main window's client area has the given size.
inline bool SetClientSize(lumivar::TMainForm& f, int w, int h) {
  f.resize(f.width() + (w - f.ClientWidth()), f.height() + (h - f.ClientHeight()));
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 2000) {
    if (f.ClientWidth() == w && f.ClientHeight() == h) return true;
    QCoreApplication::processEvents();
  }
  return f.ClientWidth() == w && f.ClientHeight() == h;
}

class LumivarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lumivar::ResetProgramState();
    lumivar::Korvel = lumivar::KorvelExports();
    KorvelLog().clear();
    plat::SetHelpFile("/opt/lumivar/lumivar-help/index.html");
  }
  void TearDown() override {
    DestroyForms();
    lumivar::Korvel = lumivar::KorvelExports();
  }

  // The five windows in the main block's order; the main window shown.
  void CreateForms(bool show = true) {
    form = std::make_unique<lumivar::TMainForm>();
    lumivar::AboutBox = new lumivar::TAboutBox(form.get());
    lumivar::AltFunc = new lumivar::TAltFunc(form.get());
    lumivar::PrintForm = new lumivar::TPrintForm(form.get());
    lumivar::SetcaForm = new lumivar::TSetcaForm(form.get());
    if (show) {
      form->show();
      QCoreApplication::processEvents();
    }
  }
  void DestroyForms() {
    form.reset();
    lumivar::AboutBox = nullptr;
    lumivar::AltFunc = nullptr;
    lumivar::PrintForm = nullptr;
    lumivar::SetcaForm = nullptr;
  }

  plat::FakeServices fake;
  plat::ScopedServices use{fake};
  std::unique_ptr<lumivar::TMainForm> form;
};

// Number texts as a Russian desktop shows them ("0,34"); the default
// locale is restored afterwards.
class RussianLumivarTest : public LumivarTest {
 protected:
  void SetUp() override {
    LumivarTest::SetUp();
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
  }
  void TearDown() override {
    LumivarTest::TearDown();
    QLocale::setDefault(previous_);
  }

 private:
  QLocale previous_;
};

}  // namespace lumtest
