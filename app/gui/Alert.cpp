#include "app/gui/Alert.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {
constexpr int kNo = 2;  // dialog result beside Accepted (Yes) and Rejected (Cancel)
}

TForm9::TForm9(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm9"));
    setWindowTitle(QStringLiteral("Quillet"));
    // A question, not a window to close: no border icons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_yes = new QPushButton(this);
    m_yes->setObjectName(QStringLiteral("Button1"));
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("Button2"));
    m_cancel = new QPushButton(this);
    m_cancel->setObjectName(QStringLiteral("Button3"));
    m_yes->setDefault(true);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, [this] { done(kNo); });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm9::ApplyLanguage() { ApplyWindowTexts(this, "TForm9"); }

SaveAnswer TForm9::Ask() {
    m_yes->setFocus();
    switch (exec()) {
        case QDialog::Accepted:
            return SaveAnswer::Yes;
        case kNo:
            return SaveAnswer::No;
        default:
            return SaveAnswer::Cancel;
    }
}

}  // namespace quillet
