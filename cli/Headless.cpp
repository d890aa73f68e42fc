#include "Headless.h"

#include "ArmyCatalogue.h"
#include "ArmyChecker.h"
#include "ArmyCode.h"
#include "ArmyDocument.h"
#include "CatalogueSources.h"
#include "DiffCommands.h"
#include "HeadlessDocument.h"
#include "HtmlRoster.h"
#include "ImportCommand.h"
#include "Json.h"
#include "LintCommand.h"
#include "StandardStreams.h"
#include "TextRoster.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <map>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <set>

namespace ovra {
namespace {

// Standard output as a sink for the exports; false once a write failed.
class OutputSink : public ByteSink {
public:
    explicit OutputSink(std::ostream& out) : out_(out) {}
    bool Append(std::string_view bytes) override {
        return static_cast<bool>(out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size())));
    }

private:
    std::ostream& out_;
};

int UsageError(std::ostream& err, const std::string& message) {
    err << "ovra: " << message << "\n\n" << UsageText();
    return 2;
}

bool ParseInt32(const std::string& text, std::int32_t& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

// A points limit is what the window's points field holds: up to nine digits.
constexpr std::size_t kMostPointsDigits = 9;

bool ParsePoints(const std::string& text, std::int32_t& value) {
    return !text.empty() && text.size() <= kMostPointsDigits &&
           text.find_first_not_of("0123456789") == std::string::npos && ParseInt32(text, value);
}

constexpr const char* kAllowIncomplete = kAllowIncompleteOption;

// A command's arguments: options (those in `valued` take the next argument,
// the others stand alone) and the files in their order.
struct CommandOptions {
    std::map<std::string, std::string> options;
    std::vector<std::string> files;

    bool Has(const std::string& option) const { return options.count(option) != 0; }
};

// The options and files of a command; none, after a usage error on `err`,
// for an option the command does not take or one without its value.
std::optional<CommandOptions> ParseCommandOptions(const std::vector<std::string>& args,
                                                  const std::set<std::string>& valued,
                                                  const std::set<std::string>& flags, std::ostream& err) {
    CommandOptions split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--") { // the rest are files, whatever their names
            split.files.insert(split.files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                               args.end());
            break;
        }
        if (valued.count(args[i]) != 0) {
            if (i + 1 >= args.size()) {
                UsageError(err, args[i] + " needs a value");
                return std::nullopt;
            }
            split.options[args[i]] = args[i + 1];
            ++i;
        } else if (flags.count(args[i]) != 0) {
            split.options[args[i]];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            UsageError(err, "unknown option '" + args[i] + "'");
            return std::nullopt;
        } else {
            split.files.push_back(args[i]);
        }
    }
    return split;
}

int RunCatalogue(const CommandContext& context) {
    const std::vector<std::string>& args = context.commandLine.arguments;
    if (args.size() == 1 && args.front() == "--sources") {
        context.out << CatalogueSourcesText(context.catalogue, context.folders);
        return 0;
    }
    if (!args.empty())
        return UsageError(context.err, "catalogue takes no arguments but --sources");
    context.out << CatalogueJson(context.catalogue);
    return 0;
}

int RunNew(const CommandContext& context) {
    std::ostream& err = context.err;
    const auto args = ParseCommandOptions(context.commandLine.arguments, {"--nation", "--points"},
                                          {"--fill-minimums"}, err);
    if (!args)
        return 2;
    std::optional<std::int32_t> nationId;
    std::int32_t points = kDefaultPointsLimit;
    for (const auto& [option, text] : args->options) {
        std::int32_t value = 0;
        if (option == "--fill-minimums")
            continue;
        if (option == "--points" && !ParsePoints(text, value))
            return UsageError(err, "--points needs a whole number from 0 to 999999999");
        if (option == "--nation" && !ParseInt32(text, value))
            return UsageError(err, option + " needs a whole number");
        if (option == "--nation")
            nationId = value;
        else
            points = value;
    }
    if (args->files.size() != 1)
        return UsageError(err, "new needs exactly one output file");

    const ArmyCatalogue& catalogue = context.catalogue;
    HeadlessDocument headless(catalogue, err);
    const NationRecord* nation = nationId ? catalogue.FindNation(*nationId) : catalogue.NextNation(nullptr);
    if (nation == nullptr) {
        if (nationId)
            err << "ovra: no army list defines the nation " << *nationId << "\n";
        else
            err << "ovra: no army lists are loaded\n";
        return 2;
    }
    headless.doc.SetNationAndPoints(*nation, points, args->Has("--fill-minimums"));
    return headless.Save(args->files.front()) ? 0 : 2;
}

