#include "stock/TrackListCsv.h"

#include <initializer_list>

#include "text/ExtraTexts.h"

namespace quillet {

namespace {

constexpr std::string_view kRowEnd = "\r\n";

void AppendRow(std::string& out, char separator, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const std::string& field : fields) {
        if (!first) out += separator;
        out += CsvField(field, separator);
        first = false;
    }
    out += kRowEnd;
}

}  // namespace

char CsvSeparator(char decimalSeparator) { return decimalSeparator == ',' ? ';' : ','; }

std::string CsvField(std::string_view text, char separator) {
    const char special[] = {separator, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, sizeof special)) == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string TrackListCsv(const std::vector<TTrackListRow>& rows, char decimalSeparator) {
    const char separator = CsvSeparator(decimalSeparator);
    std::string out(kUtf8ByteOrderMark);
    AppendRow(out, separator,
              {Text(XText::CsvBrand), Text(XText::CsvPiece), Text(XText::CsvRequired), Text(XText::CsvInStock),
               Text(XText::CsvMissing)});
    for (const TTrackListRow& row : rows) {
        AppendRow(out, separator,
                  {row.brand, row.name, std::to_string(row.required), std::to_string(row.stock),
                   std::to_string(row.missing)});
    }
    return out;
}

}  // namespace quillet
