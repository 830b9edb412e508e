#include <gtest/gtest.h>

#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "model/FileIO.h"
#include "model/Tracks.h"
#include "text/Globals.h"
#include "text/Languages.h"

using namespace quillet;
namespace fs = std::filesystem;

namespace {

// Expected file contents, line by line with the line end each line takes.
class FileText {
public:
    FileText& Cr(std::string_view line) { return Add(line, "\r"); }
    FileText& CrLf(std::string_view line) { return Add(line, "\r\n"); }
    std::string bytes;

private:
    FileText& Add(std::string_view line, std::string_view end) {
        bytes += line;
        bytes += end;
        return *this;
    }
};

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "quillet-circuit-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path, ec);
    }
    fs::path path;
};

class InLanguage {
public:
    explicit InLanguage(int language) : old_(LanguageIndex()) { SetLanguageIndex(language); }
    ~InLanguage() { SetLanguageIndex(old_); }

private:
    int old_;
};

class WithSeparator {
public:
    explicit WithSeparator(char separator) : old_(DecimalSeparator()) { SetDecimalSeparator(separator); }
    ~WithSeparator() { SetDecimalSeparator(old_); }

private:
    char old_;
};

std::string FileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary);
    out << bytes;
}

// A NINCO standard straight and a standard curve turning right, from
// (1600.25, 1000), the curve with an outer border; every setting away from
// its default.
TCircuit SmallCircuit() {
    TCircuit c(1500, 1000);
    c.Append(kStandardStraight, 1, 1);
    c.Append(kStandardCurve, 0, 1);
    c.startX = 1600.25;
    c.Track(2).SetBorder(kOuterBorder, true);
    c.Track(1).surface = kSurfaceSand;
    c.Track(2).surface = kSurfaceWater;
    c.ReLay(false);
    c.innerBorderDefault = true;
    c.gridShown = false;
    c.gridStep = 100;
    c.detailLevel = 4;
    c.scale = 4.5;  // stored as 4: halves go to even
    c.colourCodeShown = true;
    c.workAreaLength = 4000;
    c.workAreaWidth = 2500;
    c.templatePath = "C:\\pics\\Oval.bmp";
    c.templateShown = true;
    c.backgroundColour = 0x60A060;
    c.Icon(1) = {2, 120.5, 80.0, false};
    c.Icon(40) = {5, 10.0, 20.25, true};
    c.rulersShown = true;
    c.notes = "Primera línea\nSecond line";
    return c;
}

// SmallCircuit's file, from the layout of the format. The box, in whole mm:
// the straight spans x 1600.25..2000.25, y 1000..1180; the curve has its
// centre at (2000.25, 1000 + 241.5 + 180 = 1421.5), its left (outer) edge of
// radius 421.5 reaching x = 2000.25 + 421.5 sin 45 = 2298.30, its right edge
// of radius 241.5 reaching y = 1421.5 - 241.5 cos 45 = 1250.73 -> bottom 1251.
// The outer border adds the ring to radius 471.5, in pixels of 5 mm: top
// 1421.5 - 471.5 = 950 -> 190 px -> 950; right 2000.25 + 471.5 sin 45 =
// 2333.65 -> 466.73 px -> 467 px -> 2335. Left: round(1600.25) = 1600.
std::string SmallCircuitFile(char sep) {
    auto d = [sep](std::string s) {
        for (char& c : s) {
            if (c == '.') c = sep;
        }
        return s;
    };
    FileText f;
    f.Cr("Oval").Cr("5").Cr("2").Cr(d("1600.25")).Cr("1000");
    f.Cr("0").Cr("1");                             // outer, inner border defaults
    f.Cr("1").Cr("0").Cr("100").Cr("0");           // lane pairs, grid shown, grid step, closed
    f.Cr("2335").Cr("1600").Cr("950").Cr("1251");  // right, left, top, bottom
    f.Cr("1").Cr("4").Cr("4").Cr("1");             // start brand, detail, scale, colour code
    f.Cr("4000").Cr("2500");
    f.CrLf("C:\\pics\\Oval.bmp").CrLf("1").CrLf("0").CrLf("3");
    f.CrLf("2").CrLf(d("120.5")).CrLf("80").CrLf("0");
    for (int slot = 2; slot <= 39; ++slot) f.CrLf("0").CrLf("0").CrLf("0").CrLf("0");
    f.CrLf("5").CrLf("10").CrLf(d("20.25")).CrLf("1");
    f.CrLf("1");  // rulers
    // Straight: type 0, left-hand, angle 0, no borders, sand.
    f.Cr("0").Cr("1").Cr("0").Cr("0").Cr("0").Cr("0").Cr("0").Cr("0").Cr("0").Cr("2");
    // Curve: type 3, right-hand, angle 0 (the straight's exit), outer border, water.
    f.Cr("3").Cr("0").Cr("0").Cr("0").Cr("1").Cr("0").Cr("0").Cr("0").Cr("0").Cr("4");
    f.CrLf("Primera l\xEDnea").CrLf("Second line");
    return f.bytes;
}

