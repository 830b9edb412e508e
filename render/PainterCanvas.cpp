#include "render/PainterCanvas.h"

#include <QFontMetrics>
#include <QPaintEngine>
#include <QPainter>
#include <QVarLengthArray>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace quillet {

namespace {

// Pieces draw at most 18 points a shape; the buffer never reaches the heap.
using PointBuffer = QVarLengthArray<QPointF, 32>;

void Convert(std::span<const PixelPoint> points, qreal offset, PointBuffer& out) {
    out.resize(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        out[static_cast<qsizetype>(i)] = QPointF(points[i].x + offset, points[i].y + offset);
    }
}

struct FontSubstitute {
    std::string_view asked;
    std::array<const char*, 2> families;
};

// Liberation Sans, Serif and Mono share Arial's, Times New Roman's and Courier
// New's metrics, so widths and line breaks stay close to what was designed.
constexpr std::array<FontSubstitute, 10> kSubstitutes{{
    {"Arial", {"Liberation Sans", "DejaVu Sans"}},
    {"Helvetica", {"Liberation Sans", "DejaVu Sans"}},
    {"MS Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Microsoft Sans Serif", {"Liberation Sans", "DejaVu Sans"}},
    {"Tahoma", {"DejaVu Sans", "Liberation Sans"}},
    {"Verdana", {"DejaVu Sans", "Liberation Sans"}},
    {"Times New Roman", {"Liberation Serif", "DejaVu Serif"}},
    {"Courier New", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Courier", {"Liberation Mono", "DejaVu Sans Mono"}},
    {"Fixedsys", {"Liberation Mono", "DejaVu Sans Mono"}},
}};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

QString WithoutXmlForbidden(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c)) {
            if (i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
                out += text[i];
                out += text[++i];
            }
            continue;
        }
        if (QChar::isLowSurrogate(c)) continue;
        if (c < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') continue;
        if (c == 0xFFFE || c == 0xFFFF) continue;
        out += text[i];
    }
    return out;
}

QColor ToQColor(Colour c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

Colour FromQColor(const QColor& c) {
    return Rgb(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
               static_cast<std::uint8_t>(c.blue()));
}

QStringList FontFamiliesFor(std::string_view name) {
    for (const FontSubstitute& s : kSubstitutes) {
        if (SameName(s.asked, name)) {
            return {QLatin1String(s.families[0]), QLatin1String(s.families[1])};
        }
    }
    return {QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))};
}

void ResetPainterState(QPainter& painter) {
    // The painter passes on only what changed, so each goes through another
    // value first.
    painter.setPen(Qt::NoPen);
    painter.setPen(QPen());
    painter.setBrush(Qt::SolidPattern);
    painter.setBrush(Qt::NoBrush);
    painter.setBackground(Qt::black);
    painter.setBackground(Qt::white);
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setOpacity(0.5);
    painter.setOpacity(1.0);
}

PainterCanvas::PainterCanvas(QPaintDevice* device, const Pictures& pictures) : m_pictures(pictures) {
    m_ownPainter.emplace(device);
    m_painter = &*m_ownPainter;
    setUp();
}

PainterCanvas::PainterCanvas(QPainter& painter, const Pictures& pictures) : m_painter(&painter), m_pictures(pictures) {
    setUp();
}

PainterCanvas::~PainterCanvas() { end(); }

void PainterCanvas::setUp() {
    const QPaintEngine* engine = m_painter->paintEngine();
    m_raster = engine != nullptr && engine->type() == QPaintEngine::Raster;
    // Raster engines take the painter's whole state when they begin; the
    // others may still hold the last document's.
    if (!m_raster) ResetPainterState(*m_painter);
    QPaintDevice* device = m_painter->device();
    if (m_raster && device != nullptr && device->devType() == QInternal::Image) {
        auto* image = static_cast<QImage*>(device);
        const QImage::Format f = image->format();
        if (f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 || f == QImage::Format_ARGB32_Premultiplied) {
            m_image = image;
        }
    }
    // Smoothing would spread a one-pixel line over two and break the
    // inverting pen, which must hit the same pixels each time.
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, false);
}

bool PainterCanvas::isActive() const { return m_painter != nullptr && m_painter->isActive(); }

