#include "tools/gui/Notes.h"

#include <QHBoxLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "text/gui/ApplyTexts.h"
#include "tools/NotesText.h"

namespace quillet {

namespace {

// One line break for every kind a pasted text or the document may carry.
QString PlainBreaks(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

std::size_t Characters(const QString& text) { return CharacterCount(StdStr(text)); }

}  // namespace

// ---------------------------------------------------------------------------
// Memo1

TNotesMemo::TNotesMemo(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName(QStringLiteral("Memo1"));
    // Tab moves on to OK, as in the other dialogs.
    setTabChangesFocus(true);
}

QString TNotesMemo::NotesText() const {
    // Raw text keeps a non-breaking space as it is.
    return PlainBreaks(document()->toRawText());
}

QString TNotesMemo::Fitting(const QString& text, int alsoReplaced) const {
    const std::string inserted = StdStr(text);
    const std::size_t replaced = Characters(textCursor().selectedText()) + static_cast<std::size_t>(alsoReplaced);
    return QStr(FittingInsertion(Characters(NotesText()), replaced, inserted));
}

void TNotesMemo::keyPressEvent(QKeyEvent* event) {
    // The keys that put text in: Enter (either kind, always a plain line
    // break) and printable characters, as the text control decides.
    const bool lineBreak =
        event->matches(QKeySequence::InsertParagraphSeparator) || event->matches(QKeySequence::InsertLineSeparator);
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool focusKey = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    const bool inserts = lineBreak || (!typed.isEmpty() && (typed.at(0).isPrint() || typed.at(0) == QLatin1Char('\t')));
    if (!inserts || focusKey) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    const QString fit = Fitting(typed);
    if (fit.isEmpty()) {
        // Full: the key is taken and nothing changes.
        event->accept();
        return;
    }
    if (lineBreak || fit.size() < typed.size()) {
        insertPlainText(fit);
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TNotesMemo::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString fit = Fitting(commit, event->replacementLength());
    if (fit.size() == commit.size()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const std::unique_ptr<QInputMethodEvent> shorter(event->clone());
    shorter->setCommitString(fit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(shorter.get());
    event->accept();
}

void TNotesMemo::insertFromMimeData(const QMimeData* source) {
    if (source == nullptr || !source->hasText()) return;
    const QString text = PlainBreaks(source->text()).normalized(QString::NormalizationForm_C);
    const QString fit = Fitting(text);
    // Nothing fits: the selection stays rather than being pasted over.
    if (fit.isEmpty() && !text.isEmpty()) return;
    QMimeData fitted;
    fitted.setText(fit);
    QPlainTextEdit::insertFromMimeData(&fitted);
}

// ---------------------------------------------------------------------------
// The window

TForm11::TForm11(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm11"));
    // A tool window: small caption, kept over the main window, not modal.
    setWindowFlags(Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setModal(false);
    setSizeGripEnabled(true);

    m_memo = new TNotesMemo(this);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("CharacterCount"));
    m_count->setEnabled(false);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(false);
    m_ok->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_count);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_memo, 1);
    layout->addLayout(bottom);
    resize(380, 260);

    connect(m_ok, &QPushButton::clicked, this, &TForm11::Button1Click);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TForm11::Memo1Change);
    ShowCount();
}

namespace {

// Wrapping a run without a blank at word boundaries costs Qt time growing
// with the square of its length; a run longer than a line of any window can
// only come from a damaged file, and is broken anywhere instead.
bool HasEndlessWord(const QString& text) {
    constexpr qsizetype kLongestWord = 2000;
    qsizetype run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWord) return true;
    }
    return false;
}

}  // namespace

void TForm11::ShowNotes(const std::string& notes) {
    const QString text = QStr(notes);
    if (text == m_memo->NotesText()) return;
    m_loading = true;
    m_memo->setWordWrapMode(HasEndlessWord(text) ? QTextOption::WrapAnywhere
                                                 : QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_memo->setPlainText(text);
    m_loading = false;
    ShowCount();
}

void TForm11::Button1Click() { hide(); }

void TForm11::ApplyLanguage() { ApplyWindowTexts(this, "TForm11"); }

void TForm11::Memo1Change() {
    ShowCount();
    if (!m_loading) emit NotesEdited(m_memo->NotesText());
}

void TForm11::ShowCount() {
    // Figures only: the same in both languages.
    m_count->setText(QStringLiteral("%1 / %2").arg(Characters(m_memo->NotesText())).arg(kNotesMaxCharacters));
}

}  // namespace quillet