void ExpectSamePieces(const TCircuit& a, const TCircuit& b) {
    ASSERT_EQ(a.Count(), b.Count());
    for (int i = 1; i <= a.Count(); ++i) {
        SCOPED_TRACE(i);
        const TTrack& s = a.Track(i);
        const TTrack& t = b.Track(i);
        EXPECT_EQ(s.type, t.type);
        EXPECT_EQ(s.orientation, t.orientation);
        EXPECT_EQ(s.width, t.width);
        EXPECT_EQ(s.lengthOrArc, t.lengthOrArc);
        EXPECT_EQ(s.innerRadius, t.innerRadius);
        EXPECT_EQ(s.borderWidth, t.borderWidth);
        EXPECT_EQ(s.borders, t.borders);
        EXPECT_EQ(s.surface, t.surface);
        EXPECT_NEAR(s.angle, t.angle, 1e-12);
        for (int k = 1; k <= kOutlinePoints; ++k) {
            EXPECT_NEAR(s.P(k).x, t.P(k).x, 1e-9) << k;
            EXPECT_NEAR(s.P(k).y, t.P(k).y, 1e-9) << k;
        }
    }
}

}  // namespace

TEST(CircuitFile, SavesEveryLineWithItsLineEndAndTakesTheTitleFromTheFileName) {
    TempDir dir;
    TCircuit c = SmallCircuit();
    c.title = "Untitled";
    c.modified = true;
    const fs::path path = dir.path / "Oval.QLC";
    std::string error;
    ASSERT_TRUE(SaveCircuit(c, path.string(), &error)) << error;
    EXPECT_EQ(FileBytes(path), SmallCircuitFile('.'));
    EXPECT_EQ(c.title, "Oval");
    EXPECT_FALSE(c.modified);

    // Under a comma-decimal system the decimals hold commas, and they read
    // back whatever the separator in force.
    {
        WithSeparator comma(',');
        ASSERT_TRUE(SaveCircuit(c, path.string(), &error)) << error;
    }
    const std::string commaFile = FileBytes(path);
    EXPECT_EQ(commaFile, SmallCircuitFile(','));
    TCircuit back;
    TReadProblem problem;
    ASSERT_TRUE(ReadCircuitBytes(commaFile, "Oval.QLC", back, &problem)) << problem.message;
    EXPECT_EQ(back.startX, 1600.25);
    EXPECT_EQ(back.Icon(40).y, 20.25);
}

TEST(CircuitFile, TitleIsTheNameWithoutFolderAndExtension) {
    EXPECT_EQ(CircuitTitleFromPath("/home/ana/circuits/Oval.QLC"), "Oval");
    EXPECT_EQ(CircuitTitleFromPath("C:\\Circuitos\\Oval.QLC"), "Oval");
    EXPECT_EQ(CircuitTitleFromPath("Oval.QLC"), "Oval");
    EXPECT_EQ(CircuitTitleFromPath("a.b/c\\Sin Título.QLC"), "Sin Título");
    // Characters, not bytes: "Ñandú" keeps its "ú" when ".qlc" goes.
    EXPECT_EQ(CircuitTitleFromPath("/x/Ñandú.qlc"), "Ñandú");
    EXPECT_EQ(CircuitTitleFromPath("/x/abc"), "");
    EXPECT_EQ(CircuitTitleFromPath("/x/"), "");
}

