#pragma once
// Shared steps of the function tests: adding a function through the
// new-function dialog as the add-function command shows it.
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "WorkbenchFixture.h"

// Key presses as the keyboard sends them to the focused control.
inline void KeyClick(QWidget* w, int key, const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &press);
  QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
  QApplication::sendEvent(w, &release);
}
inline void KeyClicks(QWidget* w, const QString& text) {
  for (QChar c : text) KeyClick(w, c.toUpper().unicode(), QString(c));
}

class FunctionsFixture : public WorkbenchFixture {
 protected:
  TNewFunctionForm& Dlg() { return *NewFunctionForm; }

  // Runs the add-function command; while the dialog is open, `fill` sets
  // its controls, then "Добавить функцию" is pressed (unless `press` is false).
  void AddVia(const std::function<void(TNewFunctionForm&)>& fill, bool press = true) {
    fake.OnExecModal = [fill, press](QDialog* d) {
      auto* dlg = static_cast<TNewFunctionForm*>(d);
      fill(*dlg);
      if (press) dlg->btnAddFunction->click();
      if (dlg->isVisible()) dlg->reject();
      return dlg->result();
    };
    Form().mnuFunctionAddClick();
    fake.OnExecModal = nullptr;
  }

  // Adds `text` with the dialog's defaults.
  void Add(const std::string& utf8Text) {
    AddVia([utf8Text](TNewFunctionForm& d) {
      d.txtExpression->setEditText(QString::fromStdString(utf8Text));
    });
  }

  // A folder of its own as the program folder, so "newfunc.set" writes
  // stay out of the build's bin folder.
  std::string UseTempProgramDir() {
    char tmpl[] = "/tmp/nftest_XXXXXX";
    tempDir_ = ::mkdtemp(tmpl);
    ProgramDir = tempDir_ + "/";
    return ProgramDir;
  }

  void TearDown() override {
    WorkbenchFixture::TearDown();
    if (!tempDir_.empty()) std::filesystem::remove_all(tempDir_);
  }

  // Row of value y in the picture, as the drawing maps it.
  int RowOf(long double y) { return RoundPixel((View().StartY - y) / View().Ym, -100000, 100000); }
  QString Line(int i) { return Form().lbxFunctions->item(i)->text(); }
  objFunc& Func(int i) { return *View().Funcs[i]; }

 private:
  std::string tempDir_;
};
