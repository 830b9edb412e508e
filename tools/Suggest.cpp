// Suggest Circuits: halves that turn 180 degrees, pairs of them that can
// close, the straights between their corners, and the editor's circuits made
// of them. See Suggest.h for the method.

#include "tools/Suggest.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <map>
#include <queue>
#include <set>
#include <string>
#include <tuple>
#include <unordered_set>

#include "model/Numeric.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "tools/Closing.h"
#include "tools/Dimensions.h"

namespace quillet {

namespace {

constexpr int kHeadings = 16;  // every piece heads a multiple of 22.5 degrees
constexpr int kAxes = 8;       // a direction and its opposite share an axis
constexpr int kHalfTurn = 8;
constexpr int kFullTurn = 16;
constexpr double kStepAngle = kPi / 8.0;
constexpr double kTouching = 0.01;   // mm: outlines meeting by less only touch
constexpr double kNearEqual = 1.01;  // ranking: mean lanes within 1 %
constexpr int32_t kMaxTableSide = 100000;
constexpr int kMaxAnyPieces = TCircuit::kMaxTracks;

// Limits of the search. Halves of more corners, or that turn back further,
// make layouts that rarely fit and multiply the work.
constexpr int kMaxCornersPerHalf = 6;
constexpr int kMaxLeftUnitsPerHalf = 6;  // 22.5-degree steps turned left in one half
constexpr std::size_t kMaxHalves = 40000;
constexpr std::size_t kMaxPairs = 300000;
// Work, counted in straights tried: in all, and for one pair of halves.
constexpr long kNodeBudget = 2'500'000;
constexpr long kPairNodeBudget = 12000;
constexpr long kPollEvery = 256;
// Layouts kept for each one asked for, while equally long ones pile up.
constexpr std::size_t kKeptPerSuggestion = 20;
// Chains remembered; past this the search keeps what it has.
constexpr std::size_t kMaxSeen = 1'000'000;

using AxisSums = std::array<int64_t, kAxes>;
using Needs = std::array<int32_t, kTrackTypeCount>;

int Mod16(int h) { return ((h % kHeadings) + kHeadings) % kHeadings; }

// Adds `amount` along direction h; the opposite direction takes from the
// same axis.
void AddAlong(AxisSums& sums, int h, int64_t amount) {
    const int d = Mod16(h);
    if (d < kAxes) {
        sums[static_cast<std::size_t>(d)] += amount;
    } else {
        sums[static_cast<std::size_t>(d - kAxes)] -= amount;
    }
}

// ---------------------------------------------------------------------------
// Convex parts of outlines and their overlap

struct Box {
    double x0 = std::numeric_limits<double>::infinity();
    double y0 = std::numeric_limits<double>::infinity();
    double x1 = -std::numeric_limits<double>::infinity();
    double y1 = -std::numeric_limits<double>::infinity();
    void Widen(const PointD& p) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    void Widen(const Box& b) {
        x0 = std::min(x0, b.x0);
        y0 = std::min(y0, b.y0);
        x1 = std::max(x1, b.x1);
        y1 = std::max(y1, b.y1);
    }
    bool Meets(const Box& b) const {
        return x0 < b.x1 - kTouching && b.x0 < x1 - kTouching && y0 < b.y1 - kTouching && b.y0 < y1 - kTouching;
    }
};

struct Quad {
    std::array<PointD, 4> p{};
    Box box;
};

Quad MakeQuad(const PointD& a, const PointD& b, const PointD& c, const PointD& d) {
    Quad q;
    q.p = {a, b, c, d};
    for (const PointD& v : q.p) q.box.Widen(v);
    return q;
}

// Separating axes: two convex polygons do not overlap when, along the normal
// of some edge of either, their shadows meet by no more than kTouching.
bool Separated(const Quad& a, const Quad& b) {
    for (const Quad* poly : {&a, &b}) {
        for (std::size_t i = 0; i < 4; ++i) {
            const PointD& u = poly->p[i];
            const PointD& v = poly->p[(i + 1) % 4];
            const double ex = v.x - u.x;
            const double ey = v.y - u.y;
            const double len = std::hypot(ex, ey);
            if (!(len > 1e-9)) continue;
            const double nx = -ey / len;
            const double ny = ex / len;
            double amin = std::numeric_limits<double>::infinity();
            double amax = -amin;
            double bmin = amin;
            double bmax = -amin;
            for (const PointD& w : a.p) {
                const double s = w.x * nx + w.y * ny;
                amin = std::min(amin, s);
                amax = std::max(amax, s);
            }
            for (const PointD& w : b.p) {
                const double s = w.x * nx + w.y * ny;
                bmin = std::min(bmin, s);
                bmax = std::max(bmax, s);
            }
            if (amax <= bmin + kTouching || bmax <= amin + kTouching) return true;
        }
    }
    return false;
}

bool QuadsOverlap(const Quad& a, const Quad& b) { return a.box.Meets(b.box) && !Separated(a, b); }

constexpr int kMaxParts = 8;
struct Parts {
    std::array<Quad, kMaxParts> quad{};
    int count = 0;
    Box box;
    void Add(const Quad& q) {
        quad[static_cast<std::size_t>(count++)] = q;
        box.Widen(q.box);
    }
};

// A straight is its four corners; a starting straight adds its connector
// box, the two outline points that stand off the body and the two at their
// feet; a curve is its eight sections between outline stations.
Parts PartsOf(const TTrack& t) {
    Parts parts;
    switch (ShapeOf(t.type)) {
        case TrackShape::Curve:
        case TrackShape::SingleRacingCurve:
            for (int k = 1; k <= 8; ++k) parts.Add(MakeQuad(t.P(k), t.P(k + 1), t.P(18 - k), t.P(19 - k)));
            break;
        case TrackShape::StartingStraight: {
            parts.Add(MakeQuad(t.P(1), t.P(9), t.P(10), t.P(18)));
            const PointD a = t.P(1);
            const PointD b = t.P(9);
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            if (!(len > 0.0)) break;
            const double nx = -(b.y - a.y) / len;
            const double ny = (b.x - a.x) / len;
            const double mid = ((t.P(18).x - a.x) * nx + (t.P(18).y - a.y) * ny) / 2.0;
            const double half = std::fabs(mid) + 1.0;
            for (int i = 2; i <= 16; ++i) {
                const PointD& q = t.P(i);
                const double off = (q.x - a.x) * nx + (q.y - a.y) * ny - mid;
                if (std::fabs(off) > half) {
                    parts.Add(MakeQuad(t.P(i - 1), t.P(i), t.P(i + 1), t.P(i + 2)));
                    break;
                }
            }
            break;
        }
        default:
            parts.Add(MakeQuad(t.P(1), t.P(9), t.P(10), t.P(18)));
            break;
    }
    return parts;
}

bool PartsOverlap(const Parts& a, const Parts& b) {
    if (!a.box.Meets(b.box)) return false;
    for (int i = 0; i < a.count; ++i) {
        for (int j = 0; j < b.count; ++j) {
            if (QuadsOverlap(a.quad[static_cast<std::size_t>(i)], b.quad[static_cast<std::size_t>(j)])) return true;
        }
    }
    return false;
}

// ---------------------------------------------------------------------------
// What the search works with

struct CurveKind {
    int type = 0;
    int units = 2;         // turn in 22.5-degree steps
    int64_t radius2 = 0;   // centre line, in half millimetres
    double laneMm = 0.0;   // centre-line length: the mean of the lanes
    double outerMm = 0.0;  // radius of the outer edge
    Needs needs{};         // catalogue pieces it takes
};

struct Corner {
    uint8_t kind = 0;
    int8_t dir = 1;  // +1 turns right (clockwise on the table), -1 left
    uint8_t count = 1;
};

// Catalogue pieces one piece of `type` takes on `lanePairs`, as the Track
// List counts them.
Needs NeedsOf(int type, int lanePairs, bool ninco) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    c.startBrand = ninco ? 1 : 0;
    c.Append(type, 0, ninco ? 1 : 0);
    TTrackList list;
    list.CountTracks(c);
    Needs n{};
    for (int t = 0; t < kTrackTypeCount; ++t)
        n[static_cast<std::size_t>(t)] = list.Pieces(ninco ? kNincoIndex : kScxIndex, t);
    return n;
}

bool Within(const Needs& used, const Needs& available) {
    for (std::size_t t = 0; t < used.size(); ++t) {
        if (used[t] > available[t]) return false;
    }
    return true;
}

void AddNeeds(Needs& to, const Needs& n, int times) {
    for (std::size_t t = 0; t < to.size(); ++t) to[t] += n[t] * times;
}

// How many pieces of one needs vector the stock holds.
int64_t HowMany(const Needs& n, const Needs& available) {
    int64_t most = std::numeric_limits<int64_t>::max();
    bool any = false;
    for (std::size_t t = 0; t < n.size(); ++t) {
        if (n[t] <= 0) continue;
        any = true;
        most = std::min<int64_t>(most, available[t] / n[t]);
    }
    return any ? most : 0;
}

struct Setup {
    Brand brand = Brand::Ninco;
    bool ninco = true;
    int lanePairs = 1;
    int brandIndex = kNincoIndex;
    double width = 180.0;   // across all lanes
    double unitMm = 100.0;  // the quarter straight: every straight is a whole number of them
    int32_t tableLength = 0;
    int32_t tableWidth = 0;
    std::vector<CurveKind> kinds;
    bool unlimited = false;  // any pieces
    int maxPieces = kMaxAnyPieces;
    Needs available{};  // catalogue pieces of the system (stock mode)
    // Straights that can be laid: standard (with the starting straight),
    // half and quarter, in pieces on these lanes.
    int64_t n4 = 0;
    int64_t n2 = 0;
    int64_t n1 = 0;
    bool start = false;  // the stock has a starting straight: every suggestion has it
    int leftUnits = kMaxLeftUnitsPerHalf;
};

// ---------------------------------------------------------------------------
// Halves: corners from heading 0 to heading 8 (180 degrees)

struct Half {
    uint32_t first = 0;  // corners in the pool
    uint32_t size = 0;
    AxisSums sums{};  // the curves' centre-line displacement, half mm
    Needs needs{};
    int pieces = 0;
    int leftUnits = 0;  // 22.5-degree steps turned left
    double laneMm = 0.0;
};

class HalfMaker {
public:
    HalfMaker(const Setup& s, std::vector<Half>& halves, std::vector<Corner>& pool)
        : s_(s), halves_(halves), pool_(pool) {}

