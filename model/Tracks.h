#pragma once
// The track and circuit model: the catalogue of piece types, one placed piece
// (TTrack) and the circuit as a chain of joined pieces (TCircuit).
//
// Millimetres and radians throughout; x grows to the right, y downwards, and a
// growing angle turns clockwise on the screen. Numbering that users of this
// unit share (type codes, border flags 1..6, outline points 1..18, pieces
// 1..count) is kept 1-based in the accessors so code reads like the rules it
// implements.
//
// Implementation files: Catalogue.cpp (piece types), TrackGeometry.cpp (one
// piece), CircuitChain.cpp (the chain), CircuitRuns.cpp (runs of pieces
// moved as a whole), CircuitMoves.cpp (the whole circuit moved on its work
// area), CircuitFile.cpp (the .QLC file),
// LaneLengths.cpp, Borders.cpp and Equilibrate.cpp (circuit-wide computations),
// TrackDraw.cpp and CircuitDraw.cpp (drawing on a Canvas).

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

class TCircuit;
class TInformer;
class Canvas;  // model/Canvas.h

constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

// Brings an angle into [0, 2pi). A non-finite angle gives 0.
double ReduceHeading(double h);

// ===========================================================================
// Catalogue

enum TrackTypeCode : uint8_t {
    kStandardStraight = 0,
    kHalfStraight = 1,
    kQuarterStraight = 2,
    kStandardCurve = 3,
    kInnerCurve = 4,
    kOuterCurve = 5,
    kSuperOuterCurve = 6,
    kChangeoverTrack = 7,
    kAdaptationChicane = 8,
    kStartingStraight = 9,
    kStartingChicane = 10,
    kStraightChicane = 11,
    kCurvedChicane = 12,
    kSingleRacingInnerCurve = 13,
    kSingleRacingOuterCurve = 14,
};
constexpr int kTrackTypeCount = 15;

inline bool IsTrackType(int type) { return type >= 0 && type < kTrackTypeCount; }

// Track system. The value is the brand flag a new piece is created with.
enum class Brand : uint8_t { Scx = 0, Ninco = 1 };

constexpr double kNincoPairWidth = 180.0;
constexpr double kScxPairWidth = 156.0;
constexpr double kNincoBorderWidth = 50.0;
constexpr double kScxBorderWidth = 40.0;

struct BrandData {
    double pairWidth;    // width of one lane pair
    double borderWidth;  // width of a border strip
    uint8_t flag;        // brand flag at creation
};
BrandData DataOf(Brand brand);

inline Brand BrandOfFlag(int brandFlag) { return brandFlag != 0 ? Brand::Ninco : Brand::Scx; }

// NINCO when the width per lane pair is 180, else SCX. Lane pairs below 1
// count as 1.
Brand BrandOfWidth(double width, int lanePairs);

// How the outline of a type is built.
enum class TrackShape : uint8_t {
    Straight,           // 0, 1, 2, 7, 10, 11 (and unknown codes)
    Curve,              // 3, 4, 5, 6, 12
    SingleRacingCurve,  // 13, 14: half-width curves
    AdaptationChicane,  // 8: tapered between the two brands' widths
    StartingStraight,   // 9: a straight with a connector box on one side
};
TrackShape ShapeOf(int type);

inline bool IsCurve(int type) { return ShapeOf(type) == TrackShape::Curve; }
inline bool IsSingleRacing(int type) { return type == kSingleRacingInnerCurve || type == kSingleRacingOuterCurve; }

struct TrackDimensions {
    bool exists = false;       // false: the brand has no such piece
    double lengthOrArc = 0.0;  // L of a straight or arc A of a curve
    double innerRadius = 0.0;  // R of a curve, 0 for straights
};
TrackDimensions Dimensions(int type, Brand brand);

// Whether a new piece takes the circuit's default inner and outer borders.
bool TakesBorderDefaults(int type, Brand brand);

// Text-table entry of the type's name; -1 for an unknown code.
int NameTextEntry(int type);

// ===========================================================================
// One placed piece

struct PointD {
    double x = 0.0;
    double y = 0.0;
};
struct PointI {
    int32_t x = 0;
    int32_t y = 0;
};

constexpr int kOutlinePoints = 18;

