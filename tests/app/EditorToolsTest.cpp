// The circuit tools and the stock as the editor runs them: Close with its
// undo copy and its random loop, Convert refusing, the Tracks Stock dialog's
// all-or-nothing OK, and Print on a printer that records what it is given.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "ScriptedPrompter.h"
#include "model/RecordingCanvas.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "text/ExtraTexts.h"
#include "tools/Random.h"
#include "tools/ToolsTestSupport.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

// The whole stored state of a circuit, for "nothing changed" checks.
std::string Bytes(const TCircuit& c) { return CircuitFileBytes(c, c.title, '.'); }

class ToolsEditorTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        editor.StartUp();
    }

    // Puts `c` in the editor, titled "Club", with an undo state of its own
    // (one straight more), as after an earlier edit; returns its bytes.
    std::string Load(const TCircuit& c) {
        editor.Circuit() = c;
        editor.Circuit().title = "Club";
        editor.Circuit().Append(kStandardStraight, 0, 1);
        editor.Circuit().ReLay(false);
        editor.KeepCircuit();
        editor.Circuit() = c;
        editor.Circuit().title = "Club";
        editor.Circuit().modified = false;
        return Bytes(editor.Circuit());
    }
};

TEST_F(ToolsEditorTest, OneUndoTakesBackAClosingWithItsAdaptationChicane) {
    // A NINCO straight, a chicane down to SCX width and an SCX oval missing
    // its last curve: the ends differ, so a NINCO chicane goes first.
    std::vector<Piece> pieces = {{kStandardStraight, 0, 1}, {kAdaptationChicane, 1, 0}};
    for (int i = 0; i < 4; ++i) pieces.push_back({kStandardCurve, 0, 0});
    pieces.push_back({kStandardStraight, 0, 0});
    for (int i = 0; i < 3; ++i) pieces.push_back({kStandardCurve, 0, 0});
    const TCircuit open = Chain(pieces);
    const std::string openBytes = Load(open);
    const int before = open.Count();

    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits& limits) {
        // Two lanes: every curve box is offered.
        EXPECT_TRUE(limits.superOuterCurve && limits.outerCurve && limits.standardCurve);
        o.toleranceCm = 5;
        return true;
    };
    editor.Close1Click();
    const TCircuit& closed = editor.Circuit();
    ASSERT_GT(closed.Count(), before + 1) << "the chicane and at least one closing piece";
    EXPECT_EQ(closed.Track(before + 1).type, kAdaptationChicane);
    EXPECT_EQ(closed.Track(before + 1).width, kNincoPairWidth);
    EXPECT_TRUE(closed.modified);
    EXPECT_EQ(editor.CloseOptionsKept().toleranceCm, 5);  // kept for the next use
    EXPECT_EQ(prompter.log.front(), "close options");
    EXPECT_EQ(prompter.log[1], "search");
    const std::string closedBytes = Bytes(closed);

    editor.ToolButton44Click();  // one Undo: the chicane goes too
    EXPECT_EQ(Bytes(editor.Circuit()), openBytes);
    editor.ToolButton44Click();  // and back
    EXPECT_EQ(Bytes(editor.Circuit()), closedBytes);
}

