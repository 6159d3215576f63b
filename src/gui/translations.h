// The Japanese texts of Qt's own dialogs and buttons.
#pragma once

namespace puffel {

// Installs Qt's Japanese translations (file dialogs, message boxes, standard
// buttons) and makes Japanese the default locale, whatever the system language
// is. Needs a QApplication. Returns false when the translations are missing.
bool InstallJapaneseTranslations();

}  // namespace puffel
