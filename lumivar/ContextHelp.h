#pragma once
// Pop-up help of the plotter's dialogs: F1 on a control, or the title bar's
// help button and then a click on a control, opens the help topic of the
// control's context number (the anchor "ctx<N>" of the help page). A control
// without a number takes the nearest enclosing one's; where none has one,
// nothing opens.
#include <QObject>

class QWidget;

namespace lumivar {

class TContextHelp : public QObject {
 public:
  // Watches `window` and every widget in it when called; owned by `window`.
  explicit TContextHelp(QWidget* window);

  static void SetContext(QWidget* w, int context);
  // The control's own number, else the nearest enclosing control's within
  // its window; 0 when none has one.
  static int ContextOf(const QWidget* w);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lumivar
