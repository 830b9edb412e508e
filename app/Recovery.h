#pragma once
// Crash recovery: while the circuit holds unsaved work, a copy of it sits in
// the per-user data folder, so a session that ends without the save question
// (a crash, a kill, a power cut) loses at most the last few seconds.
//
// Each process keeps its own pair of files, named by its process id, so two
// windows of the program never touch each other's copy:
//   <pid>.QLC       the circuit in the ordinary circuit file format, notes
//                   included, written atomically;
//   <pid>.recovery  a marker: which file the circuit belongs to (none for an
//                   untitled one) and which process wrote it.
// The marker is written before the circuit and removed after it, so a circuit
// file never stands without its marker while its writer runs. A pair already
// under this process's names when it starts is an earlier session's whose id
// came round again: it is set aside as "<pid>-<n>" and offered like the rest.
//
// The policy is the window's timer: the first change with unsaved work starts
// a single-shot timer of kDelayMs; changes until it runs out go into the same
// copy, which is written only when it differs from the last one written. A
// circuit with nothing unsaved (saved, new, opened, or the session closing
// after the save question) loses its copy at once.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// A process, marked well enough to tell later whether it still runs: its id
// could be given to another process after a restart, so the boot and the
// moment the process started are kept too (empty or 0 where the system does
// not say).
struct TProcessMark {
    int64_t pid = 0;
    std::string bootId;
    uint64_t startTicks = 0;
    friend bool operator==(const TProcessMark&, const TProcessMark&) = default;
};

TProcessMark ThisProcess();
// True while the marked process runs (the same id, boot and start).
bool ProcessRuns(const TProcessMark& mark);

struct TRecoveryMarker {
    TProcessMark writer;
    std::string circuitPath;  // empty for an untitled circuit
    std::string title;
    friend bool operator==(const TRecoveryMarker&, const TRecoveryMarker&) = default;
};

// The marker file: UTF-8 lines "key value" under a first line naming the
// format; backslashes and line breaks inside a value are escaped. A title
// longer than a question can show is cut short there.
std::string MarkerBytes(const TRecoveryMarker& marker);
std::optional<TRecoveryMarker> ParseMarker(std::string_view bytes);

// What the editor hands over for a copy.
struct TRecoverySnapshot {
    std::string circuitBytes;  // the circuit file as Save would write it
    std::string circuitPath;
    std::string title;
};

// A copy left behind by a session that did not end cleanly.
struct TRecoveryCopy {
    std::string circuitFile;
    std::string markerFile;
    TRecoveryMarker marker;
};

class TRecovery {
public:
    static constexpr int kDelayMs = 2000;

    explicit TRecovery(std::string folder, TProcessMark self = ThisProcess());

    const std::string& Folder() const { return folder_; }
    // This process's pair of files.
    std::string CircuitFile() const;
    std::string MarkerFile() const;
    bool HasCopy() const { return written_.has_value(); }

    // After a refresh or an edit of the notes. True when the window must
    // start its timer: there is unsaved work and no timer runs yet. Without
    // unsaved work the copy goes at once.
    bool Noticed(bool unsavedWork);
    // The timer ran out: the copy follows the editor. False, with the cause,
    // when it could not be written (the previous copy then stays).
    bool Expired(bool unsavedWork, const TRecoverySnapshot& snapshot, std::string* error = nullptr);
    // Writes the copy now, unless the same copy is already written.
    bool Write(const TRecoverySnapshot& snapshot, std::string* error = nullptr);
    // This process's copy goes (saved, or the session ends cleanly).
    void Remove();

    // The copies whose writer no longer runs, newest first. Leftovers that
    // can never be offered (a marker without its circuit, a circuit without
    // its marker, a half-written temporary file of a gone process) are
    // removed on the way; a marker that cannot be read is left alone.
    std::vector<TRecoveryCopy> Abandoned(const std::function<bool(const TProcessMark&)>& runs = ProcessRuns) const;
    // Removes a copy that was restored or declined.
    static void Discard(const TRecoveryCopy& copy);

private:
    void SetAsideEarlierCopy() const;

    std::string folder_;
    TProcessMark self_;
    bool pending_ = false;
    // What the files on disk hold, once written.
    std::optional<TRecoverySnapshot> written_;
};

}  // namespace quillet
