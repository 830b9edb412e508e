#pragma once
// Program-wide values shared by the editor and the tools.

namespace quillet {

// The program's version, shown in the About window and by the command-line tool.
const char* ProgramVersion();

// The system's decimal separator, used wherever a decimal number is written
// for a person or into a circuit file. The windows set it from the system
// locale at start-up; the core alone uses a point.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

}  // namespace quillet