TEST_F(ToolsEditorTest, RandomSearchTakesItsSolutionOffBeforeTheNextOne) {
    const TCircuit open = Chain(Oval(3));  // seven pieces, 135 degrees to turn
    const std::string openBytes = Load(open);
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits&) {
        o.advanced = true;
        o.toleranceCm = 2;
        return true;
    };
    std::vector<int> atRedraw;
    std::vector<int> atQuestion;
    std::vector<std::vector<int>> solutions;
    host.onRedraw = [&] { atRedraw.push_back(editor.Circuit().Count()); };
    prompter.beforeSearchAnother = [&] {
        const TCircuit& c = editor.Circuit();
        atQuestion.push_back(c.Count());
        std::vector<int> appended;
        for (int i = 8; i <= c.Count(); ++i) appended.push_back(c.Track(i).type);
        solutions.push_back(appended);
        // What the user looks at is the solution, selected.
        EXPECT_EQ(c.firstSelected, 8);
        EXPECT_EQ(c.lastSelected, c.Count());
    };
    prompter.searchAnotherAnswers = {true, false};
    ResetProgramRandom();
    editor.Close1Click();

    ASSERT_EQ(atQuestion.size(), 2u);
    ASSERT_EQ(atRedraw.size(), 3u);
    // Shown, taken off (back to the seven pieces), the next one shown.
    EXPECT_EQ(atRedraw[0], atQuestion[0]);
    EXPECT_EQ(atRedraw[1], 7);
    EXPECT_EQ(atRedraw[2], atQuestion[1]);
    EXPECT_GT(atQuestion[0], 7);
    EXPECT_GT(atQuestion[1], 7);
    // The second solution follows the seven pieces directly: nothing of the
    // first is left in front of it.
    const TCircuit& c = editor.Circuit();
    ASSERT_EQ(c.Count(), atQuestion[1]);
    for (int i = 1; i <= 7; ++i) EXPECT_EQ(c.Track(i).type, open.Track(i).type);
    std::vector<int> tail;
    for (int i = 8; i <= c.Count(); ++i) tail.push_back(c.Track(i).type);
    EXPECT_EQ(tail, solutions[1]);
    // The random searches run on this thread under the busy cursor, each
    // followed by the question; no progress window.
    const std::vector<std::string> expected = {"close options", "busy", "idle", "redraw", "another?",
                                               "redraw",        "busy", "idle", "redraw", "another?"};
    EXPECT_EQ(prompter.log, expected);

    // The whole loop is one step of Undo.
    editor.ToolButton44Click();
    EXPECT_EQ(Bytes(editor.Circuit()), openBytes);
}

TEST_F(ToolsEditorTest, CancelledClosingAppendsNothingAndKeepsTheUndoState) {
    // NINCO start, SCX end: a chicane would go first.
    const TCircuit open = Chain({{kStandardStraight, 0, 1}, {kAdaptationChicane, 1, 0}, {kStandardStraight, 0, 0}});
    const std::string openBytes = Load(open);
    const std::string undoBefore = Bytes(editor.UndoCircuit());

    // Cancel on the progress window.
    prompter.closeOptions = [](CloseOptions&, const CloseDialogLimits&) { return true; };
    host.search = [](const ClosingPlan& plan) {
        EXPECT_TRUE(plan.chicane);
        SearchResult r;
        r.cancelled = true;
        return r;
    };
    editor.Close1Click();
    EXPECT_EQ(Bytes(editor.Circuit()), openBytes);
    EXPECT_EQ(Bytes(editor.UndoCircuit()), undoBefore);
    EXPECT_FALSE(prompter.Logged("redraw"));
    EXPECT_FALSE(prompter.Logged("message"));

    // Cancel on the options dialog after changing them: nothing searched,
    // the options as they were.
    prompter.log.clear();
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits&) {
        o.toleranceCm = 4;
        o.useStock = true;
        o.quarterStraight = false;
        return false;
    };
    editor.Close1Click();
    EXPECT_EQ(prompter.log, std::vector<std::string>{"close options"});
    EXPECT_EQ(editor.CloseOptionsKept().toleranceCm, 1);
    EXPECT_FALSE(editor.CloseOptionsKept().useStock);
    EXPECT_TRUE(editor.CloseOptionsKept().quarterStraight);
    EXPECT_EQ(Bytes(editor.UndoCircuit()), undoBefore);

    // An eight-lane circuit: the dialog gets the three larger curves
    // unchecked and greyed, and they stay unchecked afterwards.
    TCircuit wide = Chain(Oval(1), 4);
    Load(wide);
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits& limits) {
        EXPECT_FALSE(limits.superOuterCurve || limits.outerCurve || limits.standardCurve);
        EXPECT_FALSE(o.superOuterCurve || o.outerCurve || o.standardCurve);
        EXPECT_TRUE(o.innerCurve && o.standardStraight);
        return false;
    };
    editor.Close1Click();
    EXPECT_FALSE(editor.CloseOptionsKept().standardCurve);
}

