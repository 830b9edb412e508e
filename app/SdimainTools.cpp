// The main window's handlers of the circuit tools and the stock: each asks
// the editor or shows its window, then refreshes.

#include "app/Sdimain.h"
#include "stock/StockControlForm.h"
#include "stock/TrackListForm.h"
#include "tools/DimensionsForm.h"
#include "tools/PrintCircuit.h"
#include "tools/Unit14.h"

namespace quillet {

void TSDIAppForm::TracksList1Click() { m_tools.trackList->ShowList(m_editor->TrackListLines()); }

void TSDIAppForm::Stock1Click() {
    // The refresh also brings the Stock Control window up to date.
    if (m_editor->Stock1Click()) FormActualize();
}

void TSDIAppForm::StockControl1Click() {
    m_tools.stockControl->show();
    m_tools.stockControl->raise();
    RefreshStockControl();
}

void TSDIAppForm::RefreshStockControl() {
    if (m_tools.stockControl->isVisible()) m_tools.stockControl->Refresh(m_editor->Circuit(), m_editor->Stock());
}

void TSDIAppForm::Close1Click() {
    m_editor->Close1Click();
    FormActualize();
}

void TSDIAppForm::Convert1Click() {
    m_editor->Convert1Click();
    FormActualize();
}

void TSDIAppForm::CircuitDimensions1Click() { m_tools.dimensions->ShowDimensions(m_editor->Circuit()); }

void TSDIAppForm::ToolButton61Click() { m_tools.lapTimes->ShowTimes(m_editor->Circuit()); }

void TSDIAppForm::ToolButton53Click() {
    TForm10* form = m_tools.print;
    TQtPrinter printer(form->Printer(), [form] { return form->OrientationChosen(); });
    m_editor->ToolButton53Click(printer);
    FormActualize();
}

}  // namespace quillet
