#include "platform/qt/Services.h"

#include <QCoreApplication>
#include <climits>
#include <cstdio>
#include <unistd.h>

#include "platform/qt/Text.h"

namespace plat {

namespace {

IServices* g_installed = nullptr;
std::string g_helpFile;

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
