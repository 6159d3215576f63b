#include "gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace puffel {

bool InstallJapaneseTranslations() {
  QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
  // Lives as long as the application: an installed translator must not be freed.
  static QTranslator* const qtbase = new QTranslator;
  static const bool loaded =
      qtbase->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  if (loaded) QCoreApplication::installTranslator(qtbase);
  return loaded;
}

}  // namespace puffel