TEST(CircuitFile, EveryFieldSurvivesARoundTrip) {
    // SCX pieces on four lanes, every type, both hands, a chicane to NINCO and
    // one back, borders and surfaces varied, the chain turned by 0.3 rad.
    TCircuit c(1500, 1000);
    c.startBrand = 0;
    c.lanePairs = 2;
    const int types[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 8, 0, 3, 5, 8, 2};
    c.Insert(types[0], 0, nullptr);
    for (std::size_t k = 1; k < std::size(types); ++k) {
        c.Track(c.Count()).selected = true;
        c.firstSelected = c.lastSelected = c.Count();
        ASSERT_TRUE(c.Insert(types[k], static_cast<int>(k % 2), nullptr));
    }
    for (int i = 1; i <= c.Count(); ++i) {
        TTrack& t = c.Track(i);
        t.SetBorder(1 + i % kBorderFlags, true);
        t.SetBorder(1 + (i * 5) % kBorderFlags, true);
        t.surface = static_cast<uint8_t>(i % 4);
        t.selected = false;
    }
    c.Track(1).angle = 0.3;
    c.scale = 7.0;  // before the re-lay: the box counts border pixels
    c.ReLay(false);
    // The chicanes switch the width family: SCX 156 per pair, NINCO 180.
    ASSERT_EQ(c.Track(13).width, 2 * 180.0);
    ASSERT_EQ(c.Track(17).width, 2 * 156.0);
    ASSERT_EQ(c.Track(18).width, 2 * 156.0);

    c.outerBorderDefault = true;
    c.innerBorderDefault = true;
    c.gridShown = false;
    c.gridStep = 250;
    c.detailLevel = 5;
    c.colourCodeShown = true;
    c.workAreaLength = 12000;
    c.workAreaWidth = 1000;
    c.templatePath = "/home/ana/plantillas/óvalo.bmp";
    c.templateShown = true;
    c.singleRacing = true;
    c.backgroundColour = 0x7090A0;
    for (int slot = 1; slot <= TCircuit::kIconSlots; ++slot) {
        c.Icon(slot) = {slot % 6, slot * 10.5, -slot * 0.125, slot % 3 == 0};
    }
    c.rulersShown = true;
    c.notes = "Two lines\nof notes";
    c.title = "Untitled";

    for (char sep : {'.', ','}) {
        SCOPED_TRACE(sep);
        const std::string bytes = CircuitFileBytes(c, "Rich", sep);
        TCircuit back;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(bytes, "Rich.QLC", back, &problem)) << problem.message;
        EXPECT_EQ(back.title, "Rich");
        EXPECT_FALSE(back.modified);
        EXPECT_EQ(back.scale, 7.0);
        EXPECT_EQ(back.notes, c.notes);
        // Every stored field, compared through the writer, whose output is
        // checked line by line above.
        EXPECT_EQ(CircuitFileBytes(back, "Rich", '.'), CircuitFileBytes(c, "Rich", '.'));
        ExpectSamePieces(c, back);
        // A loaded circuit selects nothing and is fixed at its first piece.
        EXPECT_EQ(back.firstSelected, 0);
        EXPECT_EQ(back.lastSelected, 0);
        EXPECT_TRUE(back.Track(1).anchorMark);
        for (const TTrack& t : back.Tracks()) EXPECT_FALSE(t.selected);
    }
}

TEST(CircuitFile, ReadingLaysThePiecesAsInsertingThemOneByOneWould) {
    // The record stores the angle of every piece, but only the first one's
    // counts; the borders of the last piece must shape its outline too.
    TCircuit original(1500, 1000);
    original.Insert(kStandardCurve, 1, nullptr);
    for (int type : {kAdaptationChicane, kStandardStraight, kInnerCurve}) {
        original.Track(original.Count()).selected = true;
        original.Insert(type, 0, nullptr);
    }
    original.Track(1).angle = kPi / 2;
    original.Track(4).SetBorder(kOuterBorder, true);
    original.Track(4).SetBorder(kInnerBorderExitHalf, true);
    original.ReLay(false);
    ASSERT_EQ(original.Track(2).width, 156.0);  // the chicane leads to SCX
    ASSERT_EQ(original.Track(3).width, 156.0);

    std::string bytes = CircuitFileBytes(original, "Chain", '.');
    // Spoil the stored angles of pieces 2 to 4 (lines 189 + 10k).
    std::vector<std::string_view> lines = SplitLines(bytes);
    std::string spoiled;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        spoiled += (line == 199 || line == 209 || line == 219) ? std::string_view("2.5") : lines[i];
        spoiled += "\r\n";
    }
    TCircuit back;
    TReadProblem problem;
    ASSERT_TRUE(ReadCircuitBytes(spoiled, "Chain.QLC", back, &problem)) << problem.message;
    ExpectSamePieces(original, back);
    const TTrack& last = back.Track(4);
    TTrack recomputed = last;
    recomputed.ComputeOutline(back);
    for (int k = 1; k <= kOutlinePoints; ++k) {
        EXPECT_EQ(last.OuterPoly(k).x, recomputed.OuterPoly(k).x);
        EXPECT_EQ(last.OuterPoly(k).y, recomputed.OuterPoly(k).y);
        EXPECT_EQ(last.InnerPoly(k).x, recomputed.InnerPoly(k).x);
        EXPECT_EQ(last.InnerPoly(k).y, recomputed.InnerPoly(k).y);
    }
    // The SCX outer border strip is there: 40 mm = 8 px beyond the entry corner.
    const PointI edge = last.OuterPoly(1);
    const PointI offset = last.OuterPoly(18);
    EXPECT_NEAR(std::hypot(edge.x - offset.x, edge.y - offset.y), 8.0, 1.0);
    // The half border flag folded the inner strip's entry half away.
    EXPECT_EQ(last.InnerPoly(1).x, last.InnerPoly(5).x);
    EXPECT_EQ(last.InnerPoly(1).y, last.InnerPoly(5).y);
}

