// The file commands: New, Open, Save and Save As, Open Template, and the
// question before closing; and the stock file read at start and written at
// the end. Nothing here may lose the user's work: a circuit is replaced only
// once its successor has been read whole, and a save that fails says so and
// leaves the circuit modified.

#include <string>

#include "app/Editor.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int32_t kOpenStartX = 1500;  // where a circuit is created for loading
constexpr int32_t kOpenStartY = 1000;

}  // namespace

// ---------------------------------------------------------------------------
// Stock file

void TEditor::LoadStockFile(const std::string& path) {
    stockFile_.emplace(path);
    const std::string message = stockFile_->Load(stock_);
    if (!message.empty()) prompter_.ShowLoadError(LoadKind::Stock, path, message);
}

bool TEditor::SaveStockFile() {
    if (!stockFile_) return true;
    std::string message;
    if (stockFile_->Save(stock_, &message)) return true;
    prompter_.ShowError(message);
    return false;
}

// ---------------------------------------------------------------------------
// Saving

bool TEditor::SaveTo(const std::string& path) {
    // The file carries the work area the editor shows.
    Circuit().workAreaLength = WorkAreaLength();
    Circuit().workAreaWidth = WorkAreaWidth();
    std::string error;
    if (!document_.SaveAs(path, &error)) {
        prompter_.ShowError(error);
        return false;
    }
    // The state Undo would bring back is no longer what the file holds.
    history_.CurrentSaved();
    NoteRecentFile(path);
    return true;
}

bool TEditor::AskAndSave() {
    const std::optional<std::string> path = prompter_.AskSaveCircuitName(Circuit().title);
    return path && SaveTo(*path);
}

void TEditor::FileSave1Execute() { AskAndSave(); }

// ---------------------------------------------------------------------------
// New

void TEditor::FileNew1Execute() {
    // The number is used up even when the command is then abandoned.
    ++newCounter_;
    const std::string name = Text(kUntitledEntry) + " " + std::to_string(newCounter_);
    if (HasUnsavedWork()) {
        switch (prompter_.AskSaveChanges()) {
            case SaveAnswer::Yes:
                if (!AskAndSave()) return;
                break;
            case SaveAnswer::No:
                break;
            case SaveAnswer::Cancel:
                return;
        }
    }
    template_.Clear();
    FormCreate();
    // The fresh undo state is this circuit too: Undo right after New must
    // not show a circuit with no name.
    Circuit().title = name;
    UndoCircuit().title = name;
    ShowRulersFromCircuit();
    Circuit().notes.clear();
}

// ---------------------------------------------------------------------------
// Open

bool TEditor::ReadyToReplace(bool dialogFollows) {
    if (!HasUnsavedWork()) return true;
    switch (prompter_.AskSaveChanges()) {
        case SaveAnswer::Yes: {
            // With the open dialog to come, declining the save dialog goes on
            // to it, where the user can still stop; without one it stops
            // here. A save that failed always stops.
            const std::optional<std::string> path = prompter_.AskSaveCircuitName(Circuit().title);
            if (!path) return dialogFollows;
            return SaveTo(*path);
        }
        case SaveAnswer::No:
            return true;
        case SaveAnswer::Cancel:
            return false;
    }
    return false;
}

void TEditor::FileOpen1Execute() {
    if (!ReadyToReplace(true)) return;
    const std::optional<std::string> path = prompter_.AskOpenCircuitName();
    if (!path) return;
    OpenCircuit(*path);
}

bool TEditor::OpenCircuit(const std::string& path) {
    TCircuit loaded(kOpenStartX, kOpenStartY);
    TTemplateAction templateAction;
    TReadProblem problem;
    if (!LoadCircuit(path, loaded, &templateAction, &problem)) {
        prompter_.ShowLoadError(LoadKind::Circuit, path, problem.message);
        return false;
    }
    Adopt(std::move(loaded), templateAction, path, false);
    NoteRecentFile(path);
    return true;
}

void TEditor::Adopt(TCircuit&& loaded, const TTemplateAction& templateAction, std::string path, bool modified) {
    document_.Adopt(std::move(loaded), std::move(path), modified);
    TCircuit& c = Circuit();
    SetWorkArea(c.workAreaLength, c.workAreaWidth);
    // The picture of the circuit before must not stay under this one.
    switch (templateAction.kind) {
        case TTemplateAction::Kind::None:
            template_.Clear();
            break;
        case TTemplateAction::Kind::Load:
            if (template_.Load(templateAction.path)) break;
            // A picture that is there but cannot be read is as good as
            // missing: the circuit loads without it.
            c.templatePath.clear();
            c.templateShown = false;
            [[fallthrough]];
        case TTemplateAction::Kind::Missing:
            template_.Clear();
            prompter_.Information(kTextCantFind, templateAction.path);
            break;
    }
    // Undo right after is a no-op that keeps the flag.
    KeepCircuit();
    view_.ScrollToOrigin();
    ShowRulersFromCircuit();
}

// ---------------------------------------------------------------------------
// A suggestion

bool TEditor::OpenSuggestion(const TCircuit& suggestion) {
    // No file dialog follows: declining the save dialog stops here.
    if (!ReadyToReplace(false)) return false;
    // A laid-out circuit no file holds yet: named as New names one.
    ++newCounter_;
    TCircuit laid = suggestion;
    laid.title = Text(kUntitledEntry) + " " + std::to_string(newCounter_);
    laid.notes.clear();
    laid.templatePath.clear();
    laid.templateShown = false;
    // The circuit it replaces is what Undo gives back; Open keeps nothing
    // worth undoing to, but a suggestion is easily tried and dismissed.
    KeepCircuit();
    undoFile_ = document_.FileState();
    // Unsaved work: closing the window must not drop it without asking.
    document_.Adopt(std::move(laid), std::string(), true);
    SetWorkArea(Circuit().workAreaLength, Circuit().workAreaWidth);
    template_.Clear();
    view_.ScrollToOrigin();
    ShowRulersFromCircuit();
    Circuit().ReLay(false);
    return true;
}

// ---------------------------------------------------------------------------
// Template

void TEditor::OpenTemplate1Click() {
    TCircuit& c = Circuit();
    const std::optional<std::string> path = prompter_.AskTemplateName();
    if (!path) return;
    // The name is kept even when the picture cannot be read, so the circuit
    // finds it once it can; the user is told.
    if (!template_.Load(*path)) {
        prompter_.ShowLoadError(LoadKind::Template, *path, Format(Text(XText::CannotReadPicture), *path));
    }
    c.templatePath = *path;
    c.templateShown = true;
    // The template travels in the circuit's file.
    c.modified = true;
}

// ---------------------------------------------------------------------------
// Closing

bool TEditor::FormCloseQuery() {
    if (HasUnsavedWork()) {
        switch (prompter_.AskSaveChanges()) {
            case SaveAnswer::Yes:
                if (!AskAndSave()) return false;
                break;
            case SaveAnswer::No:
                break;
            case SaveAnswer::Cancel:
                return false;
        }
    }
    // The stock is the user's own record: a failure is reported, but it
    // cannot keep the program from ending.
    SaveStockFile();
    return true;
}

}  // namespace quillet
