#pragma once
// TForm8, the Stock Control window: a small tool window of the main
// window that shows, per piece type and track system, how many pieces of
// the stock the circuit leaves free, in dark red when it needs more, black
// when it uses the stock up and green while pieces are left.

#include <QWidget>
#include <array>

#include "stock/StockControl.h"

class QLabel;

namespace quillet {

class TCircuit;
class TTrackList;

class TForm8 : public QWidget {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);

    // Fills every number from the circuit and the stock.
    void Refresh(const TCircuit& circuit, const TTrackList& stock);
    // Label3..Label28: row 1..13, NINCO (odd) and SCX (even).
    QLabel* Figure(int row, bool ninco) const;
    void ApplyLanguage();

private:
    std::array<QLabel*, 2 * kStockControlRows> m_figures{};
    std::array<QLabel*, kStockControlRows> m_pictures{};
};

}  // namespace quillet
