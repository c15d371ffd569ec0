#pragma once
// The desktop services on Qt: what Services() returns unless a test
// installed others.
#include <QString>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/qt/Services.h"

namespace plat {

class QtServices : public IServices {
 public:
  int MessageBox(const MessageRequest& r) override;
  void ShowException(const std::string& text) override;
  int ExecModal(QDialog* dialog) override;
  bool ExecuteOpenDialog(QWidget* parent, TFileDialog& d) override;
  bool ExecuteSaveDialog(QWidget* parent, TFileDialog& d) override;
  bool ExecuteColorDialog(QWidget* parent, TColor& color, bool solidOnly) override;
  bool OpenUrl(const std::string& url) override;
  // Shows a local help page in the program's help window (a context number
  // becomes the anchor "#ctx<N>"); a web address goes to the browser.
  void Help(HelpCommand cmd, const std::string& helpFile, int context) override;
  MemoryInfo MemoryStatus() override;

 private:
  bool RunFileDialog(QWidget* parent, TFileDialog& d, bool save);
};

// "Описание|*.a;*.b|Все файлы|*.*" -> "Описание (*.a *.b);;Все файлы (*)";
// `names` receives the entries one by one.
QString QtFileFilter(const std::string& filter, std::vector<QString>* names = nullptr);

// The address the browser opens: a URL with a scheme as it stands, anything
// else a local path (backslashes read as "/").
QUrl DesktopUrl(const std::string& address);
// The help page, with the anchor "#ctx<N>" for a topic by context number.
QUrl HelpUrl(HelpCommand cmd, const std::string& helpFile, int context);

// Physical memory from /proc/meminfo (sysinfo() as a fallback), in bytes.
MemoryInfo ReadMemoryStatus();

}  // namespace plat
