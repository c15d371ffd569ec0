#include "platform/qt/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "platform/qt/Services.h"
#include "platform/qt/Text.h"

namespace plat {

bool LoadQtTranslations() {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return false;
  auto* translator = new QTranslator(app);
  const QString dirs[] = {FromUtf8(ExeDir() + "translations"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
  for (const QString& dir : dirs)
    if (translator->load(QStringLiteral("qtbase_ru"), dir) && QCoreApplication::installTranslator(translator))
      return true;
  delete translator;
  return false;
}

}  // namespace plat
