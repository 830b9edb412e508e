// make-examples: lays the example circuits with the editor's own operations
// (insert after the selection, automatic borders, equilibrate, the Close
// command, the single-racing end loop, centring) and saves them as .QLC
// files.
//
//   make-examples OUTPUT_DIR
//
// Built on demand (`cmake --build build --target examples` rewrites the files
// in examples/); not installed. It stops with a message, before writing the
// file, when a circuit comes out open or off its work area.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "model/Messages.h"
#include "model/Tracks.h"
#include "stock/TrackList.h"
#include "text/Globals.h"
#include "tools/Closing.h"
#include "tools/NotesText.h"

using namespace quillet;

namespace {

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "make-examples: %s\n", what.c_str());
    std::exit(1);
}

// An insert refused for want of a selection would be a mistake in this file.
class FailingInformer : public TInformer {
public:
    void Information(int textEntry, const std::string&) override {
        Fail("the editor refused a step (text " + std::to_string(textEntry) + ")");
    }
};

constexpr int kRight = 0;  // a curve turning clockwise on the screen
constexpr int kLeft = 1;   // anticlockwise

// Lays pieces the way the insert buttons do: each goes in after the selected
// piece and becomes the selection.
class Layer {
public:
    explicit Layer(TCircuit& c) : c_(c) {}

    Layer& Lay(int type, int orientation = kRight, int times = 1) {
        for (int k = 0; k < times; ++k) {
            if (!c_.Insert(type, orientation, &informer_)) Fail("an insert was refused");
            // The first piece of an empty circuit is not selected by the
            // insert; the user clicks it before the next one.
            if (c_.Count() == 1) Select(1);
        }
        return *this;
    }
    // The Starting Chicane button: a pair, the lanes closing in and opening out.
    Layer& StartingChicanes() {
        Lay(kStartingChicane, kRight);
        return Lay(kStartingChicane, kLeft);
    }
    // The Adaptation Chicane button: a pair, into the other system and back.
    Layer& AdaptationChicanes() { return Lay(kAdaptationChicane, kLeft, 2); }
    // A click on piece i.
    Layer& Select(int i) {
        Deselect();
        c_.Track(i).selected = true;
        c_.firstSelected = c_.lastSelected = i;
        return *this;
    }
    Layer& Deselect() {
        for (TTrack& t : c_.Tracks()) {
            t.selected = false;
            t.replaceMark = false;
        }
        c_.firstSelected = c_.lastSelected = 0;
        return *this;
    }
    // The Automatic Borders command on the run of curves through piece i.
    Layer& AutomaticBorders(int i) {
        Select(i);
        if (!c_.AddAutomaticBorders()) Fail("automatic borders need a curve at " + std::to_string(i));
        c_.ReLay(false);
        return *this;
    }

private:
    TCircuit& c_;
    FailingInformer informer_;
};

// A circuit on a work area of the given size, at the editor's start scale.
TCircuit NewCircuit(int32_t areaLength, int32_t areaWidth, int startBrand, int lanePairs) {
    TCircuit c(areaLength / 2, areaWidth / 2);
    c.workAreaLength = areaLength;
    c.workAreaWidth = areaWidth;
    c.startBrand = static_cast<uint8_t>(startBrand);
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    return c;
}

// The Close command with the dialog's options as they first show: every
// piece allowed, 1 cm tolerance, no stock, the exhaustive search.
void Close(TCircuit& c) {
    TCloseHost host;
    const TTrackList noStock;
    const CloseStatus status = CloseCircuit(c, CloseOptions{}, noStock, host);
    if (status != CloseStatus::Closed && status != CloseStatus::SingleRacingEnds) Fail("the Close command refused");
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& line : lines) {
        if (line.empty()) Fail("an empty line would end the notes there");
        if (!s.empty()) s += '\n';
        s += line;
    }
    return s;
}

struct Example {
    std::string name;  // file name without .QLC: the circuit's title
    TCircuit circuit;
};

