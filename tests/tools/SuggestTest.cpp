// Suggest Circuits: every suggestion is checked on its own terms (the
// editor's closed test, the table, overlaps, the stock, distinctness and the
// ranking), and the layouts a few pieces allow are counted by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "StockBoxes.h"
#include "ToolsTestSupport.h"
#include "app/Editor.h"
#include "app/Prompter.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "tools/Closing.h"
#include "tools/Dimensions.h"
#include "tools/Suggest.h"

using namespace quillet;
using namespace quillet::test;

namespace {

const double kPiRef = std::acos(-1.0);
constexpr int kN = kNincoIndex;

// A two-lane NINCO standard curve: centre line 241.5 + 90 = 331.5 mm from its
// centre over 45 degrees, so each one adds 331.5 pi / 4 to the mean lane, and
// a half turn of four of them spans 2 x (241.5 + 180) = 843 mm at the outer
// edge.
constexpr double kCurveCentre = 331.5;
constexpr int kHalfTurnSpan = 843;

TTrackList Stock(std::initializer_list<std::pair<int, int32_t>> pieces, int brand = kN) {
    TTrackList s;
    for (const auto& [type, count] : pieces) s.SetPieces(brand, type, count);
    return s;
}

TTrackList Starter() { return StarterBox(); }
TTrackList Club() { return ClubBox(); }

using PieceChain = std::vector<std::pair<int, int>>;  // type, orientation (straights: 0)

PieceChain ChainOf(const TCircuit& c) {
    PieceChain chain;
    for (const TTrack& t : c.Tracks()) chain.emplace_back(t.type, IsCurve(t.type) ? t.orientation : 0);
    return chain;
}

// The same chain started elsewhere, run the other way round (a right turn
// is then a left one) or mirrored, tried every way.
bool SameChain(const PieceChain& a, const PieceChain& b) {
    if (a.size() != b.size()) return false;
    auto flip = [](PieceChain c) {
        for (auto& p : c) {
            if (IsCurve(p.first)) p.second ^= 1;
        }
        return c;
    };
    PieceChain back(b.rbegin(), b.rend());
    for (const PieceChain& v : {b, flip(b), flip(back), back}) {
        for (std::size_t r = 0; r < v.size(); ++r) {
            bool same = true;
            for (std::size_t i = 0; i < a.size() && same; ++i) same = a[i] == v[(i + r) % v.size()];
            if (same) return true;
        }
    }
    return false;
}

// Points well inside a piece: the middle of each section between outline
// stations.
std::vector<PointD> Inside(const TTrack& t) {
    std::vector<PointD> points;
    for (int k = 1; k <= 8; ++k) {
        const PointD a = t.P(k), b = t.P(k + 1), c = t.P(18 - k), d = t.P(19 - k);
        points.push_back({(a.x + b.x + c.x + d.x) / 4.0, (a.y + b.y + c.y + d.y) / 4.0});
    }
    return points;
}

// Everything a suggestion promises, checked without the search's own code
// where the editor has a way of its own.
void ExpectSound(const TSuggestion& s, const SuggestRequest& request, const TTrackList& stock, bool anyPieces = false) {
    const TCircuit& c = s.circuit;
    ASSERT_GT(c.Count(), 0);
    // Closed as the status bar says it, also once written and read back.
    TCircuit read;
    ASSERT_TRUE(ReadCircuitBytes(CircuitFileBytes(c, "s", '.'), "s.QLC", read));
    TSilentPrompter prompter;
    TQuietHost host;
    TNoTemplate noTemplate;
    TEditor editor(prompter, host, noTemplate);
    editor.Circuit() = read;
    EXPECT_EQ(editor.Panel1Text(), Text(120));  // "Circuit closed "
    EXPECT_TRUE(read.closed);
    // On the table, as laid.
    const TBoundingBox box = c.ComputeBoundingBox();
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, request.tableLength);
    EXPECT_LE(box.bottom, request.tableWidth);
    EXPECT_EQ(s.lengthMm, box.right - box.left);
    EXPECT_EQ(s.widthMm, box.bottom - box.top);
    const CircuitDimensions dims = ComputeDimensions(c);
    EXPECT_EQ(s.meanLaneMm, dims.meanMm);
    // Flat: no piece's inside reaches into a piece that is not its neighbour.
    EXPECT_FALSE(FirstOverlap(c).has_value());
    const int n = c.Count();
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            const int gap = std::abs(i - j);
            if (gap <= 1 || gap == n - 1) continue;
            for (const PointD& p : Inside(c.Track(i))) {
                EXPECT_FALSE(c.Track(j).ContainsPoint(static_cast<int32_t>(std::lround(p.x)),
                                                      static_cast<int32_t>(std::lround(p.y))))
                    << "piece " << i << " reaches into piece " << j;
            }
        }
    }
    // Lanes and the curves such a circuit can take.
    const int p = request.lanes / 2;
    EXPECT_EQ(c.LanePairs(), p);
    const CloseDialogLimits limits = CloseLimits(p);
    for (const TTrack& t : c.Tracks()) {
        EXPECT_EQ(t.width, DataOf(request.system).pairWidth * p);
        EXPECT_TRUE(t.type != kSuperOuterCurve || limits.superOuterCurve);
        EXPECT_TRUE(t.type != kOuterCurve || limits.outerCurve);
        EXPECT_TRUE(t.type != kStandardCurve || limits.standardCurve);
    }
    // The stock, as the Track List counts it; the starting straight first.
    TTrackList required;
    required.CountTracks(c);
    const int brand = request.system == Brand::Ninco ? kNincoIndex : kScxIndex;
    std::vector<std::pair<int, int32_t>> missing;
    for (int type = 0; type < kTrackTypeCount; ++type) {
        const int32_t lack = required.Pieces(brand, type) - stock.Pieces(brand, type);
        EXPECT_TRUE(anyPieces || lack <= 0) << "type " << type;
        if (lack > 0) missing.emplace_back(type, lack);
    }
    EXPECT_EQ(s.missing, missing);
    EXPECT_TRUE(stock.Pieces(brand, kStartingStraight) < p || c.Track(1).type == kStartingStraight);
    int curves = 0;
    std::vector<int> types;
    for (const TTrack& t : c.Tracks()) {
        if (!IsCurve(t.type)) continue;
        ++curves;
        if (std::find(types.begin(), types.end(), t.type) == types.end()) types.push_back(t.type);
    }
    EXPECT_EQ(s.curveTypes, static_cast<int>(types.size()));
    EXPECT_EQ(s.pieces, n);
}

