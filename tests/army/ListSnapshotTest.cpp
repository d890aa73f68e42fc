// Army-list snapshots: written on save, found again by the saved bytes, and
// compared with the lists of the day the army is opened again.
#include "ArmyFixtures.h"
#include "RunProgram.h"
#include "ScratchFolder.h"

#include "ArmyFile.h"
#include "ListSnapshot.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// An army of the Sea Raiders of tests/data/diff/old.dfm that uses a little of
// everything: a mounted Skipper with an item, Reedspears (one with a ram),
// Bowmen and the pooled Oarsmen.
class SnapshotTest : public ::testing::Test {
protected:
    SnapshotTest() : lists(CatalogueFromFile("diff/old.dfm")), army(*lists->FindNation(3), 2000, false) {
        const UnitEntry& skipper = *army.AddUnit(C("SKIP"));
        army.SetMount(skipper, army.nation().FindTroopType(C("WHAL")));
        army.SetMagicItem(skipper, lists->FindMagicItem(CodeFrom("axe!")));
        for (int i = 0; i < 3; ++i)
            army.AddUnit(C("REED"));
        army.SetSiegeEngine(*army.UnitAt(1), lists->FindSiegeEngine(C("bara")));
        army.SetCountOfType(C("BOWS"), 2);
        army.AddUnit(C("OARS"));
        bytes = WriteArmyFile(army);
    }

    SnapshotComparison Reopen(const ArmyCatalogue& today) const {
        const std::optional<std::filesystem::path> snapshot = FindSnapshot(folder, bytes);
        EXPECT_TRUE(snapshot.has_value());
        SnapshotComparison comparison;
        std::string error;
        EXPECT_TRUE(snapshot && CompareWithSnapshotFile(*snapshot, bytes, today, comparison, error)) << error;
        return comparison;
    }

    std::unique_ptr<ArmyCatalogue> lists;
    Army army;
    std::string bytes;
    ScratchFolder folder;
};

TEST_F(SnapshotTest, ReopeningAfterTheListsChangedSaysWhatChangedForTheArmy) {
    ASSERT_TRUE(WriteSnapshot(folder, bytes, army).ok());
    const SnapshotComparison comparison = Reopen(*CatalogueFromFile("diff/new.dfm"));
    EXPECT_EQ(comparison.totalBefore, 350);
    EXPECT_EQ(comparison.totalNow, 253);
    const std::vector<std::string> expected = {
        "nation Sea Raiders (3): army name \"Sea raider host\" -> \"Sea raider fleet\"",
        "Sea Raiders: troop type Reedspears (REED): points 5 -> 6",
        "Sea Raiders: troop type Reedspears (REED): rules \"SHLD\" -> \"SHLDTEST\"",
        "Sea Raiders: troop type Reedspears (REED): bounds 4 or more -> 4 to 10",
        "Sea Raiders: troop type Bowmen (BOWS) removed, with 2 units of the army",
        "Sea Raiders: troop type Rowers (OARS): name \"Oarsmen\" -> \"Rowers\"",
        "Sea Raiders: troop type Rowers (OARS): kind \"unit\" -> \"unSk\"",
        "Sea Raiders: troop type Rowers (OARS): armour save 6 -> 5",
        "Sea Raiders: troop type Rowers (OARS): NOBREAK no -> yes",
        "Sea Raiders: troop type Rowers (OARS): LIMIT \"REED\" -> \"REEDBOWS\"",
        "Sea Raiders: troop type Slingers (SLNG): now required: 2 to 4",
        "magic item Axe of the Deep (axe!): points 25 -> 30",
        "siege engine Ram (bara): name \"Battering Ram\" -> \"Ram\"",
        "siege engine Ram (bara): points 10 -> 15",
        "points total: 350 -> 253",
    };
    EXPECT_EQ(SnapshotLines(comparison), expected);
}

