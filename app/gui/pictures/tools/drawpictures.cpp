// drawpictures: draws the 16 x 16 toolbar pictures of the main window and the
// application icon's PNG sizes.
//
//   drawpictures <source root>
//
// writes app/gui/pictures/*.png, app/gui/pictures/toolbar.qrc and
// packaging/icons/hicolor/<N>x<N>/apps/quillet.png below the given root; the
// large icon sizes are rasterised from packaging/icons/quillet.svg. Run it
// through app/gui/pictures/tools/regenerate.sh.
//
// One visual language throughout: a track piece is a dark body with dim lane
// slots (bright slots would split it into three bars at this size), laid
// travelling upwards: entry on the bottom edge, so a curve turns to the left.
// The action is a small accent in the top right corner: green plus = add or
// insert, red cross = delete, amber A = automatic. View and position commands
// are blue. The insert buttons share one scale, two lanes = 8 pixels, so the
// straights (16, 8, 4 pixels; the standard one a little shortened to fit) and
// the four curve radii (3, 11, 19, 27 pixels) compare as the real pieces do.

#include "Raster.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace pictures;

namespace {

constexpr double kPi = 3.14159265358979323846;

// ---------------------------------------------------------------- palette

constexpr QRgb Body = 0xFF2E2E2E;      // track body
constexpr QRgb BodyDeep = 0xFF161616;  // the dark squares of a start line
constexpr QRgb Slot = 0xFFA0A0A0;      // lane slot: dim, so a piece reads as one body
constexpr QRgb Ink = 0xFF2A2A2A;       // dark outlines and glyphs
constexpr QRgb Paper = 0xFFFFFFFF;
constexpr QRgb PaperEdge = 0xFF6F6F6F;
constexpr QRgb PaperFold = 0xFFD5D5D5;
constexpr QRgb Rule = 0xFF9AA3AE;  // lines of writing on paper
constexpr QRgb GreenEdge = 0xFF1D7A2B;
constexpr QRgb GreenFill = 0xFF4DBB57;
constexpr QRgb RedEdge = 0xFF9B1B20;
constexpr QRgb RedFill = 0xFFE4393F;
constexpr QRgb BlueEdge = 0xFF1D4E9C;
constexpr QRgb BlueFill = 0xFF4F90E2;
constexpr QRgb AmberEdge = 0xFF93620A;
constexpr QRgb AmberFill = 0xFFF5BF32;
constexpr QRgb AmberDeep = 0xFFDB9D1E;
constexpr QRgb KerbRed = 0xFFD8262C;
constexpr QRgb KerbWhite = 0xFFFFFFFF;
constexpr QRgb KerbEdge = 0xFF7E7E7E;
constexpr QRgb BarrierFill = 0xFFC62020;
constexpr QRgb BarrierEdge = 0xFF6A0E0E;
constexpr QRgb Metal = 0xFFB9C0C9;
constexpr QRgb MetalDark = 0xFF858D98;
constexpr QRgb MetalEdge = 0xFF434952;
constexpr QRgb Card = 0xFFD39C58;  // cardboard
constexpr QRgb CardDark = 0xFFB07A36;
constexpr QRgb CardEdge = 0xFF74491A;
constexpr QRgb Glass = 0xFFDDEEFF;
constexpr QRgb Marker = 0xFF7CD67C;  // chicane markers

Key baseKey() {
    return Key()
        .with('b', Body)
        .with('s', Slot)
        .with('k', Ink)
        .with('w', Paper)
        .with('P', PaperEdge)
        .with('f', PaperFold)
        .with('l', Rule)
        .with('G', GreenEdge)
        .with('g', GreenFill)
        .with('R', RedEdge)
        .with('r', RedFill)
        .with('B', BlueEdge)
        .with('u', BlueFill)
        .with('Y', AmberEdge)
        .with('y', AmberFill)
        .with('a', AmberDeep)
        .with('m', Metal)
        .with('n', MetalDark)
        .with('M', MetalEdge)
        .with('c', Card)
        .with('C', CardEdge)
        .with('d', CardDark);
}

// The set of pixels of an ASCII-art block, as a shape (for halos).
Shape artShape(int x, int y, std::vector<const char*> rows) {
    return [=](double px, double py) {
        const int i = static_cast<int>(std::floor(px)) - x;
        const int j = static_cast<int>(std::floor(py)) - y;
        if (j < 0 || j >= static_cast<int>(rows.size()) || i < 0) return false;
        const char* row = rows[static_cast<std::size_t>(j)];
        for (int k = 0; k <= i; ++k)
            if (row[k] == '\0') return false;
        return row[i] != '.' && row[i] != ' ';
    };
}

void artWithHalo(Pic& p, int x, int y, std::initializer_list<const char*> rows, const Key& key) {
    p.halo(artShape(x, y, std::vector<const char*>(rows)));
    p.art(x, y, rows, key);
}

// ---------------------------------------------------------------- accents

// Accents, 6 x 6 in the top right corner unless told otherwise, with a clear
// pixel around them.
// Green plus: add or insert.
void badgeAdd(Pic& p, int x = 10, int y = 0) {
    artWithHalo(p, x, y, {"..GG..", "..GG..", "GGGGGG", "GGGGGG", "..GG..", "..GG.."}, Key().with('G', 0xFF2A9E3A));
}

// Red cross: delete.
void badgeDelete(Pic& p, int x = 10, int y = 0) {
    artWithHalo(p, x, y, {"RR..RR", "RRRRRR", ".RRRR.", ".RRRR.", "RRRRRR", "RR..RR"}, Key().with('R', 0xFFD92B31));
}

// Amber A: automatic.
void badgeAuto(Pic& p, int x = 10, int y = 0) {
    artWithHalo(p, x, y, {".YYYY.", "YYkkYY", "YkYYkY", "YkkkkY", "YkYYkY", ".YYYY."},
                Key().with('Y', 0xFFF2B42A).with('k', Ink));
}

// ---------------------------------------------------------------- pieces

// A straight two-lane piece, 8 pixels wide (columns x..x+7), rows y0..y1.
void straight(Pic& p, int x, int y0, int y1, QRgb body = Body) {
    p.rect(x, y0, x + 7, y1, body);
    p.rect(x + 2, y0, x + 2, y1, Slot);
    p.rect(x + 5, y0, x + 5, y1, Slot);
}

struct Curve {
    double cx, cy;  // centre
    double r;       // inner radius
    double a0, a1;  // arc from a0 to a1 degrees, anticlockwise from +x
    double w = 8;   // width
};

Shape curveBody(const Curve& c) { return ringSector(c.cx, c.cy, c.r, c.r + c.w, c.a0, c.a1); }

// A curve with a slot two pixels and a half in from each edge (one and a half
// for a narrow one). The arcs of
// the body are smoothed; the slots stay one sharp pixel wide.
void curve(Pic& p, const Curve& c, QRgb body = Body) {
    const Shape shape = curveBody(c);
    p.fill(shape, body, 4);
    const double inset = c.w >= 8 ? 2.5 : 1.5;
    p.arc(c.cx, c.cy, c.r + inset, c.a0, c.a1, Slot, shape);
    p.arc(c.cx, c.cy, c.r + c.w - inset, c.a0, c.a1, Slot, shape);
}

// A left-hand curve piece of inner radius r and arc a degrees entering on the
// bottom edge, centred in the columns left of the accent.
Curve pieceCurve(double r, double a, double w = 8) {
    const double left = r * std::cos(a * kPi / 180.0);
    const double right = r + w;
    const double cx = std::round(5.5 - (left + right) / 2.0);
    return Curve{cx, 16, r, 0, a, w};
}

// Red and white kerb along a curve, between radii r0 and r1, with a grey line
// on its far side (at r0 when `edgeInside`, else at r1).
void kerb(Pic& p, const Curve& c, double r0, double r1, bool edgeInside) {
    const double mid = (r0 + r1) / 2;
    auto stripe = [=](double x, double y, int parity) {
        if (!ringSector(c.cx, c.cy, r0, r1, c.a0, c.a1)(x, y)) return false;
        const double ang = std::atan2(-(y - c.cy), x - c.cx);
        const int k = static_cast<int>(std::floor(ang * mid / 2.0));
        return (k & 1) == parity;
    };
    p.fill([=](double x, double y) { return stripe(x, y, 0); }, KerbRed, 4);
    p.fill([=](double x, double y) { return stripe(x, y, 1); }, KerbWhite, 4);
    if (edgeInside)
        p.fill(ringSector(c.cx, c.cy, r0 - 1, r0, c.a0, c.a1), KerbEdge, 4);
    else
        p.fill(ringSector(c.cx, c.cy, r1, r1 + 1, c.a0, c.a1), KerbEdge, 4);
}

// A closed stadium-shaped loop of track: body 3 pixels wide with one slot,
// around the segment (x0, cy)..(x1, cy) at distance rho.
double segmentDistance(double x, double y, double x0, double x1, double cy) {
    const double dx = x < x0 ? x0 - x : (x > x1 ? x - x1 : 0.0);
    return std::hypot(dx, y - cy);
}

double segmentDistanceTo(double x, double y, const std::array<double, 2>& a, const std::array<double, 2>& b) {
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((x - a[0]) * dx + (y - a[1]) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(x - (a[0] + t * dx), y - (a[1] + t * dy));
}

Shape loopBody(double x0, double x1, double cy, double rho, double half = 1.5) {
    return [=](double x, double y) {
        const double d = segmentDistance(x, y, x0, x1, cy);
        return d >= rho - half && d < rho + half;
    };
}

void loopSlot(Pic& p, double x0, double x1, double cy, double rho, QRgb colour = Slot, const Shape& only = {}) {
    // Straight parts as rows, ends as thin arcs.
    const int top = static_cast<int>(std::floor(cy - rho));
    const int bottom = static_cast<int>(std::floor(cy + rho));
    for (int x = static_cast<int>(std::ceil(x0)); x < static_cast<int>(std::floor(x1)); ++x) {
        if (!only || only(x + 0.5, top + 0.5)) p.put(x, top, colour);
        if (!only || only(x + 0.5, bottom + 0.5)) p.put(x, bottom, colour);
    }
    Shape keepLeft = [=](double x, double y) { return x < x0 && (!only || only(x, y)); };
    Shape keepRight = [=](double x, double y) { return x >= x1 && (!only || only(x, y)); };
    p.arc(x0, cy, rho, 90, 270, colour, keepLeft);
    p.arc(x1, cy, rho, -90, 90, colour, keepRight);
}

void loop(Pic& p, double x0, double x1, double cy, double rho) {
    p.fill(loopBody(x0, x1, cy, rho), Body, 4);
    loopSlot(p, x0, x1, cy, rho);
}

// A rectangle [x0, x1) x [y0, y1) with corners rounded to radius r.
Shape roundedRect(double x0, double y0, double x1, double y1, double r) {
    return [=](double x, double y) {
        if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
        const double cx = std::clamp(x, x0 + r, x1 - r);
        const double cy = std::clamp(y, y0 + r, y1 - r);
        return std::hypot(x - cx, y - cy) <= r;
    };
}

// ---------------------------------------------------------------- paper

// A sheet with its top right corner folded over by f pixels.
void page(Pic& p, int x0, int y0, int x1, int y1, int f) {
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const int over = x - (x1 - f);
            const int down = y - y0;
            if (f > 0 && over > down) continue;  // cut corner
            const bool edge = x == x0 || x == x1 || y == y0 || y == y1 || (f > 0 && over == down);
            if (f > 0 && over >= 0 && down <= f) {
                const bool foldEdge = over == 0 || down == f || over == down;
                p.put(x, y, foldEdge ? PaperEdge : PaperFold);
                continue;
            }
            p.put(x, y, edge ? PaperEdge : Paper);
        }
    }
}

