#include "orvanta/tools/TableFormUnit.h"

TTableForm* TableForm = nullptr;

TTableForm::TTableForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TableForm");
}