    void Make() {
        // Fewer corners first, so that a full list keeps the simpler halves.
        for (int corners = 1; corners <= kMaxCornersPerHalf && halves_.size() < kMaxHalves; ++corners) {
            target_ = corners;
            Half h;
            Extend(0, 0, h);
        }
    }

private:
    void Record(const Half& h) {
        Half half = h;
        half.first = static_cast<uint32_t>(pool_.size());
        half.size = static_cast<uint32_t>(stack_.size());
        pool_.insert(pool_.end(), stack_.begin(), stack_.end());
        halves_.push_back(half);
    }

    void Extend(int heading, int left, const Half& h) {
        if (halves_.size() >= kMaxHalves) return;
        if (static_cast<int>(stack_.size()) == target_) {
            if (heading == kHalfTurn) Record(h);
            return;
        }
        for (std::size_t k = 0; k < s_.kinds.size(); ++k) {
            const CurveKind& kind = s_.kinds[k];
            for (const int dir : {1, -1}) {
                for (int count = 1; count * kind.units <= kFullTurn; ++count) {
                    const int units = kind.units * count;
                    const int newLeft = left + (dir < 0 ? units : 0);
                    if (newLeft > s_.leftUnits) break;
                    const int next = heading + dir * units;
                    // Turning back costs left steps: from above 8, and below
                    // the heading the half started at.
                    if (next > kHalfTurn + (s_.leftUnits - newLeft)) {
                        if (dir > 0) break;
                        continue;
                    }
                    if (next < -s_.leftUnits) break;
                    Half n = h;
                    AddNeeds(n.needs, kind.needs, count);
                    n.pieces += count;
                    if (n.pieces > s_.maxPieces) break;
                    if (!s_.unlimited && !Within(n.needs, s_.available)) break;
                    // Each curve moves the centre line along the normals at
                    // its two ends: sigma r (n(a) - n(b)), n(h) = d(h + 4).
                    int a = heading;
                    for (int i = 0; i < count; ++i) {
                        const int b = a + dir * kind.units;
                        AddAlong(n.sums, a + 4, dir * kind.radius2);
                        AddAlong(n.sums, b + 4, -dir * kind.radius2);
                        a = b;
                    }
                    n.laneMm += kind.laneMm * count;
                    n.leftUnits = newLeft;
                    stack_.push_back({static_cast<uint8_t>(k), static_cast<int8_t>(dir), static_cast<uint8_t>(count)});
                    Extend(next, newLeft, n);
                    stack_.pop_back();
                }
            }
        }
    }

