// The workbench as it starts: window, status bar, timers, the first picture
// from the shipped "screen.set", the tips walk, layout and the screenshot.
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QToolButton>

#include "WorkbenchFixture.h"
#include "orvanta/engine/FuncsUnit.h"

namespace {

class StartupTest : public WorkbenchFixture {};

class BeforeTimerTest : public WorkbenchFixture {
 protected:
  bool FireStartupTimer() const override { return false; }
};

}  // namespace

TEST_F(BeforeTimerTest, ShowingCreatesTheViewAndWaitsForTheStartupTimer) {
  ASSERT_NE(MainScreen, nullptr);
  EXPECT_TRUE(Form().Timer->Enabled());
  EXPECT_FALSE(Form().Timer1->Enabled());
  EXPECT_EQ(Form().Timer1->Interval(), 10000);
  EXPECT_EQ(ProgramDir, plat::ExeDir());
  EXPECT_TRUE(fake.Dialogs.empty());
  EXPECT_TRUE(fake.Messages.empty());  // the shipped file was read
  EXPECT_EQ(Panel(4), "Функций: 0");
  EXPECT_FALSE(Form().Started());
}

TEST_F(BeforeTimerTest, TheNewFunctionDialogOpensOverTheFirstPicture) {
  std::string scale;
  plat::TColor axis = 0xFFFFFFFF;
  fake.OnExecModal = [&](QDialog* d) {
    scale = Panel(2);
    const int W = Form().Image->width(), H = Form().Image->height();
    axis = Pixel(static_cast<int>(std::nearbyint(W / 2.0)), H / 4);
    d->reject();
    return d->result();
  };
  Form().Timer->Fire();
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(scale, "xm 0.02");
  EXPECT_EQ(axis, 0x000000u);
  EXPECT_EQ(TipIndex, 1);
}

TEST_F(BeforeTimerTest, AMissingScreenSetIsReportedAndStartUpGoesOn) {
  QTemporaryDir empty;
  ProgramDir = empty.path().toStdString() + "/";
  View().Xm = View().Ym = 0.05L;  // as the first load left them
  Form().Timer->Fire();
  // (The new-function dialog then misses "newfunc.set" there too.)
  ASSERT_GE(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Text, ScreenSetErrorText);
  EXPECT_EQ(fake.Messages[0].Kind, plat::MsgKind::Plain);
  // The view keeps its values, centred in the picture, and is drawn; the
  // new-function dialog still opens.
  const int W = Form().Image->width(), H = Form().Image->height();
  EXPECT_EQ(View().StartX, -static_cast<long double>(W) * 0.05L / 2);
  EXPECT_EQ(View().StartY, static_cast<long double>(H) * 0.05L / 2);
  EXPECT_EQ(Panel(2), "xm 0.05");
  EXPECT_EQ(Pixel(static_cast<int>(std::nearbyint(W / 2.0)), H / 4), View().OciColor);
  EXPECT_EQ(fake.Dialogs.size(), 1u);
}

TEST_F(StartupTest, WindowTitleLayoutAndLogo) {
  EXPECT_EQ(Form().windowTitle().toStdString(), " Orvanta 2.0");
  // Function list lines are 13 pixels high, as the list's height assumes.
  QListWidget* list = Form().lbxFunctions;
  list->addItem("x");
  list->addItem("x+1");
  EXPECT_EQ(list->visualItemRect(list->item(1)).height(), 13);
  EXPECT_EQ(list->visualItemRect(list->item(1)).top() - list->visualItemRect(list->item(0)).top(), 13);
  list->clear();
  EXPECT_EQ(Form().btnDown->geometry(), QRect(0, 312, 49, 25));
  EXPECT_TRUE(Form().btnKursor->isChecked());
  ASSERT_EQ(Form().StatusBar->PanelCount(), 6);
  EXPECT_EQ(Form().StatusBar->Panel(4)->width(), 90);
  EXPECT_FALSE(Form().Image1->pixmap().isNull());  // the logo
}

