#include "app/gui/Unit15.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

TForm15::TForm15(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm15"));
    setWindowTitle(QStringLiteral("Quillet"));
    setModal(true);
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setWordWrap(true);
    m_yes = new QPushButton(this);
    m_yes->setObjectName(QStringLiteral("Button1"));
    m_yes->setDefault(true);
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("Button2"));
    auto* top = new QHBoxLayout;
    top->addWidget(image, 0, Qt::AlignTop);
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    FitOnEachOpen(this);
}

bool TForm15::Ask(const QString& question, const QString& caption) {
    setWindowTitle(caption);
    const bool yes = Ask(question);
    setWindowTitle(QStringLiteral("Quillet"));
    return yes;
}

bool TForm15::Ask(const QString& question) {
    m_yes->setText(QStr(Text(117)));  // "Yes"
    m_no->setText(QStr(Text(118)));   // "No"
    m_label->setText(question);
    adjustSize();
    // Yes is the answer Enter gives, each time the question is asked: the
    // focus left on No by a click the time before would make it No.
    m_yes->setFocus();
    return exec() == QDialog::Accepted;
}

}  // namespace quillet
