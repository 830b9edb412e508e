#include "widgets/FormSupport.h"

#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <algorithm>

namespace quillet {

namespace {

// Edit1KeyPress: of the typed characters only digits and backspace pass.
class DigitsKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const QString text = static_cast<QKeyEvent*>(event)->text();
            if (!text.isEmpty()) {
                const char16_t c = text.at(0).unicode();
                const bool typed = c >= 0x20 || c == 8;
                if (typed && c != 8 && (c < u'0' || c > u'9')) return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Where the handle's centre stands for a value, in the slider's pixels: as
// the style lays the slider out (QSlider::initStyleOption is not public).
int HandleCentre(const QSlider* s, int value) {
    QStyleOptionSlider opt;
    opt.initFrom(s);
    opt.subControls = QStyle::SC_None;
    opt.activeSubControls = QStyle::SC_None;
    opt.orientation = s->orientation();
    opt.maximum = s->maximum();
    opt.minimum = s->minimum();
    opt.tickPosition = s->tickPosition();
    opt.tickInterval = s->tickInterval();
    opt.upsideDown = s->invertedAppearance();
    opt.direction = s->layoutDirection();
    opt.sliderPosition = s->sliderPosition();
    opt.sliderValue = s->value();
    opt.singleStep = s->singleStep();
    opt.pageStep = s->pageStep();
    opt.state |= QStyle::State_Horizontal;
    const QRect groove = s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderGroove, s);
    const QRect handle = s->style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, s);
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(s->minimum(), s->maximum(), value, span, opt.upsideDown);
}

class SliderScaleStrip : public QWidget {
public:
    SliderScaleStrip(QSlider* slider, QWidget* parent) : QWidget(parent), m_slider(slider) {
        setFixedHeight(fontMetrics().height());
        slider->installEventFilter(this);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const int offset = m_slider->mapTo(parentWidget(), QPoint()).x() - x();
        for (int v = m_slider->minimum(); v <= m_slider->maximum(); v += std::max(m_slider->tickInterval(), 1)) {
            const QString text = QString::number(v);
            const int w = fontMetrics().horizontalAdvance(text);
            const int centre = offset + HandleCentre(m_slider, v);
            const int left = std::clamp(centre - w / 2, 0, std::max(width() - w, 0));
            p.drawText(left, fontMetrics().ascent(), text);
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Move) update();
        return QWidget::eventFilter(watched, event);
    }

private:
    QSlider* m_slider;
};

}  // namespace

QWidget* SliderScale(QSlider* slider, QWidget* parent) { return new SliderScaleStrip(slider, parent); }

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QGroupBox* NamedGroup(QWidget* parent, const char* name) {
    auto* g = new QGroupBox(parent);
    g->setObjectName(QLatin1String(name));
    return g;
}

QPushButton* NamedButton(QWidget* parent, const char* name) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    return b;
}

QLineEdit* DigitsField(QWidget* parent, const QString& name, int digitsShown) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setAlignment(Qt::AlignRight);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    e->installEventFilter(new DigitsKeyFilter(e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(digitsShown, QLatin1Char('0'))) + 16);
    return e;
}

QFont TrackListFont(int pointSize) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setPointSize(pointSize);
    if (!QFontInfo(font).fixedPitch()) {
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSize(pointSize);
        return fixed;
    }
    return font;
}

void ShowMaximizedOnScreen(QWidget* window) {
    if (const QScreen* screen = window->screen()) window->setGeometry(screen->availableGeometry());
    window->showMaximized();
}

namespace {

// Room for the window icon, the close (and other) buttons and the frame.
constexpr int kCaptionMargin = 120;

class FitOnShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !event->spontaneous())
            FitToContentAndCaption(static_cast<QWidget*>(watched));
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

int CaptionWidth(const QString& caption) {
    const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitle"));
    return metrics.horizontalAdvance(caption) + kCaptionMargin;
}

void FitToContentAndCaption(QWidget* dialog) {
    dialog->ensurePolished();
    QLayout* layout = dialog->layout();
    if (layout != nullptr) {
        // Controls shown or hidden, or texts changed, while the dialog was
        // closed: the layout's sizes must be worked out afresh.
        QCoreApplication::sendPostedEvents(dialog, QEvent::LayoutRequest);
        layout->invalidate();
        layout->activate();
    }
    const QSize hint = dialog->sizeHint().expandedTo(dialog->minimumSizeHint());
    const int width = std::max(hint.width(), CaptionWidth(dialog->windowTitle()));
    int height = hint.height();
    // A wrapping label may need more height at the width the caption asks.
    if (layout != nullptr && layout->hasHeightForWidth()) height = std::max(height, layout->totalHeightForWidth(width));
    dialog->resize(width, height);
}

void FitOnEachOpen(QWidget* dialog) { dialog->installEventFilter(new FitOnShow(dialog)); }

}  // namespace quillet
