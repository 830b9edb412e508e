#pragma once
// TForm14, the lap-time estimate: a model car's curve stability and engine
// power on two track bars, "First Lap", and the time of one lap on every
// lane, recomputed whenever a bar moves or the box is clicked. The settings
// stay between openings; the circuit is never changed.

#include <QDialog>
#include <array>

#include "tools/LapTimes.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace quillet {

class TForm14 : public QDialog {
    Q_OBJECT
public:
    explicit TForm14(QWidget* parent = nullptr);

    // ToolButton61Click: the dialog for this circuit, shown modally.
    void ShowTimes(const TCircuit& circuit);
    // Takes the circuit (kept until the next call) and computes.
    void SetCircuit(const TCircuit* circuit);
    LapTimeSettings Settings() const;
    QSlider* StabilityBar() const { return m_stability; }
    QSlider* PowerBar() const { return m_power; }
    QCheckBox* FirstLapBox() const { return m_firstLap; }
    QLabel* Lane(int lane) const { return m_lanes[static_cast<std::size_t>(lane - 1)]; }
    void ApplyLanguage();

private:
    // FormActivate, TrackBar1Change, TrackBar2Change, CheckBox1Click.
    void Compute();

    const TCircuit* m_circuit = nullptr;
    QSlider* m_stability;
    QSlider* m_power;
    std::array<QLabel*, 4> m_ends{};  // "Min" and "Max" of both bars
    QCheckBox* m_firstLap;
    std::array<QLabel*, kLapTimeLanes> m_lanes{};
    QPushButton* m_ok;
};

}  // namespace quillet
