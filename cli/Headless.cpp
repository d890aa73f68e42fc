#include "Headless.h"

#include "ArmyCatalogue.h"
#include "ArmyChecker.h"
#include "ArmyDocument.h"
#include "CatalogueSources.h"
#include "HtmlRoster.h"
#include "Json.h"
#include "LintCommand.h"
#include "TextRoster.h"

#include <charconv>
#include <map>
#include <optional>
#include <ostream>
#include <set>

namespace ovra {
namespace {

// Load messages and file errors go to stderr with the program's own texts;
// nothing is ever asked.
class StderrMessages : public MessageSink {
public:
    explicit StderrMessages(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        err_ << text << "\n";
    }
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }

private:
    std::ostream& err_;
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

constexpr const char* kAllowIncomplete = "--allow-incomplete";

// A headless document: real catalogue, settings that live only for the run.
struct HeadlessDocument {
    HeadlessDocument(const ArmyCatalogue& catalogue, std::ostream& err)
        : err(err), messages(err), doc(catalogue, settings, messages) {}

    // Opens IN as File > Open does; false when it cannot be loaded, or loaded
    // without some units and `allowIncomplete` is not given.
    bool Open(const std::string& path, bool allowIncomplete) {
        result = doc.OnOpenDocument(path);
        if (result == ArmyDocument::OpenResult::Incomplete && !allowIncomplete)
            err << "ovra: nothing done; use " << kAllowIncomplete
                << " to go on without the units that were not loaded\n";
        return result == ArmyDocument::OpenResult::Opened ||
               (result == ArmyDocument::OpenResult::Incomplete && allowIncomplete);
    }
    bool Incomplete() const { return result == ArmyDocument::OpenResult::Incomplete; }