TEST_F(SnapshotTest, NothingIsListedWhenNothingTheArmyUsesChanged) {
    ASSERT_TRUE(WriteSnapshot(folder, bytes, army).ok());
    // Another nation and an item no unit carries change; the army's records do not.
    auto today = CatalogueFromFile("diff/old.dfm");
    LoadText(*today, "<NATION 5 \"Marsh Folk\" \"Marsh host\"></NATION>"
                     "<MITEM ring \"Ring\" 1> 99 -1</MITEM>");
    const SnapshotComparison comparison = Reopen(*today);
    EXPECT_FALSE(comparison.Changed());
    EXPECT_EQ(comparison.totalBefore, 350);
    EXPECT_TRUE(SnapshotLines(comparison).empty());
}

// The snapshot alone gives back the army's points and bounds as they were.
TEST_F(SnapshotTest, TheSnapshotReadsBackAsTheArmysOwnRecords) {
    std::string text, error;
    ASSERT_TRUE(SnapshotText(army, text, error)) << error;
    const auto alone = CatalogueFromText(text);
    ArmyFileLoad load = ReadArmyFile(bytes, *alone, "army.evr");
    ASSERT_EQ(load.status, ArmyFileLoad::Status::Complete);
    const Army& again = *load.army;
    EXPECT_EQ(WriteArmyFile(again), bytes);
    EXPECT_EQ(again.TotalPoints(), army.TotalPoints());
    for (const TroopTypeRecord* t = again.nation().NextTroopType(nullptr); t;
         t = again.nation().NextTroopType(t)) {
        const TroopTypeRecord& original = *army.nation().FindTroopType(t->code());
        EXPECT_TRUE(CompareTroopTypes(original, *t).empty()) << t->name;
        EXPECT_EQ(again.MinimumRequired(*t), army.MinimumRequired(original)) << t->name;
        EXPECT_EQ(again.MaximumAllowed(*t), army.MaximumAllowed(original)) << t->name;
    }
    // What the army does not use stays out: the other nations, the spare item.
    EXPECT_EQ(alone->NationCount(), 1u);
    EXPECT_EQ(alone->FindMagicItem(C("horn"))->code(), kNoMagicItem);
}

// Records gone from today's lists count the units that used them: riders of
// a mount, units with runners, carriers of an item; a nation gone, all units.
TEST(Snapshot, WhatIsGoneCountsTheUnitsThatUsedIt) {
    const std::string lists = ReadWholeFile(DataPath("army/mixed.dfm"));
    const auto then = CatalogueFromText(lists);
    Army army(*then->FindNation(1), 1000, false);
    const UnitEntry& lord = *army.AddUnit(C("LORD"));
    army.SetMount(lord, army.nation().FindTroopType(C("HORS")));
    army.SetMagicItem(lord, then->FindMagicItem(C("ring")));
    army.SetSkirmishers(*army.AddUnit(C("SKRM")), true);
    const std::string bytes = WriteArmyFile(army);
    std::string snapshot, error;
    ASSERT_TRUE(SnapshotText(army, snapshot, error)) << error;

    std::string pruned = lists;
    for (const char* gone : {"<TROOPS emsk", "<TROOPS HORS", "<MITEM ring"})
        pruned.erase(pruned.find(gone), pruned.find('\n', pruned.find(gone)) - pruned.find(gone));
    const struct {
        std::string today;
        std::vector<std::string> lines;
    } cases[] = {
        {pruned,
         {"N: troop type Runners (emsk) removed, with 1 unit of the army",
          "N: troop type Horse (HORS) removed, with 1 unit of the army",
          "magic item Ring (ring) removed, with 1 unit of the army", "points total: 135 -> 85"}},
        {"<NATION 2 \"Other\" \"O\"></NATION>",
         {"nation N (1) removed, with 2 units of the army", "points total: 135 -> 0"}},
    };
    for (const auto& c : cases) {
        SnapshotComparison comparison;
        ASSERT_TRUE(CompareWithSnapshot(snapshot, bytes, *CatalogueFromText(c.today), comparison, error))
            << error;
        EXPECT_EQ(SnapshotLines(comparison), c.lines);
    }
    SnapshotComparison comparison;
    EXPECT_FALSE(CompareWithSnapshot(snapshot, bytes.substr(0, 11), *then, comparison, error));
    EXPECT_FALSE(CompareWithSnapshot("<NATION 2 \"Other\" \"O\"></NATION>", bytes, *then, comparison, error));
}

