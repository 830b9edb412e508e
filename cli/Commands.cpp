#include "cli/Commands.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <algorithm>
#include <array>
#include <filesystem>
#include <vector>

#include "model/FileIO.h"
#include "platform/Platform.h"
#include "model/Tracks.h"
#include "stock/StockFile.h"
#include "stock/TrackList.h"
#include "text/ExtraTexts.h"
#include "text/Languages.h"
#include "tools/Closing.h"
#include "tools/Dimensions.h"
#include "tools/LaneConversion.h"
#include "tools/LapTimes.h"
#include "tools/Random.h"
#include "tools/Suggest.h"

namespace quillet::cli {

Outcome Failed(std::string message) { return {kExitFailed, {}, std::move(message) + "\n"}; }

Outcome Refused(std::string message, std::string out) {
    return {kExitRefused, std::move(out), std::move(message) + "\n"};
}

namespace {

// Lanes 1..2p, except that single racing folds lane 2 into lane 1.
bool LaneInUse(const TCircuit& c, int lane) { return lane <= 2 * c.LanePairs() && !(lane == 2 && c.singleRacing); }

// Qt writes doubles in their shortest round-trip form, whole ones without a
// point, and ill-formed UTF-8 as U+FFFD; its objects list their keys sorted.
std::string Print(const QJsonObject& json) { return QJsonDocument(json).toJson(QJsonDocument::Indented).toStdString(); }

QJsonValue JsonOf(double v) { return v; }
QJsonValue JsonOf(const std::string& v) { return QString::fromStdString(v); }

template <class T>
QJsonArray ArrayOf(const T& values) {
    QJsonArray a;
    for (const auto& v : values) a.append(JsonOf(v));
    return a;
}

// [x, y]
QJsonArray Pair(double x, double y) { return {x, y}; }

QJsonObject PieceJson(const TTrack& t) {
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("type"), static_cast<int>(t.type));
    o.insert(QStringLiteral("orientation"), static_cast<int>(t.orientation));
    o.insert(QStringLiteral("x"), t.x);
    o.insert(QStringLiteral("y"), t.y);
    o.insert(QStringLiteral("angle"), t.angle);
    o.insert(QStringLiteral("width"), t.width);
    o.insert(QStringLiteral("length_or_arc"), t.lengthOrArc);
    o.insert(QStringLiteral("inner_radius"), t.innerRadius);
    QJsonArray borders = QJsonArray();
    for (int flag = 1; flag <= kBorderFlags; ++flag) borders.append(t.Border(flag) ? 1 : 0);
    o.insert(QStringLiteral("borders"), std::move(borders));
    o.insert(QStringLiteral("surface"), static_cast<int>(t.surface));
    o.insert(QStringLiteral("exit_point"), Pair(t.ExitPoint().x, t.ExitPoint().y));
    o.insert(QStringLiteral("exit_heading"), t.ExitHeading());
    QJsonArray outline = QJsonArray();
    for (int k = 1; k <= kOutlinePoints; ++k) outline.append(Pair(t.P(k).x, t.P(k).y));
    o.insert(QStringLiteral("outline"), std::move(outline));
    return o;
}

// Counts per brand, NINCO first as the Track List lists them.
template <class Get>
QJsonObject PerBrand(int kinds, Get get) {
    QJsonObject o = QJsonObject();
    for (const auto& [name, brand] : {std::pair{"NINCO", kNincoIndex}, std::pair{"SCX", kScxIndex}}) {
        QJsonArray counts = QJsonArray();
        for (int k = 0; k < kinds; ++k) counts.append(get(brand, k));
        o.insert(QString::fromLatin1(name), counts);
    }
    return o;
}

QJsonObject DimensionsJson(const TCircuit& c) {
    const CircuitDimensions d = ComputeDimensions(c);
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("length_cm"), d.lengthCm);
    o.insert(QStringLiteral("width_cm"), d.widthCm);
    QJsonArray lanes = QJsonArray();
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (LaneInUse(c, lane)) lanes.append(d.laneCm[static_cast<std::size_t>(lane - 1)]);
    }
    o.insert(QStringLiteral("lanes_cm"), std::move(lanes));
    o.insert(QStringLiteral("mean_lane_mm"), d.meanMm);
    o.insert(QStringLiteral("distance_mm"), d.hasPieces ? QJsonValue(d.distanceMm) : QJsonValue());
    o.insert(QStringLiteral("angle_deg"), d.hasPieces ? QJsonValue(d.angleDegrees) : QJsonValue());
    o.insert(QStringLiteral("compactness_percent"), d.compactnessPercent);
    return o;
}