// No two alike; longest first, except that within 1 % more curve types may
// go first.
void ExpectDistinctAndRanked(const std::vector<TSuggestion>& list) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            EXPECT_FALSE(SameChain(ChainOf(list[i].circuit), ChainOf(list[j].circuit))) << i << " and " << j;
            const TSuggestion& a = list[i];
            const TSuggestion& b = list[j];
            if (b.meanLaneMm > a.meanLaneMm) {
                EXPECT_LE(b.meanLaneMm, a.meanLaneMm * 1.01) << i << " before " << j;
                EXPECT_GT(a.curveTypes, b.curveTypes) << i << " before " << j;
            }
        }
    }
}

void ExpectAllSound(const SuggestResult& r, const SuggestRequest& request, const TTrackList& stock,
                    bool anyPieces = false) {
    for (const TSuggestion& s : r.suggestions) ExpectSound(s, request, stock, anyPieces);
    ExpectDistinctAndRanked(r.suggestions);
}

class Suggest : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = LanguageIndex();
        SetLanguageIndex(kEnglish);
    }
    void TearDown() override { SetLanguageIndex(saved_); }

private:
    int saved_ = kSpanish;
};

// ---------------------------------------------------------------------------
// The outline test

TTrack Laid(int type, double x, double y, double angle, int orientation = 0, int lanePairs = 1) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    return TTrack::Create(c, type, x, y, angle, orientation, 1);
}

