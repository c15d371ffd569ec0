#include "orvanta/workbench/WorkbenchControls.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
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
    // The two arrows share the control's height, which follows the edit's.
    b->setFixedWidth(13);
    b->setMinimumHeight(1);
    b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    b->setAutoRepeat(true);
    b->setFocusPolicy(Qt::NoFocus);
    box->addWidget(b, 1);
  }
  plat::On(up_, &QToolButton::clicked, this, [this] { StepUp(); });
  plat::On(down_, &QToolButton::clicked, this, [this] { StepDown(); });
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
    // As tall as the edit, so that both sit on the same line of a toolbar.
    setFixedHeight(associate_->sizeHint().height());
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
      plat::Guard([this] { StepUp(); });
      return true;
    }
    if (key->key() == Qt::Key_Down) {
      plat::Guard([this] { StepDown(); });
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

// ---- TControlBarLayout ----

namespace {
constexpr int kBarMargin = 1;   // around the bar's contents
constexpr int kBandGap = 2;     // between bands in a row, and beside the corners
constexpr int kRowGap = 1;      // between rows
constexpr int kMinBarHeight = 55;
}  // namespace

TControlBarLayout::TControlBarLayout(QWidget* parent) : QLayout(parent) {
  setContentsMargins(0, 0, 0, 0);
}

TControlBarLayout::~TControlBarLayout() {
  while (QLayoutItem* item = takeAt(0)) delete item;
}

void TControlBarLayout::SetCorners(QWidget* left, QWidget* right) {
  addChildWidget(left);
  addChildWidget(right);
  left_ = new QWidgetItem(left);
  right_ = new QWidgetItem(right);
  invalidate();
}

void TControlBarLayout::AddBand(QWidget* band, bool newRow) {
  addWidget(band);
  if (newRow && !bands_.isEmpty()) rowStarts_.append(bands_.back());
}

void TControlBarLayout::addItem(QLayoutItem* item) { bands_.append(item); }

QLayoutItem* TControlBarLayout::itemAt(int index) const {
  if (index == 0 && left_) return left_;
  if (left_) --index;
  if (index == 0 && right_) return right_;
  if (right_) --index;
  return index >= 0 && index < bands_.size() ? bands_.at(index) : nullptr;
}

QLayoutItem* TControlBarLayout::takeAt(int index) {
  QLayoutItem* item = nullptr;
  if (index == 0 && left_) {
    std::swap(item, left_);
    return item;
  }
  if (left_) --index;
  if (index == 0 && right_) {
    std::swap(item, right_);
    return item;
  }
  if (right_) --index;
  if (index < 0 || index >= bands_.size()) return nullptr;
  item = bands_.takeAt(index);
  rowStarts_.removeAll(item);
  return item;
}

int TControlBarLayout::count() const { return (left_ ? 1 : 0) + (right_ ? 1 : 0) + static_cast<int>(bands_.size()); }

QSize TControlBarLayout::sizeHint() const {
  int w = 2 * kBarMargin;
  if (left_) w += left_->sizeHint().width() + kBandGap;
  if (right_) w += right_->sizeHint().width() + kBandGap;
  for (QLayoutItem* b : bands_) w += b->sizeHint().width() + kBandGap;
  return {w, kMinBarHeight};
}

QSize TControlBarLayout::minimumSize() const { return {0, kMinBarHeight}; }

int TControlBarLayout::HeightFor(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

void TControlBarLayout::setGeometry(const QRect& rect) {
  QLayout::setGeometry(rect);
  const int needed = Arrange(rect, true);
  // The rows decide the bar's height; the layout around it follows.
  if (QWidget* bar = parentWidget(); bar && bar->minimumHeight() != needed) bar->setFixedHeight(needed);
}

int TControlBarLayout::Arrange(const QRect& rect, bool apply) const {
  const int top = rect.y() + kBarMargin;
  const int fullLeft = rect.x() + kBarMargin;
  const int fullRight = rect.x() + rect.width() - kBarMargin;  // exclusive
  const QSize leftSize = left_ ? left_->sizeHint() : QSize();
  const QSize rightSize = right_ ? right_->sizeHint() : QSize();
  if (apply && left_) left_->setGeometry(QRect(QPoint(fullLeft, top), leftSize));
  if (apply && right_) right_->setGeometry(QRect(QPoint(fullRight - rightSize.width(), top), rightSize));
  // Rows that start above this line sit between the two corner widgets.
  const int cornersBottom = top + std::max(leftSize.height(), rightSize.height());
  const int narrowLeft = fullLeft + (left_ ? leftSize.width() + kBandGap : 0);
  const int narrowRight = fullRight - (right_ ? rightSize.width() + kBandGap : 0);
  auto rowLeft = [&](int y) { return y < cornersBottom ? narrowLeft : fullLeft; };
  auto rowRight = [&](int y) { return y < cornersBottom ? narrowRight : fullRight; };

  int y = top, x = rowLeft(top), rowHeight = 0;
  for (QLayoutItem* band : bands_) {
    const QSize size = band->sizeHint();
    if (x > rowLeft(y) && (x + size.width() > rowRight(y) || rowStarts_.contains(band))) {  // the row is full
      y += rowHeight + kRowGap;
      x = rowLeft(y);
      rowHeight = 0;
    }
    if (x == rowLeft(y) && x + size.width() > rowRight(y) && y < cornersBottom) {
      // Too long to fit beside the corners at all: below them.
      y = std::max(y, cornersBottom + kRowGap);
      x = rowLeft(y);
    }
    const int w = std::max(0, std::min(size.width(), rowRight(y) - x));
    if (apply) band->setGeometry(QRect(x, y, w, size.height()));
    x += w + kBandGap;
    rowHeight = std::max(rowHeight, size.height());
  }
  const int bottom = std::max(y + rowHeight, cornersBottom) + kBarMargin;
  return std::max(kMinBarHeight, bottom - rect.y());
}

// ---- ElideListLines ----

namespace {

// A line asks for no width of its own, so the list lays it out as wide as
// its viewport and the delegate elides what does not fit.
class TElidingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize s = QStyledItemDelegate::sizeHint(option, index);
    s.setWidth(1);
    return s;
  }
};

}  // namespace

