// Small pixel-drawing kit for the toolbar pictures: every picture is drawn pixel
// by pixel on a 16 x 16 image, so nothing is scaled down and nothing blurs.
// Shapes are tested at pixel centres; only the curved track bodies use a 4 x 4
// coverage test so their arcs stay smooth.
#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <functional>
#include <initializer_list>
#include <vector>

namespace pictures {

// A shape in picture coordinates: (x, y) is a point, pixel (i, j) covers
// [i, i + 1) x [j, j + 1), so its centre is (i + 0.5, j + 0.5); y grows downwards.
using Shape = std::function<bool(double, double)>;

Shape rectShape(double x0, double y0, double x1, double y1);  // [x0, x1) x [y0, y1)
Shape pixelRect(int x0, int y0, int x1, int y1);              // pixels x0..x1, y0..y1 inclusive
Shape circleShape(double cx, double cy, double r);
Shape ellipseShape(double cx, double cy, double rx, double ry);
// Ring sector around (cx, cy) between radii r0 and r1, angles a0..a1 in degrees,
// counted anticlockwise on screen from the +x direction.
Shape ringSector(double cx, double cy, double r0, double r1, double a0, double a1);
Shape polygonShape(std::vector<std::array<double, 2>> points);
Shape unite(Shape a, Shape b);
Shape intersect(Shape a, Shape b);
Shape subtract(Shape a, Shape b);

// Characters of an ASCII-art row mapped to colours; ' ' and '.' stay untouched.
class Key {
public:
    Key();
    Key with(char c, QRgb colour) const;
    QRgb operator[](char c) const { return colours_[static_cast<unsigned char>(c) & 127]; }
    bool has(char c) const { return set_[static_cast<unsigned char>(c) & 127]; }

private:
    std::array<QRgb, 128> colours_{};
    std::array<bool, 128> set_{};
};

class Pic {
public:
    explicit Pic(int size = 16);

    int size() const { return image_.width(); }
    const QImage& image() const { return image_; }

    void put(int x, int y, QRgb colour);  // source-over blend
    void clear(int x, int y);             // back to transparent
    QRgb at(int x, int y) const;
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < size() && y < size(); }

    void rect(int x0, int y0, int x1, int y1, QRgb colour);          // inclusive corners
    void frame(int x0, int y0, int x1, int y1, QRgb colour);         // 1-pixel outline
    void box(int x0, int y0, int x1, int y1, QRgb fill, QRgb edge);  // filled and outlined
    void line(int x0, int y0, int x1, int y1, QRgb colour);          // Bresenham
    void art(int x, int y, std::initializer_list<const char*> rows, const Key& key);

    // Pixels whose centre lies in the shape; with samples > 1 the coverage of a
    // samples x samples grid becomes the pixel's opacity.
    void fill(const Shape& shape, QRgb colour, int samples = 1);
    // Pixels whose centre lies in the shape, those with a 4-neighbour outside it
    // in the edge colour (a thin, 8-connected outline).
    void blob(const Shape& shape, QRgb fill, QRgb edge);
    // Clears a one-pixel halo around everything that a shape covers, so a badge
    // laid over another drawing stays apart from it.
    void halo(const Shape& shape);

    // A one-pixel-thin arc (no doubled corners), angles as in ringSector; when
    // `within` is given, only the pixels whose centre lies in it are set.
    void arc(double cx, double cy, double r, double a0, double a1, QRgb colour, const Shape& within = {});

    // A one-pixel-thin line through the given points, in the same way.
    void path(const std::vector<std::array<double, 2>>& points, QRgb colour, const Shape& within = {});

    // Mirrors the picture left to right.
    void mirror();

    bool save(const QString& path) const;

private:
    QImage image_;
};

}  // namespace pictures