// 4 x 5 capitals and 3 x 5 digits for the tiny labels.
const char* const* glyph(char c) {
    static const char* P[] = {"XXX.", "X..X", "XXX.", "X...", "X..."};
    static const char* N[] = {"X..X", "XX.X", "X.XX", "X..X", "X..X"};
    static const char* G[] = {".XXX", "X...", "X.XX", "X..X", ".XXX"};
    static const char* S[] = {".XXX", "X...", ".XX.", "...X", "XXX."};
    static const char* V[] = {"X..X", "X..X", "X..X", ".XX.", ".XX."};
    static const char* D[] = {"XXX.", "X..X", "X..X", "X..X", "XXX."};
    static const char* F[] = {"XXXX", "X...", "XXX.", "X...", "X..."};
    static const char* d1[] = {".X.", "XX.", ".X.", ".X.", "XXX"};
    static const char* d2[] = {"XX.", "..X", ".X.", "X..", "XXX"};
    switch (c) {
        case 'P':
            return P;
        case 'N':
            return N;
        case 'G':
            return G;
        case 'S':
            return S;
        case 'V':
            return V;
        case 'D':
            return D;
        case 'F':
            return F;
        case '1':
            return d1;
        case '2':
            return d2;
        default:
            return nullptr;
    }
}

