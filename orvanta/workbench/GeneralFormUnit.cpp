#include "orvanta/workbench/GeneralFormUnit.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <limits>

#include "orvanta/engine/FuncsUnit.h"
#include "orvanta/engine/FunctionUnit.h"
#include "orvanta/workbench/JpegImage.h"
#include "orvanta/workbench/ScreenSetFile.h"

TGeneralForm* GeneralForm = nullptr;
int32_t TipIndex = 0;

const char* const HelpHintText = "Для получения справки нажмите F1";
const char* const ScreenSetErrorText =
    "Ошибка инициализации приложения. Возможно утеряны некоторые файлы, необходимые для "
    "работы приложения. Рекомендуется переустановить Orvanta.";

std::string ProgramFolder() { return ProgramDir.empty() ? plat::ExeDir() : ProgramDir; }

void LoadScreenSettings(objScreen& view, int W, int H) {
  TScreenSettings s;
  if (ReadScreenSettingsFile(ProgramFolder() + ScreenSetFileName, s)) {
    ApplyScreenValues(ValidateScreenSettings(s), view);
  } else {
    plat::MessageBox(ScreenSetErrorText, plat::MsgKind::Plain, plat::mbOK);
  }
  // Every load centres the origin, also after a failed read, so the view the
  // built-in values give is usable.
  view.ClearFuncs();
  view.CenterOrigin(W, H);
}

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

QAction* MenuItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {}) {
  QAction* a = menu->addAction(Q(caption));
  a->setObjectName(name);
  if (!key.isEmpty()) a->setShortcut(key);
  return a;
}

QAction* MenuLine(QMenu* menu, const char* name = nullptr) {
  QAction* a = menu->addSeparator();
  if (name) a->setObjectName(name);
  return a;
}

QToolButton* ToolButton(QWidget* parent, const char* name, const char* hint, const QString& glyph,
                        bool check = false) {
  auto* b = new QToolButton(parent);
  b->setObjectName(name);
  b->setToolTip(Q(hint));
  b->setText(glyph);
  b->setAutoRaise(true);
  b->setCheckable(check);
  b->setFocusPolicy(Qt::NoFocus);
  b->setFixedSize(23, 22);
  return b;
}

QToolButton* ToolButton(QWidget* parent, const char* name, const char* hint, QStyle::StandardPixmap icon) {
  QToolButton* b = ToolButton(parent, name, hint, QString());
  b->setIcon(parent->style()->standardIcon(icon));
  return b;
}

QLineEdit* Edit(QWidget* parent, const char* name, const char* hint, int width) {
  auto* e = new QLineEdit(parent);
  e->setObjectName(name);
  e->setToolTip(Q(hint));
  e->setFixedWidth(width);
  return e;
}

QToolBar* Bar(QWidget* parent, const char* name) {
  auto* t = new QToolBar(parent);
  t->setObjectName(name);
  t->setMovable(false);
  t->setFloatable(false);
  t->setIconSize(QSize(16, 16));
  t->setContentsMargins(0, 0, 0, 0);
  // Flat bands as tight as their buttons, so that the bands of the control
  // bar fit beside the function list and the logo.
  t->setStyleSheet(
      "QToolBar { border: none; padding: 0px; spacing: 0px; }"
      "QToolBar::separator { width: 1px; margin: 3px 2px; background: palette(mid); }");
  return t;
}

}  // namespace

