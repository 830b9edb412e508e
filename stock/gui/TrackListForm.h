#pragma once
// TForm3, the Track List: the circuit's bill of materials beside the stock,
// one line per piece or border kind in a fixed-pitch font, under the four
// column headings.

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace quillet {

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);

    // Fills ListBox1 with the lines (TTrackList::ListLines) and shows the
    // dialog modally.
    void ShowList(const std::vector<std::string>& lines);
    // The same without showing it.
    void SetLines(const std::vector<std::string>& lines);
    QListWidget* List() const { return m_list; }
    void ApplyLanguage();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // Puts each heading over its column: the name column from the left edge,
    // the three counts right-aligned over theirs.
    void PlaceHeadings();

    QWidget* m_headings;
    QLabel* m_label[4];
    QListWidget* m_list;
    QPushButton* m_ok;
};

}  // namespace quillet
