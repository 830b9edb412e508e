#include "render/Pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QtGlobal>
#include <array>


#include "model/FileIO.h"
#include "platform/Platform.h"

// The resources live in a static library, where nothing else would pull them
// into the program; this has to sit outside any namespace.
static void InitPictureResources() { Q_INIT_RESOURCE(pictures); }

namespace quillet {

namespace {

constexpr std::array<const char*, kPictureCount - 1> kFiles{
    "drawing.svg",
    "lap-counter.svg",
    "start.svg",
    "controller.svg",
    "assistant.svg",
    "power-source.svg",
    "lap-counter-highlighted.svg",
    "start-highlighted.svg",
    "controller-highlighted.svg",
    "assistant-highlighted.svg",
    "power-source-highlighted.svg",
    "anchor-marker.svg",
    "start-marker.svg",
};

QImage Render(Picture p) {
    const PixelSize size = NominalPictureSize(p);
    QSvgRenderer svg(Pictures::SourcePath(p));
    if (!svg.isValid()) {
        qWarning("Picture %s cannot be read", qUtf8Printable(Pictures::SourcePath(p)));
        return QImage();
    }
    // Drawn on transparency rather than white, so the smoothed edges blend
    // into whatever background the picture lands on.
    QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    svg.render(&painter, QRectF(0, 0, size.width, size.height));
    painter.end();
    return Pictures::WithWhiteTransparent(image);
}

const std::array<QImage, kPictureCount - 1>& BuiltInImages() {
    static const std::array<QImage, kPictureCount - 1> images = [] {
        InitPictureResources();
        std::array<QImage, kPictureCount - 1> out;
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = Render(static_cast<Picture>(i));
        return out;
    }();
    return images;
}

}  // namespace

const Pictures& Pictures::builtIn() {
    static const Pictures pictures;
    return pictures;
}

QString Pictures::SourcePath(Picture p) {
    if (p == Picture::Template) return QString();
    return QStringLiteral(":/pictures/") + QLatin1String(kFiles[static_cast<std::size_t>(p)]);
}

const QImage& Pictures::image(Picture p) const {
    if (p == Picture::Template) return m_template;
    return BuiltInImages()[static_cast<std::size_t>(p)];
}

PixelSize Pictures::size(Picture p) const {
    if (p != Picture::Template) return NominalPictureSize(p);
    return {m_template.width(), m_template.height()};
}

void Pictures::setTemplate(const QImage& image) { m_template = WithWhiteTransparent(image); }

bool Pictures::loadTemplate(const QString& path) {
    // Only a file, checked on the opened descriptor: the reader would wait
    // on a named pipe for a writer, and the window with it.
    const int fd = OpenRegularFile(QFile::encodeName(path).toStdString());
    if (fd < 0) return false;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        platform::CloseFile(fd);
        return false;
    }
    QImageReader reader(&file, QFileInfo(path).suffix().toLatin1());
    QImage image = reader.read();
    if (image.isNull()) return false;
    setTemplate(image);
    return true;
}

QImage Pictures::WithWhiteTransparent(const QImage& source) {
    if (source.isNull()) return source;
    QImage image = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] == 0xFFFFFFFFu) row[x] = 0;
        }
    }
    return image;
}

}  // namespace quillet
