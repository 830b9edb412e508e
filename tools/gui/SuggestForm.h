#pragma once
// Suggest Circuits: asks for the table, the track system, the lanes and
// which pieces may be used, runs tools/Suggest in a worker thread while the
// window stays live (progress bar, Cancel), shows the suggestions as drawn
// thumbnails as they come and the ranked list at the end, and hands the one
// chosen to the main window, which opens it in the editor.

#include <QDialog>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <atomic>
#include <functional>
#include <optional>
#include <thread>
#include <vector>

#include "render/Pictures.h"
#include "stock/TrackList.h"
#include "tools/Suggest.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quillet {

// The table with the circuit drawn on it as the editor draws it (the painter
// canvas, screen mode), scaled so the whole table fits `box` and centred in
// it; the rest of `box` is `around`.
QImage SuggestionPicture(const TCircuit& circuit, int32_t tableLength, int32_t tableWidth, QSize box, QColor around,
                         const Pictures& pictures = Pictures::builtIn());

// The lines under a thumbnail: size, mean lane, pieces and, when any pieces
// were allowed, what the stock lacks, in the current language.
QString SuggestionCaption(const TSuggestion& suggestion, bool anyPieces);

class TSuggestForm : public QDialog {
    Q_OBJECT
public:
    explicit TSuggestForm(QWidget* parent = nullptr);
    // A search still running is stopped and waited for.
    ~TSuggestForm() override;

    // What Open does with the chosen circuit; true when it replaced the
    // editor's circuit (the user may still stop it at the save question).
    using Opener = std::function<bool(const TCircuit&)>;
    void SetOpener(Opener opener) { m_opener = std::move(opener); }
    // The search the worker runs; SuggestCircuits unless a test watches it.
    using SearchFunction =
        std::function<SuggestResult(const SuggestRequest&, const TTrackList&, const SuggestControl&)>;
    void SetSearchFunction(SearchFunction search) { m_searchFunction = std::move(search); }

    // Fills the questions from `defaults` (table, system, lanes; the pieces
    // choice is kept from the last time) and takes a copy of the stock.
    void Prepare(const SuggestRequest& defaults, const TTrackList& stock);
    // Prepare, then the window modally.
    void ShowFor(const SuggestRequest& defaults, const TTrackList& stock);

    // The request the controls make.
    SuggestRequest Request() const;
    // Starts the search; nothing while one runs.
    void Search();
    // Stops the running search; what it found so far stays.
    void StopSearch();
    bool Searching() const { return m_worker.joinable(); }
    // How the last search ended; nothing before the first one ends.
    std::optional<SuggestStatus> LastStatus() const { return m_status; }
    // The suggestions in the grid, in its order.
    std::vector<TSuggestion> ShownSuggestions() const;
    // Opens the selected suggestion; the window closes when it was opened.
    bool OpenChosen();

    QSpinBox* LengthBox() const { return m_length; }
    QSpinBox* WidthBox() const { return m_width; }
    QComboBox* SystemBox() const { return m_system; }
    QComboBox* LanesBox() const { return m_lanes; }
    QRadioButton* OnlyStockButton() const { return m_onlyStock; }
    QRadioButton* AnyPiecesButton() const { return m_anyPieces; }
    QSpinBox* AnyPiecesBox() const { return m_anyCount; }
    QListWidget* Grid() const { return m_grid; }
    QProgressBar* Bar() const { return m_bar; }
    QLabel* StatusLabel() const { return m_statusLabel; }
    QPushButton* SearchButton() const { return m_search; }
    QPushButton* CancelButton() const { return m_cancel; }
    QPushButton* OpenButton() const { return m_open; }

    void ApplyLanguage();

    // Escape and the close box stop a search before the window goes.
    void reject() override;

    static constexpr QSize kThumbnail{180, 100};

signals:
    // A search ended (finished, cancelled or refused).
    void SearchEnded();

private:
    struct Shown {
        TSuggestion suggestion;
        QPixmap picture;
    };
    // A suggestion heard of while the search runs: kept among the longest.
    void Heard(const TSuggestion& suggestion, int generation);
    void Ended(SuggestResult result, int generation);
    void Rebuild();
    void ShowStatus();
    void ShowState();
    Shown Make(const TSuggestion& suggestion) const;
    // A grid cell with room for the picture and `lines` lines of caption.
    QSize CellFor(int lines) const;

    QGroupBox* m_tableGroup;
    QLabel* m_lengthLabel;
    QLabel* m_widthLabel;
    QSpinBox* m_length;
    QSpinBox* m_width;
    QLabel* m_systemLabel;
    QComboBox* m_system;
    QLabel* m_lanesLabel;
    QComboBox* m_lanes;
    QGroupBox* m_piecesGroup;
    QRadioButton* m_onlyStock;
    QRadioButton* m_anyPieces;
    QSpinBox* m_anyCount;
    QLabel* m_anyUnit;
    QPushButton* m_search;
    QPushButton* m_cancel;
    QProgressBar* m_bar;
    QLabel* m_statusLabel;
    QListWidget* m_grid;
    QPushButton* m_open;
    QPushButton* m_close;

    TTrackList m_stock;
    Opener m_opener;
    SearchFunction m_searchFunction;
    std::vector<Shown> m_shown;
    // The request of the list shown: its table draws the thumbnails.
    SuggestRequest m_shownRequest;
    std::optional<SuggestStatus> m_status;

    std::thread m_worker;
    // Shared with the worker.
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_progress{0};  // per mille
    // Tells a search's late messages from the next one's.
    int m_generation = 0;
};

}  // namespace quillet
