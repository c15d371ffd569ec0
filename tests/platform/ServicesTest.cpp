// The guard, the recording services and the Qt services' translations.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "platform/qt/FakeServices.h"
#include "platform/qt/QtServices.h"

using namespace plat;

namespace {

class ProbeDialog : public QDialog {
 public:
  int shows = 0;
  QLineEdit* edit = new QLineEdit(this);

 protected:
  void showEvent(QShowEvent* e) override {
    ++shows;
    QDialog::showEvent(e);
  }
};

}  // namespace

TEST(Guard, TurnsAnEscapingFaultIntoOneDefaultErrorBox) {
  FakeServices fake;
  ScopedServices use(fake);
  bool ran = false;
  Guard([&] { ran = true; });
  EXPECT_TRUE(ran);
  EXPECT_TRUE(fake.Exceptions.empty());

  Guard([] { throw std::runtime_error("Деление на ноль"); });
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_EQ(fake.Exceptions[0], "Деление на ноль");

  Guard([] { throw 42; });
  ASSERT_EQ(fake.Exceptions.size(), 2u);
  EXPECT_FALSE(fake.Exceptions[1].empty());
  EXPECT_TRUE(fake.Messages.empty());
}

TEST(Guard, SignalHandlersConnectedWithOnRunBehindTheGuard) {
  FakeServices fake;
  ScopedServices use(fake);
  QPushButton button;
  QObject context;
  int plain = 0;
  bool checkedArg = true;
  On(&button, &QPushButton::clicked, &context, [&] {
    ++plain;
    throw std::runtime_error("сбой");
  });
  On(&button, &QPushButton::clicked, &context, [&](bool checked) { checkedArg = checked; });
  button.click();  // would terminate the program if the fault crossed the signal
  EXPECT_EQ(plain, 1);
  EXPECT_FALSE(checkedArg);
  EXPECT_EQ(fake.Exceptions, std::vector<std::string>{"сбой"});
}

TEST(FakeServices, InstallerRestoresThePreviousServices) {
  EXPECT_EQ(InstalledServices(), nullptr);
  FakeServices outer, inner;
  {
    ScopedServices a(outer);
    {
      ScopedServices b(inner);
      EXPECT_EQ(&Services(), &inner);
    }
    EXPECT_EQ(&Services(), &outer);
  }
  EXPECT_EQ(InstalledServices(), nullptr);
}

TEST(FakeServices, RecordsMessageBoxesAndAnswersFromTheScript) {
  FakeServices fake;
  ScopedServices use(fake);
  ShowMessage("Предельное количество функций: 16");
  ASSERT_EQ(fake.Messages.size(), 1u);
  EXPECT_EQ(fake.Messages[0].Kind, MsgKind::Information);
  EXPECT_EQ(fake.Messages[0].Text, "Предельное количество функций: 16");
  EXPECT_EQ(fake.Messages[0].Buttons, mbOK);
  EXPECT_EQ(fake.Messages[0].HelpContext, 0);
  EXPECT_TRUE(fake.Messages[0].Caption.empty());

  // Unscripted boxes answer with their default button.
  EXPECT_EQ(MessageBox("?", MsgKind::Confirmation, mbYes | mbNo | mbCancel), mrYes);
  EXPECT_EQ(MessageBox("!", MsgKind::Error, mbOK | mbHelp, "Ошибка", 105), mrOk);
  EXPECT_EQ(fake.Messages[2].HelpContext, 105);
  EXPECT_EQ(fake.Messages[2].Caption, "Ошибка");

  fake.MessageAnswers = {mrNo, mrCancel};
  EXPECT_EQ(MessageBox("a", MsgKind::Confirmation, mbYes | mbNo), mrNo);
  EXPECT_EQ(MessageBox("b", MsgKind::Confirmation, mbYes | mbNo | mbCancel), mrCancel);
  EXPECT_EQ(MessageBox("c", MsgKind::Confirmation, mbYes | mbNo), mrYes);
  EXPECT_EQ(fake.Messages.size(), 6u);
  fake.ClearRecords();
  EXPECT_TRUE(fake.Messages.empty());
}