TEST(SuggestOutlines, OverlapOnlyWhereInsidesMeet) {
    // A NINCO straight from (0, 0) heading 0 covers x 0..400, y 0..180.
    const TTrack a = Laid(kStandardStraight, 0, 0, 0);
    EXPECT_TRUE(OutlinesOverlap(a, a));                                    // the same place
    EXPECT_FALSE(OutlinesOverlap(a, Laid(kStandardStraight, 0, 180, 0)));  // side by side
    EXPECT_FALSE(OutlinesOverlap(a, Laid(kStandardStraight, 400, 0, 0)));  // end to end
    EXPECT_TRUE(OutlinesOverlap(a, Laid(kStandardStraight, 0, 179, 0)));   // 1 mm over
    EXPECT_FALSE(OutlinesOverlap(a, Laid(kStandardStraight, 0, 181, 0)));
    // Along the same lane, half over the other: no corner of either lies
    // inside the other and no edges cross.
    EXPECT_TRUE(OutlinesOverlap(a, Laid(kStandardStraight, 200, 0, 0)));
    // Across: heading pi/2 from (100, -100) runs down x 100 - 180 .. 100.
    EXPECT_TRUE(OutlinesOverlap(a, Laid(kStandardStraight, 100, -100, kPiRef / 2)));
    EXPECT_FALSE(OutlinesOverlap(a, Laid(kStandardStraight, 600, -100, kPiRef / 2)));

    // A standard curve turning right from (0, 0): centre (0, 421.5), inner
    // edge 241.5 from it. A quarter straight across the hole, 100 x 180 round
    // the centre, touches nothing; one over the middle of the arc does.
    const TTrack curve = Laid(kStandardCurve, 0, 0, 0, 0);
    EXPECT_FALSE(OutlinesOverlap(curve, Laid(kQuarterStraight, -50, 421.5 - 90, 0)));
    const double mid = kPiRef / 8;  // halfway along, 331.5 from the centre
    EXPECT_TRUE(OutlinesOverlap(
        curve, Laid(kQuarterStraight, 331.5 * std::sin(mid) - 50, 421.5 - 331.5 * std::cos(mid) - 90, 0)));

    // A NINCO starting straight laid as the insert buttons lay it (turning
    // left) has its 30 mm connector box on its right side, y 180..210 over
    // x 150..250: a straight 10 mm off that side meets the box, one 10 mm off
    // the other side meets nothing.
    const TTrack start = Laid(kStartingStraight, 0, 0, 0, 1);
    EXPECT_TRUE(OutlinesOverlap(start, Laid(kStandardStraight, 0, 190, 0)));
    EXPECT_FALSE(OutlinesOverlap(start, Laid(kStandardStraight, 0, 220, 0)));
    EXPECT_FALSE(OutlinesOverlap(start, Laid(kStandardStraight, 0, -190, 0)));
}

TEST(SuggestOutlines, FirstOverlapSkipsNeighbours) {
    // Eight right-hand curves close a circle: first and last are neighbours.
    std::vector<Piece> eight(8, Piece{kStandardCurve, 0, 1});
    EXPECT_TRUE(Chain(eight).closed);
    EXPECT_FALSE(FirstOverlap(Chain(eight)).has_value());
    // A ninth lies on the first.
    std::vector<Piece> nine(9, Piece{kStandardCurve, 0, 1});
    const auto overlap = FirstOverlap(Chain(nine));
    ASSERT_TRUE(overlap.has_value());
    EXPECT_EQ(*overlap, std::make_pair(1, 9));
    // The oval is flat.
    EXPECT_FALSE(FirstOverlap(Chain(Oval())).has_value());
}

// Groups from the longest down: 1005 leads 1000 and 996 (down to
// 1005 / 1.01 = 995.05), of which 996 has the most curve types; 994 then
// leads a group of its own (down to 984.2), though it is within 1 % of 1000
// too; 900 leads 895 and 892 (down to 891.1), 892 with the most types.
TEST(SuggestRanking, MoreCurveTypesFirstWithinOnePercentOfAGroupsLongest) {
    const std::vector<std::pair<double, int>> given{{1000, 1}, {994, 3}, {895, 1}, {1005, 1},
                                                    {900, 2},  {996, 2}, {892, 3}};
    std::vector<TSuggestion> list;
    for (const auto& [mean, types] : given) {
        TSuggestion s;
        s.meanLaneMm = mean;
        s.curveTypes = types;
        list.push_back(s);
    }
    RankSuggestions(list);
    std::vector<double> order;
    for (const TSuggestion& s : list) order.push_back(s.meanLaneMm);
    EXPECT_EQ(order, (std::vector<double>{996, 1005, 1000, 994, 892, 900, 895}));
}