TEST_F(StartupTest, TwelveWindowsInTheProgramsOrderAndTheFullMenus) {
  QStringList windows;
  for (QObject* o : Form().children())
    if (auto* d = qobject_cast<QDialog*>(o)) windows << d->metaObject()->className();
  EXPECT_EQ(windows.join(" ").toStdString(),
            "TNewFunctionForm TScreenForm TIntegralForm TProizForm TKasatForm TNormalForm "
            "TParabolaForm TTableForm TAboutForm TLineForm TUravnForm");

  // Each menu as "caption[shortcut]" in menu order, "-" for a separator.
  auto items = [](QMenu* m) {
    QStringList out;
    for (QAction* a : m->actions())
      out << (a->isSeparator() ? QString("-")
                               : a->text() + (a->shortcut().isEmpty() ? "" : "[" + a->shortcut().toString() + "]"));
    return out.join("|").toStdString();
  };
  EXPECT_EQ(items(Form().mnuFile),
            "Создать|Открыть...|Сохранить...|-|Сохранить изображение...|-|Выход");
  EXPECT_EQ(items(Form().mnuFunction), "Добавить...[F2]|Удалить[F3]|Удалить все");
  EXPECT_EQ(items(Form().mnuGraph),
            "Приблизить[Ctrl+P]|Отдалить[Ctrl+M]|Масштаб по умолчанию[Ctrl+D]|"
            "Сравнять масштабы по осям[Ctrl+O]|-|Растянуть по оси X[Ctrl+F1]|Растянуть по оси Y[Ctrl+F2]|"
            "Сжать по оси X[Ctrl+F3]|Сжать по оси Y[Ctrl+F4]|-|Сдвиг вправо[Ctrl+F6]|Сдвиг влево[Ctrl+F5]|"
            "Сдвиг вверх[Ctrl+F7]|Сдвиг вниз[Ctrl+F8]|-|По центру[F12]|-|Свойства...");
  EXPECT_EQ(items(Form().mnuUtil),
            "Производная...|Уравнение касательной...|Уравнение нормали...|Определенный интеграл...|"
            "Таблица значений...|Уравнение прямой по двум точкам...|Уравнение параболы по трем точкам...|"
            "Решение квадратных уравнений...");
  EXPECT_EQ(items(Form().N11), "Справка[F1]|О программе");
}

TEST_F(StartupTest, StartupTimerFiresOnceDrawsAndOpensTheNewFunctionDialog) {
  EXPECT_TRUE(Form().Started());
  EXPECT_FALSE(Form().Timer->Enabled());
  EXPECT_TRUE(Form().Timer1->Enabled());
  ASSERT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_EQ(fake.Dialogs[0].ClassName, "TNewFunctionForm");
  Form().Timer->Fire();  // a stopped timer does not elapse again
  EXPECT_EQ(fake.Dialogs.size(), 1u);
  EXPECT_TRUE(fake.Messages.empty());
  EXPECT_EQ(Panel(3), "ym 0.02");
  // Dismissed without adding: an empty plot, function controls disabled.
  EXPECT_EQ(View().FuncCount, 0);
  EXPECT_EQ(Form().lbxFunctions->count(), 0);
  EXPECT_FALSE(Form().txtFunction->isEnabled());
  EXPECT_FALSE(Form().tbSaveFile->isEnabled());
  EXPECT_FALSE(Form().mnuFileSaveAs->isEnabled());
}

