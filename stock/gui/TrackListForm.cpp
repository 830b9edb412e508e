#include "stock/gui/TrackListForm.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

#include "stock/TrackList.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

// Where each count column starts, in characters from the line's start: the
// name, then three counts of kListCountWidth separated by the gap.
constexpr int kGap = static_cast<int>(kListColumnGap.size());
constexpr int kColumnStarts[3] = {
    kListNameWidth,
    kListNameWidth + kListCountWidth + kGap,
    kListNameWidth + 2 * (kListCountWidth + kGap),
};
// Characters the list shows without scrolling: a whole line and a little.
constexpr int kShownCharacters = kColumnStarts[2] + kListCountWidth + 4;
// Least room between two headings, in pixels.
constexpr int kHeadingGap = 8;
constexpr int kShownLines = 16;

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm3"));
    setModal(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("ListBox1"));
    m_list->setFont(TrackListFont());
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    const QFontMetrics fixed(m_list->font());
    const int frame = 2 * m_list->frameWidth() + 8;
    m_list->setMinimumWidth(fixed.horizontalAdvance(QString(kShownCharacters, QLatin1Char('0'))) + frame +
                            m_list->verticalScrollBar()->sizeHint().width());
    m_list->setMinimumHeight(fixed.lineSpacing() * kShownLines + frame);

    // The headings stand in a strip of their own over the list, placed by
    // hand over the columns of the fixed-pitch lines.
    m_headings = new QWidget(this);
    for (int i = 0; i < 4; ++i) {
        m_label[i] = NamedLabel(m_headings, QStringLiteral("Label%1").arg(i + 1).toLatin1().constData());
        QFont bold = m_label[i]->font();
        bold.setBold(true);
        m_label[i]->setFont(bold);
    }
    m_headings->setFixedHeight(m_label[0]->sizeHint().height() + 4);

    m_ok = NamedButton(this, "Button1");
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    layout->addWidget(m_headings);
    layout->addWidget(m_list, 1);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_list->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TForm3::PlaceHeadings);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm3::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm3");
    m_ok->setText(QStr(Text(123)));  // "OK"
    for (QLabel* l : m_label) l->adjustSize();
    PlaceHeadings();
}

void TForm3::PlaceHeadings() {
    const QFontMetrics fixed(m_list->font());
    const int character = fixed.horizontalAdvance(QLatin1Char('0'));
    // The lines start at the list's text margin, less how far it is scrolled.
    const int origin = m_list->mapTo(this, m_list->viewport()->pos()).x() - m_headings->x() +
                       m_list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_list) + 1 -
                       m_list->horizontalScrollBar()->value();
    const int top = (m_headings->height() - m_label[0]->height()) / 2;
    m_label[0]->move(origin, top);
    // Each count heading centred over its column; the headings are wider
    // than the columns, so one that would touch the heading before it moves
    // right as far as needed.
    int free = origin + m_label[0]->width() + kHeadingGap;
    for (int i = 0; i < 3; ++i) {
        QLabel* l = m_label[i + 1];
        const int centre = origin + kColumnStarts[i] * character + kListCountWidth * character / 2;
        const int x = std::max(centre - l->width() / 2, free);
        l->move(x, top);
        free = x + l->width() + kHeadingGap;
    }
}

void TForm3::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceHeadings();
}

void TForm3::SetLines(const std::vector<std::string>& lines) {
    m_list->clear();
    for (const std::string& line : lines) m_list->addItem(QStr(line));
    m_list->setCurrentRow(-1);
    m_ok->setFocus();
}

void TForm3::ShowList(const std::vector<std::string>& lines) {
    SetLines(lines);
    PlaceHeadings();
    exec();
}

}  // namespace quillet