    const Setup& s_;
    std::vector<Half>& halves_;
    std::vector<Corner>& pool_;
    std::vector<Corner> stack_;
    int target_ = 1;
};

// ---------------------------------------------------------------------------
// The shapes of the pieces, laid at the origin at every heading

struct PieceShape {
    bool ready = false;
    Parts parts;  // relative to the entry point
    PointD exit;  // exit point relative to the entry point
    int exitHeading = 0;
};

class ShapeCache {
public:
    explicit ShapeCache(const Setup& s) : s_(s) {
        scratch_.lanePairs = static_cast<uint8_t>(s.lanePairs);
        scratch_.startBrand = s.ninco ? 1 : 0;
        shapes_.resize(s.kinds.size() * 2 * kHeadings);
    }

    const PieceShape& Curve(int kind, int dir, int heading) {
        const int h = Mod16(heading);
        PieceShape& shape =
            shapes_[(static_cast<std::size_t>(kind) * 2 + (dir > 0 ? 0 : 1)) * kHeadings + static_cast<std::size_t>(h)];
        if (!shape.ready) {
            const TTrack t = TTrack::Create(scratch_, s_.kinds[static_cast<std::size_t>(kind)].type, 0.0, 0.0,
                                            h * kStepAngle, dir > 0 ? 0 : 1, s_.ninco ? 1 : 0);
            shape.parts = PartsOf(t);
            shape.exit = t.ExitPoint();
            shape.exitHeading = Mod16(h + dir * s_.kinds[static_cast<std::size_t>(kind)].units);
            shape.ready = true;
        }
        return shape;
    }

private:
    const Setup& s_;
    TCircuit scratch_;
    std::vector<PieceShape> shapes_;
};

// ---------------------------------------------------------------------------
// Canonical form of a layout: its pieces as tokens (a run of straights by its
// length, a curve by its type and the way it turns), the least of every
// starting point, both directions of travel and the mirror image.

using Tokens = std::u16string;

constexpr char16_t kRunToken = 0x4000;
char16_t CurveToken(int kind, int dir) { return static_cast<char16_t>(1 + kind * 2 + (dir > 0 ? 0 : 1)); }
char16_t Mirrored(char16_t t) { return t >= kRunToken ? t : static_cast<char16_t>(((t - 1) ^ 1) + 1); }

Tokens LeastRotation(const Tokens& t) {
    Tokens best = t;
    Tokens r = t;
    for (std::size_t i = 1; i < t.size(); ++i) {
        std::rotate(r.begin(), r.begin() + 1, r.end());
        if (r < best) best = r;
    }
    return best;
}

uint64_t Hash(const Tokens& t) {
    uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a
    for (const char16_t c : t) {
        h = (h ^ static_cast<uint64_t>(c & 0xFF)) * 0x100000001b3ULL;
        h = (h ^ static_cast<uint64_t>(c >> 8)) * 0x100000001b3ULL;
    }
    return h;
}

Tokens Canonical(const Tokens& tokens) {
    Tokens mirror = tokens;
    for (char16_t& c : mirror) c = Mirrored(c);
    Tokens back(tokens.rbegin(), tokens.rend());  // run backwards: right turns become left
    for (char16_t& c : back) c = Mirrored(c);
    Tokens backMirror(tokens.rbegin(), tokens.rend());
    return std::min({LeastRotation(tokens), LeastRotation(mirror), LeastRotation(back), LeastRotation(backMirror)});
}

// ---------------------------------------------------------------------------
// The layouts kept: what it takes to lay one, how long it is, and the
// circuit once it has been laid and checked.

struct Candidate {
    std::vector<std::pair<uint8_t, uint8_t>> pieces;  // type and orientation, from piece 1
    int turn = 0;                                     // 22.5-degree steps to turn it by once laid
    double meanMm = 0.0;
    int curveTypes = 0;
    Tokens key;    // the chain's canonical form
    Tokens shape;  // the same of the curves alone
    std::optional<TSuggestion> laid;
};

// Groups by mean lane, longest first: a group is every layout within 1 % of
// the longest not yet placed. Within a group more curve types go first, then
// the longer; among equals, one of each shape before a second of any, then
// the chains' order.
void Rank(std::vector<Candidate>& all) {
    std::sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) {
        if (a.meanMm != b.meanMm) return a.meanMm > b.meanMm;
        return a.key < b.key;
    });
    std::size_t i = 0;
    while (i < all.size()) {
        const double floor = all[i].meanMm / kNearEqual;
        std::size_t j = i;
        while (j < all.size() && all[j].meanMm >= floor) ++j;
        const auto first = all.begin() + static_cast<std::ptrdiff_t>(i);
        const auto last = all.begin() + static_cast<std::ptrdiff_t>(j);
        std::stable_sort(first, last, [](const Candidate& a, const Candidate& b) {
            if (a.curveTypes != b.curveTypes) return a.curveTypes > b.curveTypes;
            return a.meanMm > b.meanMm;
        });
        // Among layouts alike in both, each one's place among those of its
        // shape, in the chains' order.
        for (auto run = first; run != last;) {
            auto end = run;
            while (end != last && end->curveTypes == run->curveTypes && end->meanMm == run->meanMm) ++end;
            std::vector<std::pair<std::size_t, Candidate*>> order;
            std::map<Tokens, std::size_t> shapes;
            for (auto it = run; it != end; ++it) order.emplace_back(shapes[it->shape]++, &*it);
            std::stable_sort(order.begin(), order.end(),
                             [](const auto& x, const auto& y) { return x.first < y.first; });
            std::vector<Candidate> moved;
            moved.reserve(order.size());
            for (auto& o : order) moved.push_back(std::move(*o.second));
            std::move(moved.begin(), moved.end(), run);
            run = end;
        }
        i = j;
    }
}

// ---------------------------------------------------------------------------
// One pair of halves made a cycle of corners, and the straights between them

struct Cycle {
    std::vector<Corner> corners;
    std::vector<int> heading;  // of the slot before each corner, 0..15
    std::vector<int> axis;
    std::vector<int> sign;
    std::vector<int> minLength;     // 1 between two alike corners of a half
    std::vector<bool> lastOnAxis;   // the slot that closes its axis
    std::vector<uint8_t> posAfter;  // axes with a slot of either sign after slot k
    std::vector<uint8_t> negAfter;
    double curveMm = 0.0;
    int curvePieces = 0;
};

