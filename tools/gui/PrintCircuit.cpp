#include "tools/gui/PrintCircuit.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <utility>

#include "render/PainterCanvas.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

// The printed list's font size, in points.
constexpr int kListPoints = 10;

}  // namespace

TForm10::TForm10(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm10"));
    setModal(true);

    QGroupBox* choice = NamedGroup(this, "RadioGroup1");
    auto* items = new QVBoxLayout(choice);
    for (QRadioButton*& item : m_items) {
        item = new QRadioButton(choice);
        items->addWidget(item);
    }
    m_items[0]->setChecked(true);

    QGroupBox* printer = NamedGroup(this, "GroupBox1");
    m_printerName = new QLabel(printer);
    m_printerName->setObjectName(QStringLiteral("PrinterName"));
    m_printerName->setMinimumWidth(200);
    m_printerName->setWordWrap(true);
    QPushButton* setup = NamedButton(printer, "Button3");
    auto* printerLayout = new QHBoxLayout(printer);
    printerLayout->addWidget(m_printerName, 1);
    printerLayout->addWidget(setup, 0, Qt::AlignTop);

    m_ok = NamedButton(this, "Button1");
    m_ok->setDefault(true);
    m_cancel = NamedButton(this, "Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(choice);
    layout->addWidget(printer);
    layout->addLayout(buttons);

    connect(setup, &QPushButton::clicked, this, &TForm10::Button3Click);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

TForm10::~TForm10() = default;

QPrinter& TForm10::Printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void TForm10::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm10");
    m_ok->setText(QStr(Text(123)));     // "OK"
    m_cancel->setText(QStr(Text(72)));  // "Cancel"
    if (m_printer) ShowPrinterName();
}

void TForm10::ShowPrinterName() {
    QPrinter& p = Printer();
    // Without a printer Qt prints to a file, which must be named first
    // (Setup... offers it).
    const bool toFile = p.outputFormat() == QPrinter::PdfFormat;
    const bool destination = toFile ? !p.outputFileName().isEmpty() : !p.printerName().isEmpty();
    if (!destination) {
        m_printerName->setText(QStr(Text(XText::NoPrinter)));
    } else if (toFile) {
        m_printerName->setText(
            QStr(Format(Text(XText::PrintToFile), StdStr(QFileInfo(p.outputFileName()).fileName()))));
    } else {
        m_printerName->setText(p.printerName());
    }
    m_ok->setEnabled(destination);
}

void TForm10::Button3Click() {
    const QPageLayout::Orientation before = Printer().pageLayout().orientation();
    QPrintDialog dialog(&Printer(), this);
    SetupDone(before, dialog.exec() == QDialog::Accepted);
}

void TForm10::SetupDone(QPageLayout::Orientation before, bool accepted) {
    // The setup cannot say whether the user touched the orientation, only
    // what it is now: a change counts as a choice, kept from then on.
    if (accepted && Printer().pageLayout().orientation() != before) m_orientationChosen = true;
    ShowPrinterName();
}

std::optional<PrintChoice> TForm10::Chosen() const {
    return m_items[1]->isChecked() ? PrintChoice::TrackList : PrintChoice::Drawing;
}

std::optional<PrintChoice> TForm10::Ask() {
    ShowPrinterName();
    adjustSize();
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Chosen();
}

// ---------------------------------------------------------------------------

TQtPrinter::TQtPrinter(QPrinter& printer, std::function<bool()> keepOrientation)
    : m_printer(printer), m_keepOrientation(std::move(keepOrientation)), m_font(TrackListFont(kListPoints)) {}

TQtPrinter::~TQtPrinter() {
    if (m_painter.isActive()) EndDocument();
}

bool TQtPrinter::BeginDocument(const std::string& title) {
    m_printer.setCopyCount(1);
    m_printer.setDocName(QStr(title));
    m_printer.setFullPage(false);
    if (!m_painter.begin(&m_printer)) return false;
    m_canvas = std::make_unique<PainterCanvas>(m_painter);
    m_y = 0;
    return true;
}

PixelSize TQtPrinter::PageSize() {
    // The painter's origin is the top-left corner of the printable area.
    const QRect page = m_printer.pageLayout().paintRectPixels(m_printer.resolution());
    return {page.width(), page.height()};
}

PixelSize TQtPrinter::PageSizeIf(bool landscape) {
    QPageLayout layout = m_printer.pageLayout();
    layout.setOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
    const QRect page = layout.paintRectPixels(m_printer.resolution());
    return {page.width(), page.height()};
}

void TQtPrinter::TurnPage(bool landscape) {
    m_printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
}

Canvas& TQtPrinter::PageCanvas() { return *m_canvas; }

void TQtPrinter::WriteLine(std::string_view text, bool bold) {
    QFont font = m_font;
    font.setBold(bold);
    m_painter.setFont(font);
    m_painter.setPen(Qt::black);
    const QFontMetrics metrics(font, &m_printer);
    if (m_y > 0 && m_y + metrics.height() > PageSize().height) {
        m_printer.newPage();
        m_y = 0;
    }
    m_painter.drawText(0, m_y + metrics.ascent(), QStr(text));
    m_y += metrics.lineSpacing();
}

bool TQtPrinter::EndDocument() {
    m_canvas.reset();
    const bool ended = m_painter.end();
    return ended && m_printer.printerState() != QPrinter::Error;
}

}  // namespace quillet
