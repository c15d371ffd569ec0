#pragma once
// The about window "О программе Orvanta": banner, notice, author line, the
// home-page and contact links, and the browser through which the workbench
// opens its web pages and its help page.
#include <QLabel>
#include <functional>
#include <string>

#include "orvanta/tools/ToolForm.h"

class QGroupBox;
class QTextEdit;
class QPushButton;
class QToolButton;

// Stands for the embedded browser control. A web or mailto: address goes to
// the desktop's browser or mail program, which always opens its own window;
// any other address is a local page and opens in the help window.
class TWebBrowser {
 public:
  // `flags` 1 asks for a new browser window, 0 for none. Throws
  // std::runtime_error when the desktop cannot open the address.
  void Navigate(const std::string& address, int flags);
};

// A label that reports a left click (the window's links).
class TLinkLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;
  std::function<void()> OnClick;

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// The home page and the contact link.
extern const char* const OrvantaHomePage;
extern const char* const OrvantaContactLink;

// Framed like the tool windows.
class TAboutForm : public TToolForm {
  Q_OBJECT
 public:
  explicit TAboutForm(QWidget* parent = nullptr);

  QGroupBox* GroupBox1;
  QLabel* Image1;              // banner, 225 x 57
  QToolButton* SpeedButton1;   // to the home page
  QTextEdit* Memo1;       // the notice
  QLabel* Image2;              // icon
  QLabel* Label1;              // author line
  TLinkLabel* Label2;          // "Домашняя страница Orvanta"
  QLabel* Label4;              // "Пишите мне! Отвечу на любой вопрос!"
  TLinkLabel* Label3;          // the contact address
  TWebBrowser WebBrowser;
  QPushButton* Button1;        // "Закрыть"

  void Label2Click();
  void SpeedButton1Click();
  void Label3Click();
  void Button1Click();
};

extern TAboutForm* AboutForm;
