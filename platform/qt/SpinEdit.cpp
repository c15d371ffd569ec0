#include "platform/qt/SpinEdit.h"

#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

#include "platform/qt/Services.h"

namespace plat {

void PlaceSpinParts(QWidget* box, QLineEdit* edit, QToolButton* up, QToolButton* down) {
  auto* arrows = new QVBoxLayout;
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  arrows->addWidget(up);
  arrows->addWidget(down);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(edit);
  row->addLayout(arrows);
  box->setFocusProxy(edit);
}

TSpinEdit::TSpinEdit(QWidget* parent) : QWidget(parent) {
  edit_ = new QLineEdit(this);
  edit_->setText(QStringLiteral("0"));
  edit_->installEventFilter(this);

  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setFixedWidth(16);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
  }

  PlaceSpinParts(this, edit_, up_, down_);

  // Typing raises the change event like a program change does. QLineEdit's
  // own limit would also cut texts the program sets, so the limit on typing
  // is kept here.
  On(edit_, &QLineEdit::textEdited, this, [this](const QString& t) {
    if (t.size() > maxLength_) {
      const QSignalBlocker block(edit_);
      edit_->setText(t.left(maxLength_));
    }
    Change();
  });
  On(up_, &QToolButton::clicked, this, [this] { UpClick(); });
  On(down_, &QToolButton::clicked, this, [this] { DownClick(); });
}

int TSpinEdit::Value() const { return SpinTextValue(Text(), min_); }

int TSpinEdit::CheckValue(int v) const { return SpinCheckValue(v, min_, max_); }

void TSpinEdit::SetValue(int v) { SetText(std::to_string(CheckValue(v))); }

std::string TSpinEdit::Text() const { return edit_->text().toStdString(); }

void TSpinEdit::SetText(const std::string& utf8) {
  const QString t = QString::fromStdString(utf8);
  if (t == edit_->text()) return;
  {
    const QSignalBlocker block(edit_);
    edit_->setText(t);
  }
  Change();
}

namespace {

void Step(TSpinEdit& edit, long long delta) {
  const long long v = edit.Value() + delta;
  edit.SetValue(static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
}

}  // namespace

void TSpinEdit::UpClick() { Step(*this, increment_); }

void TSpinEdit::DownClick() { Step(*this, -static_cast<long long>(increment_)); }

void TSpinEdit::Change() {
  if (OnChange) OnChange(this);
}

bool TSpinEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) return QWidget::eventFilter(watched, event);
  if (event->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(event);
    if (ke->key() == Qt::Key_Up) {
      Guard([this] { UpClick(); });
      return true;
    }
    if (ke->key() == Qt::Key_Down) {
      Guard([this] { DownClick(); });
      return true;
    }
    // Only digits and signs may be typed; control keys pass (X11 gives
    // Delete the text DEL, which is a control character too).
    const QString t = ke->text();
    const char16_t first = t.isEmpty() ? 0 : t[0].unicode();
    if (first >= 32 && first != 127 && !(ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
      const QChar c = t[0];
      if (!(c.isDigit() && c.unicode() < 128) && c != u'+' && c != u'-') return true;
      if (edit_->text().size() - edit_->selectedText().size() >= maxLength_) return true;
    }
  } else if (event->type() == QEvent::FocusOut) {
    // Leaving the edit for another control of the window puts a typed
    // out-of-range number back into range; another window or a menu taking
    // the focus for a while does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
      Guard([this] {
        const int v = Value();
        if (CheckValue(v) != v) SetValue(v);
      });
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace plat
