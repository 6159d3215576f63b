#include "gui/fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace puffel {

namespace {

QString japaneseFamily() {
  const QStringList installed = QFontDatabase::families();
  if (installed.contains(QStringLiteral("IPAPGothic"))) return QStringLiteral("IPAPGothic");
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  return japanese.isEmpty() ? QString() : japanese.first();
}

}  // namespace

QFont JapaneseFont(int pixelHeight) {
  // Looking the family up once: the canvas asks for a font at every text line.
  static const QString family = japaneseFamily();
  QFont font;
  if (!family.isEmpty()) font.setFamily(family);
  font.setPixelSize(pixelHeight);
  return font;
}

}  // namespace puffel