namespace {

// Lines 1-24 of a hand-written file of the given version: two pieces, start
// (1600.5, 1000) written with a comma, SCX start brand, 4 lanes.
FileText OldHeader(const char* version) {
    FileText f;
    f.Cr("Viejo").Cr(version).Cr("2").Cr("1600,5").Cr("1000").Cr("1").Cr("0").Cr("2").Cr("1").Cr("150").Cr("1");
    f.Cr("10").Cr("20").Cr("30").Cr("40").Cr("0").Cr("2").Cr("6").Cr("0").Cr("5000").Cr("3000");
    f.CrLf("").CrLf("0").CrLf("0");
    return f;
}

// Piece records without (nine lines) or with (ten lines) the surface.
void OldPieces(FileText& f, bool withSurface) {
    f.Cr("3").Cr("1").Cr("0").Cr("0").Cr("1").Cr("0").Cr("0").Cr("0").Cr("0");
    if (withSurface) f.Cr("3");
    f.Cr("1").Cr("0").Cr("9,75").Cr("1").Cr("0").Cr("0").Cr("0").Cr("0").Cr("0");
    if (withSurface) f.Cr("2");
    f.CrLf("old notes").CrLf("");
}

void ExpectOldCommon(const TCircuit& c) {
    EXPECT_EQ(c.title, "Viejo");
    EXPECT_EQ(c.startX, 1600.5);
    EXPECT_EQ(c.startY, 1000.0);
    EXPECT_TRUE(c.outerBorderDefault);
    EXPECT_FALSE(c.innerBorderDefault);
    EXPECT_EQ(c.lanePairs, 2);
    EXPECT_TRUE(c.gridShown);
    EXPECT_EQ(c.gridStep, 150);
    EXPECT_FALSE(c.closed);  // read as 1, found open by the re-lay
    EXPECT_EQ(c.startBrand, 0);
    EXPECT_EQ(c.detailLevel, 2);
    EXPECT_EQ(c.scale, 6.0);
    EXPECT_EQ(c.workAreaLength, 5000);
    EXPECT_EQ(c.workAreaWidth, 3000);
    ASSERT_EQ(c.Count(), 2);
    EXPECT_EQ(c.Track(1).type, kStandardCurve);
    EXPECT_EQ(c.Track(1).orientation, 1);
    EXPECT_EQ(c.Track(1).width, 2 * 156.0);
    EXPECT_TRUE(c.Track(1).Border(kOuterBorder));
    EXPECT_EQ(c.Track(2).type, kHalfStraight);
    EXPECT_TRUE(c.Track(2).Border(kInnerBorder));
    EXPECT_EQ(c.notes, "old notes");
    // The box is the re-laid one, not the stored 10, 20, 30, 40.
    EXPECT_NE(c.box.right, 10);
}

}  // namespace

TEST(CircuitFile, ReadsOlderVersionsWithOnlyTheLinesTheyHave) {
    {
        SCOPED_TRACE("version 1: no background, icons, rulers or surfaces");
        FileText f = OldHeader("1");
        OldPieces(f, false);
        TCircuit c;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(f.bytes, "v1.QLC", c, &problem)) << problem.message;
        ExpectOldCommon(c);
        EXPECT_EQ(c.backgroundColour, 0xFFFFFF);
        for (const TIconSlot& icon : c.icons) EXPECT_EQ(icon.kind, 0);
        EXPECT_FALSE(c.rulersShown);
        EXPECT_EQ(c.Track(1).surface, kSurfaceNone);
        EXPECT_EQ(c.Track(2).surface, kSurfaceNone);
    }
    {
        SCOPED_TRACE("version 2: the background");
        FileText f = OldHeader("2");
        f.CrLf("2");
        OldPieces(f, false);
        TCircuit c;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(f.bytes, "v2.QLC", c, &problem)) << problem.message;
        ExpectOldCommon(c);
        EXPECT_EQ(c.backgroundColour, 0xA0A0A0);
        EXPECT_EQ(c.Track(2).surface, kSurfaceNone);
    }
    {
        SCOPED_TRACE("version 3: icon slots 1-20 and surfaces");
        FileText f = OldHeader("3");
        f.CrLf("4");
        f.CrLf("3").CrLf("100,5").CrLf("200").CrLf("1");
        for (int slot = 2; slot <= 20; ++slot) f.CrLf("0").CrLf("0").CrLf("0").CrLf("0");
        OldPieces(f, true);
        TCircuit c;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(f.bytes, "v3.QLC", c, &problem)) << problem.message;
        ExpectOldCommon(c);
        EXPECT_EQ(c.backgroundColour, 0x7090A0);
        EXPECT_EQ(c.Icon(1).kind, 3);
        EXPECT_EQ(c.Icon(1).x, 100.5);
        EXPECT_EQ(c.Icon(1).y, 200.0);
        EXPECT_TRUE(c.Icon(1).selected);
        EXPECT_EQ(c.Icon(21).kind, 0);
        EXPECT_FALSE(c.rulersShown);
        EXPECT_EQ(c.Track(1).surface, kSurfaceSnow);  // code 3
        EXPECT_EQ(c.Track(2).surface, kSurfaceSand);  // code 2
    }
    {
        SCOPED_TRACE("version 4: icon slots 21-40, no rulers line");
        FileText f = OldHeader("4");
        f.CrLf("1");
        for (int slot = 1; slot <= 39; ++slot) f.CrLf("0").CrLf("0").CrLf("0").CrLf("0");
        f.CrLf("5").CrLf("-20").CrLf("30,25").CrLf("0");
        OldPieces(f, true);
        TCircuit c;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(f.bytes, "v4.QLC", c, &problem)) << problem.message;
        ExpectOldCommon(c);
        EXPECT_EQ(c.backgroundColour, 0xFFFFFF);
        EXPECT_EQ(c.Icon(40).kind, 5);
        EXPECT_EQ(c.Icon(40).x, -20.0);
        EXPECT_EQ(c.Icon(40).y, 30.25);
        EXPECT_FALSE(c.rulersShown);
        EXPECT_EQ(c.Track(1).surface, kSurfaceSnow);
    }
}

