#pragma once
// Small pieces the tool windows share: named controls (the texts find them
// by object name), number fields that take digits only, and the fixed-pitch
// font of the Track List.

#include <QFont>
#include <QObject>
#include <QString>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QWidget;

namespace quillet {

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text = {});
QGroupBox* NamedGroup(QWidget* parent, const char* name);
QPushButton* NamedButton(QWidget* parent, const char* name);

// A field for a whole number: typed characters other than digits and
// backspace are swallowed, and pasted text must be digits too. Keys that
// type nothing (arrows, Tab, Enter) go on as usual.
QLineEdit* DigitsField(QWidget* parent, const QString& name, int digitsShown);

// The numbers of a horizontal slider's positions, each under its tick: a
// strip to lay out right under the slider, as wide as it.
QWidget* SliderScale(QSlider* slider, QWidget* parent);

// Shows a main window maximised. Where maximising is not honoured (no window
// manager, or one that ignores the request) the window still covers the
// screen's available area instead of keeping its small default size.
void ShowMaximizedOnScreen(QWidget* window);

// The font of the Track List and of its printed form: fixed pitch, so that
// the columns line up.
QFont TrackListFont(int pointSize = 10);

// The room a title bar needs for `caption`: its text in the title bar's font
// plus the window icon and the frame's buttons.
int CaptionWidth(const QString& caption);

// Sizes a dialog to what it holds now, smaller as well as larger (the
// choices it shows or the language may have changed since it last opened),
// and never narrower than its caption needs, so the title is not elided.
void FitToContentAndCaption(QWidget* dialog);

// Fits the dialog each time it is shown, after its texts are set.
void FitOnEachOpen(QWidget* dialog);

}  // namespace quillet
