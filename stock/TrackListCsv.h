#pragma once
// The bill of materials as a CSV table for a spreadsheet: a heading row, then
// one row per line of the Track List (brand, piece or border name, required,
// in stock, missing), in the current language, headed with the Track List
// window's words.
//
// The table is UTF-8 with a byte-order mark (a spreadsheet then reads the
// accents right instead of guessing a code page) and rows end with CR LF.
// Fields are separated by commas, or by semicolons where the decimal
// separator is a comma: a spreadsheet in such a locale splits columns at
// semicolons and would read a comma-separated table as one column. A field
// holding the separator, a double quote, a CR or an LF is put in double
// quotes with its quotes doubled. Counts are plain whole numbers (0 where the
// Track List shows "-"), so a spreadsheet can add them up.

#include <string>
#include <string_view>
#include <vector>

#include "stock/TrackList.h"

namespace quillet {

inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The field separator that goes with the decimal separator.
char CsvSeparator(char decimalSeparator);

// One field as it is written between `separator`s.
std::string CsvField(std::string_view text, char separator);

std::string TrackListCsv(const std::vector<TTrackListRow>& rows, char decimalSeparator);

}  // namespace quillet