class Search {
public:
    Search(const Setup& s, const SuggestRequest& request, const TTrackList& stock, const SuggestControl& control)
        : s_(s), request_(request), stock_(stock), control_(control), shapes_(s) {}

    SuggestResult Run();

private:
    bool Stopped() const { return cancelled_ || nodes_ >= kNodeBudget || pairNodes_ >= kPairNodeBudget; }
    double Threshold() const;  // the count-th longest mean kept
    void Pair(const Half& x, const Half& y);
    void Slot(std::size_t k);
    void Finish();
    bool Lay(Candidate& cand) const;
    bool PlaceParts(const Parts& relative, const PointD& at, bool closing);
    bool PlaceRun(int units);
    void Unplace();
    bool StraightsFit() const;
    bool Fits(const Box& b) const;
    void Offer(Candidate cand);

    const Setup& s_;
    const SuggestRequest& request_;
    const TTrackList& stock_;
    const SuggestControl& control_;
    ShapeCache shapes_;

    std::vector<Half> halves_;
    std::vector<Corner> pool_;
    std::vector<Candidate> kept_;
    // The count longest means kept, the shortest of them on top.
    std::priority_queue<double, std::vector<double>, std::greater<>> best_;
    // Hashes of the chains met, so that each is laid once; a shared hash
    // only loses a layout, it never repeats one.
    std::unordered_set<uint64_t> seen_;

    long nodes_ = 0;
    long pairNodes_ = 0;
    bool cancelled_ = false;
    bool cut_ = false;  // a pair's or the whole search's work ran out

    // The layout being laid.
    Cycle cy_;
    std::vector<int> length_;  // of each slot, in units
    AxisSums laid_{};          // straights laid on each axis, signed, in units
    int64_t a_ = 0;            // standard, half and quarter straights the slots take before any is split
    int64_t b_ = 0;
    int64_t c_ = 0;
    int64_t units_ = 0;
    struct Element {
        Parts parts;
        Box before;
        PointD pen;
        int heading;
    };
    std::vector<Element> elements_;
    Box box_;
    PointD pen_;
    int heading_ = 0;
};

double Search::Threshold() const {
    return best_.size() < static_cast<std::size_t>(request_.count) ? -1.0 : best_.top();
}

bool Search::Fits(const Box& b) const {
    const double dx = b.x1 - b.x0;
    const double dy = b.y1 - b.y0;
    const double l = s_.tableLength + 1e-6;
    const double w = s_.tableWidth + 1e-6;
    return (dx <= l && dy <= w) || (dx <= w && dy <= l);
}

// The standard, half and quarter straights the slots need, splitting a
// standard one into two halves and a half into two quarters where the stock
// runs short: that is all the freedom there is, each length dividing the next.
bool Search::StraightsFit() const {
    if (s_.unlimited) return cy_.curvePieces + a_ + b_ + c_ <= s_.maxPieces;
    const int64_t splitA = std::max<int64_t>(0, a_ - s_.n4);
    const int64_t b = b_ + 2 * splitA;
    const int64_t splitB = std::max<int64_t>(0, b - s_.n2);
    const int64_t c = c_ + 2 * splitB;
    return c <= s_.n1 && cy_.curvePieces + (a_ - splitA) + (b - splitB) + c <= s_.maxPieces;
}

bool Search::PlaceParts(const Parts& relative, const PointD& at, bool closing) {
    Parts parts;
    for (int i = 0; i < relative.count; ++i) {
        Quad q = relative.quad[static_cast<std::size_t>(i)];
        for (PointD& p : q.p) {
            p.x += at.x;
            p.y += at.y;
        }
        q.box.x0 += at.x;
        q.box.x1 += at.x;
        q.box.y0 += at.y;
        q.box.y1 += at.y;
        parts.Add(q);
    }
    Box grown = box_;
    grown.Widen(parts.box);
    if (!Fits(grown)) return false;
    // Every piece but the one before it, and the first when this one closes
    // the chain.
    for (std::size_t i = 0; i + 1 < elements_.size(); ++i) {
        if (closing && i == 0) continue;
        if (PartsOverlap(elements_[i].parts, parts)) return false;
    }
    elements_.push_back({parts, box_, pen_, heading_});
    box_ = grown;
    return true;
}

bool Search::PlaceRun(int units) {
    const double angle = heading_ * kStepAngle;
    const double len = units * s_.unitMm;
    const double dx = std::cos(angle);
    const double dy = std::sin(angle);
    const PointD a{0.0, 0.0};
    const PointD b{len * dx, len * dy};
    const PointD c{b.x - s_.width * dy, b.y + s_.width * dx};
    const PointD d{-s_.width * dy, s_.width * dx};
    Parts rect;
    rect.Add(MakeQuad(a, b, c, d));
    const PointD from = pen_;
    if (!PlaceParts(rect, from, false)) return false;
    pen_ = {from.x + b.x, from.y + b.y};
    return true;
}

void Search::Unplace() {
    const Element& e = elements_.back();
    box_ = e.before;
    pen_ = e.pen;
    heading_ = e.heading;
    elements_.pop_back();
}

void Search::Pair(const Half& x, const Half& y) {
    Cycle& cy = cy_;
    cy = Cycle{};
    cy.corners.assign(pool_.begin() + x.first, pool_.begin() + x.first + x.size);
    cy.corners.insert(cy.corners.end(), pool_.begin() + y.first, pool_.begin() + y.first + y.size);
    const std::size_t n = cy.corners.size();
    cy.heading.resize(n);
    cy.axis.resize(n);
    cy.sign.resize(n);
    cy.minLength.resize(n);
    cy.lastOnAxis.assign(n, false);
    cy.posAfter.assign(n, 0);
    cy.negAfter.assign(n, 0);
    int heading = 0;
    for (std::size_t k = 0; k < n; ++k) {
        if (k == x.size) heading = kHalfTurn;  // the second half starts where the first ends
        const Corner& c = cy.corners[k];
        const int d = Mod16(heading);
        cy.heading[k] = d;
        cy.axis[k] = d % kAxes;
        cy.sign[k] = d < kAxes ? 1 : -1;
        const bool junction = k == 0 || k == x.size;
        const Corner& before = cy.corners[(k + n - 1) % n];
        cy.minLength[k] = !junction && before.kind == c.kind && before.dir == c.dir ? 1 : 0;
        const CurveKind& kind = s_.kinds[c.kind];
        heading += c.dir * kind.units * c.count;
        cy.curveMm += kind.laneMm * c.count;
        cy.curvePieces += c.count;
    }
    std::array<int, kAxes> last;
    last.fill(-1);
    for (std::size_t k = 0; k < n; ++k) last[static_cast<std::size_t>(cy.axis[k])] = static_cast<int>(k);
    for (int j = 0; j < kAxes; ++j) {
        if (last[static_cast<std::size_t>(j)] >= 0)
            cy.lastOnAxis[static_cast<std::size_t>(last[static_cast<std::size_t>(j)])] = true;
    }
    uint8_t pos = 0;
    uint8_t neg = 0;
    for (std::size_t k = n; k-- > 0;) {
        cy.posAfter[k] = pos;
        cy.negAfter[k] = neg;
        if (cy.sign[k] > 0) {
            pos = static_cast<uint8_t>(pos | (1u << cy.axis[k]));
        } else {
            neg = static_cast<uint8_t>(neg | (1u << cy.axis[k]));
        }
    }
    length_.assign(n, 0);
    laid_ = {};
    a_ = b_ = c_ = units_ = 0;
    elements_.clear();
    box_ = Box{};
    box_.Widen(PointD{0.0, 0.0});
    pen_ = {0.0, 0.0};
    heading_ = 0;
    pairNodes_ = 0;
    Slot(0);
    if (pairNodes_ >= kPairNodeBudget || nodes_ >= kNodeBudget) cut_ = true;
}