void ElideListLines(QListWidget* list) {
  list->setItemDelegate(new TElidingDelegate(list));
  list->setTextElideMode(Qt::ElideRight);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The tooltips follow the lines however the program sets them (even with
  // the list's own signals blocked: the model's still come).
  auto tip = [list](int first, int last) {
    for (int row = std::max(first, 0); row <= last && row < list->count(); ++row) {
      QListWidgetItem* item = list->item(row);
      if (item->toolTip() != item->text()) item->setToolTip(item->text());
    }
  };
  QAbstractItemModel* model = list->model();
  plat::On(model, &QAbstractItemModel::rowsInserted, list,
           [tip](const QModelIndex&, int first, int last) { tip(first, last); });
  plat::On(model, &QAbstractItemModel::dataChanged, list,
           [tip](const QModelIndex& from, const QModelIndex& to) { tip(from.row(), to.row()); });
}

// ---- ShowFocusedTextFromStart ----

void ShowFocusedTextFromStart(QWidget* window) {
  QWidget* focused = window->focusWidget();
  if (focused == nullptr) {
    // The first showing: the first control of the Tab order takes the focus
    // as the window is activated, which selects nothing by itself.
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
      if ((w->focusPolicy() & Qt::TabFocus) != 0 && w->isEnabled() && w->isVisibleTo(window)) {
        w->setFocus(Qt::TabFocusReason);
        break;
      }
    }
    focused = window->focusWidget();
  }
  if (auto* combo = qobject_cast<QComboBox*>(focused)) focused = combo->lineEdit();
  auto* edit = qobject_cast<QLineEdit*>(focused);
  if (edit == nullptr) return;
  // The box a window opens in holds its whole text selected, so that typing
  // replaces it; the selection from the end back to 0 leaves the cursor at 0.
  const int length = static_cast<int>(edit->text().size());
  edit->setSelection(length, -length);
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

void TStatusBar::FitPanelTo(int index, const std::string& utf8) {
  QLabel* p = Panel(index);
  if (!p) return;
  // The text starts after the frame and the indent; the rest of the panel
  // is the frame on the other side.
  const int needed = p->fontMetrics().horizontalAdvance(QString::fromStdString(utf8)) + p->indent() +
                     2 * p->frameWidth() + 2 * p->margin() + 1;
  if (needed > p->minimumWidth()) p->setFixedWidth(needed);
}

std::string TStatusBar::PanelText(int index) const {
  QLabel* p = Panel(index);
  return p ? p->text().toStdString() : std::string();
}

void TStatusBar::SetPanelText(int index, const std::string& utf8) {
  if (QLabel* p = Panel(index)) p->setText(QString::fromStdString(utf8));
}
