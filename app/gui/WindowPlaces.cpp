#include "app/gui/WindowPlaces.h"

#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <utility>

namespace quillet {

namespace {

QString Key(const QString& window) { return QStringLiteral("Windows/") + window; }

// Saves the window's place whenever it moves while shown.
class PlaceWatcher final : public QObject {
public:
    PlaceWatcher(QWidget* window, TWindowPlaces& places, QString name)
        : QObject(window), m_places(places), m_name(std::move(name)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        if ((event->type() == QEvent::Move || event->type() == QEvent::Hide) && window->isVisible()) {
            m_places.Save(m_name, window->pos());
            // On disk once put away, for the program's other windows.
            if (event->type() == QEvent::Hide) m_places.Flush();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    TWindowPlaces& m_places;
    QString m_name;
};

}  // namespace

TWindowPlaces::TWindowPlaces(const QString& settingsFile) : m_settings(settingsFile, QSettings::IniFormat) {}

std::optional<QPoint> TWindowPlaces::Load(const QString& window) {
    m_settings.sync();
    const QVariant value = m_settings.value(Key(window));
    // Anything but a point (a damaged entry, say) counts as nothing kept.
    if (value.typeId() != QMetaType::QPoint) return std::nullopt;
    return value.toPoint();
}

void TWindowPlaces::Save(const QString& window, QPoint topLeft) { m_settings.setValue(Key(window), topLeft); }

void TWindowPlaces::Flush() { m_settings.sync(); }

void TWindowPlaces::Follow(QWidget* window, const QString& name) {
    window->installEventFilter(new PlaceWatcher(window, *this, name));
}

QPoint ClampedPlace(QPoint topLeft, QSize size, const QRect& available) {
    const int x = std::max(available.left(), std::min(topLeft.x(), available.right() + 1 - size.width()));
    const int y = std::max(available.top(), std::min(topLeft.y(), available.bottom() + 1 - size.height()));
    return {x, y};
}

}  // namespace quillet
