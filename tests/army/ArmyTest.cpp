#include "ArmyFixtures.h"

#include "Army.h"

#include <gtest/gtest.h>

#include <limits>

using namespace ovra;
using namespace ovra::test;

namespace {

class BuiltInArmy : public BuiltInCatalogueTest {
protected:
    static const NationRecord& Nation(std::int32_t id) { return *catalogue->FindNation(id); }
    static const TroopTypeRecord& Type(std::int32_t nation, const char (&code)[5]) {
        return *Nation(nation).FindTroopType(CodeOf(code));
    }
};

TEST_F(BuiltInArmy, NewEntriesGetTheDefaultOptionsTheirTypeAllows) {
    Army army(Nation(1), 2000, false);
    UnitEntry* officer = army.AddUnit(C("HERO"));
    ASSERT_NE(officer, nullptr);
    EXPECT_EQ(officer->kind, kKindUnitEntry);
    EXPECT_EQ(officer->name(), "Officers");
    ASSERT_NE(officer->mount(), nullptr);
    EXPECT_EQ(officer->mount()->code(), kNoMount);
    EXPECT_EQ(officer->magicItem(), nullptr) << "item-category mask 0";
    EXPECT_EQ(officer->siegeEngine(), nullptr) << "not infantry";

    UnitEntry* phalanx = army.AddUnit(C("2HAL"));
    EXPECT_EQ(phalanx->mount(), nullptr) << "no mount's LIMIT names the phalangites";
    ASSERT_NE(phalanx->siegeEngine(), nullptr);
    EXPECT_EQ(phalanx->siegeEngine()->code(), kNoSiegeEngine);
    EXPECT_EQ(phalanx->Points(), 55);
    EXPECT_EQ(phalanx->AsSkirmisher(), nullptr);

    EXPECT_EQ(army.AddUnit(C("ZZZZ")), nullptr);
    EXPECT_EQ(army.UnitCount(), 2);

    Army egypt(Nation(32), 2000, false);
    UnitEntry* chariots = egypt.AddUnit(C("1CHA"));
    ASSERT_NE(chariots->AsSkirmisher(), nullptr);
    EXPECT_FALSE(chariots->AsSkirmisher()->skirmishers());
}

TEST_F(BuiltInArmy, PointsAddEveryOptionAndTheRunners) {
    Army army(Nation(1), 2000, false);
    UnitEntry* officer = army.AddUnit(C("HERO"));
    officer->army().SetMount(*officer, &Type(1, "ELMO"));
    officer->army().SetMagicItem(*officer, catalogue->FindMagicItem(kNoMagicItem));
    EXPECT_EQ(officer->Points(), 80 + 90);
    UnitEntry* phalanx = army.AddUnit(C("2HAL"));
    phalanx->army().SetSiegeEngine(*phalanx, catalogue->FindSiegeEngine(C("tora")));
    EXPECT_EQ(phalanx->Points(), 55 + 20);
    EXPECT_EQ(army.PointsOfType(C("HERO")), 170);
    EXPECT_EQ(army.TotalPoints(), 170 + 75);

    Army egypt(Nation(32), 2000, false);
    UnitEntry* chariots = egypt.AddUnit(C("1CHA"));
    EXPECT_EQ(chariots->Points(), 70);
    chariots->army().SetSkirmishers(*chariots, true);
    EXPECT_EQ(chariots->Points(), 110);
    chariots->army().SetSiegeEngine(*chariots, catalogue->FindSiegeEngine(C("sows")));
    EXPECT_EQ(chariots->Points(), 115);
}

TEST_F(BuiltInArmy, DescriptionsNameRealOptionsOnly) {
    Army army(Nation(1), 2000, false);
    UnitEntry* officer = army.AddUnit(C("HERO"));
    std::string text = "stale";
    officer->Description(text);
    EXPECT_EQ(text, "") << "officers have no INFO and ride no mount yet";
    officer->army().SetMount(*officer, &Type(1, "ELMO"));
    officer->army().SetMagicItem(*officer, catalogue->FindMagicItem(C("eagl")));
    officer->Description(text);
    const std::string eagle = catalogue->FindMagicItem(C("eagl"))->info;
    EXPECT_EQ(text, "Legions eagle\r\n" + eagle + "\r\nElephant\r\n" + Type(1, "ELMO").info);

    UnitEntry* phalanx = army.AddUnit(C("2HAL"));
    phalanx->Description(text);
    EXPECT_EQ(text, Type(1, "2HAL").info) << "\"No siege engine\" is not named";

    Army egypt(Nation(32), 2000, false);
    UnitEntry* chariots = egypt.AddUnit(C("1CHA"));
    chariots->Description(text);
    EXPECT_EQ(text, Type(32, "1CHA").info + "\r\n");
    chariots->army().SetSkirmishers(*chariots, true);
    chariots->army().SetMagicItem(*chariots, catalogue->FindMagicItem(kNoMagicItem));
    chariots->army().SetSiegeEngine(*chariots, catalogue->FindSiegeEngine(C("bara")));
    chariots->Description(text);
    EXPECT_EQ(text, Type(32, "1CHA").info + "\r\n" + Type(32, "emsk").info + "\r\n\r\n" +
                        catalogue->FindSiegeEngine(C("bara"))->info);
}

TEST_F(BuiltInArmy, NamesCopiesAndOrder) {
    Army army(Nation(32), 2000, false);
    UnitEntry* first = army.AddUnit(C("1CHA"));
    army.AddUnit(C("2INF"));

    army.SetName(*first, "Red chariots");
    EXPECT_EQ(first->name(), "Red chariots");
    army.SetName(*first, "");
    EXPECT_EQ(first->name(), "Chariots");

    army.SetName(*first, "Blue");
    army.SetSkirmishers(*first, true);
    army.SetSiegeEngine(*first, catalogue->FindSiegeEngine(C("mant")));
    const UnitEntry* second = army.NewUnit(first);
    EXPECT_EQ(second->name(), "Blue");
    EXPECT_TRUE(second->skirmishers());
    EXPECT_EQ(second->siegeEngine(), first->siegeEngine());
    EXPECT_NE(second->id(), first->id());
    army.SetSkirmishers(*army.UnitAt(1), true);
    EXPECT_FALSE(army.UnitAt(1)->skirmishers()) << "a plain entry fields no runners";

    army.RemoveUnit(army.UnitAt(0));
    EXPECT_EQ(EntryCodes(army), "2INF 1CHA");
    army.RemoveUnit(nullptr);
    Army other(Nation(32), 2000, false);
    other.RemoveUnit(army.UnitAt(0));
    EXPECT_EQ(army.UnitCount(), 2);
}

TEST(ArmyBreakPoint, CountsUnitsButNotCharactersOrNobreak) {
    const auto catalogue =
        CatalogueFromText("<NATION 1 \"N\" \"A\">"
                          "<TROOPS CHAR \"Chief\" char 16384> 1 \"\" 0 0 9 1 50 0 0</TROOPS>"
                          "<TROOPS UNIT \"Foot\" unit 512> 1 \"\" 3 0 0 3 40 0 0</TROOPS>"
                          "<TROOPS SKIR \"Skirmishing foot\" unSk 512> 1 \"\" 3 0 0 3 40 0 0</TROOPS>"
                          "<TROOPS BAGG \"Baggage\" unit 512> 0 \"\" 3 0 0 3 10 0 0<NOBREAK></TROOPS>"
                          "</NATION>");
    Army army(*catalogue->FindNation(1), 2000, false);
    EXPECT_EQ(army.BreakPoint(), 0);
    army.AddUnit(C("UNIT"));
    EXPECT_EQ(army.BreakPoint(), 1);
    for (int i = 0; i < 5; ++i)
        army.AddUnit(C("UNIT"));
    army.AddUnit(C("SKIR"));
    army.AddUnit(C("CHAR"));
    army.AddUnit(C("CHAR"));
    army.AddUnit(C("BAGG"));
    EXPECT_EQ(army.BreakPoint(), 4) << "seven units count";
    army.AddUnit(C("UNIT"));
    EXPECT_EQ(army.BreakPoint(), 4) << "eight units count";
}

TEST_F(BuiltInArmy, BoundsScaleWithFullThousandsOfPoints) {
    const TroopTypeRecord& bows = Type(2, "1GBW");
    Army army(Nation(2), 2000, false);
    EXPECT_EQ(army.MinimumRequired(bows), 8);
    EXPECT_EQ(army.MaximumAllowed(bows), 20);
    army.setPointsLimit(1999);
    EXPECT_EQ(army.MinimumRequired(bows), 4);
    EXPECT_EQ(army.MaximumAllowed(bows), 10);
    for (std::int32_t limit : {500, 0, -3000}) {
        army.setPointsLimit(limit);
        EXPECT_EQ(army.PointsScale(), 1) << limit;
        EXPECT_EQ(army.MinimumRequired(bows), 4);
    }
    army.setPointsLimit(3000);
    EXPECT_EQ(army.MinimumRequired(Type(2, "GEN1")), 1) << "three capped by the absolute maximum";
    EXPECT_EQ(army.MaximumAllowed(Type(2, "GEN1")), 1);

    Army troy(Nation(8), 2000, false);
    EXPECT_EQ(troy.MinimumRequired(Type(8, "1TER")), 12);
    EXPECT_EQ(troy.MaximumAllowed(Type(8, "1TER")), kNoMaximum);

    army.setPointsLimit(2000);
    EXPECT_EQ(army.MinimumRequired(Type(2, "HER7")), 0);
    EXPECT_EQ(army.MaximumAllowed(Type(2, "HER7")), 4);
    EXPECT_EQ(army.MaximumAllowed(Type(2, "ELMO")), 2);
}

TEST_F(BuiltInArmy, MountsAreCountedByTheirRiders) {
    Army army(Nation(2), 2000, false);
    for (const char* code : {"GEN1", "HER8", "HER8"})
        army.SetMount(*army.AddUnit(CodeFrom(code)), &Type(2, "ELMO"));
    EXPECT_EQ(army.CountRiding(C("ELMO")), 3);
    EXPECT_EQ(army.NumberInArmy(C("ELMO")), 3);
    EXPECT_GT(army.CountRiding(C("ELMO")), army.MaximumAllowed(Type(2, "ELMO")));
    EXPECT_EQ(army.CountOfType(C("ELMO")), 0);
    EXPECT_EQ(army.NumberInArmy(C("HER8")), 2);
}

TEST_F(BuiltInArmy, MinMaxOnThreeIndianGenerals) {
    Army army(Nation(2), 2000, false);
    UnitEntry* kept = army.AddUnit(C("GEN1"));
    army.AddUnit(C("GEN1"));
    army.AddUnit(C("GEN1"));
    army.EnforceMinMax();
    EXPECT_EQ(army.UnitAt(0), kept) << "the general with the lowest position stays";
    EXPECT_EQ(EntryCodes(army), "GEN1 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW LGCV LGCV LGCV LGCV ELPH ELPH");
}

TEST_F(BuiltInArmy, MinMaxTrimsTheEntriesWithTheHighestPositions) {
    Army army(Nation(2), 2000, false);
    for (int i = 0; i < 5; ++i)
        army.SetName(*army.AddUnit(C("HER7")), "Officer " + std::to_string(i));
    army.EnforceMinMax();
    ASSERT_EQ(army.CountOfType(C("HER7")), 4);
    EXPECT_EQ(army.UnitAt(3)->name(), "Officer 3");
}

TEST_F(BuiltInArmy, FillingAndSettingCountsKeepOtherEntriesInPlace) {
    Army filled(Nation(4), 2000, true);
    EXPECT_EQ(EntryCodes(filled),
              "GEN9 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA");
    EXPECT_LT(filled.TotalPoints(), 2000);

    Army army(Nation(2), 2000, false);
    army.AddUnit(C("1GBW"));
    army.AddUnit(C("GEN1"));
    army.SetName(*army.AddUnit(C("1GBW")), "second");
    army.AddUnit(C("SKIR"));
    army.SetCountOfType(C("1GBW"), 4);
    EXPECT_EQ(EntryCodes(army), "1GBW GEN1 1GBW SKIR 1GBW 1GBW");
    army.SetCountOfType(C("1GBW"), 1);
    EXPECT_EQ(EntryCodes(army), "1GBW GEN1 SKIR");
    army.SetCountOfType(C("ZZZZ"), 3);
    EXPECT_EQ(army.UnitCount(), 3);
    army.SetCountOfType(C("1GBW"), 0);
    army.SetCountOfType(C("1GBW"), -5);
    EXPECT_EQ(EntryCodes(army), "GEN1 SKIR");
}

TEST_F(BuiltInArmy, NewAndDeleteUnitFollowTheSelection) {
    Army army(Nation(1), 2000, false);
    EXPECT_EQ(army.NewUnit(nullptr), nullptr);
    UnitEntry* officer = army.NewUnit(&Type(1, "HERO"));
    ASSERT_NE(officer, nullptr);
    officer->army().SetMount(*officer, &Type(1, "ELMO"));
    officer->army().SetMagicItem(*officer, catalogue->FindMagicItem(C("eagl")));
    officer->army().SetName(*officer, "Hephaistion");
    army.AddUnit(C("2HAL"));
    UnitEntry* copy = army.NewUnit(officer);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(army.IndexOf(copy), 2);
    EXPECT_EQ(copy->name(), "Hephaistion");
    EXPECT_EQ(copy->mount(), officer->mount());
    EXPECT_EQ(copy->magicItem(), officer->magicItem());

    EXPECT_FALSE(army.DeleteUnit(&Type(1, "HERO")));
    EXPECT_FALSE(army.DeleteUnit(nullptr));
    EXPECT_TRUE(army.DeleteUnit(officer));
    EXPECT_EQ(EntryCodes(army), "2HAL HERO");
}

// Pooled troop types share a minimum and a maximum with those their LIMIT names.
class PooledTypes : public ::testing::Test {
protected:
    void SetUp() override {
        catalogue = CatalogueFromText(
            "<NATION 1 \"N\" \"A\">"
            "<TROOPS AAAA \"A\" unit 512> 1 \"\" 3 0 0 3 40 -2 3<LIMIT>BBBB</LIMIT></TROOPS>"
            "<TROOPS BBBB \"B\" unit 512> 1 \"\" 3 0 0 3 40 0 0</TROOPS>"
            "<TROOPS SELF \"Self\" unit 512> 1 \"\" 3 0 0 3 40 -3 0<LIMIT>SELFBB</LIMIT></TROOPS>"
            "</NATION>");
        nation = catalogue->FindNation(1);
    }
    const TroopTypeRecord& Type(const char (&code)[5]) const { return *nation->FindTroopType(CodeOf(code)); }