TEST(CircuitFile, FlagsBackgroundsAndSurfacesReadAsTheFormatSays) {
    const std::string base = CircuitFileBytes(SmallCircuit(), "Oval", '.');
    // Replaces line n (1-based) of the small circuit's file.
    auto withLine = [&base](int n, std::string_view text) {
        const auto lines = SplitLines(base);
        std::string out;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            out += static_cast<int>(i) + 1 == n ? text : lines[i];
            out += "\r";
        }
        return out;
    };
    auto read = [](const std::string& bytes) {
        TCircuit c;
        TReadProblem problem;
        EXPECT_TRUE(ReadCircuitBytes(bytes, "x.QLC", c, &problem)) << problem.message;
        return c;
    };
    // Only the exact text "1" is true (line 19: colour code shown).
    EXPECT_TRUE(read(withLine(19, "1")).colourCodeShown);
    for (const char* notTrue : {"0", "1 ", " 1", "01", "true", "-1", "2", ""}) {
        EXPECT_FALSE(read(withLine(19, notTrue)).colourCodeShown) << notTrue;
    }
    // Background codes 0 and 1 are white, 2 to 4 the colours, others keep
    // the fresh circuit's white.
    const std::pair<const char*, int32_t> backgrounds[] = {{"0", 0xFFFFFF}, {"1", 0xFFFFFF}, {"2", 0xA0A0A0},
                                                           {"3", 0x60A060}, {"4", 0x7090A0}, {"5", 0xFFFFFF},
                                                           {"-3", 0xFFFFFF}};
    for (const auto& [code, colour] : backgrounds) {
        EXPECT_EQ(read(withLine(25, code)).backgroundColour, colour) << code;
    }
    // Surface codes 1 to 4 give none, sand, snow, water; others none
    // (line 196: the first piece's surface).
    const std::pair<const char*, uint8_t> surfaces[] = {{"1", kSurfaceNone},  {"2", kSurfaceSand}, {"3", kSurfaceSnow},
                                                        {"4", kSurfaceWater}, {"0", kSurfaceNone}, {"9", kSurfaceNone}};
    for (const auto& [code, surface] : surfaces) {
        EXPECT_EQ(read(withLine(196, code)).Track(1).surface, surface) << code;
    }
}

TEST(CircuitFile, TextsKeepTheirAccentsAndNotesEndAtTheFirstEmptyLine) {
    TCircuit c;
    c.notes = "Curva rápida\nÚltima: 5 €";
    const std::string bytes = CircuitFileBytes(c, "Sin Título", '.');
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 188u);  // 186 lines, two of notes
    EXPECT_EQ(lines[0], "Sin T\xEDtulo");
    EXPECT_EQ(lines[186], "Curva r\xE1pida");
    EXPECT_EQ(lines[187], "\xDAltima: 5 \x80");
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(bytes, "x.QLC", back));
    EXPECT_EQ(back.title, "Sin Título");
    EXPECT_EQ(back.notes, c.notes);
    EXPECT_EQ(CircuitFileBytes(back, back.title, '.'), bytes);

    // An empty line or a Ctrl-Z ends the notes; so does the end of the file.
    const std::string head =
        bytes.substr(0, bytes.size() - std::string("Curva r\xE1pida\r\n\xDAltima: 5 \x80\r\n").size());
    const std::pair<std::string, std::string> endings[] = {
        {"one\r\ntwo\r\n\r\nthree\r\n", "one\ntwo"},
        {"one\r\nt\x1awo\r\nthree\r\n", "one\nt"},
        {"one\r\ntwo", "one\ntwo"},
        {"\r\nthree\r\n", ""},
        {"", ""},
        // A lone LF is no line end: it stays inside the note's line.
        {"a\nb\r\n", "a\nb"},
    };
    for (const auto& [tail, notes] : endings) {
        TCircuit n;
        TReadProblem problem;
        ASSERT_TRUE(ReadCircuitBytes(head + tail, "x.QLC", n, &problem)) << problem.message;
        EXPECT_EQ(n.notes, notes);
    }
}