// ---------------------------------------------------------------------------
// Layouts counted by hand

// Eight standard curves, two standard and two half straights. The curves
// can only make a circle, so the straights go in opposite pairs of runs of
// one length, on one axis or two (square or 45 degrees apart); two halves
// opposite a standard straight give the shape two standard ones give. That
// is six layouts, the curves' 8 x 331.5 pi / 4 = 2082.88 mm of mean lane
// plus the straights:
//   straight, half | straight, half    1200 + 2082.88   600 + 843 x 843
//   straights | halves square          1200 + 2082.88   400 + 843 x 200 + 843
//   straights | halves at 45 degrees   1200 + 2082.88   400 + 843 + 141.42 x 843 + 141.42
//   straight | straight                 800 + 2082.88   400 + 843 x 843
//   half | half                         400 + 2082.88   200 + 843 x 843
//   the circle                                2082.88   843 x 843
// Each side of the box is rounded to whole millimetres, halves to even, so
// a size may come out 1 mm more.
TEST_F(Suggest, EveryLayoutOfAFewPiecesCountedByHand) {
    const TTrackList stock = Stock({{kStandardStraight, 2}, {kHalfStraight, 2}, {kStandardCurve, 8}});
    SuggestRequest request = TableRequest(3000, 2000);
    request.count = kMaxSuggestions;
    const SuggestResult r = SuggestCircuits(request, stock);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    EXPECT_TRUE(r.complete);
    ExpectAllSound(r, request, stock);

    const double curves = 8 * kCurveCentre * kPiRef / 4;
    const double diagonal = 200 * std::sqrt(0.5);
    struct Expected {
        double mean;
        double a, b;  // the box's sides, the longer first
    };
    const std::vector<Expected> expected{
        {1200 + curves, 600 + kHalfTurnSpan, kHalfTurnSpan},
        {1200 + curves, 400 + kHalfTurnSpan, 200 + kHalfTurnSpan},
        {1200 + curves, 400 + kHalfTurnSpan + diagonal, kHalfTurnSpan + diagonal},
        {800 + curves, 400 + kHalfTurnSpan, kHalfTurnSpan},
        {400 + curves, 200 + kHalfTurnSpan, kHalfTurnSpan},
        {curves, kHalfTurnSpan, kHalfTurnSpan},
    };
    ASSERT_EQ(r.suggestions.size(), expected.size());
    std::vector<bool> met(expected.size(), false);
    for (const TSuggestion& s : r.suggestions) {
        const double a = std::max(s.lengthMm, s.widthMm);
        const double b = std::min(s.lengthMm, s.widthMm);
        bool matched = false;
        for (std::size_t i = 0; i < expected.size() && !matched; ++i) {
            const Expected& e = expected[i];
            if (met[i] || s.meanLaneMm != std::round(e.mean)) continue;
            if (a < std::floor(e.a) || a > std::floor(e.a) + 1 || b < std::floor(e.b) || b > std::floor(e.b) + 1)
                continue;
            met[i] = matched = true;
        }
        EXPECT_TRUE(matched) << s.meanLaneMm << " mm, " << a << " x " << b;
    }
    // The longest first.
    EXPECT_EQ(r.suggestions.front().meanLaneMm, std::round(1200 + curves));
    EXPECT_EQ(r.suggestions.back().meanLaneMm, std::round(curves));
}

