// Inserting and deleting pieces, the limits that stop an insert, the chicane
// pairs, the automatic borders, equilibrating and the single-racing loops.

#include <gtest/gtest.h>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;

void Select(TCircuit& c, int i) {
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.Track(i).selected = true;
    c.firstSelected = c.lastSelected = i;
}

void ExpectNear(const PointD& a, const PointD& b, double tolerance = 1e-6) {
    EXPECT_NEAR(a.x, b.x, tolerance);
    EXPECT_NEAR(a.y, b.y, tolerance);
}

// The undo circuit is marked so a test can tell whether a command kept a
// new undo copy.
void MarkUndo(TEditor& editor) {
    editor.UndoCircuit().title = "older state";
    editor.Circuit().title = "current";
}
bool KeptUndoCopy(TEditor& editor) { return editor.UndoCircuit().title == "current"; }

TEST_F(EditorTest, InsertButtonsAddAfterTheSelection) {
    TCircuit& c = editor.Circuit();
    // Into an empty circuit no selection is needed; the first piece is fixed
    // and selected, so the next insert follows it.
    editor.ToolButton24Click();
    ASSERT_EQ(c.Count(), 1);
    EXPECT_TRUE(c.Track(1).anchorMark);
    EXPECT_TRUE(c.Track(1).selected);
    EXPECT_EQ(c.firstSelected, 1);
    EXPECT_TRUE(c.modified);
    editor.ToolButton25Click();
    editor.ToolButton26Click();
    editor.ToolButton27Click();
    editor.ToolButton22Click();
    const int types[] = {kStandardStraight, kHalfStraight, kQuarterStraight, kChangeoverTrack, kStartingStraight};
    ASSERT_EQ(c.Count(), 5);
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(c.Track(i).type, types[i - 1]);
        EXPECT_EQ(c.Track(i).orientation, 1);  // the Orientation button is never pressed
    }
    EXPECT_EQ(c.firstSelected, 5);

    // Without a selection the user is told, and nothing is kept or changed:
    // Undo still goes back to the last real edit.
    for (TTrack& t : c.Tracks()) t.selected = false;
    c.firstSelected = c.lastSelected = 0;
    MarkUndo(editor);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 5);
    EXPECT_TRUE(prompter.Logged("info 104"));
    EXPECT_FALSE(KeptUndoCopy(editor));

    // Insert, Undo, Undo: gone and back.
    Select(c, 2);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 6);
    EXPECT_EQ(c.Track(3).type, kStandardStraight);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 5);
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 6);
}

TEST_F(EditorTest, CurveButtonsTurnByTheReleasedMouseButton) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 1);
    Select(c, 1);
    // Right button: clockwise (orientation 0); left: anticlockwise (1).
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Right, true);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Track(2).type, kStandardCurve);
    EXPECT_EQ(c.Track(2).orientation, 0);
    editor.CurveButtonMouseUp(C::ToolButton29, TMouseButton::Left, true);
    EXPECT_EQ(c.Track(3).type, kInnerCurve);
    EXPECT_EQ(c.Track(3).orientation, 1);
    editor.CurveButtonMouseUp(C::ToolButton31, TMouseButton::Left, true);
    editor.CurveButtonMouseUp(C::ToolButton32, TMouseButton::Right, true);
    editor.CurveButtonMouseUp(C::ToolButton46, TMouseButton::Right, true);
    ASSERT_EQ(c.Count(), 6);
    EXPECT_EQ(c.Track(4).type, kOuterCurve);
    EXPECT_EQ(c.Track(5).type, kSuperOuterCurve);
    EXPECT_EQ(c.Track(6).type, kCurvedChicane);
    // Released off the button, with the middle button, or on a button that
    // is no curve button: nothing.
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Left, false);
    editor.CurveButtonMouseUp(C::ToolButton30, TMouseButton::Middle, true);
    editor.CurveButtonMouseUp(C::ToolButton24, TMouseButton::Left, true);
    EXPECT_EQ(c.Count(), 6);
}

