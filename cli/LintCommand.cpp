#include "LintCommand.h"

#include "ArmyListLint.h"
#include "Json.h"

#include <ostream>

namespace ovra {

int RunLint(const CommandLine& commandLine, std::ostream& out, std::ostream& err) {
    bool builtIn = false;
    bool json = false;
    std::vector<std::string> files;
    bool filesOnly = false; // after "--"
    for (const std::string& arg : commandLine.arguments) {
        if (filesOnly) {
            files.push_back(arg);
        } else if (arg == "--") {
            filesOnly = true;
        } else if (arg == "--builtin") {
            builtIn = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            err << "ovra: unknown option '" << arg << "'\n\n" << UsageText();
            return 2;
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty() && !builtIn) {
        err << "ovra: lint needs army-list files or --builtin\n\n" << UsageText();
        return 2;
    }

    // The built-in lists always come first, as at start-up, so that the files
    // are checked against what they add to or replace.
    ArmyListLinter linter;
    linter.AddBuiltIn();
    bool unreadable = false;
    for (const std::string& file : files) {
        if (!linter.AddFile(file, file)) {
            err << "ovra: cannot read the army-list file '" << file << "'\n";
            unreadable = true;
        }
    }
    std::vector<LintedText> texts = linter.Finish();
    if (!builtIn)
        texts.erase(texts.begin());
    std::erase_if(texts, [](const LintedText& text) { return !text.read; });

    std::size_t errors = 0;
    if (json) {
        std::string text;
        JsonWriter writer(text);
        writer.BeginArray();
        for (const LintedText& linted : texts) {
            for (const LintFinding& finding : linted.findings) {
                writer.BeginObject();
                writer.Key("file"), writer.String(linted.name);
                writer.Key("line"), writer.Int(static_cast<std::int32_t>(finding.line));
                writer.Key("column"), writer.Int(static_cast<std::int32_t>(finding.column));
                writer.Key("severity"),
                    writer.String(finding.severity == LintFinding::Severity::Error ? "error" : "warning");
                writer.Key("message"), writer.String(finding.message);
                writer.EndObject();
            }
        }
        writer.EndArray();
        out << text << "\n";
    } else {
        for (const LintedText& linted : texts)
            for (const LintFinding& finding : linted.findings)
                out << FormatFinding(linted.name, finding) << "\n";
        out << LintSummary(texts) << "\n";
    }
    for (const LintedText& linted : texts)
        errors += linted.Count(LintFinding::Severity::Error);
    if (unreadable)
        return 2;
    return errors > 0 ? 1 : 0;
}

} // namespace ovra
