// The headless commands: everything the program does without a window.
#pragma once

#include "CommandLine.h"
#include "Roster.h"

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class Army;
class ArmyCatalogue;

// The catalogue as the JSON of `ovra catalogue`.
std::string CatalogueJson(const ArmyCatalogue& catalogue);

// A plain-text summary: the nations in catalogue order, each with its troop types.
std::string CatalogueSummary(const ArmyCatalogue& catalogue);

class ArmyDocument;

// Writes the printed roster of a loaded army as a PDF file; provided by the
// Qt side. Returns the exit code, with the reason on `err` when it fails.
using PdfExportFunction = std::function<int(const ArmyDocument& document, const std::string& out,
                                            InfoChoice info, std::ostream& err)>;

// True when `output` is the file `input` once links are followed (a symbolic
// or a hard link to it included); false when either does not exist.
bool IsSameFile(const std::filesystem::path& input, const std::filesystem::path& output);

// For the commands that must never write over their input: true, with the
// reason on `err`, when `output` is `input`.
bool OutputIsInput(const std::string& input, const std::string& output, std::ostream& err);

// What a headless command is given: its command line, the catalogue, where
// to print, the Qt side's PDF export (empty in a build without it) and the
// folders the catalogue's army-list files were looked for in.
struct CommandContext {
    const CommandLine& commandLine;
    const ArmyCatalogue& catalogue;
    std::ostream& out;
    std::ostream& err;
    const PdfExportFunction& exportPdf;
    const std::vector<ArmyListFolder>& folders;
};

// A headless command: its name, what runs it (returning the exit code) and
// its lines of the usage text.
struct HeadlessCommand {
    std::string_view name;
    int (*run)(const CommandContext& context);
    std::string_view usage;
};

// Every headless command, in the order the usage text lists them.
const std::vector<HeadlessCommand>& HeadlessCommands();

// Runs one headless command and returns its exit code: 2 when memory runs
// out (nothing is written then) or when standard output cannot be written. `folders` are where
// the catalogue's army-list files were looked for (for `catalogue --sources`).
int RunHeadlessCommand(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                       std::ostream& err, const PdfExportFunction& exportPdf = {},
                       const std::vector<ArmyListFolder>& folders = {});

// Flushes standard output: `exitCode` when everything written reached it;
// otherwise 2, with "cannot write to standard output" and the reason on `err`.
int FinishOutput(std::ostream& out, std::ostream& err, int exitCode);

// Tells that memory ran out; returns 2.
int OutOfMemory(std::ostream& err);

} // namespace ovra
