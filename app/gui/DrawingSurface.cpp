#include "app/gui/DrawingSurface.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace quillet {

// ---------------------------------------------------------------------------
// TImageView

TImageView::TImageView(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageView::SetImage(QImage image) {
    m_image = std::move(image);
    setFixedSize(m_image.size());
    update();
}

void TImageView::SetOverlay(const QImage& picture, QPoint at) {
    const QRect before = OverlayRect();
    m_overlay = picture;
    m_overlayAt = at;
    // Only the two places change.
    update(before.united(OverlayRect()));
}

QRect TImageView::OverlayRect() const { return m_overlay.isNull() ? QRect() : QRect(m_overlayAt, m_overlay.size()); }

void TImageView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const QRect area = event->rect();
    p.drawImage(area.topLeft(), m_image, area);
    if (!m_overlay.isNull() && area.intersects(OverlayRect())) p.drawImage(m_overlayAt, m_overlay);
}

void TImageView::mousePressEvent(QMouseEvent* event) { emit MouseDown(event); }
void TImageView::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event); }
void TImageView::mouseReleaseEvent(QMouseEvent* event) { emit MouseUp(event); }

// ---------------------------------------------------------------------------
// TOutlineShape

TOutlineShape::TOutlineShape(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Shape1"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void TOutlineShape::SetPenVisible(bool visible) {
    m_visible = visible;
    update();
}

void TOutlineShape::paintEvent(QPaintEvent*) {
    if (!m_visible) return;
    QPainter p(this);
    p.setPen(QPen(Qt::gray, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---------------------------------------------------------------------------
// TDrawingSurface

TDrawingSurface::TDrawingSurface(QWidget* parent) : QScrollArea(parent) {
    setObjectName(QStringLiteral("ScrollBox1"));
    setWidgetResizable(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_content = new QWidget;
    m_content->setObjectName(QStringLiteral("ScrollBox1Content"));
    m_content->setMouseTracking(true);
    m_content->installEventFilter(this);
    m_image1 = new TImageView(QStringLiteral("Image1"), m_content);
    m_image1->setMouseTracking(true);
    m_image2 = new TImageView(QStringLiteral("Image2"), m_content);
    m_image3 = new TImageView(QStringLiteral("Image3"), m_content);
    m_shape1 = new TOutlineShape(m_content);
    m_image4 = new TImageView(QStringLiteral("Image4"), m_content);
    m_image4->setCursor(Qt::SizeFDiagCursor);
    QImage handle(5, 5, QImage::Format_RGB32);
    handle.fill(QColor(0x40, 0x40, 0x40));
    m_image4->SetImage(handle);
    m_image2->hide();
    m_image3->hide();
    setWidget(m_content);
    viewport()->setMouseTracking(true);
    viewport()->installEventFilter(this);
}

TViewport TDrawingSurface::Viewport() const {
    return {viewport()->width(), viewport()->height(), horizontalScrollBar()->value(), verticalScrollBar()->value()};
}

void TDrawingSurface::Place(const TSurfaceLayout& l) {
    m_layout = l;
    m_content->resize(l.content.width, l.content.height);
    m_image1->move(l.imageOrigin.x, l.imageOrigin.y);
    m_shape1->setGeometry(l.outline.left, l.outline.top, l.outline.width(), l.outline.height());
    m_image4->move(l.handle.left, l.handle.top);
    const bool rulers = !l.horizontalRuler.empty();
    m_image2->setVisible(rulers);
    m_image3->setVisible(rulers);
    if (rulers) {
        m_image2->move(0, 0);
        m_image3->move(0, kRulerSize);
        // The horizontal ruler may run past the drawing to the view's edge.
        m_content->resize(std::max(l.content.width, l.horizontalRuler.width),
                          std::max(l.content.height, kRulerSize + l.verticalRuler.height));
    }
    m_shape1->raise();
    m_image4->raise();
}

void TDrawingSurface::SetOutlineSize(PixelSize size) {
    m_shape1->resize(size.width, size.height);
    // The outline may grow past the drawing while the handle is dragged.
    m_content->resize(std::max(m_content->width(), m_shape1->x() + size.width + 1),
                      std::max(m_content->height(), m_shape1->y() + size.height + 1));
}

void TDrawingSurface::ScrollTo(int x, int y) {
    horizontalScrollBar()->setValue(x);
    verticalScrollBar()->setValue(y);
}

void TDrawingSurface::resizeEvent(QResizeEvent* event) {
    QScrollArea::resizeEvent(event);
    emit Resized();
}

bool TDrawingSurface::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove && (watched == m_content || watched == viewport())) emit MouseOver();
    return QScrollArea::eventFilter(watched, event);
}

}  // namespace quillet
