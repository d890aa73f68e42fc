#include "CommandLine.h"
#include "CatalogueFixtures.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

using Words = std::vector<std::string>;
using Mode = CommandLine::Mode;
using Kind = ArmyListFolder::Kind;

TEST(CommandLine, ParsesTheWindowPrintingCommandsAndOptions) {
    const struct {
        Words args;
        Mode mode;
        std::string file = {};      // the files, a blank between; empty: none
        Words command = {};         // the command, then its arguments
        std::string armyLists = {}; // empty: none
    } cases[] = {
        {{}, Mode::Gui},
        {{"legion.evr"}, Mode::Gui, "legion.evr"},
        {{"--print", "a.evr"}, Mode::Print, "a.evr"},
        {{"/p", "a.evr"}, Mode::Print, "a.evr"},
        {{"/p"}, Mode::Error},
        {{"--help"}, Mode::Help},
        {{"--frobnicate"}, Mode::Error},
        {{"a.evr", "b.evr"}, Mode::Gui, "a.evr b.evr"},
        {{"--version"}, Mode::Version},
        {{"-v"}, Mode::Version},
        {{"a.evr", "-v"}, Mode::Version},
        {{"check", "--version"}, Mode::Version},
        {{"--army-lists", "/lists", "catalogue"}, Mode::Headless, "", {"catalogue"}, "/lists"},
        {{"check", "a.evr", "--army-lists", "/lists"}, Mode::Headless, "", {"check", "a.evr"}, "/lists"},
        {{"catalogue", "--army-lists"}, Mode::Error},
        // After "--" every word is a file, in the window and for a command alike.
        {{"--", "-x.evr"}, Mode::Gui, "-x.evr"},
        {{"--", "--version"}, Mode::Gui, "--version"},
        {{"--", "--help"}, Mode::Gui, "--help"},
        {{"--", "catalogue"}, Mode::Gui, "catalogue"},
        {{"--print", "--", "-p.evr"}, Mode::Print, "-p.evr"},
        {{"--", "--army-lists", "x"}, Mode::Gui, "--army-lists x"},
        {{"check", "--json", "--", "-x.evr"}, Mode::Headless, "", {"check", "--json", "--", "-x.evr"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CommandLine parsed = ParseCommandLine(c.args);
        EXPECT_EQ(parsed.mode, c.mode);
        std::string files;
        for (const std::filesystem::path& file : parsed.files)
            files += (files.empty() ? "" : " ") + file.string();
        EXPECT_EQ(files, c.file);
        Words command = parsed.arguments;
        if (!parsed.command.empty())
            command.insert(command.begin(), parsed.command);
        EXPECT_EQ(command, c.command);
        EXPECT_EQ(parsed.armyListDirectory.value_or("").string(), c.armyLists);
    }
}

TEST(CommandLine, TakesOutQtsOptionsForQApplication) {
    const struct {
        Words args;
        Words qt;
        Words own;
    } cases[] = {
        {{"-style", "Fusion", "army.evr"}, {"-style", "Fusion"}, {"army.evr"}},
        {{"army.evr", "--style", "Fusion", "-reverse"}, {"--style", "Fusion", "-reverse"}, {"army.evr"}},
        {{"-style=Fusion", "-stylesheet=a.qss", "--print", "a.evr"},
         {"-style=Fusion", "-stylesheet=a.qss"},
         {"--print", "a.evr"}},
        {{"-platform", "offscreen", "-qwindowtitle", "T", "-widgetcount", "-geometry", "9x9+0+0"},
         {"-platform", "offscreen", "-qwindowtitle", "T", "-widgetcount", "-geometry", "9x9+0+0"},
         {}},
        // Values of the program's own options, and everything after "--", stay its own.
        {{"--army-lists", "-reverse", "-reverse"}, {"-reverse"}, {"--army-lists", "-reverse"}},
        {{"export-pdf", "a.evr", "b.pdf", "--info", "-style"},
         {},
         {"export-pdf", "a.evr", "b.pdf", "--info", "-style"}},
        {{"-reverse", "--", "-style", "x"}, {"-reverse"}, {"--", "-style", "x"}},
        // Qt reads no "=VALUE" for -platform, and a valued option needs its value.
        {{"-platform=xcb", "-style"}, {}, {"-platform=xcb", "-style"}},
        {{"-stylus", "x"}, {}, {"-stylus", "x"}},
    };
    for (const auto& c : cases) {
        const QtAndOwnArguments split = SplitQtOptions(c.args);
        EXPECT_EQ(split.qt, c.qt) << ::testing::PrintToString(c.args);
        EXPECT_EQ(split.own, c.own) << ::testing::PrintToString(c.args);
    }
}

// The user's folder comes last and the first XDG_DATA_DIRS entry after the others.
TEST(CommandLine, OrdersTheArmyListFolders) {
    const struct {
        Words args;
        std::filesystem::path program;
        std::string xdgDataDirs;
        std::filesystem::path user;
        std::vector<ArmyListFolder> expected;
    } cases[] = {
        {{},
         "/opt/ovra",
         "",
         "/home/u/.local/share/Eldvarrow/Ovra/armylists",
         {{Kind::Program, "/opt/ovra"},
          {Kind::System, "/usr/share/ovra/armylists"},
          {Kind::System, "/usr/local/share/ovra/armylists"},
          {Kind::User, "/home/u/.local/share/Eldvarrow/Ovra/armylists"}}},
        {{},
         "/usr/bin",
         "/x:/y",
         "/u",
         {{Kind::System, "/y/ovra/armylists"}, {Kind::System, "/x/ovra/armylists"}, {Kind::User, "/u"}}},
        {{}, "/opt/ovra/bin/", "/x", "/u", {{Kind::System, "/x/ovra/armylists"}, {Kind::User, "/u"}}},
        // Relative, empty and repeated entries are skipped.
        {{},
         "/build/app",
         "relative::/x/:/y:/x",
         "",
         {{Kind::Program, "/build/app"},
          {Kind::System, "/y/ovra/armylists"},
          {Kind::System, "/x/ovra/armylists"}}},
        // The user's folder that is also a system one is read once, as the user's.
        {{},
         "/build/app",
         "/home/u/.local/share",
         "/home/u/.local/share/ovra/armylists",
         {{Kind::Program, "/build/app"}, {Kind::User, "/home/u/.local/share/ovra/armylists"}}},
        {{"--army-lists", "/only"}, "/opt/ovra", "/x", "/u", {{Kind::Given, "/only"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ArmyListFolders(ParseCommandLine(c.args), c.program, c.xdgDataDirs, c.user), c.expected)
            << c.program << " " << c.xdgDataDirs;
}

std::string Nation(int id, const std::string& name) {
    return "<NATION " + std::to_string(id) + " \"" + name +
           "\" \"Army\">\n<TROOPS GENL \"General\" char 1> 3 \"\" 0 0 9 1 90 1 1\n</TROOPS>\n</NATION>\n";
}

// The program as a user runs it, in a folder of its own (@TMP) that holds a
// file whose name starts with a dash and the system and user army-list
// folders: two system folders and the user's define nations 3 and 5 over each
// other, the first XDG_DATA_DIRS entry winning over the second, the user over both.
TEST(Program, RunsEveryWayAUserStartsIt) {
    const ScratchFolder dir;
    std::filesystem::copy_file(DataPath("army/india-example.evr"), dir / "-x.evr");
    dir.Put("-lists.dfm", Nation(3, "Dashed"));
    dir.Put("first/ovra/armylists/a.dfm", Nation(3, "First system"));
    dir.Put("second/ovra/armylists/b.dfm", Nation(3, "Second system") + Nation(5, "Second five"));
    dir.Put("home/Eldvarrow/Ovra/armylists/u.dfm", Nation(5, "User five"));
    dir.Put("home/Eldvarrow/Ovra/armylists/notes.txt", "not an army list");
    const Words folders{"XDG_DATA_DIRS=@TMP/first:@TMP/second", "XDG_DATA_HOME=@TMP/home"};
    const Words noDisplay{"QT_QPA_PLATFORM=", "DISPLAY="};
    const std::string second = "system @TMP/second/ovra/armylists",
                      first = "system @TMP/first/ovra/armylists";
    const std::string user = "user @TMP/home/Eldvarrow/Ovra/armylists";
    // With the built-in lists, nation 3 goes to the head of bucket 0: the first nation listed.
    const std::string fells = ReadWholeFile(DataPath("json/fells.json"));
    const std::string three = fells.substr(fells.find("    {\n      \"id\": 3"));
    const std::string unavailable =
        "The file can not be loaded, because it was created with an armylist now unavailable.\n";
    const struct {
        Invocation run;
        Words environment = {};
    } cases[] = {
        {{{"--version"}, 0, VersionText(), ""}, noDisplay},
        {{{"-style", "Fusion", "-v"}, 0, VersionText(), ""}, noDisplay},
        {{{"--help"}, 0, "Usage:", ""}},
        {{{"--frobnicate"}, 2, "", "Usage:"}},
        {{{"catalogue", "surplus"}, 2, "", "Usage:"}},
        {{{"--army-lists", "/no/such/folder", "catalogue"}, 2, "", "/no/such/folder"}},
        // A platform that does not exist stops Qt, naming it: the option reached QApplication.
        {{{"-style", "Fusion", "-platform", "no-such-platform", "@DATA/army/india-example.evr"},
          134,
          "",
          "no-such-platform",
          "Usage:"}},
        {{{"check", "--", "-x.evr"}, 1, "too few", ""}},
        {{{"check", "-x.evr"}, 2, "", "unknown option '-x.evr'"}},
        {{{"lint", "--", "-lists.dfm"}, 0, "0 errors, 0 warnings in 1 file\n", ""}},
        {{{"catalogue", "--sources"},
          0,
          "  " + second + "\n  " + first + "\n  " + user + "\n",
          "",
          "notes.txt"},
         folders},
        {{{"catalogue", "--sources"},
          0,
          "  " + second + "/b.dfm\n    nation 3 Second system\n    nation 5 Second five\n  " + first +
              "/a.dfm\n    nation 3 First system, replacing Second system of " + second + "/b.dfm\n  " +
              user + "/u.dfm\n    nation 5 User five, replacing Second five of " + second + "/b.dfm\n"},
         folders},
        {{{"catalogue", "--sources", "--army-lists", "@TMP/first"},
          0,
          "folders, in load order:\n  given @TMP/first\nread"},
         folders},
        {{{"catalogue", "--army-lists", "@DATA/json"},
          0,
          "{\n  \"nations\": [\n" + three.substr(0, three.find("\n    }") + 6),
          ""}},
        {{{"--army-lists", "@DATA/json", "new", "--nation", "3", "--fill-minimums", "fells.evr"}, 0, "", ""}},
        {{{"check", "fells.evr", "--army-lists", "@DATA/json"}, 0, "", ""}},
        {{{"check", "fells.evr", "--army-lists", "@DATA/catalogue/base"}, 2, "", unavailable}},
        {{{"export-text", "@DATA/army/nile-host.evr", "-", "--markdown"},
          0,
          "\n| Chariots |  | 1 | 110 |\n| runners: Chariot Runners |  | 2,3 |  |\n",
          ""}},
        {{{"export-pdf", "@DATA/army/india-example.evr", "missing/x.pdf"}, 2, "", "ovra: "}},
    };
    for (const auto& c : cases) {
        Words args, environment;
        for (const std::string& arg : c.run.args)
            args.push_back(Expand(arg, dir));
        for (const std::string& entry : c.environment)
            environment.push_back(Expand(entry, dir));
        SCOPED_TRACE(::testing::PrintToString(args));
        Invocation expected = c.run;
        expected.out = Expand(expected.out, dir);
        ExpectRun(RunProgram(OVRA_PROGRAM, args, environment, dir), expected);
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_EQ(VersionText().rfind("ovra ", 0), 0u);
}

} // namespace
