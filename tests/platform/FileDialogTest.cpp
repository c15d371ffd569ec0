// File dialogs open where the last one for their kind of file was accepted,
// and Qt's dialog comes up in Russian with columns wide enough for their texts.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>

#include "platform/qt/FakeServices.h"
#include "platform/qt/QtServices.h"
#include "platform/qt/Translations.h"

using namespace plat;

namespace {

// Shows a dialog through `show`; should a failed check leave it open, it is
// closed after 10 s so the test ends. The watchdog ends with the dialog, so
// it never closes a later one.
template <class Show>
bool Guarded(Show show) {
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dlg->reject();
  });
  watchdog.start(10000);
  return show();
}

// Types a file name as a user would. selectFile() leaves the name box alone
// while it has the focus, which a busy machine may give it first.
void TypeFileName(QFileDialog* dlg, const QString& folder, const QString& name) {
  dlg->setDirectory(folder);
  dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
}

TFileDialog FunctionSets() {
  TFileDialog d;
  d.Filter = "Файлы функций (*.ov2)|*.ov2|Все файлы|*.*";
  return d;
}

}  // namespace

TEST(FileDialogFolders, EachKindOpensWhereItsLastDialogWasAccepted) {
  ForgetFileDialogFolders();
  FakeServices fake;
  ScopedServices use(fake);
  TFileDialog save = FunctionSets(), open = FunctionSets(), picture;
  picture.DefaultExt = "bmp";
  picture.Filter = "Рисунок|*.bmp";

  // The first of a kind opens in the program folder; a cancelled or
  // folderless answer changes nothing.
  fake.FileNames = {std::nullopt, std::string("plain"), std::string("/data/sets/a.ov2")};
  EXPECT_FALSE(Services().ExecuteSaveDialog(nullptr, save));
  EXPECT_TRUE(Services().ExecuteSaveDialog(nullptr, save));
  EXPECT_TRUE(Services().ExecuteSaveDialog(nullptr, save));
  // Opening a function set starts where one was saved; pictures are another kind.
  EXPECT_FALSE(Services().ExecuteOpenDialog(nullptr, open));
  EXPECT_FALSE(Services().ExecuteSaveDialog(nullptr, picture));
  ASSERT_EQ(fake.FileDialogs.size(), 5u);
  EXPECT_EQ(fake.FileDialogs[0].Request.InitialDir, ExeDir());
  EXPECT_EQ(fake.FileDialogs[1].Request.InitialDir, ExeDir());
  EXPECT_EQ(fake.FileDialogs[2].Request.InitialDir, ExeDir());
  EXPECT_EQ(fake.FileDialogs[3].Request.InitialDir, "/data/sets/");
  EXPECT_EQ(fake.FileDialogs[4].Request.InitialDir, ExeDir());

  // A caller's own starting folder counts only until the kind has one.
  TFileDialog table;
  table.Filter = "Текст|*.TXT";
  table.InitialDir = "/start/";
  fake.FileNames = {std::string("/tables/t.txt"), std::nullopt};
  EXPECT_TRUE(Services().ExecuteSaveDialog(nullptr, table));
  EXPECT_FALSE(Services().ExecuteSaveDialog(nullptr, table));
  EXPECT_EQ(fake.FileDialogs[5].Request.InitialDir, "/start/");
  EXPECT_EQ(fake.FileDialogs[6].Request.InitialDir, "/tables/");
  ForgetFileDialogFolders();
}

TEST(QtFileDialog, IsRussianRoomyAndOpensWhereTheLastOfItsKindWasAccepted) {
  ForgetFileDialogFolders();
  ASSERT_TRUE(LoadQtTranslations());
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  ASSERT_TRUE(QDir(dir.path()).mkdir("Папка с графиками"));
  QtServices qt;
  QString openedIn;
  QStringList headings, folderRow, labels, buttons;
  QStringList narrow;  // "column: text" for every text wider than its column
  // Checked once the folder, read in the background, is listed.
  QTimer poll;
  int polls = 0;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    auto* view = dlg ? dlg->findChild<QTreeView*>("treeView") : nullptr;
    if (view == nullptr || (view->model()->rowCount(view->rootIndex()) == 0 && ++polls < 300)) return;
    poll.stop();
    openedIn = dlg->directory().absolutePath();
    QAbstractItemModel* model = view->model();
    QHeaderView* header = view->header();
    const QFontMetrics hfm(header->font()), fm(view->font());
    for (int c = 0; c < 4; ++c) {
      const QString h = model->headerData(c, Qt::Horizontal).toString();
      headings << h;
      if (header->sectionSize(c) < hfm.horizontalAdvance(h)) narrow << h + ": " + h;
      for (int r = 0; r < model->rowCount(view->rootIndex()); ++r) {
        const QString text = model->index(r, c, view->rootIndex()).data().toString();
        if (r == 0) folderRow << text;
        if (header->sectionSize(c) < fm.horizontalAdvance(text) + view->iconSize().width() * (c == 0))
          narrow << h + ": " + text;
      }
    }
    for (auto* l : dlg->findChildren<QLabel*>())
      if (!l->text().isEmpty()) labels << l->text().remove('&');
    for (auto* box : dlg->findChildren<QDialogButtonBox*>())
      for (auto* b : box->buttons()) buttons << b->text().remove('&');
    TypeFileName(dlg, dir.path(), "plot.ov2");
    static_cast<QDialog*>(dlg)->accept();
  });
  poll.start(10);
  TFileDialog d = FunctionSets();
  d.Title = "Сохранение функций";
  d.InitialDir = dir.path().toStdString();
  ASSERT_TRUE(Guarded([&] { return qt.ExecuteSaveDialog(nullptr, d); }));
  EXPECT_EQ(openedIn, dir.path());
  EXPECT_EQ(headings, (QStringList{"Имя", "Размер", "Тип", "Дата изменения"}));
  ASSERT_EQ(folderRow.size(), 4);
  EXPECT_EQ(folderRow[0], "Папка с графиками");
  EXPECT_EQ(folderRow[2], "Папка");
  EXPECT_TRUE(narrow.isEmpty()) << narrow.join(", ").toStdString();
  EXPECT_TRUE(labels.contains("Перейти к:")) << labels.join(", ").toStdString();
  EXPECT_TRUE(labels.contains("Имя файла:")) << labels.join(", ").toStdString();
  EXPECT_TRUE(labels.contains("Типы файлов:")) << labels.join(", ").toStdString();
  buttons.sort();
  EXPECT_EQ(buttons, (QStringList{"Отмена", "Сохранить"}));

  // The next dialog for function sets opens where this one was accepted.
  const QString sub = QDir(dir.path()).filePath("Папка с графиками");
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    openedIn = dlg->directory().absolutePath();
    TypeFileName(dlg, sub, "b.ov2");
    static_cast<QDialog*>(dlg)->accept();
  });
  TFileDialog open = FunctionSets();
  ASSERT_TRUE(Guarded([&] { return qt.ExecuteSaveDialog(nullptr, open); }));
  EXPECT_EQ(openedIn, dir.path());
  QTimer::singleShot(0, [&] {
    auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dlg, nullptr);
    openedIn = dlg->directory().absolutePath();
    dlg->reject();
  });
  EXPECT_FALSE(Guarded([&] { return qt.ExecuteOpenDialog(nullptr, open); }));
  EXPECT_EQ(openedIn, sub);
  ForgetFileDialogFolders();
}
