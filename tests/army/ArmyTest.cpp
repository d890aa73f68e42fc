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

TEST_F(BuiltInArmy, DefaultOptionsPointsAndDescriptions) {
    Army army(Nation(1), 2000, false);
    UnitEntry* officer = army.AddUnit(C("HERO"));
    EXPECT_EQ(officer->mount()->code(), kNoMount);
    EXPECT_EQ(officer->magicItem(), nullptr) << "item-category mask 0";
    EXPECT_EQ(officer->siegeEngine(), nullptr) << "not infantry";
    std::string text = "stale";
    officer->Description(text);
    EXPECT_EQ(text, "") << "officers have no INFO and ride no mount yet";
    const MagicItemRecord& eagle = *catalogue->FindMagicItem(C("eagl"));
    army.SetMount(*officer, &Type(1, "ELMO"));
    army.SetMagicItem(*officer, &eagle);
    EXPECT_EQ(officer->Points(), 80 + 90 + eagle.points);
    officer->Description(text);
    EXPECT_EQ(text, "Legions eagle\r\n" + eagle.info + "\r\nElephant\r\n" + Type(1, "ELMO").info);

    UnitEntry* phalanx = army.AddUnit(C("2HAL"));
    EXPECT_EQ(phalanx->mount(), nullptr) << "no mount's LIMIT names the phalangites";
    EXPECT_EQ(phalanx->siegeEngine()->code(), kNoSiegeEngine);
    phalanx->Description(text);
    EXPECT_EQ(text, Type(1, "2HAL").info) << "\"No siege engine\" is not named";
    army.SetSiegeEngine(*phalanx, catalogue->FindSiegeEngine(C("tora")));
    EXPECT_EQ(phalanx->Points(), 55 + 20);
    EXPECT_EQ(army.AddUnit(C("ZZZZ")), nullptr);

    Army egypt(Nation(32), 2000, false);
    UnitEntry* chariots = egypt.AddUnit(C("1CHA"));
    EXPECT_EQ(chariots->Points(), 70);
    chariots->Description(text);
    EXPECT_EQ(text, Type(32, "1CHA").info + "\r\n");
    egypt.SetSkirmishers(*chariots, true);
    EXPECT_EQ(chariots->Points(), 110);
    const SiegeEngineRecord& sows = *catalogue->FindSiegeEngine(C("sows"));
    egypt.SetSiegeEngine(*chariots, &sows);
    egypt.SetMagicItem(*chariots, catalogue->FindMagicItem(kNoMagicItem));
    EXPECT_EQ(chariots->Points(), 115);
    chariots->Description(text);
    EXPECT_EQ(text, Type(32, "1CHA").info + "\r\n" + Type(32, "emsk").info + "\r\n\r\n" + sows.info);
}

TEST_F(BuiltInArmy, NamesCopiesAndRemovals) {
    Army army(Nation(32), 2000, false);
    EXPECT_EQ(army.NewUnit(nullptr), nullptr);
    UnitEntry* chariots = army.NewUnit(&Type(32, "1CHA"));
    UnitEntry* general = army.AddUnit(C("GEN8"));
    army.SetName(*chariots, "Red chariots");
    EXPECT_EQ(chariots->name(), "Red chariots");
    army.SetName(*chariots, "");
    EXPECT_EQ(chariots->name(), "Chariots");
    army.SetSkirmishers(*chariots, true);
    army.SetSiegeEngine(*chariots, catalogue->FindSiegeEngine(C("mant")));
    army.SetName(*general, "Ramesses");
    army.SetMount(*general, &Type(32, "CHMO"));
    army.SetMagicItem(*general, catalogue->FindMagicItem(C("eagl")));
    for (const UnitEntry* source : {chariots, general}) {
        UnitEntryState copy = Army::StateOf(*army.NewUnit(source));
        EXPECT_NE(copy.id, source->id());
        copy.id = source->id();
        EXPECT_EQ(copy, Army::StateOf(*source)) << "a copy takes every option";
    }
    army.SetSkirmishers(*general, true);
    EXPECT_FALSE(general->skirmishers()) << "a plain entry fields no runners";

    Army other(Nation(32), 2000, false);
    for (const UnitEntry* stranger : {other.AddUnit(C("1CHA")), static_cast<UnitEntry*>(nullptr)}) {
        EXPECT_EQ(army.NewUnit(stranger), nullptr);
        EXPECT_FALSE(army.DeleteUnit(stranger));
        army.RemoveUnit(stranger);
    }
    EXPECT_FALSE(army.DeleteUnit(&Type(32, "1CHA")));
    EXPECT_TRUE(army.DeleteUnit(general));
    army.RemoveUnit(chariots);
    EXPECT_EQ(EntryCodes(army), "1CHA GEN8");
}