TGeneralForm::TGeneralForm(QWidget* parent) : QMainWindow(parent) {
  setObjectName("GeneralForm");
  setWindowTitle(Q(" Orvanta 2.0"));
  CreateMenus();
  CreateControlBar();
  CreatePanel();

  auto* central = new QWidget(this);
  central->setObjectName("ClientArea");
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addWidget(ControlBar);
  auto* row = new QHBoxLayout();
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(1);
  row->addWidget(Panel);
  Image = new TImage(central);
  Image->setObjectName("Image");
  row->addWidget(Image, 1);
  column->addLayout(row, 1);
  setCentralWidget(central);

  StatusBar = new TStatusBar({70, 70, 70, 70, 90, 50}, this);
  StatusBar->setObjectName("StatusBar");
  StatusBar->setFixedHeight(20);
  {
    // The dialogs' 8-point face; the panels are widened where their longest
    // texts would still be cut.
    QFont f(QString::fromStdString(plat::MapFontFamily("MS Sans Serif")));
    f.setPixelSize(plat::FontPixelSize(8, 96));
    StatusBar->setFont(f);
  }
  StatusBar->FitPanelTo(panelXm, ScaleText("xm ", 49.99999L));
  StatusBar->FitPanelTo(panelYm, ScaleText("ym ", 49.99999L));
  StatusBar->FitPanelTo(panelFuncCount, FuncCountText(MaxFuncCount));
  setStatusBar(StatusBar);
  StatusBar->SetPanelText(panelFuncCount, FuncCountText(0));
  StatusBar->SetPanelText(panelHint, HelpHintText);

  Timer = new plat::TTimer(this);
  Timer->setObjectName("Timer");
  Timer->SetInterval(100);
  Timer->SetEnabled(false);
  Timer->OnTimer = [this] { TimerTimer(); };
  Timer1 = new plat::TTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->SetInterval(10000);
  Timer1->SetEnabled(false);
  Timer1->OnTimer = [this] { Timer1Timer(); };

  SaveDialog.Title = "Сохранение функций";
  SaveDialog.Filter = "Файлы функций (*.ov2)|*.ov2|Все файлы|*.*";
  OpenDialog.Title = "Открытие файла с функциями";
  OpenDialog.Filter = SaveDialog.Filter;
  SavePictureDialog.Title = "Сохранение изображения";
  SavePictureDialog.Filter = "Bitmaps (*.bmp)|*.bmp";

  Image->OnResize = [this] { FormResize(); };
  plat::On(mnuFileExit, &QAction::triggered, this, [this] { mnuFileExitClick(); });

  // Client area 790 x 510 at design size; the window is shown maximised.
  resize(790, 510 + MainMenu->sizeHint().height());

  SetupFunctionHandlers();
  SetupViewHandlers();
  SetupFileHandlers();
}

TGeneralForm::~TGeneralForm() {
  if (Image) Image->OnResize = nullptr;
  delete MainScreen;
  MainScreen = nullptr;
}

