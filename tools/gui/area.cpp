#include "tools/gui/area.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"
#include "widgets/Information.h"

namespace quillet {

namespace {

QColor SwatchColour(int item) {
    const int32_t c = kBackgroundColours[static_cast<std::size_t>(item)];
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

// Each background item is its colour, a rectangle inset by one pixel.
class SwatchDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        painter->save();
        if (option.state & QStyle::State_Selected) painter->fillRect(option.rect, option.palette.highlight());
        // A thin dark outline, so that white shows on white.
        painter->setPen(QPen(Qt::black, 0));
        painter->setBrush(SwatchColour(index.row()));
        painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
        painter->restore();
    }
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return QStyledItemDelegate::sizeHint(option, index).expandedTo(QSize(60, 18));
    }
};

// The closed combo box shows the chosen colour the same way.
class SwatchCombo : public QComboBox {
public:
    using QComboBox::QComboBox;

protected:
    void paintEvent(QPaintEvent* e) override {
        QComboBox::paintEvent(e);
        if (currentIndex() < 0) return;
        QPainter p(this);
        QStyleOptionComboBox opt;
        initStyleOption(&opt);
        const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxEditField, this);
        p.setPen(QPen(Qt::black, 0));
        p.setBrush(SwatchColour(currentIndex()));
        p.drawRect(field.adjusted(1, 2, -2, -3));
    }
};

QLineEdit* NumberField(QWidget* parent, const char* name, int maxLength) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(maxLength);
    // The key filter keeps typing to digits; the validator keeps pasting so.
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 16);
    return e;
}

}  // namespace

TForm2::TForm2(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm2"));
    setModal(true);

    // Work area.
    QGroupBox* area = NamedGroup(this, "GroupBox1");
    m_edit1 = NumberField(area, "Edit1", kAreaFieldMaxLength);
    m_edit2 = NumberField(area, "Edit2", kAreaFieldMaxLength);
    auto* areaLayout = new QGridLayout(area);
    areaLayout->addWidget(NamedLabel(area, "Label1"), 0, 0);
    areaLayout->addWidget(m_edit1, 0, 1);
    areaLayout->addWidget(NamedLabel(area, "Label2"), 1, 0);
    areaLayout->addWidget(m_edit2, 1, 1);
    areaLayout->setColumnStretch(0, 1);

    // Grid.
    QGroupBox* grid = NamedGroup(this, "GroupBox2");
    m_edit3 = NumberField(grid, "Edit3", kGridFieldMaxLength);
    auto* gridLayout = new QHBoxLayout(grid);
    gridLayout->addWidget(NamedLabel(grid, "Label3"), 1);
    gridLayout->addWidget(m_edit3);

    // Number of lanes and the width of the first piece.
    m_lanes = NamedGroup(this, "RadioGroup1");
    auto* lanesLayout = new QGridLayout(m_lanes);
    for (int i = 0; i < 4; ++i) {
        m_laneItems[i] = new QRadioButton(m_lanes);
        lanesLayout->addWidget(m_laneItems[i], i % 2, i / 2);
    }
    m_brand = NamedGroup(this, "RadioGroup2");
    auto* brandLayout = new QVBoxLayout(m_brand);
    for (auto*& b : m_brandItems) {
        b = new QRadioButton(m_brand);
        brandLayout->addWidget(b);
    }

    // Detail.
    QGroupBox* detail = NamedGroup(this, "GroupBox3");
    m_detail = new QSlider(Qt::Horizontal, detail);
    m_detail->setObjectName(QStringLiteral("TrackBar1"));
    m_detail->setRange(1, 5);
    m_detail->setPageStep(1);
    m_detail->setTickPosition(QSlider::TicksBelow);
    m_detail->setTickInterval(1);
    m_detailMin = new QLabel(detail);
    m_detailMax = new QLabel(detail);
    auto* detailLayout = new QHBoxLayout(detail);
    detailLayout->addWidget(m_detailMin);
    detailLayout->addWidget(m_detail, 1);
    detailLayout->addWidget(m_detailMax);

    m_colourCode = new QCheckBox(this);
    m_colourCode->setObjectName(QStringLiteral("CheckBox1"));

    QGroupBox* background = NamedGroup(this, "GroupBox5");
    m_background = new SwatchCombo(background);
    m_background->setObjectName(QStringLiteral("ComboBox2"));
    m_background->setItemDelegate(new SwatchDelegate(m_background));
    for (std::size_t i = 0; i < kBackgroundColours.size(); ++i) m_background->addItem(QString());
    m_background->setMinimumWidth(100);
    (new QVBoxLayout(background))->addWidget(m_background);

    QGroupBox* language = NamedGroup(this, "GroupBox4");
    m_language = new QComboBox(language);
    m_language->setObjectName(QStringLiteral("ComboBox1"));
    m_language->addItem(QStringLiteral("Español"));
    m_language->addItem(QStringLiteral("English"));
    (new QVBoxLayout(language))->addWidget(m_language);

    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(this);
    cancel->setObjectName(QStringLiteral("Button2"));

    auto* left = new QVBoxLayout;
    left->addWidget(area);
    left->addWidget(grid);
    left->addWidget(m_lanes);
    left->addWidget(m_brand);
    auto* right = new QVBoxLayout;
    right->addWidget(detail);
    right->addWidget(m_colourCode);
    right->addWidget(background);
    right->addWidget(language);
    right->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(left);
    columns->addLayout(right);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(buttons);

    for (QLineEdit* e : {m_edit1, m_edit2, m_edit3}) e->installEventFilter(this);
    connect(m_edit1, &QLineEdit::editingFinished, this, &TForm2::Edit1Exit);
    connect(m_edit2, &QLineEdit::editingFinished, this, &TForm2::Edit2Exit);
    connect(m_edit3, &QLineEdit::editingFinished, this, &TForm2::Edit3Exit);
    connect(m_ok, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    ApplyLanguage();
}

void TForm2::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm2");
    m_ok->setText(QStr(Text(123)));  // "OK"
    m_detailMin->setText(QStr(Text(XText::SettingsDetailMin)));
    m_detailMax->setText(QStr(Text(XText::SettingsDetailMax)));
}

