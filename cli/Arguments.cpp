#include "cli/Arguments.h"

#include <algorithm>
#include <array>

#include "text/ExtraTexts.h"
#include "text/Languages.h"

namespace quillet::cli {

namespace {

struct CommandSyntax {
    Command command;
    std::string_view name;
    std::string_view files;
    std::size_t fileCount;
    std::vector<std::string_view> valueOptions;
    std::vector<std::string_view> flags;
};

const std::vector<CommandSyntax>& Syntaxes() {
    static const std::vector<CommandSyntax> table{
        {Command::Report, "report", "FILE.QLC", 1, {}, {}},
        {Command::LapTimes, "laptimes", "FILE.QLC", 1, {"stability", "power"}, {"first-lap"}},
        {Command::Render, "render", "FILE.QLC OUT.png|OUT.svg|OUT.pdf", 2, {"detail", "scale"},
         {"colour-code", "print"}},
        {Command::Close, "close", "IN.QLC OUT.QLC", 2, {"tolerance", "exclude"}, {"use-stock", "random"}},
        {Command::Equilibrate, "equilibrate", "IN.QLC OUT.QLC", 2, {}, {}},
        {Command::Convert, "convert", "IN.QLC OUT.QLC add-outer|add-inner|delete-outer|delete-inner", 3, {}, {}},
    };
    return table;
}

// Options every command takes.
constexpr std::array<std::string_view, 2> kGlobalValueOptions{"lang", "stock"};
constexpr std::string_view kHelp = "help";
constexpr std::string_view kVersion = "version";

bool Contains(const std::vector<std::string_view>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}

bool IsOption(std::string_view arg) { return arg.size() > 2 && arg.substr(0, 2) == "--"; }

// "--name=value" -> ("name", "value"); "--name" -> ("name", nothing).
std::pair<std::string, std::optional<std::string>> SplitOption(std::string_view arg) {
    arg.remove_prefix(2);
    const std::size_t eq = arg.find('=');
    if (eq == std::string_view::npos) return {std::string(arg), std::nullopt};
    return {std::string(arg.substr(0, eq)), std::string(arg.substr(eq + 1))};
}

}  // namespace

std::optional<std::string> Invocation::Value(std::string_view name) const {
    const auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

std::optional<int> RequestedLanguage(const std::vector<std::string>& args, std::string* badValue) {
    int language = kEnglish;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") break;
        if (!IsOption(args[i])) continue;
        auto [name, value] = SplitOption(args[i]);
        if (name != "lang") continue;
        if (!value) {
            if (i + 1 >= args.size()) continue;  // reported by the parser
            value = args[++i];
        }
        if (*value == "es") {
            language = kSpanish;
        } else if (*value == "en") {
            language = kEnglish;
        } else {
            if (badValue != nullptr) *badValue = *value;
            return std::nullopt;
        }
    }
    return language;
}

Parsed ParseArguments(const std::vector<std::string>& args) {
    Parsed parsed;
    Invocation& inv = parsed.invocation;
    const CommandSyntax* syntax = nullptr;
    std::optional<std::string> unknownCommand;
    bool onlyFiles = false;

    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!onlyFiles && arg == "--") {
            onlyFiles = true;
            continue;
        }
        if (onlyFiles || !IsOption(arg)) {
            if (syntax == nullptr && !unknownCommand && inv.commandName.empty()) {
                inv.commandName = arg;
                for (const CommandSyntax& s : Syntaxes()) {
                    if (s.name == arg) syntax = &s;
                }
                if (syntax == nullptr) {
                    unknownCommand = arg;
                } else {
                    inv.command = syntax->command;
                }
            } else {
                inv.files.push_back(arg);
            }
            continue;
        }
        auto [name, value] = SplitOption(arg);
        if (name == kHelp && !value) {
            inv.help = true;
            continue;
        }
        if (name == kVersion && !value) {
            inv.version = true;
            continue;
        }
        const bool global = std::find(kGlobalValueOptions.begin(), kGlobalValueOptions.end(), name) !=
                            kGlobalValueOptions.end();
        const bool takesValue = global || (syntax != nullptr && Contains(syntax->valueOptions, name));
        const bool flag = syntax != nullptr && Contains(syntax->flags, name);
        if (!takesValue && !flag) {
            if (parsed.error.empty()) {
                parsed.error = syntax == nullptr ? Format(Text(XText::CliUnknownOption), arg, "quillet-cli")
                                               : Format(Text(XText::CliUnknownOption), arg, syntax->name);
            }
            continue;
        }
        if (flag) {
            if (value && parsed.error.empty()) {
                parsed.error = Format(Text(XText::CliUnknownOption), arg, syntax->name);
            }
            inv.options[name] = "";
            continue;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                if (parsed.error.empty()) parsed.error = Format(Text(XText::CliMissingValue), "--" + name);
                continue;
            }
            value = args[++i];
        }
        inv.options[name] = *value;
    }

    // Help wins over every other complaint: it is what a puzzled user asks for.
    if (inv.help || inv.version) {
        parsed.error.clear();
        return parsed;
    }
    if (unknownCommand) {
        parsed.error = Format(Text(XText::CliUnknownCommand), *unknownCommand);
        return parsed;
    }
    if (syntax == nullptr) {
        parsed.error = Text(XText::CliNoCommand);
        return parsed;
    }
    if (parsed.error.empty() && inv.files.size() != syntax->fileCount) {
        parsed.error = Format(Text(XText::CliWrongArguments), syntax->name, syntax->files);
    }
    return parsed;
}

}  // namespace quillet::cli
