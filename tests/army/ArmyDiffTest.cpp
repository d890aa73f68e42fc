// Which units of two armies CompareArmies takes for the same unit, and when
// it finds two armies the same; `ovra diff`'s goldens show its lines.
#include "ArmyFixtures.h"

#include "ArmyDiff.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// Army order across troop types, uniquely named units in another order and
// "no" options against none make no difference; a changed name does.
TEST(ArmyDiff, MatchesUnitsByUniqueNameThenByOrder) {
    const auto lists = CatalogueFromFile("army/mixed.dfm");
    const NationRecord& nation = *lists->FindNation(1);
    Army a(nation, 2000, false), b(nation, 2000, false);
    for (const char* name : {"Kestrel", "Osprey", "Merlin"})
        a.SetName(*a.AddUnit(C("CAPT")), name);
    a.AddUnit(C("SPEA"));
    a.AddUnit(C("SPEA"));
    b.AddUnit(C("SPEA"));
    for (const char* name : {"Merlin", "Osprey", "Kestrel"})
        b.SetName(*b.AddUnit(C("CAPT")), name);
    b.SetMagicItem(*b.UnitAt(2), nullptr); // a's Osprey holds "No item": the same
    b.AddUnit(C("SPEA"));
    EXPECT_TRUE(CompareArmies(a, b).Equal());

    b.SetName(*b.UnitAt(4), "Shields");
    const ArmyDiff diff = CompareArmies(a, b);
    EXPECT_FALSE(diff.Equal());
    ASSERT_EQ(diff.troopTypes.size(), 2u);
    const TroopTypeComparison& captains = diff.troopTypes[0];
    EXPECT_FALSE(captains.Differs());
    EXPECT_EQ(captains.units[0].a->name, "Kestrel");
    EXPECT_EQ(captains.units[0].b->position, 3);
    const UnitComparison& second = diff.troopTypes[1].units[1];
    EXPECT_TRUE(second.name && !second.points && second.a->position == 2 && second.b->position == 2);

    b.RemoveUnit(b.UnitAt(4));
    b.AddUnit(C("LORD"));
    const std::vector<std::string> expected = {
        "nation: N (1) -> N (1)",
        "points limit: 2000 -> 2000 (0)",
        "total: 170 -> 180 (+10)",
        "breakpoint: 1 -> 1 (0)",
        "Lord (LORD): units 0 -> 1, points 0 -> 50 (+50)",
        "Lord (LORD) unit 1: only in B: \"Lord\", 50 points",
        "Spears (SPEA): units 2 -> 1, points 80 -> 40 (-40)",
        "Spears (SPEA) unit 2: only in A: \"Spears\", 40 points",
    };
    EXPECT_EQ(ArmyDiffLines(CompareArmies(a, b)), expected);
}

} // namespace
