// Reading army files: what an army list that changed since the file was saved
// takes away, and files that are not whole army files.
#include "ArmyFixtures.h"

#include "ArmyFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <iterator>

using namespace ovra;
using namespace ovra::test;

namespace {

using Status = ArmyFileLoad::Status;

// mixed.dfm as it was, and as it is after its maker took out the horse, the
// ring, the ram and the captains, and took the skirmishers' runners away.
class ChangedLists : public ::testing::Test {
protected:
    static std::string Without(std::string text, const std::string& from, const std::string& to) {
        const std::size_t at = text.find(from);
        text.erase(at, text.find(to, at) + to.size() - at);
        return text;
    }
    static std::string Changed() {
        std::string text = ReadText(DataPath("army/mixed.dfm"));
        text = Without(text, "<MITEM ring", "</MITEM>");
        text = Without(text, "<ENGINE bara", "</ENGINE>");
        text = Without(text, "<TROOPS CAPT", "</TROOPS>");
        text = Without(text, "<TROOPS HORS", "</TROOPS>");
        text.replace(text.find("unSk"), 4, "unit");
        return text;
    }
    static std::string ReadText(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    const std::unique_ptr<ArmyCatalogue> before = CatalogueFromFile("army/mixed.dfm");
    const std::unique_ptr<ArmyCatalogue> after = CatalogueFromText(Changed());
    const NationRecord& nation = *before->FindNation(1);
};

TEST_F(ChangedLists, EveryLostOptionOrUnitMakesTheLoadIncompleteAndIsNamed) {
    const struct {
        const char* lost;
        const char* code;
        std::function<void(Army&, UnitEntry&)> give; // the option the unit had
        const char* line;
        const char* left; // the entry codes that load
    } cases[] = {
        {"mount", "LORD", [&](Army& a, UnitEntry& u) { a.SetMount(u, nation.FindTroopType(C("HORS"))); },
         "Lord: the mount HORS is in no army list", "SPEA LORD"},
        {"item", "LORD", [&](Army& a, UnitEntry& u) { a.SetMagicItem(u, before->FindMagicItem(C("ring"))); },
         "Lord: the magic item ring is in no army list", "SPEA LORD"},
        {"engine", "SPEA",
         [&](Army& a, UnitEntry& u) { a.SetSiegeEngine(u, before->FindSiegeEngine(C("bara"))); },
         "Spears: the siege engine bara is in no army list", "SPEA SPEA"},
        {"runners", "SKRM", [&](Army& a, UnitEntry& u) { a.SetSkirmishers(u, true); },
         "Skirmishers: the troop type SKRM can no longer take runners", "SPEA SKRM"},
        {"troop type", "CAPT", [&](Army& a, UnitEntry& u) { a.SetName(u, "Old Guard"); },
         "Old Guard: the troop type CAPT is in no army list", "SPEA"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lost);
        Army army(nation, 1500, false);
        army.AddUnit(C("SPEA")); // a unit the change leaves alone
        c.give(army, *army.AddUnit(CodeFrom(c.code)));
        const std::string bytes = WriteArmyFile(army);

        const ArmyFileLoad same = ReadArmyFile(bytes, *before, "army.evr");
        EXPECT_EQ(same.status, Status::Complete);
        EXPECT_TRUE(same.messages.empty());
        EXPECT_EQ(WriteArmyFile(*same.army), bytes) << "the lists it was made with read it back whole";

        const ArmyFileLoad load = ReadArmyFile(bytes, *after, "army.evr");
        EXPECT_EQ(load.status, Status::Incomplete);
        EXPECT_EQ(load.messages, (std::vector<std::string>{kIncompleteLoadMessage, c.line}));
        ASSERT_NE(load.army, nullptr);
        EXPECT_EQ(EntryCodes(*load.army), c.left);
        EXPECT_EQ(load.army->pointsLimit(), 1500);

        // The document shows the army, unbound, with the lines as one message.
        InMemorySettings settings;
        ArmyDocument doc(*after, settings);
        const ArmyDocument::OpenOutcome outcome = doc.Load(bytes, "dir/army.evr");
        EXPECT_EQ(outcome.result, ArmyDocument::OpenResult::Incomplete);
        ASSERT_TRUE(outcome.message.has_value());
        EXPECT_EQ(outcome.message->text, std::string(kIncompleteLoadMessage) + "\n" + c.line);
        EXPECT_EQ(outcome.message->caption, kLoadFailedCaption);
        EXPECT_EQ(doc.path(), "");
        EXPECT_EQ(doc.proposedPath(), "dir/army.evr");
        EXPECT_EQ(EntryCodes(doc.army()), c.left);
    }
}

TEST_F(ChangedLists, FilesThatAreNotWholeArmyFilesSaySo) {
    Army army(nation, 2000, false);
    army.SetMount(*army.AddUnit(C("LORD")), nation.FindTroopType(C("HORS")));
    army.AddUnit(C("SPEA"));
    const std::string whole = WriteArmyFile(army);
    const std::string header = whole.substr(0, 12);
    std::string random;
    for (unsigned i = 0, x = 12345; i < 64; ++i, x = x * 1103515245 + 12345)
        random += static_cast<char>(x >> 16);
    const struct {
        const char* name;
        std::string bytes;
        Status status;
        const char* message; // part of the one message line; empty for none
        const char* codes;
        std::int32_t points;
    } cases[] = {
        {"empty", "", Status::Empty, "", "", 0},
        {"random bytes", random, Status::NotLoadable, "The file \"x.evr\" is not an army file.", "", 0},
        {"seven bytes", whole.substr(0, 7), Status::NotLoadable, "is not an army file", "", 0},
        {"header cut", whole.substr(0, 11), Status::NotLoadable, "is not an army file", "", 0},
        {"format 2", "\2" + whole.substr(1), Status::NotLoadable, "is not an army file", "", 0},
        {"nation unknown", std::string("\1\0\0\0\x63\0\0\0\xD0\7\0\0", 12), Status::NotLoadable,
         kNationUnavailableMessage, "", 0},
        {"negative limit", header.substr(0, 8) + "\xFF\xFF\xFF\xFF" + whole.substr(12), Status::Incomplete,
         "holds the points limit -1, out of range; it is read as 0.", "LORD SPEA", 0},
        {"ten-digit limit", header.substr(0, 8) + std::string("\0\xCA\x9A\x3B", 4) + whole.substr(12),
         Status::Incomplete, "it is read as 999999999.", "LORD SPEA", 999999999},
        {"cut in a name", whole.substr(0, 24), Status::Incomplete,
         "The file \"x.evr\" ends in the middle of a unit; the 1 unit read is loaded.", "LORD", 2000},
        {"cut in a troop code", whole.substr(0, 21), Status::Incomplete, "the 0 units read", "", 2000},
        {"cut in an option code", whole.substr(0, whole.find("<MOUNT>") + 10), Status::Incomplete,
         "the 1 unit read", "LORD", 2000},
        {"no </UNIT>", whole.substr(0, whole.size() - 8), Status::Incomplete, "the 2 units read", "LORD SPEA",
         2000},
        {"CR LF, odd lines, no last LF", header + "junk\r\n<UNIT>\r\nDROLLord\r\n<UNIT>\r\n</UNIT>",
         Status::Complete, "", "LORD", 2000},
        {"whole", whole, Status::Complete, "", "LORD SPEA", 2000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ArmyFileLoad load = ReadArmyFile(c.bytes, *before, "x.evr");
        EXPECT_EQ(load.status, c.status);
        ASSERT_EQ(load.messages.size(), *c.message ? 1u : 0u);
        if (*c.message) {
            EXPECT_NE(load.messages[0].find(c.message), std::string::npos) << load.messages[0];
        }
        const bool army = c.status == Status::Complete || c.status == Status::Incomplete;
        ASSERT_EQ(load.army != nullptr, army);
        if (army) {
            EXPECT_EQ(EntryCodes(*load.army), c.codes);
            EXPECT_EQ(load.army->pointsLimit(), c.points);
        }
    }
}

} // namespace
