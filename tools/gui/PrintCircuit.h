#pragma once
// TForm10, Print: the drawing or the Track List, and the printer chosen with
// the system's printer setup. TQtPrinter is the printer the Print command
// prints on (tools/Printing), through Qt's printing support.

#include <QDialog>
#include <QFont>
#include <QPageLayout>
#include <QPainter>
#include <functional>
#include <memory>
#include <optional>

#include "tools/Printing.h"

class QGroupBox;
class QLabel;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace quillet {

class PainterCanvas;

class TForm10 : public QDialog {
    Q_OBJECT
public:
    explicit TForm10(QWidget* parent = nullptr);
    ~TForm10() override;

    // The printer this dialog sets up, made when first needed: the system's
    // default printer at its highest resolution.
    QPrinter& Printer();

    // Shows the dialog modally; the choice on OK, nothing on Cancel.
    std::optional<PrintChoice> Ask();
    std::optional<PrintChoice> Chosen() const;
    QRadioButton* Item(PrintChoice choice) const { return m_items[static_cast<int>(choice)]; }
    QLabel* PrinterName() const { return m_printerName; }
    void ApplyLanguage();

    // Button3Click: the system's printer setup for Printer().
    void Button3Click();
    // Whether the user turned the page in the printer setup: the drawing
    // then keeps that orientation instead of choosing its own.
    bool OrientationChosen() const { return m_orientationChosen; }
    // After the printer setup, with the orientation the printer had before
    // it and whether it was accepted.
    void SetupDone(QPageLayout::Orientation before, bool accepted);
    // Shows where the printer prints; OK waits for somewhere to print to.
    void ShowPrinterName();

    std::unique_ptr<QPrinter> m_printer;
    QRadioButton* m_items[2];
    QLabel* m_printerName;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    bool m_orientationChosen = false;
};

// Prints on a QPrinter: the page is its printable area (inside the
// printer's margins), the text lines go down the page in the Track List's
// fixed-pitch font and on to the next page when it is full.
class TQtPrinter final : public TPrinterDevice {
public:
    // `keepOrientation`, asked when a drawing is about to print: whether the
    // user chose the page's orientation, which the drawing must not turn.
    explicit TQtPrinter(QPrinter& printer, std::function<bool()> keepOrientation = {});
    ~TQtPrinter() override;

    bool BeginDocument(const std::string& title) override;
    PixelSize PageSize() override;
    Canvas& PageCanvas() override;
    void WriteLine(std::string_view text, bool bold) override;
    bool EndDocument() override;
    bool MayTurnPage() override { return !m_keepOrientation || !m_keepOrientation(); }
    PixelSize PageSizeIf(bool landscape) override;
    void TurnPage(bool landscape) override;

private:
    QPrinter& m_printer;
    std::function<bool()> m_keepOrientation;
    QPainter m_painter;
    std::unique_ptr<PainterCanvas> m_canvas;
    QFont m_font;
    int m_y = 0;
};

}  // namespace quillet
