#pragma once
// Program-wide values shared by the editor and the tools.

namespace quillet {

// The program's version, shown in the About window and by the command-line tool.
const char* ProgramVersion();

}  // namespace quillet
