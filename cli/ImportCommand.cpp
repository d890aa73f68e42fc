#include "ImportCommand.h"

#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "FileIo.h"
#include "FileRead.h"
#include "Headless.h"
#include "HeadlessDocument.h"
#include "RosterImport.h"
#include "Windows1252.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <ostream>

#include <unistd.h>

namespace ovra {
namespace {

int UsageError(std::ostream& err, const std::string& message) {
    err << "ovra: " << message << "\n\n" << UsageText();
    return 2;
}

// Standard input, at most `limit` bytes; false with a reason when it cannot
// be read or holds more.
bool ReadStandardInput(std::size_t limit, std::string& bytes, std::string& error) {
    char buffer[64 * 1024];
    for (;;) {
        const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0)
            return true;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = std::strerror(errno);
            return false;
        }
        if (bytes.size() + static_cast<std::size_t>(got) > limit) {
            error =
                "The text is too long (over " + std::to_string(limit / (std::size_t{1024} * 1024)) + " MB).";
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
}

// A UTF-8 text as a JSON string.
void AppendJsonString(std::string& out, std::string_view utf8) {
    out += '"';
    for (const char c : utf8) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            static const char* const kHex = "0123456789abcdef";
            out += "\\u00";
            out += kHex[(c >> 4) & 15];
            out += kHex[c & 15];
        } else {
            out += c;
        }
    }
    out += '"';
}

std::string LineText(const ImportLine& line) {
    std::string text = "ovra: line " + std::to_string(line.line) + ": \"" + line.text + "\": " + line.reason;
    for (std::size_t i = 0; i < line.suggestions.size(); ++i)
        text += (i == 0 ? "; closest: " : ", ") + line.suggestions[i];
    return text;
}

const NationRecord* NationOf(const RosterImport& result, const ArmyCatalogue& catalogue) {
    if (result.nation != nullptr)
        return result.nation;
    ArmyFileHeader header;
    return ReadArmyFileHeader(result.armyFile, header) ? catalogue.FindNation(header.nationId) : nullptr;
}

} // namespace

std::string ImportJson(const RosterImport& result, const ArmyCatalogue& catalogue, int units) {
    std::string json = "{\n  \"source\": ";
    AppendJsonString(json, result.source == RosterImport::Source::ArmyCode ? "army code" : "roster text");
    json += ",\n  \"nation\": ";
    if (const NationRecord* nation = NationOf(result, catalogue)) {
        json += "{\"id\": " + std::to_string(nation->id()) + ", \"name\": ";
        AppendJsonString(json, Windows1252ToUtf8(nation->name));
        json += "}";
    } else {
        json += "null";
    }
    json += ",\n  \"units\": " + std::to_string(units) + ",\n  \"lines\": [";
    for (std::size_t i = 0; i < result.lines.size(); ++i) {
        const ImportLine& line = result.lines[i];
        json += i == 0 ? "\n" : ",\n";
        json += "    {\"line\": " + std::to_string(line.line) + ", \"text\": ";
        AppendJsonString(json, line.text);
        json += ", \"reason\": ";
        AppendJsonString(json, line.reason);
        json += ", \"suggestions\": [";
        for (std::size_t s = 0; s < line.suggestions.size(); ++s) {
            json += s == 0 ? "" : ", ";
            AppendJsonString(json, line.suggestions[s]);
        }
        json += "]}";
    }
    json += result.lines.empty() ? "]" : "\n  ]";
    json += ",\n  \"moreLines\": " + std::to_string(result.moreLines) + "\n}\n";
    return json;
}

int RunImport(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
              std::ostream& err) {
    std::vector<std::string> files;
    bool json = false;
    bool allowIncomplete = false;
    ImportOptions options;
    const std::vector<std::string>& args = commandLine.arguments;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            files.insert(files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        if (arg == "--json") {
            json = true;
        } else if (arg == kAllowIncompleteOption) {
            allowIncomplete = true;
        } else if (arg == "--nation") {
            std::int32_t id = 0;
            const std::string value = i + 1 < args.size() ? args[++i] : std::string();
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), id);
            if (value.empty() || error != std::errc() || end != value.data() + value.size())
                return UsageError(err, "--nation needs a whole number");
            options.nationId = id;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError(err, "unknown option '" + arg + "'");
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2)
        return UsageError(err, "import needs a roster text (or -) and an output file");
    const std::string& input = files[0];
    const std::string& output = files[1];
    if (output == "-")
        return UsageError(err, "import writes an army file; - names none");
    if (input != "-" && OutputIsInput(input, output, err))
        return 2;

    std::string text;
    std::string error;
    if (!(input == "-" ? ReadStandardInput(kLargestImportText, text, error)
                       : ReadFileBounded(input, kLargestImportText, text, error))) {
        err << "ovra: cannot read " << (input == "-" ? "standard input" : "'" + input + "'") << ": " << error
            << "\n";
        return 2;
    }
    const RosterImport result = ImportRoster(text, catalogue, options);
    if (result.source == RosterImport::Source::Nothing) {
        err << "ovra: " << result.error << "\n";
        return 2;
    }
    // The army is loaded as an army file is, under the same rules.
    const ArmyFileLoad load =
        ReadArmyFile(result.armyFile, catalogue, input == "-" ? "standard input" : input);
    for (const std::string& message : load.messages)
        err << message << "\n";
    if (load.status == ArmyFileLoad::Status::NotLoadable)
        return 2;
    if (load.status == ArmyFileLoad::Status::Incomplete && !allowIncomplete) {
        err << "ovra: nothing done; use " << kAllowIncompleteOption
            << " to go on without what was not loaded\n";
        return 2;
    }
    if (!WriteFileAtomically(output, result.armyFile, error)) {
        err << "ovra: The file \"" << output << "\" could not be written: " << error << "\n";
        return 2;
    }
    if (json) {
        out << ImportJson(result, catalogue, load.army != nullptr ? load.army->UnitCount() : 0);
    } else {
        for (const ImportLine& line : result.lines)
            err << LineText(line) << "\n";
        if (result.moreLines > 0)
            err << "ovra: " << result.moreLines << " more lines not understood\n";
    }
    return result.lines.empty() && result.moreLines == 0 ? 0 : 1;
}

} // namespace ovra
