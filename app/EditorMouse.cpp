// Editing with the mouse on the drawing: placing an accessory, picking one
// up and dragging it, selecting tracks (single, Shift ranges kept whole
// around chicanes, the replace mark, reversing the circuit) and measuring a
// distance with the right button.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/Editor.h"
#include "model/Numeric.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int kIconPixels = TCircuit::kIconPixels;
constexpr int kIconHalf = kIconPixels / 2;
constexpr int kLoopPieces = 8;    // one single-racing end loop
constexpr int kTextDistance = 7;  // "Distance:"

// A second click on these reverses at once: a chicane piece is never
// replaced on its own.
bool IsChicaneType(int type) {
    return type == kAdaptationChicane || type == kStartingChicane || type == kStraightChicane || type == kCurvedChicane;
}

// Pieces whose exit heading differs from their entry heading. (The curved
// chicane turns like the standard curve it is shaped as.)
bool Turns(int type) {
    return type == kStandardCurve || type == kInnerCurve || type == kOuterCurve || type == kSuperOuterCurve ||
           type == kCurvedChicane || IsSingleRacing(type);
}

// Straights whose border may cover half the piece.
bool HasHalfBorders(int type) {
    return type == kStandardStraight || type == kChangeoverTrack || type == kStartingChicane ||
           type == kStraightChicane;
}

}  // namespace

int TEditor::FirstFlaggedTrack() const {
    for (int i = 1; i <= Circuit().Count(); ++i) {
        if (Circuit().Track(i).selected) return i;
    }
    return 0;
}

void TEditor::SelectLastFlagged() {
    TCircuit& c = Circuit();
    int last = 0;
    for (int i = c.Count(); i >= 1 && last == 0; --i) {
        if (c.Track(i).selected) last = i;
    }
    c.firstSelected = last;
    c.lastSelected = last;
}

// ---------------------------------------------------------------------------
// The press

TMouseResult TEditor::Image1MouseDown(TMouseButton button, bool shift, int x, int y) {
    TDragState& drag = view_.Drag();
    // A second button pressed during a drag belongs to that drag.
    if (drag.kind != TDragKind::None) return {};

    if (button == TMouseButton::Right) {
        view_.SetMeasuringMode(true);
        drag = {};
        drag.kind = TDragKind::Measure;
        drag.button = button;
        drag.press = drag.origin = drag.end = {x, y};
        return {};
    }
    if (PlacementMode()) {
        PlaceIcon(x, y);
        return {true, std::nullopt, std::nullopt};
    }
    if (PickUpIcon(x, y)) {
        drag.button = button;
        return {true, std::nullopt, std::nullopt};
    }
    return ClickTrack(shift, x, y);
}

void TEditor::PlaceIcon(int x, int y) {
    TCircuit& c = Circuit();
    c.modified = true;
    KeepCircuit();
    const int kind = IconKindOfImage(iconImage_);
    auto free = std::find_if(c.icons.begin(), c.icons.end(), [](const TIconSlot& icon) { return icon.kind == 0; });
    if (free == c.icons.end() || kind == 0) return;
    for (TIconSlot& icon : c.icons) icon.selected = false;
    // The 32 x 32 picture is centred on the click.
    const double scale = c.PixelScale();
    free->kind = kind;
    free->x = (x - kIconHalf) * scale;
    free->y = (y - kIconHalf) * scale;
}

bool TEditor::PickUpIcon(int x, int y) {
    TCircuit& c = Circuit();
    TDragState& drag = view_.Drag();
    for (TIconSlot& icon : c.icons) icon.selected = false;
    const double scale = c.PixelScale();
    // The highest slot is drawn last, on top: it is the one under the mouse.
    int hit = 0;
    for (int slot = TCircuit::kIconSlots; slot >= 1 && hit == 0; --slot) {
        const TIconSlot& icon = c.Icon(slot);
        if (icon.kind == 0) continue;
        const double left = icon.x / scale;
        const double top = icon.y / scale;
        if (left <= x && x <= left + kIconPixels && top <= y && y <= top + kIconPixels) hit = slot;
    }
    if (hit == 0) return false;

    c.Icon(hit).selected = true;
    for (TTrack& t : c.Tracks()) {
        t.selected = false;
        t.replaceMark = false;
    }
    // The indexes follow the flags: no track is selected any more.
    c.firstSelected = 0;
    c.lastSelected = 0;
    drag = {};
    drag.kind = TDragKind::Icon;
    drag.slot = hit;
    drag.press = drag.origin = {x, y};
    return true;
}

