#include "stock/gui/StockControlForm.h"

#include <QGridLayout>
#include <QLabel>

#include "render/PainterCanvas.h"
#include "stock/gui/PiecePictures.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

QLabel* Heading(QWidget* parent, const char* text) {
    auto* l = new QLabel(QLatin1String(text), parent);
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

// A tool window of the main window: above it, never above the dialogs.
TForm8::TForm8(QWidget* parent) : QWidget(parent, Qt::Tool) {
    setObjectName(QStringLiteral("TForm8"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(14);
    grid->setVerticalSpacing(0);
    grid->addWidget(Heading(this, "NINCO"), 0, 1);
    grid->addWidget(Heading(this, "SCX"), 0, 2);
    QFont figureFont = font();
    figureFont.setBold(true);
    for (int row = 0; row < kStockControlRows; ++row) {
        const int type = kStockControlTypes[static_cast<std::size_t>(row)];
        // The chicanes exist in the SCX width only.
        const bool scxOnly = type == kStartingChicane || type == kStraightChicane || type == kCurvedChicane;
        auto* picture = new QLabel(this);
        picture->setPixmap(PiecePicture(type, 0, !scxOnly));
        m_pictures[static_cast<std::size_t>(row)] = picture;
        grid->addWidget(picture, row + 1, 0);
        for (const bool ninco : {true, false}) {
            const int number = 3 + 2 * row + (ninco ? 0 : 1);
            QLabel* figure = NamedLabel(this, QStringLiteral("Label%1").arg(number).toLatin1().constData());
            figure->setFont(figureFont);
            figure->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            figure->setMinimumWidth(figure->fontMetrics().horizontalAdvance(QStringLiteral("-00000")));
            m_figures[static_cast<std::size_t>(2 * row + (ninco ? 0 : 1))] = figure;
            grid->addWidget(figure, row + 1, ninco ? 1 : 2);
        }
    }
    FitOnEachOpen(this);
    ApplyLanguage();
}

QLabel* TForm8::Figure(int row, bool ninco) const {
    return m_figures[static_cast<std::size_t>(2 * (row - 1) + (ninco ? 0 : 1))];
}

void TForm8::ApplyLanguage() {
    setWindowTitle(QStr(Text(XText::StockControlCaption)));
    // Each picture names its piece.
    for (int row = 0; row < kStockControlRows; ++row) {
        const int type = kStockControlTypes[static_cast<std::size_t>(row)];
        m_pictures[static_cast<std::size_t>(row)]->setToolTip(QStr(Text(NameTextEntry(type))));
    }
}

void TForm8::Refresh(const TCircuit& circuit, const TTrackList& stock) {
    const auto rows = StockControlFigures(circuit, stock);
    for (int row = 1; row <= kStockControlRows; ++row) {
        const TStockControlRow& r = rows[static_cast<std::size_t>(row - 1)];
        for (const bool ninco : {true, false}) {
            const TStockFigure& f = ninco ? r.ninco : r.scx;
            QLabel* label = Figure(row, ninco);
            label->setText(QStr(f.text));
            QPalette palette = label->palette();
            palette.setColor(QPalette::WindowText, ToQColor(f.colour));
            label->setPalette(palette);
        }
    }
}

}  // namespace quillet
