// The circuit tools and the stock: Track List, Tracks Stock, Close, Convert
// and Print, as far as they need no window.

#include <utility>

#include "app/Editor.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "tools/Closing.h"
#include "tools/LaneConversion.h"
#include "tools/Printing.h"

namespace quillet {

namespace {

// The Close command's requests: the questions go to the prompter, the rest
// to the host.
class TEditorCloseHost final : public TCloseHost {
public:
    TEditorCloseHost(TPrompter& prompter, TEditorHost& host) : prompter_(prompter), host_(host) {}

    void SearchStarts(bool exhaustive) override {
        // The exhaustive searches show their own progress window.
        if (!exhaustive) host_.Busy(true);
        busy_ = !exhaustive;
    }
    void SearchEnds() override {
        if (busy_) host_.Busy(false);
        busy_ = false;
    }
    SearchResult RunExhaustive(const ClosingPlan& plan) override { return host_.SearchClosing(plan); }
    void Redraw() override { host_.CircuitChanged(); }
    void Beep() override { host_.Beep(); }
    bool SearchAnother() override { return prompter_.AskSearchAnother(); }
    void Tell(const std::string& text) override { prompter_.ShowMessage(text); }

private:
    TPrompter& prompter_;
    TEditorHost& host_;
    bool busy_ = false;
};

}  // namespace

std::vector<std::string> TEditor::TrackListLines() const {
    TTrackList required;
    required.CountTracks(Circuit());
    return required.ListLines(stock_);
}

bool TEditor::Stock1Click() {
    TStockFields fields = StockFieldsOf(stock_);
    if (!prompter_.EditStock(fields)) return false;
    // The dialog does not close while a field is wrong; should such fields
    // arrive anyway, nothing is stored rather than part of them.
    if (const auto problem = CheckStockFields(fields)) {
        prompter_.ShowMessage(StockFieldProblemText(*problem));
        return false;
    }
    ApplyStockFields(fields, stock_);
    SaveStockFile();
    return true;
}

void TEditor::Close1Click() {
    TCircuit& c = Circuit();
    const int before = c.Count();
    if (before == 0) return;
    TUndoHistory::TMark mark = history_.KeepMarked(c);
    std::optional<TDocument::TFileState> markFile = std::exchange(undoFile_, std::nullopt);
    if (!c.singleRacing) {
        // Wider circuits have no catalogue curve for the larger radii: those
        // boxes go unchecked, and stay so until the user checks them again.
        const int pairs = c.LanePairs();
        closeOptions_ = ApplyCloseLimits(closeOptions_, pairs);
        CloseOptions chosen = closeOptions_;
        if (!prompter_.EditCloseOptions(chosen, CloseLimits(pairs))) {
            history_.Drop(std::move(mark));
            undoFile_ = std::move(markFile);
            return;
        }
        closeOptions_ = ApplyCloseLimits(chosen, pairs);
    }
    TEditorCloseHost closeHost(prompter_, host_);
    const CloseStatus status = CloseCircuit(c, closeOptions_, stock_, closeHost);
    // Nothing appended (cancelled, refused, nothing nearer): the earlier
    // undo state is still the one worth going back to.
    if (c.Count() == before) {
        history_.Drop(std::move(mark));
        undoFile_ = std::move(markFile);
    }
    // A search that found no closing pieces would otherwise leave the user
    // looking at an unchanged drawing with no idea why. (A cancelled search
    // was the user's own doing; refusals have said their reason already.)
    if (status == CloseStatus::NothingNearer) {
        prompter_.ShowMessage(
            Text(closeOptions_.useStock ? XText::ClosingNothingFoundStock : XText::ClosingNothingFound));
    }
}

void TEditor::Convert1Click() {
    TCircuit& c = Circuit();
    // A single-racing circuit keeps its two lanes: the command takes its
    // loops off instead, as the Single racing button does.
    if (c.singleRacing) {
        ToolButton59Click();
        return;
    }
    const auto kind = prompter_.AskConversion(ConversionChoices(c.LanePairs()));
    if (!kind) return;
    TUndoHistory::TMark mark = history_.KeepMarked(c);
    std::optional<TDocument::TFileState> markFile = std::exchange(undoFile_, std::nullopt);
    const ConversionResult result = ConvertLanes(c, *kind);
    if (!result.converted) {
        history_.Drop(std::move(mark));
        undoFile_ = std::move(markFile);
        if (result.refusal != 0) prompter_.Information(result.refusal);
        return;
    }
    // Every width changed: the circuit no longer matches its file.
    c.modified = true;
}

void TEditor::ToolButton53Click(TPrinterDevice& printer) {
    const auto choice = prompter_.AskPrintChoice();
    if (!choice) return;
    if (*choice == PrintChoice::Drawing) {
        PrintDrawing(printer);
    } else {
        PrintTrackList(printer);
    }
}

bool TEditor::PrintDrawing(TPrinterDevice& printer) {
    if (PrintCircuitDrawing(Circuit(), WorkAreaLength(), WorkAreaWidth(), printer)) return true;
    prompter_.ShowError(Text(XText::PrintFailed));
    return false;
}

bool TEditor::PrintTrackList(TPrinterDevice& printer) {
    if (quillet::PrintTrackList(Circuit(), stock_, printer)) return true;
    prompter_.ShowError(Text(XText::PrintFailed));
    return false;
}

}  // namespace quillet
