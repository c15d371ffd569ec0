// The help window: our pages open in it, on the topic of a context number,
// with no desktop browser; web and mail links still go to the desktop.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>

#include "platform/qt/FakeServices.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/QtServices.h"

using namespace plat;

namespace {

// Stands in for the desktop: every address handed to it is recorded, so a
// test sees whether anything went to a browser.
class DesktopRecorder : public QObject {
  Q_OBJECT
 public:
  DesktopRecorder() {
    for (const char* scheme : {"file", "http", "https", "mailto"}) QDesktopServices::setUrlHandler(scheme, this, "Open");
  }
  ~DesktopRecorder() override {
    for (const char* scheme : {"file", "http", "https", "mailto"}) QDesktopServices::unsetUrlHandler(scheme);
  }
  QList<QUrl> opened;
 public slots:
  void Open(const QUrl& url) { opened << url; }
};

// A page long enough to scroll, with topics far down.
QString WritePage(const QTemporaryDir& dir) {
  QString html = "<html><head><meta charset=\"utf-8\"><title>Тестовая справка</title></head><body>"
                 "<h1>Содержание</h1><p><a href=\"#ctx7\">Тема 7</a> <a href=\"http://example.org/\">сайт</a></p>";
  for (int i = 0; i < 150; ++i) html += QString("<p>Строка %1</p>").arg(i);
  html += "<h2 id=\"ctx105\">Тема 105</h2>";
  for (int i = 0; i < 150; ++i) html += QString("<p>Ещё строка %1</p>").arg(i);
  html += "<h2><a name=\"ctx7\"></a>Тема 7</h2>";
  for (int i = 0; i < 150; ++i) html += QString("<p>Хвост %1</p>").arg(i);
  html += "</body></html>";
  const QString path = dir.filePath("help.htm");
  QFile f(path);
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(html.toUtf8());
  return path;
}

// The topic's heading stands at the top of the window.
int TopicOffset(THelpWindow* w, const QString& heading) {
  const QTextCursor found = w->Browser->document()->find(heading, QTextCursor(w->Browser->document()->lastBlock()),
                                                         QTextDocument::FindBackward);
  EXPECT_FALSE(found.isNull()) << heading.toStdString();
  return w->Browser->cursorRect(found).top();
}

TEST(HelpWindow, OpensTheTopicOfAContextNumberWithoutABrowser) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string page = WritePage(dir).toStdString();
  DesktopRecorder desktop;
  QtServices qt;

  qt.Help(HelpCommand::Context, page, 105);
  THelpWindow* w = HelpWindow();
  ASSERT_TRUE(w->isVisible());
  EXPECT_EQ(w->Browser->source().toLocalFile().toStdString(), page);
  EXPECT_EQ(w->windowTitle(), QString::fromUtf8("Тестовая справка"));
  EXPECT_GT(w->Browser->verticalScrollBar()->value(), 0);
  const int offset105 = TopicOffset(w, QString::fromUtf8("Тема 105"));
  EXPECT_GE(offset105, 0);
  EXPECT_LT(offset105, 40);

  // An anchor by name, as older pages write it.
  qt.Help(HelpCommand::Popup, page, 7);
  const int offset7 = TopicOffset(w, QString::fromUtf8("Тема 7"));
  EXPECT_GE(offset7, 0);
  EXPECT_LT(offset7, 40);

  // The contents: the top of the page.
  qt.Help(HelpCommand::Contents, page, 105);
  EXPECT_EQ(w->Browser->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(desktop.opened.isEmpty());

  // The application's help file when none is named.
  SetHelpFile(page);
  w->Browser->verticalScrollBar()->setValue(0);
  qt.Help(HelpCommand::Context, {}, 105);
  EXPECT_GT(w->Browser->verticalScrollBar()->value(), 0);
  SetHelpFile({});
  w->hide();
}

TEST(HelpWindow, AMissingPageSaysSoInTheWindow) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  DesktopRecorder desktop;
  QtServices qt;
  const std::string missing = dir.filePath("help/help.htm").toStdString();
  qt.Help(HelpCommand::Contents, missing, 0);
  THelpWindow* w = HelpWindow();
  ASSERT_TRUE(w->isVisible());
  EXPECT_TRUE(w->Browser->toPlainText().contains(QString::fromUtf8("Страница справки не найдена")));
  EXPECT_TRUE(w->Browser->toPlainText().contains(QString::fromStdString(missing)));
  EXPECT_TRUE(desktop.opened.isEmpty());
  w->hide();
}