// Border flags, in the order of the circuit file.
constexpr int kInnerBorder = 1;
constexpr int kOuterBorder = 2;
constexpr int kOuterBorderExitHalf = 3;
constexpr int kOuterBorderEntryHalf = 4;
constexpr int kInnerBorderExitHalf = 5;
constexpr int kInnerBorderEntryHalf = 6;
constexpr int kBorderFlags = 6;

// Surfaces.
constexpr uint8_t kSurfaceNone = 0;
constexpr uint8_t kSurfaceSand = 1;
constexpr uint8_t kSurfaceSnow = 2;
constexpr uint8_t kSurfaceWater = 3;

class TTrack {
public:
    uint8_t type = 0;
    double x = 0.0;  // entry point: the left corner of the entry edge
    double y = 0.0;
    double angle = 0.0;       // heading at the entry edge
    uint8_t orientation = 0;  // 0 turns clockwise (right), 1 anticlockwise (left)
    double width = 0.0;       // width per lane pair x lane pairs
    bool selected = false;
    bool replaceMark = false;
    bool anchorMark = false;
    double lengthOrArc = 0.0;
    double innerRadius = 0.0;
    std::array<bool, kBorderFlags> borders{};  // flags 1..6 at [0..5]
    double borderWidth = 0.0;
    bool innerBarrier = false;
    bool outerBarrier = false;
    uint8_t surface = kSurfaceNone;
    // Points 1..18 at [0..17]: 1..9 along the left edge from entry to exit,
    // 10..18 back along the right edge; 19 - k lies opposite k.
    std::array<PointI, kOutlinePoints> screen{};        // pixels
    std::array<PointD, kOutlinePoints> outline{};       // millimetres
    std::array<PointI, kOutlinePoints> innerPolygon{};  // pixels
    std::array<PointI, kOutlinePoints> outerPolygon{};  // pixels

    // 1-based accessors. Out-of-range numbers read as false (flags) or reach
    // the nearest valid point; they never index outside the arrays.
    bool Border(int flag) const;
    void SetBorder(int flag, bool on);
    const PointD& P(int k) const { return outline[Slot(k)]; }
    PointD& P(int k) { return outline[Slot(k)]; }
    PointI ScreenP(int k) const { return screen[Slot(k)]; }
    PointI InnerPoly(int k) const { return innerPolygon[Slot(k)]; }
    PointI OuterPoly(int k) const { return outerPolygon[Slot(k)]; }

    bool TurnsLeft() const { return orientation != 0; }
    // Width per lane pair is the NINCO one (180).
    bool IsNincoWidth(const TCircuit& circuit) const;
    // The width of the entry and of the exit edge across all lanes: the
    // stored width, except at an adaptation chicane's entry, which has the
    // other family's width (CircuitRuns.cpp).
    double EntryWidth(const TCircuit& circuit) const;
    double ExitWidth() const { return width; }

    // New piece of the given type at (x, y) heading `angle`, with borders,
    // widths and dimensions for its brand and the circuit's lane pairs, and
    // its outline computed.
    static TTrack Create(const TCircuit& circuit, int type, double x, double y, double angle, int orientation,
                         int brandFlag);
    // Recomputes the outline, the screen outline and both border polygons.
    // Needed after any change of position, angle, orientation, width, type
    // dimensions, border flags or the circuit's scale.
    void ComputeOutline(const TCircuit& circuit);
    double ExitHeading() const;
    PointD ExitPoint() const { return outline[8]; }
    // Strict: points on the piece's edges are outside.
    bool ContainsPoint(int32_t px, int32_t py) const;
    // Re-reads length-or-arc and inner radius for the current type and the
    // brand the width tells; a type the brand lacks keeps the old values.
    // The outline is not recomputed.
    void SetTypeDimensions(const TCircuit& circuit);

