// Select All, Copy, Cut and Paste Tracks on the private clipboard circuit.

#include <gtest/gtest.h>

#include <vector>

#include "ScriptedPrompter.h"

namespace quillet::test {
namespace {

using C = ControlId;

std::vector<int> Types(const TCircuit& c) {
    std::vector<int> types;
    for (const TTrack& t : c.Tracks()) types.push_back(t.type);
    return types;
}

std::vector<int> SelectedIndexes(const TCircuit& c) {
    std::vector<int> selected;
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).selected) selected.push_back(i);
    }
    return selected;
}

void Select(TCircuit& c, int first, int last) {
    for (int i = 1; i <= c.Count(); ++i) c.Track(i).selected = i >= first && i <= last;
    c.firstSelected = first;
    c.lastSelected = last;
}

// Every piece starts where the one before it ends.
void ExpectJoined(const TCircuit& c) {
    for (int i = 2; i <= c.Count(); ++i) {
        EXPECT_NEAR(c.Track(i).P(1).x, c.Track(i - 1).P(9).x, 1e-9) << "piece " << i;
        EXPECT_NEAR(c.Track(i).P(1).y, c.Track(i - 1).P(9).y, 1e-9) << "piece " << i;
    }
}

class ClipboardTest : public EditorTest {
protected:
    // Fifteen NINCO pieces; 3, 4 and 5 are a half straight, a right-hand
    // standard curve and a quarter straight, 11 a changeover, the rest
    // standard straights.
    void MakeFifteen() {
        TCircuit& c = editor.Circuit();
        for (int i = 1; i <= 15; ++i) {
            int type = kStandardStraight;
            if (i == 3) type = kHalfStraight;
            if (i == 4) type = kStandardCurve;
            if (i == 5) type = kQuarterStraight;
            if (i == 11) type = kChangeoverTrack;
            c.Append(type, type == kStandardCurve ? 0 : 1, 1);
        }
        c.ReLay(false);
    }
};

TEST_F(ClipboardTest, CopyThreeToFivePasteAfterTenTwice) {
    MakeFifteen();
    TCircuit& c = editor.Circuit();
    Select(c, 3, 5);
    editor.CopyTrack1Click();
    EXPECT_FALSE(c.modified);  // copying changes nothing
    const TCircuit& clip = editor.ClipboardCircuit();
    EXPECT_EQ(Types(clip), (std::vector<int>{kHalfStraight, kStandardCurve, kQuarterStraight}));
    EXPECT_DOUBLE_EQ(clip.startX, c.startX);
    EXPECT_DOUBLE_EQ(clip.startY, c.startY);

    Select(c, 10, 10);
    EXPECT_TRUE(editor.FormActualize().controls.enabled[C::PasteTrack1]);
    editor.PasteTrack1Click();
    // 15 + 3 pieces: the run at 11..13, selected; the old 11 (changeover)
    // and the pieces after it from 14 on.
    ASSERT_EQ(c.Count(), 18);
    EXPECT_EQ(Types(c), (std::vector<int>{0, 0, 1, 3, 2, 0, 0, 0, 0, 0, 1, 3, 2, 7, 0, 0, 0, 0}));
    EXPECT_EQ(c.firstSelected, 11);
    EXPECT_EQ(c.lastSelected, 13);
    EXPECT_EQ(SelectedIndexes(c), (std::vector<int>{11, 12, 13}));
    EXPECT_EQ(c.Track(12).orientation, 0);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().Count(), 15);
    ExpectJoined(c);

    // The run stays selected, so a second paste goes after it.
    editor.PasteTrack1Click();
    ASSERT_EQ(c.Count(), 21);
    EXPECT_EQ(Types(c), (std::vector<int>{0, 0, 1, 3, 2, 0, 0, 0, 0, 0, 1, 3, 2, 1, 3, 2, 7, 0, 0, 0, 0}));
    EXPECT_EQ(SelectedIndexes(c), (std::vector<int>{14, 15, 16}));

    // Undo takes back the last paste only.
    editor.ToolButton44Click();
    EXPECT_EQ(editor.Circuit().Count(), 18);
    EXPECT_TRUE(prompter.log.empty());
}

