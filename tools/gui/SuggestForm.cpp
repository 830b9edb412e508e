#include "tools/gui/SuggestForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "model/Tracks.h"
#include "render/PainterCanvas.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

constexpr int kProgressSteps = 1000;
constexpr int kBarRefreshMs = 40;
constexpr int kColumns = 4;
constexpr int kRows = 3;
// What Any Pieces offers first: room for the club's box and more.
constexpr int kDefaultAnyPieces = 60;
constexpr int kLaneChoices[] = {2, 4, 6, 8};
// Millimetres per pixel beyond which a thumbnail draws outlines only.
constexpr double kPlainDrawingScale = 20.0;
// A picture zoom that leaves every picture under one pixel.
constexpr double kNoPictures = 1e-6;

QString Tx(XText id) { return QStr(Text(id)); }

int RoundedCm(double mm) { return static_cast<int>(std::lround(mm / 10.0)); }

}  // namespace

QImage SuggestionPicture(const TCircuit& circuit, int32_t tableLength, int32_t tableWidth, QSize box, QColor around,
                         const Pictures& pictures) {
    QImage out(box.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    out.fill(around);
    if (tableLength <= 0 || tableWidth <= 0) return out;
    // The whole table in the box: the coarser of the two scales.
    TCircuit paper = circuit;
    paper.scale =
        std::max(static_cast<double>(tableLength) / out.width(), static_cast<double>(tableWidth) / out.height());
    // Grid lines every few pixels would only blur a picture this small.
    paper.gridShown = false;
    // Coarser than this, the lane slots and joints of the fuller details run
    // together: outlines alone read better.
    if (paper.scale > kPlainDrawingScale) paper.detailLevel = 1;
    paper.ReLay(false);
    const QSize table(std::clamp(static_cast<int>(std::lround(tableLength / paper.scale)), 1, out.width()),
                      std::clamp(static_cast<int>(std::lround(tableWidth / paper.scale)), 1, out.height()));
    QImage drawn(table, QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        PainterCanvas canvas(&drawn, pictures);
        // The work area's emblem (and any icon) shrunk to nothing: at this
        // size it would cover the layout the thumbnail is there to show.
        paper.Draw(canvas, CircuitDrawMode::Screen, tableWidth, tableLength, kNoPictures);
    }
    QPainter painter(&out);
    painter.drawImage((out.width() - table.width()) / 2, (out.height() - table.height()) / 2, drawn);
    return out;
}

QString SuggestionCaption(const TSuggestion& suggestion, bool anyPieces) {
    QStringList lines;
    lines << QStr(Format(Text(XText::SuggestCellSize), RoundedCm(suggestion.lengthMm), RoundedCm(suggestion.widthMm)));
    lines << QStr(Format(Text(XText::SuggestCellLane), RoundedCm(suggestion.meanLaneMm)));
    lines << QStr(Format(Text(XText::SuggestCellPieces), suggestion.pieces));
    if (anyPieces) {
        QStringList missing;
        for (const auto& [type, count] : suggestion.missing) {
            if (count <= 0) continue;
            missing << QStr(Format(Text(XText::SuggestMissingItem), count, Text(NameTextEntry(type))));
        }
        // One type a line: a cell is too narrow for two.
        if (missing.isEmpty()) {
            lines << Tx(XText::SuggestNothingMissing);
        } else {
            lines << Tx(XText::SuggestCellMissing) << missing;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

TSuggestForm::TSuggestForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SuggestForm"));
    setModal(true);

    // ---- The questions
    m_tableGroup = NamedGroup(this, "TableGroup");
    m_lengthLabel = NamedLabel(m_tableGroup, "LengthLabel");
    m_widthLabel = NamedLabel(m_tableGroup, "WidthLabel");
    m_length = new QSpinBox(m_tableGroup);
    m_length->setObjectName(QStringLiteral("LengthBox"));
    m_width = new QSpinBox(m_tableGroup);
    m_width->setObjectName(QStringLiteral("WidthBox"));
    for (QSpinBox* box : {m_length, m_width}) {
        box->setRange(1, 100000);
        box->setSingleStep(100);
        box->setAccelerated(true);
    }
    m_systemLabel = NamedLabel(m_tableGroup, "SystemLabel");
    m_system = new QComboBox(m_tableGroup);
    m_system->setObjectName(QStringLiteral("SystemBox"));
    m_system->addItem(QString(), static_cast<int>(Brand::Ninco));
    m_system->addItem(QString(), static_cast<int>(Brand::Scx));
    m_lanesLabel = NamedLabel(m_tableGroup, "LanesLabel");
    m_lanes = new QComboBox(m_tableGroup);
    m_lanes->setObjectName(QStringLiteral("LanesBox"));
    for (const int lanes : kLaneChoices) m_lanes->addItem(QString::number(lanes), lanes);
    auto* tableLayout = new QGridLayout(m_tableGroup);
    tableLayout->addWidget(m_lengthLabel, 0, 0);
    tableLayout->addWidget(m_length, 0, 1);
    tableLayout->addWidget(m_widthLabel, 0, 2);
    tableLayout->addWidget(m_width, 0, 3);
    tableLayout->addWidget(m_systemLabel, 1, 0);
    tableLayout->addWidget(m_system, 1, 1);
    tableLayout->addWidget(m_lanesLabel, 1, 2);
    tableLayout->addWidget(m_lanes, 1, 3);

    m_piecesGroup = NamedGroup(this, "PiecesGroup");
    m_onlyStock = new QRadioButton(m_piecesGroup);
    m_onlyStock->setObjectName(QStringLiteral("OnlyStockButton"));
    m_onlyStock->setChecked(true);
    m_anyPieces = new QRadioButton(m_piecesGroup);
    m_anyPieces->setObjectName(QStringLiteral("AnyPiecesButton"));
    m_anyCount = new QSpinBox(m_piecesGroup);
    m_anyCount->setObjectName(QStringLiteral("AnyPiecesBox"));
    m_anyCount->setRange(1, TCircuit::kMaxTracks);
    m_anyCount->setValue(kDefaultAnyPieces);
    m_anyCount->setEnabled(false);
    m_anyUnit = NamedLabel(m_piecesGroup, "AnyPiecesUnit");
    auto* anyRow = new QHBoxLayout;
    anyRow->addWidget(m_anyPieces);
    anyRow->addWidget(m_anyCount);
    anyRow->addWidget(m_anyUnit);
    anyRow->addStretch(1);
    auto* piecesLayout = new QVBoxLayout(m_piecesGroup);
    piecesLayout->addWidget(m_onlyStock);
    piecesLayout->addLayout(anyRow);
    connect(m_anyPieces, &QRadioButton::toggled, m_anyCount, &QSpinBox::setEnabled);

    // ---- The search
    m_search = NamedButton(this, "SearchButton");
    m_search->setDefault(true);
    m_cancel = NamedButton(this, "CancelButton");
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, kProgressSteps);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_statusLabel = NamedLabel(this, "StatusLabel");
    m_statusLabel->setWordWrap(true);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(m_search);
    searchRow->addWidget(m_bar, 1);
    searchRow->addWidget(m_cancel);

    // ---- The suggestions: a grid of thumbnails, each with its figures.
    m_grid = new QListWidget(this);
    m_grid->setObjectName(QStringLiteral("SuggestionsGrid"));
    m_grid->setViewMode(QListView::IconMode);
    m_grid->setMovement(QListView::Static);
    m_grid->setResizeMode(QListView::Adjust);
    m_grid->setFlow(QListView::LeftToRight);
    m_grid->setWrapping(true);
    m_grid->setWordWrap(true);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grid->setIconSize(kThumbnail);
    m_grid->setUniformItemSizes(true);
    const QSize cell = CellFor(4);
    m_grid->setGridSize(cell);
    m_grid->setMinimumSize(kColumns * cell.width() + 2 * m_grid->frameWidth() + 24,
                           kRows * cell.height() + 2 * m_grid->frameWidth() + 8);

    m_open = NamedButton(this, "OpenButton");
    m_close = NamedButton(this, "CloseButton");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_open);
    buttons->addWidget(m_close);

    auto* questions = new QHBoxLayout;
    questions->addWidget(m_tableGroup);
    questions->addWidget(m_piecesGroup, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(questions);
    layout->addLayout(searchRow);
    layout->addWidget(m_statusLabel);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);

    connect(m_search, &QPushButton::clicked, this, &TSuggestForm::Search);
    connect(m_cancel, &QPushButton::clicked, this, &TSuggestForm::StopSearch);
    connect(m_open, &QPushButton::clicked, this, &TSuggestForm::OpenChosen);
    connect(m_close, &QPushButton::clicked, this, &TSuggestForm::reject);
    connect(m_grid, &QListWidget::itemDoubleClicked, this, [this] { OpenChosen(); });
    connect(m_grid, &QListWidget::itemSelectionChanged, this, &TSuggestForm::ShowState);

    auto* bar = new QTimer(this);
    connect(bar, &QTimer::timeout, this, [this] {
        if (Searching()) m_bar->setValue(std::clamp(m_progress.load(std::memory_order_relaxed), 0, kProgressSteps));
    });
    bar->start(kBarRefreshMs);

    FitOnEachOpen(this);
    ApplyLanguage();
    ShowState();
}

TSuggestForm::~TSuggestForm() {
    m_stop.store(true, std::memory_order_relaxed);
    if (m_worker.joinable()) m_worker.join();
}

void TSuggestForm::ApplyLanguage() {
    setWindowTitle(Tx(XText::SuggestCaption));
    m_tableGroup->setTitle(Tx(XText::SuggestTableGroup));
    m_lengthLabel->setText(Tx(XText::SuggestTableLength));
    m_widthLabel->setText(Tx(XText::SuggestTableWidth));
    m_systemLabel->setText(Tx(XText::SuggestSystem));
    m_system->setItemText(0, Tx(XText::SuggestNinco));
    m_system->setItemText(1, Tx(XText::SuggestScx));
    m_lanesLabel->setText(Tx(XText::SuggestLanes));
    m_piecesGroup->setTitle(Tx(XText::SuggestPiecesGroup));
    m_onlyStock->setText(Tx(XText::SuggestOnlyStock));
    m_anyPieces->setText(Tx(XText::SuggestAnyPieces));
    m_anyUnit->setText(Tx(XText::SuggestAnyPiecesUnit));
    m_search->setText(Tx(XText::SuggestSearch));
    m_cancel->setText(QStr(Text(72)));  // "Cancel"
    m_open->setText(Tx(XText::SuggestOpen));
    m_close->setText(Tx(XText::SuggestClose));
    for (int i = 0; i < m_grid->count() && i < static_cast<int>(m_shown.size()); ++i) {
        m_grid->item(i)->setText(
            SuggestionCaption(m_shown[static_cast<std::size_t>(i)].suggestion, m_shownRequest.anyPieces > 0));
    }
    ShowStatus();
}

void TSuggestForm::Prepare(const SuggestRequest& defaults, const TTrackList& stock) {
    m_stock = stock;
    m_length->setValue(defaults.tableLength);
    m_width->setValue(defaults.tableWidth);
    m_system->setCurrentIndex(defaults.system == Brand::Scx ? 1 : 0);
    const int lanes = m_lanes->findData(defaults.lanes);
    m_lanes->setCurrentIndex(lanes < 0 ? 0 : lanes);
    if (!Searching()) {
        // The list of an earlier opening belonged to that circuit's stock.
        m_shown.clear();
        m_status.reset();
        m_bar->setValue(0);
        Rebuild();
        ShowStatus();
    }
    ShowState();
}

void TSuggestForm::ShowFor(const SuggestRequest& defaults, const TTrackList& stock) {
    Prepare(defaults, stock);
    exec();
}

SuggestRequest TSuggestForm::Request() const {
    SuggestRequest r;
    r.tableLength = m_length->value();
    r.tableWidth = m_width->value();
    r.system = static_cast<Brand>(m_system->currentData().toInt());
    r.lanes = m_lanes->currentData().toInt();
    r.anyPieces = m_anyPieces->isChecked() ? m_anyCount->value() : 0;
    r.count = kDefaultSuggestions;
    return r;
}

void TSuggestForm::Search() {
    if (Searching()) return;
    const SuggestRequest request = Request();
    const int generation = ++m_generation;
    m_shownRequest = request;
    m_shown.clear();
    m_status.reset();
    Rebuild();
    m_stop.store(false);
    m_progress.store(0);
    m_bar->setValue(0);
    SearchFunction search = m_searchFunction ? m_searchFunction : SearchFunction(&SuggestCircuits);
    m_worker = std::thread([this, request, generation, stock = m_stock, search = std::move(search)] {
        SuggestControl control;
        control.progress = [this](double done) {
            m_progress.store(static_cast<int>(done * kProgressSteps), std::memory_order_relaxed);
        };
        control.cancelled = [this] { return m_stop.load(std::memory_order_relaxed); };
        control.found = [this, generation](const TSuggestion& s) {
            QMetaObject::invokeMethod(
                this, [this, s, generation] { Heard(s, generation); }, Qt::QueuedConnection);
        };
        SuggestResult result = search(request, stock, control);
        QMetaObject::invokeMethod(
            this, [this, result = std::move(result), generation]() mutable { Ended(std::move(result), generation); },
            Qt::QueuedConnection);
    });
    ShowStatus();
    ShowState();
}

void TSuggestForm::StopSearch() {
    if (!Searching()) return;
    m_stop.store(true, std::memory_order_relaxed);
    m_cancel->setEnabled(false);
}

void TSuggestForm::reject() {
    if (Searching()) {
        // Within a frame of the search: waiting is not felt.
        m_stop.store(true, std::memory_order_relaxed);
        m_worker.join();
        ++m_generation;  // its last messages are for nobody now
        m_status = SuggestStatus::Cancelled;
        ShowStatus();
        ShowState();
    }
    QDialog::reject();
}

TSuggestForm::Shown TSuggestForm::Make(const TSuggestion& suggestion) const {
    // A shade apart from the table's white, so the table's edges show.
    const QColor around = palette().color(QPalette::Window).darker(112);
    return {suggestion, QPixmap::fromImage(SuggestionPicture(suggestion.circuit, m_shownRequest.tableLength,
                                                             m_shownRequest.tableWidth, kThumbnail, around))};
}

void TSuggestForm::Heard(const TSuggestion& suggestion, int generation) {
    if (generation != m_generation) return;
    // Longest first while the search runs; the final order replaces this.
    const auto at = std::find_if(m_shown.begin(), m_shown.end(),
                                 [&](const Shown& s) { return s.suggestion.meanLaneMm < suggestion.meanLaneMm; });
    const auto index = at - m_shown.begin();
    if (index >= m_shownRequest.count) return;
    m_shown.insert(at, Make(suggestion));
    if (static_cast<int>(m_shown.size()) > m_shownRequest.count) m_shown.pop_back();
    Rebuild();
}

void TSuggestForm::Ended(SuggestResult result, int generation) {
    if (generation != m_generation) return;
    if (m_worker.joinable()) m_worker.join();
    m_status = result.status;
    m_shown.clear();
    for (const TSuggestion& s : result.suggestions) {
        if (static_cast<int>(m_shown.size()) >= m_shownRequest.count) break;
        m_shown.push_back(Make(s));
    }
    m_bar->setValue(result.status == SuggestStatus::Found ? kProgressSteps : m_bar->value());
    Rebuild();
    ShowStatus();
    ShowState();
    emit SearchEnded();
}

QSize TSuggestForm::CellFor(int lines) const {
    return {kThumbnail.width() + 16, kThumbnail.height() + lines * m_grid->fontMetrics().lineSpacing() + 12};
}

void TSuggestForm::Rebuild() {
    const int chosen = m_grid->currentRow();
    m_grid->clear();
    // Every cell as tall as the longest caption: with many pieces missing
    // the grid scrolls rather than cutting a list short.
    int lines = 4;
    for (const Shown& s : m_shown) {
        const QString caption = SuggestionCaption(s.suggestion, m_shownRequest.anyPieces > 0);
        lines = std::max(lines, static_cast<int>(caption.count(QLatin1Char('\n'))) + 1);
        auto* item = new QListWidgetItem(QIcon(s.picture), caption);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        m_grid->addItem(item);
    }
    m_grid->setGridSize(CellFor(lines));
    if (!m_shown.empty() && !Searching()) m_grid->setCurrentRow(std::clamp(chosen, 0, m_grid->count() - 1));
    ShowState();
}

void TSuggestForm::ShowStatus() {
    if (Searching()) {
        m_statusLabel->setText(Tx(XText::SuggestSearching));
        return;
    }
    if (!m_status) {
        m_statusLabel->clear();
        return;
    }
    const int n = static_cast<int>(m_shown.size());
    const QString found = n == 1 ? Tx(XText::SuggestFoundOne) : QStr(Format(Text(XText::SuggestFoundMany), n));
    if (*m_status == SuggestStatus::Found) {
        m_statusLabel->setText(found);
    } else if (n > 0) {
        m_statusLabel->setText(QStr(SuggestStatusText(*m_status, m_shownRequest.lanes)) + QLatin1Char(' ') + found);
    } else {
        m_statusLabel->setText(QStr(SuggestStatusText(*m_status, m_shownRequest.lanes)));
    }
}

void TSuggestForm::ShowState() {
    const bool searching = Searching();
    m_search->setEnabled(!searching);
    m_cancel->setEnabled(searching && !m_stop.load(std::memory_order_relaxed));
    for (QWidget* w : {static_cast<QWidget*>(m_tableGroup), static_cast<QWidget*>(m_piecesGroup)}) {
        w->setEnabled(!searching);
    }
    m_open->setEnabled(!searching && m_grid->currentRow() >= 0 && !m_grid->selectedItems().isEmpty());
}

std::vector<TSuggestion> TSuggestForm::ShownSuggestions() const {
    std::vector<TSuggestion> list;
    list.reserve(m_shown.size());
    for (const Shown& s : m_shown) list.push_back(s.suggestion);
    return list;
}

bool TSuggestForm::OpenChosen() {
    if (Searching() || !m_opener) return false;
    const int row = m_grid->currentRow();
    if (row < 0 || row >= static_cast<int>(m_shown.size())) return false;
    if (!m_opener(m_shown[static_cast<std::size_t>(row)].suggestion.circuit)) return false;
    accept();
    return true;
}

}  // namespace quillet
