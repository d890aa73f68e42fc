#include "CommandLine.h"

#include "Headless.h"
#include "Version.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <system_error>

namespace ovra {
namespace {

constexpr const char* kEndOfOptions = "--";

// The program's options that take a value, wherever they stand: their value
// is never one of Qt's options.
constexpr std::array<std::string_view, 4> kOwnValuedOptions{"--army-lists", "--nation", "--points", "--info"};

// Qt's standard options as QGuiApplication, QApplication and the X11
// platform take them, with one dash or two; "=VALUE" only where Qt reads it.
constexpr std::array<std::string_view, 16> kQtValuedOptions{
    "platform",    "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
    "qwindowicon", "qwindowtitle",       "session",       "style",  "stylesheet",
    "display",     "geometry",           "title",         "icon",   "name",
    "visual"};
constexpr std::array<std::string_view, 6> kQtFlags{"reverse", "widgetcount", "testability",
                                                   "nograb",  "dograb",      "sync"};
constexpr std::array<std::string_view, 3> kQtAttachedValueOptions{"style=", "stylesheet=", "qmljsdebugger="};

// The option's name without its one or two leading dashes; empty for a word
// that is no option.
std::string_view OptionName(std::string_view word) {
    if (word.size() < 2 || word[0] != '-')
        return {};
    word.remove_prefix(1);
    if (word[0] == '-')
        word.remove_prefix(1);
    return word;
}

template <std::size_t N> bool Contains(const std::array<std::string_view, N>& names, std::string_view name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

bool IsOption(const std::string& word) {
    return word.size() > 1 && word[0] == '-';
}

CommandLine Failed(CommandLine result, std::string error) {
    result.mode = CommandLine::Mode::Error;
    result.error = std::move(error);
    return result;
}

} // namespace

const char* UsageText() {
    static const std::string text = [] {
        std::string usage =
            "Usage:\n"
            "  ovra [FILE.evr...]              open the window, with each army file in its tab\n"
            "  ovra --print FILE.evr           print an army file on the default printer\n";
        for (const HeadlessCommand& command : HeadlessCommands())
            usage += command.usage;
        return usage + "\n"
                       "Options:\n"
                       "  --army-lists DIR                read army-list files from DIR only\n"
                       "  --allow-incomplete              go on with an army file that loaded without\n"
                       "                                  some units or options (no army list holds\n"
                       "                                  them) or was cut short; without it such a\n"
                       "                                  file is an error\n"
                       "  --help, -h                      show this text\n"
                       "  --version, -v                   show the program's version\n"
                       "  --                              end of options: every word after it is a file\n"
                       "\n"
                       "The window also takes Qt's options, such as -style NAME, -platform NAME and\n"
                       "-reverse. See ovra(1) for the folders army lists are read from.\n"
                       "\n"
                       "Exports never write over their input file, nor min-max over an army file that\n"
                       "loaded incompletely. Exit codes: 0 done, 1 check found breaches,\n"
                       "2 an error (nothing written).\n";
    }();
    return text.c_str();
}

std::string VersionText() {
    return std::string("ovra ") + kVersion + "\n";
}

bool IsHeadlessCommand(const std::string& name) {
    const auto& commands = HeadlessCommands();
    return std::any_of(commands.begin(), commands.end(),
                       [&](const HeadlessCommand& command) { return command.name == name; });
}

QtAndOwnArguments SplitQtOptions(const std::vector<std::string>& args) {
    QtAndOwnArguments split;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kEndOfOptions) {
            split.own.insert(split.own.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        const std::string_view name = OptionName(arg);
        const bool attached =
            std::any_of(kQtAttachedValueOptions.begin(), kQtAttachedValueOptions.end(),
                        [name](std::string_view option) { return name.starts_with(option); });
        if (Contains(kQtFlags, name) || attached) {
            split.qt.push_back(arg);
        } else if (Contains(kQtValuedOptions, name) && i + 1 < args.size()) {
            split.qt.push_back(arg);
            split.qt.push_back(args[++i]);
        } else {
            split.own.push_back(arg);
            if (Contains(kOwnValuedOptions, arg) && i + 1 < args.size())
                split.own.push_back(args[++i]);
        }
    }
    return split;
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == kEndOfOptions) {
            rest.insert(rest.end(), args.begin() + static_cast<std::ptrdiff_t>(i), args.end());
            break;
        }
        if (arg == "--army-lists") {
            if (i + 1 >= args.size())
                return Failed(result, "--army-lists needs a directory");
            result.armyListDirectory = args[++i];
        } else if (arg == "--help" || arg == "-h") {
            result.mode = CommandLine::Mode::Help;
            return result;
        } else if (arg == "--version" || arg == "-v") {
            result.mode = CommandLine::Mode::Version;
            return result;
        } else {
            rest.push_back(arg);
        }
    }

