#pragma once
// The tool windows driven through their handlers, with the workbench running
// so that their formulas reach the add-function command.
#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTest>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FunctionsHelpers.h"
#include "orvanta/tools/AboutFormUnit.h"
#include "orvanta/tools/IntegralFormUnit.h"
#include "orvanta/tools/KasatFormUnit.h"
#include "orvanta/tools/LineFormUnit.h"
#include "orvanta/tools/NormalFormUnit.h"
#include "orvanta/tools/ParabolaFormUnit.h"
#include "orvanta/tools/ProizFormUnit.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/UravnFormUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/ScreenFormUnit.h"
#include "tests/common/WidgetFit.h"


inline std::string U(const QString& s) { return s.toStdString(); }

class ToolWindows : public FunctionsFixture {
 protected:
  void SetUp() override {
    FunctionsFixture::SetUp();
    fake.ClearRecords();
  }

  // Opens `w` as its launcher does; `run` acts while it is open.
  void Open(QDialog* w, const std::function<void()>& run = {}) {
    fake.OnExecModal = [run](QDialog* d) {
      if (run) run();
      d->close();
      return d->result();
    };
    plat::Services().ExecModal(w);
    fake.OnExecModal = nullptr;
  }

  std::string LastMessage() const { return fake.Messages.empty() ? "" : fake.Messages.back().Text; }

  // The new-function dialog opened by a hand-off: the text it held, then closed.
  std::string HandOff(const std::function<void()>& click) {
    std::string seen = "<not opened>";
    fake.OnExecModal = [&seen](QDialog* d) {
      seen = U(static_cast<TNewFunctionForm*>(d)->txtExpression->currentText());
      return 0;
    };
    click();
    fake.OnExecModal = nullptr;
    return seen;
  }
};

// Enter pressed in the control that has the focus, as the keyboard sends it.
inline void Enter(QWidget* w) {
  ASSERT_NE(w, nullptr);
  QTest::keyClick(w, Qt::Key_Return);
}

// The widget that receives the keys of a shown window.
inline QWidget* KeyTarget(QWidget* w) {
  QWidget* f = w->focusWidget();
  return f != nullptr ? f : w;
}

class ToolKeys : public ToolWindows {
 protected:
  // Shows `w` as its launcher does (without a modal loop) while `run` acts.
  static void Shown(QDialog* w, const std::function<void()>& run) {
    w->show();
    run();
    w->close();
  }
};
