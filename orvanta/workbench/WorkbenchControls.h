#pragma once
// Small controls of the workbench windows that Qt lacks in the form the
// windows use them: the up-down beside an edit, the colour swatch, the
// picture control with its off-screen bitmap, and the panelled status bar.
// Their events call plain callbacks, each run behind the handler guard.
#include <QLabel>
#include <QStatusBar>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "orvanta/workbench/objScreenUnit.h"
#include "platform/qt/ImageCanvas.h"

class QLineEdit;
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

 private:
  std::vector<QLabel*> panels_;
};
