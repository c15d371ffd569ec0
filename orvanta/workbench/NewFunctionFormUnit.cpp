#include "orvanta/workbench/NewFunctionFormUnit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <limits>
#include <memory>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/ImageCanvas.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowFrame.h"

TNewFunctionForm* NewFunctionForm = nullptr;

const std::uint32_t FuncColors[17] = {
    0x000000FF, 0x00FF0000, 0x00008000, 0x00800080, 0x00008080, 0x0000FF00,
    0x0000FFFF, 0x00FFFF00, 0x00000080, 0x00800000, 0x00808000, 0x00FF00FF,
    0x00808080, 0x00C0C0C0, 0x00FFFFFF, 0x00000000, 0x00FF00CC};

bool ProposeFuncColor(std::uint32_t bkColor, const std::vector<std::uint32_t>& used,
                      std::uint32_t& color) {
  for (std::uint32_t c : FuncColors) {
    if (c == bkColor) continue;
    bool taken = false;
    for (std::uint32_t u : used) taken = taken || u == c;
    if (!taken) {
      color = c;
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------- the dialog

TNewFunctionForm::TNewFunctionForm(QWidget* parent) : QDialog(parent) {
  setObjectName("NewFunctionForm");
  setWindowTitle(" Новая функция");
  plat::UseFixedFrame(this);
  // Laid out for an 8-point sans face at 96 pixels per inch.
  QFont face(QString::fromStdString(plat::MapFontFamily("MS Sans Serif")));
  face.setPixelSize(plat::FontPixelSize(8, 96));
  setFont(face);
  setFixedSize(482, 410);

  auto* root = new QVBoxLayout(this);
  auto* top = new QHBoxLayout;
  Label4 = new QLabel("Введите функцию:", this);
  Label4->setObjectName("Label4");
  root->addWidget(Label4);
  Label5 = new QLabel("y(x) = ", this);
  Label5->setObjectName("Label5");
  QFont bold = font();
  bold.setBold(true);
  Label5->setFont(bold);
  txtExpression = new QComboBox(this);
  txtExpression->setObjectName("txtExpression");
  txtExpression->setEditable(true);
  // The history is added by the accept alone; typed text must not become an
  // item, and inline completion would select text behind the keypad's back.
  txtExpression->setInsertPolicy(QComboBox::NoInsert);
  txtExpression->setCompleter(nullptr);
  txtExpression->setDuplicatesEnabled(true);
  txtExpression->setMaxVisibleItems(8);
  {
    QLineEdit* le = txtExpression->lineEdit();
    // A formula handed over by a tool can be longer than an edit's default limit.
    le->setMaxLength(std::numeric_limits<int>::max());
    QPalette p = le->palette();
    p.setColor(QPalette::Base, Qt::black);
    p.setColor(QPalette::Text, Qt::yellow);
    le->setPalette(p);
    txtExpression->setPalette(p);
    txtExpression->setFont(bold);
  }
  top->addWidget(Label5);
  top->addWidget(txtExpression, 1);
  root->addLayout(top);

  pgPage = new QTabWidget(this);
  pgPage->setObjectName("pgPage");
  auto* pageGeneral = new QWidget;
  auto* pageExpr = new QWidget;
  BuildPageGeneral(pageGeneral);
  BuildPageExpression(pageExpr);
  pgPage->addTab(pageGeneral, "Общие");
  pgPage->addTab(pageExpr, "Выражение");
  root->addWidget(pgPage, 1);

  auto* buttons = new QHBoxLayout;
  btnDefault = new QPushButton("Принять по умолчанию", this);
  btnDefault->setObjectName("btnDefault");
  btnAddFunction = new QPushButton("Добавить функцию", this);
  btnAddFunction->setObjectName("btnAddFunction");
  btnAddFunction->setDefault(true);
  btnCancel = new QPushButton("Отмена", this);
  btnCancel->setObjectName("btnCancel");
  // Room beside the captions, so that they do not fill their buttons.
  for (QPushButton* b : {btnDefault, btnAddFunction, btnCancel})
    b->setMinimumWidth(b->sizeHint().width() + 16);
  buttons->addWidget(btnDefault);
  buttons->addStretch(1);
  buttons->addWidget(btnAddFunction);
  buttons->addWidget(btnCancel);
  root->addLayout(buttons);

  plat::On(btnAddFunction, &QPushButton::clicked, this, [this] { btnAddFunctionClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
  plat::On(btnDefault, &QPushButton::clicked, this, [this] { btnDefaultClick(); });
  plat::On(cbxMinX, &QCheckBox::clicked, this, [this] { cbxMinXClick(); });
  plat::On(cbxMaxX, &QCheckBox::clicked, this, [this] { cbxMaxXClick(); });
  plat::On(cbxIfRazryv, &QCheckBox::clicked, this, [this] { cbxIfRazryvClick(); });
  stColor->OnClick = [this] { stColorClick(); };
}

void TNewFunctionForm::BuildPageGeneral(QWidget* page) {
  auto* lay = new QVBoxLayout(page);

  grpArgument = new QGroupBox("Параметры аргумента x", page);
  grpArgument->setObjectName("grpArgument");
  auto* g1 = new QGridLayout(grpArgument);
  cbxMinX = new QCheckBox("Минимальное значение аргумента:", grpArgument);
  cbxMinX->setObjectName("cbxMinX");
  txtMinX = new QLineEdit("-1", grpArgument);
  txtMinX->setObjectName("txtMinX");
  txtMinX->setEnabled(false);
  txtMinX->setFixedWidth(100);
  cbxMaxX = new QCheckBox("Максимальное значение аргумента:", grpArgument);
  cbxMaxX->setObjectName("cbxMaxX");
  txtMaxX = new QLineEdit("1", grpArgument);
  txtMaxX->setObjectName("txtMaxX");
  txtMaxX->setEnabled(false);
  txtMaxX->setFixedWidth(100);
  cbxXPolog = new QCheckBox("Только положительные значения x", grpArgument);
  cbxXPolog->setObjectName("cbxXPolog");
  cbxXCeloe = new QCheckBox("Только целые значения x", grpArgument);
  cbxXCeloe->setObjectName("cbxXCeloe");
  g1->addWidget(cbxMinX, 0, 0);
  g1->addWidget(txtMinX, 0, 1);
  g1->addWidget(cbxMaxX, 1, 0);
  g1->addWidget(txtMaxX, 1, 1);
  g1->addWidget(cbxXPolog, 2, 0, 1, 2);
  g1->addWidget(cbxXCeloe, 3, 0, 1, 2);
  g1->setColumnStretch(2, 1);
  lay->addWidget(grpArgument);

  grpGraph = new QGroupBox("Свойства графика", page);
  grpGraph->setObjectName("grpGraph");
  auto* g2 = new QGridLayout(grpGraph);
  cbxIfLines = new QCheckBox("Точки соединяются прямыми", grpGraph);
  cbxIfLines->setObjectName("cbxIfLines");
  cbxIfLines->setChecked(true);
  cbxIfRazryv = new QCheckBox("Максимальный разрыв соседних значений f(x):", grpGraph);
  cbxIfRazryv->setObjectName("cbxIfRazryv");
  cbxIfRazryv->setChecked(true);
  txtRazryv = new QLineEdit("10", grpGraph);
  txtRazryv->setObjectName("txtRazryv");
  txtRazryv->setFixedWidth(60);
  g2->setHorizontalSpacing(3);
  g2->setContentsMargins(6, 6, 6, 6);
  g2->addWidget(cbxIfLines, 0, 0, 1, 6);
  g2->addWidget(cbxIfRazryv, 1, 0, 1, 4);
  g2->addWidget(txtRazryv, 1, 4, 1, 2, Qt::AlignLeft);

  // Each whole-number box with its up-down right beside it, in one cell.
  auto upDown = [&](int row, int col, const char* caption, QLineEdit*& edit, TUpDown*& ud,
                    const char* editName, const char* udName) {
    g2->addWidget(new QLabel(caption, grpGraph), row, col);
    edit = new QLineEdit(grpGraph);
    edit->setObjectName(editName);
    edit->setFixedWidth(24);
    ud = new TUpDown(grpGraph);
    ud->setObjectName(udName);
    ud->SetRange(1, 9);
    ud->SetAssociate(edit);
    ud->SetPosition(1);
    auto* pair = new QHBoxLayout;
    pair->setSpacing(1);
    pair->addWidget(edit);
    pair->addWidget(ud);
    pair->addStretch(1);
    g2->addLayout(pair, row, col + 1);
  };
  upDown(2, 0, "Диаметр точки (пкс):", txtDiametr, udDiametr, "txtDiametr", "udDiametr");
  upDown(2, 3, "Толщина линий (пкс):", txtWidth, udWidth, "txtWidth", "udWidth");
  g2->addWidget(new QLabel("Цвет графика:", grpGraph), 3, 0);
  stColor = new TColorSwatch(grpGraph);
  stColor->setObjectName("stColor");
  stColor->SetColor(0x00808080);
  g2->addWidget(stColor, 3, 1, Qt::AlignLeft);
  upDown(3, 3, "Точность построения:", txtKolvo, udKolvo, "txtKolvo", "udKolvo");
  g2->setColumnMinimumWidth(2, 8);
  g2->setColumnStretch(5, 1);
  lay->addWidget(grpGraph);
  lay->addStretch(1);
}

QPushButton* TNewFunctionForm::KeyButton(const char* name, const char* caption,
                                         void (TNewFunctionForm::*h)()) {
  auto* b = new QPushButton(QString::fromUtf8(caption));
  b->setObjectName(name);
  // The formula box keeps the focus and with it its selection.
  b->setFocusPolicy(Qt::NoFocus);
  b->setAutoDefault(false);
  plat::On(b, &QPushButton::clicked, this, [this, h] { (this->*h)(); });
  return b;
}

void TNewFunctionForm::BuildPageExpression(QWidget* page) {
  auto* lay = new QVBoxLayout(page);
  GroupBox1 = new QGroupBox(page);
  GroupBox1->setObjectName("GroupBox1");
  auto* row = new QHBoxLayout(GroupBox1);
  btnHome = KeyButton("btnHome", "<<Home", &TNewFunctionForm::btnHomeClick);
  btnBack = KeyButton("btnBack", "<", &TNewFunctionForm::btnBackClick);
  btnNext = KeyButton("btnNext", ">", &TNewFunctionForm::btnNextClick);
  btnLast = KeyButton("btnLast", "End>>", &TNewFunctionForm::btnLastClick);
  btnBk = KeyButton("btnBk", "BackSpace", &TNewFunctionForm::btnBkClick);
  btnDelete = KeyButton("btnDelete", "Delete", &TNewFunctionForm::btnDeleteClick);
  for (QPushButton* b : {btnHome, btnBack, btnNext, btnLast, btnBk, btnDelete}) {
    b->setParent(GroupBox1);
    row->addWidget(b);
  }
  lay->addWidget(GroupBox1);

  GroupBox2 = new QGroupBox(page);
  GroupBox2->setObjectName("GroupBox2");
  auto* grid = new QGridLayout(GroupBox2);
  using F = TNewFunctionForm;
  struct Key {
    QPushButton** member;
    const char* name;
    const char* caption;
    void (F::*handler)();
  };
  const Key keys[] = {
      {&btn7, "btn7", "7", &F::btn7Click},          {&btn8, "btn8", "8", &F::btn8Click},
      {&btn9, "btn9", "9", &F::btn9Click},          {&btnPlus, "btnPlus", "+", &F::btnPlusClick},
      {&btnSin, "btnSin", "sin", &F::btnSinClick},  {&btnASin, "btnASin", "arcsin", &F::btnASinClick},
      {&bntLn, "bntLn", "ln", &F::bntLnClick},      {&btnAbs, "btnAbs", "abs", &F::btnAbsClick},
      {&btn4, "btn4", "4", &F::btn4Click},          {&btn5, "btn5", "5", &F::btn5Click},
      {&btn6, "btn6", "6", &F::btn6Click},          {&btnMinus, "btnMinus", "-", &F::btnMinusClick},
      {&btnCos, "btnCos", "cos", &F::btnCosClick},  {&btnACos, "btnACos", "arccos", &F::btnACosClick},
      {&btnLg, "btnLg", "lg", &F::btnLgClick},      {&btnFact, "btnFact", "fact", &F::btnFactClick},
      {&btn1, "btn1", "1", &F::btn1Click},          {&btn2, "btn2", "2", &F::btn2Click},
      {&btn3, "btn3", "3", &F::btn3Click},          {&btnUmnog, "btnUmnog", "*", &F::btnUmnogClick},
      {&btnTg, "btnTg", "tg", &F::btnTgClick},      {&btnAtg, "btnAtg", "arctg", &F::btnAtgClick},
      {&btnExp, "btnExp", "exp", &F::btnExpClick},  {&btnRnd, "btnRnd", "rnd", &F::btnRndClick},
      {&btn0, "btn0", "0", &F::btn0Click},          {&btntchk, "btntchk", ".", &F::btntchkClick},
      {&btnX, "btnX", "x", &F::btnXClick},          {&btnDelenie, "btnDelenie", "/", &F::btnDelenieClick},
      {&btnCtg, "btnCtg", "ctg", &F::btnCtgClick},  {&btnACtg, "btnACtg", "arcctg", &F::btnACtgClick},
      {&btnSqrt, "btnSqrt", "sqrt", &F::btnSqrtClick}, {&btnTrunc, "btnTrunc", "trunc", &F::btnTruncClick},
      {&btnsk1, "btnsk1", "(", &F::btnsk1Click},    {&btnsk2, "btnsk2", ")", &F::btnsk2Click},
      {&btnP, "btnP", "p", &F::btnPClick},          {&btnE, "btnE", "e", &F::btnEClick},
      {&btnStepen, "btnStepen", "a^b", &F::btnStepenClick},
      {&btnKoren, "btnKoren", "b@a", &F::btnKorenClick},
      {&btnFrac, "btnFrac", "frac", &F::btnFracClick},
  };
  int i = 0;
  for (const Key& k : keys) {
    QPushButton* b = KeyButton(k.name, k.caption, k.handler);
    b->setParent(GroupBox2);
    *k.member = b;
    grid->addWidget(b, i / 8, i % 8);
    ++i;
  }
  lay->addWidget(GroupBox2);
  lay->addStretch(1);
}

// ---------------------------------------------------------------- texts

QLineEdit* TNewFunctionForm::ExprEdit() const { return txtExpression->lineEdit(); }

std::string TNewFunctionForm::ExpressionText() const {
  return plat::ToCp1251(txtExpression->currentText());
}

void TNewFunctionForm::SetExpressionText(const std::string& cp1251Text) {
  txtExpression->setEditText(plat::FromCp1251(cp1251Text));
  ExprEdit()->setCursorPosition(0);
}

std::string TNewFunctionForm::SettingsPath() {
  return ProgramFolder() + "newfunc.set";
}

TNewFuncSettings TNewFunctionForm::CurrentSettings() const {
  TNewFuncSettings s;
  s.MinX = cbxMinX->isChecked();
  s.MaxX = cbxMaxX->isChecked();
  s.XPolog = cbxXPolog->isChecked();
  s.XCeloe = cbxXCeloe->isChecked();
  s.IfLines = cbxIfLines->isChecked();
  s.IfRazryv = cbxIfRazryv->isChecked();
  auto cut = [](const QString& t) { return plat::ToCp1251(t).substr(0, NewFuncSetTextMax); };
  s.MinXText = cut(txtMinX->text());
  s.MaxXText = cut(txtMaxX->text());
  s.RazryvText = cut(txtRazryv->text());
  // The numbers as shown, as the accept would take them; the boxes stay as typed.
  s.Diametr = WholeBoxValue(txtDiametr, udDiametr);
  s.LineWidth = WholeBoxValue(txtWidth, udWidth);
  s.Kolvo = WholeBoxValue(txtKolvo, udKolvo);
  s.Color = stColor->Color();
  return s;
}

void TNewFunctionForm::ApplySettings(const TNewFuncSettings& s) {
  // Setting a check box runs its click handler, so each number box's enabled
  // state follows its check box.
  cbxMinX->setChecked(s.MinX);
  cbxMinXClick();
  cbxMaxX->setChecked(s.MaxX);
  cbxMaxXClick();
  cbxXPolog->setChecked(s.XPolog);
  cbxXCeloe->setChecked(s.XCeloe);
  cbxIfLines->setChecked(s.IfLines);
  cbxIfRazryv->setChecked(s.IfRazryv);
  cbxIfRazryvClick();
  txtMinX->setText(plat::FromCp1251(s.MinXText));
  txtMaxX->setText(plat::FromCp1251(s.MaxXText));
  txtRazryv->setText(plat::FromCp1251(s.RazryvText));
  udDiametr->SetPosition(s.Diametr);
  udWidth->SetPosition(s.LineWidth);
  udKolvo->SetPosition(s.Kolvo);
  stColor->SetColor(s.Color);
}

// ---------------------------------------------------------------- preparation

void TNewFunctionForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (!e->spontaneous() && screen() != nullptr)  // centred on the desktop
    move(screen()->availableGeometry().center() - rect().center());
  if (!e->spontaneous()) plat::Guard([this] { FormShow(); });
}

void TNewFunctionForm::setVisible(bool visible) {
  QDialog::setVisible(visible);
  // A formula handed over by a tool is shown from its start.
  if (visible) ShowFocusedTextFromStart(this);
}

void TNewFunctionForm::FormShow() {
  TNewFuncSettings s;
  std::string error;
  if (ReadNewFuncSetFile(SettingsPath(), s, error))
    ApplySettings(s);
  else
    plat::MessageBox(error, plat::MsgKind::Error);

  LastMinX = txtMinX->text();
  LastMaxX = txtMaxX->text();
  LastRazryv = txtRazryv->text();

  if (MainScreen != nullptr && MainScreen->FuncCount > 0) {
    std::vector<std::uint32_t> used;
    for (int32_t i = 0; i < MainScreen->FuncCount && i < MaxFuncCount; ++i)
      if (MainScreen->Funcs[i]) used.push_back(MainScreen->Funcs[i]->GraphColor);
    std::uint32_t c = 0;
    if (ProposeFuncColor(MainScreen->BkColor, used, c)) stColor->SetColor(c);
  }

  txtExpression->setFocus(Qt::OtherFocusReason);
  FunctionAdded = false;
}

// ---------------------------------------------------------------- accept

void TNewFunctionForm::CheckNumberBox(QLineEdit* box, QString& last, bool positive) {
  long double v = 0;
  const bool ok = TryStrToExt(plat::ToCp1251(box->text()), &v) && (!positive || v > 0);
  if (!ok) box->setText(last);
  last = box->text();
}

int32_t TNewFunctionForm::WholeBoxValue(const QLineEdit* box, const TUpDown* ud) {
  // A typed whole number is brought into 1..9; any other text falls back to
  // the up-down's position. The function fields these boxes fill divide the
  // drawing step and size the pens, so 0 or a wrapped 16-bit value must never
  // get through.
  int32_t v = 0;
  if (TryStrToInteger(plat::ToCp1251(box->text()), &v)) return ClampNewFuncInt(v);
  return ClampNewFuncInt(ud->Position());
}

void TNewFunctionForm::CheckWholeBox(QLineEdit* box, TUpDown* ud) {
  ud->SetPosition(WholeBoxValue(box, ud));
}

void TNewFunctionForm::btnAddFunctionClick() {
  CheckNumberBox(txtMaxX, LastMaxX, false);
  CheckNumberBox(txtMinX, LastMinX, false);
  CheckNumberBox(txtRazryv, LastRazryv, true);
  CheckWholeBox(txtDiametr, udDiametr);
  CheckWholeBox(txtWidth, udWidth);
  CheckWholeBox(txtKolvo, udKolvo);

  const QString typed = txtExpression->currentText();
  int32_t err = 0;
  {
    auto trial = std::make_unique<objFunc>();
    trial->Expression = plat::ToCp1251(typed);
    trial->Reset();
    trial->Parse(trial->Expression);
    err = trial->ErrorCode;
  }
  if (err > 0) {
    plat::MessageBox(err < 16 ? ErrorMessages[err] : "", plat::MsgKind::Information);
    txtExpression->setFocus(Qt::OtherFocusReason);
    return;
  }

  FunctionAdded = true;
  bool present = false;
  for (int i = 0; i < txtExpression->count() && !present; ++i)
    present = txtExpression->itemText(i) == typed;
  if (!present) {
    // Adding the first item would make it current; the box keeps what was typed.
    QSignalBlocker block(txtExpression);
    txtExpression->addItem(typed);
    txtExpression->setEditText(typed);
  }
  done(plat::mrOk);
}

void TNewFunctionForm::btnCancelClick() { done(plat::mrCancel); }

void TNewFunctionForm::btnDefaultClick() {
  std::string error;
  if (!WriteNewFuncSetFile(SettingsPath(), CurrentSettings(), error))
    plat::MessageBox(error, plat::MsgKind::Error);
}

void TNewFunctionForm::cbxMinXClick() {
  txtMinX->setEnabled(cbxMinX->isChecked());
  if (cbxMinX->isChecked()) txtMinX->setFocus(Qt::OtherFocusReason);
}

void TNewFunctionForm::cbxMaxXClick() {
  txtMaxX->setEnabled(cbxMaxX->isChecked());
  if (cbxMaxX->isChecked()) txtMaxX->setFocus(Qt::OtherFocusReason);
}

void TNewFunctionForm::cbxIfRazryvClick() {
  txtRazryv->setEnabled(cbxIfRazryv->isChecked());
  if (cbxIfRazryv->isChecked()) txtRazryv->setFocus(Qt::OtherFocusReason);
}

void TNewFunctionForm::stColorClick() {
  if (ColorDialog.Execute(this)) stColor->SetColor(ColorDialog.Color);
}

// ---------------------------------------------------------------- editing row

int TNewFunctionForm::CaretPos() const {
  QLineEdit* e = ExprEdit();
  return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

void TNewFunctionForm::SetCaret(int p) {
  QLineEdit* e = ExprEdit();
  const int len = static_cast<int>(e->text().size());
  e->deselect();
  e->setCursorPosition(p < 0 ? 0 : (p > len ? len : p));
}

void TNewFunctionForm::btnHomeClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  SetCaret(0);
}

void TNewFunctionForm::btnBackClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  SetCaret(CaretPos() - 1);
}

void TNewFunctionForm::btnNextClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  SetCaret(CaretPos() + 1);
}

void TNewFunctionForm::btnLastClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  SetCaret(static_cast<int>(ExprEdit()->text().size()));
}

void TNewFunctionForm::btnBkClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  const int p = CaretPos();
  QString t = ExprEdit()->text();
  if (p > 0 && p <= t.size()) {
    t.remove(p - 1, 1);
    ExprEdit()->setText(t);
    SetCaret(p - 1);
  } else {
    SetCaret(p);
  }
}

