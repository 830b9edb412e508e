// The .QLC circuit file: writing a circuit as Windows-1252 text lines,
// reading one back strictly into a fresh circuit, and finding its template
// picture.
//
// Lines 1-21 end with CR; the template, single-racing, background, icon and
// rulers lines with CR LF; the piece records with CR; the notes with CR LF.
// Version 1 has lines 1-24 and nine-line piece records; version 2 adds the
// background (25), version 3 icon slots 1-20 (26-105) and a tenth record line
// (the surface), version 4 icon slots 21-40 (106-185), version 5 the rulers
// flag (186). The notes follow the records up to the first empty line.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "model/FileIO.h"
#include "model/Numeric.h"
#include "model/Tracks.h"
#include "text/Cp1252.h"
#include "text/ExtraTexts.h"
#include "text/Globals.h"

namespace quillet {

namespace {

constexpr std::string_view kCr = "\r";
constexpr std::string_view kCrLf = "\r\n";

// What a file may hold. The editor keeps the work area within 1000..12000 mm
// and the detail level within 1..5; a grid step or scale of zero or less
// would stall or break the drawing; a coordinate a thousand kilometres off
// is no circuit. Everything the program itself writes lies inside.
struct Range {
    int64_t lo;
    int64_t hi;
    bool Holds(int64_t v) const { return v >= lo && v <= hi; }
    int64_t Clamp(int64_t v) const { return std::clamp(v, lo, hi); }
};
constexpr Range kVersions{1, kCircuitFileVersion};
constexpr Range kTrackCount{0, TCircuit::kMaxTracks};
constexpr Range kLanePairs{1, 4};
constexpr Range kGridStep{1, 100000};
constexpr Range kDetailLevel{1, 5};
constexpr Range kScale{1, 1000};
constexpr Range kWorkArea{1000, 12000};
constexpr Range kIconKind{0, 5};
constexpr Range kInt32{std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()};
constexpr double kMaxCoordinate = 1e9;  // mm, start point and icons

constexpr int kIconSlotsV3 = 20;  // slots 1-20 from version 3, 21-40 from version 4

// Background codes 1..4.
constexpr int32_t kBackgrounds[] = {0xFFFFFF, 0xA0A0A0, 0x60A060, 0x7090A0};

int BackgroundCode(int32_t colour) {
    for (int code = 1; code <= 4; ++code) {
        if (kBackgrounds[code - 1] == colour) return code;
    }
    return 1;
}

// ---------------------------------------------------------------------------
// Writing

class LineWriter {
public:
    explicit LineWriter(char separator) : separator_(separator) { out_.reserve(8192); }

