// Crash recovery without the window: the marker, telling a gone writer from
// a running one, the timer policy, copies of several processes side by side,
// and the editor restoring or declining a copy.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "ScriptedPrompter.h"
#include "app/Recovery.h"
#include "model/FileIO.h"
#include "model/Tracks.h"

namespace quillet::test {
namespace {

namespace fs = std::filesystem;

// A writer from an earlier start of the system: never running now.
TProcessMark Gone(int64_t pid) { return {pid, "an-earlier-boot", 1}; }

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.insert(e.path().filename().string());
    return names;
}

TRecoverySnapshot Snapshot(const std::string& bytes, const std::string& path = {}) { return {bytes, path, "Title"}; }

class RecoveryTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        folder = fs::temp_directory_path() / ("quillet-recovery-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::remove_all(folder);
        EditorTest::TearDown();
    }
    std::string F(const std::string& name) const { return (folder / name).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(F(name), std::ios::binary) << bytes;
    }

    fs::path folder;
};

TEST_F(RecoveryTest, MarkerNamesTheFileAndTheWriter) {
    const TRecoveryMarker m{{4321, "0b5e-77", 99887766}, "/home/ana/odd\\name\nwith break.QLC", "Sin Título"};
    const std::string bytes = MarkerBytes(m);
    EXPECT_EQ(bytes.find('\n'), std::string("Quillet recovery 1").size());
    EXPECT_EQ(ParseMarker(bytes), m);

    // An untitled circuit has no file.
    const TRecoveryMarker untitled{{7, "", 0}, "", "Untitled 3"};
    EXPECT_EQ(ParseMarker(MarkerBytes(untitled)), untitled);

    // Anything else is not a marker.
    EXPECT_FALSE(ParseMarker("").has_value());
    EXPECT_FALSE(ParseMarker("Quillet recovery 1\nfile /a.QLC\n").has_value());  // no writer
    EXPECT_FALSE(ParseMarker("Quillet recovery 1\npid x\n").has_value());
    EXPECT_FALSE(ParseMarker("Quillet recovery 9\npid 12\n").has_value());
}

