#include "orvanta/tools/IntegralFormUnit.h"

TIntegralForm* IntegralForm = nullptr;

TIntegralForm::TIntegralForm(QWidget* parent) : QDialog(parent) {
  setObjectName("IntegralForm");
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
}
