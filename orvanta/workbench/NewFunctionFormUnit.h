#pragma once
// The new-function dialog " Новая функция": a formula with its display
// properties, checked and test-parsed before the main window adds it.
#include <QDialog>
#include <QLabel>
#include <cstdint>
#include <string>
#include <vector>

#include "orvanta/workbench/NewFuncSetFile.h"
#include "orvanta/workbench/WorkbenchControls.h"
#include "platform/qt/Services.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

// The proposal table, tried in this order.
extern const std::uint32_t FuncColors[17];
// The first table colour that is not `bkColor` and not in `used`; false when
// none is left.
bool ProposeFuncColor(std::uint32_t bkColor, const std::vector<std::uint32_t>& used,
                      std::uint32_t& color);

class TNewFunctionForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNewFunctionForm(QWidget* parent = nullptr);

  // Outside the pages.
  QLabel* Label4;
  QLabel* Label5;
  QComboBox* txtExpression;  // its list is the formula history
  QPushButton* btnAddFunction;
  QPushButton* btnCancel;
  QPushButton* btnDefault;
  plat::TColorDialog ColorDialog;
  QTabWidget* pgPage;

  // Page "Общие".
  QGroupBox* grpArgument;
  QCheckBox* cbxMinX;
  QLineEdit* txtMinX;
  QCheckBox* cbxMaxX;
  QLineEdit* txtMaxX;
  QCheckBox* cbxXPolog;
  QCheckBox* cbxXCeloe;
  QGroupBox* grpGraph;
  QCheckBox* cbxIfLines;
  QCheckBox* cbxIfRazryv;
  QLineEdit* txtRazryv;
  QLineEdit* txtDiametr;
  TUpDown* udDiametr;
  QLineEdit* txtWidth;
  TUpDown* udWidth;
  TColorSwatch* stColor;
  QLineEdit* txtKolvo;
  TUpDown* udKolvo;

  // Page "Выражение": the editing row and the keypad.
  QGroupBox* GroupBox1;
  QPushButton *btnHome, *btnBack, *btnNext, *btnLast, *btnBk, *btnDelete;
  QGroupBox* GroupBox2;
  QPushButton *btn0, *btn1, *btn2, *btn3, *btn4, *btn5, *btn6, *btn7, *btn8, *btn9;
  QPushButton *btntchk, *btnsk1, *btnsk2, *btnPlus, *btnMinus, *btnUmnog, *btnDelenie;
  QPushButton *btnStepen, *btnKoren;
  QPushButton *btnSin, *btnCos, *btnTg, *btnCtg, *btnASin, *btnACos, *btnAtg, *btnACtg;
  QPushButton *bntLn, *btnLg, *btnExp, *btnSqrt, *btnAbs, *btnFact, *btnRnd, *btnTrunc,
      *btnFrac;
  QPushButton *btnX, *btnP, *btnE;

  // The last valid texts of the three number boxes (UTF-8).
  QString LastMinX, LastMaxX, LastRazryv;

  // The formula text as bytes (Windows-1251), and setting it (the analysis
  // tools hand their formulas over this way).
  std::string ExpressionText() const;
  void SetExpressionText(const std::string& cp1251Text);

  // The controls' state as a defaults record (texts cut to 20 characters).
  TNewFuncSettings CurrentSettings() const;
  // Sets the controls from a record in the order the defaults file lists them.
  void ApplySettings(const TNewFuncSettings& s);
  // Where the defaults live: "newfunc.set" in the program's folder.
  static std::string SettingsPath();

  // Event handlers.
  void FormShow();
  void btnAddFunctionClick();
  void btnCancelClick();
  void btnDefaultClick();
  void cbxMinXClick();
  void cbxMaxXClick();
  void cbxIfRazryvClick();
  void stColorClick();
  void btnHomeClick();
  void btnBackClick();
  void btnNextClick();
  void btnLastClick();
  void btnBkClick();
  void btnDeleteClick();
  void btn0Click();
  void btn1Click();
  void btn2Click();
  void btn3Click();
  void btn4Click();
  void btn5Click();
  void btn6Click();
  void btn7Click();
  void btn8Click();
  void btn9Click();
  void btntchkClick();
  void btnsk1Click();
  void btnsk2Click();
  void btnPlusClick();
  void btnMinusClick();
  void btnUmnogClick();
  void btnDelenieClick();
  void btnStepenClick();
  void btnKorenClick();
  void btnSinClick();
  void btnCosClick();
  void btnTgClick();
  void btnCtgClick();
  void btnASinClick();
  void btnACosClick();
  void btnAtgClick();
  void btnACtgClick();
  void bntLnClick();
  void btnLgClick();
  void btnExpClick();
  void btnSqrtClick();
  void btnAbsClick();
  void btnFactClick();
  void btnRndClick();
  void btnTruncClick();
  void btnFracClick();
  void btnXClick();
  void btnPClick();
  void btnEClick();

 public:
  void setVisible(bool visible) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QLineEdit* ExprEdit() const;
  // Replaces the selection (or inserts at the caret) and leaves the caret after it.
  void InsertText(const char* text);
  // Start of the selection, or the caret when nothing is selected.
  int CaretPos() const;
  void SetCaret(int p);
  void CheckNumberBox(QLineEdit* box, QString& last, bool positive);
  // A whole-number box's value: its typed number kept within 1..9, or the
  // up-down's position when the text is no whole number.
  static int32_t WholeBoxValue(const QLineEdit* box, const TUpDown* ud);
  void CheckWholeBox(QLineEdit* box, TUpDown* ud);
  QPushButton* KeyButton(const char* name, const char* caption, void (TNewFunctionForm::*h)());
  void BuildPageGeneral(QWidget* page);
  void BuildPageExpression(QWidget* page);
};

extern TNewFunctionForm* NewFunctionForm;
