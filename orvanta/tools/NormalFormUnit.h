#pragma once
// "Уравнение нормали": the tangent window's twin (KasatFormUnit.h).
#include "orvanta/tools/KasatFormUnit.h"

class TNormalForm : public TPointLineForm {
  Q_OBJECT
 public:
  explicit TNormalForm(QWidget* parent = nullptr) : TPointLineForm(parent, true) {}
};

extern TNormalForm* NormalForm;