TEST(HelpWindow, LinksWithinTheHelpStayAndOthersGoToTheDesktop) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string page = WritePage(dir).toStdString();
  FakeServices fake;
  ScopedServices use(fake);
  THelpWindow* w = HelpWindow();
  w->ShowPage(QUrl::fromLocalFile(QString::fromStdString(page)));
  ASSERT_EQ(w->Browser->verticalScrollBar()->value(), 0);

  // A link to a topic on the page scrolls there.
  emit w->Browser->anchorClicked(QUrl("#ctx7"));
  EXPECT_GT(w->Browser->verticalScrollBar()->value(), 0);
  EXPECT_TRUE(fake.Urls.empty());

  // A web link goes to the browser; one that cannot be opened is reported
  // in the error box instead of vanishing.
  emit w->Browser->anchorClicked(QUrl("http://example.org/"));
  ASSERT_EQ(fake.Urls.size(), 1u);
  EXPECT_EQ(fake.Urls[0], "http://example.org/");
  EXPECT_TRUE(fake.Exceptions.empty());
  fake.OpenUrlResult = false;
  emit w->Browser->anchorClicked(QUrl("mailto:author@example.org"));
  ASSERT_EQ(fake.Exceptions.size(), 1u);
  EXPECT_NE(fake.Exceptions[0].find("mailto:author@example.org"), std::string::npos);
  EXPECT_TRUE(w->isVisible());  // the help stays open
  w->hide();
}

TEST(HelpWindow, FromAModalDialogItWaitsOnTopUntilClosed) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string page = WritePage(dir).toStdString();
  DesktopRecorder desktop;
  QtServices qt;
  QDialog dialog;
  QWidget* modalDuringHelp = nullptr;
  bool returned = false, closedFirst = false;
  QTimer::singleShot(0, &dialog, [&] {
    // While the help waits, it is the window that takes input, not the dialog.
    QTimer::singleShot(50, [&] {
      modalDuringHelp = QApplication::activeModalWidget();
      closedFirst = !returned;
      HelpWindow()->close();
    });
    qt.Help(HelpCommand::Context, page, 105);  // as a dialog's Help button does
    returned = true;
    dialog.reject();
  });
  dialog.exec();
  EXPECT_TRUE(returned);
  EXPECT_TRUE(closedFirst);
  EXPECT_EQ(modalDuringHelp, HelpWindow());
  // Opened again from no dialog, it is an ordinary window.
  qt.Help(HelpCommand::Contents, page, 0);
  EXPECT_EQ(HelpWindow()->windowModality(), Qt::NonModal);
  HelpWindow()->hide();
}

TEST(HelpWindow, EscAndCtrlWCloseIt) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const std::string page = WritePage(dir).toStdString();
  DesktopRecorder desktop;
  QtServices qt;
  THelpWindow* w = HelpWindow();
  for (const QKeyCombination keys : {QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::ControlModifier, Qt::Key_W)}) {
    SCOPED_TRACE(QKeySequence(keys).toString().toStdString());
    qt.Help(HelpCommand::Contents, page, 0);
    ASSERT_TRUE(w->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));  // the user presses the keys once it is in front
    QTest::keyClick(w->Browser, keys.key(), keys.keyboardModifiers());
    EXPECT_FALSE(w->isVisible());
    w->hide();

    // Waiting on top of a dialog, the help ends its wait too.
    QDialog dialog;
    bool closedByKeys = false;
    QTimer::singleShot(0, &dialog, [&] {
      QTimer::singleShot(50, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w->Browser, keys.key(), keys.keyboardModifiers());
        closedByKeys = !w->isVisible();
        w->hide();  // ends the wait whatever the keys did
      });
      qt.Help(HelpCommand::Context, page, 105);
      dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(closedByKeys);
  }
  // Other keys leave it open.
  qt.Help(HelpCommand::Contents, page, 0);
  QTest::keyClick(w->Browser, Qt::Key_W);
  QTest::keyClick(w->Browser, Qt::Key_PageDown);
  EXPECT_TRUE(w->isVisible());
  w->hide();
}

}  // namespace

#include "HelpWindowTest.moc"