// The --info choice of an export, complete when not given; none for a word
// that names no choice.
std::optional<InfoChoice> InfoOption(const CommandOptions& args) {
    const auto given = args.options.find("--info");
    const std::string info = given != args.options.end() ? given->second : "complete";
    if (info == "complete")
        return InfoChoice::Complete;
    if (info == "short")
        return InfoChoice::Short;
    if (info == "none")
        return InfoChoice::None;
    return std::nullopt;
}

// How a command that reads an army file takes its arguments.
struct ArmyCommandForm {
    std::set<std::string> valued = {}; // options with a value; "--info" is checked
    std::set<std::string> flags = {};  // options alone; --allow-incomplete is always one
    std::size_t files = 1;             // IN, or IN and OUT
    const char* filesError = "";       // the usage error for another number of files
    enum class Output {
        None,                  // no output file
        NeverTheInput,         // checked before the army is loaded
        NeverTheInputOrDash,   // the same; "-" is standard output
        TheInputAfterComplete, // checked after the load, only when it was incomplete
    } output = Output::None;
    bool writesPdf = false; // needs the Qt side's PDF export
};

// A command's arguments with its army file open.
struct ArmyCommand {
    CommandOptions args;
    InfoChoice info = InfoChoice::Complete;
    HeadlessDocument army;

    ArmyCommand(const ArmyCatalogue& catalogue, std::ostream& err) : army(catalogue, err) {}
    const std::string& input() const { return args.files[0]; }
    const std::string& output() const { return args.files[1]; }
};

// The opening every army command shares: its options, the number of files,
// an output that must not be the input, and the army file opened as
// File > Open opens it. None (exit code 2, the reason on stderr) when any of
// them fails.
std::unique_ptr<ArmyCommand> OpenArmyCommand(const CommandContext& context, const ArmyCommandForm& form) {
    using Output = ArmyCommandForm::Output;
    std::ostream& err = context.err;
    std::set<std::string> flags = form.flags;
    flags.insert(kAllowIncomplete);
    auto args = ParseCommandOptions(context.commandLine.arguments, form.valued, flags, err);
    if (!args)
        return nullptr;
    const std::optional<InfoChoice> info = InfoOption(*args);
    if (!info) {
        UsageError(err, "--info needs complete, short or none");
        return nullptr;
    }
    if (args->files.size() != form.files) {
        UsageError(err, form.filesError);
        return nullptr;
    }
    const bool checkedFirst = form.output == Output::NeverTheInput ||
                              (form.output == Output::NeverTheInputOrDash && args->files[1] != "-");
    if (checkedFirst && OutputIsInput(args->files[0], args->files[1], err))
        return nullptr;
    if (form.writesPdf && !context.exportPdf) {
        err << "ovra: this build cannot write PDF files\n";
        return nullptr;
    }
    auto command = std::make_unique<ArmyCommand>(context.catalogue, err);
    command->args = std::move(*args);
    command->info = *info;
    if (!command->army.Open(command->input(), command->args.Has(kAllowIncomplete)))
        return nullptr;
    // Writing an incomplete army over its file would lose what it lacks.
    if (form.output == Output::TheInputAfterComplete && command->army.Incomplete() &&
        OutputIsInput(command->input(), command->output(), err))
        return nullptr;
    return command;
}

int RunMinMax(const CommandContext& context) {
    const auto command = OpenArmyCommand(context, {.files = 2,
                                                   .filesError = "min-max needs an input and an output file",
                                                   .output = ArmyCommandForm::Output::TheInputAfterComplete});
    if (!command)
        return 2;
    command->army.doc.army().EnforceMinMax();
    return command->army.Save(command->output()) ? 0 : 2;
}

