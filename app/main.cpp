#include "CommandLine.h"
#include "Headless.h"

#include "ArmyCatalogue.h"

#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>
#include <vector>

int main(int argc, char** argv) {
    using namespace ovra;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(args);

    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        std::cout << UsageText();
        return 0;
    case CommandLine::Mode::Error:
        std::cerr << "ovra: " << commandLine.error << "\n\n" << UsageText();
        return 2;
    default:
        break;
    }

    if (commandLine.armyListDirectory) {
        std::error_code error;
        if (!std::filesystem::is_directory(*commandLine.armyListDirectory, error)) {
            std::cerr << "ovra: the army-list directory '" << commandLine.armyListDirectory->string()
                      << "' does not exist\n";
            return 2;
        }
    }

    const ArmyCatalogue catalogue(ArmyListDirectories(commandLine, ProgramDirectory(argv[0])));
    if (commandLine.mode == CommandLine::Mode::Headless)
        return RunHeadlessCommand(commandLine, catalogue, std::cout, std::cerr);

    std::cout << CatalogueSummary(catalogue);
    return 0;
}