    // --- Drawing (TrackDraw.cpp) ---
    // The piece's shadow, cast 15 mm left and down, in the colour the
    // circuit's background, template and the printing flag call for.
    void DrawShadow(const TCircuit& circuit, Canvas& canvas, bool printing) const;
    // The piece at the circuit's detail level: barriers, borders, body,
    // seams, markings, joints, slots and the colour-code dots. Draws from the
    // cached pixel points and the millimetre outline; allocates nothing.
    // The printing flag changes nothing here; it is taken for symmetry with
    // DrawShadow. Both leave the pen and brush as they last set them.
    void Draw(const TCircuit& circuit, Canvas& canvas, bool printing) const;

private:
    static int Slot(int k) { return k < 1 ? 0 : (k > kOutlinePoints ? kOutlinePoints - 1 : k - 1); }
};

// ===========================================================================
// The circuit

// What the whole circuit is drawn for: the screen (the circuit's background
// colour, no title) or the printer (white, a title line, a grey grid).
enum class CircuitDrawMode : uint8_t { Screen = 0, Print = 1 };

struct TIconSlot {
    int32_t kind = 0;  // 0: empty
    double x = 0.0;    // top-left corner, mm
    double y = 0.0;
    bool selected = false;
};

struct TBoundingBox {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

class TCircuit {
public:
    static constexpr int kMaxTracks = 300;
    static constexpr int kIconSlots = 40;
    // Icons are drawn as square pictures of this many pixels, whatever the
    // scale: their size in millimetres follows the scale.
    static constexpr int kIconPixels = 32;
    static constexpr int32_t kStartGrid = 200;

    // The start point snaps to the 200 mm grid (halves to even).
    explicit TCircuit(int32_t startX = 0, int32_t startY = 0);

    double startX = 0.0;
    double startY = 0.0;
    bool outerBorderDefault = false;
    bool innerBorderDefault = false;
    uint8_t lanePairs = 1;
    bool gridShown = true;
    int32_t gridStep = 200;
    bool closed = false;
    TBoundingBox box;
    uint8_t startBrand = 1;  // 1 NINCO width, 0 SCX width
    int32_t detailLevel = 3;
    double scale = 5.0;  // millimetres per pixel
    std::string title;
    bool colourCodeShown = false;
    bool modified = false;
    std::string templatePath;
    bool templateShown = false;
    bool singleRacing = false;
    int32_t backgroundColour = 0xFFFFFF;
    std::array<TIconSlot, kIconSlots> icons{};
    int32_t firstSelected = 0;  // 1-based, 0 = none
    int32_t lastSelected = 0;
    bool rulersShown = false;
    int32_t workAreaLength = 3000;
    int32_t workAreaWidth = 2000;

    // ---- Carried by the circuit file (CircuitFile.cpp)
    // The notes, UTF-8, lines separated by "\n" (no line break at the end).
    // The file stores them as CR LF lines and ends them at the first empty
    // line, so an empty line inside the notes cuts them there on reading.
    std::string notes;

    int Count() const { return static_cast<int>(tracks_.size()); }
    // Piece i = 1..Count(); throws std::out_of_range otherwise.
    TTrack& Track(int i) { return tracks_.at(Index(i)); }
    const TTrack& Track(int i) const { return tracks_.at(Index(i)); }
    std::span<TTrack> Tracks() { return tracks_; }
    std::span<const TTrack> Tracks() const { return tracks_; }
    // Icon slot 1..40; throws std::out_of_range otherwise.
    TIconSlot& Icon(int slot) { return icons.at(Index(slot)); }
    const TIconSlot& Icon(int slot) const { return icons.at(Index(slot)); }

    // Lane pairs as used in arithmetic: at least 1.
    int LanePairs() const { return lanePairs < 1 ? 1 : lanePairs; }
    // Millimetres per pixel as used in arithmetic: a scale that is not a
    // positive finite number counts as 1.
    double PixelScale() const;

    // Adds a piece at the exit of the last one (piece 1 at the start point,
    // heading 0). No re-lay. False, and nothing changes, at 300 pieces or for
    // an unknown type code.
    bool Append(int type, int orientation, int brandFlag);
    // Inserts after the selected piece, or replaces it when it carries the
    // replace mark; the new piece becomes the selection. Without a selection
    // the informer (when given) is told and nothing is inserted. False, and
    // nothing changes, at 300 pieces or for an unknown type code.
    bool Insert(int type, int orientation, TInformer* informer);
    // The Delete command on a selected range; the caller re-lays without
    // keeping the anchor. False when there is no valid range.
    bool DeleteSelectedRange();
    // Deletes the lowest selected piece and selects the one before it. No
    // re-lay. False when nothing is selected.
    bool DeleteFirstSelected();
    // Re-places every piece from the start point along the chain; with
    // keepAnchor the first anchored piece keeps its place and direction and
    // the start point moves instead. Updates the closed flag and the box.
    void ReLay(bool keepAnchor);
    // Turns the whole circuit about the centre of its bounding box.
    void Rotate(double degrees);

