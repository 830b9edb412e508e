#pragma once
// Everything the editor asks the user or tells them goes through here, so
// every command runs without a person: the main window answers with real
// dialogs, the tests with a script. Every question must be answered by each
// prompter: none has a default that would quietly disable a command. What
// the editor needs that is not a question is in app/EditorHost.h.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/LoadErrors.h"
#include "model/Messages.h"
#include "tools/Settings.h"
// The circuit tools' and the stock's questions.
#include "stock/StockFields.h"
#include "tools/Closing.h"
#include "tools/LaneConversion.h"
#include "tools/Printing.h"

namespace quillet {

enum class SaveAnswer { Yes, No, Cancel };

// What File > Export writes: the drawing as a PNG picture or an SVG drawing
// of the work area, the printed page as a PDF document, or the bill of
// materials as a CSV table.
enum class ExportKind : uint8_t { Png, Svg, Pdf, Csv };

class TPrompter : public TInformer {
public:
    // Information(entry, suffix), inherited: the "Information" window TForm7
    // with text `entry` followed by `suffix`, and an OK button.

    // TForm9: "Do you wish to save changes?" with Yes, No and Cancel.
    virtual SaveAnswer AskSaveChanges() = 0;

    // The open dialog for circuits ("Quillet Circuit (*.QLC)"); nothing when
    // the user cancels.
    virtual std::optional<std::string> AskOpenCircuitName() = 0;

    // The save dialog for circuits ("Quillet Circuits File (*.QLC)", default
    // extension QLC, asks before overwriting), showing `suggestedName`.
    virtual std::optional<std::string> AskSaveCircuitName(const std::string& suggestedName) = 0;

    // The template open dialog (title text 190, bitmaps and other pictures).
    virtual std::optional<std::string> AskTemplateName() = 0;

    // TForm15: a question with Yes and No; true for Yes.
    virtual bool AskYesNo(const std::string& question) = 0;

    // A failure the user must know about: a file that could not be read or
    // written, with the reason.
    virtual void ShowError(const std::string& message) = 0;

    // A file of that kind that could not be loaded: `message` is the one-line
    // text the reader gave about `path`. The window words it on lines of its
    // own under a caption naming what failed; others show the line as it is.
    virtual void ShowLoadError(LoadKind kind, const std::string& path, const std::string& message) = 0;

    // The Settings dialog TForm2, filled with `values`; on OK the values
    // hold what the user chose and the result is true. The dialog itself
    // keeps OK from closing while a field is empty (CheckSettings).
    virtual bool EditSettings(TSettingsValues& values) = 0;

    // ---- The circuit tools and the stock dialogs.

    // A message already put together in the current language, in the
    // "Information" window.
    virtual void ShowMessage(const std::string& text) = 0;

    // TForm1, the Tracks Stock dialog, filled with `fields`; on OK the
    // fields hold what the user typed and the result is true. The dialog
    // itself keeps OK from closing while a field is not a count
    // (CheckStockFields).
    virtual bool EditStock(TStockFields& fields) = 0;

    // TForm5, the Close Circuit options: the boxes `limits` disables are
    // shown unchecked and greyed. On OK `options` holds the choice.
    virtual bool EditCloseOptions(CloseOptions& options, const CloseDialogLimits& limits) = 0;

    // TForm15 under "Random Search": "Do you wish to search another
    // solution?"; true for Yes.
    virtual bool AskSearchAnother() = 0;

    // TForm12, the Convert dialog with the choices in order, the first
    // preselected; nothing when cancelled.
    virtual std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>& choices) = 0;

    // TForm10, the Print dialog (its Setup button chooses the printer);
    // nothing when cancelled.
    virtual std::optional<PrintChoice> AskPrintChoice() = 0;

    // The save dialog of File > Export for that kind of file (its filter,
    // its extension added to a name without one, asks before overwriting),
    // showing `suggestedName`; nothing when cancelled.
    virtual std::optional<std::string> AskExportName(ExportKind kind, const std::string& suggestedName) = 0;
};

// The template picture drawn under the circuit. The editor decides when it is
// loaded or dropped; the window holds the pixels.
class TTemplatePicture {
public:
    virtual ~TTemplatePicture() = default;
    // Loads the picture file; on failure the picture keeps what it held.
    virtual bool Load(const std::string& path) = 0;
    virtual void Clear() = 0;
};

// For an editor that only draws (the command-line tool, benchmarks): every
// question is declined and every message dropped.
class TSilentPrompter final : public TPrompter {
public:
    void Information(int, const std::string&) override {}
    SaveAnswer AskSaveChanges() override { return SaveAnswer::Cancel; }
    std::optional<std::string> AskOpenCircuitName() override { return std::nullopt; }
    std::optional<std::string> AskSaveCircuitName(const std::string&) override { return std::nullopt; }
    std::optional<std::string> AskTemplateName() override { return std::nullopt; }
    bool AskYesNo(const std::string&) override { return false; }
    void ShowError(const std::string&) override {}
    void ShowLoadError(LoadKind, const std::string&, const std::string&) override {}
    bool EditSettings(TSettingsValues&) override { return false; }
    void ShowMessage(const std::string&) override {}
    bool EditStock(TStockFields&) override { return false; }
    bool EditCloseOptions(CloseOptions&, const CloseDialogLimits&) override { return false; }
    bool AskSearchAnother() override { return false; }
    std::optional<ConversionKind> AskConversion(const std::vector<ConversionKind>&) override { return std::nullopt; }
    std::optional<PrintChoice> AskPrintChoice() override { return std::nullopt; }
    std::optional<std::string> AskExportName(ExportKind, const std::string&) override { return std::nullopt; }
};

// A template picture that never loads.
class TNoTemplate final : public TTemplatePicture {
public:
    bool Load(const std::string&) override { return false; }
    void Clear() override {}
};

}  // namespace quillet
