#pragma once
// The set-up dialog of the printer that writes PDF files. Qt's page set-up
// dialog serves only native printers, so this one offers what a PDF page can
// honour: the paper size and the orientation. It runs through
// Services().ExecModal, so tests answer it with the fake services.
#include <QDialog>
#include <QPageLayout>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace plat {

class TPdfPageSetupForm : public QDialog {
  Q_OBJECT
 public:
  explicit TPdfPageSetupForm(QWidget* parent = nullptr);

  QLabel* Label1;
  QComboBox* PaperSize;
  QGroupBox* GroupBox1;  // "Ориентация"
  QRadioButton* Portrait;
  QRadioButton* Landscape;
  QPushButton* OkButton;
  QPushButton* CancelButton;

  // Shows `layout`'s paper and orientation; a paper not in the list is
  // added to it under its own name.
  void SetLayout(const QPageLayout& layout);
  // `layout` with the chosen paper and orientation (its margins kept where
  // the new paper allows them).
  QPageLayout Layout(const QPageLayout& layout) const;
};

// Runs the dialog on `layout`; true, with `layout` changed, when the user
// confirmed it.
bool RunPdfPageSetup(QPageLayout& layout, QWidget* parent);

}  // namespace plat