// Draws the text with one blank column between the glyphs.
void label(Pic& p, int x, int y, const char* s, QRgb colour) {
    for (; *s != '\0'; ++s) {
        const char* const* g = glyph(*s);
        if (g == nullptr) continue;
        int width = 0;
        for (int j = 0; j < 5; ++j)
            for (int i = 0; g[j][i] != '\0'; ++i) {
                width = std::max(width, i + 1);
                if (g[j][i] == 'X') p.put(x + i, y + j, colour);
            }
        x += width + 1;
    }
}

// ---------------------------------------------------------------- arrows

// A solid arrow pointing up, shaft columns 6..9, head across the whole width.
Shape arrowUp() { return unite(polygonShape({{8, 1}, {15, 8}, {1, 8}}), rectShape(5.5, 7.5, 10.5, 15)); }

QImage rotated(const QImage& img, int quarterTurns) {
    QTransform t;
    t.rotate(90.0 * quarterTurns);
    return img.transformed(t);
}

// A thick arc with an arrowhead at its end angle, turning anticlockwise when
// a1 > a0.
Shape curvedArrow(double cx, double cy, double r0, double r1, double a0, double a1, double head) {
    const Shape band = ringSector(cx, cy, r0, r1, std::min(a0, a1), std::max(a0, a1));
    const double t = a1 * kPi / 180.0;
    const double dir = a1 > a0 ? 1.0 : -1.0;
    // Radial line at the end, and the direction of travel there.
    const double ux = std::cos(t), uy = -std::sin(t);
    const double vx = -std::sin(t) * dir, vy = -std::cos(t) * dir;
    const double rm = (r0 + r1) / 2;
    const double spread = (r1 - r0) / 2 + head * 0.75;
    const double bx = cx + rm * ux, by = cy + rm * uy;
    const Shape tip = polygonShape(
        {{bx + spread * ux, by + spread * uy}, {bx - spread * ux, by - spread * uy}, {bx + head * vx, by + head * vy}});
    return unite(band, tip);
}

// ---------------------------------------------------------------- the pictures

using Draw = std::function<void(Pic&)>;

struct Entry {
    const char* name;
    Draw draw;
};

void fileNew(Pic& p) {
    page(p, 3, 0, 13, 15, 4);
    artWithHalo(p, 0, 0, {"..Y..", ".YyY.", "YyyyY", ".YyY.", "..Y.."}, baseKey());
}

void fileOpen(Pic& p) {
    // Back of the folder with its tab, then the open front flap.
    p.blob(unite(pixelRect(0, 4, 12, 13), polygonShape({{0, 2}, {6, 2}, {7.5, 4.5}, {0, 4.5}})), AmberDeep, AmberEdge);
    p.blob(polygonShape({{3.5, 7}, {16, 7}, {12.5, 14}, {0, 14}}), AmberFill, AmberEdge);
}

void fileSave(Pic& p) {
    p.blob(subtract(pixelRect(1, 1, 14, 14), pixelRect(14, 1, 14, 1)), BlueFill, BlueEdge);
    p.box(4, 1, 11, 6, Metal, BlueEdge);
    p.rect(9, 2, 10, 5, MetalEdge);
    p.box(3, 9, 12, 14, Paper, BlueEdge);
    p.rect(5, 11, 10, 11, Rule);
}

void filePrint(Pic& p) {
    p.box(4, 0, 11, 6, Paper, PaperEdge);
    p.box(0, 5, 15, 12, Metal, MetalEdge);
    p.rect(1, 6, 14, 6, 0xFFDCE1E7);
    p.put(13, 8, GreenFill);
    p.rect(3, 10, 12, 10, MetalEdge);
    p.box(4, 10, 11, 15, Paper, PaperEdge);
    p.rect(5, 12, 10, 12, Rule);
    p.rect(5, 14, 8, 14, Rule);
}

void fileExport(Pic& p, const char* text, QRgb band, QRgb edge) {
    page(p, 2, 0, 13, 15, 4);
    p.box(0, 8, 15, 14, band, edge);
    label(p, 1, 9, text, Paper);
}

void fileRecent(Pic& p) {
    page(p, 1, 0, 11, 14, 3);
    p.rect(3, 5, 8, 5, Rule);
    p.rect(3, 7, 6, 7, Rule);
    const Shape face = circleShape(11, 11, 4.6);
    p.halo(face);
    p.blob(face, 0xFFE3EEFB, BlueEdge);
    p.rect(10, 8, 10, 10, Ink);
    p.rect(11, 10, 12, 10, Ink);
}

void editUndo(Pic& p) {
    const Shape hook =
        unite(unite(rectShape(5, 3.5, 9, 7.5), ringSector(9, 9.5, 2, 6, -90, 90)), rectShape(4, 11.5, 9, 15.5));
    const Shape head = polygonShape({{0.5, 5.5}, {6.5, -0.5}, {6.5, 11.5}});
    p.blob(unite(hook, head), BlueFill, BlueEdge);
}

void editDelete(Pic& p) {
    straight(p, 1, 0, 15);
    badgeDelete(p);
}

void copyCircuit(Pic& p) {
    p.box(1, 1, 14, 15, Card, CardEdge);
    p.box(3, 3, 12, 14, Paper, PaperEdge);
    p.box(5, 0, 10, 3, Metal, MetalEdge);
    loop(p, 6, 9, 8.5, 3.5);
}