    std::ostream& err;
    InMemorySettings settings;
    StderrMessages messages;
    ArmyDocument doc;
    ArmyDocument::OpenResult result = ArmyDocument::OpenResult::Unreadable;
};

// A command's arguments: options (those in `valued` take the next argument,
// the others stand alone) and the files in their order.
struct Arguments {
    std::map<std::string, std::string> options;
    std::vector<std::string> files;
};

std::optional<Arguments> SplitArguments(const std::vector<std::string>& args, std::set<std::string> valued,
                                        std::set<std::string> flags, std::ostream& err) {
    Arguments split;
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

int RunCatalogue(const CommandLine& commandLine, const ArmyCatalogue& catalogue,
                 const std::vector<ArmyListFolder>& folders, std::ostream& out, std::ostream& err) {
    const std::vector<std::string>& args = commandLine.arguments;
    if (args.size() == 1 && args.front() == "--sources") {
        out << CatalogueSourcesText(catalogue, folders);
        return 0;
    }
    if (!args.empty())
        return UsageError(err, "catalogue takes no arguments but --sources");
    out << CatalogueJson(catalogue);
    return 0;
}

int RunNew(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& err) {
    const auto args =
        SplitArguments(commandLine.arguments, {"--nation", "--points"}, {"--fill-minimums"}, err);
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
    const bool fill = args->options.count("--fill-minimums") != 0;
    const std::vector<std::string>& files = args->files;
    if (files.size() != 1)
        return UsageError(err, "new needs exactly one output file");

    HeadlessDocument headless(catalogue, err);
    const NationRecord* nation = nationId ? catalogue.FindNation(*nationId) : catalogue.NextNation(nullptr);
    if (nation == nullptr) {
        if (nationId)
            err << "ovra: no army list defines the nation " << *nationId << "\n";
        else
            err << "ovra: no army lists are loaded\n";
        return 2;
    }
    headless.doc.SetNationAndPoints(*nation, points, fill);
    return headless.doc.OnSaveDocument(files.front()) ? 0 : 2;
}

int RunMinMax(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& err) {
    const auto args = SplitArguments(commandLine.arguments, {}, {kAllowIncomplete}, err);
    if (!args)
        return 2;
    const std::vector<std::string>& files = args->files;
    if (files.size() != 2)
        return UsageError(err, "min-max needs an input and an output file");
    HeadlessDocument headless(catalogue, err);
    if (!headless.Open(files[0], args->options.count(kAllowIncomplete) != 0))
        return 2;
    // Writing an incomplete army over its file would lose the units it lacks.
    if (headless.Incomplete() && OutputIsInput(files[0], files[1], err))
        return 2;
    headless.doc.army().EnforceMinMax();
    return headless.doc.OnSaveDocument(files[1]) ? 0 : 2;
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

int RunCheck(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
             std::ostream& err) {
    const auto args = SplitArguments(commandLine.arguments, {}, {"--json", kAllowIncomplete}, err);
    if (!args)
        return 2;
    if (args->files.size() != 1)
        return UsageError(err, "check needs one army file");
    HeadlessDocument headless(catalogue, err);
    if (!headless.Open(args->files.front(), args->options.count(kAllowIncomplete) != 0))
        return 2;
    const std::vector<Breach> breaches = CheckArmy(headless.doc.army());
    if (args->options.count("--json") != 0) {
        out << BreachesJson(headless.doc.army(), breaches);
    } else {
        for (const Breach& breach : breaches)
            out << BreachLine(breach) << "\n";
    }
    return breaches.empty() ? 0 : 1;
}

int RunExportHtml(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& err) {
    const auto args = SplitArguments(commandLine.arguments, {}, {kAllowIncomplete}, err);
    if (!args)
        return 2;
    const std::vector<std::string>& files = args->files;
    if (files.size() != 2)
        return UsageError(err, "export-html needs an army file and an output file");
    if (OutputIsInput(files[0], files[1], err))
        return 2;
    HeadlessDocument headless(catalogue, err);
    if (!headless.Open(files[0], args->options.count(kAllowIncomplete) != 0))
        return 2;
    std::string error;
    if (!ExportHtml(headless.doc, files[1], error)) {
        err << "ovra: " << error << "\n";
        return 2;
    }
    return 0;
}

// The --info choice of an export, complete when not given; none for a word
// that names no choice.
std::optional<InfoChoice> InfoOption(const Arguments& args) {
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

int RunExportText(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                  std::ostream& err) {
    const auto args =
        SplitArguments(commandLine.arguments, {"--info"}, {"--markdown", kAllowIncomplete}, err);
    if (!args)
        return 2;
    const std::optional<InfoChoice> choice = InfoOption(*args);
    if (!choice)
        return UsageError(err, "--info needs complete, short or none");
    const std::vector<std::string>& files = args->files;
    if (files.size() != 2)
        return UsageError(err, "export-text needs an army file and an output file or -");
    const std::string& target = files[1];
    if (target != "-" && OutputIsInput(files[0], target, err))
        return 2;
    HeadlessDocument headless(catalogue, err);
    if (!headless.Open(files[0], args->options.count(kAllowIncomplete) != 0))
        return 2;
    const TextFormat format =
        args->options.count("--markdown") != 0 ? TextFormat::Markdown : TextFormat::Plain;
    if (target == "-") {
        out << RenderText(ComposeRoster(headless.doc, *choice), format) << std::flush;
        return out ? 0 : 2;
    }
    std::string message;
    if (!ExportText(headless.doc, target, format, *choice, message)) {
        err << "ovra: " << message << "\n";
        return 2;
    }
    return 0;
}

int RunExportPdf(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& err,
                 const PdfExportFunction& exportPdf) {
    const auto args = SplitArguments(commandLine.arguments, {"--info"}, {kAllowIncomplete}, err);
    if (!args)
        return 2;
    const std::optional<InfoChoice> choice = InfoOption(*args);
    if (!choice)
        return UsageError(err, "--info needs complete, short or none");
    const std::vector<std::string>& files = args->files;
    if (files.size() != 2)
        return UsageError(err, "export-pdf needs an army file and an output file");
    if (OutputIsInput(files[0], files[1], err))
        return 2;
    if (!exportPdf) {
        err << "ovra: this build cannot write PDF files\n";
        return 2;
    }
    HeadlessDocument headless(catalogue, err);
    if (!headless.Open(files[0], args->options.count(kAllowIncomplete) != 0))
        return 2;
    return exportPdf(headless.doc, files[1], *choice, err);
}

} // namespace

int RunHeadlessCommand(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                       std::ostream& err, const PdfExportFunction& exportPdf,
                       const std::vector<ArmyListFolder>& folders) {
    const std::string& command = commandLine.command;
    if (command == "catalogue")
        return RunCatalogue(commandLine, catalogue, folders, out, err);
    if (command == "new")
        return RunNew(commandLine, catalogue, err);
    if (command == "min-max")
        return RunMinMax(commandLine, catalogue, err);
    if (command == "check")
        return RunCheck(commandLine, catalogue, out, err);
    if (command == "export-html")
        return RunExportHtml(commandLine, catalogue, err);
    if (command == "export-text")
        return RunExportText(commandLine, catalogue, out, err);
    if (command == "export-pdf")
        return RunExportPdf(commandLine, catalogue, err, exportPdf);
    if (command == "lint")
        return RunLint(commandLine, out, err);
    return UsageError(err, "unknown command '" + command + "'");
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
