#pragma once
// TSpinEdit: the integer edit with up and down arrows that the windows were
// written against. It differs from QSpinBox on purpose:
//  - the value is whatever the text reads as an integer; a text that is no
//    integer (empty, a lone "-") reads as MinValue, and an out-of-range typed
//    number is read as typed (it is clamped only when the program sets it or
//    the focus moves to another control of its window);
//  - MinValue == MaxValue means no limits;
//  - every real change of the text, typed or set by the program, calls
//    OnChange at once, inside the setter; setting the text already shown
//    calls nothing;
//  - the user types at most MaxLength characters (5 unless changed); the
//    program may set a longer text, such as "-99999".
#include <QWidget>
#include <functional>
#include <string>

#include "platform/SpinText.h"

class QLineEdit;
class QToolButton;

namespace plat {

// Lays out a spin box: the edit with the two arrow buttons stacked on its
// right, the edit taking the focus for the box.
void PlaceSpinParts(QWidget* box, QLineEdit* edit, QToolButton* up, QToolButton* down);

class TSpinEdit : public QWidget {
  Q_OBJECT
 public:
  explicit TSpinEdit(QWidget* parent = nullptr);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinValue(int v) { min_ = v; }
  void SetMaxValue(int v) { max_ = v; }
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }

  // The text read as an integer, MinValue when it is no integer.
  int Value() const;
  // Sets the text to the clamped value (see CheckValue).
  void SetValue(int v);
  // The value clamped to [MinValue, MaxValue] unless the two are equal.
  int CheckValue(int v) const;

  std::string Text() const;  // UTF-8
  void SetText(const std::string& utf8);

  // The arrows: Value + Increment and Value - Increment, set as above.
  void UpClick();
  void DownClick();

  // Called with this edit after each change; the window's change handler.
  std::function<void(TSpinEdit*)> OnChange;

  QLineEdit* Editor() const { return edit_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Change();

  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0;
  int max_ = 0;
  int increment_ = 1;
  int maxLength_ = 5;
};

}  // namespace plat
