#include "platform/qt/FakeServices.h"

#include <QDialog>

namespace plat {

void FakeServices::ClearRecords() {
  Messages.clear();
  Exceptions.clear();
  Dialogs.clear();
  FileDialogs.clear();
  ColorDialogs.clear();
  Urls.clear();
  HelpCalls.clear();
}

int FakeServices::MessageBox(const MessageRequest& r) {
  Messages.push_back(r);
  if (!MessageAnswers.empty()) {
    const int answer = MessageAnswers.front();
    MessageAnswers.pop_front();
    return answer;
  }
  const int b = r.Buttons ? r.Buttons : mbOK;
  if (b & mbOK) return mrOk;
  if (b & mbYes) return mrYes;
  if (b & mbCancel) return mrCancel;
  if (b & mbNo) return mrNo;
  return mrCancel;
}

void FakeServices::ShowException(const std::string& text) { Exceptions.push_back(text); }

int FakeServices::ExecModal(QDialog* dialog) {
  ExecRecord rec;
  if (!dialog) {
    rec.Result = mrCancel;
    Dialogs.push_back(rec);
    return rec.Result;
  }
  rec.ClassName = dialog->metaObject()->className();
  rec.ObjectName = dialog->objectName().toStdString();
  rec.Title = dialog->windowTitle().toStdString();
  if (ShowDialogs) dialog->show();
  try {
    if (OnExecModal) {
      rec.Result = OnExecModal(dialog);
    } else {
      dialog->reject();
      rec.Result = dialog->result();
    }
  } catch (...) {
    // A failing script (or a handler of the dialog) must not leave the
    // dialog on screen for the next test.
    if (dialog->isVisible()) dialog->hide();
    throw;
  }
  if (dialog->isVisible()) dialog->hide();
  Dialogs.push_back(rec);
  return rec.Result;
}

bool FakeServices::FileDialog(TFileDialog& d, bool save) {
  PrepareFileDialog(d);
  FileDialogs.push_back({save, d});
  if (FileNames.empty()) return false;
  std::optional<std::string> name = FileNames.front();
  FileNames.pop_front();
  if (!name) return false;
  d.FileName = *name;
  RememberFileDialog(d);
  return true;
}

bool FakeServices::ExecuteOpenDialog(QWidget*, TFileDialog& d) { return FileDialog(d, false); }
bool FakeServices::ExecuteSaveDialog(QWidget*, TFileDialog& d) { return FileDialog(d, true); }

bool FakeServices::ExecuteColorDialog(QWidget*, TColor& color, bool solidOnly) {
  ColorDialogs.push_back({color, solidOnly});
  if (Colors.empty()) return false;
  std::optional<TColor> c = Colors.front();
  Colors.pop_front();
  if (!c) return false;
  color = *c;
  return true;
}

bool FakeServices::OpenUrl(const std::string& url) {
  Urls.push_back(url);
  return OpenUrlResult;
}

void FakeServices::Help(HelpCommand cmd, const std::string& helpFile, int context) {
  HelpCalls.push_back({cmd, helpFile, context});
}

}  // namespace plat