std::optional<ConversionKind> ConversionNamed(std::string_view name) {
    if (name == "add-outer") return ConversionKind::AddOuterLanes;
    if (name == "add-inner") return ConversionKind::AddInnerLanes;
    if (name == "delete-outer") return ConversionKind::DeleteOuterLanes;
    if (name == "delete-inner") return ConversionKind::DeleteInnerLanes;
    return std::nullopt;
}

// The "Include Tracks" boxes, by the names --exclude takes.
bool* CloseBox(CloseOptions& o, std::string_view name) {
    if (name == "standard") return &o.standardStraight;
    if (name == "half") return &o.halfStraight;
    if (name == "quarter") return &o.quarterStraight;
    if (name == "inner-curve") return &o.innerCurve;
    if (name == "standard-curve") return &o.standardCurve;
    if (name == "outer-curve") return &o.outerCurve;
    if (name == "super-outer-curve") return &o.superOuterCurve;
    return nullptr;
}
constexpr std::string_view kCloseBoxNames =
    "standard, half, quarter, inner-curve, standard-curve, outer-curve, super-outer-curve";

}  // namespace

// ---------------------------------------------------------------------------
// Shared steps

std::optional<Outcome> ReadCircuitArgument(const std::string& path, TCircuit& circuit) {
    std::string cause;
    const auto bytes = ReadFileBytes(path, &cause);
    if (!bytes) return Failed(Format(Text(XText::CannotOpenFile), path) + ": " + cause);
    TReadProblem problem;
    if (!ReadCircuitBytes(*bytes, path, circuit, &problem)) return Failed(problem.message);
    return std::nullopt;
}

std::optional<Outcome> ReadStockOption(const Invocation& inv, TTrackList& stock) {
    stock.Clear();
    const auto path = inv.Value("stock");
    if (!path) return std::nullopt;
    std::string cause;
    const auto bytes = ReadFileBytes(*path, &cause);
    if (!bytes) return Failed(Format(Text(XText::CannotOpenFile), *path) + ": " + cause);
    // The file's first line is the editor's language; here --lang decides.
    const int language = LanguageIndex();
    const TStockReadResult read = LoadStock(stock, *bytes);
    SetLanguageIndex(language);
    if (read.Damaged()) return Failed(Format(Text(XText::CannotRead), *path, StockFaultText(read)));
    return std::nullopt;
}

std::optional<Outcome> IntegerOption(const Invocation& inv, std::string_view name, int lo, int hi, int fallback,
                                     int& value) {
    value = fallback;
    const auto text = inv.Value(name);
    if (!text) return std::nullopt;
    const auto v = ParseInteger(*text);
    if (!v || *v < lo || *v > hi) {
        return Failed(Format(Text(XText::CliBadValue), "--" + std::string(name), *text,
                             std::to_string(lo) + "-" + std::to_string(hi)));
    }
    value = static_cast<int>(*v);
    return std::nullopt;
}

