// The rule checker: every kind of breach with its numbers and units, bounds
// that scale with the points limit, pooled troop types, and what taking an
// option would break.
#include "ArmyFixtures.h"

#include "ArmyChecker.h"

#include <gtest/gtest.h>

#include <functional>

using namespace ovra;
using namespace ovra::test;

namespace {

const char* const kList =
    "<MICAT 1 \"Any\"><TRCAT 512 Inf \"Infantry\"><TRCAT 8 Ch \"Character\"><TRCAT 2 Mo \"Mount\">"
    "<MITEM ring \"Ring\" 1> 10 -1</MITEM><MITEM nomi \"No item\" 1> 0 -1</MITEM>"
    "<NATION 1 \"N\" \"A\">"
    "<TROOPS LORD \"Lord\" char 8> 1 \"\" 0 0 9 1 50 1 -1 1</TROOPS>"
    "<TROOPS SPEA \"Spears\" unit 512> 3 \"\" 3 4 0 3 40 2 3 0</TROOPS>"
    "<TROOPS POOL \"Pool\" unit 512> 3 \"\" 3 4 0 3 45 -2 4 0<LIMIT>SPEA</LIMIT></TROOPS>"
    "<TROOPS HORS \"Horse\" moun 2> 2 \"\" 3 0 0 3 25 0 1 0<LIMIT>LORD</LIMIT></TROOPS>"
    "<TROOPS nomo \"No mount\" moun 2> 0 \"\" 0 0 0 0 0 0 0 0<LIMIT>LORD</LIMIT></TROOPS>"
    "</NATION>";

struct Expected {
    BreachKind kind;
    const char* name; // of the troop type or item; empty for the points limit
    std::int32_t count;
    std::int32_t bound;
    std::size_t units;
};

class Checker : public ::testing::Test {
protected:
    Checker() : catalogue(CatalogueFromText(kList)), nation(*catalogue->FindNation(1)) {}
    const TroopTypeRecord* Type(const char (&code)[5]) { return nation.FindTroopType(CodeOf(code)); }
    const MagicItemRecord* Item(const char (&code)[5]) { return catalogue->FindMagicItem(CodeOf(code)); }

    std::unique_ptr<ArmyCatalogue> catalogue;
    const NationRecord& nation;
};

TEST_F(Checker, EveryKindOfBreachWithItsNumbersAndUnits) {
    const auto lords = [](Army& a, int n) {
        for (int i = 0; i < n; ++i)
            a.AddUnit(CodeOf("LORD"));
    };
    const std::vector<
        std::tuple<const char*, std::int32_t, std::function<void(Army&)>, std::vector<Expected>>>
        cases = {
            {"within every bound",
             1000,
             [&](Army& a) {
                 lords(a, 1);
                 a.SetCountOfType(CodeOf("SPEA"), 2);
             },
             {}},
            {"the minimum scales with full thousands",
             2999,
             [&](Army& a) {
                 lords(a, 1);
                 a.SetCountOfType(CodeOf("SPEA"), 3);
             },
             {{BreachKind::TooFew, "Spears", 3, 4, 3}}},
            {"too many, and over the limit",
             200,
             [&](Army& a) {
                 lords(a, 1);
                 a.SetCountOfType(CodeOf("SPEA"), 4);
             },
             {{BreachKind::OverPointsLimit, "", 0, 0, 0}, {BreachKind::TooMany, "Spears", 4, 3, 4}}},
            {"a pool's minimum counts the others, its maximum leaves them out",
             1000,
             [&](Army& a) {
                 lords(a, 1);
                 a.SetCountOfType(CodeOf("SPEA"), 1);
                 a.SetCountOfType(CodeOf("POOL"), 4);
             },
             {{BreachKind::TooFew, "Spears", 1, 2, 1}, {BreachKind::TooMany, "Pool", 4, 3, 4}}},
            {"a mount ridden too often and an item carried twice",
             1000,
             [&](Army& a) {
                 lords(a, 2);
                 a.SetCountOfType(CodeOf("SPEA"), 2);
                 for (std::int32_t i = 0; i < 2; ++i) {
                     a.SetMount(*a.UnitAt(i), Type("HORS"));
                     a.SetMagicItem(*a.UnitAt(i), Item("ring"));
                 }
             },
             {{BreachKind::TooMany, "Lord", 2, 1, 2},
              {BreachKind::MountRiddenTooOften, "Horse", 2, 1, 2},
              {BreachKind::MagicItemCarriedMoreThanOnce, "Ring", 2, 1, 2}}},
            {"'no' records are never ridden or carried too often",
             1000,
             [&](Army& a) {
                 lords(a, 1);
                 a.SetCountOfType(CodeOf("SPEA"), 2);
                 a.AddUnit(CodeOf("LORD"));
                 for (std::int32_t i = 0; i < a.UnitCount(); ++i)
                     a.SetMagicItem(*a.UnitAt(i), Item("nomi"));
             },
             {{BreachKind::TooMany, "Lord", 2, 1, 2}}},
        };
    for (const auto& [name, points, build, expected] : cases) {
        SCOPED_TRACE(name);
        Army army(nation, points, false);
        build(army);
        const std::vector<Breach> breaches = CheckArmy(army);
        ASSERT_EQ(breaches.size(), expected.size());
        for (std::size_t i = 0; i < breaches.size(); ++i) {
            const Breach& b = breaches[i];
            const Expected& e = expected[i];
            EXPECT_EQ(b.kind, e.kind) << i;
            const CatalogueEntry* subject =
                b.magicItem != nullptr ? static_cast<const CatalogueEntry*>(b.magicItem) : b.troopType;
            EXPECT_EQ(subject != nullptr ? subject->name : std::string(), e.name) << i;
            if (b.kind != BreachKind::OverPointsLimit)
                EXPECT_EQ(b.count, e.count) << i;
            else
                EXPECT_EQ(b.count, army.TotalPoints());
            EXPECT_EQ(b.bound, b.kind == BreachKind::OverPointsLimit ? points : e.bound) << i;
            EXPECT_EQ(b.units.size(), e.units) << i;
            for (UnitId id : b.units)
                EXPECT_NE(army.FindUnit(id), nullptr);
        }
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
