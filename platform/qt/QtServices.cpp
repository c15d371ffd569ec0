#include "platform/qt/QtServices.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QUrl>
#include <cctype>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <stdexcept>
#include <sys/sysinfo.h>

#include "platform/qt/FileDialogView.h"
#include "platform/qt/HelpWindow.h"
#include "platform/qt/ImageCanvas.h"
#include "platform/qt/Text.h"
#include "platform/qt/WindowFrame.h"

namespace plat {

namespace {

int g_boxHelp = 0;  // > 0 while a message box's Help button is being answered

QString Title(const std::string& caption) {
  if (!caption.empty()) return FromUtf8(caption);
  return QApplication::applicationDisplayName();
}

bool HasScheme(const std::string& s) {
  // "http:", "mailto:", "file:" ...; a one-letter scheme would be a drive.
  const auto colon = s.find(':');
  if (colon == std::string::npos || colon < 2) return false;
  for (std::size_t i = 0; i < colon; ++i) {
    const char c = s[i];
    if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.')) return false;
  }
  return true;
}

}  // namespace

QUrl DesktopUrl(const std::string& address) {
  if (HasScheme(address)) return QUrl(FromUtf8(address));
  std::string path = address;
  for (char& c : path)
    if (c == '\\') c = '/';
  return QUrl::fromLocalFile(FromUtf8(path));
}

QUrl HelpUrl(HelpCommand cmd, const std::string& helpFile, int context) {
  QUrl url = DesktopUrl(helpFile);
  if (cmd != HelpCommand::Contents && context != 0) url.setFragment(QStringLiteral("ctx%1").arg(context));
  return url;
}

QString QtFileFilter(const std::string& filter, std::vector<QString>* names) {
  // "Описание|*.a;*.b|Все файлы|*.*" -> "Описание (*.a *.b);;Все файлы (*)"
  QStringList parts = FromUtf8(filter).split('|');
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    for (QString& p : patterns) {
      p = p.trimmed();
      if (p == "*.*") p = "*";
    }
    QString entry = parts[i] + " (" + patterns.join(' ') + ")";
    out << entry;
    if (names) names->push_back(entry);
  }
  return out.join(";;");
}

int QtServices::MessageBox(const MessageRequest& r) {
  QMessageBox box(QApplication::activeWindow());
  UseFixedFrame(&box);
  switch (r.Kind) {
    case MsgKind::Information: box.setIcon(QMessageBox::Information); break;
    case MsgKind::Plain: box.setIcon(QMessageBox::NoIcon); break;
    case MsgKind::Error: box.setIcon(QMessageBox::Critical); break;
    case MsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
    case MsgKind::Confirmation: box.setIcon(QMessageBox::Question); break;
  }
  box.setWindowTitle(Title(r.Caption));
  box.setText(FromUtf8(r.Text));
  struct B {
    int flag;
    const char* text;
    QMessageBox::ButtonRole role;
    int result;
  };
  static const B kButtons[] = {
      {mbYes, "Да", QMessageBox::YesRole, mrYes},       {mbNo, "Нет", QMessageBox::NoRole, mrNo},
      {mbOK, "OK", QMessageBox::AcceptRole, mrOk},      {mbCancel, "Отмена", QMessageBox::RejectRole, mrCancel},
      {mbHelp, "Справка", QMessageBox::HelpRole, mrNone},
  };
  // A box always has a button that closes it.
  const int buttons = (r.Buttons & ~mbHelp) ? r.Buttons : (r.Buttons | mbOK);
  std::vector<std::pair<QPushButton*, int>> made;
  QPushButton* help = nullptr;
  for (const B& b : kButtons) {
    if (!(buttons & b.flag)) continue;
    QPushButton* btn = box.addButton(QString::fromUtf8(b.text), b.role);
    if (b.flag == mbHelp)
      help = btn;
    else
      made.emplace_back(btn, b.result);
  }
  // Default: OK, else Yes, else the first; Escape: Cancel, else No, else OK.
  auto first = [&](std::initializer_list<int> results) -> QPushButton* {
    for (int result : results)
      for (auto& [btn, res] : made)
        if (res == result) return btn;
    return nullptr;
  };
  QPushButton* def = first({mrOk, mrYes});
  if (!def && !made.empty()) def = made.front().first;
  if (def) box.setDefaultButton(def);
  QPushButton* esc = first({mrCancel, mrNo, mrOk});
  if (esc) box.setEscapeButton(esc);
  // The Help button shows the topic; the box stays until another button
  // closes it.
  box.exec();
  while (help && box.clickedButton() == help) {
    const int ctx = r.HelpContext;
    ++g_boxHelp;
    Guard([ctx] { Services().Help(ctx ? HelpCommand::Context : HelpCommand::Contents, HelpFile(), ctx); });
    --g_boxHelp;
    // The Help button kept the focus, and a focused button is the default
    // one: Enter would open the help again and again. The box comes back
    // as it first came up.
    if (def) box.setDefaultButton(def);
    box.exec();
  }
  QAbstractButton* clicked = box.clickedButton();
  for (auto& [btn, res] : made)
    if (btn == clicked) return res;
  if (esc)
    for (auto& [btn, res] : made)
      if (btn == esc) return res;
  return mrCancel;
}

