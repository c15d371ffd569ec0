#pragma once
// TSpinEditCm: an edit with up and down arrows for a decimal quantity with
// two decimals. Its value is a whole number of hundredths of the number it
// shows (value 2970 shows "29,70" under a decimal-comma locale), so the
// program computes with integers. It behaves like TSpinEdit except:
//  - the text is written with the locale's decimal and group separators and
//    read with either "," or "." as the decimal point, so a number typed
//    the way of another desktop language keeps its value (see
//    platform/SpinCmText.h);
//  - leaving the box for another control always rewrites the text from the
//    value, so "1,5" becomes "1,50" and an unreadable text the minimum's text;
//  - Enter is refused with a beep, so it never reaches a default button;
//  - the step starts at 10 (0,10).
#include <QWidget>
#include <functional>
#include <string>

#include "platform/SpinCmText.h"

class QLineEdit;
class QToolButton;

namespace plat {

class TSpinEditCm : public QWidget {
  Q_OBJECT
 public:
  explicit TSpinEditCm(QWidget* parent = nullptr);

  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  void SetMinValue(int v) { min_ = v; }
  void SetMaxValue(int v) { max_ = v; }
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool on);
  bool ReadOnly() const;
  void SetReadOnly(bool on);
  // Characters the user may type; 0 means no limit. The program's texts are never cut.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }

  // The text in hundredths; MinValue when it is no number. Never clamps.
  int Value() const;
  // Writes the clamped value's text; nothing happens when the text is already shown.
  void SetValue(int v);
  int ClampValue(int v) const { return ClampHundredths(v, min_, max_); }

  std::string Text() const;  // UTF-8
  void SetText(const std::string& utf8);

  // Value +/- Increment; a read-only box only beeps.
  void StepUp();
  void StepDown();

  // Called with this edit after each change of the text.
  std::function<void(TSpinEditCm*)> OnChange;
  // Called with this edit when the focus has left it for another control of
  // its window, after the text was rewritten from the value.
  std::function<void(TSpinEditCm*)> OnExit;
  // True while OnChange runs for a character the user typed or deleted (not
  // for a step, a write of the program or the rewrite on leaving): a handler
  // that corrects the value can wait until the user has finished the number.
  bool Typing() const { return typing_; }

  QLineEdit* Editor() const { return edit_; }
  QToolButton* UpButton() const { return up_; }
  QToolButton* DownButton() const { return down_; }

  // The separators of the current default locale (QLocale()).
  static TNumberSeparators LocaleSeparators();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Change();
  void Step(long long delta);

  QLineEdit* edit_;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0;
  int max_ = 0;
  int increment_ = 10;
  int maxLength_ = 0;
  bool editorEnabled_ = true;
  bool typing_ = false;
};

}  // namespace plat