TEST(CircuitFile, TextLinesCannotBreakTheFile) {
    // A CR, an LF or a Ctrl-Z inside a text would end the line or the file early.
    TCircuit c;
    c.templatePath =
        "a\rb\x1a"
        "c\nd";
    c.notes = "one\r\ntwo\rthree\nfo\x1aur\n\n";
    const std::string bytes = CircuitFileBytes(c, "t\ri\x1a\nx", '.');
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 190u);
    EXPECT_EQ(lines[0], "t?i??x");
    EXPECT_EQ(lines[21], "a?b?c?d");
    EXPECT_EQ(lines[186], "one");
    EXPECT_EQ(lines[187], "two");
    EXPECT_EQ(lines[188], "three");
    EXPECT_EQ(lines[189], "fo?ur");
    EXPECT_EQ(bytes.substr(bytes.size() - 7), "fo?ur\r\n");
    // Characters Windows-1252 lacks become "?".
    c.notes = "Ω";
    EXPECT_EQ(SplitLines(CircuitFileBytes(c, "x", '.'))[186], "?");
}

TEST(CircuitFile, FilesWithLfLineEndsReadAsTheyWereWritten) {
    // A file that a text editor or a transfer rewrote with LF alone.
    TCircuit c(1500, 1000);
    for (const int type : {0, 3, 3, 5, 1, 3, 3}) ASSERT_TRUE(c.Append(type, type == 5 ? 1 : 0, 1));
    c.Track(1).angle = 0.5;
    c.Track(2).SetBorder(3, true);
    c.ReLay(false);
    c.templatePath = "/home/ana/óvalo.bmp";
    c.notes = "Two lines\nof notes";
    const std::string written = CircuitFileBytes(c, "Oval", '.');
    std::string lf;
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\r') {
            lf += '\n';
            if (i + 1 < written.size() && written[i + 1] == '\n') ++i;
        } else {
            lf += written[i];
        }
    }
    ASSERT_EQ(lf.find('\r'), std::string::npos);
    TCircuit back;
    TReadProblem problem;
    ASSERT_TRUE(ReadCircuitBytes(lf, "Oval.QLC", back, &problem)) << problem.message;
    EXPECT_EQ(back.Count(), 7);
    EXPECT_EQ(back.notes, "Two lines\nof notes");
    EXPECT_EQ(back.templatePath, "/home/ana/óvalo.bmp");
    EXPECT_EQ(CircuitFileBytes(back, "Oval", '.'), written);

    // A fault in such a file is named at its own line: line 2 is the version.
    InLanguage english(kEnglish);
    std::string damaged = lf;
    damaged.replace(damaged.find('\n') + 1, 1, "x");
    EXPECT_FALSE(ReadCircuitBytes(damaged, "Oval.QLC", back, &problem));
    EXPECT_EQ(problem.line, 2);
}

TEST(CircuitFile, AnEmptyCircuitWritesTheHeaderIconsRulersAndNotesLine) {
    TCircuit c;
    const std::string bytes = CircuitFileBytes(c, "Empty", '.');
    const auto lines = SplitLines(bytes);
    ASSERT_EQ(lines.size(), 187u);
    EXPECT_EQ(lines[2], "0");
    EXPECT_EQ(lines[185], "0");  // rulers
    EXPECT_EQ(lines[186], "");   // notes
    EXPECT_EQ(bytes.substr(bytes.size() - 5), "0\r\n\r\n");
    TCircuit back;
    back.Append(kStandardStraight, 0, 1);
    ASSERT_TRUE(ReadCircuitBytes(bytes, "Empty.QLC", back));
    EXPECT_EQ(back.Count(), 0);
    EXPECT_EQ(back.notes, "");
    EXPECT_EQ(back.box.left | back.box.top | back.box.right | back.box.bottom, 0);
}

TEST(CircuitFile, SettingsOutsideWhatTheReaderTakesAreWrittenAtTheNearestItTakes) {
    TCircuit c;
    c.gridStep = 0;  // Settings lets the grid step reach 0
    c.scale = 0.4;   // rounds to 0
    c.detailLevel = 9;
    c.lanePairs = 7;
    c.workAreaLength = 500;
    c.workAreaWidth = 50000;
    c.startX = std::nan("");
    c.startY = -5e12;
    c.Icon(3).kind = 17;
    const std::string bytes = CircuitFileBytes(c, "x", '.');
    const auto lines = SplitLines(bytes);
    EXPECT_EQ(lines[9], "1");
    EXPECT_EQ(lines[17], "1");
    EXPECT_EQ(lines[16], "5");
    EXPECT_EQ(lines[7], "4");
    EXPECT_EQ(lines[19], "1000");
    EXPECT_EQ(lines[20], "12000");
    EXPECT_EQ(lines[3], "0");
    EXPECT_EQ(lines[4], "-1000000000");
    EXPECT_EQ(lines[25 + 2 * 4], "0");  // slot 3's kind: empty
    TCircuit back;
    EXPECT_TRUE(ReadCircuitBytes(bytes, "x.QLC", back));
}

