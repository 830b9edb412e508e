#include "app/Recovery.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <utility>

#include "model/FileIO.h"
#include "platform/Platform.h"

namespace quillet {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kMarkerFormat = "Quillet recovery 1";
constexpr std::string_view kCircuitSuffix = ".QLC";
constexpr std::string_view kMarkerSuffix = ".recovery";

std::optional<uint64_t> Unsigned(std::string_view text) {
    uint64_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

std::string Escaped(std::string_view value) {
    std::string out;
    for (const char c : value) {
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

// The marker's title only names the copy in the question at start-up, and
// the marker is read with a small cap: a title from a file with an enormous
// first line must not make the marker unreadable and its copy never offered.
// The circuit copy keeps the whole title.
constexpr std::size_t kMaxMarkerTitleBytes = 1000;

std::string_view ShortTitle(std::string_view title) {
    if (title.size() <= kMaxMarkerTitleBytes) return title;
    std::size_t end = kMaxMarkerTitleBytes;
    // Not inside a UTF-8 character.
    while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
    return title.substr(0, end);
}

std::string Unescaped(std::string_view value) {
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[++i];
        out += next == 'n' ? '\n' : next == 'r' ? '\r' : next;
    }
    return out;
}

// A file of the folder: the name its pair shares ("1234", or "1234-2" for a
// copy set aside, below) and the process id that name starts with.
struct PairName {
    std::string stem;
    int64_t pid = 0;
};

// "1234.QLC", "1234-2.recovery", ".1234.QLC.ab12Cd" (a temporary file), or
// nothing for a name of no copy.
std::optional<PairName> PairOfName(std::string_view name) {
    if (!name.empty() && name.front() == '.') name.remove_prefix(1);
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view stem = name.substr(0, dot);
    const std::size_t dash = stem.find('-');
    const auto pid = Unsigned(stem.substr(0, dash));
    if (!pid || *pid == 0) return std::nullopt;
    if (dash != std::string_view::npos && !Unsigned(stem.substr(dash + 1))) return std::nullopt;
    return PairName{std::string(stem), static_cast<int64_t>(*pid)};
}

bool EndsWith(std::string_view s, std::string_view suffix) {
    return s.size() >= suffix.size() && s.substr(s.size() - suffix.size()) == suffix;
}

void RemoveFile(const std::string& path) {
    std::error_code ec;
    fs::remove(path, ec);
}

}  // namespace

// ---------------------------------------------------------------------------
// Processes

TProcessMark ThisProcess() {
    TProcessMark mark;
    mark.pid = platform::CurrentProcessId();
    mark.bootId = platform::BootId();
    mark.startTicks = platform::ProcessStartTicks(mark.pid);
    return mark;
}

bool ProcessRuns(const TProcessMark& mark) {
    if (mark.pid <= 0) return false;
    if (!mark.bootId.empty()) {
        const std::string boot = platform::BootId();
        if (!boot.empty() && boot != mark.bootId) return false;
    }
    return platform::ProcessRuns(mark.pid, mark.startTicks);
}

// ---------------------------------------------------------------------------
// The marker

std::string MarkerBytes(const TRecoveryMarker& m) {
    std::string out(kMarkerFormat);
    out += "\npid " + std::to_string(m.writer.pid);
    out += "\nboot " + Escaped(m.writer.bootId);
    out += "\nstart " + std::to_string(m.writer.startTicks);
    out += "\nfile " + Escaped(m.circuitPath);
    out += "\ntitle " + Escaped(ShortTitle(m.title));
    out += "\n";
    return out;
}

std::optional<TRecoveryMarker> ParseMarker(std::string_view bytes) {
    std::vector<std::string_view> lines;
    while (!bytes.empty()) {
        const std::size_t end = std::min(bytes.find('\n'), bytes.size());
        lines.push_back(bytes.substr(0, end));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    if (lines.empty() || lines.front() != kMarkerFormat) return std::nullopt;
    TRecoveryMarker m;
    bool pidSeen = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = lines[i];
        const std::size_t blank = line.find(' ');
        const std::string_view key = line.substr(0, blank);
        const std::string_view value = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
        if (key == "pid") {
            const auto pid = Unsigned(value);
            if (!pid || *pid == 0) return std::nullopt;
            m.writer.pid = static_cast<int64_t>(*pid);
            pidSeen = true;
        } else if (key == "boot") {
            m.writer.bootId = Unescaped(value);
        } else if (key == "start") {
            m.writer.startTicks = Unsigned(value).value_or(0);
        } else if (key == "file") {
            m.circuitPath = Unescaped(value);
        } else if (key == "title") {
            m.title = Unescaped(value);
        }
    }
    if (!pidSeen) return std::nullopt;
    return m;
}

// ---------------------------------------------------------------------------
// This process's copy

TRecovery::TRecovery(std::string folder, TProcessMark self) : folder_(std::move(folder)), self_(std::move(self)) {
    SetAsideEarlierCopy();
}

void TRecovery::SetAsideEarlierCopy() const {
    // Files under this process's names before it wrote any are an earlier
    // session's whose process id came round again (after a restart, or in a
    // sandbox where ids start afresh): this session would overwrite or
    // remove them. They move to "<pid>-<n>", which is offered like any other
    // copy. Linked, not renamed, and the old names removed circuit first, so
    // that a whole pair stands at every moment.
    std::error_code ec;
    const fs::path circuit = CircuitFile();
    const fs::path marker = MarkerFile();
    const bool haveCircuit = fs::exists(fs::symlink_status(circuit, ec));
    const bool haveMarker = fs::exists(fs::symlink_status(marker, ec));
    if (!haveCircuit && !haveMarker) return;
    for (int n = 1; n < 1000; ++n) {
        const std::string stem = std::to_string(self_.pid) + "-" + std::to_string(n);
        const fs::path newCircuit = fs::path(folder_) / (stem + std::string(kCircuitSuffix));
        const fs::path newMarker = fs::path(folder_) / (stem + std::string(kMarkerSuffix));
        if (fs::exists(fs::symlink_status(newCircuit, ec)) || fs::exists(fs::symlink_status(newMarker, ec))) continue;
        const auto keep = [&](const fs::path& from, const fs::path& to) {
            std::error_code e;
            fs::create_hard_link(from, to, e);
            if (e) fs::copy_file(from, to, e);
            return !e;
        };
        if (haveCircuit && !keep(circuit, newCircuit)) return;
        if (haveMarker && !keep(marker, newMarker)) {
            RemoveFile(newCircuit.string());
            return;
        }
        RemoveFile(circuit.string());
        RemoveFile(marker.string());
        return;
    }
}

std::string TRecovery::CircuitFile() const {
    return (fs::path(folder_) / (std::to_string(self_.pid) + std::string(kCircuitSuffix))).string();
}

std::string TRecovery::MarkerFile() const {
    return (fs::path(folder_) / (std::to_string(self_.pid) + std::string(kMarkerSuffix))).string();
}

bool TRecovery::Noticed(bool unsavedWork) {
    if (!unsavedWork) {
        pending_ = false;
        Remove();
        return false;
    }
    if (pending_) return false;
    pending_ = true;
    return true;
}

bool TRecovery::Expired(bool unsavedWork, const TRecoverySnapshot& snapshot, std::string* error) {
    pending_ = false;
    if (!unsavedWork) {
        Remove();
        return true;
    }
    return Write(snapshot, error);
}

bool TRecovery::Write(const TRecoverySnapshot& s, std::string* error) {
    const bool sameMarker = written_ && written_->circuitPath == s.circuitPath && written_->title == s.title;
    if (sameMarker && written_->circuitBytes == s.circuitBytes) return true;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    if (!sameMarker) {
        const TRecoveryMarker marker{self_, s.circuitPath, s.title};
        if (!WriteFileAtomically(MarkerFile(), MarkerBytes(marker), error)) return false;
    }
    if (!WriteFileAtomically(CircuitFile(), s.circuitBytes, error)) {
        // The marker may now name a new file while the circuit on disk is the
        // previous copy: the next write must write both again.
        written_.reset();
        return false;
    }
    written_ = s;
    return true;
}

void TRecovery::Remove() {
    RemoveFile(CircuitFile());
    RemoveFile(MarkerFile());
    written_.reset();
}

// ---------------------------------------------------------------------------
// Copies left behind

std::vector<TRecoveryCopy> TRecovery::Abandoned(const std::function<bool(const TProcessMark&)>& runs) const {
    std::vector<std::pair<fs::file_time_type, TRecoveryCopy>> found;
    std::error_code ec;
    std::vector<fs::path> names;
    // Stepped with an error code: a folder that stops being readable halfway
    // ends the scan instead of throwing out of start-up.
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path());
    }
    for (const fs::path& p : names) {
        const std::string name = p.filename().string();
        const auto pair = PairOfName(name);
        if (!pair || pair->stem == std::to_string(self_.pid)) continue;
        const fs::path marker = p.parent_path() / (pair->stem + std::string(kMarkerSuffix));
        const fs::path circuit = p.parent_path() / (pair->stem + std::string(kCircuitSuffix));
        if (name.front() == '.') {
            // A temporary file of an atomic write that never finished.
            if (!runs(TProcessMark{pair->pid, {}, 0})) RemoveFile(p.string());
            continue;
        }
        if (EndsWith(name, kCircuitSuffix)) {
            // The marker goes last: a circuit alone is a removal cut short.
            if (!fs::exists(marker, ec)) RemoveFile(p.string());
            continue;
        }
        if (!EndsWith(name, kMarkerSuffix)) continue;
        const auto bytes = ReadFileBytes(p.string(), nullptr, 64 * 1024);
        const auto parsed = bytes ? ParseMarker(*bytes) : std::nullopt;
        if (!parsed || parsed->writer.pid != pair->pid || runs(parsed->writer)) continue;
        if (!fs::exists(circuit, ec)) {
            // Its writer died before the first circuit was written.
            RemoveFile(p.string());
            continue;
        }
        const fs::file_time_type time = fs::last_write_time(circuit, ec);
        found.push_back({time, {circuit.string(), p.string(), *parsed}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<TRecoveryCopy> copies;
    for (auto& f : found) copies.push_back(std::move(f.second));
    return copies;
}

void TRecovery::Discard(const TRecoveryCopy& copy) {
    RemoveFile(copy.circuitFile);
    RemoveFile(copy.markerFile);
}

}  // namespace quillet
