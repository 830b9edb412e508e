#include "tools/gui/CloseProgress.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <thread>

#include "text/Languages.h"
#include "text/gui/ApplyTexts.h"
#include "widgets/FormSupport.h"

namespace quillet {

namespace {

// The bar's last step: slot 6 of the exhaustive search changes this often
// with every piece allowed.
constexpr int kProgressSteps = 132;
constexpr int kBarRefreshMs = 40;

}  // namespace

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm6"));
    setWindowModality(Qt::ApplicationModal);
    m_label = NamedLabel(this, "Label1");
    m_bar = new QProgressBar(this);
    m_bar->setObjectName(QStringLiteral("ProgressBar1"));
    m_bar->setRange(0, kProgressSteps);
    m_bar->setValue(0);
    m_bar->setTextVisible(false);
    m_bar->setMinimumWidth(320);
    m_cancel = NamedButton(this, "Button1");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cancel);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addWidget(m_bar);
    layout->addLayout(buttons);
    connect(m_cancel, &QPushButton::clicked, this, &TForm6::reject);
    FitOnEachOpen(this);
    ApplyLanguage();
}

void TForm6::ApplyLanguage() {
    ApplyWindowTexts(this, "TForm6");
    m_cancel->setText(QStr(Text(72)));  // "Cancel"
}

void TForm6::reject() {
    if (m_searching) {
        m_stop.store(true, std::memory_order_relaxed);
        m_cancel->setEnabled(false);
        return;
    }
    QDialog::reject();
}

void TForm6::closeEvent(QCloseEvent* event) {
    if (m_searching) {
        reject();
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

SearchResult TForm6::Run(const Search& search) {
    m_bar->setValue(0);
    m_cancel->setEnabled(true);
    m_step.store(0);
    m_stop.store(false);
    m_searching = true;

    SearchResult result;
    QEventLoop loop;
    QTimer bar;
    connect(&bar, &QTimer::timeout, this,
            [this] { m_bar->setValue(std::min(m_step.load(std::memory_order_relaxed), kProgressSteps)); });
    QTimer show;
    show.setSingleShot(true);
    connect(&show, &QTimer::timeout, this, [this] {
        adjustSize();
        QDialog::show();
    });

    std::thread worker([&] {
        SearchControl control;
        control.progress = [this](int s) { m_step.store(s, std::memory_order_relaxed); };
        control.cancelled = [this] { return m_stop.load(std::memory_order_relaxed); };
        result = search(control);
        // Wakes the loop below on the window's thread.
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    bar.start(kBarRefreshMs);
    show.start(m_showDelay);
    loop.exec();
    worker.join();

    bar.stop();
    show.stop();
    m_bar->setValue(std::min(result.progressSteps, kProgressSteps));
    m_searching = false;
    hide();
    return result;
}

}  // namespace quillet
