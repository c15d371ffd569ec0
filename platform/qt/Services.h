#pragma once
// The desktop services the windows call: message boxes, the default error
// box, modal dialogs, file and colour dialogs, the browser, help topics and
// the memory status. Windows never talk to Qt's dialogs directly: they go
// through Services(), which is the Qt implementation in the programs and a
// recording fake (FakeServices.h) in tests, so tests run headless and can
// assert exactly what a user would have seen.
#include <QObject>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Canvas.h"

class QDialog;
class QWidget;

namespace plat {

enum class MsgKind { Information, Plain, Error, Warning, Confirmation };

// Buttons of a message box (a set) and the button that closed it.
enum MsgButton : int { mbOK = 1, mbCancel = 2, mbYes = 4, mbNo = 8, mbHelp = 16 };
enum ModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

struct MessageRequest {
  MsgKind Kind = MsgKind::Information;
  std::string Caption;  // UTF-8; empty means the application's title
  std::string Text;     // UTF-8
  int Buttons = mbOK;
  int HelpContext = 0;  // 0: no help; otherwise the Help button shows this topic
};

// Open/save dialog options, as a window keeps them between uses.
struct TFileDialog {
  std::string Title;       // UTF-8
  std::string Filter;      // "Описание|*.ext|..." pairs, UTF-8
  int FilterIndex = 1;
  std::string DefaultExt;  // without the dot
  std::string InitialDir;
  std::string FileName;    // in: proposed; out: chosen (UTF-8 path)
};

struct MemoryInfo {
  std::uint64_t TotalPhys = 0;  // bytes
  std::uint64_t AvailPhys = 0;  // bytes
};

enum class HelpCommand { Contents, Context, Popup };

class IServices {
 public:
  virtual ~IServices() = default;
  // Returns the ModalResult of the button that closed the box.
  virtual int MessageBox(const MessageRequest& r) = 0;
  // The platform's default error box for a fault no handler turned into a message.
  virtual void ShowException(const std::string& text) = 0;
  // Shows a dialog modally and returns its result code.
  virtual int ExecModal(QDialog* dialog) = 0;
  virtual bool ExecuteOpenDialog(QWidget* parent, TFileDialog& d) = 0;
  virtual bool ExecuteSaveDialog(QWidget* parent, TFileDialog& d) = 0;
  // `color` in: the colour the dialog opens with; out: the chosen colour.
  virtual bool ExecuteColorDialog(QWidget* parent, TColor& color, bool solidOnly) = 0;
  // A web address, a mailto: address or a local file path.
  virtual bool OpenUrl(const std::string& url) = 0;
  virtual void Help(HelpCommand cmd, const std::string& helpFile, int context) = 0;
  virtual MemoryInfo MemoryStatus() = 0;
};

// The current services; the Qt ones unless a test installed others.
IServices& Services();
// Installs `s` (not owned) as the current services; nullptr restores the Qt ones.
void SetServices(IServices* s);
// The services installed with SetServices, or nullptr while the Qt ones are current.
IServices* InstalledServices();

// The application's help file (an HTML page): the Help button of a message
// box with a help context, and Help() calls that pass no file, open it.
void SetHelpFile(const std::string& path);
std::string HelpFile();

// Convenience wrappers used by the windows.
int MessageBox(const std::string& text, MsgKind kind = MsgKind::Information, int buttons = mbOK,
               const std::string& caption = {}, int helpContext = 0);
inline void ShowMessage(const std::string& text) { MessageBox(text, MsgKind::Information); }

// Runs one event handler. A fault that escapes it is shown in the default
// error box and the program goes on; nothing crosses Qt's event loop.
void Guard(const std::function<void()>& handler) noexcept;

// The folder of the running executable, "/"-terminated.
std::string ExeDir();

// File dialogs open in the folder where the last dialog for the same kind of
// file was accepted in this session (the kind: the default extension, else
// the filter's first pattern), the first one of a kind in the caller's
// InitialDir or else the program folder. Every IServices implementation
// calls PrepareFileDialog before showing a file dialog and
// RememberFileDialog after the user accepted it.
void PrepareFileDialog(TFileDialog& d);
void RememberFileDialog(const TFileDialog& d);
// Forgets the folders remembered so far (a test's fresh start).
void ForgetFileDialogFolders();

// Connects a Qt signal to a handler that runs behind Guard. The handler takes
// either the signal's arguments or none:
//   plat::On(btnAdd, &QPushButton::clicked, this, [this] { btnAddClick(); });
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection On(Sender* sender, Signal signal, const QObject* context, Handler handler) {
  if constexpr (std::is_invocable_v<Handler&>) {
    return QObject::connect(sender, signal, context,
                            [handler = std::move(handler)]() mutable { Guard([&] { handler(); }); });
  } else {
    return QObject::connect(
        sender, signal, context,
        [handler = std::move(handler)](auto&&... args) mutable
        -> decltype(std::declval<Handler&>()(std::forward<decltype(args)>(args)...), void()) {
          Guard([&] { handler(std::forward<decltype(args)>(args)...); });
        });
  }
}

// A colour dialog object as a window owns it: it opens with the colour last
// chosen in it (Color), not with the caller's.
class TColorDialog {
 public:
  TColor Color = clBlack;
  bool SolidOnly = false;
  bool Execute(QWidget* parent = nullptr) {
    TColor c = Color;
    if (!Services().ExecuteColorDialog(parent, c, SolidOnly)) return false;
    Color = c;
    return true;
  }
};

}  // namespace plat
