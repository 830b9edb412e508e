// The program as the end-to-end tests start it: the real program's body
// with the session scripted by the file QUILLET_TEST_SCRIPT names
// (TestScript.h). Without the variable it is the real program.
#include "app/gui/Program.h"
#include "tests/gui/support/TestScript.h"

int main(int argc, char* argv[]) {
    using namespace quillet;
    if (!qEnvironmentVariableIsSet(kTestScriptVariable)) return RunProgram(argc, argv);
    std::optional<TTestScript> script = ReadTestScript(qEnvironmentVariable(kTestScriptVariable));
    if (!script) return 2;
    TProgramHooks hooks;
    hooks.wrapDialogs = [&script](TPrompter& dialogs) -> std::unique_ptr<TPrompter> {
        return std::make_unique<TScriptedPrompter>(dialogs, std::move(script->answers));
    };
    hooks.started = [&script](TSDIAppForm& window) { RunTestCommands(&window, script->commands); };
    return RunProgram(argc, argv, hooks);
}
