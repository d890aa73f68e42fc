#include "CommandLine.h"
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

using Words = std::vector<std::string>;

TEST(CommandLine, ArmyListsMayStandAnywhere) {
    const CommandLine before = ParseCommandLine({"--army-lists", "/lists", "catalogue"});
    EXPECT_EQ(before.mode, CommandLine::Mode::Headless);
    EXPECT_EQ(before.command, "catalogue");
    ASSERT_TRUE(before.armyListDirectory);
    EXPECT_EQ(*before.armyListDirectory, "/lists");

    const CommandLine after = ParseCommandLine({"check", "army.evr", "--army-lists", "/lists"});
    EXPECT_EQ(after.command, "check");
    EXPECT_EQ(after.arguments, (Words{"army.evr"}));
    EXPECT_EQ(*after.armyListDirectory, "/lists");

    EXPECT_EQ(ParseCommandLine({"catalogue", "--army-lists"}).mode, CommandLine::Mode::Error);
}

TEST(CommandLine, WindowPrintHelpAndVersion) {
    const CommandLine none = ParseCommandLine({});
    EXPECT_EQ(none.mode, CommandLine::Mode::Gui);
    EXPECT_FALSE(none.file);

    const CommandLine open = ParseCommandLine({"legion.evr"});
    EXPECT_EQ(open.mode, CommandLine::Mode::Gui);
    EXPECT_EQ(*open.file, "legion.evr");

    EXPECT_EQ(ParseCommandLine({"--print", "a.evr"}).mode, CommandLine::Mode::Print);
    EXPECT_EQ(*ParseCommandLine({"/p", "a.evr"}).file, "a.evr");
    EXPECT_EQ(ParseCommandLine({"/p"}).mode, CommandLine::Mode::Error);
    EXPECT_EQ(ParseCommandLine({"--help"}).mode, CommandLine::Mode::Help);
    EXPECT_EQ(ParseCommandLine({"--frobnicate"}).mode, CommandLine::Mode::Error);
    EXPECT_EQ(ParseCommandLine({"a.evr", "b.evr"}).mode, CommandLine::Mode::Error);
    for (const Words& args :
         {Words{"--version"}, Words{"-v"}, Words{"a.evr", "-v"}, Words{"check", "--version"}})
        EXPECT_EQ(ParseCommandLine(args).mode, CommandLine::Mode::Version) << args.front();
}

// After "--" every word is a file, in the window and for a command alike.
TEST(CommandLine, DoubleDashEndsTheOptions) {
    const CommandLine open = ParseCommandLine({"--", "-x.evr"});
    EXPECT_EQ(open.mode, CommandLine::Mode::Gui);
    EXPECT_EQ(*open.file, "-x.evr");

    for (const Words& args : {Words{"--", "--version"}, Words{"--", "--help"}, Words{"--", "catalogue"}}) {
        const CommandLine parsed = ParseCommandLine(args);
        EXPECT_EQ(parsed.mode, CommandLine::Mode::Gui) << args[1];
        EXPECT_EQ(*parsed.file, args[1]);
    }

    const CommandLine print = ParseCommandLine({"--print", "--", "-p.evr"});
    EXPECT_EQ(print.mode, CommandLine::Mode::Print);
    EXPECT_EQ(*print.file, "-p.evr");

    const CommandLine listsAfter = ParseCommandLine({"--", "--army-lists", "x"});
    EXPECT_FALSE(listsAfter.armyListDirectory);
    EXPECT_EQ(listsAfter.mode, CommandLine::Mode::Error) << "two files";

    const CommandLine check = ParseCommandLine({"check", "--json", "--", "-x.evr"});
    EXPECT_EQ(check.mode, CommandLine::Mode::Headless);
    EXPECT_EQ(check.arguments, (Words{"--json", "--", "-x.evr"})) << "the command sees where its options end";
}

struct SplitCase {
    Words args;
    Words qt;
    Words own;
};

std::ostream& operator<<(std::ostream& out, const SplitCase& c) {
    for (const std::string& arg : c.args)
        out << arg << ' ';
    return out;
}

class QtOptions : public ::testing::TestWithParam<SplitCase> {};