TEST_F(EditorTest, InsertsStopAtThreeHundredPiecesAndFarOffTheWorkArea) {
    TCircuit& c = editor.Circuit();
    // Inner curves of one hand go round and round a circle of 241.5 mm
    // outer radius, so the chain stays on the work area at any length.
    c.startX = 1500;
    c.startY = 1000;
    for (int i = 0; i < 284; ++i) c.Append(kInnerCurve, 0, 1);
    c.ReLay(false);
    Select(c, 284);
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton24]);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 285);
    while (c.Count() < 298) c.Append(kInnerCurve, 0, 1);
    c.ReLay(false);
    Select(c, 298);
    // A chicane pair needs two places: at 299 it goes in whole or not at all.
    c.Append(kInnerCurve, 0, 1);
    c.ReLay(false);
    Select(c, 299);
    MarkUndo(editor);
    editor.ToolButton34Click();
    EXPECT_EQ(c.Count(), 299);
    EXPECT_FALSE(KeptUndoCopy(editor));
    editor.CurveButtonMouseUp(C::ToolButton29, TMouseButton::Left, true);
    EXPECT_EQ(c.Count(), 300);

    // At 300 every insert button is off, and every insert refuses anyway.
    s = editor.FormActualize();
    for (C id : {C::ToolButton22, C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton27, C::ToolButton28,
                 C::ToolButton45, C::ToolButton29, C::ToolButton30, C::ToolButton31, C::ToolButton32,
                 C::ToolButton46, C::ToolButton34}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
    editor.ToolButton24Click();
    editor.ToolButton28Click();
    editor.ToolButton45Click();
    editor.CurveButtonMouseUp(C::ToolButton46, TMouseButton::Left, true);
    EXPECT_EQ(c.Count(), 300);
}

TEST_F(EditorTest, InsertsStopWhenTheCircuitLiesMoreThan800mmOff) {
    struct Case {
        double startX;
        bool accepted;
    };
    // One straight from x = start: its box's left is the start, rounded.
    // The work area widened by 800 mm reaches x = -800.
    for (const Case k : {Case{-800.0, true}, Case{-801.0, false}}) {
        TCircuit& c = editor.Circuit();
        c = TCircuit(0, 1000);
        c.startX = k.startX;
        AppendPieces(c, kStandardStraight, 1);
        Select(c, 1);
        MarkUndo(editor);
        editor.ToolButton24Click();
        EXPECT_EQ(c.Count(), k.accepted ? 2 : 1) << k.startX;
        EXPECT_EQ(KeptUndoCopy(editor), k.accepted);
    }
    // The same on the far side: a straight ending at x = 3801 on a 3000 mm
    // work area is refused, until Move Left brings it back.
    TCircuit& c = editor.Circuit();
    c = TCircuit(0, 1000);
    c.startX = 3401;
    AppendPieces(c, kStandardStraight, 1);
    Select(c, 1);
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 1);
    editor.ToolButton16Click();
    editor.ToolButton24Click();
    EXPECT_EQ(c.Count(), 2);
}

TEST_F(EditorTest, ChicaneButtonsFollowTheSelectedScxTrack) {
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    editor.ToolButton24Click();  // an SCX standard straight, 156 wide
    ASSERT_DOUBLE_EQ(c.Track(1).width, 156.0);
    TWindowState s = editor.FormActualize();
    EXPECT_TRUE(s.controls.enabled[C::ToolButton28]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton45]);
    EXPECT_FALSE(s.controls.enabled[C::ToolButton46]);

    // The pair: the lanes meet in the first piece (orientation 0) and part
    // in the second (1); the second is selected.
    editor.ToolButton28Click();
    ASSERT_EQ(c.Count(), 3);
    EXPECT_EQ(c.Track(2).type, kStartingChicane);
    EXPECT_EQ(c.Track(2).orientation, 0);
    EXPECT_EQ(c.Track(3).type, kStartingChicane);
    EXPECT_EQ(c.Track(3).orientation, 1);
    EXPECT_EQ(c.firstSelected, 3);

    // Inside the chicane only chicane pieces and changeovers continue it.
    Select(c, 2);
    s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::ToolButton28]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton45]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton46]);
    EXPECT_TRUE(s.controls.enabled[C::ToolButton27]);
    for (C id : {C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton29, C::ToolButton30,
                 C::ToolButton31, C::ToolButton32, C::ToolButton34, C::ToolButton22}) {
        EXPECT_FALSE(s.controls.enabled[id]) << ControlName(id);
    }
    editor.ToolButton45Click();
    EXPECT_EQ(c.Track(3).type, kStraightChicane);
    EXPECT_EQ(c.Count(), 4);
}

