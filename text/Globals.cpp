#include "text/Globals.h"

namespace quillet {
namespace {
char g_decimalSeparator = '.';
}

const char* ProgramVersion() { return "1.0.0"; }

char DecimalSeparator() { return g_decimalSeparator; }

void SetDecimalSeparator(char separator) {
    // Only the two separators the readers accept.
    g_decimalSeparator = separator == ',' ? ',' : '.';
}

}  // namespace quillet