TEST_F(ClipboardTest, PastedPiecesKeepShapeBordersAndBarriersNotSurfaceOrMarks) {
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardCurve, 1, 1);
    c.Append(kStandardStraight, 1, 1);
    c.ReLay(false);
    TTrack& curve = c.Track(2);
    curve.SetBorder(kOuterBorder, true);
    curve.SetBorder(kInnerBorderExitHalf, true);
    curve.innerBarrier = true;
    curve.outerBarrier = true;
    curve.surface = kSurfaceSnow;
    curve.anchorMark = true;
    curve.replaceMark = true;
    Select(c, 2, 2);
    editor.CopyTrack1Click();

    const TTrack& kept = editor.ClipboardCircuit().Track(1);
    EXPECT_EQ(kept.surface, kSurfaceNone);
    EXPECT_FALSE(kept.anchorMark);
    EXPECT_FALSE(kept.replaceMark);
    EXPECT_FALSE(kept.selected);
    EXPECT_DOUBLE_EQ(kept.x, 0.0);  // no place of its own
    EXPECT_DOUBLE_EQ(kept.angle, 0.0);

    Select(c, 3, 3);
    editor.PasteTrack1Click();
    ASSERT_EQ(c.Count(), 4);
    const TTrack& p = c.Track(4);
    EXPECT_EQ(p.type, kStandardCurve);
    EXPECT_EQ(p.orientation, 1);
    EXPECT_TRUE(p.Border(kOuterBorder));
    EXPECT_TRUE(p.Border(kInnerBorderExitHalf));
    EXPECT_FALSE(p.Border(kInnerBorder));
    EXPECT_TRUE(p.innerBarrier);
    EXPECT_TRUE(p.outerBarrier);
    EXPECT_EQ(p.surface, kSurfaceNone);
    EXPECT_FALSE(p.anchorMark);
    EXPECT_FALSE(p.replaceMark);
    EXPECT_TRUE(p.selected);
    // NINCO standard curve: R 241.5, W 180, arc pi/4 (45 degrees).
    EXPECT_DOUBLE_EQ(p.innerRadius, 241.5);
    EXPECT_DOUBLE_EQ(p.lengthOrArc, kPi / 4);
    EXPECT_DOUBLE_EQ(p.width, 180.0);
    EXPECT_DOUBLE_EQ(p.borderWidth, 50.0);
    // Laid where it landed: the copied curve turned the chain from 0 to
    // 7pi/4; the pasted one, entered at 7pi/4, turns it on to 3pi/2.
    EXPECT_NEAR(p.ExitHeading(), 3 * kPi / 2, 1e-9);
    ExpectJoined(c);
    // The copied piece itself is untouched.
    EXPECT_EQ(c.Track(2).surface, kSurfaceSnow);
    EXPECT_TRUE(c.Track(2).anchorMark);
}

TEST_F(ClipboardTest, WidthsMustJoinOrNothingIsPasted) {
    // NINCO 1..3, an adaptation chicane at 4 (entered at 180, left at 156),
    // SCX 5..7.
    TCircuit& c = editor.Circuit();
    for (int i = 0; i < 3; ++i) c.Append(kStandardStraight, 1, 1);
    c.Append(kAdaptationChicane, 1, c.BrandFlagAfter(3, kAdaptationChicane));
    for (int i = 0; i < 3; ++i) c.Append(kStandardStraight, 1, c.BrandFlagAfter(c.Count(), kStandardStraight));
    c.ReLay(false);
    ASSERT_DOUBLE_EQ(c.Track(4).width, 156.0);
    ASSERT_DOUBLE_EQ(c.Track(4).EntryWidth(c), 180.0);
    ASSERT_DOUBLE_EQ(c.Track(5).width, 156.0);

    // SCX pieces after a NINCO one: refused, and nothing changes, not even
    // the undo copy or the modified flag.
    Select(c, 5, 6);
    editor.CopyTrack1Click();
    Select(c, 2, 2);
    editor.KeepCircuit();
    c.title = "after the undo copy";
    const std::vector<int> before = Types(c);
    editor.PasteTrack1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"info 237"}));
    EXPECT_EQ(Types(c), before);
    EXPECT_EQ(SelectedIndexes(c), (std::vector<int>{2}));
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.UndoCircuit().title, "");

    // After an SCX piece they join.
    Select(c, 6, 6);
    editor.PasteTrack1Click();
    EXPECT_EQ(c.Count(), 9);

    // A run that starts with the chicane is entered at NINCO width: it may
    // follow a NINCO piece only where an SCX piece does not follow it...
    Select(c, 4, 5);
    editor.CopyTrack1Click();
    prompter.log.clear();
    Select(c, 2, 2);  // piece 3 (NINCO, entered at 180) would follow an SCX exit
    editor.PasteTrack1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"info 237"}));
    EXPECT_EQ(c.Count(), 9);
    Select(c, 9, 9);  // after SCX: the chicane would be entered at 180
    editor.PasteTrack1Click();
    EXPECT_EQ(c.Count(), 9);
    EXPECT_EQ(prompter.log.size(), 2u);
    // ... and at the end of a NINCO chain it fits. Build one: NINCO 1..2.
    TCircuit ninco;
    ninco.Append(kStandardStraight, 1, 1);
    ninco.Append(kStandardStraight, 1, 1);
    ninco.ReLay(false);
    editor.Circuit() = ninco;
    Select(editor.Circuit(), 2, 2);
    prompter.log.clear();
    editor.PasteTrack1Click();
    EXPECT_TRUE(prompter.log.empty());
    ASSERT_EQ(editor.Circuit().Count(), 4);
    // What was pasted reads back from the file as it is: every piece is
    // rebuilt from the width of the one before it.
    const std::string bytes = CircuitFileBytes(editor.Circuit(), "t", '.');
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(bytes, "t.QLC", back));
    for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(back.Track(i).width, editor.Circuit().Track(i).width) << i;
}

