#pragma once
// TForm5, the Close Circuit options: the pieces the closing may use, the
// closing tolerance, and the choice between the stock-limited search and
// the random one ("Advanced closing"), which exclude each other.

#include <QDialog>
#include <array>

#include "tools/Closing.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace quillet {

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // The dialog with `options`, the curve boxes the lane count rules out
    // unchecked and greyed; on OK the options hold the choice. Cancel leaves
    // them as they were.
    bool Edit(CloseOptions& options, const CloseDialogLimits& limits);

    // The controls without showing the dialog.
    void Load(const CloseOptions& options, const CloseDialogLimits& limits);
    CloseOptions Values() const;
    // CheckBox1..CheckBox7: standard, half and quarter straight, inner,
    // standard, outer and super outer curve.
    QCheckBox* TrackBox(int number) const { return m_tracks[static_cast<std::size_t>(number - 1)]; }
    QCheckBox* UseStockBox() const { return m_useStock; }
    QCheckBox* AdvancedBox() const { return m_advanced; }
    QSlider* ToleranceBar() const { return m_tolerance; }
    QPushButton* OkButton() const { return m_ok; }
    void ApplyLanguage();

private:
    // CheckBox1Click (all seven): OK only while some piece is allowed.
    void TrackBoxClick();
    // CheckBox8Click, CheckBox9Click: the stock and the random search
    // exclude each other.
    void UseStockClick();
    void AdvancedClick();

    std::array<QCheckBox*, 7> m_tracks{};
    QSlider* m_tolerance;
    QCheckBox* m_useStock;
    QCheckBox* m_advanced;
    QPushButton* m_ok;
};

}  // namespace quillet
