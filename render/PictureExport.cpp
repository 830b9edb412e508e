#include "render/PictureExport.h"

#include <QBuffer>
#include <QImage>
#include <QPageSize>
#include <QPdfWriter>
#include <QString>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <functional>

#include "app/Editor.h"
#include "model/Tracks.h"
#include "render/PainterCanvas.h"
#include "tools/Printing.h"

namespace quillet {

namespace {

// QSvgGenerator writes its title into the document as it is: an "&" or a
// control character in a circuit's name would make the file no XML reader
// takes.
QString SvgText(const std::string& utf8) {
    const QString text = WithoutXmlForbidden(QString::fromStdString(utf8));
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
            case u'&':
                escaped += QStringLiteral("&amp;");
                break;
            case u'<':
                escaped += QStringLiteral("&lt;");
                break;
            case u'>':
                escaped += QStringLiteral("&gt;");
                break;
            case u'"':
                escaped += QStringLiteral("&quot;");
                break;
            case u'\'':
                escaped += QStringLiteral("&apos;");
                break;
            default:
                escaped += c;
        }
    }
    return escaped;
}

// The Print command's drawing on a page of a picture file: the canvas is the
// picture's, the page its whole size, and there is no document to begin.
class PagePrinter final : public TPrinterDevice {
public:
    PagePrinter(Canvas& canvas, QSize page) : m_canvas(canvas), m_page{page.width(), page.height()} {}
    bool BeginDocument(const std::string&) override { return true; }
    PixelSize PageSize() override { return m_page; }
    Canvas& PageCanvas() override { return m_canvas; }
    void WriteLine(std::string_view, bool) override {}
    bool EndDocument() override { return true; }

private:
    Canvas& m_canvas;
    PixelSize m_page;
};

// Paints `size` device pixels on the device of the format and puts the
// file's bytes in `bytes`. A PDF takes `page` when given, else a page of the
// picture's size.
bool PaintPicture(PictureFormat format, QSize size, int dpi, const std::optional<QPageLayout>& page,
                  const std::string& title, const Pictures& pictures, QByteArray& bytes,
                  const std::function<bool(Canvas&)>& paint) {
    bytes.clear();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
        case PictureFormat::Png: {
            QImage image(size, QImage::Format_RGB32);
            if (image.isNull()) return false;
            image.fill(Qt::white);
            const int dotsPerMetre = qRound(dpi / 0.0254);
            image.setDotsPerMeterX(dotsPerMetre);
            image.setDotsPerMeterY(dotsPerMetre);
            bool painted;
            {
                PainterCanvas canvas(&image, pictures);
                painted = paint(canvas);
            }
            return painted && image.save(&buffer, "PNG");
        }
        case PictureFormat::Svg: {
            QSvgGenerator svg;
            svg.setOutputDevice(&buffer);
            svg.setSize(size);
            svg.setViewBox(QRect(QPoint(0, 0), size));
            svg.setResolution(dpi);
            svg.setTitle(SvgText(title));
            PainterCanvas canvas(&svg, pictures);
            if (!canvas.isActive()) return false;
            const bool painted = paint(canvas);
            canvas.end();
            return painted;
        }
        case PictureFormat::Pdf: {
            QPdfWriter pdf(&buffer);
            pdf.setTitle(WithoutXmlForbidden(QString::fromStdString(title)));
            pdf.setCreator(QStringLiteral("Quillet"));
            if (page) {
                pdf.setResolution(dpi);
                pdf.setPageLayout(*page);
            } else {
                // One point per pixel: the page is the picture.
                pdf.setResolution(72);
                pdf.setPageLayout(
                    QPageLayout(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch),
                                QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
            }
            PainterCanvas canvas(&pdf, pictures);
            if (!canvas.isActive()) return false;
            const bool painted = paint(canvas);
            canvas.end();
            return painted;
        }
    }
    return false;
}

}  // namespace

std::optional<PictureFormat> PictureFormatOf(std::string_view path) {
    std::string ext = std::filesystem::path(path).extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (ext == ".png") return PictureFormat::Png;
    if (ext == ".svg") return PictureFormat::Svg;
    if (ext == ".pdf") return PictureFormat::Pdf;
    return std::nullopt;
}

QPageLayout PrintPage(QPageLayout::Orientation orientation) {
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(0, 0, 0, 0));
}

QSize PrintPageDots(QPageLayout::Orientation orientation) {
    return PrintPage(orientation).fullRectPixels(kPageDpi).size();
}

QPageLayout::Orientation PageOrientationFor(int32_t areaLength, int32_t areaWidth) {
    return areaLength > areaWidth ? QPageLayout::Landscape : QPageLayout::Portrait;
}

bool RenderWorkArea(PictureFormat format, TEditor& editor, const Pictures& pictures, QByteArray& bytes) {
    const PixelSize image = editor.Layout().image;
    const QSize size(std::max(image.width, 1), std::max(image.height, 1));
    return PaintPicture(format, size, kScreenDpi, std::nullopt, editor.Circuit().title, pictures, bytes,
                        [&editor](Canvas& canvas) {
                            editor.Render(canvas);
                            return true;
                        });
}

bool RenderPrintPage(PictureFormat format, const TCircuit& circuit, int32_t areaLength, int32_t areaWidth,
                     QPageLayout::Orientation orientation, const Pictures& pictures, QByteArray& bytes) {
    const QSize size = PrintPageDots(orientation);
    return PaintPicture(format, size, kPageDpi, PrintPage(orientation), circuit.title, pictures, bytes,
                        [&](Canvas& canvas) {
                            PagePrinter page(canvas, size);
                            return PrintCircuitDrawing(circuit, areaLength, areaWidth, page);
                        });
}

}  // namespace quillet
