#include "orvanta/tools/ProizFormUnit.h"

TProizForm* ProizForm = nullptr;

TProizForm::TProizForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ProizForm");
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
}