void TNewFunctionForm::btnDeleteClick() {
  txtExpression->setFocus(Qt::OtherFocusReason);
  const int p = CaretPos();
  QString t = ExprEdit()->text();
  if (p >= 0 && p < t.size()) {
    t.remove(p, 1);
    ExprEdit()->setText(t);
  }
  SetCaret(p);
}

// ---------------------------------------------------------------- keypad

void TNewFunctionForm::InsertText(const char* text) { ExprEdit()->insert(QString::fromLatin1(text)); }

void TNewFunctionForm::btn0Click() { InsertText("0"); }
void TNewFunctionForm::btn1Click() { InsertText("1"); }
void TNewFunctionForm::btn2Click() { InsertText("2"); }
void TNewFunctionForm::btn3Click() { InsertText("3"); }
void TNewFunctionForm::btn4Click() { InsertText("4"); }
void TNewFunctionForm::btn5Click() { InsertText("5"); }
void TNewFunctionForm::btn6Click() { InsertText("6"); }
void TNewFunctionForm::btn7Click() { InsertText("7"); }
void TNewFunctionForm::btn8Click() { InsertText("8"); }
void TNewFunctionForm::btn9Click() { InsertText("9"); }
void TNewFunctionForm::btntchkClick() { InsertText("."); }
void TNewFunctionForm::btnsk1Click() { InsertText("("); }
void TNewFunctionForm::btnsk2Click() { InsertText(")"); }
void TNewFunctionForm::btnPlusClick() { InsertText("+"); }
void TNewFunctionForm::btnMinusClick() { InsertText("-"); }
void TNewFunctionForm::btnUmnogClick() { InsertText("*"); }
void TNewFunctionForm::btnDelenieClick() { InsertText("/"); }
void TNewFunctionForm::btnStepenClick() { InsertText("^"); }
void TNewFunctionForm::btnKorenClick() { InsertText("@"); }
void TNewFunctionForm::btnSinClick() { InsertText("sin"); }
void TNewFunctionForm::btnCosClick() { InsertText("cos"); }
void TNewFunctionForm::btnTgClick() { InsertText("tg"); }
void TNewFunctionForm::btnCtgClick() { InsertText("ctg"); }
void TNewFunctionForm::btnASinClick() { InsertText("arcsin"); }
void TNewFunctionForm::btnACosClick() { InsertText("arccos"); }
void TNewFunctionForm::btnAtgClick() { InsertText("arctg"); }
void TNewFunctionForm::btnACtgClick() { InsertText("arcctg"); }
void TNewFunctionForm::bntLnClick() { InsertText("ln"); }
void TNewFunctionForm::btnLgClick() { InsertText("lg"); }
void TNewFunctionForm::btnExpClick() { InsertText("exp"); }
void TNewFunctionForm::btnSqrtClick() { InsertText("sqrt"); }
void TNewFunctionForm::btnAbsClick() { InsertText("abs"); }
void TNewFunctionForm::btnFactClick() { InsertText("fact"); }
void TNewFunctionForm::btnRndClick() { InsertText("rnd"); }
void TNewFunctionForm::btnTruncClick() { InsertText("trunc"); }
void TNewFunctionForm::btnFracClick() { InsertText("frac"); }
void TNewFunctionForm::btnXClick() { InsertText("x"); }
void TNewFunctionForm::btnPClick() { InsertText("p"); }
void TNewFunctionForm::btnEClick() { InsertText("e"); }
