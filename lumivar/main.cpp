// lumivar: the plotter. Starts behind its splash window, creates its windows
// and runs until the main window closes.
#include <QApplication>
#include <QScreen>

#include "lumivar/About.h"
#include "lumivar/Func.h"
#include "lumivar/Graph.h"
#include "lumivar/Image.h"
#include "lumivar/Print.h"
#include "lumivar/Setca.h"

namespace {
void CentreOnScreen(QWidget* w) {
  if (const QScreen* s = QGuiApplication::primaryScreen()) {
    const QRect r = s->availableGeometry();
    w->move(r.center() - QPoint(w->frameGeometry().width() / 2, w->frameGeometry().height() / 2));
  }
}
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  using namespace lumivar;

  SplashForm = new TSplashForm;
  CentreOnScreen(SplashForm);
  SplashForm->show();
  SplashForm->repaint();
  QApplication::processEvents();

  StartApplication();

  auto* main = new TMainForm;
  CentreOnScreen(main);
  AboutBox = new TAboutBox(main);
  AltFunc = new TAltFunc(main);
  PrintForm = new TPrintForm(main);
  SetcaForm = new TSetcaForm(main);

  SplashForm->hide();
  delete SplashForm;
  SplashForm = nullptr;

  main->show();
  const int rc = app.exec();
  // Destroying the main window releases the library's compiled formulas.
  delete main;
  AboutBox = nullptr;
  AltFunc = nullptr;
  PrintForm = nullptr;
  SetcaForm = nullptr;
  return rc;
}
