// The main window's function list, function toolbar and the add-function road.
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"

bool FunctionAdded = false;

void TGeneralForm::SetupFunctionHandlers() {}

void TGeneralForm::EnableFunctionControls(bool On) {}

void TGeneralForm::mnuFunctionAddClick() {
  plat::Services().ExecModal(NewFunctionForm);
}
