#pragma once
// Services for tests: records everything a user would have seen and answers
// from a script instead of waiting for a user.
//
//   plat::FakeServices fake;
//   plat::ScopedServices use(fake);          // restored when `use` ends
//   fake.MessageAnswers.push_back(plat::mrYes);
//   fake.OnExecModal = [](QDialog* d) { ...fill d...; d->accept(); return d->result(); };
//   ... run the window's handler ...
//   EXPECT_EQ(fake.Messages.at(0).Text, "Предельное количество функций: 16");
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/Services.h"

namespace plat {

struct ExecRecord {
  std::string ClassName;   // the dialog's C++ class as Qt knows it, e.g. "TScreenForm"
  std::string ObjectName;  // its objectName
  std::string Title;       // its window title, UTF-8
  int Result = 0;          // what ExecModal returned
};

struct FileDialogRecord {
  bool Save = false;
  TFileDialog Request;  // the dialog options as shown: the caller's, with the folder it opened in
};

struct ColorDialogRecord {
  TColor Initial = 0;  // the colour the dialog opened with
  bool SolidOnly = false;
};

struct HelpRecord {
  HelpCommand Command = HelpCommand::Contents;
  std::string File;
  int Context = 0;
};

class FakeServices : public IServices {
 public:
  // ---- what happened
  std::vector<MessageRequest> Messages;
  std::vector<std::string> Exceptions;
  std::vector<ExecRecord> Dialogs;
  std::vector<FileDialogRecord> FileDialogs;
  std::vector<ColorDialogRecord> ColorDialogs;
  std::vector<std::string> Urls;
  std::vector<HelpRecord> HelpCalls;

  // ---- scripted answers
  // Results of the next message boxes, in order. With none left, a box
  // answers with its default button: OK, else Yes, else Cancel, else No.
  std::deque<int> MessageAnswers;
  // Runs each modal dialog. Without it the dialog is rejected, as if the user
  // closed it. The dialog is shown first (so its show handlers run) unless
  // ShowDialogs is false, and hidden afterwards.
  std::function<int(QDialog*)> OnExecModal;
  bool ShowDialogs = true;
  // File names the next open/save dialogs return; std::nullopt (or none
  // left) cancels the dialog.
  std::deque<std::optional<std::string>> FileNames;
  // Colours the next colour dialogs return; std::nullopt (or none left) cancels.
  std::deque<std::optional<TColor>> Colors;
  bool OpenUrlResult = true;
  MemoryInfo Memory{std::uint64_t{512} << 20, std::uint64_t{256} << 20};  // 512 MiB, 256 MiB free

  // Forgets what was recorded (the scripts stay).
  void ClearRecords();

  int MessageBox(const MessageRequest& r) override;
  void ShowException(const std::string& text) override;
  int ExecModal(QDialog* dialog) override;
  bool ExecuteOpenDialog(QWidget* parent, TFileDialog& d) override;
  bool ExecuteSaveDialog(QWidget* parent, TFileDialog& d) override;
  bool ExecuteColorDialog(QWidget* parent, TColor& color, bool solidOnly) override;
  bool OpenUrl(const std::string& url) override;
  void Help(HelpCommand cmd, const std::string& helpFile, int context) override;
  MemoryInfo MemoryStatus() override { return Memory; }

 private:
  bool FileDialog(TFileDialog& d, bool save);
};

// Installs services for the lifetime of the object and then puts back the
// ones that were current before.
class ScopedServices {
 public:
  explicit ScopedServices(IServices& s) : previous_(InstalledServices()) { SetServices(&s); }
  ~ScopedServices() { SetServices(previous_); }
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  IServices* previous_;
};

}  // namespace plat
