#pragma once
// The recent-files list of the File menu: the last circuits opened or saved,
// most recent first, at most eight, each file once. The list lives in the
// per-user configuration (TRecentStore); every change reads it afresh and
// writes it back at once, so two windows of the program add to one list
// instead of overwriting each other's.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quillet {

class TRecentFiles {
public:
    static constexpr std::size_t kLimit = 8;

    TRecentFiles() = default;
    // A list as stored: empty names and repeats of a file are dropped, and
    // anything past the limit.
    explicit TRecentFiles(const std::vector<std::string>& paths);

    // The file goes to the top; an earlier entry for the same file (however
    // it was written: relative, with "..", through a link) goes away.
    void Add(const std::string& path);
    void Clear() { paths_.clear(); }
    const std::vector<std::string>& Paths() const { return paths_; }

    // What the menu shows: the entries whose file is there, in order. A
    // missing file stays in the list (a disk may come back) but is not shown.
    std::vector<std::string> Shown(const std::function<bool(const std::string&)>& exists = FileExists) const;

    // The menu texts of the shown entries: "&1 Oval.QLC" up to "&8 ...", with
    // any "&" in a name doubled; when two shown files share a name, each
    // carries its folder too.
    static std::vector<std::string> MenuTexts(const std::vector<std::string>& shown);

    // An existing regular file.
    static bool FileExists(const std::string& path);
    // The form two names of one file share: absolute, without "." and "..",
    // links resolved as far as the path exists.
    static std::string Normalised(const std::string& path);

private:
    std::vector<std::string> paths_;
};

// Where the list is kept between runs.
class TRecentStore {
public:
    virtual ~TRecentStore() = default;
    virtual std::vector<std::string> Load() = 0;
    virtual void Save(const std::vector<std::string>& paths) = 0;
};

// A store that keeps the list for the run only.
class TMemoryRecentStore final : public TRecentStore {
public:
    std::vector<std::string> Load() override { return paths; }
    void Save(const std::vector<std::string>& list) override { paths = list; }
    std::vector<std::string> paths;
};

}  // namespace quillet
