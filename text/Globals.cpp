#include "text/Globals.h"

namespace quillet {

const char* ProgramVersion() { return "1.0.0"; }

}  // namespace quillet
