#pragma once
// "Таблица значений": a formula tabulated at equally spaced x, shown in a
// grid and written to a text file on request.
#include <QComboBox>
#include <string>

#include "orvanta/tools/ToolForm.h"
#include "platform/qt/Services.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableWidget;
class TUpDown;

class TTableForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TTableForm(QWidget* parent = nullptr);

  // The formula box, an editable combo box the main window fills with its list.
  QComboBox* txtFunction = nullptr;
  QLineEdit* txtStart = nullptr;
  QLineEdit* txtDx = nullptr;
  QRadioButton* rbKolvo = nullptr;
  QLineEdit* txtKolvo = nullptr;
  TUpDown* udKolvo = nullptr;
  QRadioButton* rbFinish = nullptr;
  QLineEdit* txtFinish = nullptr;
  QPushButton* btnCancel = nullptr;
  QPushButton* btnSave = nullptr;
  QPushButton* btnOk = nullptr;
  QLabel* lbFunction = nullptr;
  QTableWidget* Grid = nullptr;
  // Under the grid, shown only while the table is cut at its row limit.
  QLabel* lblCut = nullptr;
  plat::TFileDialog SaveDialog;

  // The grid's cell (column, row) as UTF-8; "" for an empty or missing cell.
  std::string Cell(int col, int row) const;

  void btnOkClick();
  void btnSaveClick();
  void rbKolvoClick();
  void rbFinishClick();
  void btnCancelClick();

 protected:
  void FormShow() override;

 private:
  void SetCell(int col, int row, const QString& text);
  void ApplyMode();
};

extern TTableForm* TableForm;