TEST_F(ClipboardTest, AChicaneLedRunJoinsAtItsEntryWidth) {
    // SCX 1..2, then an adaptation chicane entered at 156 and left at 180
    // (stored 180), then NINCO 4.
    TCircuit& c = editor.Circuit();
    c.startBrand = 0;
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStandardStraight, 1, 0);
    c.Append(kAdaptationChicane, 1, c.BrandFlagAfter(2, kAdaptationChicane));
    c.Append(kStandardStraight, 1, 1);
    c.ReLay(false);
    ASSERT_DOUBLE_EQ(c.Track(3).width, 180.0);
    Select(c, 3, 4);
    editor.CopyTrack1Click();
    // After the NINCO piece at the end the stored widths agree (180, 180),
    // but the chicane would be entered at 156 from a 180 exit: refused. (The
    // file would have rebuilt that chicane, and every piece after it, in the
    // other family.)
    Select(c, 4, 4);
    editor.PasteTrack1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"info 237"}));
    EXPECT_EQ(c.Count(), 4);
    // After an SCX piece, with the chicane at 3 following (entered at 156
    // from the run's NINCO exit): refused as well.
    Select(c, 2, 2);
    editor.PasteTrack1Click();
    EXPECT_EQ(c.Count(), 4);
    EXPECT_EQ(prompter.log.size(), 2u);

    // At the end of an SCX chain it joins, and the file gives it back.
    TCircuit scx;
    scx.startBrand = 0;
    scx.Append(kStandardStraight, 1, 0);
    scx.ReLay(false);
    editor.Circuit() = scx;
    Select(editor.Circuit(), 1, 1);
    editor.PasteTrack1Click();
    ASSERT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(prompter.log.size(), 2u);
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(CircuitFileBytes(editor.Circuit(), "t", '.'), "t.QLC", back));
    EXPECT_EQ(Types(back), (std::vector<int>{kStandardStraight, kAdaptationChicane, kStandardStraight}));
    EXPECT_DOUBLE_EQ(back.Track(1).width, 156.0);
    EXPECT_DOUBLE_EQ(back.Track(2).width, 180.0);
    EXPECT_DOUBLE_EQ(back.Track(3).width, 180.0);
}

TEST_F(ClipboardTest, CuttingEverythingLeavesNothingToPasteInto) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kStandardCurve, 5);
    editor.SelectAll1Click();
    ASSERT_EQ(c.firstSelected, 1);
    ASSERT_EQ(c.lastSelected, 5);
    editor.CutTrack1Click();
    EXPECT_EQ(c.Count(), 0);
    EXPECT_EQ(c.firstSelected, 0);
    EXPECT_EQ(c.lastSelected, 0);
    EXPECT_TRUE(c.modified);
    EXPECT_EQ(editor.ClipboardCircuit().Count(), 5);
    TWindowState s = editor.FormActualize();
    EXPECT_FALSE(s.controls.enabled[C::PasteTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::CutTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::CopyTrack1]);
    EXPECT_FALSE(s.controls.enabled[C::SelectAll1]);
    // A paste that arrives anyway does nothing.
    editor.PasteTrack1Click();
    EXPECT_EQ(editor.Circuit().Count(), 0);

    // A piece alone is not enough: it must be selected.
    ASSERT_TRUE(editor.Circuit().Insert(kStandardStraight, 1, &prompter));
    editor.Circuit().Track(1).selected = false;
    editor.Circuit().firstSelected = editor.Circuit().lastSelected = 0;
    EXPECT_FALSE(editor.FormActualize().controls.enabled[C::PasteTrack1]);
    Select(editor.Circuit(), 1, 1);
    EXPECT_TRUE(editor.FormActualize().controls.enabled[C::PasteTrack1]);
    editor.PasteTrack1Click();
    EXPECT_EQ(Types(editor.Circuit()), (std::vector<int>{0, 3, 3, 3, 3, 3}));
}

