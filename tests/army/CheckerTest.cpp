// The rule checker: every kind of breach with its numbers and units, each
// just within and just past its bound, and what taking an option would break.
#include "ArmyFixtures.h"

#include "ArmyChecker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

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
        std::int32_t mountedSpears; // the last spears given the mount, which only lords may ride
        const char* breaches;       // each breach's line and number of units
    } cases[] = {
        {"exactly at every bound", 50 + 25 + 10 + 2 * 40, 1, 2, 0, 1, "HORS", "ring", 0, ""},
        {"the minimum scales with full thousands", 2999, 1, 3, 0, 0, "", "", 0,
         "too few: Spears: 3 < 4 (3)\n"},
        {"one over the limit, and too many", 209, 1, 4, 0, 0, "", "", 0,
         "over the points limit: 210 > 209 (0)\ntoo many: Spears: 4 > 3 (4)\n"},
        {"a pool's minimum counts the others, its maximum leaves them out", 1000, 1, 1, 4, 0, "", "", 0,
         "too few: Spears: 1 < 2 (1)\ntoo many: Pool: 4 > 3 (4)\n"},
        {"a mount ridden too often and an item carried twice", 1000, 2, 2, 0, 2, "HORS", "ring", 0,
         "too many: Lord: 2 > 1 (2)\nmount ridden too often: Horse: 2 > 1 (2)\n"
         "magic item carried more than once: Ring: 2 (2)\n"},
        {"'no' records are never ridden or carried too often", 1000, 2, 2, 0, 2, "nomo", "nomi", 0,
         "too many: Lord: 2 > 1 (2)\n"},
        {"a mount the troop type is not offered, after everything else", 1000, 1, 2, 0, 0, "HORS", "", 2,
         "mount ridden too often: Horse: 2 > 1 (2)\nmount not allowed: Spears: Horse: 2 (2)\n"},
        {"'No mount' is allowed to anyone", 1000, 1, 2, 0, 0, "nomo", "", 2, ""},
        {"three of seven spears on a mount they are not offered", 3000, 1, 7, 0, 0, "HORS", "", 3,
         "mount not allowed: Spears: Horse: 3 (3)\n"},
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
        for (std::int32_t i = 0; i < c.mountedSpears; ++i)
            army.SetMount(*army.UnitAt(c.lords + c.spears - 1 - i), nation.FindTroopType(CodeFrom(c.mount)));
        const std::vector<Breach> breaches = CheckArmy(army);
        std::string lines;
        for (const Breach& b : breaches) {
            lines += BreachLine(b) + " (" + std::to_string(b.units.size()) + ")\n";
            for (UnitId id : b.units)
                EXPECT_NE(army.FindUnit(id), nullptr);
            if (b.kind == BreachKind::MagicItemCarriedMoreThanOnce) {
                EXPECT_EQ(b.bound, 1);
            }
        }
        EXPECT_EQ(lines, c.breaches);
        for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
            if (const std::optional<Breach> own = MountBreach(*army.UnitAt(i))) {
                EXPECT_NE(lines.find(BreachLine(*own) + " ("), std::string::npos)
                    << "a unit's own mount breach is the army's: " << BreachLine(*own);
            }
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
    EXPECT_EQ(BreachLine(*TakingMountBreach(second, *Type("HORS"))), "mount ridden too often: Horse: 2 > 1");
    EXPECT_FALSE(TakingMountBreaks(second, *Type("nomo")));
    EXPECT_FALSE(UnitBreaksOptionRule(first));

    army.SetMagicItem(first, Item("ring"));
    EXPECT_FALSE(TakingItemBreaks(first, *Item("ring")));
    EXPECT_TRUE(TakingItemBreaks(second, *Item("ring")));
    EXPECT_EQ(BreachLine(*TakingItemBreach(second, *Item("ring"))),
              "magic item carried more than once: Ring: 2");
    army.SetMagicItem(second, Item("ring"));
    EXPECT_EQ(BreachLine(*TakingItemBreach(second, *Item("ring"))),
              "magic item carried more than once: Ring: 2")
        << "its own item counted once";
    EXPECT_TRUE(UnitBreaksOptionRule(first)) << "every carrier is marked";
    EXPECT_TRUE(UnitBreaksOptionRule(second));

    EXPECT_TRUE(CountBreaksBounds(army, *Type("SPEA"), 1));
    EXPECT_FALSE(CountBreaksBounds(army, *Type("SPEA"), 3));
    EXPECT_TRUE(CountBreaksBounds(army, *Type("SPEA"), 4));
}

