#include "orvanta/tools/IntegralFormUnit.h"

TIntegralForm* IntegralForm = nullptr;

TIntegralForm::TIntegralForm(QWidget* parent) : QDialog(parent) {
  setObjectName("IntegralForm");
}