TEST_F(EditorTest, AChicanePairInsertedOnAMarkedTrackGoesAfterIt) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardStraight, 2);
    Select(c, 1);
    c.Track(1).replaceMark = true;
    editor.ToolButton34Click();
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(c.Track(1).type, kStandardStraight);
    EXPECT_FALSE(c.Track(1).replaceMark);
    // NINCO in: the first chicane narrows to SCX (156 wide), the second
    // widens back (180).
    EXPECT_EQ(c.Track(2).type, kAdaptationChicane);
    EXPECT_DOUBLE_EQ(c.Track(2).width, 156.0);
    EXPECT_EQ(c.Track(3).type, kAdaptationChicane);
    EXPECT_DOUBLE_EQ(c.Track(3).width, 180.0);

    // A marked track and a single piece: replaced in place.
    Select(c, 4);
    c.Track(4).replaceMark = true;
    editor.ToolButton25Click();
    EXPECT_EQ(c.Count(), 4);
    EXPECT_EQ(c.Track(4).type, kHalfStraight);
}

TEST_F(EditorTest, DeleteTakesAnIconATrackOrARange) {
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 5);
    c.Track(1).anchorMark = true;

    // A selected accessory goes first, tracks untouched.
    c.Icon(5) = {2, 300.0, 300.0, true};
    Select(c, 3);
    MarkUndo(editor);
    editor.ToolButton19Click();
    EXPECT_EQ(c.Icon(5).kind, 0);
    EXPECT_FALSE(c.Icon(5).selected);
    EXPECT_EQ(c.Count(), 5);
    EXPECT_TRUE(KeptUndoCopy(editor));

    // One track: the one before it is selected; the anchor keeps piece 1.
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 4);
    EXPECT_EQ(c.firstSelected, 2);
    EXPECT_EQ(c.lastSelected, 2);
    EXPECT_TRUE(c.Track(2).selected);
    ExpectNear(c.Track(3).P(1), PointD{800, 1000});

    // A range: 2..3 go, the rest closes up from the start point.
    c.Track(3).selected = true;
    c.lastSelected = 3;
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 2);
    ExpectNear(c.Track(2).P(1), PointD{400, 1000});

    // The first piece: the rest stays where it lies, nothing is selected.
    Select(c, 1);
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 1);
    ExpectNear(c.Track(1).P(1), PointD{400, 1000});
    EXPECT_EQ(c.firstSelected, 0);
    EXPECT_FALSE(c.Track(1).selected);
}

