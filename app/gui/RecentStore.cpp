#include "app/gui/RecentStore.h"

#include <QStringList>

#include "text/gui/ApplyTexts.h"

namespace quillet {

namespace {

const QString kRecentKey = QStringLiteral("RecentFiles/list");

}  // namespace

TSettingsRecentStore::TSettingsRecentStore(const QString& settingsFile)
    : m_settings(settingsFile, QSettings::IniFormat) {}

std::vector<std::string> TSettingsRecentStore::Load() {
    // Picks up what another window wrote since.
    m_settings.sync();
    std::vector<std::string> paths;
    for (const QString& p : m_settings.value(kRecentKey).toStringList()) paths.push_back(StdStr(p));
    return paths;
}

void TSettingsRecentStore::Save(const std::vector<std::string>& paths) {
    QStringList list;
    for (const std::string& p : paths) list << QStr(p);
    m_settings.setValue(kRecentKey, list);
    m_settings.sync();
}

QString UserSettingsFile() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quillet"), QStringLiteral("Quillet"))
        .fileName();
}

}  // namespace quillet