// The breaches as a JSON array, one object per line of plain `check`.
std::string BreachesJson(const Army& army, const std::vector<Breach>& breaches) {
    std::string json;
    JsonWriter writer(json);
    writer.BeginArray();
    for (const Breach& breach : breaches) {
        writer.BeginObject();
        writer.Key("kind");
        writer.String(BreachKindName(breach.kind));
        const CatalogueEntry* subject = breach.troopType;
        if (breach.magicItem != nullptr)
            subject = breach.magicItem;
        writer.Key("code");
        if (subject != nullptr)
            writer.String(CodeText(subject->key));
        else
            writer.Null();
        writer.Key("name");
        if (subject != nullptr)
            writer.String(subject->name);
        else
            writer.Null();
        writer.Key("units");
        writer.BeginArray();
        for (UnitId id : breach.units)
            writer.String(army.FindUnit(id)->name());
        writer.EndArray();
        writer.Key("count");
        writer.Int(breach.count);
        writer.Key("bound");
        writer.Int(breach.bound);
        writer.Key("line");
        writer.String(BreachLine(breach));
        if (const BreachFacts facts = FactsOf(army, breach); !facts.pool.empty()) {
            writer.Key("pool");
            writer.String(facts.pool);
        }
        writer.EndObject();
    }
    writer.EndArray();
    json += '\n';
    return json;
}

int RunCheck(const CommandContext& context) {
    const auto command =
        OpenArmyCommand(context, {.flags = {"--json"}, .filesError = "check needs one army file"});
    if (!command)
        return 2;
    const Army& army = command->army.doc.army();
    const std::vector<Breach> breaches = CheckArmy(army);
    if (command->args.Has("--json")) {
        context.out << BreachesJson(army, breaches);
    } else {
        for (const Breach& breach : breaches)
            context.out << BreachLine(breach) << "\n";
    }
    return breaches.empty() ? 0 : 1;
}

int RunExportHtml(const CommandContext& context) {
    const auto command =
        OpenArmyCommand(context, {.files = 2,
                                  .filesError = "export-html needs an army file and an output file",
                                  .output = ArmyCommandForm::Output::NeverTheInput});
    if (!command)
        return 2;
    std::string error;
    if (!ExportHtml(command->army.doc, command->output(), error)) {
        context.err << "ovra: " << error << "\n";
        return 2;
    }
    return 0;
}

int RunExportText(const CommandContext& context) {
    const auto command =
        OpenArmyCommand(context, {.valued = {"--info"},
                                  .flags = {"--markdown", "--no-code"},
                                  .files = 2,
                                  .filesError = "export-text needs an army file and an output file or -",
                                  .output = ArmyCommandForm::Output::NeverTheInputOrDash});
    if (!command)
        return 2;
    const TextFormat format = command->args.Has("--markdown") ? TextFormat::Markdown : TextFormat::Plain;
    const bool code = !command->args.Has("--no-code");
    if (command->output() == "-") {
        OutputSink sink(context.out);
        RenderText(ComposeRoster(command->army.doc, command->info), format, sink,
                   code ? ArmyCode(command->army.doc.army()) : std::string());
        return 0; // a failed write is told once the command ends
    }
    std::string message;
    if (!ExportText(command->army.doc, command->output(), format, command->info, message,
                    code ? ArmyCodeLine::Included : ArmyCodeLine::Omitted)) {
        context.err << "ovra: " << message << "\n";
        return 2;
    }
    return 0;
}

int RunExportPdf(const CommandContext& context) {
    const auto command =
        OpenArmyCommand(context, {.valued = {"--info"},
                                  .files = 2,
                                  .filesError = "export-pdf needs an army file and an output file",
                                  .output = ArmyCommandForm::Output::NeverTheInput,
                                  .writesPdf = true});
    if (!command)
        return 2;
    return context.exportPdf(command->army.doc, command->output(), command->info, context.err);
}

int RunLintCommand(const CommandContext& context) {
    return RunLint(context.commandLine, context.out, context.err);
}

} // namespace

