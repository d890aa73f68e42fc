// The program's command line: a GUI start (optionally opening or printing an
// army file) or one of the headless commands.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

struct CommandLine {
    enum class Mode {
        Gui,      // the window; `files` are army files to open, each in its tab
        Print,    // print the one army file of `files` with the stored info choice, then end
        Headless, // `command` with its `arguments`
        Help,     // print the usage and exit 0
        Version,  // print the program's name and version and exit 0
        Error,    // `error` says what is wrong; exit 2
    };

    Mode mode = Mode::Gui;
    std::string command;
    std::vector<std::string> arguments; // a "--" among them ends the command's options
    std::vector<std::filesystem::path> files;
    std::optional<std::filesystem::path> armyListDirectory; // --army-lists DIR
    std::string error;
};

// Parses the arguments after the program name (Qt's options taken out). A
// "--" ends the options: every word after it is a file name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The arguments split into Qt's standard options (`-style Fusion`,
// `-platform NAME`, `-reverse`...), with their values and in their order, and
// the program's own. Qt's options are recognised anywhere before a "--", but
// never as the value of one of the program's own options.
struct QtAndOwnArguments {
    std::vector<std::string> qt;
    std::vector<std::string> own;
};
QtAndOwnArguments SplitQtOptions(const std::vector<std::string>& args);

// The usage text printed by --help and after a usage error.
const char* UsageText();

// "ovra VERSION" and a line end, as --version prints it.
std::string VersionText();

// Whether the word names a headless command (HeadlessCommands()).
bool IsHeadlessCommand(const std::string& name);

// A folder that army-list files are read from, and which of the program's
// folders it is.
struct ArmyListFolder {
    enum class Kind { Given, Program, System, User };
    Kind kind = Kind::Given;
    std::filesystem::path path;

    bool operator==(const ArmyListFolder&) const = default;
};

// Where army-list files are looked for, in load order, so that a later file
// replaces the nations of an earlier one: DIR alone when --army-lists gives
// it; otherwise the program's directory (unless it is a "bin" folder, where
// installed programs live), the system folders `ovra/armylists` under each
// entry of `xdgDataDirs` (the last entry first, so that the first one wins;
// "/usr/local/share:/usr/share" when empty; relative entries are ignored),
// then the user's folder. A folder named twice is listed once, at its last
// place.
std::vector<ArmyListFolder> ArmyListFolders(const CommandLine& commandLine,
                                            const std::filesystem::path& programDirectory,
                                            std::string_view xdgDataDirs,
                                            const std::filesystem::path& userDirectory);

// The same, with $XDG_DATA_DIRS and UserArmyListDirectory() of this process.
std::vector<ArmyListFolder> ArmyListFolders(const CommandLine& commandLine,
                                            const std::filesystem::path& programDirectory);

// The paths of the folders, in their order.
std::vector<std::filesystem::path> FolderPaths(const std::vector<ArmyListFolder>& folders);

// The directory of the running executable.
std::filesystem::path ProgramDirectory(const char* argv0);

// The per-user army-list directory: "armylists" under the application's data
// location (Linux: $XDG_DATA_HOME or ~/.local/share, then Eldvarrow/Ovra).
std::filesystem::path UserArmyListDirectory();

} // namespace ovra
