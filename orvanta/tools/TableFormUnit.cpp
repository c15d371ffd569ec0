#include "orvanta/tools/TableFormUnit.h"

TTableForm* TableForm = nullptr;

TTableForm::TTableForm(QWidget* parent) : QDialog(parent) {
  setObjectName("TableForm");
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
}
