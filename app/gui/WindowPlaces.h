#pragma once
// Where the user last put a tool window, kept in the user's settings
// (QSettings, an INI file) so that it opens there again next time.

#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QString>
#include <optional>

class QWidget;

namespace quillet {

class TWindowPlaces {
public:
    explicit TWindowPlaces(const QString& settingsFile);
    // The window's remembered top-left corner (of its frame), if any.
    std::optional<QPoint> Load(const QString& window);
    void Save(const QString& window, QPoint topLeft);
    void Flush();
    // Remembers every move of `window` under `name`.
    void Follow(QWidget* window, const QString& name);

private:
    QSettings m_settings;
};

// The top-left corner nearest `topLeft` that keeps a window of `size`
// inside `available`; a window larger than it keeps its top-left corner in.
QPoint ClampedPlace(QPoint topLeft, QSize size, const QRect& available);

}  // namespace quillet
