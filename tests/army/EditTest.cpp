// What the army keeps while it changes: counts, sums, and the order Min/Max
// leaves the entries in. The document's undo and redo are in DocumentTest.
#include "ArmyFixtures.h"

#include "Army.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace ovra;

namespace ovra::test {

// Every count and sum the army keeps, worked out again from its entries.
void ExpectCountsMatchARecount(const Army& army, const std::string& context) {
    SCOPED_TRACE(context);
    const auto sum = [&](auto value) {
        std::int64_t total = 0;
        for (std::int32_t i = 0; i < army.UnitCount(); ++i)
            total += value(*army.UnitAt(i));
        return ClampToInt32(total);
    };
    const auto count = [&](auto matches) { return sum([&](auto& e) { return matches(e) ? 1 : 0; }); };
    const auto has = [](const auto* option, Code code) {
        return option != nullptr && option->code() == code;
    };
    EXPECT_EQ(army.TotalPoints(), sum([](auto& e) { return e.Points(); }));
    EXPECT_EQ(army.BreakPoint(), (count([](auto& e) { return e.CountsForBreakpoint(); }) + 1) / 2);
    const NationRecord& nation = army.nation();
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t)) {
        SCOPED_TRACE(t->name);
        const Code c = t->code();
        EXPECT_EQ(army.CountOfType(c), count([&](auto& e) { return has(&e.troopType(), c); }));
        EXPECT_EQ(army.PointsOfType(c),
                  sum([&](auto& e) { return has(&e.troopType(), c) ? e.Points() : 0; }));
        EXPECT_EQ(army.CountRiding(c), count([&](auto& e) { return has(e.mount(), c); }));
    }
    const ArmyCatalogue& catalogue = *nation.catalogue;
    for (auto m = catalogue.NextMagicItem(nullptr); m; m = catalogue.NextMagicItem(m))
        EXPECT_EQ(army.CountCarrying(m->code()),
                  count([&](auto& e) { return has(e.magicItem(), m->code()); }));
    for (auto s = catalogue.NextSiegeEngine(nullptr); s; s = catalogue.NextSiegeEngine(s))
        EXPECT_EQ(army.CountWithEngine(s->code()),
                  count([&](auto& e) { return has(e.siegeEngine(), s->code()); }));
}

} // namespace ovra::test

using namespace ovra::test;

namespace {

// tests/data/army/mixed.dfm: pools, a type listing itself, a mount, items, runners and baggage.

// Min/Max as one entry at a time: add to the minimum, then take the entry
// with the highest position away while above the maximum, with every bound
// read afresh from the army after each step.
std::string MinMaxOneAtATime(const Army& army) {
    std::vector<Code> codes;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i)
        codes.push_back(army.UnitAt(i)->troopType().code());
    Army scratch(army.nation(), army.pointsLimit(), false);
    const auto rebuild = [&] {
        while (scratch.UnitCount() > 0)
            scratch.RemoveUnit(scratch.UnitAt(scratch.UnitCount() - 1));
        for (Code c : codes)
            scratch.AddUnit(c);
    };
    const NationRecord& nation = army.nation();
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t)) {
        rebuild();
        for (int added = 0;
             added < kMaxEntriesAddedPerType && scratch.CountOfType(t->code()) < scratch.MinimumRequired(*t);
             ++added) {
            codes.push_back(t->code());
            scratch.AddUnit(t->code());
        }
        while (scratch.CountOfType(t->code()) > scratch.MaximumAllowed(*t)) {
            codes.erase(std::next(std::find(codes.rbegin(), codes.rend(), t->code())).base());
            rebuild();
        }
    }
    rebuild();
    return EntryCodes(scratch);
}