void Search::Slot(std::size_t k) {
    if (k == cy_.corners.size()) {
        Finish();
        return;
    }
    const auto j = static_cast<std::size_t>(cy_.axis[k]);
    const int sign = cy_.sign[k];
    // Units of straight still to be had: the stock's, and no more than the
    // pieces left under the limit could make.
    const int64_t byPieces = 4 * static_cast<int64_t>(s_.maxPieces - cy_.curvePieces);
    const int64_t capacity = s_.unlimited ? byPieces : std::min(byPieces, 4 * s_.n4 + 2 * s_.n2 + s_.n1);
    // Still to lay on the other axes.
    int64_t others = 0;
    for (std::size_t i = 0; i < kAxes; ++i) {
        if (i != j) others += std::llabs(laid_[i]);
    }
    int64_t hi = 0;
    int64_t lo = cy_.minLength[k];
    if (cy_.lastOnAxis[k]) {
        hi = lo = std::max<int64_t>(-1, -sign * laid_[j]);
        if (lo < cy_.minLength[k]) return;
    } else {
        const double side = std::max(s_.tableLength, s_.tableWidth);
        hi = std::min<int64_t>(capacity - units_ - others, static_cast<int64_t>(side / s_.unitMm));
    }
    const Corner& corner = cy_.corners[k];
    const bool closingCorner = k + 1 == cy_.corners.size();
    for (int64_t len = hi; len >= lo; --len) {
        if (nodes_++ % kPollEvery == 0 && control_.cancelled && control_.cancelled()) cancelled_ = true;
        ++pairNodes_;
        if (Stopped()) return;
        // What this length leaves to lay, and whether the slots after this
        // one can still lay it.
        laid_[j] += sign * len;
        bool ok = true;
        int64_t rest = 0;
        for (std::size_t i = 0; i < kAxes && ok; ++i) {
            const int64_t r = -laid_[i];
            rest += std::llabs(r);
            if (r > 0 && !(cy_.posAfter[k] & (1u << i))) ok = false;
            if (r < 0 && !(cy_.negAfter[k] & (1u << i))) ok = false;
        }
        const int64_t a = len / 4;
        const int64_t b = (len % 4) / 2;
        const int64_t c = len % 2;
        a_ += a;
        b_ += b;
        c_ += c;
        units_ += len;
        ok = ok && units_ + rest <= capacity && StraightsFit();
        std::size_t placed = 0;
        if (ok && len > 0) {
            ok = PlaceRun(static_cast<int>(len));
            if (ok) ++placed;
        }
        for (int i = 0; ok && i < corner.count; ++i) {
            const PieceShape& shape = shapes_.Curve(corner.kind, corner.dir, heading_);
            const PointD at = pen_;
            const bool closing = closingCorner && i + 1 == corner.count;
            ok = PlaceParts(shape.parts, at, closing);
            if (ok) {
                ++placed;
                pen_ = {at.x + shape.exit.x, at.y + shape.exit.y};
                heading_ = shape.exitHeading;
            }
        }
        if (ok) {
            length_[k] = static_cast<int>(len);
            Slot(k + 1);
            length_[k] = 0;
        }
        for (std::size_t i = 0; i < placed; ++i) Unplace();
        a_ -= a;
        b_ -= b;
        c_ -= c;
        units_ -= len;
        laid_[j] -= sign * len;
        if (Stopped()) return;
    }
}

