#pragma once
// The client area of the main window: the scroll box ScrollBox1 holding the
// rendered circuit Image1, the rulers Image2 and Image3, the work-area
// outline Shape1 and its resize handle Image4. It only shows and reports;
// the editor says where everything goes (TSurfaceLayout).

#include <QImage>
#include <QScrollArea>
#include <QWidget>

#include "app/Editor.h"

class QMouseEvent;

namespace quillet {

// A picture control: shows an image at its own size and reports the mouse.
class TImageView : public QWidget {
    Q_OBJECT
public:
    explicit TImageView(const QString& name, QWidget* parent);
    void SetImage(QImage image);
    const QImage& Image() const { return m_image; }
    // For drawing on in place (the ruler guides); call update() after.
    QImage& MutableImage() { return m_image; }
    // A picture shown over the image without touching it (an accessory
    // being dragged); a null picture shows none.
    void SetOverlay(const QImage& picture, QPoint at);
    QRect OverlayRect() const;

signals:
    void MouseDown(QMouseEvent* event);
    void MouseMove(QMouseEvent* event);
    void MouseUp(QMouseEvent* event);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage m_image;
    QImage m_overlay;
    QPoint m_overlayAt;
};

// The outline of the work area: invisible except while the handle is dragged.
class TOutlineShape : public QWidget {
    Q_OBJECT
public:
    explicit TOutlineShape(QWidget* parent);
    void SetPenVisible(bool visible);
    bool PenVisible() const { return m_visible; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool m_visible = false;
};

class TDrawingSurface : public QScrollArea {
    Q_OBJECT
public:
    explicit TDrawingSurface(QWidget* parent);

    TImageView* Image1() const { return m_image1; }
    TImageView* Image2() const { return m_image2; }
    TImageView* Image3() const { return m_image3; }
    TImageView* Image4() const { return m_image4; }
    TOutlineShape* Shape1() const { return m_shape1; }

    // The visible client area and the scroll positions.
    TViewport Viewport() const;
    // Places the drawing, the outline, the handle and the rulers.
    void Place(const TSurfaceLayout& layout);
    // While the handle is dragged the outline takes the dragged size.
    void SetOutlineSize(PixelSize size);
    void ScrollTo(int x, int y);

signals:
    // ScrollBox1Resize.
    void Resized();
    // The mouse moved over the scroll box outside the drawing.
    void MouseOver();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_content;
    TImageView* m_image1;
    TImageView* m_image2;
    TImageView* m_image3;
    TImageView* m_image4;
    TOutlineShape* m_shape1;
    TSurfaceLayout m_layout;
};

}  // namespace quillet
