// The editor's creation, the fresh state of window creation and New, and the
// refresh FormActualize that computes everything the window shows.

#include <algorithm>
#include <cmath>
#include <string>

#include "app/Editor.h"
#include "model/Numeric.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int32_t kStartAreaLength = 3000;  // mm
constexpr int32_t kStartAreaWidth = 2000;
constexpr int kTrackLimitWarning = 284;      // panel 1 warns at exactly this count
constexpr int kSingleRacingMaxTracks = 285;  // single racing is offered below this
constexpr int kSingleRacingLoop = 8;         // pieces of one end loop

bool IsChicanePiece(int type) { return type == kStartingChicane || type == kStraightChicane || type == kCurvedChicane; }

}  // namespace

int32_t MinimumScaleFor(int32_t areaLength, int32_t areaWidth) {
    const double cells = (areaLength / 2000.0) * (areaWidth / 2000.0);
    return std::max(Trunc(std::sqrt(std::max(cells, 0.0))) + 1, 3);
}

TEditor::TEditor(TPrompter& prompter, TTemplatePicture& templatePicture)
    : prompter_(prompter), template_(templatePicture) {
    FormCreate();
}

void TEditor::SetWorkArea(int32_t length, int32_t width) {
    view_.SetWorkArea(length, width);
    Circuit().workAreaLength = WorkAreaLength();
    Circuit().workAreaWidth = WorkAreaWidth();
}

int32_t TEditor::EffectiveGridStep() const { return std::max<int32_t>(Circuit().gridStep, 1); }

void TEditor::FormCreate() {
    view_.SetPlacementMode(false);
    view_.SetMeasuringMode(false);
    view_.EndResize();
    // New starts over on the start-up work area. (The circuits are centred on
    // it and the minimum scale follows it, so a new circuit never inherits a
    // coarse scale from the work area of the one before.)
    view_.SetWorkArea(kStartAreaLength, kStartAreaWidth);
    document_.Start(TCircuit(WorkAreaLength() / 2, WorkAreaWidth() / 2));
    history_.Reset(TCircuit(WorkAreaLength() / 2, WorkAreaWidth() / 2));
    clipboard_ = TCircuit(WorkAreaLength() / 2, WorkAreaWidth() / 2);
    Circuit().scale = kStartScale;
    Circuit().workAreaLength = WorkAreaLength();
    Circuit().workAreaWidth = WorkAreaWidth();
    view_.SetMinimumScale(MinimumScaleFor(WorkAreaLength(), WorkAreaWidth()));
    RaiseScaleToMinimum();
}

void TEditor::StartUp() {
    // The undo state FormCreate made is named too, for an Undo before any
    // edit.
    Circuit().title = Text(kUntitledEntry);
    UndoCircuit().title = Circuit().title;
}

void TEditor::RaiseScaleToMinimum() {
    if (Circuit().scale >= MinimumScale()) return;
    Circuit().scale = MinimumScale();
    // The pieces keep their points in pixels too: lay them out again at the
    // new scale, or they would be drawn where the old scale put them.
    Circuit().ReLay(false);
}

std::string TEditor::Panel1Text() const {
    if (Circuit().closed) return Text(120);                         // "Circuit closed "
    if (Circuit().Count() == kTrackLimitWarning) return Text(122);  // "Tracks Limit "
    return Text(121);                                               // "Circuit opened "
}

std::string TEditor::SizePanelText() const {
    const TBoundingBox b = Circuit().ComputeBoundingBox();
    const int32_t w = Round((static_cast<double>(b.right) - b.left) / 10.0);
    const int32_t h = Round((static_cast<double>(b.bottom) - b.top) / 10.0);
    return std::to_string(w) + " x " + std::to_string(h) + " cm";
}

std::string TEditor::LaneLengthsPanelText() const {
    const auto lengths = Circuit().LaneLengths();
    std::string text = std::to_string(Round(lengths[0] / 10.0));
    if (Circuit().singleRacing) return text + " cm";
    const int lanes = 2 * Circuit().LanePairs();
    for (int k = 2; k <= lanes; ++k) {
        text += " + " + std::to_string(Round(lengths[static_cast<std::size_t>(k - 1)] / 10.0)) + " ";
    }
    return text + "cm";
}

