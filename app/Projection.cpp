#include "app/Projection.h"

namespace quillet {

namespace {

constexpr int kSingleRacingMaxTracks = 285;  // single racing is offered below this

bool IsChicanePiece(int type) { return type == kStartingChicane || type == kStraightChicane || type == kCurvedChicane; }

}  // namespace

TCommandFacts FactsOf(const TEditor& editor) {
    const TCircuit& c = editor.Circuit();
    TCommandFacts f{editor, c};
    f.count = c.Count();
    const int first = c.firstSelected;
    f.selection = first != 0;
    f.room = f.count < TCircuit::kMaxTracks;
    f.lanePairs = c.LanePairs();
    f.noStartingStraight = !c.ContainsType(kStartingStraight);
    if (first >= 1 && first <= f.count) {
        const TTrack& s0 = c.Track(first);
        // Chicanes exist only in the SCX width.
        if (!s0.replaceMark && !s0.IsNincoWidth(c)) {
            f.insideChicane = IsChicanePiece(s0.type) && first < f.count && IsChicanePiece(c.Track(first + 1).type);
            f.chicaneStarts = !f.insideChicane;
            f.curvedChicane = f.insideChicane && f.lanePairs == 1;
        }
    }
    f.singleRacingAllowed = ((f.lanePairs == 1 && f.count > 0 && f.count < kSingleRacingMaxTracks) || c.singleRacing) &&
                            f.count > 0 && c.Track(1).IsNincoWidth(c) && c.Track(f.count).IsNincoWidth(c);
    return f;
}

TCommandStates ProjectCommands(const TEditor& editor) {
    const TCommandFacts facts = FactsOf(editor);
    TCommandStates states;
    for (const TCommandDef& def : Commands()) {
        TCommandState& s = states[def.id];
        s.enabled = def.enabled == nullptr || def.enabled(facts);
        s.checked = def.checked != nullptr && def.checked(facts);
    }
    return states;
}

TControlStates ProjectControls(const TEditor& editor, const TCommandStates& commands) {
    TControlStates s;
    s.enabled.SetAll(true);
    // Which controls show is the editor's to keep: the rows say which start
    // hidden, and Alt+6 changes it between refreshes.
    s.visible = editor.Controls().visible;
    for (const TCommandDef& def : Commands()) {
        const TCommandState& state = commands[def.id];
        for (const ControlId id : {def.item, def.button}) {
            if (id == kNoControl) continue;
            s.enabled.Set(id, state.enabled);
            s.pressed.Set(id, state.checked);
        }
    }
    // The separator after the Starting Straight button goes with the button,
    // but for the chicane rule.
    const TCommandFacts facts = FactsOf(editor);
    s.enabled.Set(ControlId::ToolButton21, facts.room && facts.noStartingStraight);
    return s;
}

TWindowState ProjectWindow(const TEditor& editor) {
    TWindowState s;
    s.caption = "Quillet - " + editor.Circuit().title;
    s.panel1 = editor.Panel1Text();
    s.panel2 = editor.SizePanelText();
    s.panel3 = editor.LaneLengthsPanelText();
    s.commands = ProjectCommands(editor);
    s.controls = ProjectControls(editor, s.commands);
    s.scale = editor.Circuit().scale;
    s.minimumScale = editor.MinimumScale();
    s.rulersShown = editor.RulersVisible();
    s.layout = editor.Layout();
    s.iconImage = editor.IconImage();
    s.surfaceImage = editor.SurfaceImage();
    return s;
}

}  // namespace quillet