void QtServices::ShowException(const std::string& text) {
  QString msg = FromUtf8(text);
  // The default error box ends its text with a full stop.
  if (!msg.isEmpty() && msg.back() > QChar('.')) msg += '.';
  QMessageBox box(QApplication::activeWindow());
  UseFixedFrame(&box);
  box.setIcon(QMessageBox::Critical);
  box.setWindowTitle(Title({}));
  box.setText(msg);
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
}

int QtServices::ExecModal(QDialog* dialog) { return dialog ? dialog->exec() : mrCancel; }

bool QtServices::RunFileDialog(QWidget* parent, TFileDialog& d, bool save) {
  PrepareFileDialog(d);
  QFileDialog dlg(parent, FromUtf8(d.Title));
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  // The list of types shows each description as the window gave it
  // ("Все файлы (*.*)"), not followed by Qt's own copy of the patterns.
  dlg.setOption(QFileDialog::HideNameFilterDetails, true);
  dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // An existing file is replaced without a question, as the programs expect.
  if (save) dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
  ShapeFileDialog(dlg);
  std::vector<QString> names;
  const QString filters = QtFileFilter(d.Filter, &names);
  if (!filters.isEmpty()) {
    dlg.setNameFilter(filters);
    if (d.FilterIndex >= 1 && d.FilterIndex <= static_cast<int>(names.size()))
      dlg.selectNameFilter(names[static_cast<std::size_t>(d.FilterIndex - 1)]);
  }
  if (!d.DefaultExt.empty()) dlg.setDefaultSuffix(FromUtf8(d.DefaultExt));
  dlg.setDirectory(FromUtf8(d.InitialDir));
  if (!d.FileName.empty()) dlg.selectFile(QFileInfo(FromUtf8(d.FileName)).fileName());
  if (dlg.exec() != QDialog::Accepted) return false;
  const QStringList files = dlg.selectedFiles();
  if (files.isEmpty()) return false;
  d.FileName = ToUtf8(files.front());
  RememberFileDialog(d);
  // With the patterns hidden, the dialog names the chosen type by its description.
  const QString chosen = dlg.selectedNameFilter();
  for (std::size_t i = 0; i < names.size(); ++i) {
    const QString& name = names[i];
    if (name == chosen || name.left(name.lastIndexOf(QStringLiteral(" ("))).trimmed() == chosen)
      d.FilterIndex = static_cast<int>(i) + 1;
  }
  return true;
}

bool QtServices::ExecuteOpenDialog(QWidget* parent, TFileDialog& d) { return RunFileDialog(parent, d, false); }
bool QtServices::ExecuteSaveDialog(QWidget* parent, TFileDialog& d) { return RunFileDialog(parent, d, true); }

bool QtServices::ExecuteColorDialog(QWidget* parent, TColor& color, bool /*solidOnly: every colour here is solid*/) {
  const QColor chosen = QColorDialog::getColor(QColor::fromRgb(ColorToPixel(color)), parent, QString(),
                                               QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return false;
  color = PixelToColor(chosen.rgb());
  return true;
}

bool QtServices::OpenUrl(const std::string& url) { return QDesktopServices::openUrl(DesktopUrl(url)); }

void QtServices::Help(HelpCommand cmd, const std::string& helpFile, int context) {
  const std::string file = helpFile.empty() ? HelpFile() : helpFile;
  if (file.empty()) return;
  const QUrl url = HelpUrl(cmd, file, context);
  // A help address on the web goes to the browser; our pages open in our
  // own window, which needs no browser on the machine.
  if (!url.isLocalFile()) {
    if (!OpenUrl(file)) throw std::runtime_error("Не удалось открыть адрес " + file);
    return;
  }
  // Asked for from a modal dialog or a message box: the help window waits
  // on top, or the dialog would leave it blocked.
  HelpWindow()->ShowPage(url, g_boxHelp > 0 || QApplication::activeModalWidget() != nullptr);
}

MemoryInfo QtServices::MemoryStatus() { return ReadMemoryStatus(); }

MemoryInfo ReadMemoryStatus() {
  MemoryInfo m;
  std::ifstream in("/proc/meminfo");
  std::string line;
  bool total = false, avail = false;
  while (std::getline(in, line)) {
    std::istringstream ls(line);
    std::string key;
    std::uint64_t kb = 0;
    if (!(ls >> key >> kb)) continue;
    if (key == "MemTotal:") {
      m.TotalPhys = kb * 1024;
      total = true;
    } else if (key == "MemAvailable:") {
      m.AvailPhys = kb * 1024;
      avail = true;
    }
  }
  if (!total || !avail) {
    struct sysinfo si {};
    if (sysinfo(&si) == 0) {
      if (!total) m.TotalPhys = static_cast<std::uint64_t>(si.totalram) * si.mem_unit;
      if (!avail) m.AvailPhys = static_cast<std::uint64_t>(si.freeram + si.bufferram) * si.mem_unit;
    }
  }
  return m;
}

// The Qt services, unless a test installed others.
IServices& Services() {
  if (IServices* installed = InstalledServices()) return *installed;
  static QtServices qt;
  return qt;
}

}  // namespace plat