// ---------------------------------------------------------------------------
// The circuits
//
// Each is laid clockwise from its Starting Straight, where the power comes in.

Example NincoOval() {
    TCircuit c = NewCircuit(3000, 2000, 1, 1);
    c.detailLevel = 4;
    Layer(c)
        .Lay(kStartingStraight)
        .Lay(kStandardStraight, kRight, 2)
        .Lay(kOuterCurve, kRight, 8)
        .Lay(kStandardStraight, kRight, 3)
        .Lay(kOuterCurve, kRight, 8);
    c.notes = Joined({
        "A two-lane NINCO oval: a Starting Straight (the power supply and",
        "controllers plug in there), five straights and two bends of eight Outer",
        "Curves. Lane 2 runs outside both bends: 57 cm longer per lap than lane 1.",
        "--",
        "Un óvalo NINCO de dos pistas: la Pista de Conexiones (donde se enchufan",
        "alimentación y mandos), cinco rectas y dos curvas de ocho Curvas",
        "Exteriores. La pista 2 va por fuera: mide 57 cm más por vuelta.",
    });
    return {"NINCO Oval", std::move(c)};
}

// Half of the flat eight: two straights through the waist, then a loop that
// swings out to the left, turns right round 270 degrees and swings back in
// beside the straights it left from.
void EightHalf(Layer& layer, int firstType) {
    layer.Lay(firstType)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kLeft)
        .Lay(kStandardCurve, kRight, 6)
        .Lay(kStandardCurve, kLeft);
}

Example FlatEight() {
    TCircuit c = NewCircuit(3000, 2000, 1, 1);
    c.detailLevel = 4;
    Layer layer(c);
    // Two equal halves each turning half a lap: the second ends where the
    // first began.
    EightHalf(layer, kStartingStraight);
    EightHalf(layer, kStandardStraight);
    // Equilibrate Lanes: one standard straight on each side of the waist
    // becomes a changeover track.
    c.Equilibrate();
    c.ReLay(false);
    c.notes = Joined({
        "A flat NINCO figure eight, two lanes, no bridge: the halves run side by",
        "side through the waist, 9.5 cm apart, both loops turning the same way.",
        "Its two changeover tracks (from Equilibrate Lanes) swap the lanes as a",
        "crossing would: both lanes measure the same.",
        "--",
        "Ocho plano NINCO de dos pistas, sin puente: las mitades pasan juntas por",
        "el centro, a 9,5 cm, y las curvas giran igual. Sus dos cambios de pista",
        "(de Equilibrar Pistas) cruzan las pistas: las dos miden lo mismo.",
    });
    return {"Flat Eight", std::move(c)};
}

// Half of the club circuit: a straight, two right-hand bends with a short
// straight between them, then a left-hand bend and a right-hand one.
void ClubHalf(Layer& layer, int firstType) {
    layer.Lay(firstType)
        .Lay(kStandardStraight, kRight, 2)
        .Lay(kStandardCurve, kRight, 2)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kRight, 2)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kLeft, 2)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kRight, 2);
}

void PlaceIcon(TCircuit& c, int kind, double x, double y) {
    for (TIconSlot& slot : c.icons) {
        if (slot.kind != 0) continue;
        slot = {kind, x, y, false};
        return;
    }
    Fail("no free icon slot");
}

constexpr int kLapCounterIcon = 1;
constexpr int kControllerIcon = 3;
constexpr int kPowerSourceIcon = 5;

