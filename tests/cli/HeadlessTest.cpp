#include "Headless.h"
#include "ArmyFixtures.h"
#include "RunProgram.h"

#include "ArmyFile.h"
#include "FileIo.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

class HeadlessCommands : public BuiltInCatalogueTest {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("ovra_cli_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    int Run(std::vector<std::string> args) {
        out.str({});
        err.str({});
        return RunHeadlessCommand(ParseCommandLine(args), *catalogue, out, err, WritePdfStandIn);
    }

    // Stands in for the Qt side's PDF writer: the roster's title as the file.
    static int WritePdfStandIn(const ArmyDocument& document, const std::string& path, InfoChoice,
                               std::ostream& err) {
        std::string error;
        if (WriteFileAtomically(path, document.ArmyTitle(), error))
            return 0;
        err << error << "\n";
        return 2;
    }
    std::string File(const std::string& name) const { return (dir / name).string(); }

    // Saves an army through the same writer the program uses.
    std::string Save(const Army& army, const std::string& name) const {
        std::ofstream(dir / name, std::ios::binary) << WriteArmyFile(army);
        return File(name);
    }

    std::filesystem::path dir;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(HeadlessCommands, NewSavesAnEmptyOrFilledArmy) {
    ASSERT_EQ(Run({"new", File("plain.evr")}), 0) << err.str();
    EXPECT_EQ(ReadWholeFile(File("plain.evr")), std::string("\1\0\0\0\x08\0\0\0\xD0\x07\0\0", 12))
        << "the first nation at 2000 points, no units";

    ASSERT_EQ(Run({"new", "--points", "3000", "--fill-minimums", "--nation", "4", File("greek.evr")}), 0);
    Army expected(*catalogue->FindNation(4), 3000, true);
    EXPECT_EQ(ReadWholeFile(File("greek.evr")), WriteArmyFile(expected));
    EXPECT_EQ(out.str(), "");
}

TEST_F(HeadlessCommands, NewRejectsUnknownNationsAndBadArguments) {
    EXPECT_EQ(Run({"new", "--nation", "3", File("x.evr")}), 2);
    EXPECT_NE(err.str().find("3"), std::string::npos);
    for (const char* points : {"lots", "-1", "+5", "1234567890", "0000000000", "2147483648", ""}) {
        EXPECT_EQ(Run({"new", "--points", points, File("x.evr")}), 2) << points;
        EXPECT_NE(err.str().find("--points needs a whole number from 0 to 999999999"), std::string::npos)
            << points;
    }
    for (const char* points : {"0", "999999999"}) {
        ASSERT_EQ(Run({"new", "--points", points, File("edge.evr")}), 0) << points;
        std::string bytes;
        std::string error;
        ASSERT_TRUE(ReadFileBytes(File("edge.evr"), bytes, error));
        ArmyFileHeader header;
        ASSERT_TRUE(ReadArmyFileHeader(bytes, header));
        EXPECT_EQ(header.pointsLimit, std::stoi(points));
    }
    EXPECT_EQ(Run({"new"}), 2);
    EXPECT_EQ(Run({"new", File("x.evr"), File("y.evr")}), 2);
    EXPECT_EQ(Run({"new", "--colour", File("x.evr")}), 2);
    EXPECT_FALSE(std::filesystem::exists(File("x.evr")));
    EXPECT_EQ(Run({"new", File("missing/x.evr")}), 2) << "a save that fails is an error";
    EXPECT_NE(err.str().find("Cannot save"), std::string::npos);
}

TEST_F(HeadlessCommands, MinMaxBringsTheArmyWithinItsBounds) {
    Army army(*catalogue->FindNation(2), 2000, false);
    for (int i = 0; i < 3; ++i)
        army.AddUnit(C("GEN1"));
    const std::string in = Save(army, "generals.evr");
    ASSERT_EQ(Run({"min-max", in, File("fixed.evr")}), 0) << err.str();
    army.EnforceMinMax();
    EXPECT_EQ(ReadWholeFile(File("fixed.evr")), WriteArmyFile(army));
    EXPECT_EQ(Run({"check", File("fixed.evr")}), 0);
    EXPECT_EQ(out.str(), "");
}

TEST_F(HeadlessCommands, MinMaxWritesNothingForFilesItCannotLoad) {
    for (const char* input : {"army/unknown-nation.evr", "army/short-header.evr", "army/nonexistent.evr"}) {
        EXPECT_EQ(Run({"min-max", DataPath(input).string(), File("out.evr")}), 2) << input;
        EXPECT_FALSE(std::filesystem::exists(File("out.evr"))) << input;
        EXPECT_FALSE(err.str().empty());
    }
    EXPECT_EQ(Run({"min-max", DataPath("army/unknown-nation.evr").string(), File("out.evr")}), 2);
    EXPECT_EQ(err.str(),
              "The file can not be loaded, because it was created with an armylist now unavailable.\n");

    ASSERT_EQ(Run({"min-max", DataPath("army/empty.evr").string(), File("out.evr")}), 0);
    Army fresh(*catalogue->NextNation(nullptr), 2000, false);
    fresh.EnforceMinMax();
    EXPECT_EQ(ReadWholeFile(File("out.evr")), WriteArmyFile(fresh)) << "an empty file opens as a new army";
}

TEST_F(HeadlessCommands, AnIncompleteLoadStopsEveryCommandUnlessAllowed) {
    const std::string loadMessage =
        "The file was not loaded completely. Because it was created with an armylist now unavailable.\n";
    const std::string dropped = DataPath("army/dropped-block.evr").string();
    struct Case {
        std::vector<std::string> args;
        std::string output; // empty: the command writes nothing
        int exitWhenAllowed;
        std::string printedWhenAllowed;
    };
    const Case cases[] = {
        {{"min-max", dropped, File("out.evr")}, File("out.evr"), 0, ""},
        {{"check", dropped},
         "",
         1,
         "too few: Longbowmen: 0 < 4\ntoo few: Cavalry: 0 < 2\ntoo few: Elephants: 0 < 1\n"},
        {{"export-html", dropped, File("out.html")}, File("out.html"), 0, ""},
        {{"export-text", dropped, File("out.txt")}, File("out.txt"), 0, ""},
        {{"export-pdf", dropped, File("out.pdf"), "--info", "short"}, File("out.pdf"), 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.args), 2) << c.args[0];
        EXPECT_EQ(err.str(), loadMessage + "ovra: nothing done; use --allow-incomplete to go on without the "
                                           "units that were not loaded\n")
            << c.args[0];
        EXPECT_EQ(out.str(), "") << c.args[0];
        if (!c.output.empty()) {
            EXPECT_FALSE(std::filesystem::exists(c.output)) << c.args[0];
        }

        std::vector<std::string> allowed = c.args;
        allowed.insert(allowed.begin() + 1, "--allow-incomplete");
        EXPECT_EQ(Run(allowed), c.exitWhenAllowed) << c.args[0] << ": " << err.str();
        EXPECT_EQ(err.str(), loadMessage) << c.args[0];
        EXPECT_EQ(out.str(), c.printedWhenAllowed) << c.args[0];
        if (!c.output.empty()) {
            EXPECT_TRUE(std::filesystem::exists(c.output)) << c.args[0];
        }
    }
    InMemorySettings settings;
    RecordingMessages messages;
    ArmyDocument saved(*catalogue, settings, messages);
    EXPECT_EQ(saved.OnOpenDocument(File("out.evr")), ArmyDocument::OpenResult::Opened)
        << "min-max saved the army without the units it lacked";
}

