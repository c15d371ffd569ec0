#include "platform/qt/FileDialogView.h"

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QListView>
#include <QLocale>
#include <QScreen>
#include <QSplitter>
#include <QTreeView>
#include <algorithm>

namespace plat {

namespace {

enum Column { kName = 0, kSize = 1, kType = 2, kDate = 3 };

// Gives the file system model's size, type and date columns our texts.
class RussianFileColumns : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;

  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole && index.column() >= kSize && index.column() <= kDate) {
      if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel())) {
        const QFileInfo info = files->fileInfo(mapToSource(index));
        switch (index.column()) {
          case kSize: return info.isDir() ? QString() : FileSizeText(info.size());
          case kType: return FileTypeText(info);
          default: return FileDateText(info.lastModified());
        }
      }
    }
    return QIdentityProxyModel::data(index, role);
  }
};

}  // namespace

QString FileSizeText(qint64 bytes) {
  if (bytes < 1024) return QStringLiteral("%1 байт").arg(bytes);
  return QLocale(QLocale::Russian, QLocale::Russia).formattedDataSize(bytes, 1, QLocale::DataSizeTraditionalFormat);
}

QString FileTypeText(const QFileInfo& info) {
  if (info.isDir()) return QStringLiteral("Папка");
  const QString ext = info.suffix();
  return ext.isEmpty() ? QStringLiteral("Файл") : QStringLiteral("Файл ") + ext.toUpper();
}

QString FileDateText(const QDateTime& modified) {
  return modified.isValid() ? modified.toString(QStringLiteral("dd.MM.yyyy HH:mm")) : QString();
}

void ShapeFileDialog(QFileDialog& dlg) {
  dlg.setViewMode(QFileDialog::Detail);
  dlg.setProxyModel(new RussianFileColumns(&dlg));
  auto* view = dlg.findChild<QTreeView*>(QStringLiteral("treeView"));
  if (view == nullptr || view->model() == nullptr) return;
  QHeaderView* header = view->header();
  const QFontMetrics fm(view->font());
  const QFontMetrics hfm(header->font());
  // Room for the sort arrow and the cell margins beside the text.
  const int pad = hfm.height() + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 8;
  // The widest texts a column usually shows.
  const QString samples[] = {
      QStringLiteral("Файл функций с длинным названием.ov2"),
      FileSizeText(qint64{999} * 1024 * 1024 + 900 * 1024),
      FileTypeText(QFileInfo(QStringLiteral("a.jpeg"))),
      FileDateText(QDateTime(QDate(2026, 12, 28), QTime(23, 58))),
  };
  int total = 0;
  for (int c = kName; c <= kDate && c < header->count(); ++c) {
    const QString heading = view->model()->headerData(c, Qt::Horizontal).toString();
    const int w = std::max(hfm.horizontalAdvance(heading), fm.horizontalAdvance(samples[c])) + pad;
    header->resizeSection(c, w);
    total += w;
  }
  header->setStretchLastSection(false);
  // The places on the left ("Компьютер", the home folder) readable too.
  int sidebar = 0;
  if (auto* places = dlg.findChild<QListView*>(QStringLiteral("sidebar")); places && places->model()) {
    const QFontMetrics pfm(places->font());
    for (int r = 0; r < places->model()->rowCount(); ++r)
      sidebar = std::max(sidebar, pfm.horizontalAdvance(places->model()->index(r, 0).data().toString()));
    sidebar += places->iconSize().width() + 32;
    if (auto* splitter = dlg.findChild<QSplitter*>(QStringLiteral("splitter")))
      splitter->setSizes({sidebar, total + 24});
  }
  QSize size(std::max(total + sidebar + 80, 760), 480);
  if (const QScreen* screen = dlg.screen() ? dlg.screen() : QGuiApplication::primaryScreen())
    size = size.boundedTo(screen->availableGeometry().size());
  dlg.resize(size);
}

}  // namespace plat