TEST(FakeServices, ScriptedModalDialogsAreShownFilledAndAccepted) {
  FakeServices fake;
  ScopedServices use(fake);
  ProbeDialog dlg;
  dlg.setObjectName("ScreenForm");
  dlg.setWindowTitle(QString::fromUtf8("Свойства"));

  // Unscripted: closed by the user.
  EXPECT_EQ(Services().ExecModal(&dlg), QDialog::Rejected);
  EXPECT_EQ(dlg.shows, 1);
  EXPECT_FALSE(dlg.isVisible());

  fake.OnExecModal = [](QDialog* d) {
    EXPECT_TRUE(d->isVisible());
    static_cast<ProbeDialog*>(d)->edit->setText("0.5");
    d->accept();
    return d->result();
  };
  EXPECT_EQ(Services().ExecModal(&dlg), QDialog::Accepted);
  EXPECT_EQ(dlg.edit->text(), "0.5");
  EXPECT_EQ(dlg.shows, 2);
  ASSERT_EQ(fake.Dialogs.size(), 2u);
  EXPECT_EQ(fake.Dialogs[1].ObjectName, "ScreenForm");
  EXPECT_EQ(fake.Dialogs[1].Title, "Свойства");
  EXPECT_EQ(fake.Dialogs[1].Result, QDialog::Accepted);
  EXPECT_EQ(fake.Dialogs[0].Result, QDialog::Rejected);
}

TEST(FakeServices, FileAndColourDialogsFollowTheScript) {
  FakeServices fake;
  ScopedServices use(fake);
  TFileDialog d;
  d.Filter = "Рисунок|*.bmp";
  d.FileName = "old.bmp";
  fake.FileNames = {std::string("/tmp/new"), std::nullopt};
  EXPECT_TRUE(Services().ExecuteSaveDialog(nullptr, d));
  EXPECT_EQ(d.FileName, "/tmp/new");
  EXPECT_FALSE(Services().ExecuteOpenDialog(nullptr, d));
  EXPECT_FALSE(Services().ExecuteOpenDialog(nullptr, d));  // nothing left: cancelled
  EXPECT_EQ(d.FileName, "/tmp/new");
  ASSERT_EQ(fake.FileDialogs.size(), 3u);
  EXPECT_TRUE(fake.FileDialogs[0].Save);
  EXPECT_EQ(fake.FileDialogs[0].Request.FileName, "old.bmp");
  EXPECT_FALSE(fake.FileDialogs[1].Save);

  // A colour dialog object opens with the colour last chosen in it.
  TColorDialog cd;
  cd.Color = clRed;
  fake.Colors = {clBlue, std::nullopt, clLime};
  EXPECT_TRUE(cd.Execute());
  EXPECT_EQ(cd.Color, clBlue);
  EXPECT_FALSE(cd.Execute());
  EXPECT_EQ(cd.Color, clBlue);
  EXPECT_TRUE(cd.Execute());
  ASSERT_EQ(fake.ColorDialogs.size(), 3u);
  EXPECT_EQ(fake.ColorDialogs[0].Initial, clRed);
  EXPECT_EQ(fake.ColorDialogs[1].Initial, clBlue);
  EXPECT_EQ(fake.ColorDialogs[2].Initial, clBlue);
  EXPECT_EQ(cd.Color, clLime);
}

TEST(FakeServices, RecordsUrlsHelpAndGivesFixedMemoryFigures) {
  FakeServices fake;
  ScopedServices use(fake);
  EXPECT_TRUE(Services().OpenUrl("/opt/orvanta/help/help.htm"));
  fake.OpenUrlResult = false;
  EXPECT_FALSE(Services().OpenUrl("mailto:someone@example.org"));
  EXPECT_EQ(fake.Urls.size(), 2u);
  Services().Help(HelpCommand::Context, "lumivar.htm", 111);
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].Context, 111);
  EXPECT_EQ(fake.HelpCalls[0].Command, HelpCommand::Context);
  EXPECT_EQ(Services().MemoryStatus().TotalPhys, std::uint64_t{512} << 20);
}

TEST(QtServices, FileFiltersAreTranslated) {
  std::vector<QString> names;
  EXPECT_EQ(QtFileFilter("Файлы функций (*.ov2)|*.ov2|Все файлы|*.*", &names),
            QString::fromUtf8("Файлы функций (*.ov2) (*.ov2);;Все файлы (*)"));
  ASSERT_EQ(names.size(), 2u);
  EXPECT_EQ(QtFileFilter("Рисунки|*.bmp;*.jpg"), QString::fromUtf8("Рисунки (*.bmp *.jpg)"));
  EXPECT_EQ(QtFileFilter(""), QString());
}