TEST_F(ToolsEditorTest, ClosingThatFindsNothingSaysWhy) {
    // One straight with no clearance at all: nothing can bring its exit back
    // to its entry exactly.
    const TCircuit straight = Chain({{kStandardStraight, 0, 1}});
    const std::string straightBytes = Load(straight);
    const std::string undoBefore = Bytes(editor.UndoCircuit());
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits&) {
        o.toleranceCm = 0;
        o.useStock = false;
        return true;
    };
    editor.Close1Click();
    EXPECT_EQ(Bytes(editor.Circuit()), straightBytes);
    EXPECT_EQ(Bytes(editor.UndoCircuit()), undoBefore);
    EXPECT_EQ(prompter.log.back(),
              "message No closing was found: the Closing Clearance may be too small, or tracks left unchecked "
              "under Use Tracks may be needed.");
    // The same in Spanish.
    SetLanguageIndex(kSpanish);
    prompter.log.clear();
    editor.Close1Click();
    EXPECT_EQ(prompter.log.back(),
              "message No se ha encontrado ningún cierre: quizá la Tolerancia de Cierre es demasiado pequeña, o "
              "hacen falta tramos que no están marcados en Usar Tramos.");
    SetLanguageIndex(kEnglish);

    // The oval short of three curves closes with the pieces of the box, but
    // an empty stock has none of them: the stock is named first.
    const TCircuit open = Chain(Oval(3));
    const std::string openBytes = Load(open);
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits&) {
        o.toleranceCm = 2;
        o.useStock = true;
        return true;
    };
    prompter.log.clear();
    editor.Close1Click();
    EXPECT_EQ(Bytes(editor.Circuit()), openBytes);
    EXPECT_EQ(prompter.log.back(),
              "message No closing was found within the stock: the stock may lack the tracks needed, the Closing "
              "Clearance may be too small, or tracks left unchecked under Use Tracks may be needed.");
    SetLanguageIndex(kSpanish);
    prompter.log.clear();
    editor.Close1Click();
    EXPECT_EQ(prompter.log.back(),
              "message No se ha encontrado ningún cierre con el stock: quizá faltan en el stock los tramos "
              "necesarios, la Tolerancia de Cierre es demasiado pequeña, o hacen falta tramos que no están "
              "marcados en Usar Tramos.");
    SetLanguageIndex(kEnglish);

    // Without the stock the same oval closes, and nothing is said.
    prompter.closeOptions = [](CloseOptions& o, const CloseDialogLimits&) {
        o.useStock = false;
        return true;
    };
    prompter.log.clear();
    editor.Close1Click();
    EXPECT_GT(editor.Circuit().Count(), open.Count());
    EXPECT_FALSE(prompter.Logged("message"));
}

TEST_F(ToolsEditorTest, SingleRacingClosesWithItsEndLoopAndNoDialog) {
    // Three NINCO straights with single racing on: Close adds the eight-piece
    // loop after the last one (outer, six inner, outer single-racing
    // curves), asks nothing, and one Undo takes it back.
    TCircuit c = Chain({{kStandardStraight, 0, 1}, {kStandardStraight, 0, 1}, {kStandardStraight, 0, 1}});
    c.singleRacing = true;
    const std::string before = Load(c);
    editor.Close1Click();
    EXPECT_EQ(Types(editor.Circuit()), (std::vector<int>{0, 0, 0, 14, 13, 13, 13, 13, 13, 13, 14}));
    EXPECT_EQ(prompter.log, std::vector<std::string>{"redraw"});
    editor.ToolButton44Click();
    EXPECT_EQ(Bytes(editor.Circuit()), before);

    // The loop already there: nothing to do, and the undo state stays.
    editor.ToolButton44Click();
    const std::string undoBefore = Bytes(editor.UndoCircuit());
    prompter.log.clear();
    editor.Close1Click();
    EXPECT_EQ(editor.Circuit().Count(), 11);
    EXPECT_TRUE(prompter.log.empty());
    EXPECT_EQ(Bytes(editor.UndoCircuit()), undoBefore);
}