TEST_F(Checker, EachBreachInTheWordsOfTheWindowAndOfARoster) {
    const auto words = [](const Army& army) {
        std::string out;
        for (const Breach& breach : CheckArmy(army))
            out += BreachSentence(army, breach) + " | " +
                   BreachSentence(FactsOf(army, breach), BreachWording::Roster) + "\n";
        return out;
    };
    // A pool is named with its partners, its numbers the whole pool's. (A
    // roster that keeps no pool words its own numbers, as TooFew and TooMany have them.)
    Army few(nation, 1000, false);
    few.AddUnit(C("LORD"));
    few.AddUnit(C("SPEA"));
    EXPECT_EQ(words(few),
              "Spears: 1 unit, at least 2 are needed for 1,000 points | Too few Spears: 1, at least 2\n"
              "Pool with Spears: 1 unit, at least 2 are needed | Too few Pool with Spears: 1, at least 2\n");

    Army many(nation, 209, false);
    for (const char* code : {"LORD", "LORD", "SPEA", "SPEA", "POOL", "POOL", "POOL", "POOL"})
        many.AddUnit(CodeFrom(code));
    for (std::int32_t i = 0; i < 3; ++i)
        many.SetMount(*many.UnitAt(i), Type("HORS"));
    many.SetMagicItem(*many.UnitAt(0), Item("ring"));
    many.SetMagicItem(*many.UnitAt(1), Item("ring"));
    EXPECT_EQ(words(many),
              "Total: 455 points, 246 over the limit of 209 | Over the points limit: 455, at most 209\n"
              "Lord: 2 units, at most 1 are allowed for 209 points | Too many Lord: 2, at most 1\n"
              "Pool with Spears: 6 units, at most 4 are allowed for 209 points | Too many Pool with Spears: "
              "6, at most 4\n"
              "Horse: ridden by 3 characters, at most 1 | Horse ridden too often: 3, at most 1\n"
              "Ring: carried by 2 units, at most 1 | Ring carried more than once: 2\n"
              "Horse: ridden by 1 unit of Spears, which may not ride it | Horse not allowed for Spears: 1\n");
    // The red marks of the window word the same breaches.
    EXPECT_EQ(BreachSentence(many, *MountBreach(*many.UnitAt(2))),
              "Horse: ridden by 3 characters, at most 1");
    EXPECT_EQ(BreachSentence(many, *CountBreach(many, *Type("SPEA"), 5)),
              "Spears: 5 units, at most 3 are allowed for 209 points");
    EXPECT_FALSE(CountBreach(many, *Type("SPEA"), 2));
}

// ---------------------------------------------------------------- against a plain recomputation

