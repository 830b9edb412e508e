#include "app/gui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

#include "text/Languages.h"

namespace quillet {

namespace {

// The one translator the program installs; it lives until the end of the
// run, as the application refers to it while installed.
std::unique_ptr<QTranslator>& Installed() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

}  // namespace

QString QtTranslationsFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

bool UseQtTranslations(int language) {
    std::unique_ptr<QTranslator>& current = Installed();
    // Every install makes Qt retranslate every window: only on a change.
    if (language != kEnglish && current) return true;
    if (current) {
        QCoreApplication::removeTranslator(current.get());
        current.reset();
    }
    if (language == kEnglish) return true;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_es"), QtTranslationsFolder())) return false;
    QCoreApplication::installTranslator(translator.get());
    current = std::move(translator);
    return true;
}

}  // namespace quillet
