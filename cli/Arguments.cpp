#include "cli/Arguments.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <tuple>

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
        {Command::Render,
         "render",
         "FILE.QLC OUT.png|OUT.svg|OUT.pdf",
         2,
         {"detail", "scale"},
         {"colour-code", "print"}},
        {Command::Close, "close", "IN.QLC OUT.QLC", 2, {"tolerance", "exclude"}, {"use-stock", "random"}},
        {Command::Equilibrate, "equilibrate", "IN.QLC OUT.QLC", 2, {}, {}},
        {Command::Convert, "convert", "IN.QLC OUT.QLC add-outer|add-inner|delete-outer|delete-inner", 3, {}, {}},
        {Command::Suggest, "suggest", "OUTDIR", 1, {"area", "lanes", "system", "count", "any-pieces"}, {}},
    };
    return table;
}

// Options every command takes, before or after it.
const std::vector<std::string_view> kGlobalValueOptions{"lang", "stock"};
const std::vector<std::string_view> kGlobalFlags{"help", "version"};

// Arguments go to Qt one byte per Latin-1 character, so that the option
// names (ASCII) read as usual and file names in any encoding come back byte
// for byte. Qt would read "-x" as an option; this tool has always taken it
// for a file name, so such a word is marked with a character no byte becomes
// and unmarked when it comes back.
constexpr char16_t kSingleDashMark = u'\u0100';

QString ToQt(const std::string& arg) {
    QString s = QString::fromLatin1(arg.data(), static_cast<qsizetype>(arg.size()));
    if (s.size() > 1 && s[0] == u'-' && s[1] != u'-') s.prepend(QChar(kSingleDashMark));
    return s;
}

std::string FromQt(QString s) {
    if (s.startsWith(QChar(kSingleDashMark))) s.remove(0, 1);
    const QByteArray bytes = s.toLatin1();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString Name(std::string_view name) { return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())); }

const QString kSeparator = QStringLiteral("--");

// Runs Qt's parser on `args` (without the program name). Its complaints are
// read back afterwards, in this tool's words.
void Parse(QCommandLineParser& parser, const QStringList& args, const std::vector<std::string_view>& valueOptions,
           const std::vector<std::string_view>& flags) {
    for (const std::string_view name : valueOptions) {
        parser.addOption(QCommandLineOption(Name(name), QString(), QStringLiteral("value")));
    }
    for (const std::string_view name : flags) parser.addOption(QCommandLineOption(Name(name)));
    parser.parse(QStringList{QStringLiteral("quillet-cli")} + args);
}

// Where "--name" or "--name=..." stands in `args` from `from` on, up to a
// "--"; -1 when it does not.
qsizetype WhereGiven(const QStringList& args, const QString& name, qsizetype from, bool withValueOnly) {
    const QString bare = kSeparator + name;
    for (qsizetype i = from; i < args.size(); ++i) {
        if (args[i] == kSeparator) break;
        if ((!withValueOnly && args[i] == bare) || args[i].startsWith(bare + u'=')) return i;
    }
    return -1;
}

// A complaint about the line and where it stands: the first one is told.
struct Problem {
    int pass;  // before the command 0, after it 1
    qsizetype at;
    std::string message;
};

// Copies what one pass found into the invocation and lists what is wrong.
// `scope` is what unknown options are unknown for.
void Collect(const QCommandLineParser& parser, const QStringList& args, int pass,
             const std::vector<std::string_view>& valueOptions, const std::vector<std::string_view>& flags,
             std::string_view scope, Invocation& inv, std::vector<Problem>& problems) {
    const QStringList given = parser.optionNames();  // one entry per time given, values consumed
    qsizetype from = 0;
    for (const QString& name : parser.unknownOptionNames()) {
        const qsizetype at = WhereGiven(args, name, from, false);
        const std::string arg = at >= 0 ? FromQt(args[at]) : "--" + FromQt(name);
        problems.push_back({pass, at >= 0 ? at : args.size(), Format(Text(XText::CliUnknownOption), arg, scope)});
        if (at >= 0) from = at + 1;
    }
    for (const std::string_view flag : flags) {
        const QString name = Name(flag);
        const qsizetype times = given.count(name);
        // Qt counts "--flag=value" as given, with a complaint of its own.
        qsizetype withValue = 0;
        for (qsizetype at = WhereGiven(args, name, 0, true); times > 0 && at >= 0;
             at = WhereGiven(args, name, at + 1, true)) {
            ++withValue;
            problems.push_back({pass, at, Format(Text(XText::CliUnknownOption), FromQt(args[at]), scope)});
        }
        if (times <= withValue) continue;
        if (flag == "help") {
            inv.help = true;
        } else if (flag == "version") {
            inv.version = true;
        } else {
            inv.options[std::string(flag)] = "";
        }
    }
    for (const std::string_view option : valueOptions) {
        const QString name = Name(option);
        const QStringList values = parser.values(name);
        if (!values.isEmpty()) inv.options[std::string(option)] = FromQt(values.last());
        // Only the last argument can lack its value.
        if (given.count(name) > values.size()) {
            problems.push_back({pass, args.size(), Format(Text(XText::CliMissingValue), "--" + std::string(option))});
        }
    }
}

