#include "stock/StockFile.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

#include "model/FileIO.h"
#include "platform/Platform.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet {

namespace {

namespace fs = std::filesystem;

// The file's 54 counts in line order, lines 2..55.
struct CountSlot {
    bool border;
    int brand;
    int index;
};

std::vector<CountSlot> CountSlots() {
    std::vector<CountSlot> slots;
    slots.reserve(kStockFileLines - 1);
    for (const int brand : {kScxIndex, kNincoIndex}) {
        for (int type = 0; type < kTrackTypeCount; ++type) slots.push_back({false, brand, type});
    }
    for (const int brand : {kScxIndex, kNincoIndex}) {
        for (int kind = 0; kind < kBorderKinds; ++kind) slots.push_back({true, brand, kind});
    }
    return slots;
}

// Digits with an optional sign: a whole number, if perhaps too large to hold.
bool IsDigits(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) s.remove_prefix(1);
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsBlank(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

bool IsWritableFolder(const fs::path& folder) { return platform::FolderWritable(folder.string()); }

bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// Creates `path`, which must not exist yet, with `bytes`, flushed to disk.
// EEXIST in `err` when the name is taken.
bool WriteNewFile(const std::string& path, std::string_view bytes, int* err) {
    *err = platform::CreateFileDurably(path, bytes);
    return *err == 0;
}

}  // namespace

std::optional<int32_t> ParseStockCount(std::string_view text) {
    const std::optional<int64_t> v = ParseInteger(text);
    if (!v || *v < 0 || *v > kMaxStockCount) return std::nullopt;
    return static_cast<int32_t>(*v);
}

TStockReadResult LoadStock(TTrackList& stock, std::string_view bytes) {
    TStockReadResult result;
    auto fault = [&result](StockFault f, int line) {
        if (result.Damaged()) return;
        result.fault = f;
        result.line = line;
    };

    // The files end lines with CR LF; one touched by a Linux text editor ends
    // them with LF alone, which reads the same.
    const std::vector<std::string_view> lines = SplitLines(bytes);
    const int available = static_cast<int>(std::min<std::size_t>(lines.size(), kStockFileLines));

    if (available >= 1) {
        if (const std::optional<int64_t> language = ParseInteger(lines[0])) {
            SetLanguageIndex(static_cast<int>(std::clamp<int64_t>(*language, INT_MIN, INT_MAX)));
            if (*language != kSpanish && *language != kEnglish) fault(StockFault::LanguageOutOfRange, 1);
        } else if (IsDigits(lines[0])) {
            SetLanguageIndex(INT_MAX);  // as any other number but 1 and 2
            fault(StockFault::LanguageOutOfRange, 1);
        } else {
            fault(StockFault::NotANumber, 1);
        }
    }

    stock.Clear();
    const std::vector<CountSlot> slots = CountSlots();
    for (int line = 2; line <= available; ++line) {
        const std::string_view text = lines[static_cast<std::size_t>(line - 1)];
        const std::optional<int32_t> count = ParseStockCount(text);
        if (!count) {
            fault(IsDigits(text) ? StockFault::CountOutOfRange : StockFault::NotANumber, line);
            result.zeroedLines.push_back(line);
            continue;
        }
        const CountSlot& slot = slots[static_cast<std::size_t>(line - 2)];
        if (slot.border) {
            stock.SetBorders(slot.brand, slot.index, *count);
        } else {
            stock.SetPieces(slot.brand, slot.index, *count);
        }
    }

    if (available < kStockFileLines) fault(StockFault::EndsEarly, available + 1);
    for (std::size_t i = kStockFileLines; i < lines.size(); ++i) {
        if (!IsBlank(lines[i])) {
            fault(StockFault::UnexpectedText, static_cast<int>(i) + 1);
            break;
        }
    }
    return result;
}

std::string StockFileBytes(const TTrackList& stock, int language) {
    std::string bytes = std::to_string(language) + "\r\n";
    for (const CountSlot& slot : CountSlots()) {
        const int32_t n = slot.border ? stock.Borders(slot.brand, slot.index) : stock.Pieces(slot.brand, slot.index);
        bytes += std::to_string(n);
        bytes += "\r\n";
    }
    return bytes;
}

std::string SaveStock(const TTrackList& stock) { return StockFileBytes(stock, LanguageIndex()); }

std::string StockFaultText(const TStockReadResult& result) {
    std::string detail;
    switch (result.fault) {
        case StockFault::None:
            return {};
        case StockFault::EndsEarly:
            detail = Text(XText::FileEndsEarly);
            break;
        case StockFault::NotANumber:
            detail = Text(XText::StockNotANumber);
            break;
        case StockFault::CountOutOfRange:
            detail = Format(Text(XText::StockCountOutOfRange), kMaxStockCount);
            break;
        case StockFault::LanguageOutOfRange:
            detail = Text(XText::StockLanguageOutOfRange);
            break;
        case StockFault::UnexpectedText:
            detail = Text(XText::StockUnexpectedText);
            break;
    }
    std::string text = Format(Text(XText::StockFileDamaged), result.line) + ": " + detail;
    // The first fault says what is wrong; the user also needs to know every
    // count that now reads 0, to put each right.
    if (result.zeroedLines.size() > 1) {
        constexpr std::size_t kNamed = 8;
        const std::size_t named = std::min(result.zeroedLines.size(), kNamed);
        std::string list;
        for (std::size_t i = 0; i < named; ++i) {
            if (i > 0) list += ", ";
            list += std::to_string(result.zeroedLines[i]);
        }
        if (result.zeroedLines.size() > named) {
            list += Format(Text(XText::StockMoreLines), static_cast<int>(result.zeroedLines.size() - named));
        }
        text += "; " + Format(Text(XText::StockCountsReadAsZero), list);
    }
    return text;
}

std::string StockFilePath(const std::string& programFolder, const std::string& userDataFolder) {
    const fs::path program = fs::path(programFolder) / kStockFileName;
    const fs::path user = fs::path(userDataFolder) / kStockFileName;
    const bool haveProgram = !programFolder.empty();
    const bool haveUser = !userDataFolder.empty();
    // An existing file wins wherever it is, so the choice stays the same from
    // one run to the next even when the program's folder becomes writable.
    if (haveProgram && Exists(program)) return program.string();
    if (haveUser && Exists(user)) return user.string();
    if (haveProgram && IsWritableFolder(programFolder)) return program.string();
    if (haveUser) return user.string();
    return program.string();
}

std::string TStockFile::Load(TTrackList& stock) {
    lastRead_ = {};
    damagedBytes_.clear();
    damagedCopy_.clear();
    copyPending_ = false;
    unreadable_ = false;

    std::error_code ec;
    const bool exists = fs::exists(path_, ec);
    if (!exists && !ec) return {};  // first start: nothing to read

    std::string cause = ec ? SystemCause(ec.value()) : std::string();
    std::optional<std::string> bytes;
    if (!ec) bytes = ReadFileBytes(path_, &cause);
    if (!bytes) {
        unreadable_ = true;
        return Format(Text(XText::CannotRead), path_, cause) + "; " + Text(XText::StockNotOverwritten);
    }

    lastRead_ = LoadStock(stock, *bytes);
    if (!lastRead_.Damaged()) return {};
    // Built after the read, so it is in the language the file chose.
    std::string message = StockFaultText(lastRead_) + "; " + Text(XText::StockReadableKept);
    if (bytes->empty()) return message;  // nothing to keep

    damagedBytes_ = std::move(*bytes);
    copyPending_ = true;
    if (KeepDamagedCopy(&cause)) {
        message += "; " + Format(Text(XText::StockCopyKept), damagedCopy_);
    } else {
        message += "; " + Format(Text(XText::StockCopyFailed), cause);
    }
    return message;
}

bool TStockFile::KeepDamagedCopy(std::string* cause) {
    // Never over an earlier copy: that may hold another damaged state the
    // user still needs. The same bytes kept by an earlier start are reused.
    constexpr int kMaxCopies = 99;
    int err = EEXIST;
    for (int n = 1; n <= kMaxCopies; ++n) {
        const std::string name = path_ + ".damaged" + (n == 1 ? std::string() : "-" + std::to_string(n));
        if (WriteNewFile(name, damagedBytes_, &err)) {
            damagedCopy_ = name;
        } else if (err == EEXIST) {
            const std::optional<std::string> earlier = ReadFileBytes(name);
            if (!earlier || *earlier != damagedBytes_) continue;
            damagedCopy_ = name;
        } else {
            break;
        }
        copyPending_ = false;
        damagedBytes_.clear();
        damagedBytes_.shrink_to_fit();
        return true;
    }
    *cause = SystemCause(err);
    return false;
}

bool TStockFile::Save(const TTrackList& stock, std::string* message) {
    auto fail = [&](const std::string& why) {
        if (message) *message = Format(Text(XText::CannotWriteFile), path_) + ": " + why;
        return false;
    };
    if (unreadable_) return fail(Text(XText::StockNotOverwritten));
    if (copyPending_) {
        std::string cause;
        if (!KeepDamagedCopy(&cause)) return fail(Format(Text(XText::StockCopyFailed), cause));
    }
    // The per-user folder may not exist before the first save.
    std::error_code ec;
    const fs::path folder = fs::path(path_).parent_path();
    if (!folder.empty()) fs::create_directories(folder, ec);

    std::string error;
    if (!WriteFileAtomically(path_, SaveStock(stock), &error)) return fail(error);
    // The atomic write also syncs the folder, which makes the copy's name
    // durable along with the new file.
    return true;
}

}  // namespace quillet