void Search::Finish() {
    const std::size_t n = cy_.corners.size();
    // The straights: standard ones first, split where the stock runs short,
    // taken from the last slots.
    std::vector<std::array<int64_t, 3>> runs(n);
    for (std::size_t k = 0; k < n; ++k) {
        const int64_t len = length_[k];
        runs[k] = {len / 4, (len % 4) / 2, len % 2};
    }
    if (!s_.unlimited) {
        int64_t splitA = std::max<int64_t>(0, a_ - s_.n4);
        for (std::size_t k = n; k-- > 0 && splitA > 0;) {
            const int64_t take = std::min(splitA, runs[k][0]);
            runs[k][0] -= take;
            runs[k][1] += 2 * take;
            splitA -= take;
        }
        int64_t halves = 0;
        for (const auto& r : runs) halves += r[1];
        int64_t splitB = std::max<int64_t>(0, halves - s_.n2);
        for (std::size_t k = n; k-- > 0 && splitB > 0;) {
            const int64_t take = std::min(splitB, runs[k][1]);
            runs[k][1] -= take;
            runs[k][2] += 2 * take;
            splitB -= take;
        }
    }
    // Piece 1: the starting straight, at the head of the longest run that
    // has a standard straight; without one, the head of the longest run.
    int startSlot = -1;
    for (std::size_t k = 0; k < n; ++k) {
        if (length_[k] == 0 || (s_.start && runs[k][0] == 0)) continue;
        if (startSlot < 0 || length_[k] > length_[static_cast<std::size_t>(startSlot)]) startSlot = static_cast<int>(k);
    }
    if (s_.start && startSlot < 0) return;

    const double mean = cy_.curveMm + static_cast<double>(units_) * s_.unitMm;
    const double threshold = Threshold();
    if (threshold > 0.0 && mean * kNearEqual < threshold) return;

    Tokens tokens;
    Tokens shape;
    std::set<int> types;
    for (std::size_t k = 0; k < n; ++k) {
        if (length_[k] > 0) tokens.push_back(static_cast<char16_t>(kRunToken + length_[k]));
        const Corner& c = cy_.corners[k];
        tokens.append(c.count, CurveToken(c.kind, c.dir));
        shape.append(c.count, CurveToken(c.kind, c.dir));
        types.insert(s_.kinds[c.kind].type);
    }
    Tokens key = Canonical(tokens);
    if (seen_.size() >= kMaxSeen || !seen_.insert(Hash(key)).second) return;

    Candidate cand;
    cand.key = std::move(key);
    cand.shape = Canonical(shape);
    cand.meanMm = mean;
    cand.curveTypes = static_cast<int>(types.size());
    // The pieces in chain order from piece 1. The straights turn left, as
    // the editor's insert buttons lay them.
    const std::size_t from = startSlot < 0 ? 0 : static_cast<std::size_t>(startSlot);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t k = (from + i) % n;
        auto r = runs[k];
        auto add = [&cand](int type, int orientation, int64_t times) {
            for (int64_t q = 0; q < times; ++q) cand.pieces.emplace_back(type, orientation);
        };
        if (s_.start && k == from) {
            add(kStartingStraight, 1, 1);
            --r[0];
        }
        add(kStandardStraight, 1, r[0]);
        add(kHalfStraight, 1, r[1]);
        add(kQuarterStraight, 1, r[2]);
        const Corner& c = cy_.corners[k];
        add(s_.kinds[c.kind].type, c.dir > 0 ? 0 : 1, c.count);
    }
    if (static_cast<int>(cand.pieces.size()) > s_.maxPieces) return;
    // Laid from piece 1 heading 0, it comes back to the heading it was found
    // at, and a quarter turn more when it fits the table only across.
    const double dx = box_.x1 - box_.x0;
    const double dy = box_.y1 - box_.y0;
    const bool across = !(dx <= s_.tableLength + 1e-6 && dy <= s_.tableWidth + 1e-6);
    cand.turn = Mod16(cy_.heading[from] + (across ? 4 : 0));
    Offer(std::move(cand));
}

bool Search::Lay(Candidate& cand) const {
    TCircuit circuit;
    circuit.lanePairs = static_cast<uint8_t>(s_.lanePairs);
    circuit.startBrand = s_.ninco ? 1 : 0;
    circuit.workAreaLength = s_.tableLength;
    circuit.workAreaWidth = s_.tableWidth;
    for (const auto& [type, orientation] : cand.pieces) {
        const bool first = circuit.Count() == 0;
        if (!circuit.Insert(type, orientation, nullptr)) return false;
        if (first) {
            // As the editor does: the first piece is selected so that the
            // next one follows it.
            circuit.Track(1).selected = true;
            circuit.firstSelected = circuit.lastSelected = 1;
        }
    }
    if (cand.turn != 0) circuit.Rotate(cand.turn * 22.5);
    // In the middle of the table, as the Center command puts it.
    const PointD shift = circuit.CentringShift(s_.tableLength, s_.tableWidth);
    circuit.MoveBy(shift.x, shift.y);
    circuit.ReLay(false);
    for (TTrack& t : circuit.Tracks()) t.selected = false;
    circuit.firstSelected = circuit.lastSelected = 0;
    const TBoundingBox box = circuit.box;

    // What a suggestion promises, checked on the circuit itself.
    if (!circuit.closed) return false;
    if (box.left < 0 || box.top < 0 || box.right > s_.tableLength || box.bottom > s_.tableWidth) return false;
    if (FirstOverlap(circuit)) return false;
    if (s_.start && circuit.Track(1).type != kStartingStraight) return false;
    TTrackList required;
    required.CountTracks(circuit);
    if (!s_.unlimited) {
        for (const int brand : {kScxIndex, kNincoIndex}) {
            for (int t = 0; t < kTrackTypeCount; ++t) {
                if (required.Pieces(brand, t) > stock_.Pieces(brand, t)) return false;
            }
        }
    }

    TSuggestion s;
    s.meanLaneMm = ComputeDimensions(circuit).meanMm;
    s.lengthMm = box.right - box.left;
    s.widthMm = box.bottom - box.top;
    std::set<int> types;
    for (const TTrack& t : circuit.Tracks()) {
        if (IsCurve(t.type)) types.insert(t.type);
    }
    s.curveTypes = static_cast<int>(types.size());
    s.pieces = circuit.Count();
    for (int t = 0; t < kTrackTypeCount; ++t) {
        const int64_t lack = static_cast<int64_t>(required.Pieces(s_.brandIndex, t)) - stock_.Pieces(s_.brandIndex, t);
        if (lack > 0) s.missing.emplace_back(t, static_cast<int32_t>(lack));
    }
    s.circuit = std::move(circuit);
    cand.meanMm = s.meanLaneMm;
    cand.curveTypes = s.curveTypes;
    cand.laid = std::move(s);
    return true;
}

void Search::Offer(Candidate cand) {
    const double before = Threshold();
    const double mean = cand.meanMm;
    kept_.push_back(std::move(cand));
    // The window hears of a layout when it makes the list as it stands; it
    // is laid and checked first.
    if (control_.found && (before < 0.0 || mean > before)) {
        if (!Lay(kept_.back())) {
            kept_.pop_back();
            return;
        }
        control_.found(*kept_.back().laid);
    }
    best_.push(mean);
    if (best_.size() > static_cast<std::size_t>(request_.count)) best_.pop();
    const double threshold = Threshold();
    if (threshold > before) {
        // Whatever lies more than 1 % below the count-th longest can no
        // longer reach the list.
        std::erase_if(kept_, [threshold](const Candidate& k) { return k.meanMm * kNearEqual < threshold; });
    }
    // Many layouts as long as each other (the same straights in other
    // places): the best of them are enough.
    const std::size_t most = kKeptPerSuggestion * static_cast<std::size_t>(request_.count);
    if (kept_.size() > 4 * most) {
        Rank(kept_);
        kept_.resize(most);
    }
}