namespace {

struct Damage {
    int line;             // line to replace, 0: use `bytes` as the whole file
    std::string text;     // its new text
    int badLine;          // the line the reader must blame
    std::string message;  // in English
};

}  // namespace

TEST(CircuitFile, DamagedFilesAreRejectedAndTheOpenCircuitStaysAsItWas) {
    InLanguage english(kEnglish);
    const std::string good = CircuitFileBytes(SmallCircuit(), "Oval", '.');
    const auto goodLines = SplitLines(good);
    ASSERT_EQ(goodLines.size(), 208u);

    const Damage cases[] = {
        {2, "6", 2, "line 2: unsupported file version 6"},
        {2, "0", 2, "line 2: unsupported file version 0"},
        {2, "five", 2, "line 2: expected a whole number"},
        {3, "301", 3, "line 3: too many tracks"},
        {3, "-1", 3, "line 3: expected a value from 0 to 300"},
        {3, "99999999999999999999", 3, "line 3: expected a whole number"},
        {4, "nan", 4, "line 4: expected a decimal number"},
        {4, "1e999", 4, "line 4: expected a decimal number"},
        {4, "", 4, "line 4: expected a decimal number"},
        {5, "2e9", 5, "line 5: expected a value from -1000000000 to 1000000000"},
        {8, "0", 8, "line 8: lane pairs out of range"},
        {8, "5", 8, "line 8: lane pairs out of range"},
        {10, "0", 10, "line 10: expected a value from 1 to 100000"},
        {12, "12.5", 12, "line 12: expected a whole number"},
        {13, "3000000000", 13, "line 13: expected a value from -2147483648 to 2147483647"},
        {17, "0", 17, "line 17: expected a value from 1 to 5"},
        {18, "0", 18, "line 18: expected a value from 1 to 1000"},
        {18, "-5", 18, "line 18: expected a value from 1 to 1000"},
        {20, "999", 20, "line 20: expected a value from 1000 to 12000"},
        {21, "12001", 21, "line 21: expected a value from 1000 to 12000"},
        {25, "white", 25, "line 25: expected a whole number"},
        {26, "6", 26, "line 26: expected a value from 0 to 5"},
        {27, "1.5.2", 27, "line 27: expected a decimal number"},
        {187, "15", 187, "line 187: unknown piece type"},
        {197, "-1", 197, "line 197: unknown piece type"},
        {189, "inf", 189, "line 189: expected a decimal number"},
        {196, "sand", 196, "line 196: expected a whole number"},
        // A third piece is announced: its type line is the first note.
        {3, "3", 207, "line 207: expected a whole number"},
        // A Ctrl-Z ends the file in the middle of the icons.
        {50, "\x1a", 50, "the file ends before line 50"},
    };
    const std::string truncated[] = {"", "Oval\r5\r2\r", good.substr(0, good.find("\r3\r0\r0\r0\r1"))};
    const int truncatedAt[] = {1, 4, 197};

    // The open circuit: something else entirely, modified and titled.
    TCircuit open(1500, 1000);
    open.Append(kInnerCurve, 1, 0);
    open.ReLay(false);
    open.title = "Mine";
    open.modified = true;
    open.notes = "keep me";
    const std::string openBytes = CircuitFileBytes(open, open.title, '.');

    auto check = [&](const std::string& bytes, int badLine, const std::string& message) {
        TReadProblem problem;
        EXPECT_FALSE(ReadCircuitBytes(bytes, "Oval.QLC", open, &problem));
        EXPECT_EQ(problem.line, badLine);
        EXPECT_EQ(problem.message, "cannot read Oval.QLC: " + message);
        EXPECT_EQ(CircuitFileBytes(open, open.title, '.'), openBytes);
        EXPECT_EQ(open.title, "Mine");
        EXPECT_TRUE(open.modified);
    };
    for (const Damage& d : cases) {
        SCOPED_TRACE(d.message);
        std::string bytes;
        for (std::size_t i = 0; i < goodLines.size(); ++i) {
            bytes += static_cast<int>(i) + 1 == d.line ? std::string_view(d.text) : goodLines[i];
            bytes += "\r\n";
        }
        check(bytes, d.badLine, d.message);
    }
    for (std::size_t k = 0; k < std::size(truncated); ++k) {
        SCOPED_TRACE(k);
        check(truncated[k], truncatedAt[k], "the file ends before line " + std::to_string(truncatedAt[k]));
    }

    // The same fault in Spanish.
    InLanguage spanish(kSpanish);
    TReadProblem problem;
    EXPECT_FALSE(ReadCircuitBytes("Oval\r5\r301\r", "Oval.QLC", open, &problem));
    EXPECT_EQ(problem.message, "no se puede leer Oval.QLC: línea 3: demasiados tramos");
}

