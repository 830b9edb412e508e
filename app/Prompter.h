#pragma once
// Everything the editor asks the user or tells them goes through here, so
// every command runs without a person: the main window answers with real
// dialogs, the tests with a script.

#include <optional>
#include <string>

#include "model/Messages.h"
#include "tools/Settings.h"

namespace quillet {

enum class SaveAnswer { Yes, No, Cancel };

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

    // The Settings dialog TForm2, filled with `values`; on OK the values
    // hold what the user chose and the result is true. The dialog itself
    // keeps OK from closing while a field is empty (CheckSettings).
    virtual bool EditSettings(TSettingsValues& values) = 0;
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

}  // namespace quillet