TEST_F(HeadlessCommands, CheckListsEveryBreachInOrder) {
    const NationRecord& india = *catalogue->FindNation(2);
    Army army(india, 2000, false);
    for (int i = 0; i < 3; ++i)
        army.SetMount(*army.AddUnit(C("GEN1")), india.FindTroopType(C("ELMO")));
    for (int i = 0; i < 30; ++i)
        army.AddUnit(C("1GBW"));
    army.UnitAt(0)->army().SetMagicItem(*army.UnitAt(0), catalogue->FindMagicItem(C("eagl")));
    army.UnitAt(1)->army().SetMagicItem(*army.UnitAt(1), catalogue->FindMagicItem(C("eagl")));
    army.UnitAt(2)->army().SetMagicItem(*army.UnitAt(2), catalogue->FindMagicItem(kNoMagicItem));
    army.UnitAt(3)->army().SetMagicItem(*army.UnitAt(3), catalogue->FindMagicItem(kNoMagicItem));
    const std::string in = Save(army, "breaches.evr");
    EXPECT_EQ(Run({"check", in}), 1);
    EXPECT_EQ(out.str(), "over the points limit: " + std::to_string(army.TotalPoints()) +
                             " > 2000\n"
                             "too many: General: 3 > 1\n"
                             "too many: Longbowmen: 30 > 20\n"
                             "too few: Cavalry: 0 < 4\n"
                             "too few: Elephants: 0 < 2\n"
                             "mount ridden too often: Elephant: 3 > 2\n"
                             "magic item carried more than once: Legions eagle: 2\n");
    const std::string lines = out.str();

    // The same breaches as JSON, one object per line, each carrying its line.
    EXPECT_EQ(Run({"check", "--json", in}), 1);
    const std::string json = out.str();
    EXPECT_EQ(json.substr(0, 2), "[\n");
    std::size_t objects = 0;
    for (std::size_t at = json.find("\"line\": "); at != std::string::npos;
         at = json.find("\"line\": ", at + 1)) {
        const std::size_t end = json.find('"', at + 9);
        EXPECT_NE(lines.find(json.substr(at + 9, end - at - 9) + "\n"), std::string::npos);
        ++objects;
    }
    EXPECT_EQ(objects, 7u);
    EXPECT_NE(
        json.find(
            "{\n    \"kind\": \"magic-item-carried-more-than-once\",\n    \"code\": \"eagl\",\n"
            "    \"name\": \"Legions eagle\",\n    \"units\": [\n      \"General\",\n      \"General\"\n"
            "    ],\n    \"count\": 2,\n    \"bound\": 1,\n"),
        std::string::npos)
        << json;
    EXPECT_NE(
        json.find(
            "\"kind\": \"over-points-limit\",\n    \"code\": null,\n    \"name\": null,\n    \"units\": []"),
        std::string::npos);
    EXPECT_EQ(Run({"check", "--json", File("fixed-nothing.evr")}), 2);

    EXPECT_EQ(Run({"check", DataPath("army/unknown-nation.evr").string()}), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(Run({"check"}), 2);
}

#ifdef OVRA_PROGRAM

TEST_F(HeadlessCommands, ArmyListsFromTheCommandLineServeEveryCommand) {
    const std::string lists = DataPath("json").string();
    const std::string file = File("fells.evr");
    ProgramResult r =
        RunProgram(OVRA_PROGRAM, {"--army-lists", lists, "new", "--nation", "3", "--fill-minimums", file});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    r = RunProgram(OVRA_PROGRAM, {"check", file, "--army-lists", lists});
    EXPECT_EQ(r.exitCode, 0) << r.out << r.err;
    r = RunProgram(OVRA_PROGRAM, {"check", file, "--army-lists", DataPath("catalogue/base").string()});
    EXPECT_EQ(r.exitCode, 2) << "nation 3 is not in those lists";
    EXPECT_EQ(r.err,
              "The file can not be loaded, because it was created with an armylist now unavailable.\n");
}

#endif

} // namespace
