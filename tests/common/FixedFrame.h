// Checks that a fixed-size window asks the window manager for a close box
// only: a dialog frame with title and close button, no minimise or maximise
// button, and equal least and largest sizes so it can be neither resized nor
// maximised. Returns one line per fault.
#pragma once

#include <QWidget>

#include <string>
#include <vector>

namespace orv_test {

inline std::vector<std::string> FixedFrameFaults(const QWidget* w) {
  std::vector<std::string> faults;
  const Qt::WindowFlags f = w->windowFlags();
  const std::string name = w->objectName().toStdString();
  if ((f & Qt::WindowType_Mask) != Qt::Dialog) faults.push_back(name + ": not a dialog frame");
  if (!(f & Qt::CustomizeWindowHint)) faults.push_back(name + ": default decorations");
  if (!(f & Qt::WindowTitleHint)) faults.push_back(name + ": no title");
  if (!(f & Qt::WindowCloseButtonHint)) faults.push_back(name + ": no close box");
  if (f & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint))
    faults.push_back(name + ": minimise or maximise button");
  if (w->minimumSize() != w->maximumSize()) faults.push_back(name + ": resizable");
  return faults;
}

}  // namespace orv_test
