#include "ArmyFixtures.h"

#include "Army.h"
#include "ArmyChecker.h"
#include "RunProgram.h"

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

// docs/marsh-folk.dfm, the complete nation the guide offers to copy from,
// read after the built-in lists, and what the guide says of it.
class GuideNation : public ::testing::Test {
protected:
    static std::unique_ptr<ArmyCatalogue> Load(const std::string& text) {
        auto catalogue = BuiltInCatalogue();
        LoadText(*catalogue, text);
        return catalogue;
    }
    static std::string Lines(const Army& army) {
        std::string lines;
        for (const Breach& breach : CheckArmy(army))
            lines += BreachLine(breach) + "\n";
        return lines;
    }

    const std::string text = ReadWholeFile(DataPath("../../docs/marsh-folk.dfm"));
    std::unique_ptr<ArmyCatalogue> catalogue = Load(text);
    const NationRecord& nation = *catalogue->FindNation(8192);
    const TroopTypeRecord& Type(const char (&code)[5]) const { return *nation.FindTroopType(CodeOf(code)); }
};

TEST_F(GuideNation, FillsItsMinimumsAndOffersTheElkToTheChiefAlone) {
    const Army army(nation, 2000, true);
    EXPECT_EQ(EntryCodes(army), "CHIF SPER SPER SPER SPER TOAD") << "the pool's first member fills it";
    EXPECT_EQ(Lines(army), "");

    // The elk, and "No mount", only for the chief.
    EXPECT_EQ(Type("CHIF").NextMount(nullptr), &Type("MELK"));
    EXPECT_EQ(Type("CHIF").NextMount(&Type("MELK")), &Type("nomo"));
    EXPECT_EQ(Type("WISE").NextMount(nullptr), nullptr);
    EXPECT_EQ(army.UnitAt(0)->mount(), &Type("nomo"));
    EXPECT_EQ(Army(nation, 1000, false).AddUnit(C("WISE"))->mount(), nullptr);
}

TEST_F(GuideNation, APoolCapsItsOwnerOnlyAsTheGuideWorksOut) {
    // The serpents' own maximum of 2 per 1,000 points is what holds them.
    const std::string serpentsUnbounded = [&] {
        std::string changed = text;
        const std::string serpents = "\"Swamp serpents\" unit 64> 4 \"\" 3 4 0 3 70 0 2";
        changed.replace(changed.find(serpents), serpents.size(),
                        serpents.substr(0, serpents.size() - 1) + "0");
        return changed;
    }();
    const auto unbounded = Load(serpentsUnbounded);
    const struct {
        bool serpentsBounded;
        std::int32_t points, toads, serpents;
        const char* lines;
        const char* firstSentence;
    } cases[] = {
        {true, 2000, 2, 3, "too many: Giant toads: 2 > 1\n",
         "Giant toads with Swamp serpents: 5 units, at most 4 are allowed for 2,000 points"},
        {true, 2000, 0, 5, "too many: Swamp serpents: 5 > 4\n",
         "Swamp serpents: 5 units, at most 4 are allowed for 2,000 points"},
        {false, 2000, 0, 5, "", ""},
        {true, 1000, 0, 0, "too few: Giant toads: 0 < 1\n",
         "Giant toads with Swamp serpents: 0 units, at least 1 are needed"},
        {true, 1000, 0, 1, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.toads) + " toads, " + std::to_string(c.serpents) + " serpents");
        Army army(c.serpentsBounded ? nation : *unbounded->FindNation(8192), c.points, false);
        army.SetCountOfType(C("CHIF"), 1);
        army.SetCountOfType(C("SPER"), 2 * c.points / 1000);
        army.SetCountOfType(C("TOAD"), c.toads);
        army.SetCountOfType(C("SERP"), c.serpents);
        const std::vector<Breach> breaches = CheckArmy(army);
        EXPECT_EQ(Lines(army), c.lines);
        EXPECT_EQ(breaches.empty() ? "" : BreachSentence(army, breaches.front()), c.firstSentence);
    }
}

} // namespace