// The break point counts units, not characters or NOBREAK types. A pooled
// type shares its bounds with the others its LIMIT names; its own code there
// counts it again, and a partial code counts nothing.
TEST(MixedList, TheBreakPointAndPooledBounds) {
    const auto catalogue = CatalogueFromFile("army/mixed.dfm");
    const NationRecord& nation = *catalogue->FindNation(1);
    Army army(nation, 2000, false);
    EXPECT_EQ(army.BreakPoint(), 0);
    army.AddUnit(C("SPEA"));
    EXPECT_EQ(army.BreakPoint(), 1);
    for (const char* code : {"SPEA", "POOL", "POOL", "SKRM", "SKRM", "SPEA", "LORD", "CAPT", "BAGG", "emsk"})
        army.AddUnit(CodeFrom(code));
    EXPECT_EQ(army.BreakPoint(), 4) << "seven units count";
    army.AddUnit(C("SPEA"));
    EXPECT_EQ(army.BreakPoint(), 4) << "eight units count";

    const TroopTypeRecord& pool = *nation.FindTroopType(C("POOL"));
    Army pooled(nation, 1000, false);
    EXPECT_EQ(pooled.MinimumRequired(pool), 3);
    pooled.AddUnit(C("SPEA"));
    EXPECT_EQ(pooled.MinimumRequired(pool), 2);
    pooled.AddUnit(C("SPEA"));
    EXPECT_EQ(pooled.MinimumRequired(pool), 1);
    EXPECT_EQ(pooled.MaximumAllowed(pool), 2);
    pooled.setPointsLimit(2000);
    EXPECT_EQ(pooled.MaximumAllowed(pool), 6) << "the cap scales, the pool minimum does not";
    EXPECT_EQ(pooled.MinimumRequired(pool), 1);
    pooled.AddUnit(C("POOL"));
    EXPECT_EQ(pooled.MinimumRequired(pool), 0);
    EXPECT_EQ(pooled.PooledCount(C("POOL")), 4);
    EXPECT_EQ(pooled.NumberInArmy(C("POOL")), 4);
    pooled.SetCountOfType(C("SPEA"), 8);
    EXPECT_EQ(pooled.MaximumAllowed(pool), 0) << "others above the cap leave no room";
}

TEST(ArmyCounts, KeptCountsEqualARecountAfterEveryKindOfChange) {
    const auto catalogue = CatalogueFromFile("army/mixed.dfm");
    const NationRecord& nation = *catalogue->FindNation(1);
    const std::vector<Code> types = {C("LORD"), C("CAPT"), C("SPEA"), C("POOL"), C("SKRM"), C("HORS")};
    Army army(nation, 2000, true);
    std::mt19937 random(7);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const auto anyType = [&] { return types[pick(types.size())]; };
    // Some entry of the army; an empty army gets one first.
    const auto anyEntry = [&]() -> const UnitEntry& {
        if (army.UnitCount() == 0)
            army.AddUnit(anyType());
        return *army.UnitAt(static_cast<std::int32_t>(pick(army.UnitCount())));
    };
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"add", [&] { army.AddUnit(anyType()); }},
        {"remove", [&] { army.RemoveUnit(&anyEntry()); }},
        {"count", [&] { army.SetCountOfType(anyType(), static_cast<std::int32_t>(pick(6))); }},
        {"duplicate", [&] { army.NewUnit(&anyEntry()); }},
        {"mount", [&] { army.SetMount(anyEntry(), nation.FindTroopType(pick(2) ? C("HORS") : C("nomo"))); }},
        {"item",
         [&] { army.SetMagicItem(anyEntry(), catalogue->FindMagicItem(pick(2) ? C("ring") : C("nomi"))); }},
        {"engine",
         [&] { army.SetSiegeEngine(anyEntry(), pick(3) ? catalogue->FindSiegeEngine(C("bara")) : nullptr); }},
        {"runners", [&] { army.SetSkirmishers(anyEntry(), pick(2) == 0); }},
        {"min-max", [&] { army.EnforceMinMax(); }},
        {"points", [&] { army.setPointsLimit(static_cast<std::int32_t>(500 + 500 * pick(6))); }},
    };
    for (int step = 0; step < 600 && !HasFailure(); ++step) {
        const auto& [name, change] = changes[pick(changes.size())];
        change();
        ExpectCountsMatchARecount(army, "step " + std::to_string(step) + " (" + name + ")");
    }
}

TEST(ArmyCounts, MinMaxGivesWhatOneEntryAtATimeGives) {
    const auto mixed = CatalogueFromFile("army/mixed.dfm");
    const auto builtIn = BuiltInCatalogue();
    std::mt19937 random(11);
    for (const ArmyCatalogue* catalogue : {mixed.get(), builtIn.get()}) {
        for (auto nation = catalogue->NextNation(nullptr); nation; nation = catalogue->NextNation(nation)) {
            std::vector<Code> types;
            for (auto t = nation->NextTroopType(nullptr); t; t = nation->NextTroopType(t))
                types.push_back(t->code());
            for (int trial = 0; trial < 8; ++trial) {
                Army army(*nation, static_cast<std::int32_t>(500 * (random() % 7)), false);
                const int entries = static_cast<int>(random() % 60);
                for (int i = 0; i < entries && !types.empty(); ++i)
                    army.AddUnit(types[random() % types.size()]);
                const std::string expected = MinMaxOneAtATime(army);
                army.EnforceMinMax();
                EXPECT_EQ(EntryCodes(army), expected) << nation->name << " trial " << trial;
                ExpectCountsMatchARecount(army, nation->name);
            }
        }
    }
}

} // namespace
