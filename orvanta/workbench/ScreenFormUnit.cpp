#include "orvanta/workbench/ScreenFormUnit.h"

#include <QCheckBox>
#include <QSignalBlocker>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTabWidget>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/ScreenSetFile.h"
#include "platform/Cp1251.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowFrame.h"

TScreenForm* ScreenForm = nullptr;

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

std::string Text(const QLineEdit* e) { return e->text().toStdString(); }

QWidget* MakePage(QTabWidget* pages, const char* name, const char* caption) {
  auto* page = new QWidget();
  page->setObjectName(name);
  pages->addTab(page, Q(caption));
  return page;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, int y, int h) {
  auto* g = new QGroupBox(Q(caption), parent);
  g->setObjectName(name);
  g->setGeometry(8, y, 377, h);
  return g;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const char* caption, int x, int y) {
  auto* c = new QCheckBox(Q(caption), parent);
  c->setObjectName(name);
  c->move(x, y);
  return c;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int x, int y, int w = 0) {
  auto* l = new QLabel(Q(caption), parent);
  l->setObjectName(name);
  l->move(x, y);
  if (w > 0) l->resize(w, l->sizeHint().height());
  return l;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int x, int y, int w) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setGeometry(x, y, w, 21);
  return e;
}

TColorSwatch* MakeSwatch(QWidget* parent, const char* name, int x, int y) {
  auto* s = new TColorSwatch(parent);
  s->setObjectName(name);
  s->setGeometry(x, y, 65, 17);
  return s;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int x, int y, int w) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setObjectName(name);
  b->setGeometry(x, y, w, 25);
  b->setAutoDefault(false);
  return b;
}

}  // namespace

TScreenForm::TScreenForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ScreenForm");
  setWindowTitle(Q(" Свойства экрана"));
  // A fixed single border with the close box only.
  plat::UseFixedFrame(this);
  setFixedSize(417, 335);
  // The window was laid out for an 8-point sans face at 96 pixels per inch.
  QFont font(QString::fromStdString(plat::MapFontFamily("MS Sans Serif")));
  font.setPixelSize(plat::FontPixelSize(8, 96));
  setFont(font);

  pgPage = new QTabWidget(this);
  pgPage->setObjectName("pgPage");
  pgPage->setGeometry(8, 8, 401, 281);

  // Page "Масштаб и координаты".
  tsScale = MakePage(pgPage, "tsScale", "Масштаб и координаты");

  gbCurrent = MakeGroup(tsScale, "gbCurrent", "Текущие свойства", 6, 130);
  MakeLabel(gbCurrent, "Label1", "Начальная координата X:", 12, 24);
  txtMinX = MakeEdit(gbCurrent, "txtMinX", 220, 20, 145);
  MakeLabel(gbCurrent, "Label2", "Начальная координата Y:", 12, 50);
  txtMinY = MakeEdit(gbCurrent, "txtMinY", 220, 46, 145);
  MakeLabel(gbCurrent, "Label3", "Масштаб по X (ед. на пкс):", 12, 76);
  txtXm = MakeEdit(gbCurrent, "txtXm", 220, 72, 145);
  MakeLabel(gbCurrent, "Label4", "Масштаб по Y (ед. на пкс):", 12, 102);
  txtYm = MakeEdit(gbCurrent, "txtYm", 220, 98, 145);

  gbControl = MakeGroup(tsScale, "gbControl", "Управление", 144, 80);
  MakeLabel(gbControl, "Label5", "Коэффициент увеличения/уменьшения масштаба: ", 12, 24);
  txtKoef = MakeEdit(gbControl, "txtKoef", 285, 20, 80);
  MakeLabel(gbControl, "Label6", "Сдвиг графика на часть от экрана: ", 12, 50);
  txtSdvig = MakeEdit(gbControl, "txtSdvig", 285, 46, 80);

  // Page "Экран".
  tsScreen = MakePage(pgPage, "tsScreen", "Экран");

  gbScreen = MakeGroup(tsScreen, "gbScreen", "Экран", 6, 126);
  MakeLabel(gbScreen, "Label7", "Цвет заполнения:", 12, 24);
  stBkColor = MakeSwatch(gbScreen, "stBkColor", 150, 22);
  cbxOci = MakeCheck(gbScreen, "cbxOci", "Отображать оси X и Y", 12, 48);
  Label8 = MakeLabel(gbScreen, "Label8", "Цвет осей:", 28, 74);
  stOciColor = MakeSwatch(gbScreen, "stOciColor", 150, 72);
  Label9 = MakeLabel(gbScreen, "Label9", "Толщина (пкс):", 28, 100);
  txtWidth = MakeEdit(gbScreen, "txtWidth", 150, 96, 40);
  udWidth = new TUpDown(gbScreen);
  udWidth->setObjectName("udWidth");
  udWidth->setGeometry(190, 96, 16, 21);
  udWidth->SetRange(1, 9);
  udWidth->SetAssociate(txtWidth);

  gbSetka = MakeGroup(tsScreen, "gbSetka", "Координатная сетка", 140, 100);
  cbxSetka = MakeCheck(gbSetka, "cbxSetka", "Отображать координатную сетку", 12, 22);
  Label11 = MakeLabel(gbSetka, "Label11", "Цвет линий:", 28, 48);
  stLinesColor = MakeSwatch(gbSetka, "stLinesColor", 150, 46);
  Label10 = MakeLabel(gbSetka, "Label10", "Шаг сетки:", 28, 74);
  txtSetkaStep = MakeEdit(gbSetka, "txtSetkaStep", 150, 70, 70);

  btnCancel = MakeButton(this, "btnCancel", "Отмена", 8, 300, 75);
  btnDefault = MakeButton(this, "btnDefault", "Принять по умолчанию", 170, 300, 150);
  btnOk = MakeButton(this, "btnOk", "OK", 334, 300, 75);
  btnOk->setDefault(true);  // Enter

  // The design values; the command replaces them before every showing.
  txtMinX->setText("-1");
  txtMinY->setText("-1");
  txtXm->setText("-1");
  txtYm->setText("-1");
  txtKoef->setText("2");
  txtSdvig->setText("0.25");
  txtSetkaStep->setText("1");
  stBkColor->SetColor(0x00C0C0C0);
  stOciColor->SetColor(0x00000000);
  stLinesColor->SetColor(0x00808080);
  udWidth->SetPosition(3);
  cbxOci->setChecked(true);
  cbxSetka->setChecked(true);

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
  plat::On(btnDefault, &QPushButton::clicked, this, [this] { btnDefaultClick(); });
  plat::On(cbxOci, &QCheckBox::clicked, this, [this] { cbxOciClick(); });
  plat::On(cbxSetka, &QCheckBox::clicked, this, [this] { cbxSetkaClick(); });
  // The swatches run their callbacks behind the guard themselves.
  stBkColor->OnClick = [this] { stBkColorClick(); };
  stOciColor->OnClick = [this] { stOciColorClick(); };
  stLinesColor->OnClick = [this] { stLinesColorClick(); };
}