TEST_F(RecoveryTest, AWriterRunsOnlyWhileItsIdBootAndStartMatch) {
    const TProcessMark self = ThisProcess();
    EXPECT_TRUE(ProcessRuns(self));
    EXPECT_GT(self.startTicks, 0u);
    EXPECT_FALSE(self.bootId.empty());

    // The same id after a restart, or taken by a later process.
    EXPECT_FALSE(ProcessRuns({self.pid, "an-earlier-boot", self.startTicks}));
    EXPECT_FALSE(ProcessRuns({self.pid, self.bootId, self.startTicks + 1}));

    // A process that ended.
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    ASSERT_GT(child, 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_FALSE(ProcessRuns({child, self.bootId, 0}));
    EXPECT_FALSE(ProcessRuns({0, self.bootId, 0}));

    // A writer that ended (killed, say) while its parent has not collected
    // it yet: its id still shows in /proc, but it will never write again.
    int ticks[2];
    ASSERT_EQ(::pipe(ticks), 0);
    const pid_t ended = ::fork();
    if (ended == 0) {
        const uint64_t start = ThisProcess().startTicks;
        const ssize_t n = ::write(ticks[1], &start, sizeof start);
        ::_exit(n == sizeof start ? 0 : 1);
    }
    ASSERT_GT(ended, 0);
    ::close(ticks[1]);
    uint64_t endedStart = 0;
    ASSERT_EQ(::read(ticks[0], &endedStart, sizeof endedStart), static_cast<ssize_t>(sizeof endedStart));
    ::close(ticks[0]);
    siginfo_t info{};
    ASSERT_EQ(::waitid(P_PID, static_cast<id_t>(ended), &info, WEXITED | WNOWAIT), 0);  // ended, not collected
    ASSERT_TRUE(fs::exists("/proc/" + std::to_string(ended) + "/stat"));
    EXPECT_FALSE(ProcessRuns({ended, self.bootId, endedStart}));
    EXPECT_FALSE(ProcessRuns({ended, self.bootId, 0}));
    ASSERT_EQ(::waitpid(ended, &status, 0), ended);
}

TEST_F(RecoveryTest, TheTimerWritesChangedWorkAndSavedWorkLosesItsCopy) {
    TRecovery r(folder.string(), {101, "boot", 5});
    EXPECT_EQ(r.CircuitFile(), F("101.QLC"));
    EXPECT_EQ(r.MarkerFile(), F("101.recovery"));

    // The first change starts the timer; later ones wait for it.
    EXPECT_TRUE(r.Noticed(true));
    EXPECT_FALSE(r.Noticed(true));
    EXPECT_TRUE(Names(folder).empty());

    EXPECT_TRUE(r.Expired(true, Snapshot("circuit one", "/c/Oval.QLC")));
    EXPECT_EQ(Names(folder), (std::set<std::string>{"101.QLC", "101.recovery"}));
    std::string written;
    std::getline(std::ifstream(F("101.QLC"), std::ios::binary), written);
    EXPECT_EQ(written, "circuit one");
    const auto marker = ParseMarker(*ReadFileBytes(F("101.recovery")));
    ASSERT_TRUE(marker.has_value());
    EXPECT_EQ(marker->circuitPath, "/c/Oval.QLC");
    EXPECT_EQ(marker->writer, (TProcessMark{101, "boot", 5}));

    // The timer ran out: the next change starts it again. The same work is
    // not written again (the copy removed behind its back stays away).
    EXPECT_TRUE(r.Noticed(true));
    fs::remove(F("101.QLC"));
    EXPECT_TRUE(r.Expired(true, Snapshot("circuit one", "/c/Oval.QLC")));
    EXPECT_FALSE(fs::exists(F("101.QLC")));
    EXPECT_TRUE(r.Expired(true, Snapshot("circuit two", "/c/Oval.QLC")));
    std::getline(std::ifstream(F("101.QLC"), std::ios::binary), written);
    EXPECT_EQ(written, "circuit two");

    // Saved (or New, Open): the copy goes at once, and no timer is wanted.
    EXPECT_TRUE(r.Noticed(true));
    EXPECT_FALSE(r.Noticed(false));
    EXPECT_TRUE(Names(folder).empty());
    EXPECT_FALSE(r.HasCopy());
    // A timer still running when the work was saved writes nothing.
    EXPECT_TRUE(r.Expired(false, Snapshot("circuit three")));
    EXPECT_TRUE(Names(folder).empty());

    // A folder that cannot be made: the cause, and the next write tries again.
    TRecovery nowhere((folder / "file" / "sub").string(), {102, "boot", 5});
    Write("file", "a file where the folder would go");
    std::string error;
    EXPECT_FALSE(nowhere.Write(Snapshot("x"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(nowhere.HasCopy());
}

TEST_F(RecoveryTest, WindowsKeepTheirOwnCopiesAndOnlyGoneOnesAreOffered) {
    TRecovery a(folder.string(), {201, "boot", 1});
    TRecovery b(folder.string(), {202, "boot", 1});
    ASSERT_TRUE(a.Write(Snapshot("work of a")));
    ASSERT_TRUE(b.Write(Snapshot("work of b", "/b.QLC")));
    b.Remove();
    EXPECT_EQ(Names(folder), (std::set<std::string>{"201.QLC", "201.recovery"}));

    // A third window sees nothing to offer while the first one runs ...
    const TRecovery c(folder.string(), {203, "boot", 1});
    const auto running = [](const TProcessMark& m) { return m.pid == 201; };
    EXPECT_TRUE(c.Abandoned(running).empty());
    EXPECT_TRUE(fs::exists(F("201.QLC")));

    // ... and its copy once it is gone. Leftovers that can never be offered
    // go on the way: a marker whose circuit was never written, a circuit
    // whose marker went, a temporary file of a write cut short. A marker
    // that cannot be read is left alone.
    Write("204.recovery", MarkerBytes({Gone(204), "", "x"}));
    Write("205.QLC", "orphan");
    Write(".206.QLC.Ab12Cd", "half written");
    Write("207.recovery", "not a marker");
    Write("notes.txt", "someone else's");
    const auto gone = [](const TProcessMark&) { return false; };
    const std::vector<TRecoveryCopy> copies = c.Abandoned(gone);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].circuitFile, F("201.QLC"));
    EXPECT_EQ(copies[0].markerFile, F("201.recovery"));
    EXPECT_EQ(copies[0].marker.writer.pid, 201);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"201.QLC", "201.recovery", "207.recovery", "notes.txt"}));

    // Newest first.
    TRecovery d(folder.string(), {208, "boot", 1});
    ASSERT_TRUE(d.Write(Snapshot("later work")));
    fs::last_write_time(F("208.QLC"), fs::last_write_time(F("201.QLC")) + std::chrono::seconds(5));
    const std::vector<TRecoveryCopy> both = c.Abandoned(gone);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(both[0].marker.writer.pid, 208);
    EXPECT_EQ(both[1].marker.writer.pid, 201);

    TRecovery::Discard(both[1]);
    EXPECT_EQ(Names(folder), (std::set<std::string>{"208.QLC", "208.recovery", "207.recovery", "notes.txt"}));
}