void options(Pic& p) {
    auto gear = [](double x, double y) {
        const double dx = x - 8, dy = y - 8;
        const double r = std::hypot(dx, dy);
        if (r < 2.2) return false;
        if (r <= 5.2) return true;
        if (r > 7.6) return false;
        double a = std::atan2(dy, dx) * 180.0 / kPi + 22.5;
        a = std::fmod(a + 360.0, 45.0);
        return std::abs(a - 22.5) <= 9.5;
    };
    p.blob(gear, MetalDark, MetalEdge);
}

void trackList(Pic& p) {
    p.box(2, 0, 13, 15, Paper, PaperEdge);
    for (int y : {2, 6, 10}) {
        p.rect(4, y, 5, y + 2, Body);
        p.put(4, y + 1, Slot);
        p.rect(7, y + 1, 11, y + 1, Rule);
    }
    p.rect(4, 13, 11, 13, Ink);
}

void dimensions(Pic& p) {
    loop(p, 4.5, 7.5, 5.5, 3.5);
    // Width along the bottom, height along the right side.
    p.rect(1, 13, 11, 13, BlueEdge);
    p.rect(0, 11, 0, 15, BlueEdge);
    p.rect(12, 11, 12, 15, BlueEdge);
    p.rect(2, 12, 2, 14, BlueEdge);
    p.rect(10, 12, 10, 14, BlueEdge);
    p.rect(14, 1, 14, 10, BlueEdge);
    p.rect(13, 0, 15, 0, BlueEdge);
    p.rect(13, 11, 15, 11, BlueEdge);
    p.rect(13, 2, 15, 2, BlueEdge);
    p.rect(13, 9, 15, 9, BlueEdge);
}

void stockBox(Pic& p, int top) {
    p.box(1, top, 14, 15, Card, CardEdge);
    p.rect(2, top + 1, 13, top + 1, CardDark);
    p.rect(6, top + 1, 9, top + 3, 0xFFE8C48E);
}

void stock(Pic& p) {
    straight(p, 3, 0, 8);
    p.rect(10, 3, 14, 8, Body);
    p.rect(10, 4, 14, 4, Slot);
    p.rect(10, 7, 14, 7, Slot);
    stockBox(p, 7);
}

void stockControl(Pic& p) {
    p.box(1, 0, 12, 15, Paper, PaperEdge);
    const Key k = baseKey();
    for (int y : {2, 6}) {
        p.art(3, y, {"...g", "g.g.", ".g.."}, k);
        p.rect(8, y + 1, 10, y + 1, Rule);
    }
    p.art(3, 10, {"r.r.", ".r..", "r.r."}, k);
    p.rect(8, 11, 10, 11, Rule);
    // The stock box the list is checked against.
    p.halo(pixelRect(9, 9, 15, 15));
    p.box(9, 10, 15, 15, Card, CardEdge);
    p.rect(10, 11, 14, 11, CardDark);
}

void closeCircuit(Pic& p) {
    // A loop whose missing end is filled in green.
    const double x0 = 5.5, x1 = 9.5, cy = 8, rho = 5;
    const Shape body = loopBody(x0, x1, cy, rho);
    const Shape gap = intersect(body, ringSector(x1, cy, 0, 20, -60, 60));
    p.fill(subtract(body, gap), Body, 4);
    loopSlot(p, x0, x1, cy, rho, Slot, subtract(body, gap));
    p.fill(gap, GreenFill, 4);
    loopSlot(p, x0, x1, cy, rho, 0xFFD9F5DB, gap);
}

void equilibrate(Pic& p) {
    p.art(0, 0,
          {".......kk.......", "..kkkkkkkkkkkk..", "..k....kk....k..", ".k.k...kk...k.k.", ".k.k...kk...k.k.",
           "k...k..kk..k...k", "YyyyyY.kk.YyyyyY", ".YyyY..kk..YyyY.", "..YY...kk...YY..", ".......kk.......",
           ".......kk.......", ".......kk.......", ".......kk.......", ".....kkkkkk.....", "....kkkkkkkk....",
           "................"},
          baseKey());
}

void convert(Pic& p) {
    // Two lanes become four (and back).
    p.rect(0, 6, 4, 15, Body);
    p.rect(1, 6, 1, 15, Slot);
    p.rect(3, 6, 3, 15, Slot);
    p.rect(7, 6, 15, 15, Body);
    for (int x : {8, 10, 12, 14}) p.rect(x, 6, x, 15, Slot);
    p.art(0, 0, {"..B.........B...", ".BB.........BB..", "BBBBBBBBBBBBBBB.", ".BB.........BB..", "..B.........B..."},
          baseKey());
}

void notes(Pic& p) {
    p.box(1, 1, 12, 15, Paper, PaperEdge);
    p.rect(1, 0, 12, 1, BlueEdge);
    for (int y : {5, 8, 11}) p.rect(3, y, 9, y, Rule);
    // A pencil lying from top right to bottom left.
    const double ax = 14.8, ay = 3.2;        // eraser end
    const double ex = -0.7071, ey = 0.7071;  // along the pencil
    const double nx = 0.7071, ny = 0.7071;   // across
    auto part = [=](double x, double y, double& u) {
        const double dx = x - ax, dy = y - ay;
        u = dx * ex + dy * ey;
        const double v = dx * nx + dy * ny;
        if (u < 0 || u > 11) return false;
        const double half = u < 8 ? 1.6 : 1.6 * (11 - u) / 3.0 + 0.3;
        return std::abs(v) <= half;
    };
    const Shape pencil = [=](double x, double y) {
        double u;
        return part(x, y, u);
    };
    p.halo(pencil);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            double u;
            if (!part(x + 0.5, y + 0.5, u)) continue;
            QRgb c = AmberFill;
            if (u < 2)
                c = 0xFFF29BB0;
            else if (u >= 8 && u < 10)
                c = 0xFFF1D2A6;
            else if (u >= 10)
                c = Ink;
            p.put(x, y, c);
        }
}

