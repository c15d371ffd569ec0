#include "platform/qt/Services.h"

#include <QCoreApplication>
#include <cctype>
#include <climits>
#include <cstdio>
#include <map>
#include <unistd.h>

#include "platform/qt/Text.h"

namespace plat {

namespace {

IServices* g_installed = nullptr;
std::string g_helpFile;
std::map<std::string, std::string>& LastFolders() {
  static std::map<std::string, std::string> folders;
  return folders;
}

// "ov2" for DefaultExt "ov2" or for a filter "Файлы функций (*.ov2)|*.ov2|...".
std::string FileKind(const TFileDialog& d) {
  std::string kind = d.DefaultExt;
  if (kind.empty()) {
    const auto bar = d.Filter.find('|');
    if (bar != std::string::npos) {
      kind = d.Filter.substr(bar + 1);
      kind = kind.substr(0, kind.find_first_of("|;"));
      const auto dot = kind.rfind('.');
      if (dot != std::string::npos) kind = kind.substr(dot + 1);
    }
  }
  for (char& c : kind) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return kind;
}

}  // namespace

void SetServices(IServices* s) { g_installed = s; }
IServices* InstalledServices() { return g_installed; }

void SetHelpFile(const std::string& path) { g_helpFile = path; }
std::string HelpFile() { return g_helpFile; }

int MessageBox(const std::string& text, MsgKind kind, int buttons, const std::string& caption, int helpContext) {
  MessageRequest r;
  r.Kind = kind;
  r.Text = text;
  r.Buttons = buttons;
  r.Caption = caption;
  r.HelpContext = helpContext;
  return Services().MessageBox(r);
}

void Guard(const std::function<void()>& handler) noexcept {
  std::string text;
  try {
    if (handler) handler();
    return;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "Неизвестная ошибка";
  }
  try {
    Services().ShowException(text);
  } catch (...) {
    // The error box itself failed: there is nobody left to tell.
    std::fprintf(stderr, "%s\n", text.c_str());
  }
}

void PrepareFileDialog(TFileDialog& d) {
  const auto it = LastFolders().find(FileKind(d));
  if (it != LastFolders().end())
    d.InitialDir = it->second;
  else if (d.InitialDir.empty())
    d.InitialDir = ExeDir();
}

void RememberFileDialog(const TFileDialog& d) {
  const auto slash = d.FileName.rfind('/');
  if (slash == std::string::npos) return;  // no folder named: the one it opened in stays
  LastFolders()[FileKind(d)] = d.FileName.substr(0, slash + 1);
}

void ForgetFileDialogFolders() { LastFolders().clear(); }

std::string ExeDir() {
  char buf[PATH_MAX + 1];
  const ssize_t n = ::readlink("/proc/self/exe", buf, PATH_MAX);
  std::string dir;
  if (n > 0) {
    std::string path(buf, static_cast<std::size_t>(n));
    const auto slash = path.rfind('/');
    if (slash != std::string::npos) dir = path.substr(0, slash);
  }
  if (dir.empty() && QCoreApplication::instance()) dir = ToUtf8(QCoreApplication::applicationDirPath());
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

}  // namespace plat