TEST_F(RecoveryTest, YesRestoresTheWorkAsUnsavedAndNoDiscardsIt) {
    // The copies two crashed sessions left: an untitled circuit with notes,
    // the newer, and an edited "Oval" from a file.
    TCircuit untitled(1500, 1000);
    AppendPieces(untitled, kStandardCurve, 4);
    untitled.title = "Untitled 2";
    untitled.notes = "Club race\nSunday";
    TRecovery first(folder.string(), Gone(301));
    ASSERT_TRUE(first.Write({CircuitFileBytes(untitled, untitled.title, '.'), "", untitled.title}));
    TCircuit oval(1500, 1000);
    AppendPieces(oval, kStandardStraight, 6);
    oval.workAreaLength = 5000;
    TRecovery second(folder.string(), Gone(302));
    ASSERT_TRUE(second.Write({CircuitFileBytes(oval, "Oval", '.'), "/home/ana/Oval.QLC", "Oval"}));
    fs::last_write_time(F("301.QLC"), fs::last_write_time(F("302.QLC")) + std::chrono::seconds(5));

    const TProcessMark self = ThisProcess();
    TRecovery mine(folder.string(), self);
    prompter.yesNoAnswers = {false, true};
    EXPECT_TRUE(editor.OfferRecovery(mine));
    ASSERT_EQ(prompter.log.size(), 2u);
    EXPECT_EQ(prompter.log[0],
              "yes/no Quillet did not close properly and left unsaved changes to “Untitled 2”.\n"
              "Do you wish to recover them? If you answer No, they are discarded.");
    EXPECT_NE(prompter.log[1].find("“Oval” (/home/ana/Oval.QLC)"), std::string::npos) << prompter.log[1];

    // The restored circuit must be saved: modified, even after an Undo.
    EXPECT_EQ(editor.Circuit().Count(), 6);
    EXPECT_EQ(editor.Circuit().title, "Oval");
    EXPECT_EQ(editor.CurrentPath(), "/home/ana/Oval.QLC");
    EXPECT_EQ(editor.WorkAreaLength(), 5000);
    EXPECT_TRUE(editor.Circuit().modified);
    editor.ToolButton44Click();
    EXPECT_TRUE(editor.HasUnsavedWork());
    EXPECT_EQ(editor.Circuit().Count(), 6);

    // The declined copy and the restored one are gone; this session's own
    // copy holds the work now.
    const std::string own = std::to_string(self.pid);
    EXPECT_EQ(Names(folder), (std::set<std::string>{own + ".QLC", own + ".recovery"}));
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(*ReadFileBytes(F(own + ".QLC")), "copy", back));
    EXPECT_EQ(back.Count(), 6);
    EXPECT_EQ(back.workAreaLength, 5000);
    EXPECT_EQ(ParseMarker(*ReadFileBytes(F(own + ".recovery")))->circuitPath, "/home/ana/Oval.QLC");

    // Nothing left to offer.
    prompter.log.clear();
    EXPECT_FALSE(editor.OfferRecovery(mine));
    EXPECT_TRUE(prompter.log.empty());
}

TEST_F(RecoveryTest, ACopyLeftUnderThisProcesssIdIsOfferedAndNeverOverwritten) {
    // After a power cut the system may give this session the process id the
    // crashed one had (a sandbox's process ids start afresh every time): its
    // files carry this session's names, but they are the crashed session's work.
    const TProcessMark self = ThisProcess();
    TCircuit oval(1500, 1000);
    AppendPieces(oval, kStandardStraight, 6);
    {
        TRecovery crashed(folder.string(), Gone(self.pid));
        ASSERT_TRUE(crashed.Write({CircuitFileBytes(oval, "Oval", '.'), "/home/ana/Oval.QLC", "Oval"}));
    }
    TCircuit newer(1500, 1000);
    AppendPieces(newer, kStandardCurve, 4);
    {
        TRecovery other(folder.string(), Gone(self.pid + 1));
        ASSERT_TRUE(other.Write({CircuitFileBytes(newer, "Curves", '.'), "", "Curves"}));
    }
    fs::last_write_time(F(std::to_string(self.pid + 1) + ".QLC"),
                        fs::last_write_time(F(std::to_string(self.pid) + ".QLC")) + std::chrono::seconds(5));

    // The first refresh has nothing unsaved: this session's copy goes, and
    // only that.
    TRecovery mine(folder.string(), self);
    EXPECT_FALSE(mine.Noticed(false));
    const auto onlyThisRuns = [&](const TProcessMark& m) { return m == self; };
    EXPECT_EQ(TRecovery(folder.string(), {1, "boot", 1}).Abandoned(onlyThisRuns).size(), 2u);

    // Yes to the newer copy: the session's own copy of it must not take the
    // older one's place.
    prompter.yesNoAnswers = {true};
    EXPECT_TRUE(editor.OfferRecovery(mine));
    EXPECT_EQ(editor.Circuit().Count(), 4);
    const std::vector<TRecoveryCopy> left = TRecovery(folder.string(), {1, "boot", 1}).Abandoned(onlyThisRuns);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].marker.circuitPath, "/home/ana/Oval.QLC");
    TCircuit back;
    ASSERT_TRUE(ReadCircuitBytes(*ReadFileBytes(left[0].circuitFile), "copy", back));
    EXPECT_EQ(back.Count(), 6);

    // The next session offers it, and Yes brings the work back.
    prompter.yesNoAnswers = {true};
    TRecovery next(folder.string(), {self.pid + 2, "boot", 1});
    TEditor later(prompter, host, picture);
    EXPECT_TRUE(later.OfferRecovery(next));
    EXPECT_EQ(later.Circuit().Count(), 6);
    EXPECT_EQ(later.CurrentPath(), "/home/ana/Oval.QLC");
}