Example ClubCircuit() {
    TCircuit c = NewCircuit(4000, 3200, 1, 2);
    c.detailLevel = 5;
    c.innerBorderDefault = true;
    Layer layer(c);
    // The second half repeats the first, so the circuit is symmetric about
    // its centre and closes exactly.
    ClubHalf(layer, kStartingStraight);
    ClubHalf(layer, kStandardStraight);
    // Automatic Borders on every bend: the outside of the bend, and half
    // borders where the straights meet it.
    for (int i = 1; i <= c.Count(); ++i) {
        const TTrack& t = c.Track(i);
        if (IsCurve(t.type) && !t.Border(kOuterBorder)) layer.AutomaticBorders(i);
    }
    // The race desk in the infield beside the main straight, from the right
    // entry corner of the Starting Straight.
    const PointD infield = c.Track(1).P(18);
    PlaceIcon(c, kLapCounterIcon, infield.x + 60, infield.y + 120);
    PlaceIcon(c, kPowerSourceIcon, infield.x + 60, infield.y + 420);
    for (int k = 0; k < 4; ++k) PlaceIcon(c, kControllerIcon, infield.x + 380 + 200 * k, infield.y + 420);
    c.notes = Joined({
        "A four-lane NINCO club circuit, 4 x 3.2 m, symmetric about its centre.",
        "Inner borders throughout, outer and half borders on the bends; lap",
        "counter, power and four controllers inside. Barriers are not saved:",
        "select the bends and press Crash Barriers.",
        "--",
        "Club NINCO de cuatro pistas, 4 x 3,2 m, simétrico. Bordes interiores en",
        "todo, exteriores y medios en las curvas; cuenta vueltas, alimentación y",
        "cuatro mandos dentro. Las barreras no se guardan: seleccione las curvas",
        "y pulse Barreras.",
    });
    return {"Club Circuit", std::move(c)};
}

Example ScxChicanes() {
    TCircuit c = NewCircuit(3000, 2000, 0, 1);
    c.detailLevel = 4;
    Layer layer(c);
    layer.Lay(kStartingStraight)
        .Lay(kStandardStraight, kRight, 3)
        .Lay(kStandardCurve, kRight, 2)
        .Lay(kStandardStraight, kRight, 2)
        .Lay(kStandardCurve, kRight, 2)
        .StartingChicanes();
    // The chicane straights and the curved chicanes go in after the piece
    // where the lanes close in, as the enabled buttons allow.
    const int lanesClose = c.Count() - 1;
    layer.Select(lanesClose).Lay(kStraightChicane, kRight, 3).Lay(kCurvedChicane, kRight, 2);
    layer.Select(c.Count()).Lay(kStandardStraight);
    // Close Circuit lays the last bend.
    Close(c);
    c.notes = Joined({
        "A two-lane SCX circuit with a chicane section: a Starting Chicane pair",
        "joins the lanes on the back straight and parts them after the bend, with",
        "three chicane straights and two curved chicanes between. Close Circuit",
        "laid the last bend.",
        "--",
        "Circuito SCX de dos pistas con zona de chicane: un par de Inicios de",
        "Chicane junta las pistas en la recta opuesta y las separa tras la curva,",
        "con tres Chicanes Rectas y dos curvas entre ellos. Cerrar Circuito puso",
        "la última curva.",
    });
    return {"SCX Chicanes", std::move(c)};
}

Example SingleRacing() {
    TCircuit c = NewCircuit(3000, 2000, 1, 1);
    c.detailLevel = 4;
    Layer layer(c);
    // The loop at the start, as the Single Racing command leaves it: it takes
    // the car coming back on lane 1 round into lane 2. It is laid from the
    // road's right half heading back (pi) and turns half a lap, so the road
    // after it heads along +x.
    layer.Lay(kSingleRacingOuterCurve, kLeft)
        .Lay(kSingleRacingInnerCurve, kRight, 6)
        .Lay(kSingleRacingOuterCurve, kLeft);
    c.Track(1).angle = kPi;
    c.ReLay(false);
    layer.Lay(kStandardStraight)
        .Lay(kStartingStraight)
        .Lay(kStandardCurve, kLeft)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kRight)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kRight, 2)
        .Lay(kStandardStraight)
        .Lay(kStandardCurve, kRight, 2)
        .Lay(kStandardStraight, kRight, 2);
    c.singleRacing = true;
    // With single racing on, Close Circuit lays the loop at the far end.
    Close(c);
    c.notes = Joined({
        "Single racing on NINCO: one car against the clock on a point-to-point",
        "road with a loop at each end. Out on one lane, round the far loop, back",
        "on the other: one long lane, lane 1 in Circuit Dimensions. Close Circuit",
        "laid the far loop.",
        "--",
        "Single racing NINCO: un coche contra el reloj en un tramo de ida y vuelta",
        "con un bucle en cada extremo: una sola pista larga, la 1 en Dimensiones",
        "del Circuito. Cerrar Circuito puso el bucle del otro extremo.",
    });
    return {"Single Racing", std::move(c)};
}