TEST_F(ToolsEditorTest, RefusedConversionChangesNothing) {
    // A super outer curve has no larger catalogue curve: two outer lanes
    // cannot be added.
    TCircuit c = Chain({{kStandardStraight, 0, 1}, {kSuperOuterCurve, 0, 1}, {kStandardStraight, 0, 1}});
    c.modified = false;
    const std::string cBytes = Load(c);
    const std::string undoBefore = Bytes(editor.UndoCircuit());
    prompter.conversions = {ConversionKind::AddOuterLanes};
    editor.Convert1Click();
    EXPECT_EQ(prompter.offeredChoices,
              (std::vector<ConversionKind>{ConversionKind::AddOuterLanes, ConversionKind::AddInnerLanes}));
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"convert", "info 160"}));
    EXPECT_EQ(Bytes(editor.Circuit()), cBytes);
    EXPECT_FALSE(editor.Circuit().modified);
    EXPECT_EQ(Bytes(editor.UndoCircuit()), undoBefore);

    // Three outer curves in a row: the third has no partner, inner lanes
    // are refused (162).
    const std::string outerBytes = Load(Chain({{kOuterCurve, 0, 1}, {kOuterCurve, 0, 1}, {kOuterCurve, 0, 1}}));
    prompter.log.clear();
    prompter.conversions = {ConversionKind::AddInnerLanes};
    editor.Convert1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"convert", "info 162"}));
    EXPECT_EQ(Bytes(editor.Circuit()), outerBytes);

    // Cancel: nothing asked further, nothing changed.
    prompter.log.clear();
    prompter.conversions = {std::nullopt};
    editor.Convert1Click();
    EXPECT_EQ(prompter.log, std::vector<std::string>{"convert"});

    // Single racing keeps its two lanes: Convert takes the loops off (the
    // ten pieces of the oval come back from 10 + 2 x 8) and asks nothing.
    Load(Chain(Oval(0)));
    editor.Circuit().Track(1).selected = true;
    editor.Circuit().firstSelected = editor.Circuit().lastSelected = 1;
    ASSERT_TRUE(editor.ToolButton59Click());
    ASSERT_EQ(editor.Circuit().Count(), 26);
    prompter.log.clear();
    editor.Convert1Click();
    EXPECT_TRUE(prompter.log.empty());
    EXPECT_FALSE(editor.Circuit().singleRacing);
    EXPECT_EQ(editor.Circuit().Count(), 10);
    EXPECT_EQ(editor.Circuit().LanePairs(), 1);

    // A conversion that goes ahead: 4 lanes (two pairs, 360 mm wide), the
    // circuit modified, and one Undo brings the 2 lanes back.
    const std::string twoBytes = Load(Chain(Oval(0)));
    prompter.conversions = {ConversionKind::AddOuterLanes};
    editor.Convert1Click();
    EXPECT_EQ(editor.Circuit().LanePairs(), 2);
    EXPECT_EQ(editor.Circuit().Track(1).width, 360.0);
    EXPECT_TRUE(editor.Circuit().modified);
    editor.ToolButton44Click();
    EXPECT_EQ(Bytes(editor.Circuit()), twoBytes);
    EXPECT_FALSE(editor.Circuit().modified);
}

