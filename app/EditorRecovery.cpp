// Crash recovery on the editor's side: what goes into the copy, and the
// question at start-up that brings a copy back.

#include <filesystem>
#include <string>

#include "app/Editor.h"
#include "model/FileIO.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"

namespace quillet {

TRecoverySnapshot TEditor::RecoverySnapshot() const {
    // As SaveTo writes it: the file carries the work area the editor shows.
    TCircuit copy = Circuit();
    copy.workAreaLength = WorkAreaLength();
    copy.workAreaWidth = WorkAreaWidth();
    return {CircuitFileBytes(copy, Circuit().title, DecimalSeparator()), CurrentPath(), Circuit().title};
}

void TEditor::RecoveryExpired(TRecovery& recovery) {
    std::string cause;
    if (recovery.Expired(HasUnsavedWork(), RecoverySnapshot(), &cause)) return;
    if (recoveryWarned_) return;
    recoveryWarned_ = true;
    prompter_.ShowError(Format(Text(XText::CannotWriteRecovery), recovery.Folder(), cause));
}

bool TEditor::RestoreRecovery(const TRecoveryCopy& copy) {
    std::string cause;
    const auto bytes = ReadFileBytes(copy.circuitFile, &cause);
    if (!bytes) {
        prompter_.ShowError(Format(Text(XText::CannotOpenFile), copy.circuitFile) + ": " + cause);
        return false;
    }
    TCircuit loaded;
    TReadProblem problem;
    if (!ReadCircuitBytes(*bytes, copy.circuitFile, loaded, &problem)) {
        prompter_.ShowError(problem.message);
        return false;
    }
    // The template is looked for beside the circuit's own file, as Open
    // would, not beside the copy.
    const std::string& original = copy.marker.circuitPath;
    const std::string folder = original.empty() ? std::filesystem::path(copy.circuitFile).parent_path().string()
                                                : std::filesystem::path(original).parent_path().string();
    const TTemplateAction templateAction = ResolveTemplate(loaded, folder);
    // It was never saved: the save question must come before it is dropped.
    Adopt(std::move(loaded), templateAction, original, true);
    return true;
}

bool TEditor::OfferRecovery(TRecovery& recovery) {
    for (const TRecoveryCopy& copy : recovery.Abandoned()) {
        const TRecoveryMarker& m = copy.marker;
        const std::string question = m.circuitPath.empty() ? Format(Text(XText::RecoverUntitled), m.title)
                                                           : Format(Text(XText::RecoverFile), m.title, m.circuitPath);
        if (!prompter_.AskYesNo(question)) {
            TRecovery::Discard(copy);
            continue;
        }
        // A copy that cannot be read is reported and kept; the next one may.
        if (!RestoreRecovery(copy)) continue;
        // This session's own copy takes over before the old one goes, so
        // there is always one on disk.
        std::string error;
        if (recovery.Write(RecoverySnapshot(), &error)) TRecovery::Discard(copy);
        return true;
    }
    return false;
}

}  // namespace quillet
