// The example circuits kept in examples/ and installed with the programs:
// each one opens in the editor without a word, draws, and reports (through
// quillet-cli, as a separate process) what its notes say it is. Geometric
// figures are worked out by hand next to the checks.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainterPath>
#include <QPolygonF>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "app/Editor.h"
#include "app/ScriptedPrompter.h"
#include "model/Tracks.h"
#include "text/Languages.h"
#include "tools/NotesText.h"

namespace quillet {
namespace {

namespace fs = std::filesystem;

constexpr double kPiValue = 3.14159265358979323846;
// Neighbouring lanes of one system lie 90 mm (NINCO: 45 and 135 mm across a
// 180 mm pair) apart, so over a whole turn the outer of two lanes runs
// 2 pi x 90 mm further.
const double kNincoLaneGapPerTurn = 2 * kPiValue * 90.0;  // 565.49 mm

struct PieceCount {
    const char* brand;  // "NINCO" or "SCX", as the report names them
    int type;
    int count;  // catalogue pieces in the bill of materials
};

struct Example {
    const char* file;
    int lanePairs;
    int startBrand;  // 1 NINCO width, 0 SCX width
    bool singleRacing;
    int areaLength;  // mm; the picture is a fifth of it at 5 mm per pixel
    int areaWidth;
    std::vector<PieceCount> pieces;  // the pieces that make the example
    bool ninco;                      // has NINCO pieces (drawn black)
    bool scx;                        // has SCX pieces (drawn 0x404040)
    bool chicaneMarkings;            // chicane strips drawn green at detail 4
    // What the notes say that the checks here hold the file to, in English
    // and in Spanish.
    std::vector<const char*> notesSay;
};

const std::vector<Example>& Examples() {
    static const std::vector<Example> examples = {
        {"NINCO Oval",
         1,
         1,
         false,
         3000,
         2000,
         {{"NINCO", kStartingStraight, 1}, {"NINCO", kStandardStraight, 5}, {"NINCO", kOuterCurve, 16}},
         true,
         false,
         false,
         {"two-lane", "Starting Straight", "five straights", "eight Outer", "57 cm longer", "cinco rectas",
          "57 cm más"}},
        {"Flat Eight",
         1,
         1,
         false,
         3000,
         2000,
         {{"NINCO", kStartingStraight, 1}, {"NINCO", kChangeoverTrack, 2}, {"NINCO", kStandardCurve, 16}},
         true,
         false,
         false,
         {"two lanes", "two changeover tracks", "both lanes measure the same", "dos cambios de pista",
          "miden lo mismo"}},
        // Four lanes: a straight takes two catalogue pieces side by side.
        {"Club Circuit",
         2,
         1,
         false,
         4000,
         3200,
         {{"NINCO", kStartingStraight, 2}, {"NINCO", kStandardStraight, 22}},
         true,
         false,
         false,
         {"four-lane", "4 x 3.2 m", "cuatro pistas", "4 x 3,2 m"}},
        {"SCX Chicanes",
         1,
         0,
         false,
         3000,
         2000,
         {{"SCX", kStartingStraight, 1},
          {"SCX", kStartingChicane, 2},
          {"SCX", kStraightChicane, 3},
          {"SCX", kCurvedChicane, 2}},
         false,
         true,
         true,
         {"two-lane SCX", "Starting Chicane pair", "three chicane straights", "two curved chicanes", "Close Circuit",
          "tres Chicanes Rectas"}},
        // A loop at each end: two outer and six inner single-racing curves.
        {"Single Racing",
         1,
         1,
         true,
         3000,
         2000,
         {{"NINCO", kStartingStraight, 1},
          {"NINCO", kSingleRacingOuterCurve, 4},
          {"NINCO", kSingleRacingInnerCurve, 12}},
         true,
         false,
         false,
         {"loop at each end", "one long lane", "Close Circuit", "bucle en cada extremo", "una sola pista"}},
        // Adaptation chicanes count as NINCO pieces whichever way they taper.
        {"NINCO and SCX",
         1,
         1,
         false,
         3000,
         2000,
         {{"NINCO", kStartingStraight, 1},
          {"NINCO", kAdaptationChicane, 2},
          {"SCX", kAdaptationChicane, 0},
          {"SCX", kStartingChicane, 2},
          {"SCX", kStraightChicane, 2}},
         true,
         true,
         true,
         {"two-lane NINCO", "SCX chicane section", "Starting Chicane pair", "two chicane straights",
          "counts adaptation chicanes as NINCO", "dos Chicanes Rectas"}},
    };
    return examples;
}

std::string PathOf(const Example& e) { return std::string(QUILLET_EXAMPLES_DIR) + "/" + e.file + ".QLC"; }

struct CliRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// quillet-cli as its own process, without a display.
CliRun RunCli(const QStringList& args) {
    QProcess process;
    process.setProgram(QStringLiteral(QUILLET_CLI));
    process.setArguments(args);
    process.start();
    CliRun run;
    if (!process.waitForFinished(60000)) return run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
}

QJsonObject Report(const Example& e) {
    const CliRun run = RunCli({QStringLiteral("report"), QString::fromStdString(PathOf(e))});
    EXPECT_EQ(run.status, 0) << e.file << ": " << run.err.toStdString();
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(run.out, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << e.file;
    EXPECT_TRUE(doc.isObject()) << e.file;
    return doc.object();
}

QJsonValue At(const QJsonValue& v, const char* key) { return v.toObject().value(QLatin1String(key)); }

QPolygonF OutlineOf(const QJsonValue& track) {
    QPolygonF polygon;
    for (const QJsonValue& p : At(track, "outline").toArray()) {
        polygon << QPointF(p.toArray().at(0).toDouble(), p.toArray().at(1).toDouble());
    }
    return polygon;
}

double Area(const QPainterPath& path) {
    double area = 0.0;
    for (const QPolygonF& polygon : path.toFillPolygons()) {
        double twice = 0.0;
        for (qsizetype k = 0; k < polygon.size(); ++k) {
            const QPointF a = polygon[k];
            const QPointF b = polygon[(k + 1) % polygon.size()];
            twice += a.x() * b.y() - b.x() * a.y();
        }
        area += std::fabs(twice) / 2.0;
    }
    return area;
}

// ---------------------------------------------------------------------------

TEST(Examples, TheFolderHoldsExactlyTheListedExamples) {
    std::set<std::string> listed;
    for (const Example& e : Examples()) listed.insert(std::string(e.file) + ".QLC");
    std::set<std::string> found;
    for (const fs::directory_entry& entry : fs::directory_iterator(QUILLET_EXAMPLES_DIR)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".QLC" || ext == ".qlc") found.insert(entry.path().filename().string());
    }
    EXPECT_EQ(found, listed);
}

// What a double-click does: the editor opens the file named on the command
// line. Nothing may be said (no reader error, no missing template) and the
// editor takes the example's work area; the status bar shows it closed.
TEST(Examples, EachOpensInTheEditorWithoutAMessage) {
    for (const Example& e : Examples()) {
        SCOPED_TRACE(e.file);
        test::ScriptedPrompter prompter;
        test::ScriptedHost host{prompter.log};
        test::FakeTemplate picture;
        TEditor editor(prompter, host, picture);
        editor.FormCreate();
        ASSERT_TRUE(editor.OpenCircuit(PathOf(e)));
        EXPECT_TRUE(prompter.log.empty()) << prompter.log.front();
        EXPECT_EQ(editor.WorkAreaLength(), e.areaLength);
        EXPECT_EQ(editor.WorkAreaWidth(), e.areaWidth);
        const TWindowState state = editor.FormActualize();
        EXPECT_EQ(state.caption, std::string("Quillet - ") + e.file);
        EXPECT_EQ(state.panel1, Text(120));  // "Circuit closed " in the current language

        const TCircuit& c = editor.Circuit();
        EXPECT_EQ(c.title, e.file);
        EXPECT_EQ(c.lanePairs, e.lanePairs);
        EXPECT_EQ(c.startBrand, e.startBrand);
        EXPECT_EQ(c.singleRacing, e.singleRacing);
        // The notes say what the example shows, in English and then in
        // Spanish after a "--" line.
        EXPECT_NE(c.notes.find("\n--\n"), std::string::npos);
        EXPECT_GT(c.notes.size(), 200u);
        for (const char* fact : e.notesSay) EXPECT_NE(c.notes.find(fact), std::string::npos) << fact;
        // Within what the Notes window takes, counted as it counts (code
        // points of composed text, a line break one), so the user can add to
        // them.
        const std::string composed =
            QString::fromStdString(c.notes).normalized(QString::NormalizationForm_C).toStdString();
        EXPECT_LE(CharacterCount(composed), kNotesMaxCharacters);
    }
}

TEST(Examples, EachIsClosedCentredAndNoPieceOverlapsAnother) {
    for (const Example& e : Examples()) {
        SCOPED_TRACE(e.file);
        const QJsonObject r = Report(e);
        EXPECT_EQ(r.value(QLatin1String("title")).toString().toStdString(), e.file);
        EXPECT_TRUE(r.value(QLatin1String("closed")).toBool());
        EXPECT_EQ(r.value(QLatin1String("lane_pairs")).toInt(), e.lanePairs);
        EXPECT_EQ(r.value(QLatin1String("start_brand")).toInt(), e.startBrand);
        EXPECT_EQ(r.value(QLatin1String("single_racing")).toBool(), e.singleRacing);

        // On the work area, borders included, and in its middle: the Center
        // command leaves less than a millimetre, but borders count in the box
        // by their whole pixels, 5 mm at the circuit's scale, at each end.
        const QJsonArray box = r.value(QLatin1String("bounding_box")).toArray();
        ASSERT_EQ(box.size(), 4);
        const int left = box[0].toInt(), top = box[1].toInt(), right = box[2].toInt(), bottom = box[3].toInt();
        EXPECT_GE(left, 0);
        EXPECT_GE(top, 0);
        EXPECT_LE(right, e.areaLength);
        EXPECT_LE(bottom, e.areaWidth);
        EXPECT_LE(std::abs(left + right - e.areaLength), 10) << left << ".." << right;
        EXPECT_LE(std::abs(top + bottom - e.areaWidth), 10) << top << ".." << bottom;

        // Real pieces cannot lie on each other: any two outlines share at most
        // an edge.
        const QJsonArray tracks = r.value(QLatin1String("tracks")).toArray();
        ASSERT_GT(tracks.size(), 8);
        std::vector<QPainterPath> outlines;
        for (const QJsonValue& t : tracks) {
            QPainterPath path;
            path.addPolygon(OutlineOf(t));
            path.closeSubpath();
            outlines.push_back(path);
        }
        for (size_t i = 0; i < outlines.size(); ++i) {
            for (size_t j = i + 1; j < outlines.size(); ++j) {
                if (!outlines[i].intersects(outlines[j])) continue;
                EXPECT_LT(Area(outlines[i].intersected(outlines[j])), 1.0)
                    << "pieces " << i + 1 << " and " << j + 1 << " overlap";
            }
        }
    }
}

TEST(Examples, EachHasThePiecesItIsAbout) {
    for (const Example& e : Examples()) {
        SCOPED_TRACE(e.file);
        const QJsonObject r = Report(e);
        const QJsonValue pieces = r.value(QLatin1String("pieces"));
        for (const PieceCount& p : e.pieces) {
            EXPECT_EQ(At(pieces, p.brand).toArray().at(p.type).toInt(), p.count) << p.brand << " type " << p.type;
        }
        // A system the example does not use has no pieces at all.
        for (const char* brand : {"NINCO", "SCX"}) {
            const bool used = std::string(brand) == "NINCO" ? e.ninco : e.scx;
            int total = 0;
            for (const QJsonValue& n : At(pieces, brand).toArray()) total += n.toInt();
            EXPECT_EQ(total > 0, used) << brand;
        }
        // The Track List names every piece kind it counts.
        EXPECT_FALSE(r.value(QLatin1String("track_list")).toArray().isEmpty());
    }
}

// The lane lengths that the notes speak of.
TEST(Examples, LaneLengthsAreAsTheNotesSay) {
    std::map<std::string, std::vector<double>> lanes;
    for (const Example& e : Examples()) {
        const QJsonObject r = Report(e);
        for (const QJsonValue& v : r.value(QLatin1String("lane_lengths")).toArray()) {
            if (v.toDouble() > 0) lanes[e.file].push_back(v.toDouble());
        }
    }
    // The oval turns once, clockwise: lane 2, on the outside, is longer by a
    // whole turn's gap, 565 mm, "57 cm".
    ASSERT_EQ(lanes["NINCO Oval"].size(), 2u);
    EXPECT_NEAR(lanes["NINCO Oval"][1] - lanes["NINCO Oval"][0], kNincoLaneGapPerTurn, 0.01);
    // The changeovers of the flat eight even its lanes out exactly.
    ASSERT_EQ(lanes["Flat Eight"].size(), 2u);
    EXPECT_NEAR(lanes["Flat Eight"][0], lanes["Flat Eight"][1], 0.01);
    // The club circuit also turns once: each lane outward adds the same gap.
    ASSERT_EQ(lanes["Club Circuit"].size(), 4u);
    for (size_t k = 1; k < 4; ++k) {
        EXPECT_NEAR(lanes["Club Circuit"][k] - lanes["Club Circuit"][k - 1], kNincoLaneGapPerTurn, 0.01);
    }
    // Single racing is one lane, out and back.
    EXPECT_EQ(lanes["Single Racing"].size(), 1u);
}

TEST(Examples, EachDrawsAsTheEditorShowsIt) {
    const QRgb ninco = qRgb(0, 0, 0);
    const QRgb scx = qRgb(0x40, 0x40, 0x40);
    const QRgb chicaneStrip = qRgb(0, 0x80, 0);
    const std::string folder = (fs::temp_directory_path() / "quillet-examples-test").string();
    fs::create_directories(folder);
    for (const Example& e : Examples()) {
        SCOPED_TRACE(e.file);
        const QString png = QString::fromStdString(folder + "/" + e.file + ".png");
        const CliRun run = RunCli({QStringLiteral("render"), QString::fromStdString(PathOf(e)), png});
        ASSERT_EQ(run.status, 0) << run.err.toStdString();
        const QImage image(png);
        ASSERT_FALSE(image.isNull());
        // At the editor's start scale, 5 mm per pixel.
        EXPECT_EQ(image.width(), e.areaLength / 5);
        EXPECT_EQ(image.height(), e.areaWidth / 5);

        std::map<QRgb, long> count;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) ++count[image.pixel(x, y) | 0xFF000000u];
        }
        const long pixels = static_cast<long>(image.width()) * image.height();
        // Each system in the example shows its track colour over more than
        // 1 % of the picture: a few pieces' worth (a two-lane standard
        // straight is 80 x 36 pixels of NINCO or 70 x 31 of SCX, 1.2 % or
        // 0.9 % of a 600 x 400 picture).
        if (e.ninco) {
            EXPECT_GT(count[ninco], pixels / 100);
        }
        if (e.scx) {
            EXPECT_GT(count[scx], pixels / 100);
        }
        if (e.chicaneMarkings) {
            EXPECT_GT(count[chicaneStrip], pixels / 500);
        }
        fs::remove(png.toStdString());
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
    // QImage needs no display, but its image readers want an application.
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