void lapTimes(Pic& p) {
    p.rect(6, 0, 9, 0, Ink);
    p.rect(7, 1, 8, 3, Ink);
    p.art(12, 2, {".k", "kk"}, baseKey());
    p.blob(circleShape(8, 9.5, 6.3), Paper, Ink);
    p.put(7, 4, Ink);
    p.put(8, 4, Ink);
    p.rect(7, 6, 7, 9, RedFill);
    p.rect(8, 9, 10, 9, Ink);
    p.rect(7, 9, 7, 10, Ink);
}

void iconController(Pic& p) {
    // A hand controller seen from the side: head, trigger, grip and cable.
    p.art(0, 0,
          {"................", "...kkkkkkkkkk...", "..kmmmmmmmmmmk..", "..knnnnnnnnnnk..", "...kkkkkknnnnk..",
           ".....kRRkknnnk..", ".....kRrRknnnk..", "......kRrknnnk..", ".......kRknnnk..", "........kknnnk..",
           ".........knnnk..", ".........knnnk..", ".........knnnk..", ".........kkkkk..", "...........k....",
           "..........k....."},
          baseKey());
}

void iconLapCounter(Pic& p) {
    p.box(0, 2, 15, 13, 0xFF4A515C, Ink);
    p.rect(2, 4, 13, 11, 0xFF111111);
    label(p, 4, 5, "12", 0xFF5CFF6A);
    p.rect(1, 14, 3, 15, Ink);
    p.rect(12, 14, 14, 15, Ink);
}

void iconStart(Pic& p) {
    p.box(4, 0, 11, 13, 0xFF3A3F46, Ink);
    const QRgb lights[3] = {0xFFE53935, 0xFFFDB92E, 0xFF3DBE4C};
    for (int i = 0; i < 3; ++i) {
        const int y = 1 + 4 * i;
        p.rect(6, y, 9, y + 3, lights[i]);
        p.put(6, y, 0xFF3A3F46);
        p.put(9, y, 0xFF3A3F46);
        p.put(6, y + 3, 0xFF3A3F46);
        p.put(9, y + 3, 0xFF3A3F46);
    }
    p.rect(7, 14, 8, 15, Ink);
}

void iconAssistant(Pic& p) {
    p.blob(circleShape(8, 4, 3.3), 0xFFF2C29B, 0xFF8A5A3A);
    p.blob(unite(ellipseShape(8, 13.5, 6.2, 5.5), rectShape(1.8, 13.5, 14.2, 16)), 0xFFF28C28, 0xFF8E4A0C);
    p.rect(7, 9, 8, 15, 0xFFFFE066);
}

void iconPowerSource(Pic& p) {
    p.box(0, 3, 15, 14, MetalDark, MetalEdge);
    p.rect(1, 4, 14, 4, Metal);
    p.rect(3, 0, 4, 2, Ink);
    p.rect(11, 0, 12, 2, Ink);
    p.art(5, 5, {"...yy", "..yy.", ".yy..", "yyyyy", "..yy.", ".yy..", ".y..."}, Key().with('y', AmberFill));
}

void magnifier(Pic& p, bool plus) {
    const Shape handle = polygonShape({{10, 11.5}, {11.5, 10}, {15.5, 14}, {14, 15.5}});
    p.fill(handle, Ink, 1);
    p.blob(circleShape(6.5, 6.5, 5.6), Glass, Ink);
    p.fill(subtract(circleShape(6.5, 6.5, 5.6), circleShape(6.5, 6.5, 4.6)), Ink, 1);
    p.rect(4, 6, 8, 6, BlueEdge);
    if (plus) p.rect(6, 4, 6, 8, BlueEdge);
}

void fitWindow(Pic& p) {
    for (int q = 0; q < 4; ++q) {
        const int x = (q & 1) ? 15 : 0;
        const int y = (q & 2) ? 15 : 0;
        const int sx = (q & 1) ? -1 : 1;
        const int sy = (q & 2) ? -1 : 1;
        for (int i = 0; i < 4; ++i) {
            p.put(x + sx * i, y, BlueEdge);
            p.put(x + sx * i, y + sy, BlueEdge);
            p.put(x, y + sy * i, BlueEdge);
            p.put(x + sx, y + sy * i, BlueEdge);
        }
    }
    loop(p, 6.5, 9.5, 8, 3.5);
}

void grid(Pic& p) {
    p.rect(0, 0, 15, 15, Paper);
    for (int i : {0, 5, 10, 15}) {
        p.rect(i, 0, i, 15, 0xFF6A7F9C);
        p.rect(0, i, 15, i, 0xFF6A7F9C);
    }
}

void rotateLeft(Pic& p) {
    // Anticlockwise: round from the top left, the head at the top right.
    p.blob(curvedArrow(8, 8.5, 3.6, 6.4, 140, 400, 4.2), BlueFill, BlueEdge);
}

void moveUp(Pic& p) { p.blob(arrowUp(), BlueFill, BlueEdge); }

void center(Pic& p) {
    const Key k = baseKey();
    p.art(5, 0, {"BBBBBB", ".BuuB.", "..BB.."}, k);
    p.art(5, 13, {"..BB..", ".BuuB.", "BBBBBB"}, k);
    p.art(0, 5, {"B..", "BB.", "BuB", "BuB", "BB.", "B.."}, k);
    p.art(13, 5, {"..B", ".BB", "BuB", "BuB", ".BB", "..B"}, k);
    p.blob(circleShape(8, 8, 2.9), Body, Body);
    p.rect(7, 7, 8, 8, Slot);
}

void colourCode(Pic& p) {
    straight(p, 4, 0, 15);
    p.rect(4, 5, 11, 5, Slot);
    p.rect(4, 10, 11, 10, Slot);
    p.rect(6, 1, 9, 3, 0xFF2F6BFF);
    p.rect(6, 6, 9, 8, 0xFFFF9A1F);
    p.rect(6, 12, 9, 14, 0xFFFFE23A);
}

