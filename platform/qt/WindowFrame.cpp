#include "platform/qt/WindowFrame.h"

#include <QWidget>

namespace plat {

Qt::WindowFlags FixedFrameFlags() {
  // CustomizeWindowHint: only the listed decorations, so neither minimise
  // nor maximise; the hints go to the window manager as Motif hints.
  return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
         Qt::MSWindowsFixedSizeDialogHint;
}

void UseFixedFrame(QWidget* w) {
  if (w == nullptr) return;
  const Qt::WindowFlags kept = w->windowFlags() & Qt::WindowContextHelpButtonHint;
  w->setWindowFlags(FixedFrameFlags() | kept);
}

}  // namespace plat
