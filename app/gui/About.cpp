#include "app/gui/About.h"

#include <QFont>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/gui/pictures/ToolbarPictures.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TAboutBox"));
    setModal(true);
    setWindowIcon(WindowIcon());

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("ProgramIcon"));
    icon->setPixmap(WindowIcon().pixmap(48, 48));
    auto* name = new QLabel(QStringLiteral("Quillet"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 1.8);
    big.setBold(true);
    name->setFont(big);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("Version"));
    m_purpose = new QLabel(this);
    m_purpose->setObjectName(QStringLiteral("Comments"));
    m_purpose->setWordWrap(true);
    m_purpose->setMinimumWidth(280);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(name);
    text->addWidget(m_version);
    text->addSpacing(8);
    text->addWidget(m_purpose);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 16);
    layout->addLayout(top);
    layout->addSpacing(16);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TAboutBox::ApplyLanguage() {
    ApplyWindowTexts(this, "TAboutBox");
    m_version->setText(QStr(Format(Text(XText::AboutVersion), std::string(ProgramVersion()))));
    m_purpose->setText(QStr(Text(XText::AboutPurpose)));
    m_ok->setText(QStr(Text(123)));  // "OK"
    adjustSize();
}

}  // namespace quillet
