#pragma once
// The look of the programs' (non-native) file dialogs: the detail view with
// its size, type and date columns in Russian whatever the system's locale
// (Qt itself names every folder "Folder" and dates the system's way), every
// column as wide as its heading and its usual contents, and a dialog wide
// enough to show them all.
#include <QString>

class QDateTime;
class QFileDialog;
class QFileInfo;

namespace plat {

// The texts of the size, type and date columns for one entry.
QString FileSizeText(qint64 bytes);
QString FileTypeText(const QFileInfo& info);
QString FileDateText(const QDateTime& modified);

// Shapes `dlg` (which must use Qt's own dialog, not the desktop's): call it
// before the dialog is shown.
void ShapeFileDialog(QFileDialog& dlg);

}  // namespace plat
