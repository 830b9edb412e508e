#pragma once
// The 16 x 16 pictures of the main window's toolbars and menus and the
// window's own icon, compiled in from app/gui/pictures/toolbar.qrc (see the README
// there for which picture belongs to which control).

#include <QIcon>
#include <QString>
#include <QStringView>

namespace quillet {

// Makes sure the pictures are linked into the program: the resource lives in
// a static library, so something must refer to it. The functions below call
// it; calling it again does no harm.
void InitToolbarPictures();

// ":/toolbar/<name>.png", name without the extension, e.g. "insert-standard-curve".
QString ToolbarPicturePath(QStringView name);

// The toolbar picture of that name; a null icon when there is none.
QIcon ToolbarPicture(QStringView name);

// The main window's icon, at 16 and 48 pixels.
QIcon WindowIcon();

}  // namespace quillet
