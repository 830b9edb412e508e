#pragma once
// Applying the text table to a window: walks the window's list in
// text/TextAssignments and sets each control's caption, hint or item in the
// current language. Controls are found by object name.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace quillet {

// UTF-8 from the core to a QString.
inline QString QStr(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string StdStr(const QString& s) { return s.toUtf8().toStdString(); }

// A caption as a Qt widget shows it: an ampersand stays an ampersand.
QString CaptionText(std::string_view text);

// A hint "short|long": the tool tip takes the short part (line breaks
// kept), the status bar the long one; a hint without a bar is both.
void SetHint(QObject* object, std::string_view hint);

// Finds a control the window names differently from its object (the About
// action behind its menu item, for instance); nullptr to search by name.
using TextTargetResolver = std::function<QObject*(const QString& objectName)>;

// Applies the window's list (by form class name, "TForm2") to `window`.
// Returns the number of assignments that found no control, so a test can
// tell a window is missing one.
int ApplyWindowTexts(QWidget* window, std::string_view formName, const TextTargetResolver& resolve = {});

}  // namespace quillet
