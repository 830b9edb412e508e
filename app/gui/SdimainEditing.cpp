// The main window's side of editing: the mouse on the drawing (selecting,
// placing and dragging accessories, measuring) and the curve buttons that
// insert on release, the mouse button choosing the turn. The editor decides;
// this only passes events on and shows what changed.

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QToolTip>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "app/gui/DrawingSurface.h"
#include "app/gui/Sdimain.h"
#include "render/PainterCanvas.h"
#include "text/gui/ApplyTexts.h"

namespace quillet {

namespace {

std::optional<TMouseButton> ToMouseButton(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return TMouseButton::Left;
        case Qt::MiddleButton:
            return TMouseButton::Middle;
        case Qt::RightButton:
            return TMouseButton::Right;
        default:
            return std::nullopt;
    }
}

}  // namespace

// The press-and-release buttons. Pressing shows the button down; moving off
// it while the mouse button is held shows it up (back on it, down again);
// releasing over it inserts, the left button a left-hand curve, the right
// button a right-hand one. The right button must never open a context menu
// here, or the release would go to the menu.
class TCurveButtonFilter final : public QObject {
public:
    using Released = std::function<void(ControlId, TMouseButton, bool over)>;

    TCurveButtonFilter(QObject* parent, Released released) : QObject(parent), m_released(std::move(released)) {}

    void Watch(QToolButton* button, ControlId id) {
        button->setContextMenuPolicy(Qt::PreventContextMenu);
        button->installEventFilter(this);
        m_buttons.emplace_back(button, id);
    }

