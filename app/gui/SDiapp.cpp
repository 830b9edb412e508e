// The program: its body is RunProgram (app/gui/Program.h), which a test
// build of the program shares.
#include "app/gui/Program.h"

int main(int argc, char* argv[]) { return quillet::RunProgram(argc, argv); }
