// File > Export and the recent files. An export never touches the circuit:
// it asks for a name, makes the whole file in memory and writes it
// atomically, so a failure leaves no half-written file behind.

#include <string>

#include "app/Editor.h"
#include "model/FileIO.h"
#include "stock/TrackListCsv.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"
#include "text/Languages.h"

namespace quillet {

std::string_view ExportExtension(ExportKind kind) {
    switch (kind) {
        case ExportKind::Png:
            return ".png";
        case ExportKind::Svg:
            return ".svg";
        case ExportKind::Pdf:
            return ".pdf";
        case ExportKind::Csv:
            return ".csv";
    }
    return {};
}

std::string TEditor::ExportSuggestion(ExportKind kind) const {
    return Circuit().title + std::string(ExportExtension(kind));
}

bool TEditor::WriteExport(const std::string& path, std::string_view bytes) {
    std::string cause;
    if (WriteFileAtomically(path, bytes, &cause)) return true;
    prompter_.ShowError(Format(Text(XText::CannotWriteFile), path) + ": " + cause);
    return false;
}

bool TEditor::ExportClick(ExportKind kind, TPictureMaker& pictures) {
    const std::optional<std::string> path = prompter_.AskExportName(kind, ExportSuggestion(kind));
    if (!path) return false;
    if (kind == ExportKind::Csv) {
        TTrackList required;
        required.CountTracks(Circuit());
        return WriteExport(*path, TrackListCsv(required.Rows(stock_), DecimalSeparator()));
    }
    std::string bytes;
    if (!pictures.MakePicture(kind, bytes)) {
        prompter_.ShowError(Format(Text(XText::CannotDrawPicture), *path));
        return false;
    }
    return WriteExport(*path, bytes);
}

// ---------------------------------------------------------------------------
// Recent files

void TEditor::NoteRecentFile(const std::string& path) {
    // Read afresh: another window may have added to the list meanwhile.
    TRecentFiles list(recentStore_->Load());
    list.Add(path);
    recentStore_->Save(list.Paths());
}

void TEditor::ClearRecentFiles() { recentStore_->Save({}); }

void TEditor::OpenRecentClick(const std::string& path) {
    if (!ReadyToReplace(false)) return;
    OpenCircuit(path);
}

}  // namespace quillet
