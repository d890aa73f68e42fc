// The rule checker: every kind of breach with its numbers and units, each
// just within and just past its bound, and what taking an option would break.
#include "ArmyFixtures.h"

#include "ArmyChecker.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// tests/data/army/checker.dfm: a lord and his horse, spears and a pool of them, a ring.

class Checker : public ::testing::Test {
protected:
    const TroopTypeRecord* Type(const char (&code)[5]) { return nation.FindTroopType(CodeOf(code)); }
    const MagicItemRecord* Item(const char (&code)[5]) { return catalogue->FindMagicItem(CodeOf(code)); }

    std::unique_ptr<ArmyCatalogue> catalogue = CatalogueFromFile("army/checker.dfm");
    const NationRecord& nation = *catalogue->FindNation(1);
};

TEST_F(Checker, EveryKindOfBreachWithItsNumbersAndUnits) {
    const struct {
        const char* name;
        std::int32_t points, lords, spears, pools;
        std::int32_t equipped; // lords given the mount and the item
        const char* mount;
        const char* item;
        const char* breaches; // each breach's line and number of units
    } cases[] = {
        {"exactly at every bound", 50 + 25 + 10 + 2 * 40, 1, 2, 0, 1, "HORS", "ring", ""},
        {"the minimum scales with full thousands", 2999, 1, 3, 0, 0, "", "", "too few: Spears: 3 < 4 (3)\n"},
        {"one over the limit, and too many", 209, 1, 4, 0, 0, "", "",
         "over the points limit: 210 > 209 (0)\ntoo many: Spears: 4 > 3 (4)\n"},
        {"a pool's minimum counts the others, its maximum leaves them out", 1000, 1, 1, 4, 0, "", "",
         "too few: Spears: 1 < 2 (1)\ntoo many: Pool: 4 > 3 (4)\n"},
        {"a mount ridden too often and an item carried twice", 1000, 2, 2, 0, 2, "HORS", "ring",
         "too many: Lord: 2 > 1 (2)\nmount ridden too often: Horse: 2 > 1 (2)\n"
         "magic item carried more than once: Ring: 2 (2)\n"},
        {"'no' records are never ridden or carried too often", 1000, 2, 2, 0, 2, "nomo", "nomi",
         "too many: Lord: 2 > 1 (2)\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Army army(nation, c.points, false);
        army.SetCountOfType(C("LORD"), c.lords);
        army.SetCountOfType(C("SPEA"), c.spears);
        army.SetCountOfType(C("POOL"), c.pools);
        for (std::int32_t i = 0; i < c.equipped; ++i) {
            army.SetMount(*army.UnitAt(i), nation.FindTroopType(CodeFrom(c.mount)));
            army.SetMagicItem(*army.UnitAt(i), catalogue->FindMagicItem(CodeFrom(c.item)));
        }
        const std::vector<Breach> breaches = CheckArmy(army);
        std::string lines;
        for (const Breach& b : breaches) {
            lines += BreachLine(b) + " (" + std::to_string(b.units.size()) + ")\n";
            for (UnitId id : b.units)
                EXPECT_NE(army.FindUnit(id), nullptr);
            if (b.kind == BreachKind::MagicItemCarriedMoreThanOnce)
                EXPECT_EQ(b.bound, 1);
        }
        EXPECT_EQ(lines, c.breaches);
        EXPECT_EQ(OverPointsLimit(army),
                  !breaches.empty() && breaches[0].kind == BreachKind::OverPointsLimit);
    }
}

TEST_F(Checker, TakingAnOptionCountsTheUnitsOwnChoiceOnce) {
    Army army(nation, 1000, false);
    const UnitEntry& first = *army.AddUnit(CodeOf("LORD"));
    const UnitEntry& second = *army.AddUnit(CodeOf("LORD"));
    EXPECT_FALSE(TakingMountBreaks(first, *Type("HORS")));
    army.SetMount(first, Type("HORS"));
    EXPECT_FALSE(TakingMountBreaks(first, *Type("HORS"))) << "its own rider";
    EXPECT_TRUE(TakingMountBreaks(second, *Type("HORS")));
    EXPECT_FALSE(TakingMountBreaks(second, *Type("nomo")));
    EXPECT_FALSE(UnitBreaksOptionRule(first));

    army.SetMagicItem(first, Item("ring"));
    EXPECT_FALSE(TakingItemBreaks(first, *Item("ring")));
    EXPECT_TRUE(TakingItemBreaks(second, *Item("ring")));
    army.SetMagicItem(second, Item("ring"));
    EXPECT_TRUE(UnitBreaksOptionRule(first)) << "every carrier is marked";
    EXPECT_TRUE(UnitBreaksOptionRule(second));

    EXPECT_TRUE(CountBreaksBounds(army, *Type("SPEA"), 1));
    EXPECT_FALSE(CountBreaksBounds(army, *Type("SPEA"), 3));
    EXPECT_TRUE(CountBreaksBounds(army, *Type("SPEA"), 4));
}

} // namespace
