#include "lumivar/About.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <cmath>

#include "lumivar/Image.h"
#include "platform/qt/Services.h"
#include "platform/qt/WindowFrame.h"

namespace lumivar {

const char* const HomePage = "https://lumivar.example.org/";
const char* const ContactMail = "lumivar@example.org";

TAboutBox* AboutBox = nullptr;

std::string FormatPhysMem(std::uint64_t totalBytes, const QLocale& locale) {
  // The full 64-bit count: a 32-bit one wraps to nothing at 4 GiB.
  const long double kb = nearbyintl(static_cast<long double>(totalBytes) / 1024.0L);
  std::string digits = kb > 0 ? std::to_string(static_cast<unsigned long long>(kb)) : std::string();
  const std::string sep = locale.groupSeparator().toStdString();
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += sep;
    grouped += digits[i];
  }
  return grouped + " Кбайт";
}

std::string FormatFreeRes(std::uint64_t totalBytes, std::uint64_t availBytes) {
  int load = 0;
  if (totalBytes > 0 && availBytes <= totalBytes)
    load = static_cast<int>(static_cast<long double>(totalBytes - availBytes) * 100.0L / totalBytes);
  return "свободно " + std::to_string(100 - load) + " %";
}

namespace {

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y, int w, int h) {
  auto* l = new QLabel(QString::fromUtf8(text), parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setGeometry(x, y, w, h);
  return l;
}

void SetColor(QWidget* w, QPalette::ColorRole role, const QColor& c) {
  QPalette p = w->palette();
  p.setColor(role, c);
  w->setPalette(p);
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle(QString::fromUtf8("О программе \"Lumivar\""));
  plat::UseFixedFrame(this);
  setFixedSize(341, 265);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(8, 8, 64, 64);
  Image1->setPixmap(AboutPicture());

  Label1 = MakeLabel(this, "Label1", "Lumivar", 80, 6, 253, 44);
  Label1->setFont(TitleFont(35));
  Label1->setAlignment(Qt::AlignCenter);
  SetColor(Label1, QPalette::WindowText, QColor(0x80, 0, 0));

  Label4 = MakeLabel(this, "Label4", "Версия 3.0.3", 80, 52, 253, 16);
  Label4->setAlignment(Qt::AlignCenter);
  Label7 = MakeLabel(this, "Label7", "Автор: команда разработчиков Lumivar", 8, 80, 325, 16);
  QFont small = Label7->font();
  small.setPixelSize(13);
  Label7->setFont(small);

  Label5 = MakeLabel(this, "Label5", "Домашняя страничка:", 8, 100, 156, 16);
  Page = MakeLabel(this, "Page", HomePage, 164, 100, 176, 16);
  QFont link = Page->font();
  link.setUnderline(true);
  Page->setFont(link);
  Label6 = MakeLabel(this, "Label6", "Ваши отзывы шлите на:", 8, 118, 156, 16);
  Mail = MakeLabel(this, "Mail", ContactMail, 164, 118, 176, 16);
  for (QLabel* l : {Page, Mail}) {
    SetColor(l, QPalette::WindowText, QColor(0, 0, 0x80));
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }

  Memo2 = new QTextEdit(this);
  Memo2->setObjectName("Memo2");
  Memo2->setGeometry(8, 138, 325, 36);
  Memo2->setFrameShape(QFrame::NoFrame);
  Memo2->setReadOnly(true);
  Memo2->setFocusPolicy(Qt::NoFocus);
  Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Memo2->viewport()->setAutoFillBackground(false);
  Memo2->document()->setDocumentMargin(0);
  Memo2->setPlainText(QString::fromUtf8("Благодарим художника за рисунки к программе:\n"
                                        "https://pencils.example.org/"));

  Bevel1 = new QFrame(this);
  Bevel1->setObjectName("Bevel1");
  Bevel1->setFrameShape(QFrame::HLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  Bevel1->setGeometry(8, 176, 325, 4);

  Label3 = MakeLabel(this, "Label3", "Физическая память, доступная Windows:", 8, 182, 170, 32);
  Label3->setWordWrap(true);
  PhysMem = MakeLabel(this, "PhysMem", "0", 180, 190, 153, 16);
  PhysMem->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label2 = MakeLabel(this, "Label2", "Системные ресурсы:", 8, 214, 170, 16);
  FreeRes = MakeLabel(this, "FreeRes", "0", 180, 214, 153, 16);
  FreeRes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  OKButton = new QPushButton(QStringLiteral("OK"), this);
  OKButton->setObjectName("OKButton");
  OKButton->setGeometry(133, 236, 75, 25);
  OKButton->setDefault(true);
  connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  if (const QScreen* s = screen()) {
    const QRect r = s->availableGeometry();
    move(r.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
  }
  plat::Guard([this] { FormPaint(); });
}

bool TAboutBox::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    if (watched == Page) {
      plat::Guard([this] { PageClick(); });
      return true;
    }
    if (watched == Mail) {
      plat::Guard([this] { MailClick(); });
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TAboutBox::FormPaint() {
  const plat::MemoryInfo m = plat::Services().MemoryStatus();
  PhysMem->setText(QString::fromStdString(FormatPhysMem(m.TotalPhys, QLocale())));
  FreeRes->setText(QString::fromStdString(FormatFreeRes(m.TotalPhys, m.AvailPhys)));
}

// The shell's answer is not examined: a link that does not open leaves the
// window as it is.
void TAboutBox::PageClick() { plat::Services().OpenUrl(HomePage); }
void TAboutBox::MailClick() { plat::Services().OpenUrl(std::string("mailto:") + ContactMail); }

}  // namespace lumivar
