#pragma once
// What the analysis tool windows and the about window share: the fixed,
// centred frame, the Enter key, the decimals control, number boxes that fall
// back to their defaults, result boxes, the information message, the height
// that grows after a successful run, and handing a formula to the main
// window's add-function command.
#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

class QComboBox;
class QLineEdit;
class QPushButton;
class TUpDown;

// A label that shows a run's formula, limits or result. Its text stays whole
// (the program reads it back); only its painting is cut with "..." when the
// label is narrower than the text.
class TFitLabel : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TToolForm : public QDialog {
  Q_OBJECT
 public:
  // The title bar and borders of the design, which the outer heights include.
  static constexpr int FrameHeight = 27;

  TToolForm(QWidget* parent, const char* objectName, const char* caption, int clientWidth,
            int clientHeight);

  // Height with title bar and borders, as the window's design counts it.
  int OuterHeight() const { return height() + FrameHeight; }

  QLineEdit* txtWidth = nullptr;  // the decimals, 1..9
  TUpDown* udWidth = nullptr;

  // The decimals of a run: the up-down's position, after taking over a whole
  // number typed into its edit (kept within 1..9).
  int Decimals();

  // An up-down's position after taking over a whole number typed into its
  // edit (kept within the up-down's range).
  static int UpDownValue(const QLineEdit* edit, TUpDown* ud);

  // Shown results keep their place: the window only ever grows.
  void RevealResults(int outerHeight);

  // The button that Enter presses unless a push button has the focus.
  QPushButton* DefaultButton() const { return defaultButton_; }

  // Sets a text the program computed or took over: never cut by the box's
  // length limit, and shown from its first character.
  static void ShowText(QLineEdit* box, const QString& text);

  void setVisible(bool visible) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  virtual void FormShow() {}

  // Controls in the windows' common style; positions are client pixels.
  QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption, int x, int y);
  TFitLabel* MakeFitLabel(QWidget* parent, const char* name, int x, int y);
  // Sets the text of a label made by MakeFitLabel. A text that would pass
  // `right` (default: 8 pixels inside the parent's right edge) is cut there
  // and shown whole as the label's tooltip.
  static void ShowLabel(QLabel* label, const QString& text, int right = -1);
  QLineEdit* MakeEdit(QWidget* parent, const char* name, const char* text, int x, int y, int w);
  QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int x, int y,
                          int w, int h = 33);
  // The label "Знаков после запятой:" with txtWidth and udWidth.
  void MakeDecimals(QWidget* parent, int labelX, int labelY, int editX, int editY, int upDownX);
  // Places the formula box under its label "Введите функцию:".
  void PlaceFunctionBox(QComboBox* box);
  // The button that Enter presses (btnOk).
  void SetDefaultButton(QPushButton* ok);

  // The window's own 16 x 16 title-bar icon: a glyph on a coloured square.
  void SetGlyphIcon(const char* glyphUtf8, Qt::GlobalColor background);

  // Bold red result boxes, bold black repeated inputs.
  static void MarkResult(QWidget* w);
  static void MarkBold(QWidget* w);
  // A bold label of `points` points, sized to its text (column headings, point numbers).
  static void SizeLabel(QLabel* l, int points);

  // Reads a number box. A text that is no number, or whose value `accept`
  // refuses, is replaced by the default text, and the default value is used.
  static long double ReadBox(QLineEdit* box, const char* defaultText,
                             const std::function<bool(long double)>& accept = {});

  // The formula box's text as bytes, and setting it.
  static std::string FormulaText(const QComboBox* box);
  static void SetFormulaText(QComboBox* box, const std::string& cp1251);
  // An editable formula box that takes formulas of any length.
  static void LiftFormulaLimit(QComboBox* box);

  // An information message with OK; the run waits until it is closed.
  static void Inform(const std::string& utf8);
  // Writes the formula into the new-function dialog and runs the main
  // window's add-function command, which decides whether it is added.
  static void HandToPlot(const std::string& cp1251Formula);
  // A fault of the window's own arithmetic: raised, so that the handler
  // guard shows it in the default error box and the run ends here.
  [[noreturn]] static void RaiseOverflow();

 private:
  // Enter goes to the focused push button, else to the default button.
  bool EnterKey(QWidget* target);
  QPushButton* defaultButton_ = nullptr;
  // Shown and not yet activated: the activation settles the focus again.
  bool showPending_ = false;
};