TEST_P(QtOptions, AreTakenOutForQApplication) {
    const SplitArguments split = SplitQtOptions(GetParam().args);
    EXPECT_EQ(split.qt, GetParam().qt);
    EXPECT_EQ(split.own, GetParam().own);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, QtOptions,
    ::testing::Values(
        SplitCase{{"-style", "Fusion", "army.evr"}, {"-style", "Fusion"}, {"army.evr"}},
        SplitCase{
            {"army.evr", "--style", "Fusion", "-reverse"}, {"--style", "Fusion", "-reverse"}, {"army.evr"}},
        SplitCase{{"-style=Fusion", "-stylesheet=a.qss", "--print", "a.evr"},
                  {"-style=Fusion", "-stylesheet=a.qss"},
                  {"--print", "a.evr"}},
        SplitCase{{"-platform", "offscreen", "-qwindowtitle", "T", "-widgetcount", "-geometry", "9x9+0+0"},
                  {"-platform", "offscreen", "-qwindowtitle", "T", "-widgetcount", "-geometry", "9x9+0+0"},
                  {}},
        // Values of the program's own options, and everything after "--", stay its own.
        SplitCase{{"--army-lists", "-reverse", "-reverse"}, {"-reverse"}, {"--army-lists", "-reverse"}},
        SplitCase{{"export-pdf", "a.evr", "b.pdf", "--info", "-style"},
                  {},
                  {"export-pdf", "a.evr", "b.pdf", "--info", "-style"}},
        SplitCase{{"-reverse", "--", "-style", "x"}, {"-reverse"}, {"--", "-style", "x"}},
        // Qt reads no "=VALUE" for -platform, and a valued option needs its value.
        SplitCase{{"-platform=xcb", "-style"}, {}, {"-platform=xcb", "-style"}},
        SplitCase{{"-stylus", "x"}, {}, {"-stylus", "x"}}));

TEST(CommandLine, AQtOptionWithAFileOpensTheFile) {
    const SplitArguments split = SplitQtOptions({"-style", "Fusion", "army.evr"});
    const CommandLine parsed = ParseCommandLine(split.own);
    EXPECT_EQ(parsed.mode, CommandLine::Mode::Gui);
    EXPECT_EQ(*parsed.file, "army.evr");
}

struct FolderCase {
    const char* name;
    std::filesystem::path program;
    std::string xdgDataDirs;
    std::filesystem::path user;
    std::vector<ArmyListFolder> expected;
};

std::ostream& operator<<(std::ostream& out, const FolderCase& c) {
    return out << c.name;
}

class ArmyListFolderOrder : public ::testing::TestWithParam<FolderCase> {};

TEST_P(ArmyListFolderOrder, PutsTheUserLastAndTheFirstSystemEntryAfterTheOthers) {
    const FolderCase& c = GetParam();
    EXPECT_EQ(ArmyListFolders(ParseCommandLine({}), c.program, c.xdgDataDirs, c.user), c.expected);
}

using Kind = ArmyListFolder::Kind;

INSTANTIATE_TEST_SUITE_P(
    CommandLine, ArmyListFolderOrder,
    ::testing::Values(
        FolderCase{"Default",
                   "/opt/ovra",
                   "",
                   "/home/u/.local/share/Eldvarrow/Ovra/armylists",
                   {{Kind::Program, "/opt/ovra"},
                    {Kind::System, "/usr/share/ovra/armylists"},
                    {Kind::System, "/usr/local/share/ovra/armylists"},
                    {Kind::User, "/home/u/.local/share/Eldvarrow/Ovra/armylists"}}},
        FolderCase{
            "InstalledInABinFolder",
            "/usr/bin",
            "/x:/y",
            "/u",
            {{Kind::System, "/y/ovra/armylists"}, {Kind::System, "/x/ovra/armylists"}, {Kind::User, "/u"}}},
        FolderCase{"InstalledInAPrefix",
                   "/opt/ovra/bin/",
                   "/x",
                   "/u",
                   {{Kind::System, "/x/ovra/armylists"}, {Kind::User, "/u"}}},
        FolderCase{"RelativeEmptyAndRepeatedEntriesSkipped",
                   "/build/app",
                   "relative::/x/:/y:/x",
                   "",
                   {{Kind::Program, "/build/app"},
                    {Kind::System, "/y/ovra/armylists"},
                    {Kind::System, "/x/ovra/armylists"}}},
        FolderCase{"UserFolderAlsoASystemOne",
                   "/build/app",
                   "/home/u/.local/share",
                   "/home/u/.local/share/ovra/armylists",
                   {{Kind::Program, "/build/app"}, {Kind::User, "/home/u/.local/share/ovra/armylists"}}}),
    [](const ::testing::TestParamInfo<FolderCase>& info) { return info.param.name; });

TEST(CommandLine, GivenArmyListsReplaceEveryFolder) {
    const CommandLine given = ParseCommandLine({"--army-lists", "/only", "catalogue"});
    EXPECT_EQ(ArmyListFolders(given, "/opt/ovra", "/x", "/u"),
              (std::vector<ArmyListFolder>{{Kind::Given, "/only"}}));
}

#ifdef OVRA_PROGRAM

