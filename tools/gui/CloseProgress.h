#pragma once
// TForm6, the closing's progress window: the exhaustive search runs in a
// worker thread while this window shows how far it got (0..132) and offers
// Cancel; the main window keeps painting meanwhile but takes no input.

#include <QDialog>
#include <atomic>
#include <functional>

#include "tools/ClosingSearch.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillet {

class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);

    using Search = std::function<SearchResult(const SearchControl&)>;
    // Runs the search in a worker thread and waits for it, the window shown
    // once the search has lasted ShowDelay() milliseconds (a search that
    // ends sooner never flashes a window). Cancel, Escape and the close box
    // stop the search: its result comes back with `cancelled` set.
    SearchResult Run(const Search& search);

    void SetShowDelay(int milliseconds) { m_showDelay = milliseconds; }
    int ShowDelay() const { return m_showDelay; }
    QProgressBar* Bar() const { return m_bar; }
    QPushButton* CancelButton() const { return m_cancel; }
    // True while a search runs.
    bool Searching() const { return m_searching; }
    void ApplyLanguage();

    // Escape and the close box cancel the search instead of hiding the
    // window under it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QLabel* m_label;
    QProgressBar* m_bar;
    QPushButton* m_cancel;
    int m_showDelay = 150;
    bool m_searching = false;
    // Shared with the worker thread.
    std::atomic<int> m_step{0};
    std::atomic<bool> m_stop{false};
};

}  // namespace quillet