    // ---- Moving the whole circuit on its work area (CircuitMoves.cpp).
    // The work area runs from (0, 0) to (areaLength, areaWidth) mm. Placed
    // icons go with the pieces; where a move on the work area would take an
    // icon's picture past an edge, it stops at that edge.
    enum class Edge : uint8_t { Top, Bottom, Left, Right };
    // Moves the start point and the placed icons by (dx, dy); the caller
    // re-lays.
    void MoveBy(double dx, double dy);
    // How far the bounding box is from the middle of an area of that size
    // (the Center command); a shift below 1 mm either way counts as none, so
    // that a centred circuit stays where it is. Stores the box.
    PointD CentringShift(double areaLength, double areaWidth);
    // One step of `step` mm towards the edge, shortened so that the box
    // stops at it, and re-lays. False, and nothing moves, for an empty
    // circuit, a step that is not a positive number, or a box already at or
    // past that edge (the box is stored either way).
    bool MoveTowards(Edge edge, double step, int32_t areaLength, int32_t areaWidth);
    // Moves the box to the middle of the work area by CentringShift and
    // re-lays. False, and nothing moves, for an empty circuit.
    bool Centre(int32_t areaLength, int32_t areaWidth);
    // Pulls an icon's picture (kIconPixels at the circuit's scale) back
    // inside the work area, so it can always be grabbed again.
    void KeepIconOnWorkArea(TIconSlot& icon, int32_t areaLength, int32_t areaWidth) const;
    // The same for every placed icon.
    void KeepIconsOnWorkArea(int32_t areaLength, int32_t areaWidth);
    // Computes, stores and returns the bounding box.
    TBoundingBox BoundingBox();
    TBoundingBox ComputeBoundingBox() const;
    // The stored box lies within the work area widened by 800 mm on every side.
    bool FitsWorkArea(int32_t areaLength, int32_t areaWidth) const;
    // Selects the topmost piece under the point and returns its index; 0 when
    // none. Every other piece is deselected.
    int HitTest(int32_t x, int32_t y);
    bool ContainsType(int type) const;
    // Catalogue pieces of one type the chain needs for its pieces of one
    // width family.
    int CountPieces(int catalogueType, bool nincoWidth) const;
    // The single-racing end loop after the selection. False, and nothing
    // changes, when the eight pieces do not fit under the limit or the
    // insertion is refused.
    bool AddSingleRacingEnds(TInformer* informer = nullptr);
    // Brand flag of a piece of `type` inserted after piece i: the width
    // family of piece i, the other one for an adaptation chicane.
    int BrandFlagAfter(int i, int type) const;

    // ---- Runs of pieces (CircuitRuns.cpp), for cutting and pasting
    // Puts copies of `pieces` after piece `after` (0: in front of piece 1),
    // as they are; the caller re-lays. False, and nothing changes, when
    // `after` lies outside 0..Count(), the chain would pass 300 pieces or a
    // piece has an unknown type code.
    bool InsertRun(int after, std::span<const TTrack> pieces);
    // Frees pieces first..last; the later ones move down. No re-lay. False,
    // and nothing changes, unless 1 <= first <= last <= Count().
    bool EraseRun(int first, int last);

