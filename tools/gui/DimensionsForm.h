#pragma once
// TForm4, Circuit Dimensions: length and width, every lane and their mean,
// the gap and angle between the open end and the start, and the share of
// the bounding rectangle the track covers. The figures come from
// tools/Dimensions; the dialog shows them.

#include <QDialog>
#include <array>

#include "tools/Dimensions.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace quillet {

class TForm4 : public QDialog {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // CircuitDimensions1Click: fills the labels and shows the dialog modally.
    void ShowDimensions(const TCircuit& circuit);
    void Fill(const TCircuit& circuit);
    void ApplyLanguage();

private:
    QLabel* m_length;
    QLabel* m_width;
    std::array<QLabel*, kMaxLanes> m_lanes{};
    QLabel* m_mean;
    QLabel* m_distance;
    QLabel* m_angle;
    QLabel* m_compactness;
    QGroupBox* m_area;
    QPushButton* m_ok;
};

}  // namespace quillet
