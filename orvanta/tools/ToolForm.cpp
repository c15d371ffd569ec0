#include "orvanta/tools/ToolForm.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <algorithm>
#include <limits>
#include <stdexcept>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/GeneralFormUnit.h"
#include "orvanta/workbench/NewFunctionFormUnit.h"
#include "orvanta/workbench/WorkbenchControls.h"
#include "platform/qt/ImageCanvas.h"
#include "platform/qt/Services.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowFrame.h"

namespace {
QString Q(const char* utf8) { return QString::fromUtf8(utf8); }
}  // namespace

TToolForm::TToolForm(QWidget* parent, const char* objectName, const char* caption, int clientWidth,
                     int clientHeight)
    : QDialog(parent) {
  setObjectName(objectName);
  setWindowTitle(Q(caption));
  // A fixed single border with the close box only.
  plat::UseFixedFrame(this);
  setFixedSize(clientWidth, clientHeight);
  // Laid out for an 8-point sans face at 96 pixels per inch.
  QFont font(QString::fromStdString(plat::MapFontFamily("MS Sans Serif")));
  font.setPixelSize(plat::FontPixelSize(8, 96));
  setFont(font);
}

int TToolForm::Decimals() { return UpDownValue(txtWidth, udWidth); }

int TToolForm::UpDownValue(const QLineEdit* edit, TUpDown* ud) {
  int32_t typed = 0;
  if (edit != nullptr && TryStrToInteger(plat::ToUtf8(edit->text()), &typed))
    ud->SetPosition(std::clamp<int32_t>(typed, ud->Min(), ud->Max()));
  else
    ud->SetPosition(ud->Position());  // the edit shows the value used, not a bad text
  return ud->Position();
}

void TToolForm::RevealResults(int outerHeight) {
  const int client = outerHeight - FrameHeight;
  if (client > height()) setFixedSize(width(), client);
}

void TToolForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  // Centred on the desktop each time it opens.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect desk = screen->availableGeometry();
    move(desk.center().x() - width() / 2, desk.center().y() - OuterHeight() / 2);
  }
  // Enter is taken before the focused control sees it, so that no box
  // spends the press on its own handling of Enter.
  for (QWidget* w : findChildren<QWidget*>())
    if (w->window() == this) w->installEventFilter(this);
  plat::Guard([this] { FormShow(); });
}

void TToolForm::setVisible(bool visible) {
  QDialog::setVisible(visible);
  showPending_ = visible;
  if (visible) ShowFocusedTextFromStart(this);
}

void TToolForm::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  // The desktop may hand the focus over again when it activates the window.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && showPending_) {
    showPending_ = false;
    ShowFocusedTextFromStart(this);
  }
}

bool TToolForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    if (enter && (key->modifiers() & ~Qt::KeypadModifier) == 0)
      return EnterKey(static_cast<QWidget*>(watched));
  }
  return QDialog::eventFilter(watched, event);
}

bool TToolForm::EnterKey(QWidget* target) {
  if (auto* button = qobject_cast<QPushButton*>(target)) {
    if (button->isEnabled()) button->click();
    return true;
  }
  // Multi-line texts take Enter as a line break.
  if (qobject_cast<QTextEdit*>(target) || qobject_cast<QPlainTextEdit*>(target)) return false;
  // An open completion list takes Enter as the choice of a line.
  if (auto* edit = qobject_cast<QLineEdit*>(target)) {
    const QCompleter* c = edit->completer();
    if (c && c->popup() && c->popup()->isVisible()) return false;
  }
  if (defaultButton_ == nullptr) return false;
  if (defaultButton_->isEnabled() && defaultButton_->isVisible()) defaultButton_->click();
  return true;
}

QLabel* TToolForm::MakeLabel(QWidget* parent, const char* name, const char* caption, int x, int y) {
  auto* l = new QLabel(Q(caption), parent);
  l->setObjectName(name);
  // Formulas and box texts are shown as typed, never read as markup.
  l->setTextFormat(Qt::PlainText);
  l->move(x, y);
  l->adjustSize();
  return l;
}

