// The main window's handlers of the circuit tools and the stock: each asks
// the editor or shows its window, then refreshes.

#include "app/gui/Sdimain.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <optional>

#include "app/gui/DrawingSurface.h"
#include "app/gui/WindowPlaces.h"
#include "stock/gui/StockControlForm.h"
#include "stock/gui/TrackListForm.h"
#include "tools/gui/DimensionsForm.h"
#include "tools/gui/PrintCircuit.h"
#include "tools/gui/SuggestForm.h"
#include "tools/gui/Unit14.h"

namespace quillet {

void TSDIAppForm::TracksList1Click() { m_tools.trackList->ShowList(m_editor->TrackListLines()); }

void TSDIAppForm::Stock1Click() {
    // The refresh also brings the Stock Control window up to date.
    if (m_editor->Stock1Click()) FormActualize();
}

void TSDIAppForm::UseWindowPlaces(const QString& settingsFile) {
    m_places = std::make_unique<TWindowPlaces>(settingsFile);
    m_places->Follow(m_tools.stockControl, QStringLiteral("StockControl"));
}

void TSDIAppForm::PlaceStockControl() {
    TForm8* form = m_tools.stockControl;
    constexpr int kMargin = 8;
    const std::optional<QPoint> kept = m_places ? m_places->Load(QStringLiteral("StockControl")) : std::nullopt;
    QPoint place;
    if (kept) {
        place = *kept;
    } else {
        // The top-right corner of what shows of the drawing, inside its
        // scroll bars.
        const QWidget* view = m_surface->viewport();
        place = view->mapToGlobal(QPoint(view->width() - form->width() - kMargin, kMargin));
    }
    QScreen* screen = QGuiApplication::screenAt(place);
    if (screen == nullptr) screen = this->screen();
    form->move(ClampedPlace(place, form->frameGeometry().size(), screen->availableGeometry()));
}

void TSDIAppForm::StockControl1Click() {
    m_tools.stockControl->show();
    RefreshStockControl();
    // Placed once shown and filled in, at its final size (before the
    // window system has mapped it).
    if (!m_stockControlPlaced) {
        PlaceStockControl();
        m_stockControlPlaced = true;
    }
    m_tools.stockControl->raise();
}

void TSDIAppForm::RefreshStockControl() {
    if (m_tools.stockControl->isVisible()) m_tools.stockControl->Refresh(m_editor->Circuit(), m_editor->Stock());
}

void TSDIAppForm::CircuitDimensions1Click() { m_tools.dimensions->ShowDimensions(m_editor->Circuit()); }

void TSDIAppForm::ToolButton61Click() { m_tools.lapTimes->ShowTimes(m_editor->Circuit()); }

void TSDIAppForm::ToolButton53Click() {
    TForm10* form = m_tools.print;
    TQtPrinter printer(form->Printer(), [form] { return form->OrientationChosen(); });
    m_editor->ToolButton53Click(printer);
    FormActualize();
}

void TSDIAppForm::SuggestCircuits1Click() {
    // The table is the work area, the system and lanes those of the circuit
    // being edited: the likeliest answers.
    const TCircuit& c = m_editor->Circuit();
    SuggestRequest defaults;
    defaults.tableLength = m_editor->WorkAreaLength();
    defaults.tableWidth = m_editor->WorkAreaWidth();
    defaults.system = BrandOfFlag(c.startBrand);
    defaults.lanes = 2 * std::clamp<int>(c.lanePairs, 1, 4);
    m_tools.suggest->SetOpener([this](const TCircuit& suggestion) {
        const bool opened = m_editor->OpenSuggestion(suggestion);
        FormActualize();
        return opened;
    });
    m_tools.suggest->ShowFor(defaults, m_editor->Stock());
}

}  // namespace quillet