SuggestResult Search::Run() {
    SuggestResult result;
    HalfMaker(s_, halves_, pool_).Make();

    // The second half, turned half round, moves the other way: two halves
    // whose curves move the same on every axis close, the straights in
    // balance on each.
    std::vector<uint32_t> order(halves_.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(),
              [this](uint32_t a, uint32_t b) { return std::tie(halves_[a].sums, a) < std::tie(halves_[b].sums, b); });
    const double straightMm = s_.unlimited ? std::numeric_limits<double>::infinity()
                                           : static_cast<double>(4 * s_.n4 + 2 * s_.n2 + s_.n1) * s_.unitMm;
    struct PairOf {
        double bound;
        uint32_t x;
        uint32_t y;
    };
    std::vector<PairOf> pairs;
    auto better = [](const PairOf& a, const PairOf& b) {
        return std::tie(b.bound, a.x, a.y) < std::tie(a.bound, b.x, b.y);
    };
    auto trim = [&] {
        if (pairs.size() <= kMaxPairs) return;
        std::nth_element(pairs.begin(), pairs.begin() + static_cast<std::ptrdiff_t>(kMaxPairs), pairs.end(), better);
        pairs.resize(kMaxPairs);
    };
    for (std::size_t g = 0; g < order.size();) {
        std::size_t e = g;
        while (e < order.size() && halves_[order[e]].sums == halves_[order[g]].sums) ++e;
        for (std::size_t i = g; i < e; ++i) {
            for (std::size_t k = i; k < e; ++k) {
                const Half& x = halves_[order[i]];
                const Half& y = halves_[order[k]];
                const int pieces = x.pieces + y.pieces;
                if (pieces > s_.maxPieces) continue;
                Needs needs = x.needs;
                AddNeeds(needs, y.needs, 1);
                if (!s_.unlimited && !Within(needs, s_.available)) continue;
                // At best every straight there is, as far as the pieces left
                // under the limit go.
                const double straights = std::min(straightMm, 4.0 * (s_.maxPieces - pieces) * s_.unitMm);
                pairs.push_back(
                    {x.laneMm + y.laneMm + straights, std::min(order[i], order[k]), std::max(order[i], order[k])});
                if (pairs.size() >= 2 * kMaxPairs) trim();
            }
        }
        g = e;
    }
    trim();
    std::sort(pairs.begin(), pairs.end(), better);
    // Curves turning back and forth promise more length and rarely fit:
    // pairs are taken in turn from each amount of turning left, longest
    // first within each, so that plain shapes are not starved by curly ones.
    std::vector<std::vector<PairOf>> classes;
    for (const PairOf& pair : pairs) {
        const auto left = static_cast<std::size_t>(halves_[pair.x].leftUnits + halves_[pair.y].leftUnits);
        if (classes.size() <= left) classes.resize(left + 1);
        classes[left].push_back(pair);
    }
    std::vector<std::size_t> next(classes.size(), 0);
    result.complete = true;
    double reported = -1.0;
    std::size_t tried = 0;
    for (bool any = true; any && !cancelled_ && result.complete;) {
        any = false;
        for (std::size_t k = 0; k < classes.size() && !cancelled_; ++k) {
            if (next[k] == classes[k].size()) continue;
            const PairOf& pair = classes[k][next[k]];
            const double threshold = Threshold();
            if (threshold > 0.0 && pair.bound * kNearEqual < threshold) {
                next[k] = classes[k].size();  // nothing further in it can make the list
                continue;
            }
            if (nodes_ >= kNodeBudget) {
                result.complete = false;
                break;
            }
            ++next[k];
            any = true;
            Pair(halves_[pair.x], halves_[pair.y]);
            const double done = static_cast<double>(++tried) / static_cast<double>(pairs.size());
            if (control_.progress && done - reported >= 0.01) {
                control_.progress(done);
                reported = done;
            }
        }
    }
    if (control_.progress) control_.progress(1.0);

    result.nodes = nodes_;
    if (cut_) result.complete = false;
    // Laid and checked in their order until there are enough; then ranked
    // again on the circuits' own figures.
    Rank(kept_);
    std::vector<Candidate> laid;
    for (Candidate& cand : kept_) {
        if (laid.size() == static_cast<std::size_t>(request_.count)) break;
        if (cand.laid || Lay(cand)) laid.push_back(std::move(cand));
    }
    for (Candidate& cand : laid) result.suggestions.push_back(std::move(*cand.laid));
    RankSuggestions(result.suggestions);
    if (cancelled_) {
        result.status = SuggestStatus::Cancelled;
    } else if (!result.suggestions.empty()) {
        result.status = SuggestStatus::Found;
    } else {
        // Not even a circle of the tightest curve at hand fits.
        double smallest = std::numeric_limits<double>::infinity();
        for (const CurveKind& k : s_.kinds) smallest = std::min(smallest, 2.0 * k.outerMm);
        result.status = smallest > std::min(s_.tableLength, s_.tableWidth) ? SuggestStatus::TableTooSmall
                                                                           : SuggestStatus::NothingFits;
    }
    return result;
}

// The most 22.5-degree steps the stock's curves turn, counting up to `enough`.
int MostTurn(const std::vector<CurveKind>& kinds, const Needs& available, int enough) {
    int best = 0;
    Needs used{};
    auto walk = [&](auto&& self, std::size_t k, int units) -> void {
        best = std::max(best, units);
        if (k == kinds.size() || best >= enough) return;
        self(self, k + 1, units);
        int n = 0;
        for (;;) {
            AddNeeds(used, kinds[k].needs, 1);
            ++n;
            if (!Within(used, available) || units + n * kinds[k].units > enough) break;
            self(self, k + 1, units + n * kinds[k].units);
        }
        AddNeeds(used, kinds[k].needs, -n);
    };
    walk(walk, 0, 0);
    return best;
}

}  // namespace

// ---------------------------------------------------------------------------

void RankSuggestions(std::vector<TSuggestion>& list) {
    std::vector<Candidate> all(list.size());
    for (std::size_t i = 0; i < list.size(); ++i) {
        Candidate& c = all[i];
        Tokens tokens;
        for (const TTrack& t : list[i].circuit.Tracks()) {
            const auto token = IsCurve(t.type) ? CurveToken(t.type, t.TurnsLeft() ? -1 : 1)
                                               : static_cast<char16_t>(kRunToken + t.type);
            tokens.push_back(token);
            if (IsCurve(t.type)) c.shape.push_back(token);
        }
        c.key = Canonical(tokens);
        c.shape = Canonical(c.shape);
        c.meanMm = list[i].meanLaneMm;
        c.curveTypes = list[i].curveTypes;
        c.laid = std::move(list[i]);
    }
    Rank(all);
    for (std::size_t i = 0; i < list.size(); ++i) list[i] = std::move(*all[i].laid);
}

bool OutlinesOverlap(const TTrack& a, const TTrack& b) { return PartsOverlap(PartsOf(a), PartsOf(b)); }