TEST_F(RecoveryTest, ACopyThatCannotBeWrittenIsSaidOnceAndTheWorkStaysUnsaved) {
    // The per-user data folder is a file: no copy can ever be written.
    Write("data", "a file where the folder would go");
    TRecovery nowhere((folder / "data" / "recovery").string(), {501, "boot", 1});
    editor.ToolButton24Click();
    ASSERT_TRUE(editor.HasUnsavedWork());

    editor.RecoveryExpired(nowhere);
    ASSERT_EQ(prompter.log.size(), 1u);
    EXPECT_EQ(prompter.log[0].rfind("error Cannot write the recovery copy in " + nowhere.Folder() + ": ", 0), 0u)
        << prompter.log[0];
    EXPECT_NE(prompter.log[0].find("the unsaved changes are lost"), std::string::npos);
    EXPECT_TRUE(editor.HasUnsavedWork());

    // Once: every later attempt fails as quietly as the editing goes on.
    editor.ToolButton24Click();
    editor.RecoveryExpired(nowhere);
    EXPECT_EQ(prompter.log.size(), 1u);
    EXPECT_EQ(editor.Circuit().Count(), 2);
}

TEST_F(RecoveryTest, AGiantTitleStillLeavesACopyToOffer) {
    // A circuit whose file held an enormous first line: its copy must still
    // be offered after a crash, and restored whole.
    TCircuit odd(1500, 1000);
    AppendPieces(odd, kStandardStraight, 3);
    const std::string title = std::string(100000, 'T') + "é";
    {
        TRecovery crashed(folder.string(), Gone(401));
        ASSERT_TRUE(crashed.Write({CircuitFileBytes(odd, title, '.'), "/home/ana/odd.QLC", title}));
    }
    const std::vector<TRecoveryCopy> copies =
        TRecovery(folder.string(), {402, "boot", 1}).Abandoned([](const TProcessMark&) { return false; });
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0].marker.circuitPath, "/home/ana/odd.QLC");
    // The question names it by as much of the title as a question can show.
    EXPECT_EQ(copies[0].marker.title.substr(0, 100), std::string(100, 'T'));
    EXPECT_LT(copies[0].marker.title.size(), 4096u);

    TRecovery mine(folder.string(), ThisProcess());
    prompter.yesNoAnswers = {true};
    EXPECT_TRUE(editor.OfferRecovery(mine));
    EXPECT_EQ(editor.Circuit().title, title);
    EXPECT_EQ(editor.Circuit().Count(), 3);
    EXPECT_EQ(editor.CurrentPath(), "/home/ana/odd.QLC");
}

TEST_F(RecoveryTest, TheCopyCarriesTheNotesAndAnUntitledCircuitStaysUntitled) {
    editor.StartUp();
    AppendPieces(editor.Circuit(), kStandardCurve, 3);
    editor.Circuit().modified = true;
    editor.Memo1Change("Bring the lap counter");
    const TRecoverySnapshot s = editor.RecoverySnapshot();
    EXPECT_EQ(s.title, "Untitled");
    EXPECT_EQ(s.circuitPath, "");

    TRecovery crashed(folder.string(), Gone(401));
    ASSERT_TRUE(crashed.Write(s));
    ScriptedPrompter later;
    ScriptedHost laterHost{later.log};
    FakeTemplate picture2;
    TEditor restarted(later, laterHost, picture2);
    restarted.StartUp();
    TRecovery mine(folder.string(), ThisProcess());
    later.yesNoAnswers = {true};
    ASSERT_TRUE(restarted.OfferRecovery(mine));
    EXPECT_EQ(restarted.Circuit().Count(), 3);
    EXPECT_EQ(restarted.Circuit().title, "Untitled");
    EXPECT_EQ(restarted.Notes(), "Bring the lap counter");
    EXPECT_EQ(restarted.CurrentPath(), "");

    // Saving it asks for a name, under its title.
    later.saveNames = {std::nullopt};
    restarted.FileSave1Execute();
    EXPECT_EQ(later.log.back(), "save as Untitled");
}

}  // namespace
}  // namespace quillet::test