std::optional<Outcome> WriteCircuitArgument(TCircuit& circuit, const std::string& path) {
    std::string error;
    if (!SaveCircuit(circuit, path, &error)) return Failed(error);
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// report

Outcome RunReport(const Invocation& inv) {
    TTrackList stock;
    if (auto failure = ReadStockOption(inv, stock)) return *failure;
    TCircuit c;
    if (auto failure = ReadCircuitArgument(inv.files[0], c)) return *failure;

    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("title"), JsonOf(c.title));
    o.insert(QStringLiteral("lane_pairs"), static_cast<int>(c.lanePairs));
    o.insert(QStringLiteral("start_brand"), static_cast<int>(c.startBrand));
    o.insert(QStringLiteral("single_racing"), c.singleRacing);
    o.insert(QStringLiteral("closed"), c.closed);
    o.insert(QStringLiteral("start"), Pair(c.startX, c.startY));
    QJsonArray box = QJsonArray();
    for (const int32_t v : {c.box.left, c.box.top, c.box.right, c.box.bottom}) box.append(v);
    o.insert(QStringLiteral("bounding_box"), std::move(box));

    QJsonArray tracks = QJsonArray();
    for (const TTrack& t : c.Tracks()) tracks.append(PieceJson(t));
    o.insert(QStringLiteral("tracks"), std::move(tracks));
    o.insert(QStringLiteral("lane_lengths"), ArrayOf(c.LaneLengths()));

    TTrackList required;
    required.CountTracks(c);
    o.insert(QStringLiteral("pieces"),
             PerBrand(kTrackTypeCount, [&](int brand, int type) { return required.Pieces(brand, type); }));
    o.insert(QStringLiteral("borders"),
             PerBrand(kBorderKinds, [&](int brand, int kind) { return required.Borders(brand, kind); }));
    o.insert(QStringLiteral("track_list"), ArrayOf(required.ListLines(stock)));
    o.insert(QStringLiteral("dimensions"), DimensionsJson(c));
    return {kExitDone, Print(o), {}};
}

// ---------------------------------------------------------------------------
// laptimes

Outcome RunLapTimes(const Invocation& inv) {
    LapTimeSettings settings;
    if (auto f = IntegerOption(inv, "stability", 0, 4, 2, settings.curveStability)) return *f;
    if (auto f = IntegerOption(inv, "power", 0, 4, 2, settings.enginePower)) return *f;
    settings.firstLap = inv.Has("first-lap");
    TCircuit c;
    if (auto failure = ReadCircuitArgument(inv.files[0], c)) return *failure;

    const auto times = EstimateLapTimes(c, settings);
    QJsonArray lanes = QJsonArray();
    for (int lane = 1; lane <= kLapTimeLanes; ++lane) {
        if (LaneInUse(c, lane)) lanes.append(times[static_cast<std::size_t>(lane - 1)]);
    }
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("lap_times_s"), std::move(lanes));
    o.insert(QStringLiteral("labels"), ArrayOf(LapTimeLabelsOf(c, settings).lanes));
    return {kExitDone, Print(o), {}};
}

// ---------------------------------------------------------------------------
// close

Outcome RunClose(const Invocation& inv) {
    CloseOptions options;
    options.useStock = inv.Has("use-stock");
    options.advanced = inv.Has("random");
    if (options.useStock && options.advanced) return Failed(Text(XText::CliStockAndRandom));
    if (auto f = IntegerOption(inv, "tolerance", 0, 5, 1, options.toleranceCm)) return *f;
    if (const auto list = inv.Value("exclude")) {
        std::string_view rest = *list;
        for (;;) {
            const std::size_t comma = rest.find(',');
            const std::string_view name = rest.substr(0, comma);
            bool* box = CloseBox(options, name);
            if (box == nullptr) return Failed(Format(Text(XText::CliBadValue), "--exclude", name, kCloseBoxNames));
            *box = false;
            if (comma == std::string_view::npos) break;
            rest.remove_prefix(comma + 1);
        }
    }
    TTrackList stock;
    if (auto failure = ReadStockOption(inv, stock)) return *failure;
    TCircuit c;
    if (auto failure = ReadCircuitArgument(inv.files[0], c)) return *failure;

    // The dialog greys the curves a wide circuit cannot take, and its OK
    // stays off while no box is checked.
    options = ApplyCloseLimits(options, c.LanePairs());
    if (!AnyTrackIncluded(options)) return Failed(Text(XText::CliNothingToCloseWith));

    const int before = c.Count();
    TCloseHost host;  // no progress window; "search another?" answers No
    TRandom random;   // as the program's generator is at start-up
    const CloseStatus status = CloseCircuit(c, options, stock, host, random);
    const std::string message = CloseStatusText(status);

    QJsonArray appended = QJsonArray();
    for (int i = before + 1; i <= c.Count(); ++i) appended.append(static_cast<int>(c.Track(i).type));
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("appended"), std::move(appended));
    o.insert(QStringLiteral("closed"), c.closed);
    o.insert(QStringLiteral("message"), message.empty() ? QJsonValue() : JsonOf(message));
    // Every status the editor tells the user about is a refusal: nothing was
    // appended.
    if (!message.empty()) return Refused(message, Print(o));
    if (auto failure = WriteCircuitArgument(c, inv.files[1])) return *failure;
    return {kExitDone, Print(o), {}};
}

