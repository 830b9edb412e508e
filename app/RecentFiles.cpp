#include "app/RecentFiles.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace quillet {

namespace fs = std::filesystem;

namespace {

std::string DoubledAmpersands(const std::string& text) {
    std::string out;
    for (const char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

}  // namespace

TRecentFiles::TRecentFiles(const std::vector<std::string>& paths) {
    // Added oldest first, so the first stored entry ends on top.
    for (auto it = paths.rbegin(); it != paths.rend(); ++it) {
        if (!it->empty()) Add(*it);
    }
}

std::string TRecentFiles::Normalised(const std::string& path) {
    std::error_code ec;
    fs::path p = fs::absolute(fs::path(path), ec);
    if (ec) p = fs::path(path);
    const fs::path canonical = fs::weakly_canonical(p, ec);
    return (ec ? p.lexically_normal() : canonical).string();
}

void TRecentFiles::Add(const std::string& path) {
    if (path.empty()) return;
    const std::string key = Normalised(path);
    std::erase_if(paths_, [&key](const std::string& p) { return Normalised(p) == key; });
    paths_.insert(paths_.begin(), key);
    if (paths_.size() > kLimit) paths_.resize(kLimit);
}

bool TRecentFiles::FileExists(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(path), ec);
}

std::vector<std::string> TRecentFiles::Shown(const std::function<bool(const std::string&)>& exists) const {
    std::vector<std::string> shown;
    std::copy_if(paths_.begin(), paths_.end(), std::back_inserter(shown), exists);
    return shown;
}

std::vector<std::string> TRecentFiles::MenuTexts(const std::vector<std::string>& shown) {
    std::map<std::string, int> uses;
    for (const std::string& p : shown) ++uses[fs::path(p).filename().string()];
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < shown.size() && i < kLimit; ++i) {
        const fs::path p(shown[i]);
        std::string label = p.filename().string();
        if (uses[label] > 1) label += "  (" + p.parent_path().string() + ")";
        texts.push_back("&" + std::to_string(i + 1) + " " + DoubledAmpersands(label));
    }
    return texts;
}

}  // namespace quillet
