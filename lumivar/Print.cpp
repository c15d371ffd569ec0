#include "lumivar/Print.h"

namespace lumivar {

TPrintForm* PrintForm = nullptr;

TPrintForm::TPrintForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PrintForm");
  setWindowTitle(QString::fromUtf8("Печать"));
  setFixedSize(403, 251);
}

}  // namespace lumivar
