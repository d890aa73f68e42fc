#include "CommandLine.h"

#include <gtest/gtest.h>

using namespace ovra;

namespace {

TEST(CommandLine, ArmyListsMayStandAnywhere) {
    const CommandLine before = ParseCommandLine({"--army-lists", "/lists", "catalogue"});
    EXPECT_EQ(before.mode, CommandLine::Mode::Headless);
    EXPECT_EQ(before.command, "catalogue");
    ASSERT_TRUE(before.armyListDirectory);
    EXPECT_EQ(*before.armyListDirectory, "/lists");

    const CommandLine after = ParseCommandLine({"check", "army.evr", "--army-lists", "/lists"});
    EXPECT_EQ(after.command, "check");
    EXPECT_EQ(after.arguments, (std::vector<std::string>{"army.evr"}));
    EXPECT_EQ(*after.armyListDirectory, "/lists");

    EXPECT_EQ(ParseCommandLine({"catalogue", "--army-lists"}).mode, CommandLine::Mode::Error);
}

TEST(CommandLine, WindowPrintAndHelp) {
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
}

TEST(CommandLine, DirectoriesAreTheProgramsAndTheUsersUnlessGiven) {
    const CommandLine given = ParseCommandLine({"--army-lists", "/only", "catalogue"});
    EXPECT_EQ(ArmyListDirectories(given, "/opt/ovra"), (std::vector<std::filesystem::path>{"/only"}));

    const CommandLine plain = ParseCommandLine({"catalogue"});
    const auto directories = ArmyListDirectories(plain, "/opt/ovra");
    ASSERT_FALSE(directories.empty());
    EXPECT_EQ(directories.front(), "/opt/ovra");
    if (directories.size() == 2) {
        EXPECT_EQ(directories[1].filename(), "armylists");
    }
}

} // namespace
