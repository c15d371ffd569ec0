#include "orvanta/tools/ParabolaFormUnit.h"

TParabolaForm* ParabolaForm = nullptr;

TParabolaForm::TParabolaForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ParabolaForm");
}
