// The circuit tools' and the stock dialogs' questions answered with the
// real windows (app/ToolWindows); without them, as nobody would answer. And
// the window's side of those commands: cursor, beep, progress, refresh.

#include <QApplication>
#include <QCursor>

#include "app/gui/DialogPrompter.h"
#include "app/gui/ToolWindows.h"
#include "app/gui/Unit15.h"
#include "stock/gui/StockForm.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "tools/gui/Ampliate.h"
#include "tools/gui/CloseCircuit.h"
#include "tools/gui/CloseProgress.h"
#include "tools/gui/PrintCircuit.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

constexpr int kTextRandomSearch = 205;   // "Random Search"
constexpr int kTextSearchAnother = 206;  // "Do you wish to search another solution?"

}  // namespace

void TDialogPrompter::ShowMessage(const std::string& text) { m_d.information->ShowMessage(QStr(text)); }

bool TDialogPrompter::EditStock(TStockFields& fields) { return m_d.tools != nullptr && m_d.tools->stock->Edit(fields); }

bool TDialogPrompter::EditCloseOptions(CloseOptions& options, const CloseDialogLimits& limits) {
    return m_d.tools != nullptr && m_d.tools->closeOptions->Edit(options, limits);
}

bool TDialogPrompter::AskSearchAnother() {
    return m_d.yesNo->Ask(QStr(Text(kTextSearchAnother)), QStr(Text(kTextRandomSearch)));
}

std::optional<ConversionKind> TDialogPrompter::AskConversion(const std::vector<ConversionKind>& choices) {
    if (m_d.tools == nullptr) return std::nullopt;
    return m_d.tools->convert->Ask(choices);
}

std::optional<PrintChoice> TDialogPrompter::AskPrintChoice() {
    if (m_d.tools == nullptr) return std::nullopt;
    return m_d.tools->print->Ask();
}

void TDialogHost::Busy(bool on) {
    if (on) {
        QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        QApplication::restoreOverrideCursor();
    }
}

void TDialogHost::Beep() { QApplication::beep(); }

SearchResult TDialogHost::SearchClosing(const ClosingPlan& plan) {
    return m_tools.closeProgress->Run(
        [&plan](const SearchControl& control) { return RunExhaustiveClosing(plan, control); });
}

void TDialogHost::CircuitChanged() {
    if (m_tools.refresh) m_tools.refresh();
}

}  // namespace quillet