// A random army list: codes from a three-letter alphabet, so that codes
// repeat within the nation and LIMIT texts name codes across their groups;
// pools, mounts, items and bounds of every sign.
std::string RandomList(std::mt19937& random) {
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const auto code = [&] {
        std::string c;
        for (int i = 0; i < 4; ++i)
            c += "ABC"[pick(3)];
        return c;
    };
    const char* const kinds[] = {"char", "unit", "unSk", "moun", "spec", "unit"};
    const int categories[] = {1, 2, 3, 512, 8192, 8704};
    std::string text = "<MITEM nomi \"No item\" -1> 0 -1</MITEM>\n";
    for (int i = 0; i < 12; ++i)
        text += "<MITEM " + (i % 5 == 4 ? std::string("nomi") : code()) + " \"Item " + std::to_string(i) +
                "\" " + std::to_string(1 + pick(3)) + "> " + std::to_string(pick(20)) + " " +
                std::to_string(categories[pick(6)]) + "</MITEM>\n";
    text += "<NATION 1 \"N\" \"A\">\n";
    for (int i = 0; i < 300; ++i) {
        const bool noMount = pick(40) == 0;
        text += "<TROOPS " + (noMount ? std::string("nomo") : code()) + " \"Type " + std::to_string(i) +
                "\" " + (noMount ? "moun" : kinds[pick(6)]) + " " + std::to_string(categories[pick(6)]) +
                "> 1 \"\" 1 0 0 1 " + std::to_string(pick(60)) + " " +
                std::to_string(static_cast<int>(pick(7)) - 3) + " " +
                std::to_string(static_cast<int>(pick(7)) - 3) + " " + std::to_string(pick(4)) + "\n";
        if (pick(2) == 0) {
            text += "<LIMIT>";
            for (std::size_t n = pick(5); n > 0; --n)
                text += code();
            text += std::string("ABC").substr(0, pick(4)) + "</LIMIT>";
        }
        text += "</TROOPS>\n";
    }
    return text + "</NATION>\n";
}

// The breaches of an army worked out from the records alone, by whole
// passes over the list and the army, as the rules are written.
std::string PlainBreaches(const Army& army) {
    const NationRecord& nation = army.nation();
    const std::int64_t scale = std::max(army.pointsLimit() / 1000, 1);
    const auto clamp = [](std::int64_t v) { return std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX); };
    // The number of units `involved` picks, and their ids.
    const auto tally = [&](auto involved) {
        std::pair<std::int64_t, std::string> found;
        for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
            if (involved(*army.UnitAt(i))) {
                ++found.first;
                found.second += " " + std::to_string(army.UnitAt(i)->id());
            }
        }
        return found;
    };
    const auto ofCode = [](Code code) {
        return [code](const UnitEntry& e) { return e.troopType().code() == code; };
    };
    const auto countOf = [&](Code code) { return tally(ofCode(code)).first; };
    // A pool is looked up by code: the first troop type with the code holds it.
    const auto others = [&](const TroopTypeRecord& type) -> std::int64_t {
        const TroopTypeRecord* t = nullptr;
        for (const auto& candidate : nation.troopTypes)
            if (t == nullptr && candidate->code() == type.code())
                t = candidate.get();
        std::int64_t pooled = countOf(t->code());
        for (std::size_t i = 0; t->minCount < 0 && i + 4 <= t->limit.size(); i += 4)
            pooled += countOf(CodeFrom(t->limit.substr(i, 4)));
        return clamp(pooled) - countOf(t->code());
    };
    const auto minimum = [&](const TroopTypeRecord& t) {
        const std::int64_t min = t.minCount, max = t.maxCount;
        if (min < 0)
            return std::max<std::int64_t>(-min - others(t), 0);
        return clamp(max < 0 ? std::min(scale * min, -max) : scale * min);
    };
    const auto maximum = [&](const TroopTypeRecord& t) {
        const std::int64_t max = t.maxCount, cap = max == 0 ? 9999 : max < 0 ? -max : scale * max;
        return clamp(t.minCount >= 0 ? cap : std::max<std::int64_t>(cap - others(t), 0));
    };

    std::string lines;
    const auto add = [&](const std::string& line, const std::string& ids = "") {
        lines += line + ids + "\n";
    };
    std::int64_t total = 0;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i)
        total += army.UnitAt(i)->Points();
    if (clamp(total) > army.pointsLimit())
        add("over the points limit: " + std::to_string(clamp(total)) + " > " +
            std::to_string(army.pointsLimit()));
    const auto isMount = [](const auto& t) { return t->troopKind == kTroopMount && t->code() != kNoMount; };
    for (const auto& t : nation.troopTypes) {
        if (t->troopKind == kTroopMount || t->troopKind == kTroopSpecial)
            continue;
        const auto [n, ids] = tally(ofCode(t->code()));
        const std::string name = t->name + ": " + std::to_string(n);
        if (n < minimum(*t))
            add("too few: " + name + " < " + std::to_string(minimum(*t)), ids);
        if (n > maximum(*t))
            add("too many: " + name + " > " + std::to_string(maximum(*t)), ids);
    }
    for (const auto& m : nation.troopTypes) {
        const auto [n, ids] =
            tally([&](const UnitEntry& e) { return e.mount() && e.mount()->code() == m->code(); });
        if (isMount(m) && n > maximum(*m))
            add("mount ridden too often: " + m->name + ": " + std::to_string(n) + " > " +
                    std::to_string(maximum(*m)),
                ids);
    }
    const ArmyCatalogue& catalogue = *nation.catalogue;
    for (auto item = catalogue.NextMagicItem(nullptr); item; item = catalogue.NextMagicItem(item)) {
        const auto [n, ids] =
            tally([&](const UnitEntry& e) { return e.magicItem() && e.magicItem()->code() == item->code(); });
        if (item->code() != kNoMagicItem && n >= 2)
            add("magic item carried more than once: " + item->name + ": " + std::to_string(n), ids);
    }
    // A mount is offered to a troop type when its LIMIT holds the type's code anywhere.
    for (const auto& t : nation.troopTypes) {
        std::vector<const UnitEntry*> own;
        for (std::int32_t i = 0; i < army.UnitCount(); ++i)
            if (&army.UnitAt(i)->troopType() == t.get())
                own.push_back(army.UnitAt(i));
        for (const auto& m : nation.troopTypes) {
            if (!isMount(m) || m->limit.find(CodeText(t->code())) != std::string::npos)
                continue;
            std::int64_t n = 0;
            std::string ids;
            for (const UnitEntry* e : own)
                if (e->mount() == m.get())
                    ids += " " + std::to_string(e->id()), ++n;
            if (n >= 1)
                add("mount not allowed: " + t->name + ": " + m->name + ": " + std::to_string(n), ids);
        }
    }
    return lines;
}