class StockEditorTest : public ToolsEditorTest {
protected:
    void SetUp() override {
        ToolsEditorTest::SetUp();
        folder = fs::temp_directory_path() / ("quillet-tools-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(folder);
        path = (folder / kStockFileName).string();
    }
    void TearDown() override {
        fs::remove_all(folder);
        ToolsEditorTest::TearDown();
    }
    std::string FileBytes() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path folder;
    std::string path;
};

TEST_F(StockEditorTest, TheStockDialogStoresEveryFieldOrNone) {
    TTrackList start;
    start.SetPieces(kNincoIndex, kStandardStraight, 8);
    start.SetPieces(kNincoIndex, kStartingChicane, 3);  // no field: kept as it is
    start.SetBorders(kScxIndex, kCurveClosingBorder, 6);
    std::ofstream(path, std::ios::binary) << StockFileBytes(start, kEnglish);
    editor.LoadStockFile(path);
    ASSERT_EQ(editor.Stock(), start);

    // The dialog opens on the stored values: Edit1 (NINCO standard
    // straights) 8, Edit28 (SCX curve closing borders) 6, the rest 0.
    prompter.stock = [](TStockFields& f) {
        EXPECT_EQ(f[0], "8");
        EXPECT_EQ(f[28], "6");
        EXPECT_EQ(f[1], "0");
        f[0] = "12";  // typed before the mistake below
        f[3] = "";    // Edit4, SCX half straights, emptied
        return true;
    };
    editor.Stock1Click();
    EXPECT_EQ(prompter.log, (std::vector<std::string>{"stock",
                                                      "message Half Straight, SCX: the field is empty. Enter how many "
                                                      "pieces you have, 0 if none."}));
    EXPECT_EQ(editor.Stock(), start) << "nothing stored, not even the field typed before";
    EXPECT_EQ(FileBytes(), StockFileBytes(start, kEnglish));

    // More than a count can be (paste can bring any number of digits).
    prompter.log.clear();
    prompter.stock = [](TStockFields& f) {
        f[46] = "100000";  // Edit52, SCX super outer curve outer borders
        return true;
    };
    editor.Stock1Click();
    EXPECT_EQ(prompter.log.back(), "message Super Outer Curve Outer Border, SCX: enter a count from 0 to 99999.");
    EXPECT_EQ(editor.Stock(), start);

    // All valid: every field stored, the file written; values without a
    // field stay.
    prompter.stock = [](TStockFields& f) {
        f[0] = "12";
        f[22] = "00007";  // Edit53, NINCO single racing inner curves
        f[46] = "99999";
        return true;
    };
    EXPECT_TRUE(editor.Stock1Click());
    TTrackList expected = start;
    expected.SetPieces(kNincoIndex, kStandardStraight, 12);
    expected.SetPieces(kNincoIndex, kSingleRacingInnerCurve, 7);
    expected.SetBorders(kScxIndex, kSuperOuterCurveOuterBorder, 99999);
    EXPECT_EQ(editor.Stock(), expected);
    EXPECT_EQ(FileBytes(), StockFileBytes(expected, kEnglish));

    // Cancel stores nothing.
    prompter.stock = [](TStockFields& f) {
        f[0] = "1";
        return false;
    };
    EXPECT_FALSE(editor.Stock1Click());
    EXPECT_EQ(editor.Stock(), expected);
}

// A printer that keeps what it is given.
class RecordingPrinter : public TPrinterDevice {
public:
    bool BeginDocument(const std::string& title) override {
        titles.push_back(title);
        return starts;
    }
    PixelSize PageSize() override { return page; }
    Canvas& PageCanvas() override { return canvas; }
    void WriteLine(std::string_view text, bool bold) override { lines.push_back({std::string(text), bold}); }
    bool EndDocument() override {
        ++ends;
        return true;
    }

