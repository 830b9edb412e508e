#pragma once
// The commands of quillet-cli. Each one runs the same core code as the
// editor's command of the same name and returns what to print and the exit
// status; none of them writes to the terminal itself.

#include <optional>
#include <string>
#include <string_view>

#include "cli/Arguments.h"

namespace quillet {
class TCircuit;
class TTrackList;
}  // namespace quillet

namespace quillet::cli {

inline constexpr int kExitDone = 0;
inline constexpr int kExitRefused = 1;  // the command's own refusal, as the editor gives it
inline constexpr int kExitFailed = 2;   // bad usage, or a file that cannot be read or written

struct Outcome {
    int status = kExitDone;
    std::string out;  // standard output
    std::string err;  // standard error, one line per message
};

Outcome Failed(std::string message);
Outcome Refused(std::string message, std::string out = {});

// Reads a circuit file; on failure the outcome names the file, the line and
// the problem. The template is not looked for: a circuit written back keeps
// its template path whether the picture is there or not.
std::optional<Outcome> ReadCircuitArgument(const std::string& path, TCircuit& circuit);

// The --stock file, or an empty stock without one. The file's language line
// does not change the language chosen with --lang.
std::optional<Outcome> ReadStockOption(const Invocation& inv, TTrackList& stock);

// An integer option within lo..hi, or `fallback` when it is not given.
std::optional<Outcome> IntegerOption(const Invocation& inv, std::string_view name, int lo, int hi, int fallback,
                                     int& value);

// Saves the circuit to `path` atomically; on failure the outcome says why.
std::optional<Outcome> WriteCircuitArgument(TCircuit& circuit, const std::string& path);

Outcome RunReport(const Invocation& inv);
Outcome RunLapTimes(const Invocation& inv);
Outcome RunClose(const Invocation& inv);
Outcome RunEquilibrate(const Invocation& inv);
Outcome RunConvert(const Invocation& inv);
Outcome RunSuggest(const Invocation& inv);
// Render.cpp: the only command that needs Qt.
Outcome RunRender(const Invocation& inv);

}  // namespace quillet::cli
