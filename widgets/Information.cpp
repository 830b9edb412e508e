#include "widgets/Information.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "model/Messages.h"
#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

constexpr int kLeastWidth = 260;  // pixels of text
constexpr int kMostWidth = 640;

}  // namespace

TForm7::TForm7(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm7"));
    setModal(true);
    m_icon = new QLabel(this);
    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("Label1"));
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_label->setMinimumWidth(kLeastWidth);
    m_ok = new QPushButton(this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    auto* top = new QHBoxLayout;
    top->addWidget(m_icon, 0, Qt::AlignTop);
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_ok);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    FitOnEachOpen(this);
}

void TForm7::Show(const QString& message, bool problem, const QString& caption) {
    setWindowTitle(caption);
    m_ok->setText(QStr(Text(123)));  // "OK"
    const auto sign = problem ? QStyle::SP_MessageBoxWarning : QStyle::SP_MessageBoxInformation;
    m_icon->setPixmap(style()->standardIcon(sign).pixmap(32, 32));
    m_label->setText(message);
    // Wide enough for the longest line (a folder, say) up to a limit, so a
    // path is not broken in the middle; a longer paragraph still wraps.
    int widest = 0;
    const QFontMetrics metrics(m_label->font());
    for (const QString& line : message.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    m_label->setMinimumWidth(std::clamp(widest + 4, kLeastWidth, kMostWidth));
    adjustSize();
    // adjustSize can leave a wrapping label less height than its text needs
    // at the width the window ends up with (after a shorter message, say),
    // which cuts the end of the message off.
    resize(width(), std::max(height(), layout()->totalHeightForWidth(width())));
    exec();
}

void TForm7::ShowMessage(const QString& message) { Show(message, false, QStr(Text(kTextInformationCaption))); }
void TForm7::ShowProblem(const QString& message, const QString& caption) { Show(message, true, caption); }

}  // namespace quillet