    bool starts = true;
    PixelSize page{1000, 800};
    RecordingCanvas canvas;
    std::vector<std::string> titles;
    std::vector<TPrintLine> lines;
    int ends = 0;
};

TEST_F(ToolsEditorTest, PrintsTheDrawingOnAPageAndLeavesTheScreenAsItWas) {
    // Work area 3000 x 2000 mm on a 1000 x 800 page with a 20-pixel title
    // line under it (10 pixels apart): 3000 / 1000 = 3 against
    // 2000 / (800 - 20 - 10) = 2.597..., so 3 mm per pixel.
    EXPECT_DOUBLE_EQ(PrintScale(3000, 2000, {1000, 800}, 20), 3.0);
    // A work area wider than it is long: 1000 / 1000 = 1 against
    // 4000 / 770 = 5.19...
    EXPECT_DOUBLE_EQ(PrintScale(1000, 4000, {1000, 800}, 20), 4000.0 / 770.0);

    Load(Chain(Oval(0)));
    editor.Circuit().scale = 5.0;
    editor.Circuit().ReLay(false);
    const TCircuit screen = editor.Circuit();
    RecordingPrinter printer;
    printer.canvas.setTextMetrics(10, 20);
    prompter.printChoices = {PrintChoice::Drawing};
    editor.ToolButton53Click(printer);
    EXPECT_EQ(printer.titles, std::vector<std::string>{"Club"});
    EXPECT_EQ(printer.ends, 1);
    // At 3 mm per pixel the work area fills 1000 x 667 pixels on white, and
    // the title goes 10 pixels under it.
    const auto fills = printer.canvas.callsOf(DrawKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front()->rect, (PixelRect{0, 0, 1000, 667}));
    EXPECT_EQ(fills.front()->brush.colour, colour::White);
    const auto texts = printer.canvas.callsOf(DrawKind::Text);
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts.front()->points.front(), (PixelPoint{0, 677}));
    EXPECT_EQ(texts.front()->text.rfind("Club  ", 0), 0u);
    // The screen: same scale, same pixels.
    EXPECT_EQ(editor.Circuit().scale, 5.0);
    for (int i = 1; i <= screen.Count(); ++i) {
        for (int k = 1; k <= kOutlinePoints; ++k) {
            EXPECT_EQ(editor.Circuit().Track(i).ScreenP(k).x, screen.Track(i).ScreenP(k).x) << i << " " << k;
            EXPECT_EQ(editor.Circuit().Track(i).ScreenP(k).y, screen.Track(i).ScreenP(k).y) << i << " " << k;
        }
    }
    EXPECT_EQ(prompter.log, std::vector<std::string>{"print?"});

    // A printer that cannot start: the user is told.
    RecordingPrinter broken;
    broken.starts = false;
    EXPECT_FALSE(editor.PrintDrawing(broken));
    EXPECT_EQ(prompter.log.back(), "error " + Text(XText::PrintFailed));
}

// A printer whose page can be turned, as a real one without an orientation
// chosen by the user: a 1000 x 800 page lying, 800 x 1000 standing.
class TurningPrinter : public RecordingPrinter {
public:
    bool MayTurnPage() override { return mayTurn; }
    PixelSize PageSizeIf(bool lying) override { return lying ? PixelSize{1000, 800} : PixelSize{800, 1000}; }
    void TurnPage(bool lying) override {
        turns.push_back(lying);
        page = PageSizeIf(lying);
    }
    bool mayTurn = true;
    std::vector<bool> turns;
};

