#include "text/gui/ApplyTexts.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QWidget>

#include "text/TextAssignments.h"

namespace quillet {

namespace {

bool SetCaption(QObject* o, const QString& text) {
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(text);
    } else if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(text);
    } else if (auto* d = qobject_cast<QFileDialog*>(o)) {
        d->setWindowTitle(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text);
    } else if (auto* w = qobject_cast<QWidget*>(o)) {
        // A page of a tab control: the tab carries its caption.
        for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
            if (auto* tabs = qobject_cast<QTabWidget*>(p)) {
                const int i = tabs->indexOf(w);
                if (i < 0) return false;
                tabs->setTabText(i, text);
                return true;
            }
        }
        return false;
    } else {
        return false;
    }
    return true;
}

bool SetItem(QObject* o, int item, const QString& text) {
    if (auto* m = qobject_cast<QMenu*>(o)) {
        int i = 0;
        for (QAction* a : m->actions()) {
            if (a->isSeparator()) continue;
            if (i++ == item) {
                a->setText(text);
                return true;
            }
        }
        return false;
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        if (item < 0 || item >= c->count()) return false;
        c->setItemText(item, text);
        return true;
    }
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        // A radio group: its buttons in the order they were made.
        const QList<QRadioButton*> buttons = g->findChildren<QRadioButton*>();
        if (item < 0 || item >= buttons.size()) return false;
        buttons[item]->setText(text);
        return true;
    }
    return false;
}

}  // namespace

QString CaptionText(std::string_view text) {
    QString s = QStr(text);
    s.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return s;
}

void SetHint(QObject* object, std::string_view hint) {
    const std::size_t bar = hint.find('|');
    QString shortHint = QStr(bar == std::string_view::npos ? hint : hint.substr(0, bar));
    const QString longHint = QStr(bar == std::string_view::npos ? hint : hint.substr(bar + 1));
    shortHint.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (auto* a = qobject_cast<QAction*>(object)) {
        a->setToolTip(shortHint);
        a->setStatusTip(longHint);
    } else if (auto* w = qobject_cast<QWidget*>(object)) {
        w->setToolTip(shortHint);
        w->setStatusTip(longHint);
    }
}

int ApplyWindowTexts(QWidget* window, std::string_view formName, const TextTargetResolver& resolve) {
    int missing = 0;
    for (const TextAssignment& a : TextsOfWindow(formName)) {
        const std::string text = AssignedText(a);
        if (a.object.empty()) {
            window->setWindowTitle(QStr(text));
            continue;
        }
        const QString name = QStr(a.object);
        QObject* target = resolve ? resolve(name) : nullptr;
        if (target == nullptr) target = window->findChild<QObject*>(name);
        if (target == nullptr) {
            ++missing;
            continue;
        }
        bool done = false;
        switch (a.target) {
            case TextTarget::Caption:
                done = SetCaption(target, CaptionText(text));
                break;
            case TextTarget::Hint:
                SetHint(target, text);
                done = true;
                break;
            case TextTarget::Item:
                done = SetItem(target, a.item, CaptionText(text));
                break;
        }
        if (!done) ++missing;
    }
    return missing;
}

}  // namespace quillet
