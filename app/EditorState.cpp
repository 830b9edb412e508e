// The editor's creation, the fresh state of window creation and New, the
// refresh FormActualize (what it changes; what it shows is the projection's)
// and the status panels' texts.

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "app/Editor.h"
#include "app/Projection.h"
#include "model/Numeric.h"
#include "text/Languages.h"

namespace quillet {

namespace {

constexpr int32_t kStartAreaLength = 3000;  // mm
constexpr int32_t kStartAreaWidth = 2000;
constexpr int kTrackLimitWarning = 284;  // panel 1 warns at exactly this count
constexpr int kSingleRacingLoop = 8;     // pieces of one end loop

}  // namespace

int32_t MinimumScaleFor(int32_t areaLength, int32_t areaWidth) {
    const double cells = (areaLength / 2000.0) * (areaWidth / 2000.0);
    return std::max(Trunc(std::sqrt(std::max(cells, 0.0))) + 1, 3);
}

TEditor::TEditor(TPrompter& prompter, TEditorHost& host, TTemplatePicture& templatePicture)
    : prompter_(prompter), host_(host), template_(templatePicture) {
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
    undoFile_.reset();
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

TWindowState TEditor::FormActualize() {
    view_.SetPlacementMode(false);
    view_.SetMeasuringMode(false);
    view_.SetMinimumScale(MinimumScaleFor(WorkAreaLength(), WorkAreaWidth()));
    RaiseScaleToMinimum();
    if (FirstFlaggedTrack() == 0) ShowBorderDefaults();
    if (Circuit().Count() == 0) CentreEmptyCircuit();

    TWindowState s = ProjectWindow(*this);
    controls_ = s.controls;
    s.scrollTo = view_.TakeScroll();
    return s;
}

void TEditor::FormKeyDownAlt6() {
    // The controls Alt+6 shows and hides go together: the first one says
    // whether they are shown now.
    std::optional<bool> show;
    for (const TCommandDef& d : Commands()) {
        for (const auto& [id, shown] : {std::pair{d.item, d.itemShown}, std::pair{d.button, d.buttonShown}}) {
            if (shown != Shown::ByAlt6) continue;
            if (!show) show = !controls_.visible[id];
            controls_.visible.Set(id, *show);
        }
    }
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
