#include "platform/qt/HelpWindow.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <stdexcept>

#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

namespace plat {

namespace {

bool IsLocalPage(const QUrl& url) {
  if (!url.isLocalFile()) return false;
  const QString suffix = QFileInfo(url.toLocalFile()).suffix().toLower();
  return suffix == "htm" || suffix == "html";
}

}  // namespace

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  setWindowTitle(QString::fromUtf8("Справка"));
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  // Every link goes through BrowserAnchorClicked, which decides where it opens.
  Browser->setOpenLinks(false);
  Browser->setOpenExternalLinks(false);
  box->addWidget(Browser);
  On(Browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { BrowserAnchorClicked(link); });
  // Esc and Ctrl+W close the help, as they close a viewer window elsewhere;
  // shortcuts, so that Ctrl+W is found under a Russian keyboard layout too.
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
    auto* shortcut = new QShortcut(keys, this);
    shortcut->setContext(Qt::WindowShortcut);
    On(shortcut, &QShortcut::activated, this, [this] { close(); });
  }
  // Help left open must not keep the program running after its main window closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(640, 560);
}

void THelpWindow::LoadPage(const QUrl& url) {
  const QString path = url.toLocalFile();
  if (!QFileInfo(path).isFile()) {
    // What a browser would show for a missing page, in our words.
    Browser->setHtml(QString::fromUtf8("<h3>Страница справки не найдена</h3><p>%1</p>").arg(path.toHtmlEscaped()));
    setWindowTitle(QString::fromUtf8("Справка"));
    return;
  }
  QUrl page = url;
  page.setFragment(QString());
  if (Browser->source() != page) Browser->setSource(page);
  if (url.hasFragment())
    Browser->scrollToAnchor(url.fragment());
  else
    Browser->verticalScrollBar()->setValue(0);
  const QString title = Browser->documentTitle();
  setWindowTitle(title.isEmpty() ? QString::fromUtf8("Справка") : title);
}

void THelpWindow::ShowPage(const QUrl& url, bool wait) {
  if (wait && !waiting_) {
    // The modality of a window can change only while it is hidden.
    hide();
    setWindowModality(Qt::ApplicationModal);
  } else if (!wait && !waiting_ && windowModality() != Qt::NonModal) {
    hide();
    setWindowModality(Qt::NonModal);
  }
  // Laid out at its final size first, so the topic scrolls to the top.
  if (!isVisible()) {
    if (const QScreen* s = QGuiApplication::primaryScreen()) {
      const QRect r = s->availableGeometry();
      move(r.center() - QPoint(width() / 2, height() / 2));
    }
    show();
  }
  LoadPage(url);
  raise();
  activateWindow();
  if (wait && !waiting_) {
    waiting_ = true;
    QPointer<THelpWindow> self(this);
    QEventLoop loop;
    while (self && self->isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    if (self) waiting_ = false;
  }
}

void THelpWindow::BrowserAnchorClicked(const QUrl& link) {
  const QUrl target = Browser->source().resolved(link);
  if (link.toString().startsWith('#') || IsLocalPage(target)) {
    LoadPage(target);
    return;
  }
  if (!Services().OpenUrl(ToUtf8(target.toString())))
    throw std::runtime_error("Не удалось открыть адрес " + ToUtf8(target.toString()));
}

THelpWindow* HelpWindow() {
  static QPointer<THelpWindow> window;
  if (!window) window = new THelpWindow;
  return window;
}

}  // namespace plat