void showTemplate(Pic& p) {
    p.box(0, 1, 15, 14, 0xFFBFE3FF, PaperEdge);
    p.fill(intersect(ellipseShape(5, 15, 9, 6), pixelRect(1, 2, 14, 13)), 0xFF7CC46E, 1);
    p.fill(intersect(ellipseShape(14, 16, 7, 6.5), pixelRect(1, 2, 14, 13)), 0xFF5AAE55, 1);
    p.blob(circleShape(11.5, 5, 1.8), AmberFill, AmberFill);
    // A piece of track laid over the picture.
    p.rect(1, 7, 14, 9, Body);
    p.rect(1, 8, 14, 8, Slot);
}

void singleRacing(Pic& p) {
    // A two-lane straight ending in the narrower one-lane loop that turns the
    // cars round: out along one lane, over the top and back along the other.
    std::vector<std::array<double, 2>> line;
    for (int i = 0; i <= 160; ++i) {
        const double t = 0.62 + (2 * kPi - 1.24) * i / 160.0;
        const double pinch = std::pow(std::sin(t / 2), 0.8);
        line.push_back({8 - 6.2 * std::sin(t) * pinch, 5.9 + 4.3 * std::cos(t)});
    }
    line.insert(line.begin(), {6.5, 11.0});
    line.push_back({9.5, 11.0});
    const Shape loopShape = [line](double x, double y) {
        for (std::size_t i = 1; i < line.size(); ++i)
            if (segmentDistanceTo(x, y, line[i - 1], line[i]) <= 1.55) return true;
        return false;
    };
    p.fill(loopShape, Body, 4);
    straight(p, 4, 11, 15);
    p.path(line, Slot);
}

// Insert buttons -------------------------------------------------------------

void insertStartingStraight(Pic& p) {
    straight(p, 1, 0, 15);
    p.box(9, 9, 11, 14, MetalDark, MetalEdge);
    for (int x = 1; x <= 8; ++x)
        for (int y = 6; y <= 7; ++y) p.put(x, y, ((x + y) & 1) ? Paper : BodyDeep);
    badgeAdd(p);
}

void insertStraight(Pic& p, int length) {
    straight(p, 1, 16 - length, 15);
    badgeAdd(p);
}

void insertChangeover(Pic& p) {
    p.rect(1, 0, 8, 15, Body);
    for (int x : {3, 6}) {
        p.rect(x, 0, x, 2, Slot);
        p.rect(x, 13, x, 15, Slot);
    }
    p.line(3, 3, 6, 12, Slot);
    p.line(6, 3, 3, 12, Slot);
    badgeAdd(p);
}

// The chicane pieces are drawn 9 pixels wide (columns x..x+8) so their close
// lanes and markers stay readable.
void chicaneRow(Pic& p, int x, int y, int slotOffset) {
    // slotOffset: column of the left slot within the piece (1 normal, 3 close).
    for (int i = 0; i <= 8; ++i) p.put(x + i, y, Body);
    for (int i = 0; i < slotOffset - 1; ++i) {
        p.put(x + i, y, Marker);
        p.put(x + 8 - i, y, Marker);
    }
    p.put(x + slotOffset, y, Slot);
    p.put(x + 8 - slotOffset, y, Slot);
}

void insertStartingChicane(Pic& p) {
    const int offs[16] = {3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 1, 1, 1, 1, 1, 1};
    for (int y = 0; y < 16; ++y) chicaneRow(p, 0, y, offs[y]);
    badgeAdd(p);
}

void insertChicaneStraight(Pic& p) {
    for (int y = 0; y < 16; ++y) chicaneRow(p, 0, y, 3);
    badgeAdd(p);
}

void insertCurve(Pic& p, double r, double a) {
    curve(p, pieceCurve(r, a));
    badgeAdd(p);
}

void insertCurvedChicane(Pic& p) {
    const Curve c = pieceCurve(10, 45, 9);
    p.fill(curveBody(c), Body, 4);
    p.fill(ringSector(c.cx, c.cy, c.r, c.r + 2, c.a0, c.a1), Marker, 4);
    p.fill(ringSector(c.cx, c.cy, c.r + 7, c.r + 9, c.a0, c.a1), Marker, 4);
    p.arc(c.cx, c.cy, c.r + 3.5, c.a0, c.a1, Slot, curveBody(c));
    p.arc(c.cx, c.cy, c.r + 5.5, c.a0, c.a1, Slot, curveBody(c));
    badgeAdd(p);
}

void insertAdaptationChicane(Pic& p) {
    // Tapering from the narrower system at the entry to the wider one at the
    // exit (the difference drawn larger than it is).
    for (int y = 0; y < 16; ++y) {
        const double t = (16 - (y + 0.5)) / 16.0;
        const double left = 2 - 2 * t, right = 7 + 2 * t;
        for (int x = 0; x < 16; ++x) {
            const double cx = x + 0.5;
            if (cx >= left && cx <= right) p.put(x, y, Body);
        }
        const double w = right - left;
        p.put(static_cast<int>(std::floor(left + w * 0.25)), y, Slot);
        p.put(static_cast<int>(std::floor(left + w * 0.75)), y, Slot);
    }
    badgeAdd(p);
}

// Attribute commands ---------------------------------------------------------

void fix(Pic& p) {
    straight(p, 1, 0, 15);
    const Shape pin = unite(circleShape(9.5, 5, 4.2), polygonShape({{6.2, 7.5}, {12.8, 7.5}, {9.5, 14.5}}));
    p.halo(pin);
    p.blob(pin, RedFill, RedEdge);
    p.rect(9, 4, 10, 5, Paper);
}

void orientation(Pic& p) {
    // A left-hand curve and, mirrored beside it, the right-hand one it becomes.
    Pic left;
    curve(left, Curve{-4.5, 16, 6, 0, 45, 6});
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb c = left.at(x, y);
            if (qAlpha(c) == 0) continue;
            p.put(x, y, c);
            p.put(15 - x, y, c);
        }
    p.art(2, 1, {"..B.......B..", ".BB.......BB.", "BBBBBBBBBBBBB", ".BB.......BB.", "..B.......B.."}, baseKey());
}

// The border, barrier and automatic commands show a standard-sized curve with
// room for a kerb on both sides. It is drawn turning left like the pieces and
// then mirrored, which leaves the accent's corner free above the curve's exit.
Curve borderCurve(double w = 8) { return Curve{-5, 16, 18 - w, 0, 45, w}; }

