#include "orvanta/tools/LineFormUnit.h"

TLineForm* LineForm = nullptr;

TLineForm::TLineForm(QWidget* parent) : QDialog(parent) {
  setObjectName("LineForm");
}
