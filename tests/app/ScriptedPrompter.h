#pragma once
// A prompter that answers from a script and writes down every question and
// message, so the editor's flows run without a person; and a host that
// writes what the window would do into the same log, in order.

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/EditorHost.h"
#include "app/Prompter.h"
#include "text/Languages.h"

namespace quillet::test {

class ScriptedPrompter : public TPrompter {
public:
    std::deque<SaveAnswer> saveAnswers;
    std::deque<std::optional<std::string>> openNames;
    std::deque<std::optional<std::string>> saveNames;
    std::deque<std::optional<std::string>> templateNames;
    std::deque<bool> yesNoAnswers;
    // Edits the dialog's values; returning false is Cancel.
    std::function<bool(TSettingsValues&)> settings;

    // "save?", "open", "save as <suggested>", "template", "yes/no <q>",
    // "error <message>", "info <entry><suffix>", "settings", in order.
    std::vector<std::string> log;

    SaveAnswer AskSaveChanges() override {
        log.push_back("save?");
        return Next(saveAnswers, SaveAnswer::Cancel, "save question");
    }
    std::optional<std::string> AskOpenCircuitName() override {
        log.push_back("open");
        return Next(openNames, std::optional<std::string>(), "open dialog");
    }
    std::optional<std::string> AskSaveCircuitName(const std::string& suggested) override {
        log.push_back("save as " + suggested);
        return Next(saveNames, std::optional<std::string>(), "save dialog");
    }
    std::optional<std::string> AskTemplateName() override {
        log.push_back("template");
        return Next(templateNames, std::optional<std::string>(), "template dialog");
    }
    bool AskYesNo(const std::string& question) override {
        log.push_back("yes/no " + question);
        return Next(yesNoAnswers, false, "yes/no question");
    }
    void ShowError(const std::string& message) override { log.push_back("error " + message); }
    // Logged as the error line itself, as a window without captions shows it.
    void ShowLoadError(LoadKind, const std::string&, const std::string& message) override { ShowError(message); }
    void Information(int entry, const std::string& suffix) override {
        log.push_back("info " + std::to_string(entry) + suffix);
    }
    bool EditSettings(TSettingsValues& values) override {
        log.push_back("settings");
        if (!settings) {
            ADD_FAILURE() << "the settings dialog was not expected";
            return false;
        }
        return settings(values);
    }

    // ---- Circuit tools and stock. Each question is answered by its hook
    // or queue; an unscripted one fails the test.
    std::function<bool(TStockFields&)> stock;
    std::function<bool(CloseOptions&, const CloseDialogLimits&)> closeOptions;
    std::deque<bool> searchAnotherAnswers;
    std::function<void()> beforeSearchAnother;  // looks at the circuit first
    std::deque<std::optional<ConversionKind>> conversions;
    std::vector<ConversionKind> offeredChoices;
    std::deque<std::optional<PrintChoice>> printChoices;
    std::deque<std::optional<std::string>> exportNames;

    void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
    bool EditStock(TStockFields& fields) override {
        log.push_back("stock");
        if (!stock) {
            ADD_FAILURE() << "the stock dialog was not expected";
            return false;
        }
        return stock(fields);
    }
    bool EditCloseOptions(CloseOptions& options, const CloseDialogLimits& limits) override {
        log.push_back("close options");
        if (!closeOptions) {
            ADD_FAILURE() << "the close dialog was not expected";
            return false;
        }
        return closeOptions(options, limits);
    }
    bool AskSearchAnother() override {
        log.push_back("another?");
        if (beforeSearchAnother) beforeSearchAnother();
        return Next(searchAnotherAnswers, false, "search-another question");
    }
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>& choices) override {
        log.push_back("convert");
        offeredChoices = choices;
        return Next(conversions, std::optional<ConversionKind>(), "convert dialog");
    }
    std::optional<PrintChoice> AskPrintChoice() override {
        log.push_back("print?");
        return Next(printChoices, std::optional<PrintChoice>(), "print dialog");
    }
    std::optional<std::string> AskExportName(ExportKind, const std::string& suggested) override {
        log.push_back("export as " + suggested);
        return Next(exportNames, std::optional<std::string>(), "export dialog");
    }

    // True when some logged line starts with `prefix`.
    bool Logged(const std::string& prefix) const {
        for (const std::string& line : log) {
            if (line.rfind(prefix, 0) == 0) return true;
        }
        return false;
    }

private:
    template <class T>
    static T Next(std::deque<T>& queue, T fallback, const char* what) {
        if (queue.empty()) {
            ADD_FAILURE() << "unexpected " << what;
            return fallback;
        }
        T value = queue.front();
        queue.pop_front();
        return value;
    }
};

// "busy", "idle", "beep", "search", "redraw", into the prompter's log.
class ScriptedHost : public TEditorHost {
public:
    explicit ScriptedHost(std::vector<std::string>& log) : log_(log) {}

    // Runs the exhaustive search; unset, it runs here and now, to its end.
    std::function<SearchResult(const ClosingPlan&)> search;
    std::function<void()> onRedraw;  // looks at the circuit at every redraw

    void Busy(bool on) override { log_.push_back(on ? "busy" : "idle"); }
    void Beep() override { log_.push_back("beep"); }
    SearchResult SearchClosing(const ClosingPlan& plan) override {
        log_.push_back("search");
        return search ? search(plan) : RunExhaustiveClosing(plan);
    }
    void CircuitChanged() override {
        log_.push_back("redraw");
        if (onRedraw) onRedraw();
    }

private:
    std::vector<std::string>& log_;
};

class FakeTemplate : public TTemplatePicture {
public:
    bool loadSucceeds = true;
    std::vector<std::string> loads;
    int clears = 0;
    bool Load(const std::string& path) override {
        loads.push_back(path);
        return loadSucceeds;
    }
    void Clear() override { ++clears; }
};

// An editor with a scripted prompter, in a chosen language; the language is
// put back to Spanish afterwards, as every test expects at its start.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguageIndex(kEnglish); }
    void TearDown() override { SetLanguageIndex(kSpanish); }

    ScriptedPrompter prompter;
    ScriptedHost host{prompter.log};
    FakeTemplate picture;
    TEditor editor{prompter, host, picture};
};

// Appends pieces of one type at the end of the chain and re-lays it.
inline void AppendPieces(TCircuit& c, int type, int n, int brandFlag = 1) {
    for (int i = 0; i < n; ++i) c.Append(type, 1, brandFlag);
    c.ReLay(false);
}

}  // namespace quillet::test
