#include "lumivar/Func.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstring>
#include <vector>

#include "korvel/korvel.h"
#include "lumivar/Graph.h"
#include "lumivar/Image.h"
#include "platform/Cp1251.h"
#include "platform/qt/Services.h"
#include "platform/qt/WindowFrame.h"

namespace lumivar {

TKorvelApi KorvelExports() {
  return TKorvelApi{&::Init_Number, &::Lex_Analiz_Init, &::Lexan,  &::Error,
                    &::Init_ABC,    &::Interpret,       &::GetDraw};
}

TKorvelApi Korvel = KorvelExports();
TAltFunc* AltFunc = nullptr;
int SelectedLibrarySlot;  // its start value is ResetProgramState's

void SelectLibrarySlot(int n) {
  Korvel.Init_Number(static_cast<std::uint8_t>(n));
  SelectedLibrarySlot = n;
}

std::int32_t CompileFormula(const std::string& utf8) {
  // Lexan lowercases its text in place: it gets a copy of its own.
  const std::string bytes = cp1251::FromUtf8(utf8);
  std::vector<char> buffer(bytes.size() + 2, '\0');
  std::memcpy(buffer.data(), bytes.data(), bytes.size());
  Korvel.Lex_Analiz_Init();
  return Korvel.Lexan(buffer.data());
}

std::string ErrorText(std::int32_t code) {
  const char* msg = nullptr;
  Korvel.Error(code, &msg);
  return msg ? cp1251::ToUtf8(msg) : std::string();
}

void RestoreAcceptedFormula(int n) {
  SelectLibrarySlot(n);
  const std::string& accepted = AltFormulas[n];
  if (accepted.size() > 2) {
    AltCompiled[n] = CompileFormula(accepted.substr(2)) == 0;
  } else {
    Korvel.Lex_Analiz_Init();
    AltCompiled[n] = false;
  }
}

TAltFunc::TAltFunc(QWidget* parent) : QDialog(parent) {
  setObjectName("AltFunc");
  setWindowTitle(QString::fromUtf8("Альтернативная функция"));
  plat::UseFixedFrame(this);
  setFixedSize(267, 64);

  Label2 = new QLabel(QStringLiteral("y="), this);
  Label2->setObjectName("Label2");
  Label2->setFont(TitleFont(21));
  QPalette p = Label2->palette();
  p.setColor(QPalette::WindowText, QColor(0, 0, 0x80));
  Label2->setPalette(p);
  Label2->setGeometry(6, 6, 28, 24);

  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  QFont bold = Edit1->font();
  bold.setBold(true);
  Edit1->setFont(bold);
  Edit1->setGeometry(36, 6, 225, 24);
  Edit1->installEventFilter(this);

  Button1 = new QPushButton(QString::fromUtf8("&Применить"), this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(6, 36, 89, 24);
  Button1->setDefault(true);
  Button2 = new QPushButton(QString::fromUtf8("П&омощь"), this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(99, 36, 79, 24);
  Button3 = new QPushButton(QString::fromUtf8("&Отмена"), this);
  Button3->setObjectName("Button3");
  Button3->setGeometry(182, 36, 79, 24);

  plat::On(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  plat::On(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
  connect(Button3, &QPushButton::clicked, this, &QDialog::reject);
}

void TAltFunc::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  setResult(0);  // a new showing starts without the last one's answer
  plat::Guard([this] { FormShow(); });
}

bool TAltFunc::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::KeyPress) {
    bool handled = false;
    plat::Guard([&] { handled = Edit1KeyPress(static_cast<QKeyEvent*>(event)->key()); });
    if (handled) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TAltFunc::FormShow() {
  if (QWidget* main = MainForm) {
    const QRect m = main->frameGeometry();
    move(m.left() + m.width() / 2 - frameGeometry().width() / 2,
         m.top() + m.height() / 2 - frameGeometry().height() / 2);
  }
  const std::string& accepted = AltFormulas[AltNumber];
  Edit1->setText(QString::fromStdString(accepted.size() > 2 ? accepted.substr(2) : std::string()));
  Edit1->setFocus();
}

bool TAltFunc::Edit1KeyPress(int key) {
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  Button1Click();
  return true;
}

void TAltFunc::Button1Click() {
  const std::string text = Edit1->text().toStdString();
  if (SelectedLibrarySlot != AltNumber) SelectLibrarySlot(AltNumber);
  const std::int32_t code = CompileFormula(text);
  if (code == 0) {
    AltCompiled[AltNumber] = true;
    AltFormulas[AltNumber] = "y=" + text;
    if (MainForm) MainForm->Type_Func->setText(QString::fromStdString(AltFormulas[AltNumber]));
    accept();
  } else {
    AltCompiled[AltNumber] = false;
    Rejected = true;
    plat::MessageBox(ErrorText(code), plat::MsgKind::Error, plat::mbOK | plat::mbHelp, {}, 100 + code);
  }
  Edit1->setFocus();
}

void TAltFunc::Button2Click() { plat::Services().Help(plat::HelpCommand::Context, plat::HelpFile(), 111); }

}  // namespace lumivar
