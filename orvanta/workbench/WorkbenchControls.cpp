#include "orvanta/workbench/WorkbenchControls.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/Services.h"

// ---- TUpDown ----

TUpDown::TUpDown(QWidget* parent) : QWidget(parent) {
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  box->setSpacing(0);
  up_ = new QToolButton(this);
  down_ = new QToolButton(this);
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  for (QToolButton* b : {up_, down_}) {
    b->setFixedSize(13, 11);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    box->addWidget(b);
  }
  connect(up_, &QToolButton::clicked, this, [this] { StepUp(); });
  connect(down_, &QToolButton::clicked, this, [this] { StepDown(); });
  setFixedSize(13, 22);
}

void TUpDown::SetRange(int min, int max) {
  min_ = min;
  max_ = max < min ? min : max;
  SetPosition(position_);
}

void TUpDown::SetPosition(int p) {
  position_ = std::clamp(p, min_, max_);
  if (associate_) {
    const QSignalBlocker block(associate_);
    associate_->setText(QString::number(position_));
  }
}

void TUpDown::SetAssociate(QLineEdit* edit) {
  if (associate_) associate_->removeEventFilter(this);
  associate_ = edit;
  if (associate_) {
    associate_->installEventFilter(this);
    SetPosition(position_);
  }
}

void TUpDown::StepUp() { Step(+1); }
void TUpDown::StepDown() { Step(-1); }

void TUpDown::Step(int delta) {
  if (!isEnabled()) return;
  // A whole number typed into the edit is where the step starts from.
  if (associate_) {
    bool ok = false;
    const int typed = associate_->text().trimmed().toInt(&ok);
    if (ok && typed >= min_ && typed <= max_) position_ = typed;
  }
  position_ = std::clamp(position_ + delta, min_, max_);
  if (associate_) associate_->setText(QString::number(position_));
  if (OnClick) plat::Guard([this, delta] { OnClick(delta > 0); });
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event) {
  if (watched == associate_ && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Up) {
      StepUp();
      return true;
    }
    if (key->key() == Qt::Key_Down) {
      StepDown();
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TUpDown::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) {
    up_->setEnabled(isEnabled());
    down_->setEnabled(isEnabled());
  }
  QWidget::changeEvent(event);
}

// ---- TColorSwatch ----

TColorSwatch::TColorSwatch(QWidget* parent, int blanks) : QLabel(QString(blanks, ' '), parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setCursor(Qt::PointingHandCursor);
  setAutoFillBackground(true);
  SetColor(color_);
}

void TColorSwatch::SetColor(plat::TColor c) {
  color_ = c & 0xFFFFFFu;
  setStyleSheet(QString("QLabel { background-color: #%1%2%3; }")
                    .arg(color_ & 0xFF, 2, 16, QChar('0'))
                    .arg((color_ >> 8) & 0xFF, 2, 16, QChar('0'))
                    .arg((color_ >> 16) & 0xFF, 2, 16, QChar('0')));
}

void TColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && isEnabled() && rect().contains(event->position().toPoint()) &&
      OnClick)
    plat::Guard(OnClick);
}

// ---- TImage ----

TImage::TImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

bool TImage::FitToControl() {
  if (picture_.Width() == width() && picture_.Height() == height()) return false;
  picture_.SetSize(width(), height());
  return true;
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  if (!picture_.Image().isNull()) p.drawImage(0, 0, picture_.Image());
}

void TImage::mousePressEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  const Qt::MouseButton b = event->button();
  if (OnMouseDown) plat::Guard([&] { OnMouseDown(b, pt.x(), pt.y()); });
}

void TImage::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  if (OnMouseMove) plat::Guard([&] { OnMouseMove(pt.x(), pt.y()); });
}

void TImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint pt = event->position().toPoint();
  const Qt::MouseButton b = event->button();
  if (OnMouseUp) plat::Guard([&] { OnMouseUp(b, pt.x(), pt.y()); });
}

void TImage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) plat::Guard(OnResize);
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(const std::vector<int>& widths, QWidget* parent) : QStatusBar(parent) {
  setSizeGripEnabled(true);
  for (std::size_t i = 0; i < widths.size(); ++i) {
    auto* label = new QLabel(this);
    label->setObjectName(QString("StatusPanel%1").arg(i));
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setIndent(2);
    const bool last = i + 1 == widths.size();
    if (last) {
      // A long tip is cut at the window's edge instead of widening the window.
      label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
      label->setMinimumWidth(widths[i]);
    }
    else
      label->setFixedWidth(widths[i]);
    addWidget(label, last ? 1 : 0);
    panels_.push_back(label);
  }
}

QLabel* TStatusBar::Panel(int index) const {
  return index >= 0 && index < PanelCount() ? panels_[static_cast<std::size_t>(index)] : nullptr;
}

std::string TStatusBar::PanelText(int index) const {
  QLabel* p = Panel(index);
  return p ? p->text().toStdString() : std::string();
}

void TStatusBar::SetPanelText(int index, const std::string& utf8) {
  if (QLabel* p = Panel(index)) p->setText(QString::fromStdString(utf8));
}
