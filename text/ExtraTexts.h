#pragma once
// Texts beyond the 240 numbered entries, in both languages.
//
// The numbered table keeps the numbering every window and tool refers to; texts
// added since (file reader errors, export commands, ...) live here, named
// rather than numbered, so that adding one never shifts an entry.
//
// Placeholders are "%1" to "%9", filled by Format(); "%%" stands for a literal
// "%". Reader errors are lower-case fragments without a final stop, so that a
// window can put them after a file name or a line number.

#include <array>
#include <concepts>
#include <span>
#include <string>
#include <string_view>

namespace quillet {

enum class XText {
    // %1 the file name, %2 the cause (one of the texts below), e.g.
    // "cannot read a.QLC: line 12: expected a whole number".
    CannotRead,
    CannotOpenFile,      // %1 the file name
    CannotWriteFile,     // %1 the file name
    ExpectedInteger,     // %1 the line number
    ExpectedDecimal,     // %1 the line number
    UnknownPieceType,    // %1 the line number
    UnsupportedVersion,  // %1 the version number read
    TooManyTracks,
    LanePairsOutOfRange,
    FileEndsEarly,
    StockFileDamaged,  // %1 the line number
    // What is wrong with that line of the stock file.
    StockNotANumber,
    StockCountOutOfRange,  // %1 the largest count
    StockLanguageOutOfRange,
    StockUnexpectedText,
    // What became of a damaged stock file.
    StockReadableKept,
    StockCopyKept,    // %1 the copy's file name
    StockCopyFailed,  // %1 the cause
    StockNotOverwritten,
    AtLine,              // %1 the line number, %2 what is wrong there
    ValueOutOfRange,     // %1 the line number, %2 and %3 the accepted bounds
    FileEndsBeforeLine,  // %1 the line number that is missing
    // The main window and its dialogs.
    CannotReadPicture,  // %1 the file name
    // Editing with the mouse: what a click did that the drawing barely shows.
    ReplaceMarkSet,
    CircuitReversed,
    SettingsEmptyLength,
    SettingsEmptyWidth,
    SettingsEmptyGrid,
    SettingsDetailMin,
    SettingsDetailMax,
    StockControlMenu,  // Tools > Stock Control...
    LapTimesMenu,      // Tools > lap times, shown by Alt+6
    PicturesFilter,    // the template dialog's other pictures
    AllFilesFilter,
    AboutVersion,  // %1 the version
    AboutPurpose,
    // The automatic closing's random search could not make the needed turn
    // with the pieces allowed.
    ClosingTurnUnreachable,
    // The command-line tool: the help of the whole tool and of each command
    // ...
    CliHelp,
    CliHelpReport,
    CliHelpLapTimes,
    CliHelpRender,
    CliHelpClose,
    CliHelpEquilibrate,
    CliHelpConvert,
    // ... and what it says about a command line it cannot run.
    CliNoCommand,
    CliUnknownCommand,  // %1 the command
    CliUnknownOption,   // %1 the option, %2 the command
    CliMissingValue,    // %1 the option
    CliBadValue,        // %1 the option, %2 the value, %3 what it may be
    CliWrongArguments,  // %1 the command, %2 the files it takes
    CliPictureType,     // %1 the file name
    CliScaleWithPrint,
    CliPictureTooLarge,  // %1 and %2 the width and height in pixels
    CliStockAndRandom,
    CliNothingToCloseWith,
    CliConversionNotOffered,  // %1 the choice, %2 the number of lanes
    CliSingleRacingConversion,
    // ---- The stock dialogs and the circuit tools' windows.
    StockFieldEmpty,      // %1 the row's piece, %2 the column (NINCO, SCX)
    StockFieldNotACount,  // %1 the row's piece, %2 the column, %3 the largest count
    StockControlCaption,  // the Stock Control window's title
    LapTimesMin,          // the lap-time track bars' ends
    LapTimesMax,
    NoPrinter,    // the Print dialog while it has nowhere to print to
    PrintToFile,  // %1 the file the printer writes to
    PrintFailed,  // the printer refused the document
    // ---- File > Export: the menu items, their hints, the save dialog's
    // filters, and the bill of materials' column headings.
    ExportPngMenu,
    ExportPngHint,
    ExportSvgMenu,
    ExportSvgHint,
    ExportPdfMenu,
    ExportPdfHint,
    ExportCsvMenu,
    ExportCsvHint,
    ExportDialogTitle,
    ExportPngFilter,
    ExportSvgFilter,
    ExportPdfFilter,
    ExportCsvFilter,
    CannotDrawPicture,  // %1 the file name
    CsvBrand,
    CsvPiece,
    CsvRequired,
    CsvInStock,
    CsvMissing,
    // ---- File > Recent Files.
    RecentFilesMenu,
    RecentFilesHint,
    RecentFilesClear,
    // ---- Crash recovery: the question at start-up.
    RecoverUntitled,  // %1 the circuit's title
    RecoverFile,      // %1 the circuit's title, %2 its file
    // ---- Reading a file: why it was refused before its content was looked at.
    FileTooLarge,
    // ---- Crash recovery: the copy cannot be written (%1 the folder, %2 the cause).
    CannotWriteRecovery,
    // Why a file could not be read or written, for the usual causes; the
    // rest keep the system's own words.
    CauseNoSuchFile,
    CauseNoPermission,
    CauseIsFolder,
    CauseNotFolder,
    CauseDiskFull,
    CauseReadOnly,
    CauseNameTooLong,
    // ---- Close Circuit: the search found no closing pieces.
    ClosingNothingFound,
    ClosingNothingFoundStock,
    // ---- Load errors as the window shows them: a caption saying what
    // failed, then the file's name, its folder and the reason on lines of
    // their own.
    ErrorCaption,  // any other failure
    LoadCircuitCaption,
    LoadStockCaption,
    LoadTemplateCaption,
    LoadErrorFile,    // %1 the file's name
    LoadErrorFolder,  // %1 the folder
    PictureUnreadable,
    // ---- The file layer: refusals, an unconfirmed save, several bad stock lines.
    FileWriteProtected,
    NotRegularFile,
    SaveNotConfirmed,       // %1 the cause
    StockCountsReadAsZero,  // %1 the lines
    StockMoreLines,         // %1 how many more
    // ---- Edit > Select None.
    SelectNoneMenu,
    SelectNoneHint,
    // ---- Suggest Circuits: why nothing (or not all) came out, and quillet-cli suggest.
    SuggestLanesNotOffered,
    SuggestTableNotUsable,
    SuggestCountNotUsable,
    SuggestNoPieces,
    SuggestTooFewCurves,
    SuggestTableTooSmall,
    SuggestNothingFits,
    SuggestCancelled,
    CliHelpSuggest,
    CliSuggestNeeds,
    CliNotAFolder,  // %1 the path
    // ---- Suggest Circuits: the command and its window.
    SuggestCircuitsMenu,
    SuggestCircuitsHint,
    SuggestCaption,
    SuggestTableGroup,
    SuggestTableLength,
    SuggestTableWidth,
    SuggestSystem,
    SuggestNinco,
    SuggestScx,
    SuggestLanes,
    SuggestPiecesGroup,
    SuggestOnlyStock,
    SuggestAnyPieces,  // followed by the number of pieces
    SuggestAnyPiecesUnit,
    SuggestSearch,
    SuggestOpen,
    SuggestClose,
    SuggestSearching,
    SuggestFoundOne,
    SuggestFoundMany,    // %1 how many
    SuggestCellSize,     // %1 length, %2 width, in cm
    SuggestCellLane,     // %1 the mean lane in cm
    SuggestCellPieces,   // %1 how many
    SuggestCellMissing,  // followed by one line a type
    SuggestMissingItem,  // %1 how many, %2 the type's name
    SuggestNothingMissing,
    // ---- Suggest Circuits: why curves run short on four lanes or more.
    SuggestWideCurvesNote,  // follows SuggestTooFewCurves
    Count
};

inline constexpr int kExtraTextCount = static_cast<int>(XText::Count);

// The text in the current language, read at the moment of the call.
const std::string& Text(XText id);

// The text in the given language (anything other than 2 is Spanish). An id
// outside the enumeration gives an empty string.
const std::string& TextIn(int language, XText id);

// Why a file operation failed, from the system's error number: the usual
// causes in the current language, the others in the system's own words.
std::string SystemCause(int error);

// Replaces each "%k" (k = 1..9) by the k-th argument and "%%" by "%", in one
// pass: a "%" inside an argument is copied as it is. A placeholder with no
// argument, and a "%" followed by anything else, stay in the text, so a
// missing argument shows instead of vanishing.
std::string FormatWith(std::string_view pattern, std::span<const std::string> args);

namespace detail {
inline std::string FormatArg(std::string_view s) { return std::string(s); }
// Whole numbers only: decimals follow the locale's separator, which the caller
// chooses.
template <std::integral T>
requires(!std::same_as<T, bool> && !std::same_as<T, char>) std::string FormatArg(T v) { return std::to_string(v); }
}  // namespace detail

template <class... Args>
std::string Format(std::string_view pattern, const Args&... args) {
    const std::array<std::string, sizeof...(Args)> list{detail::FormatArg(args)...};
    return FormatWith(pattern, list);
}

}  // namespace quillet
