#pragma once
// Keyboard mnemonics for the menus (Alt+letter opens a menu, a letter picks
// an item in an open one). The text table holds plain texts; the letters are
// chosen each time the language is applied, so that no two menus of the bar
// and no two items of one menu share one.

#include <QString>
#include <QStringList>

class QMenu;
class QMenuBar;

namespace quillet {

// A caption as it reads without its mnemonic: the marking '&' dropped, "&&"
// back to a single '&'.
QString WithoutMnemonic(const QString& caption);

// The letter a caption's mnemonic marks, lower-cased; a null QChar if none.
QChar MnemonicOf(const QString& caption);

// Gives each caption (Qt form: a literal '&' written "&&") a mnemonic of its
// own. A caption that has one already keeps it while no caption before it took
// that letter; the others get the first letter of one of their words that is
// still free, else any free letter (A to Z), else none.
QStringList WithMnemonics(const QStringList& captions);

// The same for the items of `menu` and, item by item, of its submenus.
void AssignMnemonics(QMenu* menu);
// The menus of `bar`, then the items of each.
void AssignMnemonics(QMenuBar* bar);

}  // namespace quillet
