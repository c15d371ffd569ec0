#include "orvanta/tools/AboutFormUnit.h"

#include <QGroupBox>
#include <QMouseEvent>
#include <QTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QToolButton>
#include <cctype>
#include <stdexcept>

#include "orvanta/workbench/JpegImage.h"
#include "platform/qt/Services.h"
#include "platform/qt/WindowFrame.h"

TAboutForm* AboutForm = nullptr;

const char* const OrvantaHomePage = "https://orvanta.example.org/";
const char* const OrvantaContactLink = "mailto:Orvanta <orvanta@example.org>?Subject=вопрос";

namespace {

QString Q(const char* utf8) { return QString::fromUtf8(utf8); }

bool HasScheme(const std::string& address, const char* scheme) {
  const std::string s(scheme);
  if (address.size() < s.size()) return false;
  for (std::size_t i = 0; i < s.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(address[i])) != s[i]) return false;
  return true;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y, int points) {
  auto* l = new QLabel(Q(text), parent);
  l->setObjectName(name);
  QFont f = l->font();
  f.setBold(true);
  f.setPointSize(points);
  l->setFont(f);
  l->move(x, y);
  l->adjustSize();
  return l;
}

TLinkLabel* MakeLink(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* l = new TLinkLabel(Q(text), parent);
  l->setObjectName(name);
  QFont f = l->font();
  f.setBold(true);
  f.setUnderline(true);
  l->setFont(f);
  l->setStyleSheet("color: blue;");
  l->setCursor(Qt::PointingHandCursor);
  l->move(x, y);
  l->adjustSize();
  return l;
}

}  // namespace

void TWebBrowser::Navigate(const std::string& address, int /*flags*/) {
  if (HasScheme(address, "http:") || HasScheme(address, "https:") || HasScheme(address, "mailto:")) {
    if (!plat::Services().OpenUrl(address))
      throw std::runtime_error("Не удалось открыть адрес " + address);
    return;
  }
  plat::Services().Help(plat::HelpCommand::Contents, address, 0);
}

void TLinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && OnClick)
    plat::Guard(OnClick);
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutForm");
  setWindowTitle(Q("О программе Orvanta"));
  plat::UseFixedFrame(this);
  setFixedSize(313, 388);

  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  GroupBox1->setGeometry(8, 8, 305, 81);
  Image1 = new QLabel(GroupBox1);
  Image1->setObjectName("Image1");
  Image1->setGeometry(8, 16, 225, 57);
  Image1->setPixmap(QPixmap::fromImage(AboutBannerImage()));
  SpeedButton1 = new QToolButton(GroupBox1);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setGeometry(240, 16, 57, 57);
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DirHomeIcon));
  SpeedButton1->setIconSize(QSize(48, 48));
  SpeedButton1->setCursor(Qt::PointingHandCursor);
  SpeedButton1->setToolTip(Q("Идти на домашнюю страницу Orvanta"));

  Memo1 = new QTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setGeometry(8, 96, 305, 129);
  Memo1->setAcceptRichText(false);
  QFont memoFont(Q("Arial"));
  memoFont.setPixelSize(16);
  memoFont.setBold(true);
  Memo1->setFont(memoFont);
  Memo1->setStyleSheet("QTextEdit { color: yellow; background: black; }");
  Memo1->setPlainText(Q("Orvanta 2.0\n"
                        "исследует функции\n"
                        "одной переменной:\n"
                        "графики, производные,\n"
                        "касательные, интегралы\n"
                        "и таблицы значений"));
  {
    QTextCursor all(Memo1->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
  }
  Memo1->moveCursor(QTextCursor::Start);

  Image2 = new QLabel(this);
  Image2->setObjectName("Image2");
  Image2->setGeometry(16, 232, 33, 41);
  Image2->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));

  Label1 = MakeLabel(this, "Label1", "Команда Orvanta, 2026", 56, 240, 12);
  Label2 = MakeLink(this, "Label2", "Домашняя страница Orvanta", 16, 280);
  Label4 = MakeLabel(this, "Label4", "Пишите мне! Отвечу на любой вопрос!", 16, 312, 10);
  Label3 = MakeLink(this, "Label3", "orvanta@example.org", 16, 336);

  Button1 = new QPushButton(Q("Закрыть"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(224, 344, 81, 33);
  Button1->setAutoDefault(false);

  Label2->OnClick = [this] { Label2Click(); };
  Label3->OnClick = [this] { Label3Click(); };
  plat::On(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  plat::On(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
}

void TAboutForm::Label2Click() { WebBrowser.Navigate(OrvantaHomePage, 1); }
void TAboutForm::SpeedButton1Click() { Label2Click(); }
void TAboutForm::Label3Click() { WebBrowser.Navigate(OrvantaContactLink, 0); }
// Escape reaches reject() on its own; the button is the window's Cancel.
void TAboutForm::Button1Click() { reject(); }
