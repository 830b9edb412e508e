#pragma once
// What the editor needs from the program around it while a command runs and
// that is not a question to the user (those go through TPrompter): the busy
// cursor, the beep, where the long closing search runs, and a redraw in the
// middle of a command. The main window does them for real; an editor with no
// window gets TQuietHost.

#include "tools/Closing.h"

namespace quillet {

class TEditorHost {
public:
    virtual ~TEditorHost() = default;

    // The busy cursor around a search that runs on the user's thread.
    virtual void Busy(bool on) = 0;
    // The system beep.
    virtual void Beep() = 0;
    // Runs the plain or the stock closing of the plan; a window shows the
    // progress (TForm6, 0..132) with a Cancel button, and a cancelled search
    // comes back with `cancelled` set.
    virtual SearchResult SearchClosing(const ClosingPlan& plan) = 0;
    // The circuit changed in the middle of a command: the window redraws it
    // before the command asks its next question.
    virtual void CircuitChanged() = 0;
};

// For an editor with no window (the command-line tool, benchmarks, tests):
// the search runs here and now, to its end, and there is nothing to show.
class TQuietHost final : public TEditorHost {
public:
    void Busy(bool) override {}
    void Beep() override {}
    SearchResult SearchClosing(const ClosingPlan& plan) override { return RunExhaustiveClosing(plan); }
    void CircuitChanged() override {}
};

}  // namespace quillet