void TGeneralForm::CreateMenus() {
  MainMenu = menuBar();
  MainMenu->setObjectName("MainMenu");

  mnuFile = MainMenu->addMenu(Q("Файл"));
  mnuFile->setObjectName("mnuFile");
  mnuFileNew = MenuItem(mnuFile, "mnuFileNew", "Создать");
  mnuFileOpen = MenuItem(mnuFile, "mnuFileOpen", "Открыть...");
  mnuFileSaveAs = MenuItem(mnuFile, "mnuFileSaveAs", "Сохранить...");
  mnuFileLine2 = MenuLine(mnuFile, "mnuFileLine2");
  mnuFileSaveImage = MenuItem(mnuFile, "mnuFileSaveImage", "Сохранить изображение...");
  mnuFileLine1 = MenuLine(mnuFile, "mnuFileLine1");
  mnuFileExit = MenuItem(mnuFile, "mnuFileExit", "Выход");

  mnuFunction = MainMenu->addMenu(Q("Функция"));
  mnuFunction->setObjectName("mnuFunction");
  mnuFunctionAdd = MenuItem(mnuFunction, "mnuFunctionAdd", "Добавить...", QKeySequence(Qt::Key_F2));
  mnuFunctionDelete = MenuItem(mnuFunction, "mnuFunctionDelete", "Удалить", QKeySequence(Qt::Key_F3));
  mnuFunctionDeleteAll = MenuItem(mnuFunction, "mnuFunctionDeleteAll", "Удалить все");

  mnuGraph = MainMenu->addMenu(Q("Экран"));
  mnuGraph->setObjectName("mnuGraph");
  mnuGraphMPlus = MenuItem(mnuGraph, "mnuGraphMPlus", "Приблизить", QKeySequence(Qt::CTRL | Qt::Key_P));
  mnuGraphMMinus = MenuItem(mnuGraph, "mnuGraphMMinus", "Отдалить", QKeySequence(Qt::CTRL | Qt::Key_M));
  mnuGraphMDefault =
      MenuItem(mnuGraph, "mnuGraphMDefault", "Масштаб по умолчанию", QKeySequence(Qt::CTRL | Qt::Key_D));
  mnuGraphMRavn =
      MenuItem(mnuGraph, "mnuGraphMRavn", "Сравнять масштабы по осям", QKeySequence(Qt::CTRL | Qt::Key_O));
  MenuLine(mnuGraph);
  mnuGraphXPlus = MenuItem(mnuGraph, "mnuGraphXPlus", "Растянуть по оси X", QKeySequence(Qt::CTRL | Qt::Key_F1));
  mnuGraphYPlus = MenuItem(mnuGraph, "mnuGraphYPlus", "Растянуть по оси Y", QKeySequence(Qt::CTRL | Qt::Key_F2));
  mnuGraphXMinus = MenuItem(mnuGraph, "mnuGraphXMinus", "Сжать по оси X", QKeySequence(Qt::CTRL | Qt::Key_F3));
  mnuGraphYMinus = MenuItem(mnuGraph, "mnuGraphYMinus", "Сжать по оси Y", QKeySequence(Qt::CTRL | Qt::Key_F4));
  MenuLine(mnuGraph);
  mnuGraphLeft = MenuItem(mnuGraph, "mnuGraphLeft", "Сдвиг вправо", QKeySequence(Qt::CTRL | Qt::Key_F6));
  mnuGraphRight = MenuItem(mnuGraph, "mnuGraphRight", "Сдвиг влево", QKeySequence(Qt::CTRL | Qt::Key_F5));
  mnuGraphUp = MenuItem(mnuGraph, "mnuGraphUp", "Сдвиг вверх", QKeySequence(Qt::CTRL | Qt::Key_F7));
  mnuGraphDown = MenuItem(mnuGraph, "mnuGraphDown", "Сдвиг вниз", QKeySequence(Qt::CTRL | Qt::Key_F8));
  MenuLine(mnuGraph);
  mnuGraphCenter = MenuItem(mnuGraph, "mnuGraphCenter", "По центру", QKeySequence(Qt::Key_F12));
  MenuLine(mnuGraph);
  mnuGraphProperties = MenuItem(mnuGraph, "mnuGraphProperties", "Свойства...");

  mnuUtil = MainMenu->addMenu(Q("Утилиты"));
  mnuUtil->setObjectName("mnuUtil");
  mnuUtilProiz = MenuItem(mnuUtil, "mnuUtilProiz", "Производная...");
  mnuUtilKasat = MenuItem(mnuUtil, "mnuUtilKasat", "Уравнение касательной...");
  mnuUtilNormal = MenuItem(mnuUtil, "mnuUtilNormal", "Уравнение нормали...");
  mnuUtilIntegral = MenuItem(mnuUtil, "mnuUtilIntegral", "Определенный интеграл...");
  mnuUtilPeresech = MenuItem(mnuUtil, "mnuUtilPeresech", "Таблица значений...");
  mnuUtilLine = MenuItem(mnuUtil, "mnuUtilLine", "Уравнение прямой по двум точкам...");
  N7 = MenuItem(mnuUtil, "N7", "Уравнение параболы по трем точкам...");
  mnuUtilUravn = MenuItem(mnuUtil, "mnuUtilUravn", "Решение квадратных уравнений...");

  N11 = MainMenu->addMenu(Q("Помощь"));
  N11->setObjectName("N11");
  mnuHelpHelp = MenuItem(N11, "mnuHelpHelp", "Справка", QKeySequence(Qt::Key_F1));
  mnuHelpAbout = MenuItem(N11, "mnuHelpAbout", "О программе");
}