TEST(QtServices, AddressesAndHelpTopicsBecomeBrowserUrls) {
  EXPECT_EQ(DesktopUrl("http://example.org/a?b=1"), QUrl("http://example.org/a?b=1"));
  EXPECT_EQ(DesktopUrl("mailto:someone@example.org"), QUrl("mailto:someone@example.org"));
  EXPECT_EQ(DesktopUrl("/opt/orvanta/help/help.htm"), QUrl("file:///opt/orvanta/help/help.htm"));
  EXPECT_EQ(DesktopUrl("/opt/orvanta/help\\help.htm"), QUrl("file:///opt/orvanta/help/help.htm"));
  // A local name with a hash is a file name, not an anchor.
  EXPECT_EQ(DesktopUrl("/tmp/a#b.htm").toLocalFile(), "/tmp/a#b.htm");
  EXPECT_EQ(HelpUrl(HelpCommand::Context, "/opt/lumivar/lumivar.htm", 111),
            QUrl("file:///opt/lumivar/lumivar.htm#ctx111"));
  EXPECT_EQ(HelpUrl(HelpCommand::Popup, "/opt/lumivar/lumivar.htm", 12).fragment(), "ctx12");
  EXPECT_FALSE(HelpUrl(HelpCommand::Contents, "/opt/lumivar/lumivar.htm", 111).hasFragment());
}

TEST(QtServices, MessageBoxShowsRussianButtonsAndReturnsTheChosenOne) {
  QtServices qt;
  QStringList seen;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::WindowFlags flags;
  QSize minSize, maxSize;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    flags = box->windowFlags();
    minSize = box->minimumSize();
    maxSize = box->maximumSize();
    title = box->windowTitle();
    icon = box->icon();
    for (QAbstractButton* b : box->buttons()) seen << b->text();
    for (QAbstractButton* b : box->buttons())
      if (b->text() == QString::fromUtf8("Нет")) b->click();
  });
  MessageRequest r;
  r.Kind = MsgKind::Confirmation;
  r.Caption = "Вопрос";
  r.Text = "Сохранить?";
  r.Buttons = mbYes | mbNo | mbCancel;
  EXPECT_EQ(qt.MessageBox(r), mrNo);
  seen.sort();
  EXPECT_EQ(seen, (QStringList{QString::fromUtf8("Да"), QString::fromUtf8("Нет"), QString::fromUtf8("Отмена")}));
  EXPECT_EQ(title, QString::fromUtf8("Вопрос"));
  EXPECT_EQ(icon, QMessageBox::Question);
  // A close box only: minimise and maximise would take the room of the title.
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
  EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
  EXPECT_EQ(minSize, maxSize);

  // Escape on an OK box answers OK.
  QTimer::singleShot(0, [] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->reject();
  });
  MessageRequest ok;
  ok.Kind = MsgKind::Plain;
  ok.Text = "Ошибка файла";
  EXPECT_EQ(qt.MessageBox(ok), mrOk);
}

TEST(QtServices, HelpButtonShowsTheTopicAndLeavesTheBoxOpen) {
  FakeServices fake;  // receives the Help call
  ScopedServices use(fake);
  SetHelpFile("/opt/lumivar/lumivar.htm");
  QtServices qt;
  int ticks = 0;
  QTimer clicker;
  QObject::connect(&clicker, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    const QString wanted = QString::fromUtf8(++ticks == 1 ? "Справка" : "OK");
    for (QAbstractButton* b : box->buttons())
      if (b->text() == wanted) {
        b->click();
        break;
      }
  });
  clicker.start(1);
  EXPECT_EQ(MessageBox("x", MsgKind::Error, mbOK | mbHelp, {}, 105), mrOk);  // through the fake: no box
  fake.Messages.clear();
  MessageRequest r;
  r.Kind = MsgKind::Error;
  r.Text = "Неизвестный идентификатор";
  r.Buttons = mbOK | mbHelp;
  r.HelpContext = 105;
  EXPECT_EQ(qt.MessageBox(r), mrOk);
  EXPECT_EQ(ticks, 2);
  ASSERT_EQ(fake.HelpCalls.size(), 1u);
  EXPECT_EQ(fake.HelpCalls[0].Command, HelpCommand::Context);
  EXPECT_EQ(fake.HelpCalls[0].Context, 105);
  EXPECT_EQ(fake.HelpCalls[0].File, "/opt/lumivar/lumivar.htm");
  SetHelpFile({});
}

