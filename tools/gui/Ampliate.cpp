#include "tools/gui/Ampliate.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

TForm12::TForm12(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm12"));
    setModal(true);
    m_group = NamedGroup(this, "RadioGroup1");
    auto* items = new QVBoxLayout(m_group);
    // One item per kind, in the order of the text table (155 to 158); the
    // lane count decides which are shown.
    for (auto*& item : m_items) {
        item = new QRadioButton(m_group);
        items->addWidget(item);
    }
    QPushButton* ok = NamedButton(this, "Button1");
    ok->setDefault(true);
    QPushButton* cancel = NamedButton(this, "Button2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm12::ApplyLanguage() { ApplyWindowTexts(this, "TForm12"); }

void TForm12::Offer(const std::vector<ConversionKind>& choices) {
    for (QRadioButton* item : m_items) item->setVisible(false);
    for (const ConversionKind kind : choices) Item(kind)->setVisible(true);
    if (!choices.empty()) Item(choices.front())->setChecked(true);
}

std::optional<ConversionKind> TForm12::Chosen() const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->isVisibleTo(m_group) && m_items[i]->isChecked()) return static_cast<ConversionKind>(i);
    }
    return std::nullopt;
}

std::optional<ConversionKind> TForm12::Ask(const std::vector<ConversionKind>& choices) {
    Offer(choices);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return Chosen();
}

}  // namespace quillet
