// The undo history on its own: the flag each state takes back, a save in
// between, a keep taken back by a command that changed nothing, and the
// notes that stay as written.

#include <gtest/gtest.h>

#include <utility>

#include "app/UndoHistory.h"

namespace quillet {
namespace {

TCircuit Titled(const char* title, bool modified) {
    TCircuit c;
    c.title = title;
    c.modified = modified;
    return c;
}

TEST(UndoHistory, EachStateComesBackAsSavedOrUnsavedAsItWasAndASaveMakesTheOtherUnsaved) {
    TUndoHistory history;
    // Saved state A is kept; the edit makes B, unsaved.
    TCircuit current = Titled("A", false);
    history.Keep(current);
    current = Titled("B", true);
    history.Undo(current);
    EXPECT_EQ(current.title, "A");
    EXPECT_FALSE(current.modified);
    // The kept copy holds no flag of its own; the flag it takes back is
    // kept beside it.
    EXPECT_EQ(history.Circuit().title, "B");
    EXPECT_FALSE(history.Circuit().modified);
    EXPECT_TRUE(history.KeptModified());
    history.Undo(current);
    EXPECT_EQ(current.title, "B");
    EXPECT_TRUE(current.modified);

    // B is saved: A, which was what the file held, no longer is. Undo must
    // not show A as saved; the redo brings B back as saved.
    current.modified = false;
    history.CurrentSaved();
    history.Undo(current);
    EXPECT_EQ(current.title, "A");
    EXPECT_TRUE(current.modified);
    history.Undo(current);
    EXPECT_EQ(current.title, "B");
    EXPECT_FALSE(current.modified);

    // Reset forgets both the state and its flag.
    history.Keep(Titled("C", true));
    history.Reset(Titled("fresh", true));
    EXPECT_FALSE(history.KeptModified());
    history.Undo(current);
    EXPECT_EQ(current.title, "fresh");
    EXPECT_FALSE(current.modified);
}

TEST(UndoHistory, ADroppedKeepPutsBackTheStateAndTheFlagItReplaced) {
    TUndoHistory history;
    history.Keep(Titled("older", true));
    // A command keeps, then finds it has nothing to do.
    TCircuit current = Titled("current", false);
    TUndoHistory::TMark mark = history.KeepMarked(current);
    EXPECT_EQ(history.Circuit().title, "current");
    EXPECT_FALSE(history.KeptModified());
    history.Drop(std::move(mark));
    EXPECT_EQ(history.Circuit().title, "older");
    EXPECT_TRUE(history.KeptModified());
    // Undo still goes back to the last real change.
    history.Undo(current);
    EXPECT_EQ(current.title, "older");
    EXPECT_TRUE(current.modified);
}

TEST(UndoHistory, NotesStayAsWrittenThroughUndoAndRedo) {
    TUndoHistory history;
    TCircuit current;
    current.notes = "kept with the copy";
    ASSERT_TRUE(current.Append(kStandardStraight, 1, 1));
    history.Keep(current);
    current.notes = "written since";
    ASSERT_TRUE(current.Append(kHalfStraight, 1, 1));
    history.Undo(current);
    EXPECT_EQ(current.Count(), 1);
    EXPECT_EQ(current.notes, "written since");
    history.Undo(current);
    EXPECT_EQ(current.Count(), 2);
    EXPECT_EQ(current.notes, "written since");
}

}  // namespace
}  // namespace quillet
