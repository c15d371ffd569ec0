#pragma once
// The print dialog as the user types into it: shown and active, as the print
// command leaves it, so the activation reads the printer and keys and focus
// changes arrive as they do for the user.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "lumivar/Print.h"
#include "platform/qt/SpinEditCm.h"

namespace lumtest {

inline void ShowPrintFormActive() {
  lumivar::PrintForm->show();
  QApplication::setActiveWindow(lumivar::PrintForm);
  QCoreApplication::processEvents();
}

// Clicks into the box, selects its whole text and types over it, key by key.
inline void TypeOver(plat::TSpinEditCm* box, const char* keys) {
  box->Editor()->setFocus(Qt::MouseFocusReason);
  box->Editor()->selectAll();
  QTest::keyClicks(box->Editor(), QString::fromUtf8(keys));
}

}  // namespace lumtest
