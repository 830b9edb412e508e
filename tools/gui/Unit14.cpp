#include "tools/gui/Unit14.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

constexpr int kLastPosition = 4;
constexpr int kStartPosition = 2;

QSlider* TrackBar(QWidget* parent, const char* name) {
    auto* bar = new QSlider(Qt::Horizontal, parent);
    bar->setObjectName(QLatin1String(name));
    bar->setRange(0, kLastPosition);
    bar->setValue(kStartPosition);
    bar->setPageStep(1);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(1);
    bar->setMinimumWidth(160);
    return bar;
}

}  // namespace

TForm14::TForm14(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm14"));
    setModal(true);

    QGroupBox* model = NamedGroup(this, "GroupBox1");
    m_stability = TrackBar(model, "TrackBar1");
    m_power = TrackBar(model, "TrackBar2");
    auto* modelLayout = new QGridLayout(model);
    int row = 0;
    std::size_t end = 0;
    for (auto [label, bar] : {std::pair{"Label15", m_stability}, std::pair{"Label16", m_power}}) {
        modelLayout->addWidget(NamedLabel(model, label), row++, 0, 1, 3);
        m_ends[end] = new QLabel(model);
        m_ends[end + 1] = new QLabel(model);
        modelLayout->addWidget(m_ends[end], row, 0);
        modelLayout->addWidget(bar, row, 1);
        modelLayout->addWidget(m_ends[end + 1], row, 2);
        end += 2;
        ++row;
    }
    modelLayout->setColumnStretch(1, 1);

    m_firstLap = new QCheckBox(this);
    m_firstLap->setObjectName(QStringLiteral("CheckBox1"));

    auto* times = new QGridLayout;
    times->setHorizontalSpacing(24);
    for (int lane = 1; lane <= kLapTimeLanes; ++lane) {
        QLabel* l = NamedLabel(this, QStringLiteral("Label%1").arg(lane + 6).toLatin1().constData());
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        m_lanes[static_cast<std::size_t>(lane - 1)] = l;
        // Odd lanes on the left.
        times->addWidget(l, (lane - 1) / 2, (lane - 1) % 2);
    }

    m_ok = NamedButton(this, "Button1");
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(model);
    layout->addWidget(m_firstLap);
    layout->addSpacing(6);
    layout->addLayout(times);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(m_stability, &QSlider::valueChanged, this, &TForm14::Compute);
    connect(m_power, &QSlider::valueChanged, this, &TForm14::Compute);
    connect(m_firstLap, &QCheckBox::clicked, this, &TForm14::Compute);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm14::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm14");
    for (std::size_t i = 0; i < m_ends.size(); ++i) {
        m_ends[i]->setText(QStr(Text(i % 2 == 0 ? XText::LapTimesMin : XText::LapTimesMax)));
    }
    m_ok->setText(QStr(Text(123)));  // "OK"
    Compute();
}

LapTimeSettings TForm14::Settings() const {
    LapTimeSettings s;
    s.curveStability = m_stability->value();
    s.enginePower = m_power->value();
    s.firstLap = m_firstLap->isChecked();
    return s;
}

void TForm14::Compute() {
    if (m_circuit == nullptr) return;
    const LapTimeLabels l = LapTimeLabelsOf(*m_circuit, Settings());
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        m_lanes[i]->setText(QStr(l.lanes[i]));
        m_lanes[i]->setEnabled(l.enabled[i]);
    }
}

void TForm14::SetCircuit(const TCircuit* circuit) {
    m_circuit = circuit;
    Compute();
}

void TForm14::ShowTimes(const TCircuit& circuit) {
    SetCircuit(&circuit);
    exec();
    // The circuit may be gone or changed by the next opening.
    m_circuit = nullptr;
}

}  // namespace quillet