QLineEdit* TScreenForm::BoxEdit(int box) const {
  switch (box) {
    case bxMinX: return txtMinX;
    case bxMinY: return txtMinY;
    case bxXm: return txtXm;
    case bxYm: return txtYm;
    case bxKoef: return txtKoef;
    case bxSdvig: return txtSdvig;
    case bxSetkaStep: return txtSetkaStep;
    default: return nullptr;
  }
}

bool TScreenForm::ValidBoxText(int box, const std::string& utf8, long double* value) {
  long double v = 0;
  if (!TryStrToExt(cp1251::FromUtf8(utf8), &v)) return false;
  bool ok = true;
  switch (box) {
    case bxXm:
    case bxYm: ok = ValidScale(v); break;
    case bxKoef: ok = ValidKoef(v); break;
    case bxSdvig: ok = ValidSdvig(v); break;
    case bxSetkaStep: ok = ValidSetkaStep(v); break;
    default: break;  // the corner takes any number
  }
  if (ok && value) *value = v;
  return ok;
}

std::string TScreenForm::StoredText(const std::string& utf8) {
  std::string s = cp1251::FromUtf8(utf8);
  if (s.size() > ScreenSetTextMax) s.resize(ScreenSetTextMax);
  return s;
}

void TScreenForm::CheckScreenFields(bool asStored) {
  for (int box = 0; box < BoxCount; ++box) {
    QLineEdit* e = BoxEdit(box);
    const std::string t = Text(e);
    bool valid = ValidBoxText(box, t);
    // The file keeps only the first characters of a text: that part must be
    // a valid value of the box as well, or the defaults would get another
    // number (or none) than the one the user saw accepted.
    if (valid && asStored && box >= bxXm)
      valid = ValidBoxText(box, cp1251::ToUtf8(StoredText(t)));
    if (!valid) e->setText(QString::fromStdString(LastScreenTexts[box]));
    LastScreenTexts[box] = Text(e);
  }
}

void TScreenForm::FormShow() {
  for (int box = 0; box < BoxCount; ++box) LastScreenTexts[box] = Text(BoxEdit(box));
}

void TScreenForm::btnOkClick() {
  CheckScreenFields();
  ScreenAccepted = true;
  done(plat::mrOk);
}

void TScreenForm::btnCancelClick() {
  ScreenAccepted = false;
  done(plat::mrCancel);
}

void TScreenForm::reject() {
  plat::Guard([this] { btnCancelClick(); });
}