    std::unique_ptr<ArmyCatalogue> catalogue;
    const NationRecord* nation = nullptr;
};

TEST_F(PooledTypes, TheOthersInThePoolCountTowardTheBounds) {
    Army army(*nation, 1000, false);
    EXPECT_EQ(army.MinimumRequired(Type("AAAA")), 2);
    army.AddUnit(C("BBBB"));
    EXPECT_EQ(army.MinimumRequired(Type("AAAA")), 1);
    army.AddUnit(C("BBBB"));
    EXPECT_EQ(army.MinimumRequired(Type("AAAA")), 0);
    EXPECT_EQ(army.MaximumAllowed(Type("AAAA")), 1);
    army.setPointsLimit(2000);
    EXPECT_EQ(army.MaximumAllowed(Type("AAAA")), 4) << "the cap scales, the pool minimum does not";
    EXPECT_EQ(army.MinimumRequired(Type("AAAA")), 0);
    army.AddUnit(C("AAAA"));
    EXPECT_EQ(army.PooledCount(C("AAAA")), 3);
    EXPECT_EQ(army.NumberInArmy(C("AAAA")), 3);
    for (int i = 0; i < 5; ++i)
        army.AddUnit(C("BBBB"));
    EXPECT_EQ(army.MaximumAllowed(Type("AAAA")), 0) << "others above the cap leave no room";
}

TEST_F(PooledTypes, ALimitCountsOnlyWholeCodesAndItsOwnCodeTwice) {
    Army army(*nation, 1000, false);
    army.AddUnit(C("SELF"));
    EXPECT_EQ(army.PooledCount(C("SELF")), 2)
        << "its own code listed in LIMIT counts again; \"BB\" is ignored";
    EXPECT_EQ(army.MinimumRequired(Type("SELF")), 2);
    army.EnforceMinMax();
    EXPECT_EQ(army.CountOfType(C("SELF")), 2);
    EXPECT_EQ(army.CountOfType(C("AAAA")), 2) << "the first pool member makes up the whole shortfall";
}

TEST(ArmyLimits, AbsurdNumbersNeitherOverflowNorExhaustMemory) {
    const auto catalogue = CatalogueFromText(
        "<NATION 1 \"N\" \"A\">"
        "<TROOPS HUGE \"Horde\" unit 512> 1 \"\" 3 0 0 3 2147483647 2147483647 -2147483648</TROOPS>"
        "<TROOPS POOL \"Pool\" unit 512> 1 \"\" 3 0 0 3 -2147483648 -2147483648 2147483647<LIMIT>HUGE</LIMIT>"
        "</TROOPS>"
        "<TROOPS CHEA \"Cheap\" unit 512> 1 \"\" 3 0 0 3 -2147483648 0 0</TROOPS>"
        "</NATION>");
    const NationRecord& nation = *catalogue->FindNation(1);
    Army army(nation, std::numeric_limits<std::int32_t>::max(), true);
    EXPECT_LE(army.CountOfType(C("HUGE")), kMaxEntriesAddedPerType);
    EXPECT_EQ(army.MinimumRequired(*nation.FindTroopType(C("HUGE"))),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(army.MaximumAllowed(*nation.FindTroopType(C("HUGE"))),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_GE(army.MaximumAllowed(*nation.FindTroopType(C("POOL"))), 0);
    EXPECT_EQ(army.PointsOfType(C("HUGE")), std::numeric_limits<std::int32_t>::max()) << "sums clamp";
    EXPECT_EQ(army.TotalPoints(), -9999) << "9999 at the largest and 9999 at the smallest cost";
    army.EnforceMinMax();
    EXPECT_LE(army.CountOfType(C("HUGE")), 2 * kMaxEntriesAddedPerType);
}

} // namespace