template <class T>
std::vector<T> Joined(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

std::optional<std::string> Invocation::Value(std::string_view name) const {
    const auto it = options.find(name);
    if (it == options.end()) return std::nullopt;
    return it->second;
}

Parsed ParseArguments(const std::vector<std::string>& args) {
    Parsed parsed;
    Invocation& inv = parsed.invocation;
    QStringList line;
    for (const std::string& arg : args) line << ToQt(arg);

    // Before the command, only the options every command takes; the command
    // and everything after it come back as they stand.
    QCommandLineParser before;
    before.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    Parse(before, line, kGlobalValueOptions, kGlobalFlags);
    QStringList rest = before.positionalArguments();
    const QStringList head = line.mid(0, line.size() - rest.size());

    const CommandSyntax* syntax = nullptr;
    const bool commandGiven = !rest.isEmpty();
    QStringList tail;
    if (commandGiven) {
        inv.commandName = FromQt(rest.takeFirst());
        for (const CommandSyntax& s : Syntaxes()) {
            if (s.name == inv.commandName) syntax = &s;
        }
        if (syntax != nullptr) inv.command = syntax->command;
        // A "--" before the command keeps its files files: it is in the head
        // once more than as a value of --lang or --stock.
        const qsizetype asValues = before.values(QStringLiteral("lang")).count(kSeparator) +
                                   before.values(QStringLiteral("stock")).count(kSeparator);
        if (head.count(kSeparator) > asValues) tail << kSeparator;
        tail += rest;
    }
    const std::vector<std::string_view> valueOptions =
        syntax != nullptr ? Joined(kGlobalValueOptions, syntax->valueOptions) : kGlobalValueOptions;
    const std::vector<std::string_view> flags = syntax != nullptr ? Joined(kGlobalFlags, syntax->flags) : kGlobalFlags;
    QCommandLineParser after;
    Parse(after, tail, valueOptions, flags);
    for (const QString& file : after.positionalArguments()) inv.files.push_back(FromQt(file));

    // The language first, so that every complaint is in it; one --lang that
    // is neither stops everything.
    int language = kEnglish;
    for (const QCommandLineParser* parser : {&before, &after}) {
        for (const QString& v : parser->values(QStringLiteral("lang"))) {
            const std::string value = FromQt(v);
            if (value == "es") {
                language = kSpanish;
            } else if (value == "en") {
                language = kEnglish;
            } else {
                SetLanguageIndex(kEnglish);
                parsed.error = Format(Text(XText::CliBadValue), "--lang", value, "es, en");
                return parsed;
            }
        }
    }
    SetLanguageIndex(language);

    std::vector<Problem> problems;
    Collect(before, head, 0, kGlobalValueOptions, kGlobalFlags, "quillet-cli", inv, problems);
    Collect(after, tail, 1, valueOptions, flags, syntax != nullptr ? syntax->name : "quillet-cli", inv, problems);

    // Help wins over every other complaint: it is what a puzzled user asks for.
    if (inv.help || inv.version) return parsed;
    if (!commandGiven) {
        parsed.error = Text(XText::CliNoCommand);
    } else if (syntax == nullptr) {
        parsed.error = Format(Text(XText::CliUnknownCommand), inv.commandName);
    } else if (!problems.empty()) {
        parsed.error = std::min_element(problems.begin(), problems.end(), [](const Problem& a, const Problem& b) {
                           return std::tie(a.pass, a.at) < std::tie(b.pass, b.at);
                       })->message;
    } else if (inv.files.size() != syntax->fileCount) {
        parsed.error = Format(Text(XText::CliWrongArguments), syntax->name, syntax->files);
    }
    return parsed;
}

}  // namespace quillet::cli
