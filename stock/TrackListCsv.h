#pragma once
// The bill of materials as a CSV table for a spreadsheet: a heading row, then
// one row per line of the Track List (brand, piece or border name, required,
// in stock, missing), in the current language.
//
// The table is UTF-8 without a byte-order mark, fields are separated by
// commas and rows end with CR LF (RFC 4180); a field holding a comma, a
// double quote, a CR or an LF is put in double quotes with its quotes
// doubled. Counts are plain whole numbers (0 where the Track List shows "-"),
// so a spreadsheet can add them up.

#include <string>
#include <string_view>
#include <vector>

#include "stock/TrackList.h"

namespace quillet {

// One field as it is written.
std::string CsvField(std::string_view text);

std::string TrackListCsv(const std::vector<TTrackListRow>& rows);

}  // namespace quillet
