// End-to-end tests of quillet-cli: circuits are written with the core's own
// writer (or by hand, when they must be damaged), the tool runs as a separate
// process with no display, and what it prints and writes is checked against
// figures worked out by hand from the rules of each command.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "tools/Dimensions.h"
#include "tools/ToolsTestSupport.h"

extern char** environ;

namespace quillet {
namespace {

namespace fs = std::filesystem;
using test::Chain;
using test::Oval;
using test::Piece;

constexpr double kPiValue = 3.14159265358979323846;

// ---------------------------------------------------------------------------
// Running the tool

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

class TempDir {
public:
    TempDir() {
        std::string pattern = (fs::temp_directory_path() / "quillet-cli-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

// Runs quillet-cli with the arguments, without a display and without a Qt
// platform chosen: the tool has to find its own way to draw.
CliRun RunCli(const std::vector<std::string>& args) {
    static TempDir streams;
    const std::string outPath = streams / "stdout";
    const std::string errPath = streams / "stderr";

    std::vector<std::string> all{QUILLET_CLI};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view v(*e);
        if (v.starts_with("QT_QPA_PLATFORM=") || v.starts_with("DISPLAY=") || v.starts_with("WAYLAND_DISPLAY=")) {
            continue;
        }
        env.emplace_back(v);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    CliRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) == 0) {
        int status = 0;
        waitpid(pid, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    run.out = ReadAll(outPath);
    run.err = ReadAll(errPath);
    return run;
}

QJsonObject ParseJson(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << text;
    EXPECT_TRUE(doc.isObject()) << text;
    return doc.object();
}

QJsonValue At(const QJsonValue& v, const char* key) { return v.toObject().value(QLatin1String(key)); }
QJsonValue At(const QJsonValue& v, int index) { return v.toArray().at(index); }

std::vector<double> Doubles(const QJsonValue& v) {
    std::vector<double> out;
    for (const QJsonValue& x : v.toArray()) out.push_back(x.toDouble());
    return out;
}
std::vector<int> Ints(const QJsonValue& v) {
    std::vector<int> out;
    for (const QJsonValue& x : v.toArray()) {
        EXPECT_TRUE(x.isDouble());
        out.push_back(x.toInt(-999));
    }
    return out;
}
std::vector<std::string> Strings(const QJsonValue& v) {
    std::vector<std::string> out;
    for (const QJsonValue& x : v.toArray()) out.push_back(x.toString().toStdString());
    return out;
}
std::string String(const QJsonValue& v) { return v.toString().toStdString(); }

int Occurrences(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// Close to a figure worked out by hand: the tool adds the same terms in
// another order.
void ExpectNear(double actual, double expected, const std::string& what) {
    EXPECT_NEAR(actual, expected, 1e-9 * std::max(1.0, std::fabs(expected))) << what;
}

// ---------------------------------------------------------------------------
// Circuits

class CliTest : public ::testing::Test {
protected:
    std::string Path(const std::string& name) const { return dir_ / name; }

    // Saves through the core's writer; the title becomes the file's name.
    std::string Save(TCircuit c, const std::string& name) {
        const std::string path = Path(name);
        std::string error;
        EXPECT_TRUE(SaveCircuit(c, path, &error)) << error;
        return path;
    }
    std::string SaveOval(const std::string& name = "Oval.QLC") { return Save(Chain(Oval()), name); }

    // Where line `number` (1-based) starts; lines end CR or CR LF.
    static std::size_t LineStart(const std::string& bytes, int number) {
        std::size_t start = 0;
        for (int line = 1; line < number; ++line) {
            start = bytes.find('\r', start) + 1;
            if (bytes[start] == '\n') ++start;
        }
        return start;
    }
    // The file with line `number` replaced.
    std::string Damage(const std::string& path, int number, const std::string& text, const std::string& name) {
        const std::string bytes = ReadAll(path);
        const std::size_t start = LineStart(bytes, number);
        WriteAll(Path(name), bytes.substr(0, start) + text + bytes.substr(bytes.find('\r', start)));
        return Path(name);
    }

    // A stock file: NINCO standard straights and standard curves, the rest 0,
    // and Spanish on its language line.
    std::string SaveStock(int nincoStraights, int nincoCurves, const std::string& name = "stock.QLs") {
        std::string bytes = "1\r\n";  // line 1: language
        for (int line = 2; line <= 55; ++line) {
            int v = 0;
            if (line == 17 + kStandardStraight) v = nincoStraights;  // lines 17..31: NINCO pieces 0..14
            if (line == 17 + kStandardCurve) v = nincoCurves;
            bytes += std::to_string(v) + "\r\n";
        }
        WriteAll(Path(name), bytes);
        return Path(name);
    }

    TempDir dir_;
};

// The oval every test starts from (Chain(Oval())): from (1000, 1000) heading
// 0, a NINCO standard straight, four standard curves turning right, a
// straight, four more curves; two lanes, 180 mm wide. The curves turn about
// centres 241.5 + 180 = 421.5 mm below and above the straights' left edges,
// so the left (outer) edge spans x 1000 - 421.5 .. 1400 + 421.5 and
// y 1000 .. 1000 + 2 x 421.5 = 1843.
constexpr double kLane1 = 2 * 400 + 8 * (241.5 + 45) * kPiValue / 4;   // 800 + 573 pi = 2600.13
constexpr double kLane2 = 2 * 400 + 8 * (241.5 + 135) * kPiValue / 4;  // 800 + 753 pi = 3165.62

// ---------------------------------------------------------------------------
// report

TEST_F(CliTest, ReportOfTheOvalHasItsGeometryLanesMaterialsAndDimensions) {
    const std::string path = SaveOval();
    const CliRun run = RunCli({"report", path});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonObject r = ParseJson(run.out);

    EXPECT_EQ(String(r[QLatin1String("title")]), "Oval");
    EXPECT_EQ(r[QLatin1String("lane_pairs")].toInt(), 1);
    EXPECT_EQ(r[QLatin1String("start_brand")].toInt(), 1);
    EXPECT_FALSE(r[QLatin1String("single_racing")].toBool(true));
    EXPECT_TRUE(r[QLatin1String("closed")].toBool(false));
    EXPECT_EQ(Doubles(r[QLatin1String("start")]), (std::vector<double>{1000, 1000}));

    // Box: top and bottom are whole millimetres; left and right lie on a half
    // millimetre (578.5 and 1821.5), so either rounding may come out.
    const std::vector<int> box = Ints(r[QLatin1String("bounding_box")]);
    ASSERT_EQ(box.size(), 4u);
    EXPECT_LE(std::fabs(box[0] - 578.5), 0.5);
    EXPECT_EQ(box[1], 1000);
    EXPECT_LE(std::fabs(box[2] - 1821.5), 0.5);
    EXPECT_EQ(box[3], 1843);

    const QJsonArray tracks = r[QLatin1String("tracks")].toArray();
    ASSERT_EQ(tracks.size(), 10);
    const std::vector<int> types{0, 3, 3, 3, 3, 0, 3, 3, 3, 3};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(At(tracks[i], "type").toInt(), types[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(At(tracks[i], "orientation").toInt(), 0) << i;
        EXPECT_EQ(At(tracks[i], "width").toDouble(), 180.0) << i;
        EXPECT_EQ(Ints(At(tracks[i], "borders")), std::vector<int>(6, 0)) << i;
        EXPECT_EQ(At(tracks[i], "surface").toInt(), 0) << i;
        EXPECT_EQ(At(tracks[i], "outline").toArray().size(), 18) << i;
    }

    // Piece 1: the straight from (1000, 1000); left edge points k = 1..9 at
    // x = 1000 + 50 (k - 1), the right edge 180 below, back from the exit.
    const QJsonValue s = tracks[0];
    EXPECT_EQ(At(s, "x").toDouble(), 1000.0);
    EXPECT_EQ(At(s, "y").toDouble(), 1000.0);
    EXPECT_EQ(At(s, "angle").toDouble(), 0.0);
    EXPECT_EQ(At(s, "length_or_arc").toDouble(), 400.0);
    EXPECT_EQ(At(s, "inner_radius").toDouble(), 0.0);
    EXPECT_EQ(Doubles(At(s, "exit_point")), (std::vector<double>{1400, 1000}));
    EXPECT_EQ(At(s, "exit_heading").toDouble(), 0.0);
    for (int k = 1; k <= 9; ++k) {
        const double x = 1000 + 50.0 * (k - 1);
        EXPECT_EQ(Doubles(At(At(s, "outline"), k - 1)), (std::vector<double>{x, 1000})) << k;
        EXPECT_EQ(Doubles(At(At(s, "outline"), 18 - k)), (std::vector<double>{x, 1180})) << k;
    }

    // Piece 2: the first curve, 45 degrees about (1400, 1421.5): its left
    // exit corner at 421.5 (sin 45, -cos 45) from the centre, the right one
    // at 241.5 (sin 45, -cos 45).
    const QJsonValue c = tracks[1];
    const double sin45 = std::sqrt(0.5);
    ExpectNear(At(c, "length_or_arc").toDouble(), kPiValue / 4, "arc");
    EXPECT_EQ(At(c, "inner_radius").toDouble(), 241.5);
    const std::vector<double> exit = Doubles(At(c, "exit_point"));
    ExpectNear(exit[0], 1400 + 421.5 * sin45, "exit x");    // 1698.05
    ExpectNear(exit[1], 1421.5 - 421.5 * sin45, "exit y");  // 1123.45
    ExpectNear(At(c, "exit_heading").toDouble(), kPiValue / 4, "exit heading");
    const std::vector<double> p10 = Doubles(At(At(c, "outline"), 9));
    ExpectNear(p10[0], 1400 + 241.5 * sin45, "point 10 x");
    ExpectNear(p10[1], 1421.5 - 241.5 * sin45, "point 10 y");

    const std::vector<double> lanes = Doubles(r[QLatin1String("lane_lengths")]);
    ASSERT_EQ(lanes.size(), 8u);
    ExpectNear(lanes[0], kLane1, "lane 1");
    ExpectNear(lanes[1], kLane2, "lane 2");
    for (std::size_t i = 2; i < 8; ++i) EXPECT_EQ(lanes[i], 0.0);

    // Bill of materials: two straights and eight curves, all NINCO, no borders.
    std::vector<int> ninco(15, 0);
    ninco[0] = 2;
    ninco[3] = 8;
    EXPECT_EQ(Ints(At(r[QLatin1String("pieces")], "NINCO")), ninco);
    EXPECT_EQ(Ints(At(r[QLatin1String("pieces")], "SCX")), std::vector<int>(15, 0));
    EXPECT_EQ(Ints(At(r[QLatin1String("borders")], "NINCO")), std::vector<int>(12, 0));
    EXPECT_EQ(Ints(At(r[QLatin1String("borders")], "SCX")), std::vector<int>(12, 0));
    // Name padded to 42 characters, then required, stock ("-" for none) and
    // missing, each right-aligned in 3 and four blanks apart.
    EXPECT_EQ(Strings(r[QLatin1String("track_list")]),
              (std::vector<std::string>{
                  "NINCO Standard Straight                     2      -      2",
                  "NINCO Standard Curve                        8      -      8",
              }));

    const QJsonValue d = r[QLatin1String("dimensions")];
    EXPECT_EQ(At(d, "length_cm").toInt(), 124);                        // 1243 mm (1242..1244 with the box's rounding)
    EXPECT_EQ(At(d, "width_cm").toInt(), 84);                          // 843 mm
    EXPECT_EQ(Ints(At(d, "lanes_cm")), (std::vector<int>{260, 317}));  // 2600.13, 3165.62 mm
    // Mean: round((lane 1 + lane 2) / 2) = round(800 + 663 pi) = round(2882.88).
    EXPECT_EQ(At(d, "mean_lane_mm").toDouble(), 2883.0);
    // Closed: the last exit corner is the first entry corner, a full turn.
    EXPECT_EQ(At(d, "distance_mm").toInt(-1), 0);
    EXPECT_EQ(At(d, "angle_deg").toInt(-1), 0);
    // Compactness: 2883 x 180 x 100 / (length x width) of the box reported.
    const double expected = 2883.0 * 180 * 100 / ((box[2] - box[0]) * (box[3] - box[1]));
    EXPECT_EQ(At(d, "compactness_percent").toInt(), std::lround(expected));  // 49.5 with 1243 x 843
}

TEST_F(CliTest, ReportNumbersReadBackAsTheCoresOwnDoubles) {
    // Only the oval's straight has round numbers; the curves' outlines are
    // sums of sines, so this shows that every digit a double needs is there.
    const std::string path = SaveOval();
    const QJsonObject r = ParseJson(RunCli({"report", path}).out);
    TCircuit c;
    ASSERT_TRUE(LoadCircuit(path, c));
    const QJsonArray tracks = r[QLatin1String("tracks")].toArray();
    ASSERT_EQ(tracks.size(), c.Count());
    for (int i = 1; i <= c.Count(); ++i) {
        const TTrack& t = c.Track(i);
        const QJsonValue j = tracks[i - 1];
        EXPECT_EQ(At(j, "angle").toDouble(), t.angle) << i;
        EXPECT_EQ(At(j, "length_or_arc").toDouble(), t.lengthOrArc) << i;
        EXPECT_EQ(At(j, "exit_heading").toDouble(), t.ExitHeading()) << i;
        for (int k = 1; k <= 18; ++k) {
            const std::vector<double> p = Doubles(At(At(j, "outline"), k - 1));
            EXPECT_EQ(p[0], t.P(k).x) << i << " " << k;
            EXPECT_EQ(p[1], t.P(k).y) << i << " " << k;
        }
    }
    const auto lanes = c.LaneLengths();
    EXPECT_EQ(Doubles(r[QLatin1String("lane_lengths")]), std::vector<double>(lanes.begin(), lanes.end()));
}

// The text with every blank and line break taken out, so that numbers can be
// found as they are written whatever the layout.
std::string WithoutBlanks(std::string text) {
    std::erase_if(text, [](char ch) { return ch == ' ' || ch == '\n'; });
    return text;
}

TEST_F(CliTest, ReportNumbersAreInTheirShortestFormAndWholeNumbersStayWhole) {
    // Start points of empty circuits are written to the file with 15 digits,
    // enough for these four; the report then gives each with the fewest
    // digits that read back as the same double.
    struct Case {
        double x, y;
        std::string start;
    };
    const std::vector<Case> cases{
        {0.1, 2600.13, R"("start":[0.1,2600.13])"},
        {1e-7, 123456789.123, R"("start":[1e-07,123456789.123])"},
        {1000, -2.5, R"("start":[1000,-2.5])"},
    };
    for (const Case& k : cases) {
        TCircuit c(0, 0);
        c.startX = k.x;
        c.startY = k.y;
        const CliRun run = RunCli({"report", Save(c, "Start.QLC")});
        ASSERT_EQ(run.status, 0) << run.err;
        const std::string flat = WithoutBlanks(run.out);
        EXPECT_NE(flat.find(k.start), std::string::npos) << run.out;
        const QJsonObject r = ParseJson(run.out);
        EXPECT_EQ(Doubles(r[QLatin1String("start")]), (std::vector<double>{k.x, k.y}));
        // Counts, flags and zero lengths: no point, no exponent.
        EXPECT_NE(flat.find(R"("lane_pairs":1,)"), std::string::npos);
        EXPECT_NE(flat.find(R"("lane_lengths":[0,0,0,0,0,0,0,0])"), std::string::npos);
        EXPECT_NE(flat.find(R"("mean_lane_mm":0,)"), std::string::npos);
        EXPECT_NE(flat.find(R"("single_racing":false,)"), std::string::npos);
    }
}

TEST_F(CliTest, ReportListsAgainstTheStockInTheChosenLanguage) {
    const std::string path = SaveOval();
    // The stock file's language line says Spanish; --lang decides.
    const std::string stock = SaveStock(3, 5);
    CliRun run = RunCli({"report", path, "--stock", stock});
    ASSERT_EQ(run.status, 0) << run.err;
    // Straights: 2 required, 3 in stock, none missing; curves: 8, 5, 3.
    EXPECT_EQ(Strings(ParseJson(run.out)[QLatin1String("track_list")]),
              (std::vector<std::string>{
                  "NINCO Standard Straight                     2      3      -",
                  "NINCO Standard Curve                        8      5      3",
              }));

    run = RunCli({"report", path, "--lang", "es", "--stock=" + stock});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Strings(ParseJson(run.out)[QLatin1String("track_list")]),
              (std::vector<std::string>{
                  "NINCO Recta Standard                        2      3      -",
                  "NINCO Curva Standard                        8      5      3",
              }));
}

TEST_F(CliTest, ReportOfAnEmptyAndOfAFourLaneCircuit) {
    TCircuit empty(1000, 1000);
    const QJsonObject e = ParseJson(RunCli({"report", Save(empty, "Empty.QLC")}).out);
    EXPECT_EQ(e[QLatin1String("tracks")].toArray().size(), 0);
    EXPECT_EQ(Doubles(e[QLatin1String("lane_lengths")]), std::vector<double>(8, 0.0));
    EXPECT_EQ(Strings(e[QLatin1String("track_list")]), std::vector<std::string>{});
    const QJsonValue d = e[QLatin1String("dimensions")];
    EXPECT_EQ(At(d, "length_cm").toInt(-1), 0);
    EXPECT_EQ(Ints(At(d, "lanes_cm")), (std::vector<int>{0, 0}));
    EXPECT_TRUE(At(d, "distance_mm").isNull());
    EXPECT_TRUE(At(d, "angle_deg").isNull());
    EXPECT_EQ(At(d, "compactness_percent").toInt(-1), 0);

    // One 4-lane standard curve is a standard curve and two outer curves
    // (the outer strip, radii 421.5..601.5, is two 22.5-degree outer curves).
    const QJsonObject w = ParseJson(RunCli({"report", Save(Chain({{kStandardCurve, 0, 1}}, 2), "Wide.QLC")}).out);
    EXPECT_EQ(w[QLatin1String("lane_pairs")].toInt(), 2);
    EXPECT_EQ(Ints(At(w[QLatin1String("pieces")], "NINCO")),
              (std::vector<int>{0, 0, 0, 1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    // Four lanes at 45, 135, 225 and 315 mm from the inner edge (R 241.5).
    const std::vector<double> lanes = Doubles(w[QLatin1String("lane_lengths")]);
    for (int j = 0; j < 4; ++j) {
        ExpectNear(lanes[static_cast<std::size_t>(j)], (241.5 + 45 + 90 * j) * kPiValue / 4, "lane");
    }
    EXPECT_EQ(Ints(At(w[QLatin1String("dimensions")], "lanes_cm")),
              (std::vector<int>{23, 30, 37, 44}));  // 225.02, 295.70, 366.39, 437.07 mm
}

TEST_F(CliTest, ReportStringsAreEscapedJson) {
    // A title with a quote, a backslash, a tab, a control character and
    // Windows-1252 letters (D1 is N with tilde, 80 the euro sign).
    const std::string path = Damage(SaveOval(), 1, "A \"q\" \\\t\x01 \xD1 \x80", "Odd.QLC");
    const CliRun run = RunCli({"report", path});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find(R"("title": "A \"q\" \\\t\u0001 Ñ €")"), std::string::npos) << run.out;
    EXPECT_EQ(String(ParseJson(run.out)[QLatin1String("title")]), "A \"q\" \\\t\x01 Ñ €");
}

// ---------------------------------------------------------------------------
// Damaged files and bad command lines

TEST_F(CliTest, DamagedFilesNameTheFileAndTheLine) {
    const std::string good = SaveOval();
    struct Case {
        int line;
        std::string text;
        std::string english;
        std::string spanish;
    };
    const std::vector<Case> cases{
        {8, "two", "line 8: expected a whole number", "línea 8: se esperaba un número entero"},
        {2, "9", "line 2: unsupported file version 9", "línea 2: versión de archivo no admitida: 9"},
        // Lines 1-186 are the header (25 lines, 40 icon slots of 4 lines,
        // the rulers flag); 187 is the first piece's type code.
        {187, "15", "line 187: unknown piece type", "línea 187: tipo de tramo desconocido"},
    };
    for (const Case& c : cases) {
        const std::string bad = Damage(good, c.line, c.text, "Bad.QLC");
        CliRun run = RunCli({"report", bad});
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "cannot read " + bad + ": " + c.english + "\n");
        run = RunCli({"report", bad, "--lang", "es"});
        EXPECT_EQ(run.err, "no se puede leer " + bad + ": " + c.spanish + "\n");
    }

    // Cut short after line 50.
    const std::string bytes = ReadAll(good);
    WriteAll(Path("Short.QLC"), bytes.substr(0, LineStart(bytes, 51)));
    CliRun run = RunCli({"laptimes", Path("Short.QLC")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "cannot read " + Path("Short.QLC") + ": the file ends before line 51\n");

    run = RunCli({"report", Path("Missing.QLC")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("cannot open file " + Path("Missing.QLC") + ": ", 0), 0u) << run.err;

    // A damaged stock file: its line 30 (NINCO piece 13) is not a count.
    std::string stock = ReadAll(SaveStock(0, 0));
    stock[3 * 29] = 'x';  // every line is three bytes, a digit and CR LF
    WriteAll(Path("bad.QLs"), stock);
    run = RunCli({"report", good, "--stock", Path("bad.QLs")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "cannot read " + Path("bad.QLs") + ": stock file damaged at line 30: not a whole number\n");
}

TEST_F(CliTest, NothingIsWrittenWhenACommandFails) {
    const std::string bad = Damage(SaveOval(), 8, "two", "Bad.QLC");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"close", bad, Path("out.QLC")},
             {"equilibrate", bad, Path("out.QLC")},
             {"convert", bad, Path("out.QLC"), "add-outer"},
             {"render", bad, Path("out.png")},
         }) {
        EXPECT_EQ(RunCli(args).status, 2) << args[0];
    }
    EXPECT_FALSE(fs::exists(Path("out.QLC")));
    EXPECT_FALSE(fs::exists(Path("out.png")));

    // An output folder that does not exist: the file is named.
    const CliRun run = RunCli({"equilibrate", SaveOval(), Path("nowhere/out.QLC")});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err.rfind("cannot write file " + Path("nowhere/out.QLC"), 0), 0u) << run.err;
}

TEST_F(CliTest, BadCommandLinesAreUsageErrors) {
    const std::string oval = SaveOval();
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases{
        {{}, "no command given; quillet-cli --help lists them\n"},
        {{"draw", oval}, "draw: unknown command; quillet-cli --help lists them\n"},
        {{"report"}, "report takes FILE.QLC; see quillet-cli report --help\n"},
        {{"close", oval}, "close takes IN.QLC OUT.QLC; see quillet-cli close --help\n"},
        {{"report", oval, "--fast"}, "--fast: unknown option for report\n"},
        {{"report", oval, "--print"}, "--print: unknown option for report\n"},
        {{"laptimes", oval, "--power"}, "--power: the value is missing\n"},
        {{"laptimes", oval, "--power", "5"}, "--power: \"5\" is not allowed; expected 0-4\n"},
        {{"laptimes", oval, "--stability=-1"}, "--stability: \"-1\" is not allowed; expected 0-4\n"},
        {{"close", oval, Path("o.QLC"), "--tolerance", "6"}, "--tolerance: \"6\" is not allowed; expected 0-5\n"},
        {{"close", oval, Path("o.QLC"), "--exclude", "half,bends"},
         "--exclude: \"bends\" is not allowed; expected standard, half, quarter, inner-curve, standard-curve, "
         "outer-curve, super-outer-curve\n"},
        {{"close", oval, Path("o.QLC"), "--use-stock", "--random"}, "--use-stock and --random exclude each other\n"},
        {{"convert", oval, Path("o.QLC"), "widen"},
         "convert: \"widen\" is not allowed; expected add-outer, add-inner, delete-outer, delete-inner\n"},
        {{"render", oval, Path("o.bmp")}, Path("o.bmp") + ": the picture must end in .png, .svg or .pdf\n"},
        {{"render", oval, Path("o.png"), "--scale", "0"}, "--scale: \"0\" is not allowed; expected 0.1-1000\n"},
        {{"render", oval, Path("o.png"), "--scale", "5", "--print"},
         "--scale cannot be used with --print: the page decides the scale\n"},
        {{"render", oval, Path("o.png"), "--detail", "6"}, "--detail: \"6\" is not allowed; expected 1-5\n"},
        {{"report", oval, "--lang", "fr"}, "--lang: \"fr\" is not allowed; expected es, en\n"},
        {{"report", "--lang", "es"}, "report necesita FILE.QLC; véase quillet-cli report --help\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 2) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(Path("o.QLC")));
    EXPECT_FALSE(fs::exists(Path("o.png")));
    EXPECT_FALSE(fs::exists(Path("o.bmp")));
}

TEST_F(CliTest, OptionsKeepTheirPlacesAndDashedWordsStayFiles) {
    const std::string oval = SaveOval();
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases{
        // Before the command only --lang, --stock, --help and --version.
        {{"--first-lap", "laptimes", oval}, "--first-lap: unknown option for quillet-cli\n"},
        // A flag takes no value, --help neither.
        {{"laptimes", oval, "--first-lap=yes"}, "--first-lap=yes: unknown option for laptimes\n"},
        {{"report", oval, "--help=x"}, "--help=x: unknown option for report\n"},
        // The first complaint in the line is the one told, in the language
        // asked for wherever --lang stands; the last --lang decides.
        {{"--lang", "es", "laptimes", oval, "--bogus", "--power"}, "--bogus: opción desconocida para laptimes\n"},
        {{"report", "--lang", "es", "--lang", "en"}, "report takes FILE.QLC; see quillet-cli report --help\n"},
        // A value is the next word, whatever it looks like.
        {{"laptimes", oval, "--stability", "-1"}, "--stability: \"-1\" is not allowed; expected 0-4\n"},
        {{"laptimes", oval, "--power", "--first-lap"}, "--power: \"--first-lap\" is not allowed; expected 0-4\n"},
        // One dash makes no option: "-x" is a second file.
        {{"laptimes", oval, "-x"}, "laptimes takes FILE.QLC; see quillet-cli laptimes --help\n"},
        // After "--", before or after the command, only files.
        {{"laptimes", "--", oval, "--lang", "es"}, "laptimes takes FILE.QLC; see quillet-cli laptimes --help\n"},
        {{"--", "laptimes", oval, "--lang", "es"}, "laptimes takes FILE.QLC; see quillet-cli laptimes --help\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli(c.args);
        EXPECT_EQ(run.status, 2) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    // A bare --help beside one with a value still helps.
    const CliRun help = RunCli({"report", oval, "--help=x", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: quillet-cli report", 0), 0u) << help.out;
    // Options given twice keep the last value: power 4 over 0, as power 4 alone.
    const CliRun twice = RunCli({"laptimes", oval, "--power", "0", "--first-lap", "--power", "4"});
    ASSERT_EQ(twice.status, 0) << twice.err;
    EXPECT_EQ(twice.out, RunCli({"laptimes", oval, "--first-lap", "--power", "4"}).out);
    EXPECT_NE(twice.out, RunCli({"laptimes", oval, "--first-lap", "--power", "0"}).out);
}

TEST_F(CliTest, HelpForTheToolAndEachCommandInBothLanguages) {
    CliRun run = RunCli({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Usage: quillet-cli COMMAND", 0), 0u) << run.out;
    for (const char* command : {"report", "laptimes", "render", "close", "equilibrate", "convert"}) {
        EXPECT_NE(run.out.find(std::string("  ") + command + " "), std::string::npos) << command;
        const CliRun one = RunCli({command, "--help"});
        EXPECT_EQ(one.status, 0);
        EXPECT_EQ(one.out.rfind(std::string("Usage: quillet-cli ") + command, 0), 0u) << one.out;
        const CliRun es = RunCli({"--lang", "es", command, "--help"});
        EXPECT_EQ(es.out.rfind(std::string("Uso: quillet-cli ") + command, 0), 0u) << es.out;
    }
    run = RunCli({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("quillet-cli ", 0), 0u) << run.out;
    EXPECT_EQ(run.out.find_first_not_of("0123456789.", 12), run.out.size() - 1) << run.out;  // a version, a line
    // Help wins over a command line that would not run.
    run = RunCli({"close", "--help", "--tolerance", "9"});
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("--tolerance N"), std::string::npos);
}

// ---------------------------------------------------------------------------
// laptimes

// The model at the default positions: curve stability s = 12000 mm/s^2, top
// speed 4000 mm/s, acceleration a = 4000 / 1.5. Straights take the lanes one
// after the other through one speed C: from C, a straight of length L takes
// (sqrt(C^2 + 2aL) - C) / a. From rest, lane 1 ends at sqrt(2aL) and lane 2
// at sqrt(4aL), so their times are sqrt(2L/a) and (2 - sqrt 2) sqrt(L/a).
constexpr double kA = 4000.0 / 1.5;
constexpr double kStability = 12000.0;
const double kRootLa = std::sqrt(400.0 / kA);  // sqrt(L / a) for a standard straight

TEST_F(CliTest, LapTimesOfAStraightFromRestAndAtSpeed) {
    const std::string path = Save(Chain({{kStandardStraight, 0, 1}}), "Straight.QLC");
    CliRun run = RunCli({"laptimes", path, "--first-lap"});
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonObject r = ParseJson(run.out);
    std::vector<double> t = Doubles(r[QLatin1String("lap_times_s")]);
    ASSERT_EQ(t.size(), 2u);
    ExpectNear(t[0], std::sqrt(2.0) * kRootLa, "lane 1");        // 0.5477
    ExpectNear(t[1], (2 - std::sqrt(2.0)) * kRootLa, "lane 2");  // 0.2269
    EXPECT_EQ(Strings(r[QLatin1String("labels")]),
              (std::vector<std::string>{"Lane 1: 0.55 s", "Lane 2: 0.23 s",
                                        "Lane 3: ", "Lane 4: ", "Lane 5: ", "Lane 6: ", "Lane 7: ", "Lane 8: "}));

    // Without "First Lap" a first pass leaves the car at sqrt(4aL); the lap
    // shown is the second: sqrt(6aL) after lane 1, sqrt(8aL) after lane 2.
    run = RunCli({"laptimes", path, "--lang", "es"});
    r = ParseJson(run.out);
    t = Doubles(r[QLatin1String("lap_times_s")]);
    ExpectNear(t[0], (std::sqrt(6.0) - 2) * kRootLa, "lane 1");               // 0.1741
    ExpectNear(t[1], (std::sqrt(8.0) - std::sqrt(6.0)) * kRootLa, "lane 2");  // 0.1468
    EXPECT_EQ(Strings(r[QLatin1String("labels")])[0], "Pista 1: 0.17 s");
    EXPECT_EQ(Strings(r[QLatin1String("labels")])[1], "Pista 2: 0.15 s");

    // Four lanes in turn from rest: lane j runs from sqrt(2(j-1)aL) to
    // sqrt(2jaL).
    run = RunCli({"laptimes", Save(Chain({{kStandardStraight, 0, 1}}, 2), "Wide.QLC"), "--first-lap"});
    t = Doubles(ParseJson(run.out)[QLatin1String("lap_times_s")]);
    ASSERT_EQ(t.size(), 4u);
    for (int j = 1; j <= 4; ++j) {
        ExpectNear(t[static_cast<std::size_t>(j - 1)], (std::sqrt(2.0 * j) - std::sqrt(2.0 * j - 2)) * kRootLa,
                   "lane " + std::to_string(j));
    }
}

TEST_F(CliTest, LapTimesThroughAChangeoverAndACurve) {
    // Straight, changeover track, standard curve turning right, first lap.
    const std::string path =
        Save(Chain({{kStandardStraight, 0, 1}, {kChangeoverTrack, 0, 1}, {kStandardCurve, 0, 1}}), "Mixed.QLC");
    const CliRun run = RunCli({"laptimes", path, "--first-lap"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<double> t = Doubles(ParseJson(run.out)[QLatin1String("lap_times_s")]);
    ASSERT_EQ(t.size(), 2u);

    // After the straight the car runs at C = sqrt(4aL) = 2065.6 mm/s.
    const double c = std::sqrt(4 * kA * 400);
    // The changeover: its diagonal over one lane spacing, sqrt(400^2 + 90^2)
    // = 410 mm, at C for each lane; the lanes now run crossed.
    const double changeover = 410.0 / c;
    // The curve, lane 1 at radius 241.5 + 45 = 286.5 (corner speed
    // sqrt(286.5 s) = 1854.2 < C: it brakes, 0.045 (C - v) / 4000), lane 2 at
    // 376.5 (2125.6, faster than the 1854.2 lane 1 left: no braking). Each
    // takes sqrt(r) (pi/4) / sqrt(s); crossed, each lane gets the other's.
    const double v1 = std::sqrt(286.5 * kStability);
    const double t1 = std::sqrt(286.5) * kPiValue / 4 / std::sqrt(kStability) + (c - v1) * 0.045 / 4000;
    const double t2 = std::sqrt(376.5) * kPiValue / 4 / std::sqrt(kStability);
    ExpectNear(t[0], std::sqrt(2.0) * kRootLa + changeover + t2, "lane 1");
    ExpectNear(t[1], (2 - std::sqrt(2.0)) * kRootLa + changeover + t1, "lane 2");

    // The lowest curve stability (8000) on a lone curve from rest: no braking.
    const std::string curve = Save(Chain({{kStandardCurve, 0, 1}}), "Curve.QLC");
    const std::vector<double> slow =
        Doubles(ParseJson(RunCli({"laptimes", curve, "--first-lap", "--stability", "0", "--power", "4"})
                              .out)[QLatin1String("lap_times_s")]);
    ASSERT_EQ(slow.size(), 2u);
    ExpectNear(slow[0], std::sqrt(286.5 / 8000) * kPiValue / 4, "lane 1");  // 0.1486
    ExpectNear(slow[1], std::sqrt(376.5 / 8000) * kPiValue / 4, "lane 2");  // 0.1704
}

// ---------------------------------------------------------------------------
// close

TEST_F(CliTest, CloseAppendsTheMissingCurves) {
    // The oval without its last two curves ends heading up, one 90-degree
    // right turn short of its start: two right-hand standard curves close it
    // exactly, and the exhaustive search meets them first among the pairs
    // (the first slot changes fastest; no single piece makes the turn).
    const std::string in = Save(Chain(Oval(2)), "Open.QLC");
    const std::string out = Path("Closed.QLC");
    const CliRun run = RunCli({"close", in, out});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject r = ParseJson(run.out);
    EXPECT_EQ(Ints(r[QLatin1String("appended")]), (std::vector<int>{3, 3}));
    EXPECT_TRUE(r[QLatin1String("closed")].toBool(false));
    EXPECT_TRUE(r[QLatin1String("message")].isNull());

    const QJsonObject closed = ParseJson(RunCli({"report", out}).out);
    EXPECT_EQ(String(closed[QLatin1String("title")]), "Closed");
    EXPECT_TRUE(closed[QLatin1String("closed")].toBool(false));
    ExpectNear(Doubles(closed[QLatin1String("lane_lengths")])[0], kLane1, "lane 1");  // the whole oval again
    EXPECT_EQ(Ints(At(closed[QLatin1String("pieces")], "NINCO"))[3], 8);
}

TEST_F(CliTest, CloseWithTheStockUsesOnlyWhatIsLeft) {
    // The open oval already takes 6 standard curves and 2 straights: with 7
    // curves and no straights in stock only one curve is left, which cannot
    // make the 90-degree turn; with 8, two are left and close it.
    const std::string in = Save(Chain(Oval(2)), "Open.QLC");
    CliRun run = RunCli({"close", in, Path("a.QLC"), "--use-stock", "--stock", SaveStock(0, 7)});
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonObject r = ParseJson(run.out);
    EXPECT_EQ(Ints(r[QLatin1String("appended")]), std::vector<int>{});
    EXPECT_FALSE(r[QLatin1String("closed")].toBool(true));
    EXPECT_TRUE(r[QLatin1String("message")].isNull());
    EXPECT_TRUE(fs::exists(Path("a.QLC")));

    run = RunCli({"close", in, Path("b.QLC"), "--use-stock", "--stock", SaveStock(0, 8, "more.QLs")});
    ASSERT_EQ(run.status, 0) << run.err;
    r = ParseJson(run.out);
    EXPECT_EQ(Ints(r[QLatin1String("appended")]), (std::vector<int>{3, 3}));
    EXPECT_TRUE(r[QLatin1String("closed")].toBool(false));
}

TEST_F(CliTest, CloseRefusesWhenOuterCurvesAreNeeded) {
    // A straight and an outer curve end 22.5 degrees off: m = (pi/8)/(pi/4)
    // = 0.5, round(0.5) = 0 differs from round(5)/10 = 0.5, and outer and
    // super outer curves are excluded.
    const std::string in = Save(Chain({{kStandardStraight, 0, 1}, {kOuterCurve, 0, 1}}), "Bend.QLC");
    const std::string out = Path("out.QLC");
    WriteAll(out, "keep");
    CliRun run = RunCli({"close", in, out, "--exclude", "outer-curve,super-outer-curve"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Outer or super outer curves are required.\n");
    QJsonObject r = ParseJson(run.out);
    EXPECT_EQ(Ints(r[QLatin1String("appended")]), std::vector<int>{});
    EXPECT_EQ(String(r[QLatin1String("message")]), "Outer or super outer curves are required.");
    EXPECT_EQ(ReadAll(out), "keep");

    run = RunCli({"close", in, out, "--exclude=super-outer-curve,outer-curve", "--lang", "es"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "Se necesitan curvas exteriores o superexteriores.\n");
    EXPECT_EQ(ReadAll(out), "keep");

    // Excluding every kind leaves nothing to close with: the dialog's OK is off.
    run = RunCli({"close", in, out, "--exclude",
                  "standard,half,quarter,inner-curve,standard-curve,outer-curve,super-outer-curve"});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(ReadAll(out), "keep");
}

TEST_F(CliTest, RandomClosingIsTheSameOnEveryRun) {
    // The random search starts from the program's fixed seed, never the
    // clock, so the first solution is the same each time.
    const std::string in = Save(Chain(Oval(2)), "Open.QLC");
    const CliRun first = RunCli({"close", in, Path("r1.QLC"), "--random"});
    const CliRun second = RunCli({"close", in, Path("r2.QLC"), "--random"});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, second.out);
    EXPECT_EQ(ReadAll(Path("r1.QLC")).substr(2), ReadAll(Path("r2.QLC")).substr(2));  // past the titles "r1", "r2"
    const std::vector<int> appended = Ints(ParseJson(first.out)[QLatin1String("appended")]);
    EXPECT_FALSE(appended.empty());
    for (int type : appended) EXPECT_TRUE(type >= 0 && type <= 6) << type;  // closing pieces only
    EXPECT_EQ(ParseJson(RunCli({"report", Path("r1.QLC")}).out)[QLatin1String("tracks")].toArray().size(),
              8 + static_cast<int>(appended.size()));
}

// ---------------------------------------------------------------------------
// equilibrate

TEST_F(CliTest, EquilibrateBalancesTheOval) {
    // Only pieces 1 and 6 are standard straights. Made changeovers, lanes
    // run crossed through curves 2-5: each lane takes four inner and four
    // outer eighths of a turn, 2 x 410 (the changeovers' diagonal) + (286.5
    // + 376.5) pi = 820 + 663 pi on both lanes, against 180 pi apart before.
    const std::string out = Path("Balanced.QLC");
    const CliRun run = RunCli({"equilibrate", SaveOval(), out});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Ints(ParseJson(run.out)[QLatin1String("changeovers")]), (std::vector<int>{1, 6}));
    const std::vector<double> lanes = Doubles(ParseJson(RunCli({"report", out}).out)[QLatin1String("lane_lengths")]);
    ExpectNear(lanes[0], 820 + 663 * kPiValue, "lane 1");
    ExpectNear(lanes[1], 820 + 663 * kPiValue, "lane 2");

    // Straight lanes are equal already: the changeover goes.
    const std::string straight = Save(Chain({{kStandardStraight, 0, 1}, {kChangeoverTrack, 0, 1}}), "Straight.QLC");
    const CliRun plain = RunCli({"equilibrate", straight, Path("Plain.QLC")});
    ASSERT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(Ints(ParseJson(plain.out)[QLatin1String("changeovers")]), std::vector<int>{});
    const QJsonArray tracks = ParseJson(RunCli({"report", Path("Plain.QLC")}).out)[QLatin1String("tracks")].toArray();
    EXPECT_EQ(At(tracks[1], "type").toInt(), 0);
}

// ---------------------------------------------------------------------------
// convert

TEST_F(CliTest, ConvertAddsOuterLanes) {
    const std::string out = Path("Wide.QLC");
    const CliRun run = RunCli({"convert", SaveOval(), out, "add-outer"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ParseJson(run.out)[QLatin1String("lane_pairs")].toInt(), 2);

    const QJsonObject r = ParseJson(RunCli({"report", out}).out);
    EXPECT_EQ(r[QLatin1String("lane_pairs")].toInt(), 2);
    EXPECT_EQ(At(r[QLatin1String("tracks")].toArray()[1], "width").toDouble(), 360.0);
    // The old lanes stay where they were; lanes 3 and 4 run 90 and 180 mm
    // further out: 800 + 2 pi r with r = 286.5, 376.5, 466.5, 556.5.
    const std::vector<double> lanes = Doubles(r[QLatin1String("lane_lengths")]);
    for (int j = 0; j < 4; ++j) {
        ExpectNear(lanes[static_cast<std::size_t>(j)], 800 + 2 * kPiValue * (286.5 + 90 * j), "lane");
    }
    // Each 4-lane straight is 2 straights; each curve a standard curve and
    // two outer curves.
    EXPECT_EQ(Ints(At(r[QLatin1String("pieces")], "NINCO")),
              (std::vector<int>{4, 0, 0, 8, 0, 16, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(CliTest, ConvertRefusalsLeaveTheOutputAlone) {
    const std::string out = Path("out.QLC");
    WriteAll(out, "keep");
    struct Case {
        std::vector<Piece> pieces;
        std::string kind;
        std::string lang;
        std::string err;
    };
    const std::vector<Case> cases{
        {{{kStandardStraight, 0, 1}, {kInnerCurve, 0, 1}},
         "add-inner",
         "en",
         "Can`t convert: the circuit has inner curves.\n"},
        {{{kStandardStraight, 0, 1}, {kSuperOuterCurve, 0, 1}},
         "add-outer",
         "en",
         "Can`t convert: the circuit has super outer curves.\n"},
        {{{kStandardStraight, 0, 1}, {kSuperOuterCurve, 0, 1}},
         "add-outer",
         "es",
         "Conversión imposible: existen curvas superexteriores.\n"},
        // Three outer curves in a row: the third has no partner.
        {{{kOuterCurve, 0, 1}, {kOuterCurve, 0, 1}, {kOuterCurve, 0, 1}},
         "add-inner",
         "en",
         "Can`t convert: the circuit has outer curves.\n"},
        // Two lanes offer only the two "Add" choices.
        {{{kStandardStraight, 0, 1}},
         "delete-outer",
         "en",
         "Delete 2 Outer Lanes: not offered for a circuit of 2 lanes\n"},
    };
    for (const Case& c : cases) {
        const CliRun run = RunCli({"convert", Save(Chain(c.pieces), "In.QLC"), out, c.kind, "--lang", c.lang});
        EXPECT_EQ(run.status, 1) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(ReadAll(out), "keep");
    }
}

// ---------------------------------------------------------------------------
// render

// Pixels are 0xAARRGGBB here (Qt's order).
constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kBlackPixel = 0xFF000000;
constexpr QRgb kGridPixel = 0xFF8F8F8F;

QImage ReadPng(const std::string& path) {
    QImage image;
    EXPECT_TRUE(image.load(QString::fromStdString(path), "PNG")) << path;
    return image;
}

TEST_F(CliTest, RenderDrawsTheWorkAreaAsTheEditorShowsIt) {
    const std::string oval = SaveOval();
    const std::string png = Path("oval.png");
    const CliRun run = RunCli({"render", oval, png});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    const QImage image = ReadPng(png);
    // The 3000 x 2000 mm work area at the file's 5 mm per pixel.
    EXPECT_EQ(image.size(), QSize(600, 400));
    // Background away from the circuit and the grid (lines every 200 / 5 =
    // 40 pixels, in 0x8F8F8F on white).
    EXPECT_EQ(image.pixel(500, 300), kWhitePixel);
    EXPECT_EQ(image.pixel(480, 300), kGridPixel);
    EXPECT_EQ(image.pixel(500, 280), kGridPixel);
    // The body of piece 6, the lower straight from (1400, 1843) back to
    // (1000, 1843), 180 wide upwards: its middle (1200, 1753) mm is pixel
    // (240, 350.6), between the slots at 45 and 135 mm from its edges.
    EXPECT_EQ(image.pixel(240, 351), kBlackPixel);
    // The editor's markers on piece 1, 16 x 16 pictures centred on it: the
    // start flag at the middle of points 2 and 17, (1050, 1090) mm = (210,
    // 218) pixels, its grey pole in columns 2-3; the padlock of the anchored
    // piece at the middle of points 5 and 14, (1200, 1090) mm = (240, 218),
    // its yellow body from row 8 down.
    EXPECT_EQ(image.pixel(210 - 8 + 3, 218 - 8 + 12), 0xFF4A4A4Au);
    EXPECT_EQ(image.pixel(240 - 8 + 4, 218 - 8 + 12), 0xFFF2B600u);

    // A scale of 10 mm per pixel halves the picture; detail 1 draws the
    // pieces' outlines only. (1210, 1753) mm is pixel (121, 175.3), off the
    // grid lines every 20 pixels.
    ASSERT_EQ(RunCli({"render", oval, Path("coarse.png"), "--scale", "10", "--detail", "1"}).status, 0);
    const QImage coarse = ReadPng(Path("coarse.png"));
    EXPECT_EQ(coarse.size(), QSize(300, 200));
    EXPECT_EQ(coarse.pixel(121, 175), kWhitePixel);
    ASSERT_EQ(RunCli({"render", oval, Path("coarse3.png"), "--scale", "10"}).status, 0);
    EXPECT_EQ(ReadPng(Path("coarse3.png")).pixel(121, 175), kBlackPixel);

    // The colour code adds its dots.
    ASSERT_EQ(RunCli({"render", oval, Path("code.png"), "--colour-code"}).status, 0);
    EXPECT_TRUE(ReadPng(Path("code.png")) != image);
}

TEST_F(CliTest, RenderToSvgAndPdf) {
    const std::string oval = SaveOval();
    ASSERT_EQ(RunCli({"render", oval, Path("oval.svg")}).status, 0);
    const std::string svg = ReadAll(Path("oval.svg"));
    EXPECT_NE(svg.find("viewBox=\"0 0 600 400\""), std::string::npos);
    EXPECT_NE(svg.find("<title>Oval</title>"), std::string::npos);
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    ASSERT_TRUE(renderer.isValid());
    QImage image(600, 400, QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    EXPECT_EQ(image.pixel(500, 300), kWhitePixel);
    EXPECT_EQ(image.pixel(240, 351), kBlackPixel);

    // One page, the picture's size in points.
    ASSERT_EQ(RunCli({"render", oval, Path("oval.pdf")}).status, 0);
    const std::string pdf = ReadAll(Path("oval.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF", 0), 0u);
    EXPECT_EQ(Occurrences(pdf, "/Type /Page\n"), 1);
    EXPECT_NE(pdf.find("/MediaBox [0 0 600.000000 400.000000]"), std::string::npos);
}

TEST_F(CliTest, RenderOfATitleWithMarkupIsAnXmlDocument) {
    // The title comes from the file's name.
    const std::string in = Save(Chain(Oval()), "Tom & Jerry.QLC");
    ASSERT_EQ(RunCli({"render", in, Path("tj.svg")}).status, 0);
    QXmlStreamReader xml(QByteArray::fromStdString(ReadAll(Path("tj.svg"))));
    QStringList titles;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("title")) titles << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString() << " at line " << xml.lineNumber();
    EXPECT_EQ(titles, QStringList{QStringLiteral("Tom & Jerry")});
}

TEST_F(CliTest, WriteProtectedOutputsAndInputsThatAreNoFilesAreRefused) {
    const std::string oval = SaveOval();
    // An output the user made read-only stays as it was, bytes and mode.
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"equilibrate", oval, Path("kept.QLC")},
             {"render", oval, Path("kept.png")},
         }) {
        const std::string out = args[2];
        WriteAll(out, "mine");
        ASSERT_EQ(::chmod(out.c_str(), 0444), 0);
        const CliRun run = RunCli(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_EQ(run.err, "cannot write file " + out + ": the file is write-protected\n") << args[0];
        EXPECT_EQ(ReadAll(out), "mine") << args[0];
        EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read)
            << args[0];
    }

    // A named pipe whose writer stays, as the circuit and as the stock, and a
    // folder: refused at once. The writer leaves after 20 s, so a tool that
    // waits for it still ends.
    const std::string fifo = Path("pipe.QLC");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int writer = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(::write(writer, "Oval\r", 5), 5);
    std::promise<void> finished;
    std::thread leave([&writer, done = finished.get_future()] {
        done.wait_for(std::chrono::seconds(20));
        ::close(writer);
    });
    struct Case {
        std::vector<std::string> args;
        std::string named;
    };
    const Case cases[] = {
        {{"report", fifo}, fifo},
        {{"report", oval, "--stock", fifo}, fifo},
        {{"report", Path("")}, Path("")},
    };
    for (const Case& k : cases) {
        const auto start = std::chrono::steady_clock::now();
        const CliRun run = RunCli(k.args);
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5)) << k.args.back();
        EXPECT_EQ(run.status, 2) << k.args.back();
        const std::string why = k.named == fifo ? "not a regular file" : "it is a folder";
        EXPECT_EQ(run.err, "cannot open file " + k.named + ": " + why + "\n") << k.args.back();
    }
    finished.set_value();
    leave.join();
}

TEST_F(CliTest, RenderPrintsOnOneWhitePage) {
    TCircuit c = Chain(Oval());
    c.backgroundColour = 0xA0A0A0;  // grey on the screen, white on paper
    const std::string grey = Save(c, "Grey.QLC");

    ASSERT_EQ(RunCli({"render", grey, Path("screen.png")}).status, 0);
    EXPECT_EQ(ReadPng(Path("screen.png")).pixel(500, 300), 0xFFA0A0A0u);

    const CliRun run = RunCli({"render", grey, Path("page.png"), "--print"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QImage page = ReadPng(Path("page.png"));
    // A4, 595 x 842 points, at 300 dpi: 595 x 300 / 72 = 2479.2 and
    // 842 x 300 / 72 = 3508.3 dots.
    EXPECT_EQ(page.size(), QSize(2479, 3508));
    // The work area fills the page's width: max(3000 / 2479, 2000 / 3508) =
    // 1.2102 mm per dot, so (2500, 1500) mm, between grid lines 165.3 dots
    // apart, is dot (2065.8, 1239.5) and the straight's middle (1200, 1753)
    // is (991.6, 1448.6).
    EXPECT_EQ(page.pixel(2066, 1240), kWhitePixel);
    EXPECT_EQ(page.pixel(992, 1449), kBlackPixel);

    ASSERT_EQ(RunCli({"render", grey, Path("page.pdf"), "--print"}).status, 0);
    const std::string pdf = ReadAll(Path("page.pdf"));
    EXPECT_NE(pdf.find("/MediaBox [0 0 595.000000 842.000000]"), std::string::npos);  // A4 in points
    EXPECT_EQ(Occurrences(pdf, "/Type /Page\n"), 1);
}

TEST_F(CliTest, RenderOfAMissingTemplateWarnsAndDraws) {
    TCircuit c = Chain(Oval());
    c.templatePath = Path("gone.bmp");
    c.templateShown = true;
    const CliRun run = RunCli({"render", Save(c, "Template.QLC"), Path("t.png")});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "Can´t find " + Path("gone.bmp") + "\n");
    EXPECT_EQ(ReadPng(Path("t.png")).pixel(240, 351), kBlackPixel);
}

// ---------------------------------------------------------------------------
// suggest

// A stock file of NINCO pieces by type, English on its language line.
std::string NincoStock(const std::string& path, const std::vector<std::pair<int, int>>& pieces) {
    std::string bytes = "2\r\n";
    for (int line = 2; line <= 55; ++line) {
        int v = 0;
        for (const auto& [type, count] : pieces) {
            if (line == 17 + type) v = count;  // lines 17..31: NINCO pieces 0..14
        }
        bytes += std::to_string(v) + "\r\n";
    }
    WriteAll(path, bytes);
    return path;
}

const std::vector<std::pair<int, int>> kStarter{
    {kStandardStraight, 4}, {kHalfStraight, 2}, {kStartingStraight, 1}, {kStandardCurve, 12}};

TEST_F(CliTest, SuggestWritesTheLongestLayoutsOfTheStock) {
    const std::string stock = NincoStock(Path("starter.QLs"), kStarter);
    const std::string out = Path("ideas");
    const CliRun run = RunCli(
        {"suggest", out, "--stock", stock, "--area", "2400x1200", "--lanes", "2", "--system", "ninco", "--count", "3"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QJsonArray list = ParseJson(run.out)[QLatin1String("suggestions")].toArray();
    ASSERT_EQ(list.size(), 3);
    for (int i = 0; i < 3; ++i) {
        const QJsonValue s = list.at(i);
        const std::string file = out + "/suggestion-0" + std::to_string(i + 1) + ".QLC";
        EXPECT_EQ(String(At(s, "file")), file);
        TCircuit c;
        ASSERT_TRUE(LoadCircuit(file, c)) << file;
        EXPECT_TRUE(c.closed);
        EXPECT_EQ(c.title, "suggestion-0" + std::to_string(i + 1));
        EXPECT_EQ(c.Track(1).type, kStartingStraight);
        EXPECT_EQ(At(s, "pieces").toInt(), c.Count());
        const TBoundingBox box = c.ComputeBoundingBox();
        EXPECT_EQ(Ints(At(s, "size_mm")), (std::vector<int>{box.right - box.left, box.bottom - box.top}));
        EXPECT_LE(box.right - box.left, 2400);
        EXPECT_LE(box.bottom - box.top, 1200);
        EXPECT_EQ(At(s, "mean_lane_mm").toDouble(), ComputeDimensions(c).meanMm);
        EXPECT_TRUE(At(s, "missing").toObject().isEmpty());
        // Twelve standard curves and 2000 of the box's 2400 mm of straights
        // (see the core's tests): 2000 + 12 x 331.5 pi / 4 = 5124.3 mm.
        EXPECT_EQ(At(s, "mean_lane_mm").toDouble(), 5124.0);
    }
    EXPECT_FALSE(fs::exists(out + "/suggestion-04.QLC"));
    // The same stock, the same files.
    const std::string first = ReadAll(out + "/suggestion-01.QLC");
    const std::string again = Path("again");
    ASSERT_EQ(RunCli({"suggest", again, "--stock", stock, "--area", "2400x1200", "--lanes", "2", "--system", "ninco",
                      "--count", "1"})
                  .status,
              0);
    EXPECT_EQ(ReadAll(again + "/suggestion-01.QLC").substr(first.find('\r')), first.substr(first.find('\r')));

    // Any pieces: what the stock lacks is the file's bill of materials less
    // the stock, by type code. With no stock at all, the whole bill.
    const CliRun any = RunCli({"suggest", Path("any"), "--area", "3000x2000", "--lanes", "2", "--system", "scx",
                               "--any-pieces", "20", "--count", "1"});
    ASSERT_EQ(any.status, 0) << any.err;
    const QJsonValue s = ParseJson(any.out)[QLatin1String("suggestions")].toArray().at(0);
    TCircuit c;
    ASSERT_TRUE(LoadCircuit(String(At(s, "file")), c));
    EXPECT_LE(c.Count(), 20);
    TTrackList bill;
    bill.CountTracks(c);
    QJsonObject expected;
    for (int type = 0; type < kTrackTypeCount; ++type) {
        if (bill.Pieces(kScxIndex, type) > 0) expected.insert(QString::number(type), bill.Pieces(kScxIndex, type));
    }
    EXPECT_FALSE(expected.isEmpty());
    EXPECT_EQ(At(s, "missing").toObject(), expected);
}

TEST_F(CliTest, SuggestRefusesAndFailsWithoutTouchingItsFolder) {
    const std::string stock = NincoStock(Path("starter.QLs"), kStarter);
    const std::vector<std::string> common{"--stock", stock, "--lanes", "2", "--system", "ninco"};
    auto args = [&common](std::vector<std::string> a) {
        a.insert(a.end(), common.begin(), common.end());
        return a;
    };
    // Nothing can be made: the circle of eight standard curves is 843 mm
    // across. Said in the language asked for; no folder is made.
    CliRun run = RunCli(args({"suggest", Path("none"), "--area", "2400x800", "--lang", "es"}));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "La mesa es demasiado pequeña para el menor círculo que hacen estas curvas.\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::exists(Path("none")));
    run = RunCli({"suggest", Path("none"), "--area", "2400x1200", "--lanes", "2", "--system", "scx", "--stock", stock});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "The stock has no pieces of this track system.\n");

    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const std::vector<Case> cases{
        {{"suggest", Path("o"), "--area", "2400x1200", "--lanes", "2"},
         "suggest needs --area, --lanes and --system; see quillet-cli suggest --help\n"},
        {args({"suggest", Path("o"), "--area", "2400"}),
         "--area: \"2400\" is not allowed; expected 1-100000x1-100000\n"},
        {args({"suggest", Path("o"), "--area", "0x1200"}),
         "--area: \"0x1200\" is not allowed; expected 1-100000x1-100000\n"},
        {{"suggest", Path("o"), "--area", "2400x1200", "--lanes", "3", "--system", "ninco"},
         "--lanes: \"3\" is not allowed; expected 2, 4, 6, 8\n"},
        {{"suggest", Path("o"), "--area", "2400x1200", "--lanes", "2", "--system", "carrera"},
         "--system: \"carrera\" is not allowed; expected ninco, scx\n"},
        {args({"suggest", Path("o"), "--area", "2400x1200", "--count", "100"}),
         "--count: \"100\" is not allowed; expected 1-99\n"},
        {args({"suggest", Path("o"), "--area", "2400x1200", "--any-pieces", "301"}),
         "--any-pieces: \"301\" is not allowed; expected 1-300\n"},
        {args({"suggest", "--area", "2400x1200"}), "suggest takes OUTDIR; see quillet-cli suggest --help\n"},
    };
    for (const Case& c : cases) {
        run = RunCli(c.args);
        EXPECT_EQ(run.status, 2) << c.err;
        EXPECT_EQ(run.err, c.err);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_FALSE(fs::exists(Path("o")));

    // A file where the folder should be.
    WriteAll(Path("plain"), "mine");
    run = RunCli(args({"suggest", Path("plain"), "--area", "2400x1200"}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, Path("plain") + ": not a folder\n");
    EXPECT_EQ(ReadAll(Path("plain")), "mine");

    // A read-only second file stops the command before it writes the first.
    fs::create_directory(Path("kept"));
    WriteAll(Path("kept/suggestion-01.QLC"), "one");
    WriteAll(Path("kept/suggestion-02.QLC"), "two");
    ASSERT_EQ(::chmod(Path("kept/suggestion-02.QLC").c_str(), 0444), 0);
    run = RunCli(args({"suggest", Path("kept"), "--area", "2400x1200", "--count", "3"}));
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, "cannot write file " + Path("kept/suggestion-02.QLC") + ": the file is write-protected\n");
    EXPECT_EQ(ReadAll(Path("kept/suggestion-01.QLC")), "one");
    EXPECT_EQ(ReadAll(Path("kept/suggestion-02.QLC")), "two");
    EXPECT_FALSE(fs::exists(Path("kept/suggestion-03.QLC")));

    // Its help, in both languages, and its line in the tool's.
    EXPECT_EQ(RunCli({"suggest", "--help"}).out.rfind("Usage: quillet-cli suggest OUTDIR", 0), 0u);
    EXPECT_EQ(RunCli({"--lang", "es", "suggest", "--help"}).out.rfind("Uso: quillet-cli suggest CARPETA", 0), 0u);
    EXPECT_NE(RunCli({"--help"}).out.find("  suggest OUTDIR "), std::string::npos);
}

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
    // The tests read pictures back with QtGui; the tool under test finds its
    // own platform.
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
