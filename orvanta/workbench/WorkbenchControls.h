#pragma once
// Small controls of the workbench windows that Qt lacks in the form the
// windows use them: the up-down beside an edit, the colour swatch, the
// picture control with its off-screen bitmap, and the panelled status bar.
// Their events call plain callbacks, each run behind the handler guard.
#include <QLabel>
#include <QLayout>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/Bitmap.h"

class QLineEdit;
class QListWidget;
class QToolButton;

// An up-down control: a position between Min and Max (no wrap), stepped by
// its two arrows or, in its associated edit, by the Up and Down keys. A step
// sets the position (clamped), writes it into the associated edit and calls
// OnClick; setting the position from the program calls nothing.
class TUpDown : public QWidget {
  Q_OBJECT
 public:
  explicit TUpDown(QWidget* parent = nullptr);
  int Min() const { return min_; }
  int Max() const { return max_; }
  void SetRange(int min, int max);
  int Position() const { return position_; }
  void SetPosition(int p);  // clamped; updates the associated edit
  void SetAssociate(QLineEdit* edit);
  QLineEdit* Associate() const { return associate_; }
  void StepUp();
  void StepDown();
  // Called after each step; `up` tells which arrow.
  std::function<void(bool up)> OnClick;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void Step(int delta);
  QToolButton* up_;
  QToolButton* down_;
  QLineEdit* associate_ = nullptr;
  int min_ = 0, max_ = 100, position_ = 0;
};

// The control bar's layout: a widget at the top left (the function list) and
// one at the top right (the logo), and between them the toolbars ("bands") in
// rows, each at its full length. A band that does not fit beside the others
// starts a new row; rows below the two corner widgets use the whole width. The
// bar's widget is kept exactly as high as its rows need.
class TControlBarLayout : public QLayout {
 public:
  explicit TControlBarLayout(QWidget* parent);
  ~TControlBarLayout() override;
  void SetCorners(QWidget* left, QWidget* right);
  // `newRow`: the band starts a row of its own, however wide the bar.
  void AddBand(QWidget* band, bool newRow = false);
  // The height the bar needs at `width`.
  int HeightFor(int width) const;

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  int Arrange(const QRect& rect, bool apply) const;
  QLayoutItem* left_ = nullptr;
  QLayoutItem* right_ = nullptr;
  QList<QLayoutItem*> bands_;
  QList<QLayoutItem*> rowStarts_;
};

// Keeps every line of a short list in view: a line wider than the list is
// cut with "..." instead of bringing up a horizontal scroll bar (which would
// hide the last line), and each line shows its whole text as a tooltip.
void ElideListLines(QListWidget* list);

// Called right after `window` is shown: the box that has (or, at the first
// showing, takes) the focus holds its whole text selected, shown from its
// first character (a Tab focus alone would scroll a long text to its end).
void ShowFocusedTextFromStart(QWidget* window);

// A colour swatch: a sunken label of blanks whose background is the colour,
// with the hand cursor; a click calls OnClick.
class TColorSwatch : public QLabel {
  Q_OBJECT
 public:
  explicit TColorSwatch(QWidget* parent = nullptr, int blanks = 13);
  plat::TColor Color() const { return color_; }
  void SetColor(plat::TColor c);
  std::function<void()> OnClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  plat::TColor color_ = 0x808080;
};

// The picture control: shows its off-screen bitmap and reports the mouse in
// picture pixels. After a press, moves and the release keep coming to it
// (with coordinates outside the picture) until the button goes up.
class TImage : public QWidget {
  Q_OBJECT
 public:
  explicit TImage(QWidget* parent = nullptr);
  plat::TBitmap& Picture() { return picture_; }
  // The drawing surface; its size follows the control's through FitToControl.
  plat::TCanvas& Canvas() { return picture_.Canvas(); }
  // Makes the bitmap the size of the control; true when the size changed.
  bool FitToControl();

  std::function<void(Qt::MouseButton button, int x, int y)> OnMouseDown;
  std::function<void(int x, int y)> OnMouseMove;
  std::function<void(Qt::MouseButton button, int x, int y)> OnMouseUp;
  std::function<void()> OnResize;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  plat::TBitmap picture_;
};

// The status bar with fixed-width panels (the last one takes the rest).
class TStatusBar : public QStatusBar, public IStatusPanels {
  Q_OBJECT
 public:
  TStatusBar(const std::vector<int>& widths, QWidget* parent = nullptr);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  std::string PanelText(int index) const;  // UTF-8; "" for a bad index
  void SetPanelText(int index, const std::string& utf8) override;
  QLabel* Panel(int index) const;
  // Widens a panel, if need be, so that `utf8` fits it uncut in its font.
  void FitPanelTo(int index, const std::string& utf8);

 private:
  std::vector<QLabel*> panels_;
};
