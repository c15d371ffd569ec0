#include "platform/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace plat {

bool LoadQtTranslations() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  auto* translator = new QTranslator(app);
  if (translator->load(QStringLiteral("qtbase_ru"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
      QCoreApplication::installTranslator(translator))
    return true;
  delete translator;
  return false;
}

}  // namespace plat