// Help clicked, as the user does, with the focus going to the button: the
// box comes back with OK as its default, and Enter answers OK. With Yes/No
// the default is Yes again.
TEST(QtServices, AfterItsHelpTheBoxComesBackWithItsDefaultButton) {
  FakeServices fake;  // receives the Help calls
  ScopedServices use(fake);
  SetHelpFile("/opt/lumivar/lumivar.htm");
  QtServices qt;
  struct Case {
    int buttons;
    const char* def;
    int answer;
  };
  for (const Case& c : {Case{mbOK | mbHelp, "OK", mrOk}, Case{mbYes | mbNo | mbHelp, "Да", mrYes}}) {
    SCOPED_TRACE(c.def);
    fake.HelpCalls.clear();
    int shows = 0;
    std::string defaultAfterHelp;
    QTimer user;
    QObject::connect(&user, &QTimer::timeout, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      // The user acts once the box has come up in front.
      if (!box || !box->isVisible() || !box->isActiveWindow()) return;
      QPushButton* help = nullptr;
      for (QAbstractButton* b : box->buttons())
        if (b->text() == QString::fromUtf8("Справка")) help = static_cast<QPushButton*>(b);
      switch (++shows) {
        case 1: QTest::mouseClick(help, Qt::LeftButton); break;
        case 2:
          for (QAbstractButton* b : box->buttons())
            if (static_cast<QPushButton*>(b)->isDefault()) defaultAfterHelp += b->text().toStdString();
          QTest::keyClick(box->focusWidget() ? box->focusWidget() : box, Qt::Key_Return);
          break;
        default:  // Enter did not close it: end the loop
          for (QAbstractButton* b : box->buttons())
            if (b != help) return b->click();
      }
    });
    user.start(1);
    MessageRequest r;
    r.Kind = MsgKind::Error;
    r.Text = "Неизвестный идентификатор";
    r.Buttons = c.buttons;
    r.HelpContext = 105;
    const int answer = qt.MessageBox(r);
    user.stop();
    EXPECT_EQ(shows, 2);
    EXPECT_EQ(fake.HelpCalls.size(), 1u);
    EXPECT_EQ(defaultAfterHelp, c.def);
    EXPECT_EQ(answer, c.answer);
  }
  SetHelpFile({});
}

TEST(QtServices, SaveDialogTakesTheCallersOptionsAndReturnsTheChoice) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  QtServices qt;
  QStringList filters;
  QString selectedFilter, title, suffix;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    filters = dlg->nameFilters();
    selectedFilter = dlg->selectedNameFilter();
    title = dlg->windowTitle();
    suffix = dlg->defaultSuffix();
    // Typed into the name box: selectFile() skips it once it has the focus.
    dlg->setDirectory(dir.path());
    dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText("plot");
    static_cast<QDialog*>(dlg)->accept();
  });
  TFileDialog d;
  d.Title = "Сохранить рисунок";
  d.Filter = "Рисунок|*.bmp|Все файлы|*.*";
  d.FilterIndex = 2;
  d.DefaultExt = "bmp";
  d.InitialDir = dir.path().toStdString();
  ASSERT_TRUE(qt.ExecuteSaveDialog(nullptr, d));
  EXPECT_EQ(title, QString::fromUtf8("Сохранить рисунок"));
  EXPECT_EQ(filters, (QStringList{QString::fromUtf8("Рисунок (*.bmp)"), QString::fromUtf8("Все файлы (*)")}));
  // The dialog shows (and names) the type by its description alone.
  EXPECT_EQ(selectedFilter, QString::fromUtf8("Все файлы"));
  EXPECT_EQ(suffix, "bmp");
  EXPECT_EQ(d.FileName, dir.filePath("plot.bmp").toStdString());
  EXPECT_EQ(d.FilterIndex, 2);

  QTimer::singleShot(0, [] {
    if (auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) dlg->reject();
  });
  d.FileName = "keep";
  EXPECT_FALSE(qt.ExecuteOpenDialog(nullptr, d));
  EXPECT_EQ(d.FileName, "keep");
}

TEST(QtServices, FileTypesShowTheWindowsDescriptionsOnly) {
  QtServices qt;
  QStringList shown;
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    if (auto* types = dlg->findChild<QComboBox*>("fileTypeCombo"))
      for (int i = 0; i < types->count(); ++i) shown << types->itemText(i);
    dlg->reject();
  });
  TFileDialog d;
  d.Filter = "Точечный рисунок Windows (bmp)|*.bmp|Все файлы (*.*)|*.*";
  EXPECT_FALSE(qt.ExecuteSaveDialog(nullptr, d));
  // Not "Точечный рисунок Windows (bmp) (*.bmp)": the pattern is not repeated.
  EXPECT_EQ(shown, (QStringList{QString::fromUtf8("Точечный рисунок Windows (bmp)"),
                                QString::fromUtf8("Все файлы (*.*)")}));
}

TEST(QtServices, ProgramFolderAndMemoryStatus) {
  const std::string dir = ExeDir();
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(dir.back(), '/');
  EXPECT_EQ(QString::fromStdString(dir), QCoreApplication::applicationDirPath() + "/");
  const MemoryInfo m = ReadMemoryStatus();
  EXPECT_GT(m.TotalPhys, std::uint64_t{16} << 20);
  EXPECT_LE(m.AvailPhys, m.TotalPhys);
}
