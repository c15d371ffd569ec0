// The program's main block: the application, its twelve windows, the loop.
#include <QApplication>

#include "orvanta/workbench/OrvantaWindows.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  StartOrvantaApplication();
  CreateOrvantaWindows();
  ShowMainWindow();
  const int rc = QApplication::exec();
  DestroyOrvantaWindows();
  return rc;
}