// The starter box on a 2400 x 1200 table. The longest layouts take all
// twelve curves (10 right, 2 left: 45 degrees back out and in again) and
// 2000 of the 2400 mm of straights, 2000 + 12 x 331.5 pi / 4 = 5124.3 mm;
// the oval of eight curves takes all the straights, 1200 mm a side (the
// starting straight and two standard ones, two standard and two half),
// 2400 + 2082.88 = 4482.88 mm, 1200 + 843 long and 843 wide.
TEST_F(Suggest, StarterStockOnItsTable) {
    const TTrackList stock = Starter();
    const SuggestRequest request = TableRequest(2400, 1200);
    const SuggestResult r = SuggestCircuits(request, stock);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    EXPECT_TRUE(r.complete);
    ASSERT_EQ(r.suggestions.size(), 12u);
    ExpectAllSound(r, request, stock);
    const TSuggestion& best = r.suggestions.front();
    EXPECT_EQ(best.meanLaneMm, std::round(2000 + 12 * kCurveCentre * kPiRef / 4));
    TTrackList used;
    used.CountTracks(best.circuit);
    EXPECT_EQ(used.Pieces(kN, kStandardCurve), 12);
    int left = 0;
    for (const TTrack& t : best.circuit.Tracks()) left += IsCurve(t.type) && t.TurnsLeft() ? 1 : 0;
    EXPECT_EQ(left, 2);

    SuggestRequest all = request;
    all.count = kMaxSuggestions;
    const SuggestResult more = SuggestCircuits(all, stock);
    ExpectDistinctAndRanked(more.suggestions);
    const auto oval = std::find_if(more.suggestions.begin(), more.suggestions.end(), [](const TSuggestion& s) {
        return s.pieces == 8 + 7 && s.lengthMm >= 1200 + kHalfTurnSpan && s.lengthMm <= 1200 + kHalfTurnSpan + 1 &&
               s.widthMm >= kHalfTurnSpan && s.widthMm <= kHalfTurnSpan + 1;
    });
    ASSERT_NE(oval, more.suggestions.end());
    EXPECT_EQ(oval->meanLaneMm, std::round(2400 + 8 * kCurveCentre * kPiRef / 4));
    EXPECT_EQ(oval->circuit.Track(1).type, kStartingStraight);
    ExpectSound(*oval, all, stock);
}

// The club's box on four lanes: no super outer curve can be a four-lane
// curve (it would need a larger one outside it), so those go outside the
// four-lane outer curves; the best suggestion takes most of the box.
TEST_F(Suggest, ClubStockOnFourLanes) {
    const TTrackList stock = Club();
    const SuggestRequest request = TableRequest(5000, 3000, 4);
    const SuggestResult r = SuggestCircuits(request, stock);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    ASSERT_EQ(r.suggestions.size(), 12u);
    ExpectAllSound(r, request, stock);
    const TSuggestion& best = r.suggestions.front();
    // Four lanes are two strips: the strips' running length is twice the
    // mean lane.
    EXPECT_GE(2 * best.meanLaneMm / StockRunningLength(stock, Brand::Ninco), 0.70);
    // The one starting straight is no four-lane piece.
    for (const TSuggestion& s : r.suggestions) EXPECT_FALSE(s.circuit.ContainsType(kStartingStraight));

    // The same request, the same suggestions in the same order.
    const SuggestResult again = SuggestCircuits(request, stock);
    ASSERT_EQ(again.suggestions.size(), r.suggestions.size());
    for (std::size_t i = 0; i < r.suggestions.size(); ++i) {
        EXPECT_EQ(CircuitFileBytes(again.suggestions[i].circuit, "s", '.'),
                  CircuitFileBytes(r.suggestions[i].circuit, "s", '.'))
            << i;
    }
}