Example NincoAndScx() {
    TCircuit c = NewCircuit(3000, 2000, 1, 1);
    c.detailLevel = 4;
    Layer layer(c);
    layer.Lay(kStartingStraight)
        .Lay(kStandardStraight, kRight, 3)
        .Lay(kHalfStraight)
        .Lay(kStandardCurve, kRight, 4)
        .AdaptationChicanes();
    // The SCX section goes in after the chicane that narrows the track: a
    // Starting Chicane pair with two chicane straights inside.
    layer.Select(c.Count() - 1).StartingChicanes();
    layer.Select(c.Count() - 2).Lay(kStraightChicane, kRight, 2);
    // Back on NINCO after the second adaptation chicane: one bend, and Close
    // Circuit lays the rest.
    layer.Select(c.Count()).Lay(kStandardCurve, kRight, 2);
    Close(c);
    c.notes = Joined({
        "A two-lane NINCO oval with an SCX chicane section: one adaptation chicane",
        "narrows the track from 18 to 15.6 cm, another widens it back; between",
        "them a Starting Chicane pair and two chicane straights. The Track List",
        "counts adaptation chicanes as NINCO.",
        "--",
        "Óvalo NINCO de dos pistas con zona de chicane SCX: una Chicane de",
        "Adaptación estrecha la pista de 18 a 15,6 cm y otra la ensancha; entre",
        "ellas, dos Inicios de Chicane y dos Chicanes Rectas. La Lista de Tramos",
        "las cuenta como NINCO.",
    });
    return {"NINCO and SCX", std::move(c)};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-examples OUTPUT_DIR\n");
        return 2;
    }
    const std::string folder = argv[1];
    // Files read the same in every locale either way; a point is the usual.
    SetDecimalSeparator('.');

    std::vector<Example> examples;
    examples.push_back(NincoOval());
    examples.push_back(FlatEight());
    examples.push_back(ClubCircuit());
    examples.push_back(ScxChicanes());
    examples.push_back(SingleRacing());
    examples.push_back(NincoAndScx());

    for (Example& e : examples) {
        TCircuit& c = e.circuit;
        Layer(c).Deselect();
        c.ReLay(false);
        // As the Center command leaves it.
        c.Centre(c.workAreaLength, c.workAreaWidth);
        if (!c.closed) Fail(e.name + " is not closed");
        // Room left in the Notes window for the user's own words.
        if (CharacterCount(c.notes) > kNotesMaxCharacters) {
            Fail(e.name + "'s notes pass the " + std::to_string(kNotesMaxCharacters) +
                 " characters of the Notes window");
        }
        const TBoundingBox box = c.BoundingBox();
        if (box.left < 0 || box.top < 0 || box.right > c.workAreaLength || box.bottom > c.workAreaWidth) {
            Fail(e.name + " leaves its work area: " + std::to_string(box.right - box.left) + " x " +
                 std::to_string(box.bottom - box.top) + " mm");
        }
        const std::string path = folder + "/" + e.name + ".QLC";
        std::string error;
        if (!SaveCircuit(c, path, &error)) Fail(error);
        std::printf("%s: %d pieces, %d x %d mm\n", path.c_str(), c.Count(), box.right - box.left, box.bottom - box.top);
    }
    return 0;
}