std::optional<std::pair<int, int>> FirstOverlap(const TCircuit& circuit) {
    const int n = circuit.Count();
    std::vector<Parts> parts;
    parts.reserve(static_cast<std::size_t>(n));
    for (const TTrack& t : circuit.Tracks()) parts.push_back(PartsOf(t));
    for (int i = 1; i <= n; ++i) {
        for (int j = i + 2; j <= n; ++j) {
            if (circuit.closed && i == 1 && j == n) continue;
            if (PartsOverlap(parts[static_cast<std::size_t>(i - 1)], parts[static_cast<std::size_t>(j - 1)])) {
                return std::pair{i, j};
            }
        }
    }
    return std::nullopt;
}

double StockRunningLength(const TTrackList& stock, Brand system) {
    const bool ninco = system == Brand::Ninco;
    double total = 0.0;
    for (int type = 0; type < kTrackTypeCount; ++type) {
        const int32_t count = stock.Pieces(ninco ? kNincoIndex : kScxIndex, type);
        if (count <= 0 || !Dimensions(type, system).exists) continue;
        TCircuit c;
        c.Append(type, 0, ninco ? 1 : 0);
        const auto lanes = c.LaneLengths();
        total += count * (IsSingleRacing(type) ? lanes[0] : (lanes[0] + lanes[1]) / 2.0);
    }
    return total;
}

std::string SuggestStatusText(SuggestStatus status, int lanes) {
    switch (status) {
        case SuggestStatus::Found:
            return {};
        case SuggestStatus::LanesNotOffered:
            return Text(XText::SuggestLanesNotOffered);
        case SuggestStatus::TableNotUsable:
            return Text(XText::SuggestTableNotUsable);
        case SuggestStatus::CountNotUsable:
            return Text(XText::SuggestCountNotUsable);
        case SuggestStatus::NoPieces:
            return Text(XText::SuggestNoPieces);
        case SuggestStatus::TooFewCurves:
            return Text(XText::SuggestTooFewCurves) + (lanes >= 4 ? Text(XText::SuggestWideCurvesNote) : "");
        case SuggestStatus::TableTooSmall:
            return Text(XText::SuggestTableTooSmall);
        case SuggestStatus::NothingFits:
            return Text(XText::SuggestNothingFits);
        case SuggestStatus::Cancelled:
            return Text(XText::SuggestCancelled);
    }
    return {};
}

SuggestResult SuggestCircuits(const SuggestRequest& request, const TTrackList& stock, const SuggestControl& control) {
    SuggestResult refused;
    auto refuse = [&refused](SuggestStatus status) {
        refused.status = status;
        return refused;
    };
    if (request.count < 1 || request.count > kMaxSuggestions || request.anyPieces < 0 ||
        request.anyPieces > kMaxAnyPieces) {
        return refuse(SuggestStatus::CountNotUsable);
    }
    if (request.tableLength < 1 || request.tableLength > kMaxTableSide || request.tableWidth < 1 ||
        request.tableWidth > kMaxTableSide) {
        return refuse(SuggestStatus::TableNotUsable);
    }
    if (request.lanes < 2 || request.lanes > TCircuit::kMaxLanes || request.lanes % 2 != 0) {
        return refuse(SuggestStatus::LanesNotOffered);
    }

    Setup s;
    s.brand = request.system;
    s.ninco = request.system == Brand::Ninco;
    s.lanePairs = request.lanes / 2;
    s.brandIndex = s.ninco ? kNincoIndex : kScxIndex;
    s.width = DataOf(s.brand).pairWidth * s.lanePairs;
    s.unitMm = Dimensions(kQuarterStraight, s.brand).lengthOrArc;
    s.tableLength = request.tableLength;
    s.tableWidth = request.tableWidth;
    s.unlimited = request.anyPieces > 0;
    s.maxPieces = s.unlimited ? request.anyPieces : kMaxAnyPieces;
    for (int t = 0; t < kTrackTypeCount; ++t)
        s.available[static_cast<std::size_t>(t)] = std::max(0, stock.Pieces(s.brandIndex, t));

    if (!s.unlimited && std::all_of(s.available.begin(), s.available.end(), [](int32_t n) { return n == 0; })) {
        return refuse(SuggestStatus::NoPieces);
    }

    // The curves these lanes can take: the wider the circuit, the fewer
    // catalogue curves are left to build its outer lanes from.
    const CloseDialogLimits limits = CloseLimits(s.lanePairs);
    for (const int type : {kStandardCurve, kInnerCurve, kOuterCurve, kSuperOuterCurve}) {
        if ((type == kStandardCurve && !limits.standardCurve) || (type == kOuterCurve && !limits.outerCurve) ||
            (type == kSuperOuterCurve && !limits.superOuterCurve)) {
            continue;
        }
        const TrackDimensions dims = Dimensions(type, s.brand);
        CurveKind k;
        k.type = type;
        k.units = static_cast<int>(Round(dims.lengthOrArc / kStepAngle));
        k.radius2 = Round64(2.0 * dims.innerRadius + s.width);
        k.laneMm = (dims.innerRadius + s.width / 2.0) * dims.lengthOrArc;
        k.outerMm = dims.innerRadius + s.width;
        k.needs = NeedsOf(type, s.lanePairs, s.ninco);
        if (!s.unlimited && HowMany(k.needs, s.available) == 0) continue;
        s.kinds.push_back(k);
    }
    const int enough = kFullTurn + 4 * kMaxLeftUnitsPerHalf;
    const int most = s.unlimited ? std::min(2 * s.maxPieces, enough) : MostTurn(s.kinds, s.available, enough);
    if (s.kinds.empty() || most < kFullTurn) return refuse(SuggestStatus::TooFewCurves);
    s.leftUnits = std::min(kMaxLeftUnitsPerHalf, (most - kFullTurn) / 2);

    const Needs startNeeds = NeedsOf(kStartingStraight, s.lanePairs, s.ninco);
    s.start = HowMany(startNeeds, s.available) > 0;
    if (s.unlimited) {
        s.n4 = s.n2 = s.n1 = std::numeric_limits<int32_t>::max();
    } else {
        s.n4 = HowMany(NeedsOf(kStandardStraight, s.lanePairs, s.ninco), s.available) + (s.start ? 1 : 0);
        s.n2 = HowMany(NeedsOf(kHalfStraight, s.lanePairs, s.ninco), s.available);
        s.n1 = HowMany(NeedsOf(kQuarterStraight, s.lanePairs, s.ninco), s.available);
    }
    return Search(s, request, stock, control).Run();
}

}  // namespace quillet