// A pooled type brings the partners its LIMIT names, and a partner the
// pooled types that name it; categories come only as the records use them.
TEST(Snapshot, HoldsThePoolsTheArmysBoundsDependOn) {
    const auto lists =
        CatalogueFromText("<TRCAT 512 Inf \"Infantry\"><TRCAT 64 Mon \"Monster\">"
                          "<NATION 1 \"N\" \"A\">"
                          "<TROOPS POOL \"Pool\" unit 512> 1 \"\" 1 0 0 3 5 -1 2<LIMIT>PART</LIMIT></TROOPS>"
                          "<TROOPS PART \"Partner\" unit 512> 1 \"\" 1 0 0 3 5 0 0</TROOPS>"
                          "<TROOPS LONE \"Alone\" unit 512> 1 \"\" 1 0 0 3 5 0 0</TROOPS></NATION>");
    for (const auto& [fielded, other] : {std::pair{"POOL", "PART"}, {"PART", "POOL"}}) {
        Army army(*lists->FindNation(1), 1000, false);
        army.AddUnit(CodeFrom(fielded));
        std::string text, error;
        ASSERT_TRUE(SnapshotText(army, text, error)) << error;
        const auto alone = CatalogueFromText(text);
        EXPECT_NE(alone->FindNation(1)->FindTroopType(CodeFrom(other)), nullptr) << fielded;
        EXPECT_EQ(alone->FindNation(1)->FindTroopType(C("LONE")), nullptr) << fielded;
        EXPECT_NE(alone->FindTroopCategory(512), nullptr);
        EXPECT_EQ(alone->FindTroopCategory(64), nullptr);
    }
}

TEST_F(SnapshotTest, AFolderThatCannotBeWrittenIsAnErrorAndNothingElse) {
    const std::filesystem::path notAFolder = folder.Put("file", "x");
    const SnapshotWriteResult result = WriteSnapshot(notAFolder / "snapshots", bytes, army);
    EXPECT_FALSE(result.ok());
    EXPECT_NE(result.error.find("cannot be kept"), std::string::npos) << result.error;
    EXPECT_FALSE(FindSnapshot(notAFolder / "snapshots", bytes));
    EXPECT_EQ(WriteArmyFile(army), bytes);
    EXPECT_TRUE(WriteSnapshot(folder / "snapshots", bytes, army).ok());
}

TEST_F(SnapshotTest, TheOldestSnapshotsArePrunedToKeepTheFolderWithinItsBound) {
    std::string text, error;
    ASSERT_TRUE(SnapshotText(army, text, error));
    const std::uintmax_t bound = text.size() * 5 / 2; // room for two
    folder.Put("notes.txt", std::string(3 * text.size(), 'n'));
    const auto start = std::filesystem::file_time_type::clock::now();
    std::vector<std::filesystem::path> written;
    for (int i = 0; i < 5; ++i) {
        army.setPointsLimit(2000 + i); // other bytes, another snapshot of the same size
        const std::string saved = WriteArmyFile(army);
        const SnapshotWriteResult result = WriteSnapshot(folder, saved, army, bound);
        ASSERT_TRUE(result.ok()) << result.error;
        std::filesystem::last_write_time(result.path, start - std::chrono::seconds(10 - i));
        written.push_back(result.path);

        std::uintmax_t total = 0;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".dfm")
                total += entry.file_size();
        EXPECT_LE(total, bound);
        EXPECT_TRUE(std::filesystem::exists(result.path));
    }
    EXPECT_FALSE(std::filesystem::exists(written[2]));
    EXPECT_TRUE(std::filesystem::exists(written[3]));
    EXPECT_TRUE(std::filesystem::exists(folder / "notes.txt")) << "only snapshots are pruned";
}

} // namespace