TEST_F(EditorTest, ChicanesAreDeletedInPairs) {
    // Three straights, an adaptation chicane pair at 4 and 5, a straight.
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 3);
    Select(c, 3);
    editor.ToolButton34Click();
    editor.ToolButton24Click();
    ASSERT_EQ(c.Count(), 6);
    ASSERT_EQ(c.Track(4).type, kAdaptationChicane);
    ASSERT_EQ(c.Track(5).type, kAdaptationChicane);
    for (int first : {4, 5}) {
        TCircuit saved = c;
        Select(c, first);
        editor.ToolButton19Click();
        ASSERT_EQ(c.Count(), 4) << first;
        for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.type, kStandardStraight);
        // The last straight now follows the third: (1200, 1000).
        ExpectNear(c.Track(4).P(1), PointD{1200, 1000});
        ExpectNear(c.Track(4).P(1), c.Track(3).P(9));
        EXPECT_EQ(c.firstSelected, 3);
        EXPECT_TRUE(c.Track(3).selected);
        c = saved;
    }

    // A lone starting chicane between two straights: the message, nothing
    // deleted, nothing kept for Undo.
    c = TCircuit(0, 1000);
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStraightChicane, 1, 0);
    c.Append(kStartingChicane, 1, 0);
    c.ReLay(false);
    Select(c, 2);
    MarkUndo(editor);
    c.modified = false;
    editor.ToolButton19Click();
    EXPECT_TRUE(prompter.Logged("info 198"));
    EXPECT_EQ(c.Count(), 4);
    EXPECT_FALSE(KeptUndoCopy(editor));
    EXPECT_FALSE(c.modified);

    // A pair at the head of the chain: both go and the straight after them
    // stays where it was, at 2 x 350 = 700.
    c = TCircuit(0, 1000);
    c.Append(kStartingChicane, 0, 0);
    c.Append(kStartingChicane, 1, 0);
    c.Append(kStandardStraight, 1, 0);
    c.ReLay(false);
    Select(c, 1);
    editor.ToolButton19Click();
    ASSERT_EQ(c.Count(), 1);
    EXPECT_EQ(c.Track(1).type, kStandardStraight);
    ExpectNear(c.Track(1).P(1), PointD{700, 1000});
}

TEST_F(EditorTest, SingleRacingAddsAndRemovesBothLoops) {
    // Ten NINCO straights from (0, 1000) to (4000, 1000).
    TCircuit& c = editor.Circuit();
    c.startX = 0;
    c.startY = 1000;
    AppendPieces(c, kStandardStraight, 10);
    Select(c, 4);
    EXPECT_TRUE(editor.FormActualize().controls.enabled[C::ToolButton59]);
    EXPECT_TRUE(editor.ToolButton59Click());
    ASSERT_EQ(c.Count(), 26);
    EXPECT_TRUE(c.singleRacing);
    EXPECT_TRUE(c.closed);
    EXPECT_TRUE(c.modified);
    for (int i = 1; i <= 26; ++i) {
        const bool loop = i <= 8 || i >= 19;
        EXPECT_EQ(IsSingleRacing(c.Track(i).type), loop) << i;
    }
    // The straights keep their place, direction and orientation; the loops
    // turn at both ends.
    ExpectNear(c.Track(9).P(1), PointD{0, 1000});
    ExpectNear(c.Track(18).P(9), PointD{4000, 1000});
    EXPECT_EQ(c.Track(9).orientation, 1);
    EXPECT_EQ(c.Track(1).type, kSingleRacingOuterCurve);
    EXPECT_EQ(c.Track(26).type, kSingleRacingOuterCurve);
    // Each loop comes back one track width (180) to the right of where it
    // left: the head loop starts on the straights' far edge at x = 0, the
    // end loop ends there at x = 4000.
    // (The loop's radii, 127.28 and 217.28, are rounded to 0.01 mm.)
    ExpectNear(c.Track(1).P(1), PointD{0, 1180}, 0.01);
    ExpectNear(c.Track(8).P(9), PointD{0, 1000});
    ExpectNear(c.Track(19).P(1), PointD{4000, 1000});
    ExpectNear(c.Track(26).P(9), PointD{4000, 1180}, 0.01);
    EXPECT_EQ(c.firstSelected, 0);
    EXPECT_TRUE(editor.FormActualize().controls.pressed[C::ToolButton59]);

    // Undo gives back the plain chain.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 10);
    editor.ToolButton44Click();
    ASSERT_EQ(editor.Circuit().Count(), 26);

    // Removing: both loops go, the straights stay.
    EXPECT_TRUE(editor.ToolButton59Click());
    TCircuit& d = editor.Circuit();
    ASSERT_EQ(d.Count(), 10);
    EXPECT_FALSE(d.singleRacing);
    for (const TTrack& t : d.Tracks()) EXPECT_EQ(t.type, kStandardStraight);
    ExpectNear(d.Track(1).P(1), PointD{0, 1000});
    ExpectNear(d.Track(10).P(9), PointD{4000, 1000});

    // One straight between the loops: 17 pieces, and Delete leaves it.
    d = TCircuit(0, 1000);
    AppendPieces(d, kStandardStraight, 1);
    editor.ToolButton59Click();
    ASSERT_EQ(d.Count(), 17);
    Select(d, 9);
    editor.ToolButton19Click();
    EXPECT_EQ(d.Count(), 17);

    // Four lanes: nothing at all.
    d = TCircuit(0, 1000);
    d.lanePairs = 2;
    AppendPieces(d, kStandardStraight, 2);
    d.modified = false;
    EXPECT_FALSE(editor.ToolButton59Click());
    EXPECT_EQ(d.Count(), 2);
    EXPECT_FALSE(d.modified);
}