TEST_F(StartupTest, FirstPictureHoldsBackgroundGridAndAxes) {
  const int W = Form().Image->width(), H = Form().Image->height();
  ASSERT_GT(W, 300);
  ASSERT_GT(H, 300);
  EXPECT_EQ(Form().Image->Picture().Width(), W);
  EXPECT_EQ(Form().Image->Picture().Height(), H);
  // Origin centred: 0.02 units per pixel, so the axes cross at (W/2, H/2)
  // and grid lines stand every 50 pixels.
  EXPECT_NEAR(static_cast<double>(View().StartX), -W * 0.01, 1e-9);
  const int c0 = static_cast<int>(std::nearbyint(W / 2.0));
  const int r0 = static_cast<int>(std::nearbyint(H / 2.0));
  EXPECT_EQ(Pixel(c0, r0 - 25), 0x000000u);      // y axis
  EXPECT_EQ(Pixel(c0 + 25, r0), 0x000000u);      // x axis
  EXPECT_EQ(Pixel(c0 + 50, r0 - 25), 0xE0E0E0u); // grid line x = 1
  EXPECT_EQ(Pixel(c0 + 25, r0 - 50), 0xE0E0E0u); // grid line y = 1
  EXPECT_EQ(Pixel(c0 + 25, r0 - 25), 0xFFFFFFu); // background
  EXPECT_EQ(Pixel(3, 3) == 0xFFFFFFu || Pixel(3, 3) == 0xE0E0E0u, true);
}

TEST_F(StartupTest, StatusBarWalksThroughTheTipsAndStops) {
  EXPECT_EQ(Panel(5), "Для получения справки нажмите F1");
  Tick();
  EXPECT_EQ(Panel(5), Tips[1]);
  Tick(13);
  EXPECT_EQ(Panel(5), Tips[14]);
  EXPECT_TRUE(Form().Timer1->Enabled());
  Tick();
  EXPECT_EQ(Panel(5), "Для получения справки нажмите F1");
  EXPECT_FALSE(Form().Timer1->Enabled());
  Tick(3);
  EXPECT_EQ(Panel(5), "Для получения справки нажмите F1");
}

TEST_F(StartupTest, RestoringTheWindowKeepsTheView) {
  objScreen* view = MainScreen;
  View().Funcs[0] = std::make_unique<objFunc>();
  View().FuncCount = 1;
  Form().showMinimized();
  QApplication::processEvents();
  Form().hide();
  Form().showNormal();
  QApplication::processEvents();
  EXPECT_EQ(MainScreen, view);
  EXPECT_EQ(View().FuncCount, 1);
  EXPECT_EQ(fake.Messages.size(), 0u);
}

TEST_F(StartupTest, ResizingKeepsThePictureTheSizeOfItsControlAndRedraws) {
  View().Oci = View().Setka = false;
  View().BkColor = 0x00FFEE;
  Form().resize(WindowWidth + 200, WindowHeight + 100);
  QApplication::processEvents();
  const int W = Form().Image->width(), H = Form().Image->height();
  EXPECT_EQ(Form().Image->Picture().Width(), W);
  EXPECT_EQ(Form().Image->Picture().Height(), H);
  EXPECT_EQ(Pixel(W - 1, H - 1), 0x00FFEEu);
  EXPECT_EQ(Pixel(0, 0), 0x00FFEEu);
}

TEST_F(StartupTest, ExitClosesTheMainWindow) {
  ASSERT_TRUE(Form().isVisible());
  Form().mnuFileExit->trigger();
  EXPECT_FALSE(Form().isVisible());
}

// Writes what the started program shows, for people to look at.
TEST_F(StartupTest, ScreenshotOfTheMainWindow) {
  View().Funcs[0] = std::make_unique<objFunc>();
  objFunc& f = *View().Funcs[0];
  f.Expression = "sin(x)*3";
  f.Reset();
  f.Parse(f.Expression);
  f.IfLines = true;
  f.Kolvo = 1;
  f.LineWidth = 2;
  f.Diametr = 1;
  f.GraphColor = 0x0000FF;
  View().FuncCount = 1;
  Form().lbxFunctions->addItem("sin(x)*3");
  Form().resize(1280, 800);
  QApplication::processEvents();
  Form().DrawScreen();
  Form().Timer1->Fire();
  QApplication::processEvents();
  const QString path = QString::fromStdString(plat::ExeDir()) + "orvanta_main_window.png";
  ASSERT_TRUE(Form().grab().save(path, "PNG"));
}