void mirrored(Pic& p, const std::function<void(Pic&)>& draw) {
    Pic q;
    draw(q);
    q.mirror();
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) p.put(x, y, q.at(x, y));
}

void borders(Pic& p, bool inner, bool outer) {
    mirrored(p, [=](Pic& q) {
        const Curve c = borderCurve();
        curve(q, c);
        if (inner) kerb(q, c, c.r - 2, c.r, true);
        if (outer) kerb(q, c, c.r + c.w, c.r + c.w + 2, false);
    });
}

void innerBorder(Pic& p) {
    borders(p, true, false);
    badgeAdd(p);
}
void outerBorder(Pic& p) {
    borders(p, false, true);
    badgeAdd(p);
}
void deleteInnerBorders(Pic& p) {
    borders(p, true, false);
    badgeDelete(p);
}
void deleteOuterBorders(Pic& p) {
    borders(p, false, true);
    badgeDelete(p);
}
void deleteAllBorders(Pic& p) {
    borders(p, true, true);
    badgeDelete(p);
}

void autoBorders(Pic& p, bool remove) {
    // A four-lane curve with its outer border.
    mirrored(p, [](Pic& q) {
        const Curve c = borderCurve(9);
        const Shape shape = curveBody(c);
        q.fill(shape, Body, 4);
        for (double d : {1.5, 3.5, 5.5, 7.5}) q.arc(c.cx, c.cy, c.r + d, c.a0, c.a1, Slot, shape);
        kerb(q, c, c.r + c.w, c.r + c.w + 2, false);
    });
    if (remove)
        badgeDelete(p);
    else
        badgeAuto(p);
}

void barriers(Pic& p, bool remove) {
    mirrored(p, [](Pic& q) {
        const Curve c = borderCurve();
        curve(q, c);
        q.fill(ringSector(c.cx, c.cy, c.r + c.w + 1, c.r + c.w + 3, c.a0, c.a1), BarrierFill, 4);
    });
    if (remove)
        badgeDelete(p);
    else
        badgeAdd(p);
}

// Surfaces ------------------------------------------------------------------

void surfaceTile(Pic& p, QRgb fill, QRgb edge, QRgb slot) {
    p.blob(subtract(pixelRect(0, 0, 15, 15),
                    [](double x, double y) {
                        const bool cx = x < 1 || x > 15;
                        const bool cy = y < 1 || y > 15;
                        return cx && cy;
                    }),
           fill, edge);
    p.rect(4, 1, 4, 14, slot);
    p.rect(11, 1, 11, 14, slot);
}

void surfaceAsphalt(Pic& p) {
    surfaceTile(p, 0xFF404040, 0xFF1E1E1E, Slot);
    for (auto [x, y] :
         std::vector<std::pair<int, int>>{{2, 3}, {7, 2}, {9, 6}, {6, 9}, {2, 11}, {13, 4}, {8, 13}, {13, 11}})
        p.put(x, y, 0xFF6A6A6A);
}

void surfaceSnow(Pic& p) {
    surfaceTile(p, 0xFFE9ECF0, 0xFF8592A3, 0xFFFFFFFF);
    p.art(3, 3,
          {"....B....", ".B..B..B.", "..B.B.B..", "...BBB...", "BBBBBBBBB", "...BBB...", "..B.B.B..", ".B..B..B.",
           "....B...."},
          Key().with('B', 0xFF3F7CC9));
}

void surfaceSand(Pic& p) {
    surfaceTile(p, 0xFFD3A56E, 0xFF855B2A, 0xFFF6E7D2);
    for (auto [x, y] : std::vector<std::pair<int, int>>{
             {2, 2}, {7, 3}, {9, 8}, {6, 6}, {2, 9}, {13, 3}, {8, 12}, {13, 10}, {6, 13}, {2, 13}, {13, 7}})
        p.put(x, y, 0xFF9C6C34);
    for (auto [x, y] : std::vector<std::pair<int, int>>{{8, 5}, {3, 6}, {12, 13}, {7, 10}}) p.put(x, y, 0xFFF0D3A4);
}

void surfaceWater(Pic& p) {
    surfaceTile(p, 0xFF8BCEF1, 0xFF2F79A8, 0xFFFFFFFF);
    const Key k = Key().with('w', 0xFF2F79A8);
    for (int y : {3, 8, 12}) p.art(1, y, {".ww...ww...ww.", "w..w.w..w.w..w"}, k);
}

void suggestCircuits(Pic& p) {
    // A circuit rising out of the box of pieces, with an amber spark: the
    // idea of a layout.
    loop(p, 4, 6.5, 4.5, 2.5);
    stockBox(p, 10);
    artWithHalo(p, 11, 0, {"..Y..", ".YyY.", "YyyyY", ".YyY.", "..Y.."}, baseKey());
}