TEST_F(EditorTest, AutomaticBordersAddWithoutAndRemoveWithAnUndoCopy) {
    // A straight, two standard curves turning right, a straight.
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 0, 1);
    c.Append(kStandardCurve, 0, 1);
    c.Append(kStandardCurve, 0, 1);
    c.Append(kStandardStraight, 0, 1);
    c.ReLay(false);

    Select(c, 1);
    editor.ToolButton52Click();
    EXPECT_TRUE(prompter.Logged("info 209"));
    editor.ToolButton40Click();
    EXPECT_TRUE(prompter.Logged("info 127"));
    prompter.log.clear();

    Select(c, 2);
    MarkUndo(editor);
    editor.ToolButton52Click();
    EXPECT_FALSE(KeptUndoCopy(editor));
    EXPECT_TRUE(c.Track(2).Border(kOuterBorder));
    EXPECT_TRUE(c.Track(3).Border(kOuterBorder));
    // The straights on the same side get the half next to the curves.
    EXPECT_TRUE(c.Track(1).Border(kOuterBorderExitHalf));
    EXPECT_TRUE(c.Track(4).Border(kOuterBorderEntryHalf));
    EXPECT_TRUE(c.modified);

    // The button again on the bordered curve takes them off, keeping Undo.
    editor.ToolButton52Click();
    EXPECT_TRUE(KeptUndoCopy(editor));
    for (const TTrack& t : c.Tracks()) EXPECT_EQ(t.borders, (std::array<bool, 6>{}));
    editor.ToolButton52Click();
    MarkUndo(editor);
    editor.ToolButton40Click();
    EXPECT_TRUE(KeptUndoCopy(editor));
    EXPECT_FALSE(c.Track(3).Border(kOuterBorder));
    EXPECT_TRUE(prompter.log.empty());
}

TEST_F(EditorTest, EquilibrateTurnsTwoStraightsIntoChangeovers) {
    // An oval: two straights, a hairpin of four right-hand curves, two
    // straights, another hairpin. The inner lane is shorter until two
    // changeovers, one on each side, share the hairpins between the lanes.
    TCircuit& c = editor.Circuit();
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 2; ++i) c.Append(kStandardStraight, 0, 1);
        for (int i = 0; i < 4; ++i) c.Append(kStandardCurve, 0, 1);
    }
    c.ReLay(false);
    editor.ToolButton54Click();
    int changeovers = 0;
    for (const TTrack& t : c.Tracks()) changeovers += t.type == kChangeoverTrack ? 1 : 0;
    EXPECT_EQ(changeovers, 2);
    const auto lanes = c.LaneLengths();
    EXPECT_NEAR(lanes[0], lanes[1], 1.0);
    EXPECT_TRUE(c.modified);
    editor.ToolButton44Click();
    EXPECT_FALSE(editor.Circuit().ContainsType(kChangeoverTrack));
}

}  // namespace
}  // namespace quillet::test
