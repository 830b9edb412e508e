#include "cli/Commands.h"

#include <algorithm>
#include <array>
#include <vector>

#include "cli/Json.h"
#include "model/FileIO.h"
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

namespace quillet::cli {

Outcome Failed(std::string message) { return {kExitFailed, {}, std::move(message) + "\n"}; }

Outcome Refused(std::string message, std::string out) {
    return {kExitRefused, std::move(out), std::move(message) + "\n"};
}

namespace {

// Lanes 1..2p, except that single racing folds lane 2 into lane 1.
bool LaneInUse(const TCircuit& c, int lane) { return lane <= 2 * c.LanePairs() && !(lane == 2 && c.singleRacing); }

std::string Print(const Json& json) { return json.Dump() + "\n"; }

Json PieceJson(const TTrack& t) {
    Json o = Json::Object();
    o.Set("type", static_cast<int>(t.type));
    o.Set("orientation", static_cast<int>(t.orientation));
    o.Set("x", t.x);
    o.Set("y", t.y);
    o.Set("angle", t.angle);
    o.Set("width", t.width);
    o.Set("length_or_arc", t.lengthOrArc);
    o.Set("inner_radius", t.innerRadius);
    Json borders = Json::Array();
    for (int flag = 1; flag <= kBorderFlags; ++flag) borders.Push(t.Border(flag) ? 1 : 0);
    o.Set("borders", std::move(borders));
    o.Set("surface", static_cast<int>(t.surface));
    o.Set("exit_point", Json::Pair(t.ExitPoint().x, t.ExitPoint().y));
    o.Set("exit_heading", t.ExitHeading());
    Json outline = Json::Array();
    for (int k = 1; k <= kOutlinePoints; ++k) outline.Push(Json::Pair(t.P(k).x, t.P(k).y));
    o.Set("outline", std::move(outline));
    return o;
}

// Counts per brand, NINCO first as the Track List lists them.
template <class Get>
Json PerBrand(int kinds, Get get) {
    Json o = Json::Object();
    for (const auto& [name, brand] : {std::pair{"NINCO", kNincoIndex}, std::pair{"SCX", kScxIndex}}) {
        Json counts = Json::Array();
        for (int k = 0; k < kinds; ++k) counts.Push(get(brand, k));
        o.Set(name, std::move(counts));
    }
    return o;
}

Json DimensionsJson(const TCircuit& c) {
    const CircuitDimensions d = ComputeDimensions(c);
    Json o = Json::Object();
    o.Set("length_cm", d.lengthCm);
    o.Set("width_cm", d.widthCm);
    Json lanes = Json::Array();
    for (int lane = 1; lane <= kMaxLanes; ++lane) {
        if (LaneInUse(c, lane)) lanes.Push(d.laneCm[static_cast<std::size_t>(lane - 1)]);
    }
    o.Set("lanes_cm", std::move(lanes));
    o.Set("mean_lane_mm", d.meanMm);
    o.Set("distance_mm", d.hasPieces ? Json(d.distanceMm) : Json());
    o.Set("angle_deg", d.hasPieces ? Json(d.angleDegrees) : Json());
    o.Set("compactness_percent", d.compactnessPercent);
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

    Json o = Json::Object();
    o.Set("title", c.title);
    o.Set("lane_pairs", static_cast<int>(c.lanePairs));
    o.Set("start_brand", static_cast<int>(c.startBrand));
    o.Set("single_racing", c.singleRacing);
    o.Set("closed", c.closed);
    o.Set("start", Json::Pair(c.startX, c.startY));
    Json box = Json::Array();
    for (const int32_t v : {c.box.left, c.box.top, c.box.right, c.box.bottom}) box.Push(v);
    o.Set("bounding_box", std::move(box));

    Json tracks = Json::Array();
    for (const TTrack& t : c.Tracks()) tracks.Push(PieceJson(t));
    o.Set("tracks", std::move(tracks));
    o.Set("lane_lengths", Json::ArrayOf(c.LaneLengths()));

    TTrackList required;
    required.CountTracks(c);
    o.Set("pieces", PerBrand(kTrackTypeCount, [&](int brand, int type) { return required.Pieces(brand, type); }));
    o.Set("borders", PerBrand(kBorderKinds, [&](int brand, int kind) { return required.Borders(brand, kind); }));
    o.Set("track_list", Json::ArrayOf(required.ListLines(stock)));
    o.Set("dimensions", DimensionsJson(c));
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
    Json lanes = Json::Array();
    for (int lane = 1; lane <= kLapTimeLanes; ++lane) {
        if (LaneInUse(c, lane)) lanes.Push(times[static_cast<std::size_t>(lane - 1)]);
    }
    Json o = Json::Object();
    o.Set("lap_times_s", std::move(lanes));
    o.Set("labels", Json::ArrayOf(LapTimeLabelsOf(c, settings).lanes));
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
    TCloseHost host;      // no progress window; "search another?" answers No
    TRandom random;       // as the program's generator is at start-up
    const CloseStatus status = CloseCircuit(c, options, stock, host, random);
    const std::string message = CloseStatusText(status);

    Json appended = Json::Array();
    for (int i = before + 1; i <= c.Count(); ++i) appended.Push(static_cast<int>(c.Track(i).type));
    Json o = Json::Object();
    o.Set("appended", std::move(appended));
    o.Set("closed", c.closed);
    o.Set("message", message.empty() ? Json() : Json(message));
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
    Json changeovers = Json::Array();
    for (int i = 1; i <= c.Count(); ++i) {
        if (c.Track(i).type == kChangeoverTrack) changeovers.Push(i);
    }
    if (auto failure = WriteCircuitArgument(c, inv.files[1])) return *failure;
    Json o = Json::Object();
    o.Set("changeovers", std::move(changeovers));
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
        return Refused(Format(Text(XText::CliConversionNotOffered), Text(ConversionTextEntry(*kind)),
                              2 * c.LanePairs()));
    }
    const ConversionResult result = ConvertLanes(c, *kind);
    if (!result.converted) {
        return Refused(result.refusal != 0 ? Text(result.refusal)
                                           : Format(Text(XText::CliConversionNotOffered),
                                                    Text(ConversionTextEntry(*kind)), 2 * c.LanePairs()));
    }
    if (auto failure = WriteCircuitArgument(c, inv.files[1])) return *failure;
    Json o = Json::Object();
    o.Set("lane_pairs", static_cast<int>(c.lanePairs));
    return {kExitDone, Print(o), {}};
}

}  // namespace quillet::cli
