#include "tools/gui/DimensionsForm.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

QLabel* Figure(QWidget* parent, int number) {
    return NamedLabel(parent, QStringLiteral("Label%1").arg(number).toLatin1().constData());
}

}  // namespace

TForm4::TForm4(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm4"));
    setModal(true);

    QGroupBox* size = NamedGroup(this, "GroupBox1");
    m_length = Figure(size, 1);
    m_width = Figure(size, 2);
    auto* sizeLayout = new QVBoxLayout(size);
    sizeLayout->addWidget(m_length);
    sizeLayout->addWidget(m_width);

    QGroupBox* lanes = NamedGroup(this, "GroupBox2");
    auto* lanesLayout = new QGridLayout(lanes);
    lanesLayout->setHorizontalSpacing(24);
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        QLabel* l = Figure(lanes, lane + 2);
        m_lanes[static_cast<std::size_t>(lane - 1)] = l;
        // Odd lanes on the left, even ones on the right.
        lanesLayout->addWidget(l, (lane - 1) / 2, (lane - 1) % 2);
    }
    // The mean under the lanes, apart from them.
    m_mean = Figure(lanes, 11);
    lanesLayout->setRowMinimumHeight(kMaxLanes / 2, 8);
    lanesLayout->setRowStretch(kMaxLanes / 2, 1);
    lanesLayout->addWidget(m_mean, kMaxLanes / 2 + 1, 0, 1, 2);

    QGroupBox* closing = NamedGroup(this, "GroupBox3");
    m_distance = Figure(closing, 12);
    m_angle = Figure(closing, 13);
    auto* closingLayout = new QVBoxLayout(closing);
    closingLayout->addWidget(m_distance);
    closingLayout->addWidget(m_angle);

    m_area = NamedGroup(this, "GroupBox4");
    m_compactness = Figure(m_area, 14);
    (new QVBoxLayout(m_area))->addWidget(m_compactness);

    m_ok = NamedButton(this, "Button1");
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);

    auto* left = new QVBoxLayout;
    left->addWidget(size);
    left->addWidget(closing);
    left->addWidget(m_area);
    left->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addWidget(lanes, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm4::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm4");
    m_ok->setText(QStr(Text(123)));  // "OK"
}

void TForm4::Fill(const TCircuit& circuit) {
    const DimensionsLabels l = DimensionsLabelsOf(circuit);
    m_length->setText(QStr(l.length));
    m_width->setText(QStr(l.width));
    for (std::size_t i = 0; i < m_lanes.size(); ++i) {
        m_lanes[i]->setText(QStr(l.lanes[i]));
        m_lanes[i]->setEnabled(l.laneEnabled[i]);
    }
    m_mean->setText(QStr(l.mean));
    m_distance->setText(QStr(l.distance));
    m_angle->setText(QStr(l.angle));
    m_compactness->setText(QStr(l.compactness));
    m_area->setTitle(QStr(l.compactnessCaption));
}

void TForm4::ShowDimensions(const TCircuit& circuit) {
    Fill(circuit);
    adjustSize();
    exec();
}

}  // namespace quillet