void TEditor::ApplyEnablingRules(TControlStates& s) const {
    using C = ControlId;
    const TCircuit& c = Circuit();
    const int count = c.Count();
    const int first = c.firstSelected;
    const bool hasSelection = first >= 1 && first <= count;
    auto enable = [&s](C id, bool on) { s.enabled.Set(id, on); };

    // Edit menu.
    enable(C::SelectAll1, count >= 1);
    enable(C::CopyTrack1, first != 0);
    enable(C::CutTrack1, first != 0);
    enable(C::PasteTrack1, clipboard_.Count() >= 1 && first != 0);

    // Insert buttons.
    constexpr C kPlain[] = {C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton27, C::ToolButton29,
                            C::ToolButton30, C::ToolButton31, C::ToolButton32, C::ToolButton34};
    if (count < TCircuit::kMaxTracks) {
        for (C id : kPlain) enable(id, true);
        bool starting = false;
        bool straight = false;
        bool curved = false;
        if (hasSelection) {
            const TTrack& s0 = c.Track(first);
            // Chicanes exist only in the SCX width.
            if (!s0.replaceMark && !s0.IsNincoWidth(c)) {
                const bool inChicane =
                    IsChicanePiece(s0.type) && first < count && IsChicanePiece(c.Track(first + 1).type);
                starting = !inChicane;
                straight = inChicane;
                curved = inChicane && c.LanePairs() == 1;
            }
        }
        enable(C::ToolButton28, starting);
        enable(C::ToolButton45, straight);
        enable(C::ToolButton46, curved);
        const bool noStartingStraight = !c.ContainsType(kStartingStraight);
        enable(C::ToolButton22, noStartingStraight);
        enable(C::ToolButton21, noStartingStraight);
    } else {
        // At the limit every insert is off, the two chicane buttons included,
        // so no command can take the chain past 300 pieces.
        for (C id : kPlain) enable(id, false);
        for (C id : {C::ToolButton28, C::ToolButton45, C::ToolButton46, C::ToolButton22, C::ToolButton21}) {
            enable(id, false);
        }
    }
    if (count > 0) {
        const int pairs = c.LanePairs();
        if (pairs > 1) {
            enable(C::ToolButton32, false);
            enable(C::ToolButton34, false);
        }
        if (pairs > 2) enable(C::ToolButton31, false);
        if (pairs > 3) enable(C::ToolButton30, false);
    } else {
        enable(C::ToolButton34, false);
    }
    // Inside a chicane only chicane pieces and changeovers continue it.
    if (s.enabled[C::ToolButton45]) {
        for (C id : {C::ToolButton24, C::ToolButton25, C::ToolButton26, C::ToolButton29, C::ToolButton30,
                     C::ToolButton31, C::ToolButton32, C::ToolButton34, C::ToolButton22}) {
            enable(id, false);
        }
    }

    // Single racing.
    const bool singleRacingAllowed =
        (c.LanePairs() == 1 && count > 0 && count < kSingleRacingMaxTracks) || c.singleRacing;
    enable(C::ToolButton59,
           singleRacingAllowed && count > 0 && c.Track(1).IsNincoWidth(c) && c.Track(count).IsNincoWidth(c));
    s.pressed.Set(C::ToolButton59, c.singleRacing);

    // Zoom: the limits hold for an empty circuit too, so the buttons never
    // keep the state of a circuit that is gone.
    enable(C::ToolButton8, c.scale < kMaxScale);
    enable(C::ToolButton10, c.scale > MinimumScale());

    enable(C::Close1, count > 0);
    enable(C::ToolButton6, count > 0);

    s.pressed.Set(C::ToolButton5, c.colourCodeShown);
    s.pressed.Set(C::ToolButton18, c.gridShown);
    enable(C::ToolButton42, !c.templatePath.empty());
    s.pressed.Set(C::ToolButton42, c.templateShown);
    s.pressed.Set(C::Reglas1, RulersVisible());
    // The recent files' submenu has something to offer only while one of
    // its files is there.
    enable(C::RecentFiles1, !RecentFiles().Shown().empty());
}

TWindowState TEditor::FormActualize() {
    TWindowState s;
    view_.SetPlacementMode(false);
    view_.SetMeasuringMode(false);
    s.caption = "Quillet - " + Circuit().title;

    view_.SetMinimumScale(MinimumScaleFor(WorkAreaLength(), WorkAreaWidth()));
    RaiseScaleToMinimum();

    s.panel1 = Panel1Text();
    s.panel2 = SizePanelText();
    s.panel3 = LaneLengthsPanelText();

    ApplyEnablingRules(controls_);
    if (FirstFlaggedTrack() == 0) ShowBorderDefaults();
    if (Circuit().Count() == 0) CentreEmptyCircuit();

    s.controls = controls_;
    s.scale = Circuit().scale;
    s.minimumScale = MinimumScale();
    s.rulersShown = RulersVisible();
    s.layout = Layout();
    s.scrollTo = view_.TakeScroll();
    s.iconImage = iconImage_;
    s.surfaceImage = surfaceImage_;
    return s;
}

void TEditor::FormKeyDownAlt6() {
    const bool show = !controls_.visible[ControlId::ToolButton33];
    controls_.visible.Set(ControlId::ToolButton33, show);
    controls_.visible.Set(ControlId::TiemposEstimados1, show);
}

std::vector<PixelPoint> TEditor::AnchorMarkers() const {
    std::vector<PixelPoint> markers;
    const double scale = Circuit().PixelScale();
    for (const TTrack& t : Circuit().Tracks()) {
        if (!t.anchorMark) continue;
        // The middle of the piece: for the starting straight, whose outline
        // carries the connector box, between its opposite corners 1 and 10.
        const bool startingStraight = t.type == kStartingStraight;
        const PointD p = t.P(startingStraight ? 1 : 5);
        const PointD q = t.P(startingStraight ? 10 : 14);
        markers.push_back({Round((p.x + q.x) / 2.0 / scale) - 8, Round((p.y + q.y) / 2.0 / scale) - 8});
    }
    return markers;
}

std::optional<PixelPoint> TEditor::StartMarker() const {
    const int index = Circuit().singleRacing ? kSingleRacingLoop + 1 : 1;
    if (Circuit().Count() < index) return std::nullopt;
    const TTrack& t = Circuit().Track(index);
    int a = 4;
    switch (t.type) {
        case kStandardStraight:
        case kChangeoverTrack:
        case kStartingStraight:
        case kStartingChicane:
            a = 2;
            break;
        case kHalfStraight:
        case kStandardCurve:
        case kOuterCurve:
        case kSuperOuterCurve:
            a = 3;
            break;
        default:
            break;
    }
    const double scale = Circuit().PixelScale();
    const PointD p = t.P(a);
    const PointD q = t.P(19 - a);
    return PixelPoint{Round((p.x + q.x) / 2.0 / scale) - 8, Round((p.y + q.y) / 2.0 / scale) - 8};
}

}  // namespace quillet