void TScreenForm::btnDefaultClick() {
  if (!MainScreen) return;
  CheckScreenFields(true);
  TScreenSettings rec;
  rec.XmText = StoredText(Text(txtXm));
  rec.YmText = StoredText(Text(txtYm));
  rec.KoefText = StoredText(Text(txtKoef));
  rec.SdvigText = StoredText(Text(txtSdvig));
  rec.SetkaStepText = StoredText(Text(txtSetkaStep));
  // A scale box may still hold the text it was shown with when that one is
  // below the range (a view scale under 0.000005 prints as 0): a default
  // scale of 0 could not be drawn, so the previous default stays then.
  const long double xm = StrToExt(rec.XmText);
  const long double ym = StrToExt(rec.YmText);
  if (xm > 0) MainScreen->DefaultXm = xm;
  if (ym > 0) MainScreen->DefaultYm = ym;

  rec.Oci = cbxOci->isChecked();
  rec.Setka = cbxSetka->isChecked();
  rec.BkColor = stBkColor->Color();
  rec.OciColor = stOciColor->Color();
  rec.LinesColor = stLinesColor->Color();
  rec.OciWidth = WidthPosition();
  std::string error;
  if (!WriteScreenSettingsFile(ProgramFolder() + ScreenSetFileName, rec, &error))
    plat::MessageBox(error, plat::MsgKind::Error);
}

void TScreenForm::stBkColorClick() {
  if (ColorDialog.Execute(this)) stBkColor->SetColor(ColorDialog.Color);
}

void TScreenForm::stOciColorClick() {
  if (ColorDialog.Execute(this)) stOciColor->SetColor(ColorDialog.Color);
}

void TScreenForm::stLinesColorClick() {
  if (ColorDialog.Execute(this)) stLinesColor->SetColor(ColorDialog.Color);
}

void TScreenForm::cbxOciClick() {
  const bool on = cbxOci->isChecked();
  stOciColor->setEnabled(on);
  Label8->setEnabled(on);
  Label9->setEnabled(on);
  txtWidth->setEnabled(on);
  udWidth->setEnabled(on);
}

void TScreenForm::cbxSetkaClick() {
  const bool on = cbxSetka->isChecked();
  Label11->setEnabled(on);
  Label10->setEnabled(on);
  stLinesColor->setEnabled(on);
  txtSetkaStep->setEnabled(on);
}

void TScreenForm::FillFromView(const objScreen& view) {
  const auto text = [](long double v) { return QString::fromStdString(DecimalText(v, 5)); };
  txtMinX->setText(text(view.StartX));
  txtMinY->setText(text(view.StartY));
  txtXm->setText(text(view.Xm));
  txtYm->setText(text(view.Ym));
  txtKoef->setText(text(view.Koef));
  txtSdvig->setText(text(view.Sdvig));
  txtSetkaStep->setText(text(view.SetkaStep));
  udWidth->SetPosition(view.OciWidth);
  {
    QSignalBlocker b1(cbxOci), b2(cbxSetka);
    cbxOci->setChecked(view.Oci);
    cbxSetka->setChecked(view.Setka);
  }
  cbxOciClick();
  cbxSetkaClick();
  stBkColor->SetColor(view.BkColor);
  stOciColor->SetColor(view.OciColor);
  stLinesColor->SetColor(view.LinesColor);
  pgPage->setCurrentIndex(0);
}

int TScreenForm::WidthPosition() const {
  // A width typed into the box counts like one set with the arrows; one
  // outside the up-down's range is not taken, as the arrows start from the
  // up-down's own position then too.
  int32_t typed = 0;
  if (TryStrToInteger(plat::ToCp1251(txtWidth->text()), &typed) && typed >= udWidth->Min() &&
      typed <= udWidth->Max())
    return typed;
  return udWidth->Position();
}

void TScreenForm::ApplyToView(objScreen& view) const {
  const auto value = [this](int box) { return StrToExt(plat::ToCp1251(BoxEdit(box)->text())); };
  view.StartX = value(bxMinX);
  view.StartY = value(bxMinY);
  // A scale shown as 0 (below the range) was never typed: keep the drawable one.
  const long double xm = value(bxXm), ym = value(bxYm);
  if (xm > 0) view.Xm = xm;
  if (ym > 0) view.Ym = ym;
  view.Koef = value(bxKoef);
  view.Sdvig = value(bxSdvig);
  view.SetkaStep = value(bxSetkaStep);
  view.OciWidth = WidthPosition();
  view.Oci = cbxOci->isChecked();
  view.Setka = cbxSetka->isChecked();
  view.BkColor = stBkColor->Color();
  view.OciColor = stOciColor->Color();
  view.LinesColor = stLinesColor->Color();
}

void TScreenForm::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (e->spontaneous()) return;  // restored, not shown anew
  if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  plat::Guard([this] { FormShow(); });
}