TEST_F(ToolsEditorTest, PrintTurnsThePageToTheWorkAreaAndScalesPicturesWithTheCircuit) {
    // 3000 x 2000 mm: standing max(3000 / 800, 2000 / 1000) = 3.75 mm per
    // pixel, lying max(3, 2.5) = 3, so lying. 2000 x 3000 mm the other way
    // round; a square area is as large either way and stands.
    EXPECT_TRUE(PrintLandscape(3000, 2000, {800, 1000}, {1000, 800}, 0));
    EXPECT_FALSE(PrintLandscape(2000, 3000, {800, 1000}, {1000, 800}, 0));
    EXPECT_FALSE(PrintLandscape(2000, 2000, {800, 1000}, {1000, 800}, 0));

    Load(Chain(Oval(0)));
    editor.SetWorkArea(3000, 2000);
    editor.Circuit().scale = 5.0;
    editor.Circuit().icons[0] = TIconSlot{1, 300.0, 150.0, false};
    editor.Circuit().ReLay(false);
    TurningPrinter wide;
    wide.canvas.setTextMetrics(10, 20);
    ASSERT_TRUE(editor.PrintDrawing(wide));
    EXPECT_EQ(wide.turns, std::vector<bool>{true});
    // Lying, 3 mm per pixel (2000 / (800 - 30) is less). On screen at 5 mm
    // per pixel a 32-pixel icon covers 160 mm: 53 pixels on paper, its
    // corner at 300 / 3, 150 / 3. The 120 x 90 drawing picture 40 screen
    // pixels (200 mm) from the corner: 200 x 150 at 67.
    const auto fills = wide.canvas.callsOf(DrawKind::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front()->rect, (PixelRect{0, 0, 1000, 667}));
    const auto pictures = wide.canvas.callsOf(DrawKind::StretchedPicture);
    ASSERT_EQ(pictures.size(), 2u) << wide.canvas.describeAll();
    EXPECT_EQ(pictures[0]->picture, Picture::Drawing);
    EXPECT_EQ(pictures[0]->rect, (PixelRect{67, 67, 267, 217}));
    EXPECT_EQ(pictures[1]->picture, AccessoryIcon(1, false));
    EXPECT_EQ(pictures[1]->rect, (PixelRect{100, 50, 153, 103}));
    EXPECT_EQ(wide.canvas.count(DrawKind::Picture), 0u);

    // A tall area stands.
    editor.SetWorkArea(2000, 3000);
    TurningPrinter tall;
    ASSERT_TRUE(editor.PrintDrawing(tall));
    EXPECT_EQ(tall.turns, std::vector<bool>{false});

    // The orientation the user chose stays, even lying for a tall area:
    // 3000 / (800 - 13 - 10) mm per pixel, the area 518 x 777 pixels.
    TurningPrinter chosen;
    chosen.mayTurn = false;
    chosen.page = {1000, 800};
    ASSERT_TRUE(editor.PrintDrawing(chosen));
    EXPECT_TRUE(chosen.turns.empty());
    const auto chosenFills = chosen.canvas.callsOf(DrawKind::FillRect);
    ASSERT_FALSE(chosenFills.empty());
    EXPECT_EQ(chosenFills.front()->rect, (PixelRect{0, 0, 518, 777}));
}

TEST_F(ToolsEditorTest, PrintsTheTrackListAsIndentedLines) {
    // Eight NINCO standard straights, three in stock.
    TCircuit c(1000, 1000);
    AppendPieces(c, kStandardStraight, 8);
    Load(c);
    editor.Stock().SetPieces(kNincoIndex, kStandardStraight, 3);
    RecordingPrinter printer;
    prompter.printChoices = {PrintChoice::TrackList};
    editor.ToolButton53Click(printer);
    // "NINCO Standard Straight" (23 characters) padded to 42, then 8, 3
    // and 5 right-aligned in 3 with four blanks between.
    const std::string six = "      ";
    const std::vector<TPrintLine> expected = {
        {"", true},
        {six + "Club", true},
        {"", true},
        {six + Text(152), true},
        {six + "NINCO Standard Straight" + std::string(19, ' ') + "  8" + "    " + "  3" + "    " + "  5", false},
    };
    EXPECT_EQ(printer.lines, expected);
    EXPECT_EQ(printer.titles, std::vector<std::string>{"Club"});

    // An empty circuit prints the title and the heading only.
    Load(TCircuit(1000, 1000));
    printer.lines.clear();
    EXPECT_TRUE(editor.PrintTrackList(printer));
    EXPECT_EQ(printer.lines.size(), 4u);

    // Cancel prints nothing.
    prompter.printChoices = {std::nullopt};
    RecordingPrinter untouched;
    editor.ToolButton53Click(untouched);
    EXPECT_TRUE(untouched.titles.empty());
}

}  // namespace
}  // namespace quillet::test