    // ---- Circuit-wide computations (LaneLengths.cpp, Borders.cpp,
    // Equilibrate.cpp)
    static constexpr int kMaxLanes = 8;
    // The running length in mm of lanes 1..8 at [0..7], following the lanes
    // through changeover tracks; lanes past 2 x lane pairs are 0. Lane 1 is
    // the lane nearest the right edge of the pieces.
    std::array<double, kMaxLanes> LaneLengths() const;
    // Borders the run of same-hand curves through the first selected (or
    // replace-marked) piece and gives the pieces on either side of the run
    // the matching border or half border. False, and nothing changes, when
    // that piece is not a curve. The caller re-lays.
    bool AddAutomaticBorders();
    // Undoes AddAutomaticBorders on the run through the first selected (or
    // replace-marked) piece. Changes nothing unless that piece is a curve;
    // true only when it was a curve with an outer border. The caller re-lays.
    bool RemoveAutomaticBorders();
    // Turns the pair of standard straights that best balances lanes 1 and 2
    // into changeover tracks; every other changeover becomes a standard
    // straight. Changes type codes only (a changeover and a standard straight
    // have the same length), so the caller's re-lay leaves the layout as it was.
    void Equilibrate();

    // --- Drawing (CircuitDraw.cpp) ---
    // The whole work area, areaLength mm across and areaWidth mm down, on a
    // canvas in pixels at the circuit's scale: background, template, title
    // (print only), the drawing picture, grid, shadows, pieces, end and
    // insertion marks, single-racing ends and icons. `pictureZoom` is how
    // many canvas pixels one pixel of the drawing picture and the icons
    // covers: on paper, the screen's millimetres per pixel over the paper's,
    // so they keep their size against the circuit.
    void Draw(Canvas& canvas, CircuitDrawMode mode, int32_t areaWidth, int32_t areaLength,
              double pictureZoom = 1.0) const;

private:
    static size_t Index(int i) { return i < 1 ? static_cast<size_t>(-1) : static_cast<size_t>(i - 1); }
    int LowestSelected() const;
    void LayChain();

    std::vector<TTrack> tracks_;
};

// ===========================================================================
// The circuit file (CircuitFile.cpp)
//
// A .QLC file is Windows-1252 text, one value per line, version 5 when
// written, versions 1 to 5 when read. Reading is strict: anything damaged
// rejects the whole file and leaves the caller's circuit as it was.

constexpr int kCircuitFileVersion = 5;

// Why a circuit file could not be read.
struct TReadProblem {
    int line = 0;         // the line at fault, 1-based; 0 when no line is to blame
    std::string message;  // in the current language, naming the file and the line
};

// The title a circuit saved as `path` takes: the name after the last "/" or
// "\\", less its last four characters (the extension).
std::string CircuitTitleFromPath(std::string_view path);

// The bytes of the circuit's file with the given title line, decimals written
// with `separator`. Settings outside the ranges the reader accepts are written
// at the nearest accepted value, so every file written can be read back (type
// codes need no such care: Append refuses unknown ones).
std::string CircuitFileBytes(const TCircuit& circuit, std::string_view title, char separator);

// Saves under `path` atomically, decimals with DecimalSeparator(). On success
// the title becomes CircuitTitleFromPath(path) and the circuit is no longer
// modified; on failure the existing file is untouched, the circuit keeps its
// title and modified flag, and `error` (when given) says what went wrong.
bool SaveCircuit(TCircuit& circuit, const std::string& path, std::string* error = nullptr);

// Reads a whole circuit file into a fresh circuit and, only when all of it was
// read, moves that into `circuit`. `fileName` names the file in messages.
// Decimals may use a point or a comma.
bool ReadCircuitBytes(std::string_view bytes, std::string_view fileName, TCircuit& circuit,
                      TReadProblem* problem = nullptr);

// What the editor does about the template picture of a circuit just read.
struct TTemplateAction {
    enum class Kind {
        None,     // no template path
        Load,     // load the picture at `path`
        Missing,  // show text 195 ("Can´t find ") followed by `path`; the
                  // circuit's template path and flag have been cleared
    };
    Kind kind = Kind::None;
    std::string path;
};

// Finds the circuit's template picture: the stored path; else a file of the
// same name (without its folder) in `circuitFolder`, the folder the circuit
// was read from; else the same name in the current folder. When none exists
// the template path is cleared and the template turned off.
TTemplateAction ResolveTemplate(TCircuit& circuit, const std::string& circuitFolder);

// Reads the file at `path` (ReadCircuitBytes) and resolves its template
// (ResolveTemplate, with the file's folder). On failure `circuit` is untouched.
bool LoadCircuit(const std::string& path, TCircuit& circuit, TTemplateAction* templateAction = nullptr,
                 TReadProblem* problem = nullptr);

}  // namespace quillet
