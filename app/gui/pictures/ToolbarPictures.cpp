#include "app/gui/pictures/ToolbarPictures.h"

#include <QFile>

// Q_INIT_RESOURCE must be used outside any namespace.
static void initToolbarResource() { Q_INIT_RESOURCE(toolbar); }

namespace quillet {

void InitToolbarPictures() {
    static const bool done = [] {
        initToolbarResource();
        return true;
    }();
    (void)done;
}

QString ToolbarPicturePath(QStringView name) {
    return QStringLiteral(":/toolbar/") + name.toString() + QStringLiteral(".png");
}

QIcon ToolbarPicture(QStringView name) {
    InitToolbarPictures();
    const QString path = ToolbarPicturePath(name);
    if (!QFile::exists(path)) return QIcon();
    return QIcon(path);
}

QIcon WindowIcon() {
    InitToolbarPictures();
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/quillet-16.png"), QSize(16, 16));
    icon.addFile(QStringLiteral(":/icons/quillet-48.png"), QSize(48, 48));
    return icon;
}

}  // namespace quillet
