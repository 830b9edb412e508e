#include "tools/gui/CloseCircuit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

constexpr int kMaxToleranceCm = 5;

// Box numbers of the seven pieces.
enum Box { kStandardStraightBox = 1, kHalfBox, kQuarterBox, kInnerBox, kStandardCurveBox, kOuterBox, kSuperOuterBox };

}  // namespace

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm5"));
    setModal(true);

    QGroupBox* tracks = NamedGroup(this, "GroupBox2");
    auto* tracksLayout = new QGridLayout(tracks);
    for (int n = 1; n <= 7; ++n) {
        auto* box = new QCheckBox(tracks);
        box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
        box->setChecked(true);
        m_tracks[static_cast<std::size_t>(n - 1)] = box;
        // Straights in the left column, curves in the right one.
        if (n <= kQuarterBox) {
            tracksLayout->addWidget(box, n - 1, 0);
        } else {
            tracksLayout->addWidget(box, n - kInnerBox, 1);
        }
        connect(box, &QCheckBox::clicked, this, &TForm5::TrackBoxClick);
    }
    tracksLayout->setColumnStretch(0, 1);
    tracksLayout->setColumnStretch(1, 1);

    QGroupBox* tolerance = NamedGroup(this, "GroupBox1");
    m_tolerance = new QSlider(Qt::Horizontal, tolerance);
    m_tolerance->setObjectName(QStringLiteral("TrackBar1"));
    m_tolerance->setRange(0, kMaxToleranceCm);
    m_tolerance->setPageStep(1);
    m_tolerance->setTickPosition(QSlider::TicksBelow);
    m_tolerance->setTickInterval(1);
    auto* toleranceLayout = new QVBoxLayout(tolerance);
    toleranceLayout->setSpacing(0);
    toleranceLayout->addWidget(m_tolerance);
    // The centimetres under the ticks.
    toleranceLayout->addWidget(SliderScale(m_tolerance, tolerance));

    m_useStock = new QCheckBox(this);
    m_useStock->setObjectName(QStringLiteral("CheckBox8"));
    m_advanced = new QCheckBox(this);
    m_advanced->setObjectName(QStringLiteral("CheckBox9"));
    connect(m_useStock, &QCheckBox::clicked, this, &TForm5::UseStockClick);
    connect(m_advanced, &QCheckBox::clicked, this, &TForm5::AdvancedClick);

    m_ok = NamedButton(this, "Button2");
    m_ok->setDefault(true);
    QPushButton* cancel = NamedButton(this, "Button1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tracks);
    layout->addWidget(tolerance);
    layout->addWidget(m_useStock);
    layout->addWidget(m_advanced);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm5::ApplyLanguage() { ApplyWindowTexts(this, "TForm5"); }

void TForm5::Load(const CloseOptions& o, const CloseDialogLimits& limits) {
    CloseOptions shown = o;
    shown.standardCurve = o.standardCurve && limits.standardCurve;
    shown.outerCurve = o.outerCurve && limits.outerCurve;
    shown.superOuterCurve = o.superOuterCurve && limits.superOuterCurve;
    TrackBox(kStandardStraightBox)->setChecked(shown.standardStraight);
    TrackBox(kHalfBox)->setChecked(shown.halfStraight);
    TrackBox(kQuarterBox)->setChecked(shown.quarterStraight);
    TrackBox(kInnerBox)->setChecked(shown.innerCurve);
    TrackBox(kStandardCurveBox)->setChecked(shown.standardCurve);
    TrackBox(kOuterBox)->setChecked(shown.outerCurve);
    TrackBox(kSuperOuterBox)->setChecked(shown.superOuterCurve);
    TrackBox(kStandardCurveBox)->setEnabled(limits.standardCurve);
    TrackBox(kOuterBox)->setEnabled(limits.outerCurve);
    TrackBox(kSuperOuterBox)->setEnabled(limits.superOuterCurve);
    m_tolerance->setValue(shown.toleranceCm);
    // One search or the other: should both arrive checked, the stock wins.
    m_useStock->setChecked(shown.useStock);
    m_advanced->setChecked(shown.advanced && !shown.useStock);
    m_useStock->setEnabled(!m_advanced->isChecked());
    m_advanced->setEnabled(!m_useStock->isChecked());
    TrackBoxClick();
}

CloseOptions TForm5::Values() const {
    CloseOptions o;
    o.standardStraight = TrackBox(kStandardStraightBox)->isChecked();
    o.halfStraight = TrackBox(kHalfBox)->isChecked();
    o.quarterStraight = TrackBox(kQuarterBox)->isChecked();
    o.innerCurve = TrackBox(kInnerBox)->isChecked();
    o.standardCurve = TrackBox(kStandardCurveBox)->isChecked();
    o.outerCurve = TrackBox(kOuterBox)->isChecked();
    o.superOuterCurve = TrackBox(kSuperOuterBox)->isChecked();
    o.toleranceCm = m_tolerance->value();
    o.useStock = m_useStock->isChecked();
    o.advanced = m_advanced->isChecked();
    return o;
}

void TForm5::TrackBoxClick() { m_ok->setEnabled(AnyTrackIncluded(Values())); }

void TForm5::UseStockClick() {
    if (m_useStock->isChecked()) m_advanced->setChecked(false);
    m_advanced->setEnabled(!m_useStock->isChecked());
}

void TForm5::AdvancedClick() {
    if (m_advanced->isChecked()) m_useStock->setChecked(false);
    m_useStock->setEnabled(!m_advanced->isChecked());
}

bool TForm5::Edit(CloseOptions& options, const CloseDialogLimits& limits) {
    Load(options, limits);
    if (exec() != QDialog::Accepted) return false;
    options = Values();
    return true;
}

}  // namespace quillet