// Any pieces, up to a number: what the stock lacks is listed, by type, as
// the Track List counts it. Another track system and a table taken across.
TEST_F(Suggest, AnyPiecesAndTheOtherSystem) {
    const TTrackList stock = Starter();
    SuggestRequest request = TableRequest(3000, 2000);
    request.anyPieces = 24;
    request.count = 4;
    const SuggestResult r = SuggestCircuits(request, stock);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    ASSERT_EQ(r.suggestions.size(), 4u);
    ExpectAllSound(r, request, stock, true);
    bool anyMissing = false;
    for (const TSuggestion& s : r.suggestions) {
        EXPECT_LE(s.pieces, 24);
        anyMissing = anyMissing || !s.missing.empty();
    }
    EXPECT_TRUE(anyMissing);  // 24 pieces on 3 x 2 m take more than the box

    TTrackList scx;
    for (int type = 0; type < kTrackTypeCount; ++type) scx.SetPieces(kScxIndex, type, stock.Pieces(kN, type));
    const SuggestRequest scxRequest = TableRequest(1200, 2400, 2, Brand::Scx);  // longer than wide across
    const SuggestResult s = SuggestCircuits(scxRequest, scx);
    ASSERT_EQ(s.status, SuggestStatus::Found);
    ExpectAllSound(s, scxRequest, scx);
    // The smaller pieces fit all of them in: twelve curves of 212 + 78 mm
    // centre line and 4 x 350 + 350 + 2 x 175 = 2100 mm of straights.
    EXPECT_EQ(s.suggestions.front().meanLaneMm, std::round(12 * 290.0 * kPiRef / 4 + 2100));
    EXPECT_EQ(s.suggestions.front().meanLaneMm, std::round(StockRunningLength(scx, Brand::Scx)));
}

// ---------------------------------------------------------------------------
// What cannot be made

TEST_F(Suggest, RefusalsSayWhyInBothLanguages) {
    struct Case {
        SuggestRequest request;
        TTrackList stock;
        SuggestStatus status;
        std::string english;
        std::string spanish;
    };
    SuggestRequest oddLanes = TableRequest(3000, 2000, 3);
    SuggestRequest noTable = TableRequest(0, 2000);
    SuggestRequest tooMany = TableRequest(3000, 2000);
    tooMany.count = 100;
    SuggestRequest tooManyPieces = TableRequest(3000, 2000);
    tooManyPieces.anyPieces = 301;
    SuggestRequest fewPieces = TableRequest(3000, 2000);
    fewPieces.anyPieces = 7;  // eight 45-degree curves at the least
    const std::vector<Case> cases{
        {oddLanes, Starter(), SuggestStatus::LanesNotOffered, "Lanes come in pairs: choose 2, 4, 6 or 8 lanes.",
         "Las pistas van por pares: elija 2, 4, 6 u 8 pistas."},
        {noTable, Starter(), SuggestStatus::TableNotUsable,
         "Give the table's length and width in mm, from 1 to 100000.",
         "Indique el largo y el ancho de la mesa en mm, de 1 a 100000."},
        {tooMany, Starter(), SuggestStatus::CountNotUsable,
         "Ask for 1 to 99 circuits, and at most 300 pieces when any piece will do.",
         "Pida de 1 a 99 circuitos, y como mucho 300 tramos cuando valga cualquier tramo."},
        {tooManyPieces, Starter(), SuggestStatus::CountNotUsable,
         "Ask for 1 to 99 circuits, and at most 300 pieces when any piece will do.",
         "Pida de 1 a 99 circuitos, y como mucho 300 tramos cuando valga cualquier tramo."},
        // NINCO asked, only SCX pieces in the box.
        {TableRequest(3000, 2000), Stock({{kStandardCurve, 12}}, kScxIndex), SuggestStatus::NoPieces,
         "The stock has no pieces of this track system.", "El stock no tiene ningún tramo de este sistema."},
        // Seven curves turn 315 degrees.
        {TableRequest(3000, 2000), Stock({{kStandardCurve, 7}, {kStandardStraight, 8}}), SuggestStatus::TooFewCurves,
         "There are too few curves to turn 360 degrees.", "No hay curvas suficientes para girar 360 grados."},
        // On four lanes a standard curve takes two outer curves beside it.
        {TableRequest(3000, 2000, 4), Stock({{kStandardCurve, 16}}), SuggestStatus::TooFewCurves,
         "There are too few curves to turn 360 degrees. With 4 lanes or more each curve is made of several "
         "catalogue curves, and the larger curves cannot be used.",
         "No hay curvas suficientes para girar 360 grados. Con 4 pistas o más cada curva se hace con varias "
         "curvas del catálogo y las curvas mayores no se pueden usar."},
        {fewPieces, Starter(), SuggestStatus::TooFewCurves,
         "There are too few curves to turn 360 degrees.", "No hay curvas suficientes para girar 360 grados."},
        // The circle of eight standard curves is 843 mm across.
        {TableRequest(2400, 842), Starter(), SuggestStatus::TableTooSmall,
         "The table is too small for the smallest loop these curves can make.",
         "La mesa es demasiado pequeña para el menor círculo que hacen estas curvas."},
        // Seven standard curves and an inner one: the inner curve leaves the
        // circle 2 x 180 mm short of closing across two of its directions,
        // which no straight of whole 100 mm can make up.
        {TableRequest(3000, 2000), Stock({{kInnerCurve, 1}, {kStandardCurve, 7}, {kStandardStraight, 4}}),
         SuggestStatus::NothingFits,
         "No circuit of these pieces was found that fits the table without running over itself.",
         "No se ha encontrado ningún circuito de estos tramos que quepa en la mesa sin montarse sobre sí mismo."},
    };
    for (const Case& c : cases) {
        const SuggestResult r = SuggestCircuits(c.request, c.stock);
        EXPECT_EQ(r.status, c.status) << c.english;
        EXPECT_TRUE(r.suggestions.empty()) << c.english;
        SetLanguageIndex(kEnglish);
        EXPECT_EQ(SuggestStatusText(r.status, c.request.lanes), c.english);
        SetLanguageIndex(kSpanish);
        EXPECT_EQ(SuggestStatusText(r.status, c.request.lanes), c.spanish);
    }
    SetLanguageIndex(kEnglish);
    EXPECT_EQ(SuggestStatusText(SuggestStatus::Found), "");

    // A table just wide enough for the circle has that one layout.
    const TTrackList circle = Stock({{kStandardCurve, 8}});
    SuggestRequest request = TableRequest(850, 850);
    const SuggestResult r = SuggestCircuits(request, circle);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    ASSERT_EQ(r.suggestions.size(), 1u);
    ExpectAllSound(r, request, circle);
}

