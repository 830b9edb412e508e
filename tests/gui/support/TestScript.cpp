#include "tests/gui/support/TestScript.h"

#include <QFile>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "app/gui/Sdimain.h"
#include "text/gui/ApplyTexts.h"

namespace quillet {

namespace {

void Complain(const QString& text) { std::fprintf(stderr, "%s\n", qUtf8Printable(text)); }

void RunFrom(QPointer<TSDIAppForm> window, QStringList commands, qsizetype next) {
    if (window.isNull() || next >= commands.size()) return;
    QTimer::singleShot(0, window, [window, commands, next] {
        if (window.isNull()) return;
        if (!window->RunCommand(commands[next])) Complain(QStringLiteral("test script: no command ") + commands[next]);
        RunFrom(window, commands, next + 1);
    });
}

}  // namespace

std::optional<TTestScript> ReadTestScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Complain(QStringLiteral("test script: cannot read ") + path);
        return std::nullopt;
    }
    TTestScript script;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        const QString word = blank < 0 ? line : line.left(blank);
        const QString rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
        if (word == QLatin1String("yes") || word == QLatin1String("no")) {
            script.answers.yesNo.push_back(word == QLatin1String("yes"));
        } else if (word == QLatin1String("save") && !rest.isEmpty()) {
            script.answers.saveNames.push_back(StdStr(rest));
        } else if (word == QLatin1String("export") && !rest.isEmpty()) {
            script.answers.exportNames.push_back(StdStr(rest));
        } else if (word == QLatin1String("do") && !rest.isEmpty()) {
            script.commands << rest;
        } else {
            Complain(QStringLiteral("test script: cannot understand \"") + line + QLatin1Char('"'));
            return std::nullopt;
        }
    }
    return script;
}

namespace {

template <class T>
std::optional<T> Take(std::deque<T>& answers) {
    if (answers.empty()) return std::nullopt;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

}  // namespace

std::optional<std::string> TScriptedPrompter::AskSaveCircuitName(const std::string& suggestedName) {
    if (auto name = Take(m_answers.saveNames)) return name;
    return TForwardingPrompter::AskSaveCircuitName(suggestedName);
}

bool TScriptedPrompter::AskYesNo(const std::string& question) {
    if (const auto yes = Take(m_answers.yesNo)) return *yes;
    return TForwardingPrompter::AskYesNo(question);
}

std::optional<std::string> TScriptedPrompter::AskExportName(ExportKind kind, const std::string& suggestedName) {
    if (auto name = Take(m_answers.exportNames)) return name;
    return TForwardingPrompter::AskExportName(kind, suggestedName);
}

void RunTestCommands(TSDIAppForm* window, const QStringList& commands) { RunFrom(window, commands, 0); }

}  // namespace quillet