void TGeneralForm::CreateControlBar() {
  ControlBar = new QWidget(this);
  ControlBar->setObjectName("ControlBar");
  // 55 pixels high while everything fits in two rows; a narrow window gets
  // more rows rather than toolbars cut behind their overflow buttons.
  ControlBar->setFixedHeight(55);
  auto* bar = new TControlBarLayout(ControlBar);

  // The function list on its own toolbar, spanning both rows.
  ToolBar3 = Bar(ControlBar, "ToolBar3");
  lbxFunctions = new QListWidget(ToolBar3);
  lbxFunctions->setObjectName("lbxFunctions");
  lbxFunctions->setFixedSize(169, 48);
  lbxFunctions->setUniformItemSizes(true);
  lbxFunctions->setStyleSheet("QListWidget::item { height: 13px; padding: 0px; }");
  {
    QFont f = lbxFunctions->font();
    f.setPixelSize(11);
    lbxFunctions->setFont(f);
  }
  ElideListLines(lbxFunctions);
  ToolBar3->addWidget(lbxFunctions);

  tbFile = Bar(ControlBar, "tbFile");
  tbNewFile = ToolButton(tbFile, "tbNewFile", "Создать", QStyle::SP_FileIcon);
  tbOpenFile = ToolButton(tbFile, "tbOpenFile", "Открыть", QStyle::SP_DialogOpenButton);
  tbSaveFile = ToolButton(tbFile, "tbSaveFile", "Сохранить", QStyle::SP_DialogSaveButton);
  tbSaveImage = ToolButton(tbFile, "tbSaveImage", "Сохранить изображение", QStyle::SP_DesktopIcon);
  tbAddFunc = ToolButton(tbFile, "tbAddFunc", "Добавить новую функцию", Q("f+"));
  tbDelFunc = ToolButton(tbFile, "tbDelFunc", "Удалить выделенную функцию", Q("f−"));
  tbDeleteAll = ToolButton(tbFile, "tbDeleteAll", "Удалить все функции", QStyle::SP_TrashIcon);
  tbProiz = ToolButton(tbFile, "tbProiz", "Производная функции", Q("f′"));
  tbKas = ToolButton(tbFile, "tbKas", "Уравнение касательной", Q("∠"));
  tbNormal = ToolButton(tbFile, "tbNormal", "Уравнение нормали", Q("⊥"));
  tbIntegral = ToolButton(tbFile, "tbIntegral", "Определенный интеграл", Q("∫"));
  tbTable = ToolButton(tbFile, "tbTable", "Таблица значений", Q("▦"));
  tbLine = ToolButton(tbFile, "tbLine", "Уравнение прямой по двум точкам", Q("╱"));
  tbParabola = ToolButton(tbFile, "tbParabola", "Уравнение параболы по трем точкам", Q("∪"));
  tbUravn = ToolButton(tbFile, "tbUravn", "Решение квадратных уравнений", Q("x²"));
  tbHelp = ToolButton(tbFile, "tbHelp", "Справка", Q("?"));
  for (QToolButton* b : {tbNewFile, tbOpenFile, tbSaveFile, tbSaveImage}) tbFile->addWidget(b);
  tbFile->addSeparator();
  for (QToolButton* b : {tbAddFunc, tbDelFunc, tbDeleteAll}) tbFile->addWidget(b);
  tbFile->addSeparator();
  for (QToolButton* b : {tbProiz, tbKas, tbNormal, tbIntegral, tbTable, tbLine, tbParabola, tbUravn})
    tbFile->addWidget(b);
  tbFile->addSeparator();
  tbFile->addWidget(tbHelp);
  bar->AddBand(tbFile);

  tlbFunction = Bar(ControlBar, "tlbFunction");
  txtFunction = Edit(tlbFunction, "txtFunction", "Текущее выражение", 110);
  // A listed formula may be longer than an edit's default limit.
  txtFunction->setMaxLength(std::numeric_limits<int>::max());
  tbOk = ToolButton(tlbFunction, "tbOk", "Применить изменения", Q("✓"));
  txtDiametr = Edit(tlbFunction, "txtDiametr", "Диаметр точек", 22);
  udDiametr = new TUpDown(tlbFunction);
  udDiametr->setObjectName("udDiametr");
  udDiametr->setToolTip(Q("Изменить диаметр точек"));
  txtWidth = Edit(tlbFunction, "txtWidth", "Толщина линии", 22);
  udWidth = new TUpDown(tlbFunction);
  udWidth->setObjectName("udWidth");
  udWidth->setToolTip(Q("Изменить толщину линии"));
  txtKolvo = Edit(tlbFunction, "txtKolvo", "Точность построения", 22);
  udKolvo = new TUpDown(tlbFunction);
  udKolvo->setObjectName("udKolvo");
  udKolvo->setToolTip(Q("Изменить точность построения"));
  for (auto [ud, edit] : {std::pair{udDiametr, txtDiametr}, {udWidth, txtWidth}, {udKolvo, txtKolvo}}) {
    ud->SetRange(1, 9);
    ud->SetAssociate(edit);
    ud->SetPosition(1);
  }
  stColor = new TColorSwatch(tlbFunction);
  stColor->setObjectName("stColor");
  stColor->setToolTip(Q("Изменить цвет графика"));
  stColor->SetColor(plat::clGray);
  tbZeloe = ToolButton(tlbFunction, "tbZeloe", "Только целые значения аргумента", Q("ℤ"), true);
  tbPolog = ToolButton(tlbFunction, "tbPolog", "Только положительные значения аргумента", Q("+x"), true);
  tbLines = ToolButton(tlbFunction, "tbLines", "Соединять точки линиями", Q("⁄"), true);
  tbRazryv = ToolButton(tlbFunction, "tbRazryv",
                        "Установить максимально допустимый разрыв между точками", Q("↕"), true);
  txtRazryv = Edit(tlbFunction, "txtRazryv", "Максимальное значение разрыва между двумя точками", 45);
  tbLeftOgr = ToolButton(tlbFunction, "tbLeftOgr", "Установить левое ограничение", Q("["), true);
  tbRightOgr = ToolButton(tlbFunction, "tbRightOgr", "Установить правое ограничение", Q("]"), true);
  tlbFunction->addWidget(txtFunction);
  tlbFunction->addWidget(tbOk);
  tlbFunction->addWidget(txtDiametr);
  tlbFunction->addWidget(udDiametr);
  tlbFunction->addWidget(txtWidth);
  tlbFunction->addWidget(udWidth);
  tlbFunction->addWidget(txtKolvo);
  tlbFunction->addWidget(udKolvo);
  tlbFunction->addSeparator();
  tlbFunction->addWidget(stColor);
  tlbFunction->addSeparator();
  tlbFunction->addWidget(tbZeloe);
  tlbFunction->addWidget(tbPolog);
  tlbFunction->addSeparator();
  tlbFunction->addWidget(tbLines);
  tlbFunction->addWidget(tbRazryv);
  tlbFunction->addWidget(txtRazryv);
  tlbFunction->addWidget(tbLeftOgr);
  tlbFunction->addWidget(tbRightOgr);
  bar->AddBand(tlbFunction, true);

  ToolBar1 = Bar(ControlBar, "ToolBar1");
  txtXMin = Edit(ToolBar1, "txtXMin", "Левая граница значений аргумента", 45);
  tbOk1 = ToolButton(ToolBar1, "tbOk1", "Задать границы", Q("✓"));
  txtXMax = Edit(ToolBar1, "txtXMax", "Правая граница значений аргумента", 45);
  ToolBar1->addWidget(txtXMin);
  ToolBar1->addWidget(tbOk1);
  ToolBar1->addWidget(txtXMax);
  bar->AddBand(ToolBar1);

  Image1 = new QLabel(ControlBar);
  Image1->setObjectName("Image1");
  Image1->setFixedSize(228, 52);
  Image1->setPixmap(QPixmap::fromImage(LogoImage()));
  bar->SetCorners(ToolBar3, Image1);

  // Everything but the list starts disabled until a function is listed.
  for (QWidget* w : std::initializer_list<QWidget*>{
           txtFunction, tbOk, txtDiametr, udDiametr, txtWidth, udWidth, txtKolvo, udKolvo, stColor,
           tbZeloe, tbPolog, tbLines, tbRazryv, txtRazryv, tbLeftOgr, tbRightOgr, txtXMin, tbOk1,
           txtXMax, tbSaveFile, tbDelFunc, tbDeleteAll})
    w->setEnabled(false);
  for (QAction* a : {mnuFileSaveAs, mnuFunctionDelete, mnuFunctionDeleteAll}) a->setEnabled(false);
}

