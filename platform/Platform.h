#pragma once
// What the program asks of the operating system beyond the standard library:
// whether a process still runs, and reading and writing files so that a
// crash or a power cut never leaves a damaged one. Everything else the core
// does with files goes through std::filesystem.
//
// One implementation per system, in one file: PlatformPosix.cpp for Linux
// (and, with its fallbacks, other POSIX systems). A port to another system
// supplies another file with these functions and nothing else changes.
//
// Failures are errno values (<cerrno>), which the text layer turns into
// words; a port maps its system's errors onto them. Besides those, the
// negative causes below.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace quillet::platform {

inline constexpr int kNotRegularFile = -1;  // a pipe, a device, a socket
inline constexpr int kFileTooLarge = -2;    // beyond the caller's cap
inline constexpr int kWriteProtected = -3;  // the user asked for it not to be written

// ---------------------------------------------------------------------------
// Processes

int64_t CurrentProcessId();
// Tells this boot of the machine from the others; empty when the system
// does not say.
std::string BootId();
// When the process started, in the system's own units, to tell it from a
// later process given the same id; 0 when the system does not say.
uint64_t ProcessStartTicks(int64_t pid);
// Whether the process with this id runs and can still act: one that has
// ended but is not yet collected by its parent does not. A nonzero
// `startTicks` must also match ProcessStartTicks of the process found.
bool ProcessRuns(int64_t pid, uint64_t startTicks);

// ---------------------------------------------------------------------------
// Files

// Opens a regular file for reading without ever waiting (a named pipe
// would hold the open until some writer came). Returns a descriptor for
// ReadOpenFile and CloseFile, or -1 with the cause in `err` (EISDIR for a
// folder, kNotRegularFile for anything else but a regular file).
int OpenRegularFile(const std::string& path, int* err);
void CloseFile(int fd);
// Appends the rest of an open file to `bytes`; fails with kFileTooLarge
// once `bytes` would exceed `maxBytes`.
bool ReadOpenFile(int fd, std::string& bytes, std::size_t maxBytes, int* err);

struct ReplaceOutcome {
    int err = 0;  // 0 when the new file is in place and flushed
    // The new file is in place but the folder could not be flushed: a crash
    // may still bring back the old file, or none.
    bool notConfirmed = false;
};
// Writes `bytes` to a temporary file beside `path`, flushes it and puts it
// in place of `path` in one step. The old file's permissions, and its owner
// and group as far as the user may give them, are kept; a write-protected
// file is refused (kWriteProtected); leftovers of earlier replacements of
// the same file killed half-way are removed first, never one in progress.
// On failure other than notConfirmed, `path` is untouched and nothing is
// left behind. A symbolic link is followed, not replaced.
ReplaceOutcome ReplaceFileDurably(const std::string& path, std::string_view bytes);

// Creates `path`, which must not exist (EEXIST when the name is taken), with
// `bytes`, flushed to disk. Returns 0 or the cause; on failure nothing is
// left under `path`.
int CreateFileDurably(const std::string& path, std::string_view bytes);

// Whether files can be made in the folder.
bool FolderWritable(const std::string& folder);

// What stands at `path` in the way of writing a file there, before anything
// is written: nothing (no entry, or a file that may be replaced), a folder,
// or a file the user made write-protected (as ReplaceFileDurably refuses).
enum class PathInTheWay { Nothing, Folder, WriteProtected };
PathInTheWay WhatIsInTheWay(const std::string& path);

}  // namespace quillet::platform
