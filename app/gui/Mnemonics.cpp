#include "app/gui/Mnemonics.h"

#include <QAction>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <vector>

namespace quillet {

namespace {

// Letters any keyboard types with Alt: an accented one may need a dead key.
bool Candidate(QChar c) {
    return (c >= QLatin1Char('a') && c <= QLatin1Char('z')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

struct Parsed {
    QString plain;
    qsizetype mnemonic = -1;  // index into `plain`
};

Parsed Parse(const QString& caption) {
    Parsed p;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && i + 1 < caption.size()) {
            ++i;
            if (caption[i] != QLatin1Char('&') && p.mnemonic < 0) p.mnemonic = p.plain.size();
        }
        p.plain += caption[i];
    }
    return p;
}

QString Compose(const Parsed& p) {
    QString out;
    for (qsizetype i = 0; i < p.plain.size(); ++i) {
        if (i == p.mnemonic) out += QLatin1Char('&');
        out += p.plain[i];
        if (p.plain[i] == QLatin1Char('&')) out += QLatin1Char('&');
    }
    return out;
}

bool WordStart(const QString& s, qsizetype i) { return i == 0 || !s[i - 1].isLetterOrNumber(); }

void AssignTo(const QList<QAction*>& actions) {
    QList<QAction*> items;
    QStringList captions;
    for (QAction* a : actions) {
        if (a->isSeparator() || a->text().isEmpty()) continue;
        items << a;
        captions << a->text();
    }
    const QStringList marked = WithMnemonics(captions);
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (items[i]->text() != marked[i]) items[i]->setText(marked[i]);
    }
}

}  // namespace

QString WithoutMnemonic(const QString& caption) { return Parse(caption).plain; }

QChar MnemonicOf(const QString& caption) {
    const Parsed p = Parse(caption);
    return p.mnemonic < 0 ? QChar() : p.plain[p.mnemonic].toLower();
}

namespace {

// Chooses the letters as a matching of captions to letters: a caption that
// finds none of its letters free may take one from a caption before it that
// can move to another, so a short caption late in a long menu still gets one.
class LetterMatcher {
public:
    explicit LetterMatcher(std::vector<Parsed>& parsed)
        : parsed_(parsed), owner_(26, -1), fixed_(parsed.size(), false) {
        for (std::size_t i = 0; i < parsed.size(); ++i) {
            Parsed& p = parsed[i];
            if (p.mnemonic < 0) continue;
            const QChar c = p.plain[p.mnemonic];
            const int letter = Candidate(c) ? Index(c) : -1;
            if (letter >= 0 && owner_[static_cast<std::size_t>(letter)] >= 0) {
                p.mnemonic = -1;  // taken before: chosen afresh below
                continue;
            }
            if (letter >= 0) owner_[static_cast<std::size_t>(letter)] = static_cast<int>(i);
            fixed_[i] = true;  // a digit or other mark is kept as it is
        }
    }

    // Gives the captions without a letter one: with `anyLetter` false only a
    // word's first letter; captions moved aside keep to such letters unless
    // `moveAnywhere`.
    void Match(bool anyLetter, bool moveAnywhere) {
        for (std::size_t i = 0; i < parsed_.size(); ++i) {
            if (parsed_[i].mnemonic >= 0) continue;
            std::vector<bool> visited(26, false);
            Place(static_cast<int>(i), anyLetter, moveAnywhere, visited);
        }
    }

private:
    static int Index(QChar c) { return c.toLower().unicode() - u'a'; }

    std::vector<qsizetype> Choices(int item, bool anyLetter) const {
        const QString& s = parsed_[static_cast<std::size_t>(item)].plain;
        std::vector<qsizetype> out;
        for (qsizetype i = 0; i < s.size(); ++i) {
            if (Candidate(s[i]) && (anyLetter || WordStart(s, i))) out.push_back(i);
        }
        return out;
    }

    bool Place(int item, bool anyLetter, bool moveAnywhere, std::vector<bool>& visited) {
        const std::vector<qsizetype> choices = Choices(item, anyLetter);
        Parsed& p = parsed_[static_cast<std::size_t>(item)];
        // A free letter first, in the caption's order.
        for (const qsizetype pos : choices) {
            const auto letter = static_cast<std::size_t>(Index(p.plain[pos]));
            if (owner_[letter] == -1) {
                owner_[letter] = item;
                p.mnemonic = pos;
                return true;
            }
        }
        // Else one whose holder can move to another.
        for (const qsizetype pos : choices) {
            const auto letter = static_cast<std::size_t>(Index(p.plain[pos]));
            if (visited[letter]) continue;
            visited[letter] = true;
            const int holder = owner_[letter];
            if (holder < 0 || fixed_[static_cast<std::size_t>(holder)]) continue;
            Parsed& h = parsed_[static_cast<std::size_t>(holder)];
            const qsizetype old = h.mnemonic;
            h.mnemonic = -1;
            owner_[letter] = -2;  // reserved while the holder looks
            if (Place(holder, moveAnywhere, moveAnywhere, visited)) {
                owner_[letter] = item;
                p.mnemonic = pos;
                return true;
            }
            h.mnemonic = old;
            owner_[letter] = holder;
        }
        return false;
    }

    std::vector<Parsed>& parsed_;
    std::vector<int> owner_;  // the caption holding each letter, -1 when free, -2 while being handed on
    std::vector<bool> fixed_;
};

}  // namespace

QStringList WithMnemonics(const QStringList& captions) {
    std::vector<Parsed> parsed;
    for (const QString& c : captions) parsed.push_back(Parse(c));
    LetterMatcher matcher(parsed);
    // As many as can be get a word's first letter; the rest any letter, those
    // moved aside for them keeping to first letters if they can.
    matcher.Match(false, false);
    matcher.Match(true, false);
    matcher.Match(true, true);
    QStringList out;
    for (const Parsed& p : parsed) out << Compose(p);
    return out;
}

void AssignMnemonics(QMenu* menu) {
    if (menu == nullptr) return;
    AssignTo(menu->actions());
    for (QAction* a : menu->actions()) {
        if (QMenu* sub = a->menu()) AssignMnemonics(sub);
    }
}

void AssignMnemonics(QMenuBar* bar) {
    if (bar == nullptr) return;
    AssignTo(bar->actions());
    for (QAction* a : bar->actions()) {
        if (QMenu* sub = a->menu()) AssignMnemonics(sub);
    }
}

}  // namespace quillet
