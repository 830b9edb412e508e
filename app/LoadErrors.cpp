#include "app/LoadErrors.h"

#include <filesystem>

#include "text/ExtraTexts.h"

namespace quillet {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string LoadErrorCaption(LoadKind kind) {
    switch (kind) {
        case LoadKind::Circuit:
            return Text(XText::LoadCircuitCaption);
        case LoadKind::Stock:
            return Text(XText::LoadStockCaption);
        case LoadKind::Template:
            return Text(XText::LoadTemplateCaption);
    }
    return Text(XText::ErrorCaption);
}

std::string WithCapital(std::string_view text) {
    std::string out(text);
    if (out.empty()) return out;
    const auto first = static_cast<unsigned char>(out[0]);
    if (first >= 'a' && first <= 'z') {
        out[0] = static_cast<char>(first - 'a' + 'A');
    } else if (first == 0xC3 && out.size() > 1) {
        // U+00E0..U+00FE, less the division sign, are the small Latin-1
        // letters; their capitals are 0x20 below.
        const auto second = static_cast<unsigned char>(out[1]);
        if (second >= 0xA0 && second <= 0xBE && second != 0xB7) out[1] = static_cast<char>(second - 0x20);
    }
    return out;
}

std::string LoadErrorText(std::string_view path, std::string_view message) {
    const std::string file(path);
    // The reader's two ways of naming the file before the reason.
    std::string reason(message);
    for (const std::string& prefix :
         {Format(Text(XText::CannotRead), file, std::string()), Format(Text(XText::CannotOpenFile), file) + ": "}) {
        if (StartsWith(reason, prefix)) {
            reason.erase(0, prefix.size());
            break;
        }
    }
    // A picture that did not load: the reader says no more than that.
    if (message == Format(Text(XText::CannotReadPicture), file)) reason = Text(XText::PictureUnreadable);
    const std::filesystem::path p(file);
    std::string text = Format(Text(XText::LoadErrorFile), p.filename().string());
    const std::string folder = p.parent_path().string();
    if (!folder.empty()) text += "\n" + Format(Text(XText::LoadErrorFolder), folder);
    if (!reason.empty()) text += "\n" + WithCapital(reason);
    return text;
}

}  // namespace quillet
