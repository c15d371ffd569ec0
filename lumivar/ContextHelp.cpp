#include "lumivar/ContextHelp.h"

#include <QEvent>
#include <QKeyEvent>
#include <QVariant>
#include <QWidget>

#include "platform/qt/Services.h"

namespace lumivar {

namespace {
const char* const kHelpProperty = "HelpContext";
}  // namespace

TContextHelp::TContextHelp(QWidget* window) : QObject(window) {
  window->installEventFilter(this);
  for (QWidget* w : window->findChildren<QWidget*>()) w->installEventFilter(this);
}

void TContextHelp::SetContext(QWidget* w, int context) { w->setProperty(kHelpProperty, context); }

int TContextHelp::ContextOf(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    const int ctx = w->property(kHelpProperty).toInt();
    if (ctx != 0) return ctx;
    if (w->isWindow()) break;
  }
  return 0;
}

bool TContextHelp::eventFilter(QObject* watched, QEvent* event) {
  auto* w = qobject_cast<QWidget*>(watched);
  if (!w) return false;
  const bool f1Key = (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
                     static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1;
  // F1 belongs to the control here, not to a shortcut of another window.
  if (f1Key && event->type() == QEvent::ShortcutOverride) {
    event->accept();
    return true;
  }
  if (f1Key || event->type() == QEvent::WhatsThis) {
    const int ctx = ContextOf(w);
    if (ctx != 0)
      plat::Guard([ctx] { plat::Services().Help(plat::HelpCommand::Popup, plat::HelpFile(), ctx); });
    return true;
  }
  if (event->type() == QEvent::QueryWhatsThis) {
    event->setAccepted(ContextOf(w) != 0);
    return true;
  }
  return false;
}

}  // namespace lumivar