bool TForm2::eventFilter(QObject* watched, QEvent* event) {
    // Edit1KeyPress: of the typed characters only digits and backspace pass.
    // Keys that type nothing (arrows, Tab, Enter) go on as usual.
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (!text.isEmpty() && (text.at(0).unicode() >= 0x20 || text.at(0).unicode() == 8) &&
            !SettingsKeyPasses(text.at(0).unicode())) {
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TForm2::Edit1Exit() { m_edit1->setText(QStr(AreaFieldOnExit(StdStr(m_edit1->text()), m_lengthCm))); }
void TForm2::Edit2Exit() { m_edit2->setText(QStr(AreaFieldOnExit(StdStr(m_edit2->text()), m_widthCm))); }
void TForm2::Edit3Exit() { m_edit3->setText(QStr(GridFieldOnExit(StdStr(m_edit3->text()), m_gridCm))); }

void TForm2::Load(const TSettingsValues& v) {
    m_edit1->setText(QStr(v.lengthCm));
    m_edit2->setText(QStr(v.widthCm));
    m_edit3->setText(QStr(v.gridCm));
    m_lengthCm = SettingsFieldValue(v.lengthCm).value_or(0);
    m_widthCm = SettingsFieldValue(v.widthCm).value_or(0);
    m_gridCm = SettingsFieldValue(v.gridCm).value_or(0);
    m_lanes->setEnabled(v.lanesEnabled);
    m_laneItems[std::clamp(v.lanesItem, 0, 3)]->setChecked(true);
    m_brand->setEnabled(v.brandEnabled);
    m_brandItems[v.brandItem == 1 ? 1 : 0]->setChecked(true);
    m_detail->setValue(v.detail);
    m_colourCode->setChecked(v.colourCode);
    if (v.backgroundItem >= 0 && v.backgroundItem < m_background->count()) {
        m_background->setCurrentIndex(v.backgroundItem);
    }
    m_language->setCurrentIndex(v.languageItem == 1 ? 1 : 0);
}

TSettingsValues TForm2::Values() const {
    TSettingsValues v;
    v.lengthCm = StdStr(m_edit1->text());
    v.widthCm = StdStr(m_edit2->text());
    v.gridCm = StdStr(m_edit3->text());
    v.lanesEnabled = m_lanes->isEnabled();
    for (int i = 0; i < 4; ++i) {
        if (m_laneItems[i]->isChecked()) v.lanesItem = i;
    }
    v.brandEnabled = m_brand->isEnabled();
    v.brandItem = m_brandItems[1]->isChecked() ? 1 : 0;
    v.detail = m_detail->value();
    v.colourCode = m_colourCode->isChecked();
    v.backgroundItem = m_background->currentIndex();
    v.languageItem = m_language->currentIndex();
    return v;
}

void TForm2::Button1Click() {
    XText problem = XText::Count;
    QLineEdit* field = nullptr;
    switch (CheckSettings(Values())) {
        case SettingsProblem::None:
            accept();
            return;
        case SettingsProblem::EmptyLength:
            problem = XText::SettingsEmptyLength;
            field = m_edit1;
            break;
        case SettingsProblem::EmptyWidth:
            problem = XText::SettingsEmptyWidth;
            field = m_edit2;
            break;
        case SettingsProblem::EmptyGrid:
            problem = XText::SettingsEmptyGrid;
            field = m_edit3;
            break;
    }
    TForm7 message(this);
    message.ShowMessage(QStr(Text(problem)));
    field->setFocus();
}

bool TForm2::Edit(TSettingsValues& values) {
    Load(values);
    m_edit1->setFocus();
    if (exec() != QDialog::Accepted) return false;
    values = Values();
    return true;
}

}  // namespace quillet
