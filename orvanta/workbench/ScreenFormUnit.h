#pragma once
// The screen-properties dialog " Свойства экрана": the view's corner, scales,
// zoom and pan steps, colours, axes and grid. The main window fills it from
// the view, shows it, and copies it back after OK; btnDefault makes the
// current values the view's defaults and writes "screen.set".
#include <QDialog>
#include <QLabel>
#include <QWidget>
#include <cstdint>
#include <string>

#include "orvanta/workbench/WorkbenchControls.h"
#include "platform/qt/Services.h"

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTabWidget;

class TScreenForm : public QDialog {
  Q_OBJECT
 public:
  explicit TScreenForm(QWidget* parent = nullptr);

  // Boxes of the seven number texts, in validation order.
  enum Box { bxMinX, bxMinY, bxXm, bxYm, bxKoef, bxSdvig, bxSetkaStep, BoxCount };

  QTabWidget* pgPage;
  QWidget* tsScale;   // "Масштаб и координаты"
  QWidget* tsScreen;  // "Экран"
  QGroupBox* gbCurrent;
  QGroupBox* gbControl;
  QGroupBox* gbScreen;
  QGroupBox* gbSetka;
  QLineEdit* txtMinX;
  QLineEdit* txtMinY;
  QLineEdit* txtXm;
  QLineEdit* txtYm;
  QLineEdit* txtKoef;
  QLineEdit* txtSdvig;
  QLineEdit* txtSetkaStep;
  QLineEdit* txtWidth;
  TUpDown* udWidth;
  TColorSwatch* stBkColor;
  TColorSwatch* stOciColor;
  TColorSwatch* stLinesColor;
  QCheckBox* cbxOci;
  QCheckBox* cbxSetka;
  QLabel* Label8;   // "Цвет осей:"
  QLabel* Label9;   // "Толщина (пкс):"
  QLabel* Label10;  // "Шаг сетки:"
  QLabel* Label11;  // "Цвет линий:"
  QPushButton* btnCancel;
  QPushButton* btnDefault;
  QPushButton* btnOk;
  plat::TColorDialog ColorDialog;

  // The last valid text of each number box (UTF-8, as the box holds it).
  std::string LastScreenTexts[BoxCount];

  QLineEdit* BoxEdit(int box) const;

  // Handlers.
  void FormShow();
  void btnOkClick();
  void btnCancelClick();
  void btnDefaultClick();
  void stBkColorClick();
  void stOciColorClick();
  void stLinesColorClick();
  void cbxOciClick();
  void cbxSetkaClick();

  // Replaces every invalid number text by its box's last valid text, then
  // makes each text its box's last valid text. With `asStored`, a stored box
  // is valid only when the part of it that "screen.set" keeps is valid too.
  void CheckScreenFields(bool asStored = false);

  // The main window's command, split where the dialog is shown: fill the
  // controls from a view, and copy them back into it after OK.
  void FillFromView(const objScreen& view);
  void ApplyToView(objScreen& view) const;
  // The axes width: a whole number from 1 to 9 typed into txtWidth, else
  // the up-down's position.
  int WidthPosition() const;

  // Whether `text` is a valid text for `box`; *value gets its number.
  static bool ValidBoxText(int box, const std::string& utf8, long double* value = nullptr);
  // The characters of a box that "screen.set" keeps: its first 20, in Windows-1251.
  static std::string StoredText(const std::string& utf8);

 protected:
  void showEvent(QShowEvent* e) override;
  void reject() override;  // Escape and the close box
};

extern TScreenForm* ScreenForm;