TEST_F(BuiltInArmy, BoundsScaleWithFullThousandsOfPoints) {
    const struct {
        std::int32_t nation;
        const char* code;
        std::int32_t points, minimum, maximum;
    } cases[] = {
        {2, "1GBW", 2000, 8, 20},          {2, "1GBW", 1999, 4, 10},
        {2, "1GBW", 500, 4, 10},           {2, "1GBW", 0, 4, 10},
        {2, "1GBW", -3000, 4, 10},         {2, "GEN1", 3000, 1, 1},
        {8, "1TER", 2000, 12, kNoMaximum}, {2, "HER7", 2000, 0, 4},
        {2, "ELMO", 2000, 0, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " at " + std::to_string(c.points));
        const Army army(Nation(c.nation), c.points, false);
        const TroopTypeRecord& type = *Nation(c.nation).FindTroopType(CodeFrom(c.code));
        EXPECT_EQ(army.MinimumRequired(type), c.minimum);
        EXPECT_EQ(army.MaximumAllowed(type), c.maximum);
    }
}

TEST_F(BuiltInArmy, MountsAreCountedByTheirRiders) {
    Army army(Nation(2), 2000, false);
    for (const char* code : {"GEN1", "HER8", "HER8"})
        army.SetMount(*army.AddUnit(CodeFrom(code)), &Type(2, "ELMO"));
    EXPECT_EQ(army.CountRiding(C("ELMO")), 3);
    EXPECT_EQ(army.NumberInArmy(C("ELMO")), 3);
    EXPECT_EQ(army.CountOfType(C("ELMO")), 0);
    EXPECT_EQ(army.NumberInArmy(C("HER8")), 2);
}

TEST_F(BuiltInArmy, SettingACountKeepsOtherEntriesInPlace) {
    Army army(Nation(2), 2000, false);
    for (const char* code : {"1GBW", "GEN1", "1GBW", "SKIR"})
        army.AddUnit(CodeFrom(code));
    army.SetCountOfType(C("1GBW"), 4);
    EXPECT_EQ(EntryCodes(army), "1GBW GEN1 1GBW SKIR 1GBW 1GBW");
    army.SetCountOfType(C("1GBW"), 1);
    EXPECT_EQ(EntryCodes(army), "1GBW GEN1 SKIR");
    army.SetCountOfType(C("ZZZZ"), 3);
    army.SetCountOfType(C("1GBW"), 0);
    army.SetCountOfType(C("1GBW"), -5);
    EXPECT_EQ(EntryCodes(army), "GEN1 SKIR");
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
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    Army army(nation, kMax, true);
    EXPECT_LE(army.CountOfType(C("HUGE")), kMaxEntriesAddedPerType);
    EXPECT_EQ(army.MinimumRequired(*nation.FindTroopType(C("HUGE"))), kMax);
    EXPECT_EQ(army.MaximumAllowed(*nation.FindTroopType(C("HUGE"))), kMax);
    EXPECT_GE(army.MaximumAllowed(*nation.FindTroopType(C("POOL"))), 0);
    EXPECT_EQ(army.PointsOfType(C("HUGE")), kMax) << "sums clamp";
    EXPECT_EQ(army.TotalPoints(), -9999) << "9999 at the largest and 9999 at the smallest cost";
    army.EnforceMinMax();
    EXPECT_LE(army.CountOfType(C("HUGE")), 2 * kMaxEntriesAddedPerType);
}

} // namespace