TEST(CheckerAgainstAPlainRecount, LargeRandomListsAndArmies) {
    std::mt19937 random(2024);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    for (int list = 0; list < 4; ++list) {
        const auto catalogue = CatalogueFromText(RandomList(random));
        const NationRecord& nation = *catalogue->FindNation(1);
        std::vector<const TroopTypeRecord*> mounts;
        for (const auto& t : nation.troopTypes)
            if (t->troopKind == kTroopMount)
                mounts.push_back(t.get());
        std::vector<const MagicItemRecord*> items;
        for (auto item = catalogue->NextMagicItem(nullptr); item; item = catalogue->NextMagicItem(item))
            items.push_back(item);
        for (int trial = 0; trial < 6; ++trial) {
            SCOPED_TRACE("list " + std::to_string(list) + ", trial " + std::to_string(trial));
            Army army(nation, static_cast<std::int32_t>(pick(5000)), trial == 0);
            // Entries of any record, a later one of a repeated code too, as
            // an army file can hold them; options the pickers would not offer.
            for (std::size_t n = pick(600); n > 0; --n) {
                UnitEntryState state;
                state.id = 1'000'000'000 + army.UnitCount() + 1;
                state.troopType = nation.troopTypes[pick(nation.troopTypes.size())].get();
                state.name = state.troopType->name;
                state.mount = pick(3) == 0 || mounts.empty() ? nullptr : mounts[pick(mounts.size())];
                state.magicItem = pick(3) == 0 ? nullptr : items[pick(items.size())];
                army.AppendUnit(state);
            }
            std::string lines;
            for (const Breach& breach : CheckArmy(army)) {
                lines += BreachLine(breach);
                for (UnitId id : breach.units)
                    lines += " " + std::to_string(id);
                lines += "\n";
            }
            EXPECT_EQ(lines, PlainBreaches(army));
        }
    }
}

} // namespace
