#pragma once
// The real main window with a prompter that answers nothing and writes every
// message down, for window tests that drive it with the mouse and keyboard.

#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <optional>
#include <string>

#include "app/gui/Sdimain.h"
#include "app/gui/Startup.h"
#include "model/Tracks.h"

namespace quillet::testing {

// The answers of a user who is not there to the circuit tools' and the
// stock's questions (Cancel, No, nothing), and messages and load errors shown
// as errors and information are. A test prompter says the rest; each of
// these questions is told to Unasked first, for tests that list the
// questions they did not expect.
class ToolQuestionsDeclined : public TPrompter {
public:
    void ShowLoadError(LoadKind, const std::string&, const std::string& message) override { ShowError(message); }
    void ShowMessage(const std::string& text) override { Information(-1, text); }
    bool EditStock(TStockFields&) override { return Declined("stock dialog", false); }
    bool EditCloseOptions(CloseOptions&, const CloseDialogLimits&) override { return Declined("close dialog", false); }
    bool AskSearchAnother() override { return Declined("search-another question", false); }
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>&) override {
        return Declined("convert dialog", std::optional<ConversionKind>());
    }
    std::optional<PrintChoice> AskPrintChoice() override {
        return Declined("print dialog", std::optional<PrintChoice>());
    }
    std::optional<std::string> AskExportName(ExportKind, const std::string&) override {
        return Declined("export dialog", std::optional<std::string>());
    }

protected:
    virtual void Unasked(QLatin1String what) = 0;

private:
    template <class T>
    T Declined(const char* what, T answer) {
        Unasked(QLatin1String(what));
        return answer;
    }
};

class Quiet : public ToolQuestionsDeclined {
public:
    QStringList said;
    void Information(int entry, const std::string& suffix) override {
        said << QStringLiteral("information %1").arg(entry) + QString::fromStdString(suffix);
    }
    SaveAnswer AskSaveChanges() override { return SaveAnswer::No; }
    std::optional<std::string> AskOpenCircuitName() override { return std::nullopt; }
    std::optional<std::string> AskSaveCircuitName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> AskTemplateName() override { return std::nullopt; }
    bool AskYesNo(const std::string&) override { return false; }
    void ShowError(const std::string& message) override { said << QString::fromStdString(message); }
    bool EditSettings(TSettingsValues&) override { return false; }

private:
    void Unasked(QLatin1String) override {}
};

// Shown at 1000 x 700; `active` also waits until it has the keyboard.
struct QuietWindow {
    QTemporaryDir folder;
    Quiet prompter;
    std::unique_ptr<TSDIAppForm> w;

    explicit QuietWindow(bool active = false) {
        w = StartProgram({folder.path(), folder.path(), &prompter});
        w->resize(1000, 700);
        w->show();
        if (!active) {
            QVERIFY(QTest::qWaitForWindowExposed(w.get()));
            return;
        }
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
    }
    TCircuit& Circuit() { return w->Editor().Circuit(); }
};

}  // namespace quillet::testing
