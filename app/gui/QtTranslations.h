#pragma once
// Qt's own texts (file and print dialogs, standard buttons, context menus of
// text fields) in the program's language: Debian's qtbase translation for
// Spanish, nothing for English, which is Qt's own.

#include <QString>

namespace quillet {

// Installs the translator for `language` (kSpanish, kEnglish) in place of the
// one before; true when Qt now speaks that language (English always is).
bool UseQtTranslations(int language);

// Where Qt's translations are looked for: Qt's own folder.
QString QtTranslationsFolder();

}  // namespace quillet