// ---------------------------------------------------------------------------
// equilibrate

Outcome RunEquilibrate(const Invocation& inv) {
    TCircuit c;
    if (auto failure = ReadCircuitArgument(inv.files[0], c)) return *failure;
    c.Equilibrate();
    c.ReLay(false);
    c.modified = true;
    QJsonArray changeovers = QJsonArray();
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type == kChangeoverTrack) changeovers.append(i);
    }
    if (auto failure = WriteCircuitArgument(c, inv.files[1])) return *failure;
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("changeovers"), std::move(changeovers));
    return {kExitDone, Print(o), {}};
}

// ---------------------------------------------------------------------------
// convert

Outcome RunConvert(const Invocation& inv) {
    const auto kind = ConversionNamed(inv.files[2]);
    if (!kind) {
        return Failed(Format(Text(XText::CliBadValue), "convert", inv.files[2],
                             "add-outer, add-inner, delete-outer, delete-inner"));
    }
    TCircuit c;
    if (auto failure = ReadCircuitArgument(inv.files[0], c)) return *failure;
    // The editor's Convert runs its single-racing command instead, which
    // removes the loops; that is no conversion, so it is refused here.
    if (c.singleRacing) return Refused(Text(XText::CliSingleRacingConversion));
    const auto offered = ConversionChoices(c.LanePairs());
    if (std::find(offered.begin(), offered.end(), *kind) == offered.end()) {
        return Refused(
            Format(Text(XText::CliConversionNotOffered), Text(ConversionTextEntry(*kind)), 2 * c.LanePairs()));
    }
    const ConversionResult result = ConvertLanes(c, *kind);
    if (!result.converted) {
        return Refused(result.refusal != 0 ? Text(result.refusal)
                                           : Format(Text(XText::CliConversionNotOffered),
                                                    Text(ConversionTextEntry(*kind)), 2 * c.LanePairs()));
    }
    if (auto failure = WriteCircuitArgument(c, inv.files[1])) return *failure;
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("lane_pairs"), static_cast<int>(c.lanePairs));
    return {kExitDone, Print(o), {}};
}

// ---------------------------------------------------------------------------
// suggest

namespace {

constexpr int32_t kMaxTableMm = 100000;
constexpr int kMaxAnyPieces = TCircuit::kMaxTracks;

// "WxH": two whole numbers of millimetres.
std::optional<std::pair<int32_t, int32_t>> AreaOf(std::string_view text) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return std::nullopt;
    const auto w = ParseInteger(text.substr(0, x));
    const auto h = ParseInteger(text.substr(x + 1));
    if (!w || !h || *w < 1 || *h < 1 || *w > kMaxTableMm || *h > kMaxTableMm) return std::nullopt;
    return std::pair{static_cast<int32_t>(*w), static_cast<int32_t>(*h)};
}

// Why `path` cannot take a new file, before anything is written: a folder in
// its place, or a file the user made read-only.
std::optional<Outcome> RefusedOutput(const std::string& path) {
    std::string cause;
    switch (platform::WhatIsInTheWay(path)) {
        case platform::PathInTheWay::Nothing:
            return std::nullopt;
        case platform::PathInTheWay::Folder:
            cause = Text(XText::CauseIsFolder);
            break;
        case platform::PathInTheWay::WriteProtected:
            cause = Text(XText::FileWriteProtected);
            break;
    }
    return Failed(Format(Text(XText::CannotWriteFile), path) + ": " + cause);
}

}  // namespace

