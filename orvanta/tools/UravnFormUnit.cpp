#include "orvanta/tools/UravnFormUnit.h"

TUravnForm* UravnForm = nullptr;

TUravnForm::TUravnForm(QWidget* parent) : QDialog(parent) {
  setObjectName("UravnForm");
}