// ---------------------------------------------------------------------------
// The window's controls

TEST_F(Suggest, ProgressFoundAndCancelling) {
    const TTrackList stock = Starter();
    const SuggestRequest request = TableRequest(2400, 1200);
    std::vector<double> progress;
    std::vector<TSuggestion> heard;
    SuggestControl control;
    control.progress = [&progress](double f) { progress.push_back(f); };
    control.found = [&heard](const TSuggestion& s) { heard.push_back(s); };
    const SuggestResult r = SuggestCircuits(request, stock, control);
    ASSERT_EQ(r.status, SuggestStatus::Found);
    ASSERT_FALSE(progress.empty());
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_EQ(progress.back(), 1.0);
    ASSERT_FALSE(heard.empty());
    for (const TSuggestion& s : heard) ExpectSound(s, request, stock);
    // Whatever is in the final list and was heard of is the same circuit.
    for (const TSuggestion& s : r.suggestions) {
        for (const TSuggestion& h : heard) {
            if (SameChain(ChainOf(s.circuit), ChainOf(h.circuit))) {
                EXPECT_EQ(CircuitFileBytes(s.circuit, "s", '.'), CircuitFileBytes(h.circuit, "s", '.'));
            }
        }
    }

    // Cancelled once the first suggestion is in: it is kept, and the search
    // ends long before it would.
    SuggestControl stop;
    int found = 0;
    stop.found = [&found](const TSuggestion&) { ++found; };
    stop.cancelled = [&found] { return found > 0; };
    const SuggestResult cut = SuggestCircuits(request, stock, stop);
    EXPECT_EQ(cut.status, SuggestStatus::Cancelled);
    EXPECT_FALSE(cut.suggestions.empty());
    EXPECT_LT(cut.nodes, r.nodes / 2);
    EXPECT_EQ(SuggestStatusText(cut.status), "The search was stopped; the circuits found so far are kept.");
    ExpectAllSound(cut, request, stock);

    // Cancelled before anything.
    SuggestControl at;
    at.cancelled = [] { return true; };
    const SuggestResult none = SuggestCircuits(request, stock, at);
    EXPECT_EQ(none.status, SuggestStatus::Cancelled);
    EXPECT_TRUE(none.suggestions.empty());
}

}  // namespace