const std::vector<HeadlessCommand>& HeadlessCommands() {
    static const std::vector<HeadlessCommand> commands = {
        {"catalogue", RunCatalogue,
         "  ovra catalogue [--sources]      the army-list catalogue as JSON, or the folders\n"
         "                                  searched and the army-list files read\n"},
        {"new", RunNew,
         "  ovra new [--nation ID] [--points N] [--fill-minimums] OUT.evr\n"
         "                                  save a new army (N: 0 to 999999999)\n"},
        {"min-max", RunMinMax,
         "  ovra min-max [--allow-incomplete] IN.evr OUT.evr\n"
         "                                  bring every troop type within its bounds\n"},
        {"check", RunCheck,
         "  ovra check [--json] [--allow-incomplete] IN.evr\n"
         "                                  list the army's rule breaches, one per line,\n"
         "                                  or as a JSON array of objects\n"},
        {"export-html", RunExportHtml,
         "  ovra export-html [--allow-incomplete] IN.evr OUT.html\n"
         "                                  write the roster as HTML\n"},
        {"export-text", RunExportText,
         "  ovra export-text [--allow-incomplete] IN.evr OUT|- [--markdown]\n"
         "                  [--info complete|short|none] [--no-code]\n"
         "                                  write the roster as UTF-8 text or Markdown,\n"
         "                                  to standard output for -, ending in the\n"
         "                                  army code that import reads back\n"},
        {"import",
         [](const CommandContext& c) { return RunImport(c.commandLine, c.catalogue, c.out, c.err); },
         "  ovra import [--json] [--nation ID] [--allow-incomplete] IN|- OUT.evr\n"
         "                                  read a shared roster (from standard input for\n"
         "                                  -) back into an army file: exactly from its\n"
         "                                  army code, else from its lines; the lines not\n"
         "                                  understood on stderr, or all as JSON (exit 1\n"
         "                                  when there are any)\n"},
        {"export-pdf", RunExportPdf,
         "  ovra export-pdf [--allow-incomplete] IN.evr OUT.pdf [--info complete|short|none]\n"
         "                                  write the printed roster as PDF\n"},
        {"lint", RunLintCommand,
         "  ovra lint [--json] [--builtin] [FILE.dfm...]\n"
         "                                  check army-list files, or the built-in lists;\n"
         "                                  the format: docs/army-list-format.md\n"},
        {"diff-lists", [](const CommandContext& c) { return RunDiffLists(c.commandLine, c.out, c.err); },
         "  ovra diff-lists [--json] OLD NEW\n"
         "                                  what changed between two army-list files or\n"
         "                                  folders of them: nations, troop types, magic\n"
         "                                  items and siege engines (exit 1 when any)\n"},
        {"diff",
         [](const CommandContext& c) { return RunDiffArmies(c.commandLine, c.catalogue, c.out, c.err); },
         "  ovra diff [--json] [--allow-incomplete] A.evr B.evr\n"
         "                                  compare two armies: units per troop type, their\n"
         "                                  names, options and points, the totals and\n"
         "                                  breakpoints (exit 1 when they differ)\n"},
    };
    return commands;
}

int RunHeadlessCommand(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                       std::ostream& err, const PdfExportFunction& exportPdf,
                       const std::vector<ArmyListFolder>& folders) {
    int exitCode = 2;
    try {
        const CommandContext context{commandLine, catalogue, out, err, exportPdf, folders};
        const auto& commands = HeadlessCommands();
        const auto command = std::find_if(commands.begin(), commands.end(), [&](const HeadlessCommand& c) {
            return c.name == commandLine.command;
        });
        exitCode = command != commands.end()
                       ? command->run(context)
                       : UsageError(err, "unknown command '" + commandLine.command + "'");
    } catch (const std::bad_alloc&) {
        // Whatever was being written has been taken back on the way here.
        return OutOfMemory(err);
    }
    return FinishOutput(out, err, exitCode);
}

int OutOfMemory(std::ostream& err) {
    err << "ovra: out of memory; nothing written\n";
    return 2;
}

int FinishOutput(std::ostream& out, std::ostream& err, int exitCode) {
    if (out.flush())
        return exitCode;
    std::string reason = StandardOutputError();
    if (reason.empty())
        reason = std::strerror(EIO);
    err << "ovra: cannot write to standard output: " << reason << "\n";
    return 2;
}

bool IsSameFile(const std::filesystem::path& input, const std::filesystem::path& output) {
    std::error_code error;
    return std::filesystem::equivalent(input, output, error) && !error;
}

bool OutputIsInput(const std::string& input, const std::string& output, std::ostream& err) {
    if (!IsSameFile(input, output))
        return false;
    err << "ovra: the output file '" << output << "' is the input file; nothing written\n";
    return true;
}

} // namespace ovra