// The application emblem at 16 x 16, drawn by hand for the small sizes: the
// same loop, car and start line as the SVG.
void appIcon16(Pic& p) {
    p.blob(roundedRect(0, 0, 16, 16, 4), 0xFF58AA5B, 0xFF2A6A2E);
    const double x0 = 6, x1 = 10, cy = 8, rho = 3.5;
    p.fill(loopBody(x0, x1, cy, rho), Body, 4);
    loopSlot(p, x0, x1, cy, rho, 0xFFF2F2F2);
    p.put(8, 10, Paper);
    p.put(8, 12, Paper);
    p.rect(7, 4, 9, 4, 0xFFE23A3A);
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> list = {
        {"file-new", fileNew},
        {"file-open", fileOpen},
        {"file-save", fileSave},
        {"file-print", filePrint},
        {"file-export-png", [](Pic& p) { fileExport(p, "PNG", 0xFF23906F, 0xFF0F5A44); }},
        {"file-export-svg", [](Pic& p) { fileExport(p, "SVG", 0xFFE07B1A, 0xFF8A4608); }},
        {"file-export-pdf", [](Pic& p) { fileExport(p, "PDF", 0xFFC62828, 0xFF7A1414); }},
        {"file-recent", fileRecent},
        {"edit-undo", editUndo},
        {"edit-delete", editDelete},
        {"copy-circuit", copyCircuit},
        {"options", options},
        {"track-list", trackList},
        {"dimensions", dimensions},
        {"stock-control", stockControl},
        {"stock", stock},
        {"close-circuit", closeCircuit},
        {"equilibrate-lanes", equilibrate},
        {"convert-lanes", convert},
        {"notes", notes},
        {"lap-times", lapTimes},
        {"suggest-circuits", suggestCircuits},
        {"insert-icon-controller", iconController},
        {"insert-icon-lap-counter", iconLapCounter},
        {"insert-icon-start", iconStart},
        {"insert-icon-assistant", iconAssistant},
        {"insert-icon-power-source", iconPowerSource},
        {"zoom-out", [](Pic& p) { magnifier(p, false); }},
        {"zoom-in", [](Pic& p) { magnifier(p, true); }},
        {"fit-to-window", fitWindow},
        {"grid", grid},
        {"rotate-left", rotateLeft},
        {"rotate-right",
         [](Pic& p) {
             rotateLeft(p);
             p.mirror();
         }},
        {"move-up", moveUp},
        {"move-down", moveUp},  // turned below
        {"move-left", moveUp},
        {"move-right", moveUp},
        {"center", center},
        {"show-color-code", colourCode},
        {"show-template", showTemplate},
        {"single-racing", singleRacing},
        {"insert-starting-straight", insertStartingStraight},
        {"insert-standard-straight", [](Pic& p) { insertStraight(p, 16); }},
        {"insert-half-straight", [](Pic& p) { insertStraight(p, 8); }},
        {"insert-quarter-straight", [](Pic& p) { insertStraight(p, 4); }},
        {"insert-changeover", insertChangeover},
        {"insert-starting-chicane", insertStartingChicane},
        {"insert-chicane-straight", insertChicaneStraight},
        {"insert-inner-curve", [](Pic& p) { insertCurve(p, 3, 45); }},
        {"insert-standard-curve", [](Pic& p) { insertCurve(p, 11, 45); }},
        {"insert-outer-curve", [](Pic& p) { insertCurve(p, 19, 22.5); }},
        {"insert-super-outer-curve", [](Pic& p) { insertCurve(p, 27, 22.5); }},
        {"insert-curved-chicane", insertCurvedChicane},
        {"insert-adaptation-chicane", insertAdaptationChicane},
        {"fix", fix},
        {"orientation", orientation},
        {"inner-border", innerBorder},
        {"outer-border", outerBorder},
        {"delete-inner-borders", deleteInnerBorders},
        {"delete-outer-borders", deleteOuterBorders},
        {"delete-all-borders", deleteAllBorders},
        {"automatic-borders", [](Pic& p) { autoBorders(p, false); }},
        {"delete-automatic-borders", [](Pic& p) { autoBorders(p, true); }},
        {"crash-barriers", [](Pic& p) { barriers(p, false); }},
        {"delete-crash-barriers", [](Pic& p) { barriers(p, true); }},
        {"surface-asphalt", surfaceAsphalt},
        {"surface-snow", surfaceSnow},
        {"surface-sand", surfaceSand},
        {"surface-water", surfaceWater},
    };
    return list;
}

int quarterTurnsFor(const QString& name) {
    if (name == QStringLiteral("move-right")) return 1;
    if (name == QStringLiteral("move-down")) return 2;
    if (name == QStringLiteral("move-left")) return 3;
    return 0;
}

bool renderSvg(const QString& svgPath, int size, const QString& out) {
    QSvgRenderer renderer(svgPath);
    if (!renderer.isValid()) return false;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter painter(&img);
    renderer.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    return img.convertToFormat(QImage::Format_ARGB32).save(out, "PNG");
}

bool ensureDir(const QString& path) { return QDir().mkpath(QFileInfo(path).absolutePath()); }

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: drawpictures <source root>\n");
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    const QString picDir = root.filePath(QStringLiteral("app/gui/pictures"));
    int failures = 0;

    for (const Entry& e : entries()) {
        Pic p;
        e.draw(p);
        const QString name = QString::fromLatin1(e.name);
        QImage img = rotated(p.image(), quarterTurnsFor(name));
        const QString out = picDir + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!img.save(out, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
            ++failures;
        }
    }

    // The resource file that compiles them into the program.
    {
        QFile qrc(picDir + QStringLiteral("/toolbar.qrc"));
        if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(qrc.fileName()));
            ++failures;
        } else {
            QTextStream out(&qrc);
            out << "<!-- Written by app/gui/pictures/tools/drawpictures.cpp; do not edit. -->\n"
                << "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n"
                << "  <qresource prefix=\"/toolbar\">\n";
            for (const Entry& e : entries()) out << "    <file>" << e.name << ".png</file>\n";
            out << "  </qresource>\n"
                << "  <qresource prefix=\"/icons\">\n"
                << "    <file>quillet-16.png</file>\n"
                << "    <file>quillet-48.png</file>\n"
                << "  </qresource>\n</RCC>\n";
        }
    }

    // The window's own icon and the installed application icons.
    Pic small;
    appIcon16(small);
    const QString svg = root.filePath(QStringLiteral("packaging/icons/quillet.svg"));
    const QString hicolor = root.filePath(QStringLiteral("packaging/icons/hicolor"));
    const QString sixteen = hicolor + QStringLiteral("/16x16/apps/quillet.png");
    ensureDir(sixteen);
    if (!small.save(sixteen) || !small.save(picDir + QStringLiteral("/quillet-16.png"))) ++failures;
    for (int size : {32, 48, 64, 128, 256}) {
        const QString out = hicolor + QStringLiteral("/%1x%1/apps/quillet.png").arg(size);
        ensureDir(out);
        if (!renderSvg(svg, size, out)) {
            std::fprintf(stderr, "cannot render %s at %d\n", qPrintable(svg), size);
            ++failures;
        }
    }
    if (!renderSvg(svg, 48, picDir + QStringLiteral("/quillet-48.png"))) ++failures;

    std::printf("%zu toolbar pictures, %d failures\n", entries().size(), failures);
    return failures == 0 ? 0 : 1;
}
