#include "orvanta/workbench/OrvantaWindows.h"

#include <QCoreApplication>

#include "orvanta/tools/AboutFormUnit.h"
#include "orvanta/tools/IntegralFormUnit.h"
#include "orvanta/tools/KasatFormUnit.h"
#include "orvanta/tools/LineFormUnit.h"
#include "orvanta/tools/NormalFormUnit.h"
#include "orvanta/tools/ParabolaFormUnit.h"
#include "orvanta/tools/ProizFormUnit.h"
#include "orvanta/tools/TableFormUnit.h"
#include "orvanta/tools/UravnFormUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "orvanta/workbench/ScreenFormUnit.h"
#include "platform/SafeFile.h"
#include "platform/qt/Translations.h"

void StartOrvantaApplication() {
  QCoreApplication::setApplicationName("Orvanta 2.0");
  plat::LoadQtTranslations();
  plat::IgnoreFileSizeSignal();
}

void CreateOrvantaWindows() {
  // The dialogs are owned by the main window, so they stay above it and go
  // with it; each is still created once, in the program's order.
  GeneralForm = new TGeneralForm();
  NewFunctionForm = new TNewFunctionForm(GeneralForm);
  ScreenForm = new TScreenForm(GeneralForm);
  IntegralForm = new TIntegralForm(GeneralForm);
  ProizForm = new TProizForm(GeneralForm);
  KasatForm = new TKasatForm(GeneralForm);
  NormalForm = new TNormalForm(GeneralForm);
  ParabolaForm = new TParabolaForm(GeneralForm);
  TableForm = new TTableForm(GeneralForm);
  AboutForm = new TAboutForm(GeneralForm);
  LineForm = new TLineForm(GeneralForm);
  UravnForm = new TUravnForm(GeneralForm);
}

void ShowMainWindow() { GeneralForm->showMaximized(); }

void DestroyOrvantaWindows() {
  // Hidden first, while the window is whole, so that handlers of hide events
  // never run on a half-destroyed window.
  if (GeneralForm) GeneralForm->hide();
  delete GeneralForm;  // and the dialogs it owns
  GeneralForm = nullptr;
  NewFunctionForm = nullptr;
  ScreenForm = nullptr;
  IntegralForm = nullptr;
  ProizForm = nullptr;
  KasatForm = nullptr;
  NormalForm = nullptr;
  ParabolaForm = nullptr;
  TableForm = nullptr;
  AboutForm = nullptr;
  LineForm = nullptr;
  UravnForm = nullptr;
}
