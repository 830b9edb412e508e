#pragma once
// The editor's questions answered with the real dialogs of the main window,
// and the rest of what the editor needs from the window done for real.

#include <QString>

#include "app/EditorHost.h"
#include "app/Prompter.h"

class QFileDialog;
class QWidget;

namespace quillet {

// Makes, from the window's real dialogs, the prompter the editor asks
// instead (one that answers some questions itself and hands the rest on,
// say); the window keeps it.
using TDialogsWrapper = std::function<std::unique_ptr<TPrompter>(TPrompter& dialogs)>;

class TForm2;
class TForm7;
class TForm9;
class TForm15;
struct TToolWindows;

// The windows the questions are asked in; owned by the main window.
struct TMainDialogs {
    QWidget* parent = nullptr;
    TForm9* saveQuestion = nullptr;
    TForm7* information = nullptr;
    TForm15* yesNo = nullptr;
    TForm2* settings = nullptr;
    QFileDialog* openDialog = nullptr;
    QFileDialog* saveDialog = nullptr;
    QFileDialog* templateDialog = nullptr;
    QFileDialog* exportDialog = nullptr;
    // The circuit tools' and the stock's windows (DialogPrompterTools.cpp).
    const TToolWindows* tools = nullptr;
};

// The file dialogs' filters. Circuits are named *.QLC; the lower-case form is
// taken too, as Linux file names are case-sensitive. Templates are bitmaps
// first, then every other picture format Qt can read, then any file.
QStringList OpenCircuitFilters();
QStringList SaveCircuitFilters();
QStringList TemplateFilters();
// The export dialog's filter for a kind of file, in the current language.
QString ExportFilter(ExportKind kind);

// Sets up the three file dialogs (modes, filters, default extension).
void PrepareFileDialogs(const TMainDialogs& dialogs);

class TDialogPrompter final : public TPrompter {
public:
    explicit TDialogPrompter(const TMainDialogs& dialogs) : m_d(dialogs) {}

    void Information(int textEntry, const std::string& suffix) override;
    SaveAnswer AskSaveChanges() override;
    std::optional<std::string> AskOpenCircuitName() override;
    std::optional<std::string> AskSaveCircuitName(const std::string& suggestedName) override;
    std::optional<std::string> AskTemplateName() override;
    bool AskYesNo(const std::string& question) override;
    void ShowError(const std::string& message) override;
    void ShowLoadError(LoadKind kind, const std::string& path, const std::string& message) override;
    bool EditSettings(TSettingsValues& values) override;

    // ---- Circuit tools and stock (DialogPrompterTools.cpp)
    void ShowMessage(const std::string& text) override;
    bool EditStock(TStockFields& fields) override;
    bool EditCloseOptions(CloseOptions& options, const CloseDialogLimits& limits) override;
    bool AskSearchAnother() override;
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>& choices) override;
    std::optional<PrintChoice> AskPrintChoice() override;

    // ---- File > Export
    std::optional<std::string> AskExportName(ExportKind kind, const std::string& suggestedName) override;

private:
    TMainDialogs m_d;
};

// The main window's side of a command (DialogPrompterTools.cpp): the busy
// cursor, the beep, the closing search in a worker thread under its progress
// window, and the window's refresh.
class TDialogHost final : public TEditorHost {
public:
    explicit TDialogHost(const TToolWindows& tools) : m_tools(tools) {}

    void Busy(bool on) override;
    void Beep() override;
    SearchResult SearchClosing(const ClosingPlan& plan) override;
    void CircuitChanged() override;

private:
    const TToolWindows& m_tools;
};

}  // namespace quillet