TEST_F(ClipboardTest, CutClosesTheGapAndUndoBringsTheRunBack) {
    MakeFifteen();
    TCircuit& c = editor.Circuit();
    Select(c, 3, 5);
    editor.CutTrack1Click();
    ASSERT_EQ(c.Count(), 12);
    EXPECT_EQ(c.Track(3).type, kStandardStraight);  // the old 6
    EXPECT_EQ(c.Track(8).type, kChangeoverTrack);   // the old 11
    EXPECT_TRUE(SelectedIndexes(c).empty());
    ExpectJoined(c);
    editor.ToolButton44Click();
    EXPECT_EQ(Types(editor.Circuit()), (std::vector<int>{0, 0, 1, 3, 2, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0}));
    EXPECT_FALSE(editor.Circuit().modified);  // as it was before the cut

    // Cutting from piece 1: the rest moves back to the start point (Cut,
    // unlike Delete, keeps the start point).
    TCircuit& d = editor.Circuit();
    const double x0 = d.startX;
    Select(d, 1, 2);
    editor.CutTrack1Click();
    EXPECT_EQ(d.Track(1).type, kHalfStraight);
    EXPECT_DOUBLE_EQ(d.Track(1).P(1).x, x0);
}

TEST_F(ClipboardTest, CuttingNeverLeavesTwoFamiliesEdgeToEdge) {
    // NINCO, NINCO, chicane, SCX, SCX: cutting 1..3 leaves SCX pieces first,
    // which the file must rebuild as SCX.
    TCircuit& c = editor.Circuit();
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardStraight, 1, 1);
    c.Append(kAdaptationChicane, 1, c.BrandFlagAfter(2, kAdaptationChicane));
    c.Append(kStandardStraight, 1, 0);
    c.Append(kStandardStraight, 1, 0);
    c.ReLay(false);
    // The chicane alone cannot go: NINCO 2 would meet SCX 4. Nothing
    // changes, the clipboard included.
    Select(c, 3, 3);
    editor.CutTrack1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"info 237"}));
    EXPECT_EQ(c.Count(), 5);
    EXPECT_FALSE(c.modified);
    EXPECT_EQ(editor.ClipboardCircuit().Count(), 0);
    // With the NINCO pieces before it, it can.
    Select(c, 1, 3);
    editor.CutTrack1Click();
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.startBrand, 0);
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(CircuitFileBytes(c, "t", '.'), "t.QLC", back));
    EXPECT_DOUBLE_EQ(back.Track(1).width, 156.0);
    EXPECT_DOUBLE_EQ(back.Track(2).width, 156.0);
}

TEST_F(ClipboardTest, SelectAllLeavesTheSingleRacingLoopsOut) {
    // 20 pieces with single racing: the end loops are 1..8 and 13..20.
    TCircuit& c = editor.Circuit();
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 6; ++k) c.Append(kSingleRacingInnerCurve, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 4; ++k) c.Append(kStandardStraight, 1, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    for (int k = 0; k < 6; ++k) c.Append(kSingleRacingInnerCurve, 0, 1);
    c.Append(kSingleRacingOuterCurve, 1, 1);
    c.singleRacing = true;
    c.ReLay(false);
    ASSERT_EQ(c.Count(), 20);
    c.Track(10).replaceMark = true;
    editor.SelectAll1Click();
    EXPECT_EQ(c.firstSelected, 9);
    EXPECT_EQ(c.lastSelected, 12);  // 20 - 8
    EXPECT_EQ(SelectedIndexes(c), (std::vector<int>{9, 10, 11, 12}));
    EXPECT_FALSE(c.Track(10).replaceMark);

    // Sixteen pieces are no more than the two loops: all of them are taken.
    Select(c, 9, 12);
    editor.CutTrack1Click();
    ASSERT_EQ(c.Count(), 16);
    editor.SelectAll1Click();
    EXPECT_EQ(c.firstSelected, 1);
    EXPECT_EQ(c.lastSelected, 16);

    // Nothing to select in an empty circuit.
    editor.Circuit() = TCircuit();
    editor.SelectAll1Click();
    EXPECT_EQ(editor.Circuit().firstSelected, 0);
}

