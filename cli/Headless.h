// The headless commands: everything the program does without a window.
#pragma once

#include "CommandLine.h"

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace ovra {

class Army;
class ArmyCatalogue;

// The catalogue as the JSON of `ovra catalogue`.
std::string CatalogueJson(const ArmyCatalogue& catalogue);

// A plain-text summary: the nations in catalogue order, each with its troop types.
std::string CatalogueSummary(const ArmyCatalogue& catalogue);

// Writes the printed roster of an army file as a PDF; provided by the Qt side.
// Returns the exit code.
using PdfExportFunction =
    std::function<int(const ArmyCatalogue& catalogue, const std::string& in, const std::string& out,
                      const std::string& info, std::ostream& err)>;

class ArmyDocument;

// Opens an army file as the headless commands do (messages on `err`) and
// hands the document to `write`; 2 when the file cannot be loaded.
int OpenForExport(const ArmyCatalogue& catalogue, const std::string& in, std::ostream& err,
                  const std::function<int(const ArmyDocument&)>& write);

// Runs one headless command and returns its exit code.
int RunHeadlessCommand(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                       std::ostream& err, const PdfExportFunction& exportPdf = {});

} // namespace ovra
