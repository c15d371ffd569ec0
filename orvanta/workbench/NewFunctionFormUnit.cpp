#include "orvanta/workbench/NewFunctionFormUnit.h"

TNewFunctionForm* NewFunctionForm = nullptr;

TNewFunctionForm::TNewFunctionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("NewFunctionForm");
}