void PainterCanvas::end() {
    if (m_ownPainter && m_ownPainter->isActive()) m_ownPainter->end();
}

void PainterCanvas::useShapeMode() {
    if (!m_raster) return;  // raster operations exist only on images
    const auto mode = pen().mode == PenMode::NotXor ? QPainter::RasterOp_NotSourceXorDestination
                                                    : QPainter::CompositionMode_SourceOver;
    if (m_painter->compositionMode() != mode) m_painter->setCompositionMode(mode);
}

void PainterCanvas::useCopyMode() {
    if (m_raster && m_painter->compositionMode() != QPainter::CompositionMode_SourceOver) {
        m_painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
}

const QPen& PainterCanvas::currentPen() {
    const PenState& s = pen();
    const int width = s.width <= 1 ? 0 : s.width;
    for (std::size_t i = 0; i < m_penCount; ++i) {
        const PenEntry& e = m_pens[i];
        if (e.colour == s.colour && e.width == width && e.style == s.style) return e.pen;
    }
    QPen p(ToQColor(s.colour));
    if (width == 0) {
        // Width 0 and 1 alike: one device pixel, end points included.
        p.setWidth(0);
        p.setCosmetic(true);
        p.setCapStyle(Qt::SquareCap);
    } else {
        p.setWidth(width);
        p.setCapStyle(Qt::RoundCap);
        p.setJoinStyle(Qt::RoundJoin);
    }
    p.setStyle(s.style == PenStyle::Dotted ? Qt::DotLine : Qt::SolidLine);
    PenEntry& slot = m_pens[m_penNext];
    m_penNext = (m_penNext + 1) % m_pens.size();
    m_penCount = std::max(m_penCount, m_penNext == 0 ? m_pens.size() : m_penNext);
    slot = PenEntry{s.colour, width, s.style, p};
    return slot.pen;
}

const QBrush& PainterCanvas::currentBrush() {
    const Colour c = brush().colour;
    for (std::size_t i = 0; i < m_brushCount; ++i) {
        if (m_brushes[i].colour == c) return m_brushes[i].brush;
    }
    BrushEntry& slot = m_brushes[m_brushNext];
    m_brushNext = (m_brushNext + 1) % m_brushes.size();
    m_brushCount = std::max(m_brushCount, m_brushNext == 0 ? m_brushes.size() : m_brushNext);
    slot = BrushEntry{c, QBrush(ToQColor(c))};
    return slot.brush;
}

void PainterCanvas::useStroke(StrokeFill fill) {
    m_painter->setPen(currentPen());
    if (fill == StrokeFill::Brush && brush().fills()) {
        m_painter->setBrush(currentBrush());
    } else if (fill != StrokeFill::Untouched) {
        m_painter->setBrush(Qt::NoBrush);
    }
    useShapeMode();
}

void PainterCanvas::useFillOnly() {
    m_painter->setPen(Qt::NoPen);
    m_painter->setBrush(currentBrush());
    useShapeMode();
}

QFont PainterCanvas::qfont(const FontState& f) const {
    QFont font;
    font.setFamilies(FontFamiliesFor(f.name()));
    font.setStyleHint(QFont::SansSerif);
    font.setBold(HasStyle(f.style, FontStyle::Bold));
    font.setItalic(HasStyle(f.style, FontStyle::Italic));
    font.setUnderline(HasStyle(f.style, FontStyle::Underline));
    font.setStrikeOut(HasStyle(f.style, FontStyle::StrikeOut));
    if (f.height > 0) {
        // The height names the whole character cell, ascent plus descent,
        // which is more than the em size Qt takes.
        font.setPixelSize(f.height);
        const int cell = QFontMetrics(font, m_painter->device()).height();
        if (cell > f.height) {
            font.setPixelSize(std::max(1, static_cast<int>(std::lround(double(f.height) * f.height / cell))));
        }
    } else {
        font.setPointSize(std::max(f.size, 1));
    }
    return font;
}

void PainterCanvas::useFont() {
    if (!m_fontValid || !(font() == m_qfontFor)) {
        m_qfont = qfont(font());
        m_qfontFor = font();
        m_fontValid = true;
    }
    if (!(m_painter->font() == m_qfont)) m_painter->setFont(m_qfont);
}

void PainterCanvas::polygon(std::span<const PixelPoint> points) {
    if (points.empty()) return;
    if (brush().fills()) {
        // Exactly the pixels whose points lie inside, edges shared with a
        // neighbour going to one side only: fills meet their outline and each
        // other without gaps or overlaps.
        PointBuffer buf;
        Convert(points, fillOffset(), buf);
        useFillOnly();
        m_painter->drawPolygon(buf.constData(), static_cast<int>(buf.size()), Qt::OddEvenFill);
    }
    if (pen().draws()) stroke(points, true);
}

void PainterCanvas::polyline(std::span<const PixelPoint> points) {
    if (points.empty() || !pen().draws()) return;
    stroke(points, false);
}

void PainterCanvas::stroke(std::span<const PixelPoint> points, bool closed) {
    // A closed outline drawn as a polygon, not as separate lines, would fill.
    const bool separateLines = m_raster && cosmeticPen() && pen().mode == PenMode::Copy;
    useStroke(closed && !separateLines ? StrokeFill::Nothing : StrokeFill::Untouched);
    if (separateLines) {
        // Qt's one-pixel stroker may skip the pixel where two edges meet.
        // Separate lines keep every corner; in the inverting mode they would
        // invert each corner twice, so that mode keeps the joined stroke.
        const std::size_t n = points.size();
        if (directLines()) {
            const QRgb c = ToQColor(pen().colour).rgb();
            for (std::size_t i = 0; i + 1 < n; ++i) plotLine(points[i], points[i + 1], c);
            if (closed && n > 2) plotLine(points[n - 1], points[0], c);
            if (n == 1) plotLine(points[0], points[0], c);
            return;
        }
        QVarLengthArray<QLine, 32> lines;
        auto at = [&](std::size_t i) { return QPoint(points[i].x, points[i].y); };
        for (std::size_t i = 0; i + 1 < n; ++i) lines.append(QLine(at(i), at(i + 1)));
        if (closed && n > 2) lines.append(QLine(at(n - 1), at(0)));
        if (n == 1) lines.append(QLine(at(0), at(0)));
        m_painter->drawLines(lines.constData(), static_cast<int>(lines.size()));
        return;
    }
    PointBuffer buf;
    Convert(points, strokeOffset(), buf);
    if (closed) {
        m_painter->drawPolygon(buf.constData(), static_cast<int>(buf.size()));
    } else {
        m_painter->drawPolyline(buf.constData(), static_cast<int>(buf.size()));
    }
}

void PainterCanvas::drawLine(PixelPoint from, PixelPoint to) {
    if (!pen().draws()) return;
    if (directLines()) {
        plotLine(from, to, ToQColor(pen().colour).rgb());
        return;
    }
    const qreal o = strokeOffset();
    useStroke(StrokeFill::Untouched);
    m_painter->drawLine(QPointF(from.x + o, from.y + o), QPointF(to.x + o, to.y + o));
}

void PainterCanvas::fillRect(const PixelRect& r) {
    if (r.width() <= 0 || r.height() <= 0 || !brush().fills()) return;
    useShapeMode();
    m_painter->fillRect(QRect(r.left, r.top, r.width(), r.height()), currentBrush());
}

void PainterCanvas::rectangle(const PixelRect& r) {
    if (r.width() <= 0 || r.height() <= 0) return;
    if (!pen().draws()) {
        fillRect(r);
        return;
    }
    useStroke(StrokeFill::Brush);
    // The outline runs through the box's outermost pixels, the fill inside it.
    if (m_raster && cosmeticPen()) {
        m_painter->drawRect(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    } else {
        m_painter->drawRect(QRectF(r.left + 0.5, r.top + 0.5, r.width() - 1, r.height() - 1));
    }
}

void PainterCanvas::ellipse(const PixelRect& b) {
    if (b.width() <= 0 || b.height() <= 0) return;
    if (!pen().draws() && !brush().fills()) return;
    // On an image a box wholly outside paints nothing; skipping it also keeps
    // the row arithmetic below away from the ends of the 32-bit range, where
    // a damaged circuit's far-off dots land.
    if (m_image != nullptr &&
        (b.right <= 0 || b.bottom <= 0 || b.left >= m_image->width() || b.top >= m_image->height())) {
        return;
    }
    if (m_raster && (!pen().draws() || cosmeticPen())) {
        rasterEllipse(b);
        return;
    }
    if (!pen().draws()) {
        useFillOnly();
        m_painter->drawEllipse(QRectF(b.left, b.top, b.width(), b.height()));
        return;
    }
    useStroke(StrokeFill::Brush);
    m_painter->drawEllipse(QRectF(b.left + 0.5, b.top + 0.5, b.width() - 1, b.height() - 1));
}

// Qt's one-pixel ellipse can miss a row of its box and come out lopsided.
// Worked out row by row instead, the ellipse is symmetric, touches all four
// sides of its box, and paints each pixel once, so the inverting mode works.
void PainterCanvas::rasterEllipse(const PixelRect& b) {
    const int rows = b.height();
    const int mirror = b.left + b.right - 1;  // x + mirror(x) for left-right symmetry
    QVarLengthArray<int, 64> left(rows);
    const double cx = (b.left + b.right) / 2.0;
    const double cy = (b.top + b.bottom) / 2.0;
    const double a = b.width() / 2.0;
    const double r = rows / 2.0;
    for (int i = 0; i < rows; ++i) {
        const double dy = (b.top + i + 0.5 - cy) / r;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        // The leftmost pixel whose centre lies inside; at least the middle one.
        int x0 = static_cast<int>(std::ceil(cx - half - 0.5));
        x0 = std::min(x0, static_cast<int>(std::floor(mirror / 2.0)));
        left[i] = std::max(x0, b.left);
    }
    const bool outline = pen().draws();
    const bool fill = brush().fills();
    useShapeMode();
    const QColor penColour = ToQColor(pen().colour);
    const QColor brushColour = ToQColor(brush().colour);
    const bool direct = pen().mode == PenMode::Copy && directPixels();
    auto run = [&](int x0, int x1, int y, const QColor& c) {
        if (x1 < x0) return;
        if (direct) {
            plotRun(x0, x1, y, c.rgb());
        } else {
            m_painter->fillRect(QRect(x0, y, x1 - x0 + 1, 1), c);
        }
    };
    for (int i = 0; i < rows; ++i) {
        const int y = b.top + i;
        const int x0 = left[i];
        const int x1 = mirror - x0;
        if (!outline) {
            run(x0, x1, y, brushColour);
            continue;
        }
        // The outline runs from the row's end to where the rows above and
        // below start, so it stays closed where the curve is flat.
        const int edge = (i == 0 || i == rows - 1) ? x1 : std::max(x0, std::max(left[i - 1], left[i + 1]) - 1);
        if (edge >= mirror - edge) {
            run(x0, x1, y, penColour);
            continue;
        }
        run(x0, edge, y, penColour);
        run(mirror - edge, x1, y, penColour);
        if (fill) run(edge + 1, mirror - edge - 1, y, brushColour);
    }
}

bool PainterCanvas::directPixels() const {
    return m_image != nullptr && m_painter->deviceTransform().type() == QTransform::TxNone &&
           !m_painter->hasClipping() && m_painter->opacity() >= 1.0;
}

bool PainterCanvas::directLines() const {
    return cosmeticPen() && pen().style == PenStyle::Solid && pen().mode == PenMode::Copy && directPixels();
}

void PainterCanvas::plotRun(int x0, int x1, int y, QRgb colour) {
    if (y < 0 || y >= m_image->height()) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, m_image->width() - 1);
    if (x1 < x0) return;
    auto* row = reinterpret_cast<QRgb*>(m_image->scanLine(y));
    std::fill(row + x0, row + x1 + 1, colour | 0xFF000000u);
}

// Every pixel from one end to the other, end points included: along the
// longer axis one pixel per step, on the other axis the pixel nearest the
// true line. Lines are walked from their lower end on the longer axis, so a
// half-way tie falls the same way whichever end the line is drawn from. Only
// the steps that fall inside the image are walked, so a line of any length
// costs at most the image's size.
void PainterCanvas::plotLine(PixelPoint from, PixelPoint to, QRgb colour) {
    const QRgb value = colour | 0xFF000000u;
    const int64_t w = m_image->width();
    const int64_t h = m_image->height();
    const bool alongX = std::llabs(int64_t{to.x} - from.x) >= std::llabs(int64_t{to.y} - from.y);
    if (alongX ? to.x < from.x : to.y < from.y) std::swap(from, to);
    const int64_t dx = int64_t{to.x} - from.x;
    const int64_t dy = int64_t{to.y} - from.y;
    // Work in (major, minor) coordinates.
    const int64_t major0 = alongX ? from.x : from.y;
    const int64_t minor0 = alongX ? from.y : from.x;
    const int64_t dMajor = alongX ? dx : dy;
    const int64_t dMinor = alongX ? dy : dx;
    const int64_t majorLimit = alongX ? w : h;
    const int64_t minorLimit = alongX ? h : w;
    const int64_t sMinor = dMinor < 0 ? -1 : 1;
    const int64_t aMajor = dMajor;  // not negative after the swap
    const int64_t aMinor = std::llabs(dMinor);

    // Steps i in 0..aMajor whose major coordinate lies inside the image.
    const int64_t first = std::max<int64_t>(0, -major0);
    const int64_t last = std::min(aMajor, majorLimit - 1 - major0);
    if (first > last) return;

    // Minor offset at step i: floor((2 i aMinor + aMajor) / (2 aMajor)),
    // carried forward by its remainder.
    // Far off-image starts of lines with 32-bit ends can pass 64 bits here.
    __extension__ using Wide = __int128;
    const int64_t twoMajor = 2 * std::max<int64_t>(aMajor, 1);
    const int64_t twoMinor = 2 * aMinor;
    const Wide numerator = Wide{first} * twoMinor + aMajor;
    int64_t offset = static_cast<int64_t>(numerator / twoMajor);
    int64_t remainder = static_cast<int64_t>(numerator % twoMajor);
    uchar* bits = m_image->bits();
    const qsizetype stride = m_image->bytesPerLine();
    for (int64_t i = first; i <= last; ++i) {
        const int64_t major = major0 + i;
        const int64_t minor = minor0 + sMinor * offset;
        if (minor >= 0 && minor < minorLimit) {
            const int64_t x = alongX ? major : minor;
            const int64_t y = alongX ? minor : major;
            reinterpret_cast<QRgb*>(bits + y * stride)[x] = value;
        }
        remainder += twoMinor;
        if (remainder >= twoMajor) {
            remainder -= twoMajor;
            ++offset;
        }
    }
}

void PainterCanvas::textOut(int x, int y, std::string_view text) {
    const QString s = WithoutXmlForbidden(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    useFont();
    useCopyMode();
    const QFontMetrics fm = m_painter->fontMetrics();
    if (brush().fills()) {
        m_painter->fillRect(QRect(x, y, fm.horizontalAdvance(s), fm.height()), ToQColor(brush().colour));
    }
    if (font().colour == kNoColour) return;
    m_painter->setPen(ToQColor(font().colour));
    m_painter->drawText(QPointF(x, y + fm.ascent()), s);
}

int PainterCanvas::textWidth(std::string_view text) {
    useFont();
    return m_painter->fontMetrics().horizontalAdvance(
        QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

int PainterCanvas::textHeight(std::string_view) {
    useFont();
    return m_painter->fontMetrics().height();
}

void PainterCanvas::drawPicture(Picture p, int x, int y) {
    const QImage& image = m_pictures.image(p);
    if (image.isNull()) return;
    useCopyMode();
    m_painter->drawImage(QPoint(x, y), image);
}

void PainterCanvas::drawPictureStretched(Picture p, const PixelRect& target) {
    const QImage& image = m_pictures.image(p);
    if (image.isNull() || target.width() <= 0 || target.height() <= 0) return;
    useCopyMode();
    m_painter->drawImage(QRect(target.left, target.top, target.width(), target.height()), image);
}

PixelSize PainterCanvas::pictureSize(Picture p) const { return m_pictures.size(p); }

}  // namespace quillet
