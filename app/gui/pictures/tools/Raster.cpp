#include "Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace pictures {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Angle of (dx, dy) in degrees, anticlockwise on screen, in [0, 360).
double screenAngle(double dx, double dy) {
    double a = std::atan2(-dy, dx) * 180.0 / kPi;
    return a < 0 ? a + 360.0 : a;
}

bool angleWithin(double a, double a0, double a1) {
    // a0..a1 may run past 360 or start below 0; compare on the unwrapped range.
    for (double shift : {-360.0, 0.0, 360.0}) {
        const double b = a + shift;
        if (b >= a0 && b <= a1) return true;
    }
    return false;
}

}  // namespace

Shape rectShape(double x0, double y0, double x1, double y1) {
    return [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; };
}

Shape pixelRect(int x0, int y0, int x1, int y1) { return rectShape(x0, y0, x1 + 1, y1 + 1); }

Shape circleShape(double cx, double cy, double r) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Shape ellipseShape(double cx, double cy, double rx, double ry) {
    return [=](double x, double y) {
        const double u = (x - cx) / rx;
        const double v = (y - cy) / ry;
        return u * u + v * v <= 1.0;
    };
}

Shape ringSector(double cx, double cy, double r0, double r1, double a0, double a1) {
    return [=](double x, double y) {
        const double d = std::hypot(x - cx, y - cy);
        if (d < r0 || d > r1) return false;
        return angleWithin(screenAngle(x - cx, y - cy), a0, a1);
    };
}

Shape polygonShape(std::vector<std::array<double, 2>> points) {
    return [pts = std::move(points)](double x, double y) {
        bool in = false;
        for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
            const auto& a = pts[i];
            const auto& b = pts[j];
            if ((a[1] > y) != (b[1] > y)) {
                const double xc = a[0] + (y - a[1]) * (b[0] - a[0]) / (b[1] - a[1]);
                if (x < xc) in = !in;
            }
        }
        return in;
    };
}

Shape unite(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) || b(x, y); };
}

Shape intersect(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && b(x, y); };
}

Shape subtract(Shape a, Shape b) {
    return [=](double x, double y) { return a(x, y) && !b(x, y); };
}

Key::Key() = default;

Key Key::with(char c, QRgb colour) const {
    Key k = *this;
    const auto i = static_cast<unsigned char>(c) & 127;
    k.colours_[i] = colour;
    k.set_[i] = true;
    return k;
}

Pic::Pic(int size) : image_(size, size, QImage::Format_ARGB32) { image_.fill(0); }

void Pic::put(int x, int y, QRgb c) {
    if (!inside(x, y)) return;
    const int sa = qAlpha(c);
    if (sa == 255) {
        image_.setPixel(x, y, c);
        return;
    }
    if (sa == 0) return;
    const QRgb d = image_.pixel(x, y);
    const double a = sa / 255.0;
    const double da = qAlpha(d) / 255.0;
    const double oa = a + da * (1 - a);
    auto mix = [&](int s, int t) { return static_cast<int>(std::lround((s * a + t * da * (1 - a)) / oa)); };
    image_.setPixel(x, y,
                    qRgba(mix(qRed(c), qRed(d)), mix(qGreen(c), qGreen(d)), mix(qBlue(c), qBlue(d)),
                          static_cast<int>(std::lround(oa * 255))));
}

void Pic::clear(int x, int y) {
    if (inside(x, y)) image_.setPixel(x, y, 0);
}

QRgb Pic::at(int x, int y) const { return inside(x, y) ? image_.pixel(x, y) : 0; }

void Pic::rect(int x0, int y0, int x1, int y1, QRgb colour) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) put(x, y, colour);
}

void Pic::frame(int x0, int y0, int x1, int y1, QRgb colour) {
    for (int x = x0; x <= x1; ++x) {
        put(x, y0, colour);
        put(x, y1, colour);
    }
    for (int y = y0 + 1; y < y1; ++y) {
        put(x0, y, colour);
        put(x1, y, colour);
    }
}

void Pic::box(int x0, int y0, int x1, int y1, QRgb fillColour, QRgb edge) {
    rect(x0, y0, x1, y1, fillColour);
    frame(x0, y0, x1, y1, edge);
}

