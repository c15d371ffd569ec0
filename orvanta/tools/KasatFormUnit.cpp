#include "orvanta/tools/KasatFormUnit.h"

TKasatForm* KasatForm = nullptr;

TKasatForm::TKasatForm(QWidget* parent) : QDialog(parent) {
  setObjectName("KasatForm");
}