Outcome RunSuggest(const Invocation& inv) {
    if (!inv.Has("area") || !inv.Has("lanes") || !inv.Has("system")) return Failed(Text(XText::CliSuggestNeeds));
    SuggestRequest request;
    const std::string areaText = *inv.Value("area");
    const auto area = AreaOf(areaText);
    if (!area) {
        return Failed(Format(Text(XText::CliBadValue), "--area", areaText,
                             "1-" + std::to_string(kMaxTableMm) + "x1-" + std::to_string(kMaxTableMm)));
    }
    request.tableLength = area->first;
    request.tableWidth = area->second;
    const std::string lanesText = *inv.Value("lanes");
    const auto lanes = ParseInteger(lanesText);
    if (!lanes || *lanes < 2 || *lanes > TCircuit::kMaxLanes || *lanes % 2 != 0) {
        return Failed(Format(Text(XText::CliBadValue), "--lanes", lanesText, "2, 4, 6, 8"));
    }
    request.lanes = static_cast<int>(*lanes);
    const std::string system = *inv.Value("system");
    if (system != "ninco" && system != "scx")
        return Failed(Format(Text(XText::CliBadValue), "--system", system, "ninco, scx"));
    request.system = system == "ninco" ? Brand::Ninco : Brand::Scx;
    if (auto f = IntegerOption(inv, "count", 1, kMaxSuggestions, kDefaultSuggestions, request.count)) return *f;
    if (auto f = IntegerOption(inv, "any-pieces", 1, kMaxAnyPieces, 0, request.anyPieces)) return *f;
    TTrackList stock;
    if (auto failure = ReadStockOption(inv, stock)) return *failure;

    // The folder: one that is there, or a new one beside others; never a file.
    namespace fs = std::filesystem;
    const std::string& folder = inv.files[0];
    std::error_code ec;
    const bool existed = fs::exists(folder, ec);
    if (existed && !fs::is_directory(folder, ec)) return Failed(Format(Text(XText::CliNotAFolder), folder));

    SuggestResult result = SuggestCircuits(request, stock);
    if (result.status != SuggestStatus::Found) return Refused(SuggestStatusText(result.status, request.lanes));

    std::vector<std::string> paths;
    for (std::size_t i = 0; i < result.suggestions.size(); ++i) {
        const std::string number = (i + 1 < 10 ? "0" : "") + std::to_string(i + 1);
        paths.push_back((fs::path(folder) / ("suggestion-" + number + ".QLC")).string());
        if (existed) {
            if (auto refused = RefusedOutput(paths.back())) return *refused;
        }
    }
    if (!existed && !fs::create_directory(folder, ec)) {
        return Failed(Format(Text(XText::CannotWriteFile), folder) + ": " + SystemCause(ec.value()));
    }
    // Each file is written whole or not at all; when one cannot be, those
    // this run made are taken away again, and the folder if it made it.
    std::vector<std::string> made;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const bool isNew = !fs::exists(paths[i], ec);
        if (auto failure = WriteCircuitArgument(result.suggestions[i].circuit, paths[i])) {
            for (const std::string& m : made) fs::remove(m, ec);
            if (!existed) fs::remove(folder, ec);
            return *failure;
        }
        if (isNew) made.push_back(paths[i]);
    }

    QJsonArray list = QJsonArray();
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const TSuggestion& s = result.suggestions[i];
        QJsonObject missing = QJsonObject();
        for (const auto& [type, count] : s.missing) missing.insert(QString::number(type), count);
        QJsonObject o = QJsonObject();
        o.insert(QStringLiteral("file"), JsonOf(paths[i]));
        o.insert(QStringLiteral("pieces"), s.pieces);
        o.insert(QStringLiteral("mean_lane_mm"), s.meanLaneMm);
        o.insert(QStringLiteral("size_mm"), Pair(s.lengthMm, s.widthMm));
        o.insert(QStringLiteral("missing"), std::move(missing));
        list.append(std::move(o));
    }
    QJsonObject o = QJsonObject();
    o.insert(QStringLiteral("suggestions"), std::move(list));
    return {kExitDone, Print(o), {}};
}

}  // namespace quillet::cli
