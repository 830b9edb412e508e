#pragma once
// The command line of quillet-cli: a command, its files, then options.
//
// Options are "--name value", "--name=value" or a bare "--flag"; they may
// stand anywhere after the command (and --lang, --stock, --help and
// --version before it too), and "--" makes everything after it a file name. An option given
// twice keeps its last value.

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet::cli {

enum class Command { None, Report, LapTimes, Render, Close, Equilibrate, Convert };

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

// What went wrong, in the current language; nothing when the line is usable.
struct Parsed {
    Invocation invocation;
    std::string error;
};

// The language the line asks for: 1 Spanish, 2 English (the default), or
// nothing when --lang holds something else. Read before anything else so
// that every message is in that language.
std::optional<int> RequestedLanguage(const std::vector<std::string>& args, std::string* badValue);

// Reads the arguments after the program name. Checks the command, the
// options it takes and the number of files; the options' values are checked
// by the commands.
Parsed ParseArguments(const std::vector<std::string>& args);

}  // namespace quillet::cli
