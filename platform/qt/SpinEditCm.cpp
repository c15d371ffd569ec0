#include "platform/qt/SpinEditCm.h"

#include <QApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <climits>
#include <stdexcept>

#include "platform/qt/Services.h"
#include "platform/qt/SpinEdit.h"
#include "platform/qt/Text.h"

namespace plat {

TNumberSeparators TSpinEditCm::LocaleSeparators() {
  const QLocale locale;
  TNumberSeparators sep;
  sep.Decimal = ToUtf8(locale.decimalPoint());
  sep.Group = ToUtf8(locale.groupSeparator());
  return sep;
}

TSpinEditCm::TSpinEditCm(QWidget* parent) : QWidget(parent) {
  edit_ = new QLineEdit(this);
  edit_->setText(FromUtf8(WriteHundredths(0, LocaleSeparators())));
  edit_->installEventFilter(this);

  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setObjectName("StepUpButton");
  down_->setObjectName("StepDownButton");
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setAutoRepeatDelay(400);
    b->setAutoRepeatInterval(100);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedWidth(15);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    // Pressing an arrow takes the focus into the box, as a click on it would.
    On(b, &QToolButton::pressed, this, [this] {
      if (edit_->isEnabled() && !edit_->hasFocus()) edit_->setFocus(Qt::MouseFocusReason);
    });
  }
  PlaceSpinParts(this, edit_, up_, down_);

  On(edit_, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (maxLength_ > 0 && t.size() > maxLength_) {
      const QSignalBlocker block(edit_);
      edit_->setText(t.left(maxLength_));
    }
    typing_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{typing_};
    Change();
  });
  On(up_, &QToolButton::clicked, this, [this] { StepUp(); });
  On(down_, &QToolButton::clicked, this, [this] { StepDown(); });
}

void TSpinEditCm::SetEditorEnabled(bool on) {
  editorEnabled_ = on;
  // The context menu would offer paste and cut.
  edit_->setContextMenuPolicy(on ? Qt::DefaultContextMenu : Qt::NoContextMenu);
}

bool TSpinEditCm::ReadOnly() const { return edit_->isReadOnly(); }
void TSpinEditCm::SetReadOnly(bool on) { edit_->setReadOnly(on); }

int TSpinEditCm::Value() const {
  std::int32_t v = 0;
  return TryReadHundredths(Text(), LocaleSeparators(), v) ? v : min_;
}

void TSpinEditCm::SetValue(int v) { SetText(WriteHundredths(ClampValue(v), LocaleSeparators())); }

std::string TSpinEditCm::Text() const { return ToUtf8(edit_->text()); }

void TSpinEditCm::SetText(const std::string& utf8) {
  const QString t = FromUtf8(utf8);
  if (t == edit_->text()) return;
  {
    const QSignalBlocker block(edit_);
    edit_->setText(t);
  }
  // A write from inside a handler of a typed character is the program's.
  const bool typing = typing_;
  typing_ = false;
  struct Restore {
    bool& flag;
    bool value;
    ~Restore() { flag = value; }
  } restore{typing_, typing};
  Change();
}

void TSpinEditCm::Step(long long delta) {
  if (ReadOnly()) {
    QApplication::beep();
    return;
  }
  const long long v = static_cast<long long>(Value()) + delta;
  if (v < INT_MIN || v > INT_MAX) throw std::overflow_error("Integer overflow");
  SetValue(static_cast<int>(v));
}

void TSpinEditCm::StepUp() { Step(increment_); }
void TSpinEditCm::StepDown() { Step(-static_cast<long long>(increment_)); }

void TSpinEditCm::Change() {
  if (OnChange) OnChange(this);
}

bool TSpinEditCm::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    if (ke->key() == Qt::Key_Up || ke->key() == Qt::Key_Down) {
      Guard([this, ke] { ke->key() == Qt::Key_Up ? StepUp() : StepDown(); });
      return true;
    }
    if (ke->matches(QKeySequence::Paste) || ke->matches(QKeySequence::Cut)) {
      if (!editorEnabled_ || ReadOnly()) return true;
      return QWidget::eventFilter(watched, event);
    }
    const QString t = ke->text();
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    if (!enter && t.isEmpty()) return QWidget::eventFilter(watched, event);
    // Delete arrives as the text DEL: a key, not a typed character.
    if (!enter && t[0].unicode() == 127) return !editorEnabled_;
    const char32_t c = enter ? 13 : t.toUcs4().value(0);
    if (!IsAllowedSpinCmChar(c, LocaleSeparators(), editorEnabled_)) {
      QApplication::beep();
      return true;
    }
    if (c >= 32 && maxLength_ > 0 && edit_->text().size() - edit_->selectedText().size() >= maxLength_)
      return true;
  } else if (event->type() == QEvent::FocusOut) {
    // Leaving the box for another control of the window rewrites the text
    // from the value; another window or a menu taking the focus does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      Guard([this] {
        SetValue(Value());
        if (OnExit) OnExit(this);
      });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plat