void TGeneralForm::CreatePanel() {
  Panel = new QWidget(this);
  Panel->setObjectName("Panel");
  Panel->setFixedWidth(50);
  struct Def {
    QToolButton** button;
    const char* name;
    const char* hint;
    const char* glyph;
    int top;
  };
  const Def defs[] = {
      {&btnMPlus, "btnMPlus", "Приблизить", "+", 0},
      {&btnMMinus, "btnMMinus", "Отдалить", "−", 24},
      {&btnMDefault, "btnMDefault", "Масштаб по умолчанию", "1:1", 48},
      {&btnMRovn, "btnMRovn", "Сравнять масштабы по осям", "=", 72},
      {&btnXPlus, "btnXPlus", "Растянуть по оси X", "↔", 104},
      {&btnYPlus, "btnYPlus", "Растянуть по оси Y", "↕", 128},
      {&btnXMinus, "btnXMinus", "Сжать по оси X", "→←", 152},
      {&btnYMinus, "btnYMinus", "Сжать по оси Y", "⇵", 176},
      {&btnCenter, "btnCenter", "По центру", "⊕", 208},
      {&btnLeft, "btnLeft", "Сдвиг вправо", "→", 240},
      {&btnRight, "btnRight", "Сдвиг влево", "←", 264},
      {&btnUp, "btnUp", "Сдвиг вверх", "↑", 288},
      {&btnDown, "btnDown", "Сдвиг вниз", "↓", 312},
      {&btnKursor, "btnKursor", "Режим указателя", "↖", 344},
      {&btnRect, "btnRect", "Увеличить заданную область", "⬚", 368},
      {&btnSettings, "btnSettings", "Свойства экрана", "…", 400},
  };
  for (const Def& d : defs) {
    auto* b = new QToolButton(Panel);
    b->setObjectName(d.name);
    b->setToolTip(Q(d.hint));
    b->setText(Q(d.glyph));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setGeometry(0, d.top, 49, 25);
    *d.button = b;
  }
  // The two mouse modes: exactly one is down; pointer mode at start.
  for (QToolButton* b : {btnKursor, btnRect}) {
    b->setCheckable(true);
    b->setAutoExclusive(true);
  }
  btnKursor->setChecked(true);
}