TEST(CircuitFile, AFailedSaveLeavesTheOldFileAndTheCircuitAsTheyWere) {
    InLanguage english(kEnglish);
    TempDir dir;
    const fs::path path = dir.path / "Oval.QLC";
    TCircuit first = SmallCircuit();
    ASSERT_TRUE(SaveCircuit(first, path.string()));
    const std::string old = FileBytes(path);

    TCircuit c = SmallCircuit();
    c.notes = "a newer version";
    c.title = "Untitled";
    c.modified = true;
    std::string error;
    {
        // The disk fills up in the middle of the write: files may grow to
        // 256 bytes only, and the file is longer.
        struct rlimit saved {};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
        struct rlimit small = saved;
        small.rlim_cur = 256;
        const auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool saved_ok = SaveCircuit(c, path.string(), &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        signal(SIGXFSZ, oldHandler);
        EXPECT_FALSE(saved_ok);
    }
    EXPECT_EQ(error, "cannot write file " + path.string() + ": File too large");
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(c.title, "Untitled");
    EXPECT_TRUE(c.modified);
    // No temporary file is left behind.
    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path)) ++entries;
    EXPECT_EQ(entries, 1);

    // A folder that is a file.
    WriteBytes(dir.path / "plain", "x");
    EXPECT_FALSE(SaveCircuit(c, (dir.path / "plain" / "Oval.QLC").string(), &error));
    EXPECT_EQ(error,
              "cannot write file " + (dir.path / "plain" / "Oval.QLC").string() + ": part of the path is not a folder");
    EXPECT_EQ(c.title, "Untitled");
    EXPECT_TRUE(c.modified);
}

TEST(CircuitFile, LoadReadsTheFileAndFindsTheTemplatePicture) {
    InLanguage english(kEnglish);
    TempDir dir;
    fs::create_directory(dir.path / "pics");
    WriteBytes(dir.path / "pics" / "t.bmp", "BM");
    WriteBytes(dir.path / "beside.bmp", "BM");

    TCircuit c = SmallCircuit();
    auto saveWithTemplate = [&](const std::string& templatePath) {
        c.templatePath = templatePath;
        c.templateShown = true;
        ASSERT_TRUE(SaveCircuit(c, (dir.path / "Oval.QLC").string()));
    };
    auto load = [&](TTemplateAction& action) {
        TCircuit loaded;
        TReadProblem problem;
        EXPECT_TRUE(LoadCircuit((dir.path / "Oval.QLC").string(), loaded, &action, &problem)) << problem.message;
        return loaded;
    };

    TTemplateAction action;
    // The stored path exists.
    saveWithTemplate((dir.path / "pics" / "t.bmp").string());
    TCircuit loaded = load(action);
    EXPECT_EQ(action.kind, TTemplateAction::Kind::Load);
    EXPECT_EQ(action.path, (dir.path / "pics" / "t.bmp").string());
    EXPECT_TRUE(loaded.templateShown);

    // A path from another machine, Windows style: the same name beside the circuit.
    saveWithTemplate("D:\\Mis plantillas\\beside.bmp");
    loaded = load(action);
    EXPECT_EQ(action.kind, TTemplateAction::Kind::Load);
    EXPECT_EQ(action.path, (dir.path / "beside.bmp").string());
    EXPECT_EQ(loaded.templatePath, "D:\\Mis plantillas\\beside.bmp");

    // Nowhere: the editor says so and the circuit forgets the template. A
    // folder of that name is no picture.
    fs::create_directory(dir.path / "gone.bmp");
    saveWithTemplate("/nowhere/gone.bmp");
    loaded = load(action);
    EXPECT_EQ(action.kind, TTemplateAction::Kind::Missing);
    EXPECT_EQ(action.path, "/nowhere/gone.bmp");
    EXPECT_EQ(loaded.templatePath, "");
    EXPECT_FALSE(loaded.templateShown);

    // No template at all.
    saveWithTemplate("");
    loaded = load(action);
    EXPECT_EQ(action.kind, TTemplateAction::Kind::None);

    // A file that cannot be opened leaves the circuit alone.
    TReadProblem problem;
    loaded.notes = "untouched";
    const std::string missing = (dir.path / "Missing.QLC").string();
    EXPECT_FALSE(LoadCircuit(missing, loaded, &action, &problem));
    EXPECT_EQ(problem.message, "cannot open file " + missing + ": no such file or folder");
    EXPECT_EQ(problem.line, 0);
    EXPECT_EQ(loaded.notes, "untouched");
    // The cause is in the user's language too, not only the words around it.
    {
        InLanguage spanish(kSpanish);
        EXPECT_FALSE(LoadCircuit(missing, loaded, &action, &problem));
        EXPECT_EQ(problem.message, "no se puede abrir el archivo " + missing + ": no existe el archivo o la carpeta");
    }
    // A folder where a file should be.
    EXPECT_FALSE(LoadCircuit(dir.path.string(), loaded, &action, &problem));
    EXPECT_EQ(problem.message, "cannot open file " + dir.path.string() + ": it is a folder");
}