TMouseResult TEditor::ClickTrack(bool shift, int x, int y) {
    TCircuit& c = Circuit();
    const double scale = c.PixelScale();
    const int32_t mx = Round(x * scale);
    const int32_t my = Round(y * scale);
    const int count = c.Count();

    if (shift && count >= 1) {
        int first = c.firstSelected;
        int last = c.lastSelected;
        // A range that no longer fits the chain counts as none.
        if (first < 1 || first > count || last < first) first = last = 0;
        last = std::min(last, count);

        const int h = c.HitTest(mx, my);
        if (h == 0) {
            first = last = 0;
        } else if (first == 0) {
            // Nothing to widen yet: the range starts at this track.
            first = last = h;
        } else if (h == last) {
            last = h - 1;  // shrinks at its end
        } else if (h == first) {
            first = h + 1;  // shrinks at its start
        } else if (h > last) {
            last = h;
        } else if (h < first) {
            first = h;
        }
        // A one-track range Shift-clicked again is no range at all.
        if (last < first) first = last = 0;
        if (first >= 1) WidenToWholeChicanes(first, last);

        for (int i = 1; i <= count; ++i) {
            TTrack& t = c.Track(i);
            t.selected = first >= 1 && i >= first && i <= last;
            t.replaceMark = false;
        }
        c.firstSelected = first;
        c.lastSelected = last;
        return {true, std::nullopt, std::nullopt};
    }

    TMouseResult result{true, std::nullopt, std::nullopt};
    const int s = FirstFlaggedTrack();
    const int h = c.HitTest(mx, my);
    c.firstSelected = h;
    c.lastSelected = h;
    if (s != 0 && h != s) c.Track(s).replaceMark = false;
    if (s != 0 && h == s) {
        TTrack& t = c.Track(h);
        if (!t.replaceMark && !IsChicaneType(t.type)) {
            t.replaceMark = true;  // the next insert replaces this track
            result.notice = Text(XText::ReplaceMarkSet);
        } else {
            t.replaceMark = false;
            ReverseCircuit(true);
            c.firstSelected = count - c.firstSelected + 1;
            c.lastSelected = c.firstSelected;
            result.notice = Text(XText::CircuitReversed);
        }
    } else {
        // The border buttons show the clicked track's borders, or what new
        // pieces get when the click missed every track.
        const bool outer = h != 0 ? c.Track(h).Border(kOuterBorder) : c.outerBorderDefault;
        const bool inner = h != 0 ? c.Track(h).Border(kInnerBorder) : c.innerBorderDefault;
        controls_.pressed.Set(ControlId::ToolButton39, outer);
        controls_.pressed.Set(ControlId::ToolButton38, inner);
    }
    if (c.firstSelected == 0) result.panel0 = CursorText(x, y);
    return result;
}

void TEditor::WidenToWholeChicanes(int& first, int& last) const {
    const TCircuit& c = Circuit();
    // A range holding one piece of a pair takes in the other piece: first
    // the one before the range, else the one after it.
    for (int type : {static_cast<int>(kStartingChicane), static_cast<int>(kAdaptationChicane)}) {
        int inside = 0;
        for (int i = first; i <= last; ++i) inside += c.Track(i).type == type ? 1 : 0;
        if (inside % 2 == 0) continue;
        int partner = 0;
        for (int j = first - 1; j >= 1 && partner == 0; --j) {
            if (c.Track(j).type == type) partner = j;
        }
        if (partner != 0) {
            first = partner;
            continue;
        }
        for (int j = last + 1; j <= c.Count() && partner == 0; ++j) {
            if (c.Track(j).type == type) partner = j;
        }
        if (partner != 0) last = partner;
    }
}

void TEditor::ReverseCircuit(bool swapHalfBorders) {
    TCircuit& c = Circuit();
    const int count = c.Count();
    if (count == 0) return;
    std::span<TTrack> tracks = c.Tracks();
    std::reverse(tracks.begin(), tracks.end());

    // The old last piece's right exit corner is the new left entry corner;
    // a single-racing loop at the head starts where its eighth piece did.
    TTrack& head = c.Track(1);
    const PointD start =
        head.type == kSingleRacingOuterCurve && count >= kLoopPieces ? c.Track(kLoopPieces).P(1) : head.P(10);
    c.startX = start.x;
    c.startY = start.y;
    // The head now runs from its old exit back to its old entry.
    double heading = head.angle + kPi;
    if (Turns(head.type)) heading += head.TurnsLeft() ? -head.lengthOrArc : head.lengthOrArc;
    head.angle = ReduceHeading(heading);

    const int pairs = c.LanePairs();
    for (TTrack& t : tracks) {
        if (!IsSingleRacing(t.type)) t.orientation = t.orientation != 0 ? 0 : 1;
        if (t.type == kAdaptationChicane) {
            // It tapers the other way now.
            t.width = t.width / pairs != kScxPairWidth ? pairs * kScxPairWidth : pairs * kNincoPairWidth;
        }
        if (swapHalfBorders && HasHalfBorders(t.type)) {
            std::swap(t.borders[kOuterBorderExitHalf - 1], t.borders[kOuterBorderEntryHalf - 1]);
            std::swap(t.borders[kInnerBorderExitHalf - 1], t.borders[kInnerBorderEntryHalf - 1]);
        }
    }
    c.ReLay(false);
}

