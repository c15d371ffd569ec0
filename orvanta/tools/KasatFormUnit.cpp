#include "orvanta/tools/KasatFormUnit.h"

TKasatForm* KasatForm = nullptr;

TKasatForm::TKasatForm(QWidget* parent) : QDialog(parent) {
  setObjectName("KasatForm");
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
}
