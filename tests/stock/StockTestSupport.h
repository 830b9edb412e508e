#pragma once
// Circuits built piece by piece, and scratch folders, for the stock tests.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/Tracks.h"

namespace quillet::test {

struct Piece {
    int type = 0;
    int brandFlag = 1;  // 1 NINCO width, 0 SCX width
};

// A chain of the given pieces on `lanePairs` lane pairs, each at the exit of
// the one before.
inline TCircuit Circuit(int lanePairs, const std::vector<Piece>& pieces) {
    TCircuit c;
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    for (const Piece& p : pieces) c.Append(p.type, 0, p.brandFlag);
    c.ReLay(false);
    return c;
}

// A fresh folder under the system's temporary folder, removed with all it
// holds (permissions restored first).
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "quillet-stock-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    ~TempDir() {
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ec);
        }
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace quillet::test