void Pic::line(int x0, int y0, int x1, int y1, QRgb colour) {
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        put(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Pic::art(int x, int y, std::initializer_list<const char*> rows, const Key& key) {
    int j = 0;
    for (const char* row : rows) {
        for (int i = 0; row[i] != '\0'; ++i) {
            const char c = row[i];
            if (c == '.' || c == ' ') continue;
            if (c == '_') {
                clear(x + i, y + j);
                continue;
            }
            if (key.has(c)) put(x + i, y + j, key[c]);
        }
        ++j;
    }
}

void Pic::fill(const Shape& shape, QRgb colour, int samples) {
    for (int y = 0; y < size(); ++y) {
        for (int x = 0; x < size(); ++x) {
            if (samples <= 1) {
                if (shape(x + 0.5, y + 0.5)) put(x, y, colour);
                continue;
            }
            int hits = 0;
            for (int v = 0; v < samples; ++v)
                for (int u = 0; u < samples; ++u)
                    if (shape(x + (u + 0.5) / samples, y + (v + 0.5) / samples)) ++hits;
            if (hits == 0) continue;
            const int alpha = qAlpha(colour) * hits / (samples * samples);
            put(x, y, qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha));
        }
    }
}

void Pic::blob(const Shape& shape, QRgb fillColour, QRgb edge) {
    auto in = [&](int x, int y) { return shape(x + 0.5, y + 0.5); };
    for (int y = 0; y < size(); ++y) {
        for (int x = 0; x < size(); ++x) {
            if (!in(x, y)) continue;
            const bool border = !in(x - 1, y) || !in(x + 1, y) || !in(x, y - 1) || !in(x, y + 1);
            put(x, y, border ? edge : fillColour);
        }
    }
}

void Pic::halo(const Shape& shape) {
    auto in = [&](int x, int y) { return shape(x + 0.5, y + 0.5); };
    std::vector<std::pair<int, int>> around;
    for (int y = 0; y < size(); ++y)
        for (int x = 0; x < size(); ++x) {
            if (in(x, y)) continue;
            bool near = false;
            for (int v = -1; v <= 1 && !near; ++v)
                for (int u = -1; u <= 1 && !near; ++u) near = in(x + u, y + v);
            if (near) around.emplace_back(x, y);
        }
    for (auto [x, y] : around) clear(x, y);
}

void Pic::arc(double cx, double cy, double r, double a0, double a1, QRgb colour, const Shape& within) {
    std::vector<std::array<double, 2>> points;
    const int steps = std::max(8, static_cast<int>(std::ceil(std::abs(a1 - a0) * r / 4.0)));
    for (int s = 0; s <= steps; ++s) {
        const double a = (a0 + (a1 - a0) * s / steps) * kPi / 180.0;
        points.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
    }
    path(points, colour, within);
}

void Pic::path(const std::vector<std::array<double, 2>>& points, QRgb colour, const Shape& within) {
    // Walk the line finely, keep each pixel once, then drop the corner pixels
    // of L-shaped steps so the line stays one pixel thin.
    std::vector<std::pair<int, int>> run;
    auto visit = [&](double x, double y) {
        const std::pair<int, int> px{static_cast<int>(std::floor(x)), static_cast<int>(std::floor(y))};
        if (run.empty() || run.back() != px) run.push_back(px);
    };
    for (std::size_t i = 0; i < points.size(); ++i) {
        if (i == 0) {
            visit(points[0][0], points[0][1]);
            continue;
        }
        const auto& a = points[i - 1];
        const auto& b = points[i];
        const int steps = std::max(1, static_cast<int>(std::ceil(std::hypot(b[0] - a[0], b[1] - a[1]) * 8)));
        for (int s = 1; s <= steps; ++s) visit(a[0] + (b[0] - a[0]) * s / steps, a[1] + (b[1] - a[1]) * s / steps);
    }
    std::vector<std::pair<int, int>> thin;
    for (std::size_t i = 0; i < run.size(); ++i) {
        if (i > 0 && i + 1 < run.size() && !thin.empty()) {
            const auto& p = thin.back();
            const auto& n = run[i + 1];
            const auto& c = run[i];
            const bool lCorner = (p.first == c.first || p.second == c.second) &&
                                 (n.first == c.first || n.second == c.second) && p.first != n.first &&
                                 p.second != n.second;
            if (lCorner) continue;
        }
        thin.push_back(run[i]);
    }
    for (auto [x, y] : thin)
        if (!within || within(x + 0.5, y + 0.5)) put(x, y, colour);
}

void Pic::mirror() { image_ = image_.mirrored(true, false); }

bool Pic::save(const QString& path) const { return image_.save(path, "PNG"); }

}  // namespace pictures