    if (!rest.empty() && IsHeadlessCommand(rest.front())) {
        result.mode = CommandLine::Mode::Headless;
        result.command = rest.front();
        result.arguments.assign(rest.begin() + 1, rest.end());
        return result;
    }

    // The window: army files, each opened in its tab, or --print (also /p)
    // with exactly one.
    const bool print = !rest.empty() && (rest.front() == "--print" || rest.front() == "/p");
    std::vector<std::string> files;
    bool filesOnly = false;
    for (std::size_t i = print ? 1 : 0; i < rest.size(); ++i) {
        if (!filesOnly && rest[i] == kEndOfOptions)
            filesOnly = true;
        else if (!filesOnly && IsOption(rest[i]))
            return Failed(result, "unknown option '" + rest[i] + "'");
        else
            files.push_back(rest[i]);
    }
    if (print) {
        if (files.size() != 1)
            return Failed(result, rest.front() + " needs exactly one army file");
        result.mode = CommandLine::Mode::Print;
        result.files.assign(files.begin(), files.end());
        return result;
    }
    result.files.assign(files.begin(), files.end());
    result.mode = CommandLine::Mode::Gui;
    return result;
}

std::filesystem::path ProgramDirectory(const char* argv0) {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && !self.empty())
        return self.parent_path();
    if (argv0 != nullptr) {
        const std::filesystem::path path = std::filesystem::absolute(argv0, error);
        if (!error)
            return path.parent_path();
    }
    return std::filesystem::current_path(error);
}

std::filesystem::path UserArmyListDirectory() {
    std::filesystem::path base;
#ifdef _WIN32
    if (const char* appData = std::getenv("APPDATA"); appData != nullptr && *appData != '\0')
        base = appData;
#else
    if (const char* dataHome = std::getenv("XDG_DATA_HOME"); dataHome != nullptr && *dataHome == '/')
        base = dataHome;
    else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0')
        base = std::filesystem::path(home) / ".local" / "share";
#endif
    if (base.empty())
        return {};
    return base / "Eldvarrow" / "Ovra" / "armylists";
}

std::vector<ArmyListFolder> ArmyListFolders(const CommandLine& commandLine,
                                            const std::filesystem::path& programDirectory,
                                            std::string_view xdgDataDirs,
                                            const std::filesystem::path& userDirectory) {
    using Kind = ArmyListFolder::Kind;
    if (commandLine.armyListDirectory)
        return {{Kind::Given, *commandLine.armyListDirectory}};

    std::vector<ArmyListFolder> folders;
    // An installed program's folder holds other programs, not army lists.
    std::filesystem::path program = programDirectory.lexically_normal();
    if (!program.has_filename())
        program = program.parent_path(); // a trailing separator
    if (!program.empty() && program.filename() != "bin")
        folders.push_back({Kind::Program, programDirectory});

    if (xdgDataDirs.empty())
        xdgDataDirs = "/usr/local/share:/usr/share";
    std::vector<std::filesystem::path> system;
    while (!xdgDataDirs.empty()) {
        const std::size_t colon = xdgDataDirs.find(':');
        const std::filesystem::path entry(xdgDataDirs.substr(0, colon));
        if (entry.is_absolute())
            system.push_back(entry / "ovra" / "armylists");
        xdgDataDirs.remove_prefix(colon == std::string_view::npos ? xdgDataDirs.size() : colon + 1);
    }
    for (auto it = system.rbegin(); it != system.rend(); ++it)
        folders.push_back({Kind::System, *it});

    if (!userDirectory.empty())
        folders.push_back({Kind::User, userDirectory});

    // A folder named twice is read once, where it counts most: at its last place.
    auto same = [](const ArmyListFolder& a, const ArmyListFolder& b) {
        std::error_code error;
        return a.path.lexically_normal() == b.path.lexically_normal() ||
               std::filesystem::equivalent(a.path, b.path, error);
    };
    std::vector<ArmyListFolder> once;
    for (auto it = folders.begin(); it != folders.end(); ++it)
        if (std::none_of(it + 1, folders.end(),
                         [&](const ArmyListFolder& later) { return same(*it, later); }))
            once.push_back(*it);
    return once;
}

std::vector<ArmyListFolder> ArmyListFolders(const CommandLine& commandLine,
                                            const std::filesystem::path& programDirectory) {
    const char* xdgDataDirs = std::getenv("XDG_DATA_DIRS");
    return ArmyListFolders(commandLine, programDirectory, xdgDataDirs != nullptr ? xdgDataDirs : "",
                           UserArmyListDirectory());
}

std::vector<std::filesystem::path> FolderPaths(const std::vector<ArmyListFolder>& folders) {
    std::vector<std::filesystem::path> paths;
    paths.reserve(folders.size());
    for (const ArmyListFolder& folder : folders)
        paths.push_back(folder.path);
    return paths;
}

} // namespace ovra
