#pragma once
// The recent-files list in the per-user configuration (QSettings, an INI
// file), read afresh before every change so that windows of the program
// running at once share one list.

#include <QSettings>
#include <QString>

#include "app/RecentFiles.h"

namespace quillet {

class TSettingsRecentStore final : public TRecentStore {
public:
    explicit TSettingsRecentStore(const QString& settingsFile);
    std::vector<std::string> Load() override;
    void Save(const std::vector<std::string>& paths) override;

private:
    QSettings m_settings;
};

// The user's own settings file (~/.config/Quillet/Quillet.ini).
QString UserSettingsFile();

}  // namespace quillet
