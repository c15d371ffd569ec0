#include "orvanta/tools/NormalFormUnit.h"

TNormalForm* NormalForm = nullptr;

TNormalForm::TNormalForm(QWidget* parent) : QDialog(parent) {
  setObjectName("NormalForm");
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
}
