// The program's command line: a GUI start (optionally opening or printing an
// army file) or one of the headless commands.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

struct CommandLine {
    enum class Mode {
        Gui,      // the window; `file` optionally names an army file to open
        Print,    // print `file` with the stored info choice, then end
        Headless, // `command` with its `arguments`
        Help,     // print the usage and exit 0
        Error,    // `error` says what is wrong; exit 2
    };

    Mode mode = Mode::Gui;
    std::string command;
    std::vector<std::string> arguments;
    std::optional<std::filesystem::path> file;
    std::optional<std::filesystem::path> armyListDirectory; // --army-lists DIR
    std::string error;
};

// Parses the arguments after the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage text printed by --help and after a usage error.
const char* UsageText();

// The names of the headless commands.
bool IsHeadlessCommand(const std::string& name);

// Where army-list files are looked for: DIR alone when given, otherwise the
// program's directory, then the per-user directory (when it differs).
std::vector<std::filesystem::path> ArmyListDirectories(const CommandLine& commandLine,
                                                       const std::filesystem::path& programDirectory);

// The directory of the running executable.
std::filesystem::path ProgramDirectory(const char* argv0);

// The per-user army-list directory: "armylists" under the application's data
// location (Linux: $XDG_DATA_HOME or ~/.local/share, then Eldvarrow/Ovra).
std::filesystem::path UserArmyListDirectory();

} // namespace ovra