TEST_F(ClipboardTest, SelectNoneClearsTracksAndAccessoriesAndIsOfferedOnlyForASelection) {
    MakeFifteen();
    TCircuit& c = editor.Circuit();
    const auto offered = [this] {
        const TWindowState s = editor.FormActualize();
        EXPECT_EQ(s.commands[CommandId::SelectNone].enabled, s.controls.enabled[C::SelectNone1]);
        return s.controls.enabled[C::SelectNone1];
    };
    EXPECT_FALSE(offered());  // pieces, none of them selected

    Select(c, 3, 5);
    c.Track(3).replaceMark = true;
    c.Icon(2) = {1, 100.0, 100.0, true};  // a lap counter, selected
    EXPECT_TRUE(offered());
    editor.SelectNone1Click();
    EXPECT_EQ(c.firstSelected, 0);
    EXPECT_EQ(c.lastSelected, 0);
    EXPECT_TRUE(SelectedIndexes(c).empty());
    EXPECT_FALSE(c.Track(3).replaceMark);
    EXPECT_FALSE(c.Icon(2).selected);
    EXPECT_EQ(c.Icon(2).kind, 1);  // deselected, not removed
    EXPECT_EQ(c.Count(), 15);
    EXPECT_FALSE(c.modified);
    EXPECT_FALSE(offered());

    // A selected accessory alone is something to deselect: Delete would take it.
    c.Icon(2).selected = true;
    EXPECT_TRUE(offered());
    editor.SelectNone1Click();
    EXPECT_FALSE(offered());
}

TEST_F(ClipboardTest, APastePastThreeHundredPiecesIsRefused) {
    TCircuit& c = editor.Circuit();
    AppendPieces(c, kQuarterStraight, 298);
    Select(c, 1, 2);
    editor.CopyTrack1Click();
    Select(c, 298, 298);
    editor.PasteTrack1Click();  // 298 + 2 = 300: allowed
    ASSERT_EQ(c.Count(), 300);
    EXPECT_EQ(editor.UndoCircuit().Count(), 298);

    editor.ToolButton44Click();  // back to 298, modified as before
    TCircuit& d = editor.Circuit();
    ASSERT_EQ(d.Count(), 298);
    Select(d, 1, 3);
    editor.CopyTrack1Click();
    Select(d, 10, 10);
    editor.PasteTrack1Click();  // 298 + 3 = 301: refused with "Tracks Limit 300"
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"info 122300"}));
    EXPECT_EQ(d.Count(), 298);
    EXPECT_FALSE(d.modified);
    EXPECT_EQ(editor.UndoCircuit().Count(), 300);  // no new undo copy
    EXPECT_EQ(SelectedIndexes(d), (std::vector<int>{10}));
}

TEST_F(ClipboardTest, TheClipboardOutlivesOpenButNotNew) {
    MakeFifteen();
    TCircuit& c = editor.Circuit();
    Select(c, 4, 4);
    editor.CopyTrack1Click();
    const std::string path = ::testing::TempDir() + "clipboard-open.QLC";
    TCircuit other(1500, 1000);
    AppendPieces(other, kStandardStraight, 2);
    ASSERT_TRUE(SaveCircuit(other, path));
    prompter.openNames = {path};
    editor.FileOpen1Execute();
    ASSERT_EQ(editor.Circuit().Count(), 2);
    EXPECT_EQ(editor.ClipboardCircuit().Count(), 1);
    Select(editor.Circuit(), 1, 1);
    editor.PasteTrack1Click();
    EXPECT_EQ(Types(editor.Circuit()), (std::vector<int>{0, 3, 0}));

    prompter.saveAnswers = {SaveAnswer::No};
    editor.FileNew1Execute();
    EXPECT_EQ(editor.ClipboardCircuit().Count(), 0);
}

}  // namespace
}  // namespace quillet::test
