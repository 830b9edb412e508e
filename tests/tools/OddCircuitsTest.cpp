#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ToolsTestSupport.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "tools/Closing.h"
#include "tools/Dimensions.h"
#include "tools/LaneConversion.h"
#include "tools/LapTimes.h"

using namespace quillet;
using namespace quillet::test;

// Damaged values a file or an edit can leave behind: no tool may crash, hang
// or index past its tables on them.
TEST(OddCircuits, ToolsStayWithinBoundsOnDamagedCircuits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();

    // A lane-pair count beyond 4.
    TCircuit wide = Chain({{kStandardStraight}, {kStandardCurve}, {kChangeoverTrack}});
    wide.lanePairs = 9;
    const auto T = EstimateLapTimes(wide, LapTimeSettings{});
    for (double t : T) EXPECT_TRUE(std::isfinite(t));
    EXPECT_EQ(LapTimeLabelsOf(wide, LapTimeSettings{}).lanes.size(), 8u);
    EXPECT_EQ(ConversionChoices(9).size(), 2u);  // only the deletions
    TCircuit narrowed = wide;
    EXPECT_TRUE(ConvertLanes(narrowed, ConversionKind::DeleteOuterLanes).converted);
    EXPECT_EQ(narrowed.lanePairs, 8);
    DimensionsLabelsOf(wide, LaneLengthsMm{});
    TTrackList stock;
    CloseOptions useStock;
    useStock.useStock = true;
    const ClosingPlan plan = PlanClosing(wide, useStock, stock);
    ASSERT_FALSE(plan.refusal);
    EXPECT_FALSE(RunExhaustiveClosing(plan).cancelled);

    // A piece whose position is not a number: nothing to close from.
    TCircuit lost = Chain({{kStandardStraight}, {kStandardCurve}});
    lost.Track(2).outline[8].x = nan;
    EXPECT_EQ(PlanClosing(lost, CloseOptions{}, stock).refusal, CloseStatus::NothingToDo);
    DimensionsLabelsOf(lost, LaneLengthsMm{});

    // Zero-width and negative-radius pieces: times stay finite.
    TCircuit thin = Chain({{kStandardCurve}, {kStandardStraight}});
    thin.Track(1).width = 0;
    thin.Track(1).innerRadius = -500;
    for (double t : EstimateLapTimes(thin, LapTimeSettings{})) EXPECT_TRUE(std::isfinite(t));

    // Far-away coordinates: the single-precision pen overflows to infinity and
    // finds nothing, without crashing.
    TCircuit far = Chain({{kStandardStraight}, {kStandardCurve}});
    far.Track(1).outline[0] = {1e300, -1e300};
    const ClosingPlan farPlan = PlanClosing(far, CloseOptions{}, stock);
    ASSERT_FALSE(farPlan.refusal);
    EXPECT_FALSE(RunExhaustiveClosing(farPlan).found);
}
