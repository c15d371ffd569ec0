#include "orvanta/tools/TableFormUnit.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <algorithm>
#include <memory>
#include <vector>

#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/tools/calc/ToolCalc.h"
#include "orvanta/workbench/WorkbenchControls.h"
#include "platform/SafeFile.h"
#include "platform/qt/Text.h"

TTableForm* TableForm = nullptr;

TTableForm::TTableForm(QWidget* parent) : TToolForm(parent, "TableForm", "Таблица значений", 346, 217) {
  SetGlyphIcon("#", Qt::darkCyan);
  txtFunction = new QComboBox(this);
  txtFunction->setObjectName("txtFunction");
  txtFunction->setEditable(true);
  PlaceFunctionBox(txtFunction);

  MakeLabel(this, "Label2", "Начальное значение:", 8, 56);
  txtStart = MakeEdit(this, "txtStart", "0", 120, 54, 89);
  MakeLabel(this, "Label3", "Шаг:", 216, 56);
  txtDx = MakeEdit(this, "txtDx", "0.1", 248, 54, 89);

  rbKolvo = new QRadioButton(QString::fromUtf8("Количество значений:"), this);
  rbKolvo->setObjectName("rbKolvo");
  rbKolvo->setGeometry(8, 88, 161, 17);
  rbKolvo->setChecked(true);
  txtKolvo = MakeEdit(this, "txtKolvo", "100", 177, 84, 48);
  txtKolvo->setMaxLength(4);
  udKolvo = new TUpDown(this);
  udKolvo->setObjectName("udKolvo");
  udKolvo->setGeometry(225, 84, 16, 21);
  udKolvo->SetRange(1, 9999);
  udKolvo->SetAssociate(txtKolvo);
  udKolvo->SetPosition(100);
  rbFinish = new QRadioButton(QString::fromUtf8("Исследовать до значения:"), this);
  rbFinish->setObjectName("rbFinish");
  rbFinish->setGeometry(8, 112, 161, 17);
  txtFinish = MakeEdit(this, "txtFinish", "10", 176, 110, 65);
  txtFinish->setEnabled(false);
  MakeDecimals(this, 8, 144, 153, 140, 169);

  // The short "Закрыть" gives room to the two long captions.
  btnCancel = MakeButton(this, "btnCancel", "Закрыть", 8, 176, 83);
  btnSave = MakeButton(this, "btnSave", "Сохранить в файле", 97, 176, 118);
  btnSave->setEnabled(false);
  btnOk = MakeButton(this, "btnOk", "Получить значения", 221, 176, 116);
  SetDefaultButton(btnOk);

  lbFunction = MakeFitLabel(this, "lbFunction", 8, 216);
  MarkBold(lbFunction);
  Grid = new QTableWidget(1, 2, this);
  Grid->setObjectName("Grid");
  Grid->setGeometry(8, 240, 329, 129);
  Grid->horizontalHeader()->hide();
  Grid->verticalHeader()->hide();
  Grid->verticalHeader()->setDefaultSectionSize(18);
  Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  // The x column keeps its width and the y column takes what the vertical
  // scroll bar leaves, so both are always in view and a click on a cell
  // cannot scroll the grid sideways. A y text wider than its column is cut
  // with "..." and shown whole as the cell's tooltip.
  Grid->horizontalHeader()->setStretchLastSection(true);
  Grid->setColumnWidth(0, 162);
  Grid->setWordWrap(false);
  Grid->setTextElideMode(Qt::ElideRight);
  // Tab moves on to the next control instead of walking the cells.
  Grid->setTabKeyNavigation(false);
  lblCut = MakeLabel(this, "lblCut", tools::MsgTableCut, 8, 372);
  lblCut->hide();

  SaveDialog.Title = "Сохранение таблицы";
  SaveDialog.Filter = "Текстовый файлы (*.txt)|*.txt";

  plat::On(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  plat::On(btnSave, &QPushButton::clicked, this, [this] { btnSaveClick(); });
  plat::On(rbKolvo, &QRadioButton::clicked, this, [this] { rbKolvoClick(); });
  plat::On(rbFinish, &QRadioButton::clicked, this, [this] { rbFinishClick(); });
  plat::On(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
}

std::string TTableForm::Cell(int col, int row) const {
  const QTableWidgetItem* item = Grid->item(row, col);
  return item ? plat::ToUtf8(item->text()) : std::string();
}

void TTableForm::SetCell(int col, int row, const QString& text) {
  auto* item = new QTableWidgetItem(text);
  // The x column and the heading row are fixed: shaded like a heading, and
  // never the current or a selected cell (the view skips disabled cells for
  // clicks and keys alike). The text keeps the normal colour.
  if (col == 0 || row == 0) {
    item->setBackground(palette().button());
    item->setForeground(palette().windowText());
    item->setFlags(Qt::NoItemFlags);
  }
  if (col == 1) item->setToolTip(text);
  Grid->setItem(row, col, item);
}

void TTableForm::btnOkClick() {
  Grid->setColumnWidth(0, 162);
  SetCell(0, 0, QStringLiteral("X = "));
  SetCell(1, 0, QStringLiteral("Y = "));

  const std::string formula = FormulaText(txtFunction);
  auto f = tools::ParseFormula(formula);
  if (f->ErrorCode != 0) {
    Inform(tools::EngineMessage(f->ErrorCode));
    txtFunction->setFocus();
    return;
  }
  const long double start = ReadBox(txtStart, "0");
  // Read and corrected in both modes, also while the box is disabled.
  const long double finish = ReadBox(txtFinish, "10", [start](long double v) { return v > start; });
  const long double step = ReadBox(txtDx, "0.1", [](long double v) { return v >= 1e-6L; });

  const int digits = Decimals();
  ShowLabel(lbFunction, plat::FromCp1251(formula));
  btnSave->setEnabled(true);
  RevealResults(416);

  bool cut = false;
  const int32_t n = tools::TableRowCount(rbKolvo->isChecked(), UpDownValue(txtKolvo, udKolvo),
                                         start, finish, step, &cut);
  Grid->setRowCount(std::max(n + 1, 1));
  const std::vector<tools::TTableRow> rows = tools::TableRows(*f, start, step, n, digits);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    SetCell(0, row, QString::fromStdString(rows[i].X));
    SetCell(1, row, QString::fromUtf8(rows[i].Y.c_str()));
  }
  lblCut->setVisible(cut);
  // A new table opens at its start; the keys walk it from its first value,
  // and nothing of an older table stays selected.
  const QModelIndex first = n > 0 ? Grid->model()->index(1, 1) : QModelIndex();
  Grid->selectionModel()->setCurrentIndex(first, QItemSelectionModel::Clear);
  Grid->scrollToTop();
}

void TTableForm::btnSaveClick() {
  if (!plat::Services().ExecuteSaveDialog(this, SaveDialog)) return;
  const std::string name = tools::TableFileName(SaveDialog.FileName);
  int err = 0;
  try {
    // The file holds what the grid shows, whatever the boxes say now.
    std::vector<tools::TTableRow> rows;
    for (int row = 1; row < Grid->rowCount(); ++row) rows.push_back({Cell(0, row), Cell(1, row)});
    // Written through a temporary file, so a failed save keeps an old table.
    err = plat::WriteFileAtomic(name, tools::TableFileBytes(plat::ToUtf8(lbFunction->text()), rows),
                                plat::TargetName::Chosen);
  } catch (...) {
    err = -1;
  }
  if (err != 0) plat::MessageBox(tools::MsgSaveError, plat::MsgKind::Plain);
}

void TTableForm::ApplyMode() {
  const bool count = rbKolvo->isChecked();
  txtKolvo->setEnabled(count);
  udKolvo->setEnabled(count);
  txtFinish->setEnabled(!count);
}

void TTableForm::rbKolvoClick() {
  ApplyMode();
  txtKolvo->setFocus();
}

void TTableForm::rbFinishClick() {
  ApplyMode();
  txtFinish->setFocus();
}

void TTableForm::btnCancelClick() { close(); }

void TTableForm::FormShow() { txtFunction->setFocus(); }
