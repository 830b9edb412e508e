#pragma once
// The program's pictures as images ready to paint: the built-in ones, made
// from the SVG files in the resources, and the template the user loads.
// White is the transparent colour of every picture; the images come out
// premultiplied ARGB with their white pixels already cleared, so painting
// them is a plain blend.

#include <QImage>
#include <QString>

#include "model/Canvas.h"

namespace quillet {

class Pictures {
public:
    Pictures() = default;

    // The built-in pictures and no template.
    static const Pictures& builtIn();

    // A null image for an empty template or a picture that failed to load.
    const QImage& image(Picture p) const;
    PixelSize size(Picture p) const;

    void setTemplate(const QImage& image);
    // Keeps the current template when the file cannot be read.
    bool loadTemplate(const QString& path);
    void clearTemplate() { m_template = QImage(); }

    // The image with every pure white pixel made transparent.
    static QImage WithWhiteTransparent(const QImage& image);
    // Resource path of a built-in picture's SVG source.
    static QString SourcePath(Picture p);

private:
    QImage m_template;
};

}  // namespace quillet
