#pragma once
// The programs' own help viewer: a window that shows our HTML help pages and
// scrolls to the topic of a context number (the anchor "ctx<N>"), so help
// opens on any machine, with or without a desktop browser. Web and mail links
// on a page still go to the desktop's browser and mail program.
#include <QUrl>
#include <QWidget>

class QTextBrowser;

namespace plat {

class THelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit THelpWindow(QWidget* parent = nullptr);
  // Shows the page (a local HTML file, optionally with "#anchor") and brings
  // the window to the front. With `wait`, the window is application-modal and
  // the call returns when it is closed: help asked for from a modal dialog
  // must not be blocked by that dialog.
  void ShowPage(const QUrl& url, bool wait = false);
  QTextBrowser* Browser = nullptr;

  // A link clicked on the page: other pages and anchors open here, anything
  // else (web, mail) through the desktop.
  void BrowserAnchorClicked(const QUrl& link);

 private:
  void LoadPage(const QUrl& url);
  bool waiting_ = false;
};

// The one help window of the program, made on first use.
THelpWindow* HelpWindow();

}  // namespace plat