std::filesystem::path ScratchFolder() {
    const auto dir =
        std::filesystem::temp_directory_path() /
        ("ovra_cl_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string Nation(int id, const std::string& name) {
    return "<NATION " + std::to_string(id) + " \"" + name +
           "\" \"Army\">\n"
           "<TROOPS GENL \"General\" char 1> 3 \"\" 0 0 9 1 90 1 1\n</TROOPS>\n</NATION>\n";
}

TEST(ProgramStart, VersionIsPrintedWithoutADisplay) {
    for (const Words& args : {Words{"--version"}, Words{"-v"}, Words{"-style", "Fusion", "--version"}}) {
        const ProgramResult result = RunProgram(OVRA_PROGRAM, args, {"QT_QPA_PLATFORM=", "DISPLAY="});
        EXPECT_EQ(result.exitCode, 0) << args.front();
        EXPECT_EQ(result.out, VersionText());
        EXPECT_EQ(result.err, "");
    }
    EXPECT_EQ(VersionText().rfind("ovra ", 0), 0u);
}

TEST(ProgramStart, QtOptionsReachQt) {
    // A platform that does not exist stops Qt, naming it: the option reached
    // QApplication and was not refused as the program's own.
    const ProgramResult result =
        RunProgram(OVRA_PROGRAM, {"-style", "Fusion", "-platform", "no-such-platform",
                                  DataPath("army/india-example.evr").string()});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_NE(result.err.find("no-such-platform"), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find("Usage:"), std::string::npos) << result.err;
}

TEST(ProgramStart, DoubleDashLetsAFileNameStartWithADash) {
    const auto dir = ScratchFolder();
    std::filesystem::copy_file(DataPath("army/india-example.evr"), dir / "-x.evr");
    WriteText(dir / "-lists.dfm", Nation(3, "Dashed"));
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir);
    const ProgramResult check = RunProgram(OVRA_PROGRAM, {"check", "--", "-x.evr"});
    const ProgramResult refused = RunProgram(OVRA_PROGRAM, {"check", "-x.evr"});
    const ProgramResult lint = RunProgram(OVRA_PROGRAM, {"lint", "--", "-lists.dfm"});
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);

    EXPECT_EQ(check.exitCode, 1) << check.err; // the example breaks rules
    EXPECT_NE(check.out.find("too few"), std::string::npos);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_NE(refused.err.find("unknown option '-x.evr'"), std::string::npos);
    EXPECT_EQ(lint.exitCode, 0) << lint.out << lint.err;
    EXPECT_NE(lint.out.find("1 file"), std::string::npos) << lint.out;
}

// Two system folders and the user's define nations 3 and 5 over each other:
// the first XDG_DATA_DIRS entry wins over the second, the user over both.
TEST(ProgramStart, SystemFoldersLoadBeforeTheUsersInReverseOrder) {
    const auto dir = ScratchFolder();
    WriteText(dir / "first/ovra/armylists/a.dfm", Nation(3, "First system"));
    WriteText(dir / "second/ovra/armylists/b.dfm", Nation(3, "Second system") + Nation(5, "Second five"));
    WriteText(dir / "home/Eldvarrow/Ovra/armylists/u.dfm", Nation(5, "User five"));
    WriteText(dir / "home/Eldvarrow/Ovra/armylists/notes.txt", "not an army list");
    const Words environment{"XDG_DATA_DIRS=" + (dir / "first").string() + ":" + (dir / "second").string(),
                            "XDG_DATA_HOME=" + (dir / "home").string()};
    const ProgramResult sources = RunProgram(OVRA_PROGRAM, {"catalogue", "--sources"}, environment);
    const ProgramResult json = RunProgram(OVRA_PROGRAM, {"catalogue"}, environment);
    const ProgramResult given = RunProgram(
        OVRA_PROGRAM, {"catalogue", "--sources", "--army-lists", (dir / "first").string()}, environment);
    std::filesystem::remove_all(dir);

    ASSERT_EQ(sources.exitCode, 0) << sources.err;
    const std::string first = (dir / "first/ovra/armylists").string();
    const std::string second = (dir / "second/ovra/armylists").string();
    const std::string user = (dir / "home/Eldvarrow/Ovra/armylists").string();
    const std::string folders = "  system " + second + "\n  system " + first + "\n  user " + user + "\n";
    EXPECT_NE(sources.out.find(folders), std::string::npos) << sources.out;
    const std::string read = "  system " + second +
                             "/b.dfm\n    nation 3 Second system\n    nation 5 Second five\n"
                             "  system " +
                             first + "/a.dfm\n    nation 3 First system, replacing Second system of system " +
                             second + "/b.dfm\n  user " + user +
                             "/u.dfm\n    nation 5 User five, replacing Second five of system " + second +
                             "/b.dfm\n";
    EXPECT_NE(sources.out.find(read), std::string::npos) << sources.out;
    EXPECT_EQ(sources.out.find("notes.txt"), std::string::npos);

    ASSERT_EQ(json.exitCode, 0);
    EXPECT_NE(json.out.find("\"First system\""), std::string::npos);
    EXPECT_NE(json.out.find("\"User five\""), std::string::npos);
    EXPECT_EQ(json.out.find("\"Second"), std::string::npos);

    EXPECT_EQ(given.out.rfind("folders, in load order:\n  given " + (dir / "first").string() + "\nread", 0),
              0u)
        << given.out;
}

#endif

} // namespace
