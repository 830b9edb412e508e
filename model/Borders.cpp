// Automatic curve borders: an outer border along a run of curves turning the
// same way, and the matching border or half border on the pieces on either
// side of it, so the border reads as one continuous strip.

#include "model/Tracks.h"

namespace quillet {

namespace {

enum class BorderClass { Curve, ShortStraight, LongStraight, Other };

BorderClass ClassOf(int type) {
    switch (type) {
        case kStandardCurve:
        case kInnerCurve:
        case kOuterCurve:
        case kSuperOuterCurve:
        case kCurvedChicane:
            return BorderClass::Curve;
        case kHalfStraight:
        case kQuarterStraight:
            return BorderClass::ShortStraight;
        case kStandardStraight:
        case kChangeoverTrack:
        case kStartingChicane:
        case kStraightChicane:
            return BorderClass::LongStraight;
        default:
            return BorderClass::Other;
    }
}

// Two halves of one side make the whole side.
void MergeHalves(TTrack& t) {
    if (t.Border(kOuterBorderExitHalf) && t.Border(kOuterBorderEntryHalf)) {
        t.SetBorder(kOuterBorderExitHalf, false);
        t.SetBorder(kOuterBorderEntryHalf, false);
        t.SetBorder(kOuterBorder, true);
    }
    if (t.Border(kInnerBorderExitHalf) && t.Border(kInnerBorderEntryHalf)) {
        t.SetBorder(kInnerBorderExitHalf, false);
        t.SetBorder(kInnerBorderEntryHalf, false);
        t.SetBorder(kInnerBorder, true);
    }
}

// The neighbour's half that touches the run: the entry half of the piece
// after it, the exit half of the piece before it.
struct Halves {
    int outer;
    int inner;
};
constexpr Halves kTouchesAtEntry{kOuterBorderEntryHalf, kInnerBorderEntryHalf};
constexpr Halves kTouchesAtExit{kOuterBorderExitHalf, kInnerBorderExitHalf};
// The far half of each side.
Halves Opposite(Halves h) { return h.outer == kOuterBorderEntryHalf ? kTouchesAtExit : kTouchesAtEntry; }

// The run's outer side is the neighbour's outer side when it turns (or
// would turn) the same way, else its inner side.
void BorderNeighbour(TTrack& t, bool sameSide, Halves touching) {
    switch (ClassOf(t.type)) {
        case BorderClass::Curve:
            t.SetBorder(kInnerBorder, true);
            break;
        case BorderClass::ShortStraight:
            t.SetBorder(sameSide ? kOuterBorder : kInnerBorder, true);
            break;
        case BorderClass::LongStraight:
            if (sameSide) {
                if (!t.Border(kOuterBorder)) t.SetBorder(touching.outer, true);
            } else {
                if (!t.Border(kInnerBorder)) t.SetBorder(touching.inner, true);
            }
            break;
        case BorderClass::Other:
            return;
    }
    MergeHalves(t);
}

// A full border the run no longer needs shrinks to the half away from it,
// which the curves on the other side may still need.
void UnborderNeighbour(TTrack& t, bool sameSide, Halves touching) {
    const Halves far = Opposite(touching);
    switch (ClassOf(t.type)) {
        case BorderClass::Curve:
            t.SetBorder(kInnerBorder, false);
            break;
        case BorderClass::ShortStraight:
            t.SetBorder(sameSide ? kOuterBorder : kInnerBorder, false);
            break;
        case BorderClass::LongStraight:
            if (sameSide) {
                t.SetBorder(touching.outer, false);
                if (t.Border(kOuterBorder)) {
                    t.SetBorder(kOuterBorder, false);
                    t.SetBorder(far.outer, true);
                }
            } else {
                t.SetBorder(touching.inner, false);
                if (t.Border(kInnerBorder)) {
                    t.SetBorder(kInnerBorder, false);
                    t.SetBorder(far.inner, true);
                }
            }
            break;
        case BorderClass::Other:
            break;
    }
}

// The run of curves through piece s turning its way, and the pieces where
// the walks along it stopped (0: the open chain ends there). On a closed
// chain the walks go round past the ends and stop when they come back to s,
// which is then its own neighbour.
struct Run {
    int following = 0;
    int preceding = 0;
};

template <class Visit>
Run WalkRun(TCircuit& c, int s, Visit visit) {
    const int count = c.Count();
    Run run;
    visit(c.Track(s));
    for (int step : {+1, -1}) {
        int at = s;
        int stop = 0;
        for (;;) {
            int next = at + step;
            if (next > count || next < 1) {
                if (!c.closed) break;
                next = next > count ? 1 : count;
            }
            if (next == s) {
                stop = s;
                break;
            }
            TTrack& t = c.Track(next);
            if (!IsCurve(t.type) || t.TurnsLeft() != c.Track(at).TurnsLeft()) {
                stop = next;
                break;
            }
            visit(t);
            at = next;
        }
        (step > 0 ? run.following : run.preceding) = stop;
    }
    return run;
}

int AutoBorderStart(const TCircuit& c) {
    for (int i = 1; i <= c.Count(); ++i) {
        const TTrack& t = c.Track(i);
        if (t.selected || t.replaceMark) return i;
    }
    return 0;
}

}  // namespace

bool TCircuit::AddAutomaticBorders() {
    const int s = AutoBorderStart(*this);
    if (s == 0 || !IsCurve(Track(s).type)) return false;
    const bool turnsLeft = Track(s).TurnsLeft();
    const Run run = WalkRun(*this, s, [](TTrack& t) { t.SetBorder(kOuterBorder, true); });
    if (run.following != 0) {
        TTrack& f = Track(run.following);
        BorderNeighbour(f, f.TurnsLeft() == turnsLeft, kTouchesAtEntry);
    }
    if (run.preceding != 0) {
        TTrack& b = Track(run.preceding);
        BorderNeighbour(b, b.TurnsLeft() == turnsLeft, kTouchesAtExit);
    }
    return true;
}

bool TCircuit::RemoveAutomaticBorders() {
    const int s = AutoBorderStart(*this);
    if (s == 0 || !IsCurve(Track(s).type)) return false;
    const bool wasBordered = Track(s).Border(kOuterBorder);
    const bool turnsLeft = Track(s).TurnsLeft();
    const Run run = WalkRun(*this, s, [](TTrack& t) { t.SetBorder(kOuterBorder, false); });
    if (run.following != 0) {
        TTrack& f = Track(run.following);
        UnborderNeighbour(f, f.TurnsLeft() == turnsLeft, kTouchesAtEntry);
    }
    if (run.preceding != 0) {
        TTrack& b = Track(run.preceding);
        UnborderNeighbour(b, b.TurnsLeft() == turnsLeft, kTouchesAtExit);
    }
    return wasBordered;
}

}  // namespace quillet