// ---------------------------------------------------------------------------
// Drags

bool TEditor::Image1DragStarts(int x, int y) {
    TDragState& drag = view_.Drag();
    if (drag.kind == TDragKind::None || drag.started) return false;
    if (std::abs(x - drag.press.x) < kDragThreshold && std::abs(y - drag.press.y) < kDragThreshold) return false;
    drag.started = true;
    return true;
}

std::optional<std::string> TEditor::Image1DragOver(int x, int y, Canvas& image, Canvas* horizontalRuler,
                                                   Canvas* verticalRuler) {
    TCircuit& c = Circuit();
    TDragState& drag = view_.Drag();
    if (drag.kind == TDragKind::None || !drag.started) return std::nullopt;
    if (RulersVisible() && horizontalRuler != nullptr && verticalRuler != nullptr) {
        MoveRulerGuides(*horizontalRuler, *verticalRuler, x, y);
    }
    const double scale = c.PixelScale();

    if (drag.kind == TDragKind::Measure) {
        if (std::abs(x - drag.end.x) <= 1 && std::abs(y - drag.end.y) < 2) return std::nullopt;
        // Inverting strokes: the old line drawn again disappears.
        image.setPen({colour::Black, 1, PenStyle::Solid, PenMode::NotXor});
        if (drag.lineShown) image.line(drag.origin.x, drag.origin.y, drag.end.x, drag.end.y);
        image.line(drag.origin.x, drag.origin.y, x, y);
        drag.lineShown = true;
        drag.end = {x, y};
        const double pixels =
            std::hypot(static_cast<double>(x - drag.origin.x), static_cast<double>(y - drag.origin.y));
        return Text(kTextDistance) + " " + std::to_string(Round(pixels * scale / 10.0)) + " cm";
    }

    // An accessory: the selected slot follows the mouse, kept on the work area.
    auto held = std::find_if(c.icons.begin(), c.icons.end(),
                             [](const TIconSlot& icon) { return icon.selected && icon.kind != 0; });
    if (held == c.icons.end()) return std::nullopt;
    if (x == drag.origin.x && y == drag.origin.y) return std::nullopt;
    held->x += (x - drag.origin.x) * scale;
    held->y += (y - drag.origin.y) * scale;
    c.KeepIconOnWorkArea(*held, WorkAreaLength(), WorkAreaWidth());
    drag.origin = {x, y};
    return std::nullopt;
}

bool TEditor::Image1MouseUp(TMouseButton button, Canvas& image) {
    TDragState& drag = view_.Drag();
    if (drag.kind == TDragKind::None || button != drag.button) return false;
    const TDragKind kind = drag.kind;
    if (kind == TDragKind::Measure && drag.lineShown) {
        image.setPen({colour::Black, 1, PenStyle::Solid, PenMode::NotXor});
        image.line(drag.origin.x, drag.origin.y, drag.end.x, drag.end.y);
    }
    drag = {};
    // A held accessory goes back into the picture, still selected. Moving it
    // is no edit: no undo copy, no modified flag.
    return kind == TDragKind::Icon;
}

std::optional<TLiftedIcon> TEditor::LiftedIcon() const {
    const TDragState& drag = view_.Drag();
    if (drag.kind != TDragKind::Icon || drag.slot < 1 || drag.slot > TCircuit::kIconSlots) return std::nullopt;
    const TIconSlot& icon = Circuit().Icon(drag.slot);
    if (icon.kind == 0 || !icon.selected) return std::nullopt;
    const double scale = Circuit().PixelScale();
    return TLiftedIcon{{Round(icon.x / scale), Round(icon.y / scale)}, AccessoryIcon(icon.kind, true)};
}

}  // namespace quillet
