#include "CommandLine.h"

#include <cstdlib>
#include <system_error>

namespace ovra {

const char* UsageText() {
    return "Usage:\n"
           "  ovra [FILE.evr]                 open the window, optionally with an army file\n"
           "  ovra --print FILE.evr           print an army file on the default printer\n"
           "  ovra catalogue                  the army-list catalogue as JSON\n"
           "  ovra new [--nation ID] [--points N] [--fill-minimums] OUT.evr\n"
           "                                  save a new army (N: 0 to 999999999)\n"
           "  ovra min-max [--allow-incomplete] IN.evr OUT.evr\n"
           "                                  bring every troop type within its bounds\n"
           "  ovra check [--json] [--allow-incomplete] IN.evr\n"
           "                                  list the army's rule breaches, one per line,\n"
           "                                  or as a JSON array of objects\n"
           "  ovra export-html [--allow-incomplete] IN.evr OUT.html\n"
           "                                  write the roster as HTML\n"
           "  ovra export-pdf [--allow-incomplete] IN.evr OUT.pdf [--info complete|short|none]\n"
           "                                  write the printed roster as PDF\n"
           "  ovra lint [--json] [--builtin] [FILE.dfm...]\n"
           "                                  check army-list files, or the built-in lists;\n"
           "                                  the format: docs/army-list-format.md\n"
           "\n"
           "Options:\n"
           "  --army-lists DIR                read army-list files from DIR only\n"
           "  --allow-incomplete              go on with an army file that loaded without\n"
           "                                  some units (their troop types are in no army\n"
           "                                  list); without it such a file is an error\n"
           "  --help                          show this text\n"
           "\n"
           "Exports never write over their input file, nor min-max over an army file that\n"
           "loaded without some units. Exit codes: 0 done, 1 check found breaches,\n"
           "2 an error (nothing written).\n";
}

bool IsHeadlessCommand(const std::string& name) {
    return name == "catalogue" || name == "new" || name == "min-max" || name == "check" ||
           name == "export-html" || name == "export-pdf" || name == "lint";
}

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine result;
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--army-lists") {
            if (i + 1 >= args.size()) {
                result.mode = CommandLine::Mode::Error;
                result.error = "--army-lists needs a directory";
                return result;
            }
            result.armyListDirectory = args[++i];
        } else if (arg == "--help" || arg == "-h") {
            result.mode = CommandLine::Mode::Help;
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

    if (!rest.empty() && (rest.front() == "--print" || rest.front() == "/p")) {
        if (rest.size() != 2) {
            result.mode = CommandLine::Mode::Error;
            result.error = rest.front() + " needs exactly one army file";
            return result;
        }
        result.mode = CommandLine::Mode::Print;
        result.file = rest[1];
        return result;
    }

    if (rest.size() > 1) {
        result.mode = CommandLine::Mode::Error;
        result.error = "unexpected argument '" + rest[1] + "'";
        return result;
    }
    if (rest.size() == 1) {
        if (rest.front().size() > 1 && rest.front()[0] == '-') {
            result.mode = CommandLine::Mode::Error;
            result.error = "unknown option '" + rest.front() + "'";
            return result;
        }
        result.file = rest.front();
    }
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

std::vector<std::filesystem::path> ArmyListDirectories(const CommandLine& commandLine,
                                                       const std::filesystem::path& programDirectory) {
    if (commandLine.armyListDirectory)
        return {*commandLine.armyListDirectory};
    std::vector<std::filesystem::path> directories{programDirectory};
    const std::filesystem::path user = UserArmyListDirectory();
    std::error_code error;
    if (!user.empty() && !std::filesystem::equivalent(user, programDirectory, error))
        directories.push_back(user);
    return directories;
}

} // namespace ovra