    // A text line. CR, LF and Ctrl-Z would end the line or the file early,
    // so they are written as "?", like characters Windows-1252 lacks.
    void Text(std::string_view utf8, std::string_view end) {
        std::string bytes = Utf8ToCp1252(utf8);
        std::replace(bytes.begin(), bytes.end(), '\r', '?');
        std::replace(bytes.begin(), bytes.end(), '\n', '?');
        std::replace(bytes.begin(), bytes.end(), '\x1a', '?');
        out_ += bytes;
        out_ += end;
    }
    void Integer(int64_t v, std::string_view end) {
        out_ += std::to_string(v);
        out_ += end;
    }
    void Flag(bool v, std::string_view end) {
        out_ += v ? '1' : '0';
        out_ += end;
    }
    void Decimal(double v, std::string_view end) {
        out_ += FormatDecimal(v, separator_);
        out_ += end;
    }
    void Coordinate(double v, std::string_view end) {
        Decimal(std::isfinite(v) ? std::clamp(v, -kMaxCoordinate, kMaxCoordinate) : 0.0, end);
    }
    std::string Take() { return std::move(out_); }

private:
    char separator_;
    std::string out_;
};

// The notes' lines, whatever line breaks they use, without trailing empty
// lines. An empty line ends the notes on reading, so one between two lines
// of text is written as a single blank: the text after it stays in the file.
std::vector<std::string_view> NoteLines(std::string_view notes) {
    while (!notes.empty() && (notes.back() == '\n' || notes.back() == '\r')) notes.remove_suffix(1);
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start <= notes.size()) {
        const std::size_t brk = notes.find_first_of("\r\n", start);
        if (brk == std::string_view::npos) {
            lines.push_back(notes.substr(start));
            break;
        }
        const std::string_view line = notes.substr(start, brk - start);
        lines.push_back(line.empty() ? std::string_view(" ") : line);
        start = brk + (notes[brk] == '\r' && brk + 1 < notes.size() && notes[brk + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

// ---------------------------------------------------------------------------
// Reading

// Thrown by the line reader; caught once, at the top.
struct ReadFailure {
    int line;
    std::string cause;
};

class LineReader {
public:
    explicit LineReader(std::string_view bytes) : lines_(SplitLines(bytes)) {}

    bool AtEnd() const { return next_ >= lines_.size(); }
    // Number of the line read last.
    int Line() const { return static_cast<int>(next_); }

    std::string_view Next() {
        if (AtEnd()) {
            const int missing = Line() + 1;
            throw ReadFailure{missing, Format(Text(XText::FileEndsBeforeLine), missing)};
        }
        return lines_[next_++];
    }
    std::string TextLine() { return Cp1252ToUtf8(Next()); }
    // Only the exact text "1" is true.
    bool Flag() { return Next() == "1"; }
    int64_t Integer() {
        const std::string_view text = Next();
        const auto v = ParseInteger(text);
        if (!v) Fail(Format(Text(XText::ExpectedInteger), Line()));
        return *v;
    }
    int64_t Integer(Range range) {
        const int64_t v = Integer();
        if (!range.Holds(v)) Fail(Format(Text(XText::ValueOutOfRange), Line(), range.lo, range.hi));
        return v;
    }
    double Decimal() {
        const auto v = ParseDecimal(Next());
        if (!v) Fail(Format(Text(XText::ExpectedDecimal), Line()));
        return *v;
    }
    double Coordinate() {
        const double v = Decimal();
        if (std::fabs(v) > kMaxCoordinate) {
            const auto bound = static_cast<int64_t>(kMaxCoordinate);
            Fail(Format(Text(XText::ValueOutOfRange), Line(), -bound, bound));
        }
        return v;
    }
    // A fault of the line read last.
    [[noreturn]] void Fail(std::string cause) const { throw ReadFailure{Line(), std::move(cause)}; }
    [[noreturn]] void FailAtLine(const std::string& what) const { Fail(Format(Text(XText::AtLine), Line(), what)); }

private:
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

void ReadIconSlot(LineReader& in, TIconSlot& icon) {
    icon.kind = static_cast<int32_t>(in.Integer(kIconKind));
    icon.x = in.Coordinate();
    icon.y = in.Coordinate();
    icon.selected = in.Flag();
}

// The whole file into `c`, a fresh circuit; throws ReadFailure.
void ReadInto(LineReader& in, TCircuit& c) {
    c.title = in.TextLine();
    const int64_t version = in.Integer();
    if (!kVersions.Holds(version)) in.FailAtLine(Format(Text(XText::UnsupportedVersion), version));
    const int64_t count = in.Integer();
    if (count > kTrackCount.hi) in.FailAtLine(Text(XText::TooManyTracks));
    if (count < kTrackCount.lo) {
        in.Fail(Format(Text(XText::ValueOutOfRange), in.Line(), kTrackCount.lo, kTrackCount.hi));
    }

    c.startX = in.Coordinate();
    c.startY = in.Coordinate();
    c.outerBorderDefault = in.Flag();
    c.innerBorderDefault = in.Flag();
    const int64_t lanePairs = in.Integer();
    if (!kLanePairs.Holds(lanePairs)) in.FailAtLine(Text(XText::LanePairsOutOfRange));
    c.lanePairs = static_cast<uint8_t>(lanePairs);
    c.gridShown = in.Flag();
    c.gridStep = static_cast<int32_t>(in.Integer(kGridStep));
    (void)in.Flag();  // closed: the re-lay below finds it out again
    // The stored box is replaced by the re-lay too, but must be a box.
    c.box.right = static_cast<int32_t>(in.Integer(kInt32));
    c.box.left = static_cast<int32_t>(in.Integer(kInt32));
    c.box.top = static_cast<int32_t>(in.Integer(kInt32));
    c.box.bottom = static_cast<int32_t>(in.Integer(kInt32));
    c.startBrand = in.Flag() ? 1 : 0;
    c.detailLevel = static_cast<int32_t>(in.Integer(kDetailLevel));
    c.scale = static_cast<double>(in.Integer(kScale));
    c.colourCodeShown = in.Flag();
    c.workAreaLength = static_cast<int32_t>(in.Integer(kWorkArea));
    c.workAreaWidth = static_cast<int32_t>(in.Integer(kWorkArea));
    c.templatePath = in.TextLine();
    c.templateShown = in.Flag();
    c.singleRacing = in.Flag();

    if (version >= 2) {
        // Codes 1..4 pick a colour; 0 means white and an unknown code keeps
        // the background, which in a fresh circuit is white too.
        const int64_t code = in.Integer();
        if (code >= 1 && code <= 4) c.backgroundColour = kBackgrounds[code - 1];
    }
    if (version >= 3) {
        for (int slot = 1; slot <= kIconSlotsV3; ++slot) ReadIconSlot(in, c.Icon(slot));
    }
    if (version >= 4) {
        for (int slot = kIconSlotsV3 + 1; slot <= TCircuit::kIconSlots; ++slot) ReadIconSlot(in, c.Icon(slot));
    }
    if (version >= 5) c.rulersShown = in.Flag();

    // Each piece goes where inserting it after the one before would put it:
    // the first with the start brand and the anchor mark, later ones in the
    // width family of the piece before (the other one after an adaptation
    // chicane). Only the first piece's angle shapes the layout; the single
    // re-lay at the end gives every later piece the exit of the one before
    // and computes the outlines with the stored borders.
    for (int k = 1; k <= count; ++k) {
        const int64_t type = in.Integer();
        if (type < 0 || type >= kTrackTypeCount) in.Fail(Format(Text(XText::UnknownPieceType), in.Line()));
        const int orientation = in.Flag() ? 1 : 0;
        const int brandFlag = k == 1 ? c.startBrand : c.BrandFlagAfter(k - 1, static_cast<int>(type));
        c.Append(static_cast<int>(type), orientation, brandFlag);
        TTrack& t = c.Track(k);
        if (k == 1) t.anchorMark = true;
        t.angle = in.Decimal();
        for (int flag = 1; flag <= kBorderFlags; ++flag) t.SetBorder(flag, in.Flag());
        if (version >= 3) {
            // Surface code = surface + 1; any other value leaves none.
            const int64_t code = in.Integer();
            if (code >= 1 && code <= 4) t.surface = static_cast<uint8_t>(code - 1);
        }
    }

    std::string notes;
    while (!in.AtEnd()) {
        const std::string_view line = in.Next();
        if (line.empty()) break;
        if (!notes.empty()) notes += '\n';
        notes += Cp1252ToUtf8(line);
    }
    c.notes = std::move(notes);

    c.ReLay(false);
    c.firstSelected = 0;
    c.lastSelected = 0;
    c.modified = false;
}

bool IsRegularFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

}  // namespace

// ===========================================================================

std::string CircuitTitleFromPath(std::string_view path) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    // Four characters, not bytes: a name may hold accented letters.
    std::size_t end = name.size();
    for (int k = 0; k < 4 && end > 0; ++k) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80) --end;
    }
    return std::string(name.substr(0, end));
}

std::string CircuitFileBytes(const TCircuit& c, std::string_view title, char separator) {
    LineWriter out(separator);
    out.Text(title, kCr);
    out.Integer(kCircuitFileVersion, kCr);
    out.Integer(c.Count(), kCr);
    out.Coordinate(c.startX, kCr);
    out.Coordinate(c.startY, kCr);
    out.Flag(c.outerBorderDefault, kCr);
    out.Flag(c.innerBorderDefault, kCr);
    out.Integer(kLanePairs.Clamp(c.lanePairs), kCr);
    out.Flag(c.gridShown, kCr);
    out.Integer(kGridStep.Clamp(c.gridStep), kCr);
    out.Flag(c.closed, kCr);
    out.Integer(c.box.right, kCr);
    out.Integer(c.box.left, kCr);
    out.Integer(c.box.top, kCr);
    out.Integer(c.box.bottom, kCr);
    out.Flag(c.startBrand != 0, kCr);
    out.Integer(kDetailLevel.Clamp(c.detailLevel), kCr);
    out.Integer(kScale.Clamp(Round64(c.scale)), kCr);
    out.Flag(c.colourCodeShown, kCr);
    out.Integer(kWorkArea.Clamp(c.workAreaLength), kCr);
    out.Integer(kWorkArea.Clamp(c.workAreaWidth), kCr);
    out.Text(c.templatePath, kCrLf);
    out.Flag(c.templateShown, kCrLf);
    out.Flag(c.singleRacing, kCrLf);
    out.Integer(BackgroundCode(c.backgroundColour), kCrLf);
    for (const TIconSlot& icon : c.icons) {
        out.Integer(kIconKind.Holds(icon.kind) ? icon.kind : 0, kCrLf);
        out.Coordinate(icon.x, kCrLf);
        out.Coordinate(icon.y, kCrLf);
        out.Flag(icon.selected, kCrLf);
    }
    out.Flag(c.rulersShown, kCrLf);
    for (const TTrack& t : c.Tracks()) {
        out.Integer(t.type, kCr);
        out.Flag(t.TurnsLeft(), kCr);
        out.Decimal(t.angle, kCr);
        for (int flag = 1; flag <= kBorderFlags; ++flag) out.Flag(t.Border(flag), kCr);
        out.Integer(t.surface + 1, kCr);
    }
    const auto notes = NoteLines(c.notes);
    if (notes.empty()) out.Text("", kCrLf);
    for (std::string_view line : notes) out.Text(line, kCrLf);
    return out.Take();
}

bool SaveCircuit(TCircuit& circuit, const std::string& path, std::string* error) {
    std::string title = CircuitTitleFromPath(path);
    std::string cause;
    if (!WriteFileAtomically(path, CircuitFileBytes(circuit, title, DecimalSeparator()), &cause)) {
        if (error != nullptr) *error = Format(Text(XText::CannotWriteFile), path) + ": " + cause;
        return false;
    }
    circuit.title = std::move(title);
    circuit.modified = false;
    return true;
}

bool ReadCircuitBytes(std::string_view bytes, std::string_view fileName, TCircuit& circuit, TReadProblem* problem) {
    // The circuit the open command starts from; the caller's circuit stays
    // as it is until the whole file has been read.
    TCircuit fresh(1500, 1000);
    LineReader in(bytes);
    try {
        ReadInto(in, fresh);
    } catch (const ReadFailure& failure) {
        if (problem != nullptr) {
            problem->line = failure.line;
            problem->message = Format(Text(XText::CannotRead), fileName, failure.cause);
        }
        return false;
    }
    circuit = std::move(fresh);
    return true;
}

TTemplateAction ResolveTemplate(TCircuit& circuit, const std::string& circuitFolder) {
    namespace fs = std::filesystem;
    const std::string& stored = circuit.templatePath;
    if (stored.empty()) return {};
    // A NUL would make the system look at a shorter path than the one stored.
    if (stored.find('\0') == std::string::npos) {
        if (IsRegularFile(fs::path(stored))) return {TTemplateAction::Kind::Load, stored};
        // Files written on Windows hold "\" as the folder separator.
        const std::size_t slash = stored.find_last_of("/\\");
        const std::string name = slash == std::string::npos ? stored : stored.substr(slash + 1);
        if (!name.empty()) {
            if (!circuitFolder.empty()) {
                const fs::path beside = fs::path(circuitFolder) / name;
                if (IsRegularFile(beside)) return {TTemplateAction::Kind::Load, beside.string()};
            }
            if (IsRegularFile(fs::path(name))) return {TTemplateAction::Kind::Load, name};
        }
    }
    TTemplateAction missing{TTemplateAction::Kind::Missing, stored};
    circuit.templatePath.clear();
    circuit.templateShown = false;
    return missing;
}

bool LoadCircuit(const std::string& path, TCircuit& circuit, TTemplateAction* templateAction, TReadProblem* problem) {
    std::string cause;
    const auto bytes = ReadFileBytes(path, &cause);
    if (!bytes) {
        if (problem != nullptr) {
            problem->line = 0;
            problem->message = Format(Text(XText::CannotOpenFile), path) + ": " + cause;
        }
        return false;
    }
    TCircuit fresh;
    if (!ReadCircuitBytes(*bytes, path, fresh, problem)) return false;
    const TTemplateAction action = ResolveTemplate(fresh, std::filesystem::path(path).parent_path().string());
    circuit = std::move(fresh);
    if (templateAction != nullptr) *templateAction = action;
    return true;
}

}  // namespace quillet