// ---- Start-up, timers, layout, drawing, exit ----

void TGeneralForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The view is created once: a restore from minimised must not replace it
  // (and with it the function list).
  if (shown_) return;
  shown_ = true;
  plat::Guard([this] { FormShow(); });
}

void TGeneralForm::FormShow() {
  delete MainScreen;
  MainScreen = new objScreen();
  LoadScreenSettings(*MainScreen, Image->width(), Image->height());
  Timer->SetEnabled(true);
  EnableFunctionControls(false);
  ProgramDir = plat::ExeDir();
}

void TGeneralForm::TimerTimer() {
  Timer->SetEnabled(false);
  if (!Timer1->Enabled()) Timer1->SetEnabled(true);
  TipIndex = 1;
  Image->FitToControl();
  LoadScreenSettings(*MainScreen, Image->width(), Image->height());
  started_ = true;
  DrawScreen();
  mnuFunctionAddClick();
}

void TGeneralForm::Timer1Timer() {
  if (TipIndex <= 14) {
    StatusBar->SetPanelText(panelHint, Tips[TipIndex]);
    ++TipIndex;
  } else {
    Timer1->SetEnabled(false);
    StatusBar->SetPanelText(panelHint, HelpHintText);
  }
}

void TGeneralForm::FormResize() {
  // The picture follows its control; once there is a picture, a new size
  // redraws it.
  if (!started_ || !MainScreen) return;
  if (Image->FitToControl()) DrawScreen();
}

void TGeneralForm::mnuFileExitClick() { close(); }

void TGeneralForm::DrawScreen() {
  if (!MainScreen) return;
  Image->FitToControl();
  ::DrawScreen(*MainScreen, Image->Canvas(), StatusBar);
  Image->update();
}

void TGeneralForm::DrawFunction(int32_t i) {
  if (!MainScreen) return;
  Image->FitToControl();
  ::DrawFunction(*MainScreen, i, Image->Canvas());
  Image->update();
}
