#include "lumivar/Setca.h"

namespace lumivar {

TSetcaForm* SetcaForm = nullptr;

TSetcaForm::TSetcaForm(QWidget* parent) : QDialog(parent) {
  setObjectName("SetcaForm");
  setWindowTitle(QString::fromUtf8("Сетка"));
  setFixedSize(276, 155);
}

}  // namespace lumivar