    // Any button shown pressed that the mouse does not hold is shown up.
    void ReleaseIdle() {
        for (const auto& [button, id] : m_buttons) {
            if (button != m_held && button->isDown()) button->setDown(false);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        QToolButton* button = Watched(watched);
        if (button == nullptr) return false;
        switch (event->type()) {
            case QEvent::ContextMenu:
                return true;
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick: {
                if (!button->isEnabled()) return false;
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (m_held != nullptr) return true;  // a second button while one is held
                if (mouse->button() != Qt::LeftButton && mouse->button() != Qt::RightButton) return true;
                m_held = button;
                m_heldWith = mouse->button();
                button->setDown(true);
                button->repaint();
                return true;
            }
            case QEvent::MouseMove: {
                if (button != m_held) return false;
                const bool over = button->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
                if (button->isDown() != over) button->setDown(over);
                return true;
            }
            case QEvent::MouseButtonRelease: {
                auto* mouse = static_cast<QMouseEvent*>(event);
                if (button != m_held || mouse->button() != m_heldWith) return true;
                const bool over = button->rect().contains(mouse->position().toPoint());
                m_held = nullptr;
                button->setDown(false);
                if (const auto released = ToMouseButton(mouse->button())) {
                    m_released(IdOf(button), *released, over);
                }
                return true;
            }
            default:
                return false;
        }
    }

private:
    QToolButton* Watched(QObject* o) const {
        for (const auto& [button, id] : m_buttons) {
            if (button == o) return button;
        }
        return nullptr;
    }
    ControlId IdOf(const QToolButton* b) const {
        for (const auto& [button, id] : m_buttons) {
            if (button == b) return id;
        }
        return ControlId::ToolButton30;
    }

    Released m_released;
    std::vector<std::pair<QToolButton*, ControlId>> m_buttons;
    QToolButton* m_held = nullptr;
    Qt::MouseButton m_heldWith = Qt::NoButton;
};

void TSDIAppForm::ConnectEditing() {
    connect(m_surface->Image1(), &TImageView::MouseDown, this, &TSDIAppForm::Image1MouseDown);
    connect(m_surface->Image1(), &TImageView::MouseUp, this, &TSDIAppForm::Image1MouseUp);
    m_curveButtons = new TCurveButtonFilter(
        this, [this](ControlId id, TMouseButton released, bool over) { CurveButtonReleased(id, released, over); });
    for (const TCommandDef& def : Commands()) {
        if (def.buttonStyle == ButtonStyle::PressRelease) m_curveButtons->Watch(Button(def.button), def.button);
    }
}

void TSDIAppForm::CurveButtonReleased(ControlId button, TMouseButton released, bool over) {
    if (!over) return;
    m_editor->CurveButtonMouseUp(button, released, over);
    FormActualize();
}

void TSDIAppForm::ReleaseCurveButtons() {
    if (m_curveButtons != nullptr) m_curveButtons->ReleaseIdle();
}

// ---------------------------------------------------------------------------
// The mouse on the drawing

void TSDIAppForm::Image1MouseDown(QMouseEvent* event) {
    const auto button = ToMouseButton(event->button());
    if (!button) return;
    const QPoint p = event->position().toPoint();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    const TMouseResult result = m_editor->Image1MouseDown(*button, shift, p.x(), p.y());
    if (result.refresh) FormActualize();
    if (result.panel0) m_panels[0]->setText(QStr(*result.panel0));
    m_clickNotice.clear();
    if (result.notice) {
        // Said beside the mouse too, on release: the next move writes
        // panel 0 over.
        m_clickNotice = QStr(*result.notice);
        m_panels[0]->setText(m_clickNotice);
    }
}

bool TSDIAppForm::Image1DragMove(QMouseEvent* event) {
    const TDragState& drag = m_editor->Drag();
    if (drag.kind == TDragKind::None) return false;
    const QPoint p = event->position().toPoint();
    TImageView* image = m_surface->Image1();
    if (m_editor->Image1DragStarts(p.x(), p.y())) {
        image->setCursor(drag.kind == TDragKind::Measure ? Qt::CrossCursor : Qt::ClosedHandCursor);
    }
    // Until the drag starts the press is still a click: the cursor text shows.
    if (!drag.started) return false;

    const QRect before = DragArea();
    std::optional<std::string> text;
    {
        // Two strokes of a line or one small picture: drawn in place, never
        // a render per move.
        PainterCanvas canvas(&image->MutableImage(), m_pictures);
        if (m_editor->RulersVisible()) {
            PainterCanvas horizontal(&m_surface->Image2()->MutableImage(), m_pictures);
            PainterCanvas vertical(&m_surface->Image3()->MutableImage(), m_pictures);
            text = m_editor->Image1DragOver(p.x(), p.y(), canvas, &horizontal, &vertical);
        } else {
            text = m_editor->Image1DragOver(p.x(), p.y(), canvas, nullptr, nullptr);
        }
    }
    if (m_editor->RulersVisible()) {
        m_surface->Image2()->update();
        m_surface->Image3()->update();
    }
    if (text) m_panels[0]->setText(QStr(*text));
    if (drag.kind == TDragKind::Icon) {
        ShowHeldIcon();
    } else {
        image->update(before.united(DragArea()));
    }
    return true;
}

void TSDIAppForm::Image1MouseUp(QMouseEvent* event) {
    if (!m_clickNotice.isEmpty()) {
        QToolTip::showText(event->globalPosition().toPoint(), m_clickNotice, m_surface->Image1());
        m_clickNotice.clear();
    }
    const auto button = ToMouseButton(event->button());
    if (!button || m_editor->Drag().kind == TDragKind::None) return;
    TImageView* image = m_surface->Image1();
    const QRect before = DragArea();
    bool refresh = false;
    {
        PainterCanvas canvas(&image->MutableImage(), m_pictures);
        refresh = m_editor->Image1MouseUp(*button, canvas);
    }
    if (m_editor->Drag().kind != TDragKind::None) return;  // another button went up
    image->unsetCursor();
    image->update(before);
    if (refresh) FormActualize();
    ShowHeldIcon();
}

void TSDIAppForm::PictureRendered() {
    m_editor->DragPictureRendered();
    ShowHeldIcon();
}

void TSDIAppForm::ShowHeldIcon() {
    TImageView* image = m_surface->Image1();
    if (const auto held = m_editor->LiftedIcon()) {
        image->SetOverlay(m_pictures.image(held->picture), QPoint(held->at.x, held->at.y));
    } else {
        image->SetOverlay(QImage(), QPoint());
    }
}

QRect TSDIAppForm::DragArea() const {
    const TDragState& drag = m_editor->Drag();
    if (drag.kind != TDragKind::Measure) return {};
    return QRect(QPoint(drag.origin.x, drag.origin.y), QPoint(drag.end.x, drag.end.y))
        .normalized()
        .adjusted(-1, -1, 1, 1);
}

}  // namespace quillet
