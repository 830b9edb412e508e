#pragma once
// The command line of quillet-cli: a command, its files, then options.
//
// Options are "--name value", "--name=value" or a bare "--flag"; they may
// stand anywhere after the command (and --lang, --stock, --help and
// --version before it too), and "--" makes everything after it a file name.
// Only two dashes start an option: "-x" is a file name. An option given
// twice keeps its last value.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::cli {

enum class Command { None, Report, LapTimes, Render, Close, Equilibrate, Convert, Suggest };

struct Invocation {
    Command command = Command::None;
    std::string commandName;
    bool help = false;
    bool version = false;
    std::vector<std::string> files;  // positional arguments after the command
    // Options given, by name without the dashes; flags hold "".
    std::map<std::string, std::string, std::less<>> options;

    bool Has(std::string_view name) const { return options.find(name) != options.end(); }
    std::optional<std::string> Value(std::string_view name) const;
};

// What went wrong, in the language the line asks for; nothing when the line
// is usable.
struct Parsed {
    Invocation invocation;
    std::string error;
};

// Reads the arguments after the program name. Sets the language --lang asks
// for (English by default, and English to complain that --lang holds
// something else than es or en, which stops everything, --help too); checks
// the command, the options it takes and the number of files; the options'
// values are checked by the commands.
Parsed ParseArguments(const std::vector<std::string>& args);

}  // namespace quillet::cli
