#include "Headless.h"

#include "ArmyCatalogue.h"

#include <ostream>

namespace ovra {
namespace {

int UsageError(std::ostream& err, const std::string& message) {
    err << "ovra: " << message << "\n\n" << UsageText();
    return 2;
}

int RunCatalogue(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                 std::ostream& err) {
    if (!commandLine.arguments.empty())
        return UsageError(err, "catalogue takes no arguments");
    out << CatalogueJson(catalogue);
    return 0;
}

} // namespace

int RunHeadlessCommand(const CommandLine& commandLine, const ArmyCatalogue& catalogue, std::ostream& out,
                       std::ostream& err, const PdfExportFunction& exportPdf) {
    (void)exportPdf;
    if (commandLine.command == "catalogue")
        return RunCatalogue(commandLine, catalogue, out, err);
    return UsageError(err, "unknown command '" + commandLine.command + "'");
}

} // namespace ovra
