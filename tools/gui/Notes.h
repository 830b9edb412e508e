#pragma once
// TForm11, the Notes window: a tool window over the main window with the
// circuit's notes in Memo1 and an OK button that hides it. It is not modal,
// so the circuit can be edited while it is open. The notes themselves live
// in the circuit (TEditor::Notes); the window shows them and reports every
// change the user makes (NotesEdited), and the main window keeps the two in
// step after every command (ShowNotes).

#include <QDialog>
#include <QPlainTextEdit>
#include <string>

class QLabel;
class QPushButton;

namespace quillet {

// Memo1: plain text whose typing, pasting, dropping and input-method
// commits stop at 512 characters (tools/NotesText). What does not fit is
// left out, from the end of what was typed or pasted. Line breaks are plain
// "\n" whatever was pasted, and pasted text is composed (NFC), so an accent
// is one character, as the file's code page needs it.
class TNotesMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TNotesMemo(QWidget* parent = nullptr);
    // The text as the circuit's notes hold it: lines separated by "\n".
    QString NotesText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // What of `text` fits in place of the selection and `alsoReplaced`
    // further characters.
    QString Fitting(const QString& text, int alsoReplaced = 0) const;
};

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget* parent = nullptr);

    TNotesMemo* Memo1() const { return m_memo; }
    QPushButton* Button1() const { return m_ok; }
    // Shows `notes` in the memo unless it already holds them, so the caret
    // and the memo's own undo stay as they are while the user types.
    void ShowNotes(const std::string& notes);
    // OK: hides the window; the text stays.
    void Button1Click();
    void ApplyLanguage();

signals:
    // The user changed the text (typed, pasted, deleted, undid).
    void NotesEdited(const QString& text);

private:
    void Memo1Change();
    void ShowCount();

    TNotesMemo* m_memo;
    QLabel* m_count;
    QPushButton* m_ok;
    bool m_loading = false;
};

}  // namespace quillet