TFitLabel* TToolForm::MakeFitLabel(QWidget* parent, const char* name, int x, int y) {
  auto* l = new TFitLabel(parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->move(x, y);
  l->adjustSize();
  return l;
}

void TToolForm::ShowLabel(QLabel* label, const QString& text, int right) {
  label->setText(text);
  label->adjustSize();
  if (right < 0 && label->parentWidget() != nullptr) right = label->parentWidget()->width() - 8;
  const bool cut = right >= 0 && label->x() + label->width() > right;
  if (cut) label->resize(std::max(0, right - label->x()), label->height());
  label->setToolTip(cut ? text : QString());
}

void TFitLabel::paintEvent(QPaintEvent* event) {
  const QRect room = contentsRect();
  const QFontMetrics fm(font());
  if (fm.horizontalAdvance(text()) <= room.width()) {
    QLabel::paintEvent(event);
    return;
  }
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(palette().color(foregroundRole()));
  painter.drawText(room, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   fm.elidedText(text(), Qt::ElideRight, room.width()));
}

QLineEdit* TToolForm::MakeEdit(QWidget* parent, const char* name, const char* text, int x, int y,
                               int w) {
  auto* e = new QLineEdit(Q(text), parent);
  e->setObjectName(name);
  e->setGeometry(x, y, w, 21);
  return e;
}

QPushButton* TToolForm::MakeButton(QWidget* parent, const char* name, const char* caption, int x,
                                   int y, int w, int h) {
  auto* b = new QPushButton(Q(caption), parent);
  b->setObjectName(name);
  b->setGeometry(x, y, w, h);
  b->setAutoDefault(false);
  return b;
}

void TToolForm::MakeDecimals(QWidget* parent, int labelX, int labelY, int editX, int editY,
                             int upDownX) {
  MakeLabel(parent, "Label5", "Знаков после запятой:", labelX, labelY);
  txtWidth = MakeEdit(parent, "txtWidth", "4", editX, editY, 16);
  udWidth = new TUpDown(parent);
  udWidth->setObjectName("udWidth");
  udWidth->setGeometry(upDownX, editY, 16, 21);
  udWidth->SetRange(1, 9);
  udWidth->SetAssociate(txtWidth);
  udWidth->SetPosition(4);
}

void TToolForm::PlaceFunctionBox(QComboBox* box) {
  MakeLabel(this, "Label1", "Введите функцию:", 8, 8);
  box->setGeometry(8, 24, 329, 21);
  // Enter runs the window; it never adds the typed text to the list.
  box->setInsertPolicy(QComboBox::NoInsert);
  // Enter runs exactly what was typed: the list is offered by the drop-down
  // only, never filled in over the typed text (inline completion would turn
  // "x" into the first listed line that starts with it).
  box->setCompleter(nullptr);
  LiftFormulaLimit(box);
}

void TToolForm::SetDefaultButton(QPushButton* ok) {
  // Enter presses it; Esc and the close box reject the dialog, which hides
  // it like the window's close button does.
  ok->setDefault(true);
  defaultButton_ = ok;
}

void TToolForm::SetGlyphIcon(const char* glyphUtf8, Qt::GlobalColor background) {
  QPixmap pixmap(16, 16);
  pixmap.fill(background);
  QPainter painter(&pixmap);
  QFont f = font();
  f.setBold(true);
  f.setPixelSize(11);
  painter.setFont(f);
  painter.setPen(Qt::white);
  painter.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, Q(glyphUtf8));
  painter.end();
  setWindowIcon(QIcon(pixmap));
}

void TToolForm::MarkResult(QWidget* w) {
  QFont f = w->font();
  f.setBold(true);
  w->setFont(f);
  QPalette p = w->palette();
  p.setColor(QPalette::Text, Qt::red);
  p.setColor(QPalette::WindowText, Qt::red);
  w->setPalette(p);
}

void TToolForm::MarkBold(QWidget* w) {
  QFont f = w->font();
  f.setBold(true);
  w->setFont(f);
}

void TToolForm::SizeLabel(QLabel* l, int points) {
  QFont f = l->font();
  f.setBold(true);
  f.setPixelSize(points * 96 / 72);
  l->setFont(f);
  l->adjustSize();
}

long double TToolForm::ReadBox(QLineEdit* box, const char* defaultText,
                               const std::function<bool(long double)>& accept) {
  long double v = 0;
  if (tools::ReadNumber(plat::ToUtf8(box->text()), v) && (!accept || accept(v))) return v;
  box->setText(Q(defaultText));
  return StrToExt(defaultText);
}

std::string TToolForm::FormulaText(const QComboBox* box) { return plat::ToCp1251(box->currentText()); }

void TToolForm::SetFormulaText(QComboBox* box, const std::string& cp1251) {
  box->setEditText(plat::FromCp1251(cp1251));
  if (QLineEdit* edit = box->lineEdit()) edit->setCursorPosition(0);
}

void TToolForm::LiftFormulaLimit(QComboBox* box) {
  if (QLineEdit* edit = box->lineEdit()) edit->setMaxLength(std::numeric_limits<int>::max());
}

void TToolForm::ShowText(QLineEdit* box, const QString& text) {
  if (text.size() > box->maxLength()) box->setMaxLength(std::numeric_limits<int>::max());
  box->setText(text);
  box->setCursorPosition(0);
}

void TToolForm::Inform(const std::string& utf8) {
  plat::MessageBox(utf8, plat::MsgKind::Information);
}

void TToolForm::HandToPlot(const std::string& cp1251Formula) {
  if (NewFunctionForm == nullptr || GeneralForm == nullptr) return;
  NewFunctionForm->SetExpressionText(cp1251Formula);
  GeneralForm->mnuFunctionAddClick();
}

void TToolForm::RaiseOverflow() { throw std::overflow_error(tools::MsgOverflow); }
