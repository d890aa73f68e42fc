// What the army keeps while it changes (counts, sums, the order Min/Max leaves
// the entries in) and how the document undoes and redoes its edits.
#include "ArmyFixtures.h"
#include "ScratchFolder.h"

#include "ArmyDocument.h"
#include "ArmyFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

using namespace ovra;
using namespace ovra::test;

namespace {

// Pools, a type listing itself, a mount, items and runners, for random edits.
const char* const kMixedList =
    "<MICAT 1 \"Any\"><TRCAT 512 Inf \"Infantry\"><TRCAT 8 Ch \"Character\"><TRCAT 2 Mo \"Mount\">"
    "<MITEM ring \"Ring\" 1> 10 -1</MITEM><MITEM nomi \"No item\" 1> 0 -1</MITEM>"
    "<ENGINE noen \"No engine\" 0></ENGINE><ENGINE bara \"Ram\" 20></ENGINE>"
    "<NATION 1 \"N\" \"A\">"
    "<TROOPS LORD \"Lord\" char 8> 1 \"\" 0 0 9 1 50 1 -1 1</TROOPS>"
    "<TROOPS CAPT \"Captain\" char 8> 1 \"\" 0 0 8 1 30 0 3 1</TROOPS>"
    "<TROOPS SPEA \"Spears\" unit 512> 3 \"\" 3 4 0 3 40 2 6 0</TROOPS>"
    "<TROOPS POOL \"Pool\" unit 512> 3 \"\" 3 4 0 3 45 -3 4 0<LIMIT>SPEAPOOL</LIMIT></TROOPS>"
    "<TROOPS SKRM \"Skirmishers\" unSk 512> 3 \"\" 3 4 0 3 35 0 2 0</TROOPS>"
    "<TROOPS emsk \"Runners\" spec 512> 1 \"\" 3 5 0 3 15 0 0 0</TROOPS>"
    "<TROOPS HORS \"Horse\" moun 2> 2 \"\" 3 0 0 3 25 0 1 0<LIMIT>LORDCAPT</LIMIT></TROOPS>"
    "<TROOPS nomo \"No mount\" moun 2> 0 \"\" 0 0 0 0 0 0 0 0<LIMIT>LORDCAPT</LIMIT></TROOPS>"
    "</NATION>";

// Every count and sum worked out again from the entries.
void ExpectCountsMatchARecount(const Army& army, const std::string& context) {
    const NationRecord& nation = army.nation();
    const ArmyCatalogue& catalogue = *nation.catalogue;
    std::int64_t total = 0;
    std::int64_t counting = 0;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        total += army.UnitAt(i)->Points();
        counting += army.UnitAt(i)->CountsForBreakpoint() ? 1 : 0;
    }
    EXPECT_EQ(army.TotalPoints(), ClampToInt32(total)) << context;
    EXPECT_EQ(army.BreakPoint(), ClampToInt32((counting + 1) / 2)) << context;
    const auto count = [&](auto matches) {
        std::int32_t n = 0;
        for (std::int32_t i = 0; i < army.UnitCount(); ++i)
            n += matches(*army.UnitAt(i)) ? 1 : 0;
        return n;
    };
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t)) {
        const Code code = t->code();
        std::int64_t points = 0;
        for (std::int32_t i = 0; i < army.UnitCount(); ++i)
            if (army.UnitAt(i)->troopType().code() == code)
                points += army.UnitAt(i)->Points();
        EXPECT_EQ(army.CountOfType(code),
                  count([&](const UnitEntry& e) { return e.troopType().code() == code; }))
            << context << " " << t->name;
        EXPECT_EQ(army.PointsOfType(code), ClampToInt32(points)) << context << " " << t->name;
        EXPECT_EQ(army.CountRiding(code),
                  count([&](const UnitEntry& e) { return e.mount() && e.mount()->code() == code; }))
            << context << " " << t->name;
    }
    for (auto m = catalogue.NextMagicItem(nullptr); m; m = catalogue.NextMagicItem(m))
        EXPECT_EQ(army.CountCarrying(m->code()), count([&](const UnitEntry& e) {
                      return e.magicItem() && e.magicItem()->code() == m->code();
                  }))
            << context;
    for (auto s = catalogue.NextSiegeEngine(nullptr); s; s = catalogue.NextSiegeEngine(s))
        EXPECT_EQ(army.CountWithEngine(s->code()), count([&](const UnitEntry& e) {
                      return e.siegeEngine() && e.siegeEngine()->code() == s->code();
                  }))
            << context;
}

// Min/Max as one entry at a time: add to the minimum, then take the entry
// with the highest position away while above the maximum, with every bound
// read afresh from the army after each step.
std::vector<Code> MinMaxOneAtATime(const Army& army) {
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
            const auto last = std::find(codes.rbegin(), codes.rend(), t->code());
            codes.erase(std::next(last).base());
            rebuild();
        }
    }
    return codes;
}

std::vector<Code> Codes(const Army& army) {
    std::vector<Code> codes;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i)
        codes.push_back(army.UnitAt(i)->troopType().code());
    return codes;
}

TEST(ArmyCounts, KeptCountsEqualARecountAfterEveryKindOfChange) {
    const auto catalogue = CatalogueFromText(kMixedList);
    const NationRecord& nation = *catalogue->FindNation(1);
    const std::vector<Code> types = {C("LORD"), C("CAPT"), C("SPEA"), C("POOL"), C("SKRM"), C("HORS")};
    Army army(nation, 2000, true);
    std::mt19937 random(7);
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    const auto anyEntry = [&]() -> const UnitEntry* {
        return army.UnitCount() == 0 ? nullptr
                                     : army.UnitAt(static_cast<std::int32_t>(pick(army.UnitCount())));
    };
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"add", [&] { army.AddUnit(types[pick(types.size())]); }},
        {"remove", [&] { army.RemoveUnit(anyEntry()); }},
        {"count",
         [&] { army.SetCountOfType(types[pick(types.size())], static_cast<std::int32_t>(pick(6))); }},
        {"duplicate", [&] { army.NewUnit(anyEntry()); }},
        {"mount",
         [&] {
             if (const UnitEntry* e = anyEntry())
                 army.SetMount(*e, nation.FindTroopType(pick(2) ? C("HORS") : C("nomo")));
         }},
        {"item",
         [&] {
             if (const UnitEntry* e = anyEntry())
                 army.SetMagicItem(*e, catalogue->FindMagicItem(pick(2) ? C("ring") : C("nomi")));
         }},
        {"engine",
         [&] {
             if (const UnitEntry* e = anyEntry())
                 army.SetSiegeEngine(*e, pick(3) ? catalogue->FindSiegeEngine(C("bara")) : nullptr);
         }},
        {"runners",
         [&] {
             if (const UnitEntry* e = anyEntry())
                 army.SetSkirmishers(*e, pick(2) == 0);
         }},
        {"min-max", [&] { army.EnforceMinMax(); }},
        {"points", [&] { army.setPointsLimit(static_cast<std::int32_t>(500 + 500 * pick(6))); }},
    };
    for (int step = 0; step < 600; ++step) {
        const auto& [name, change] = changes[pick(changes.size())];
        change();
        ExpectCountsMatchARecount(army, "step " + std::to_string(step) + " (" + name + ")");
        if (HasFailure())
            return;
    }
}

TEST(ArmyCounts, MinMaxGivesWhatOneEntryAtATimeGives) {
    const auto mixed = CatalogueFromText(kMixedList);
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
                const std::vector<Code> expected = MinMaxOneAtATime(army);
                army.EnforceMinMax();
                EXPECT_EQ(Codes(army), expected) << nation->name << " trial " << trial;
                ExpectCountsMatchARecount(army, nation->name);
            }
        }
    }
}

// The document's edits, each undone and redone.
class DocumentEdits : public BuiltInCatalogueTest {
protected:
    DocumentEdits() : doc(*catalogue, settings, messages) {}

    // An Indian army with a general on an elephant and two bowmen.
    void Prepare() {
        doc.SetNationAndPoints(*catalogue->FindNation(2), 2000, false);
        Army& army = doc.army();
        army.SetMount(*army.AddUnit(C("GEN1")), army.nation().FindTroopType(C("ELMO")));
        army.AddUnit(C("1GBW"));
        army.SetName(*army.AddUnit(C("1GBW")), "Second");
        army.AddUnit(C("SKIR"));
    }
    UnitId Nth(std::int32_t index) const { return doc.army().UnitAt(index)->id(); }

    InMemorySettings settings;
    RecordingMessages messages;
    ArmyDocument doc;
};

TEST_F(DocumentEdits, EveryEditIsUndoneAndRedoneByteForByte) {
    using Edit = std::function<ArmyEdit(ArmyDocument&)>;
    struct Case {
        const char* name;
        Edit edit;
        std::function<void(ArmyDocument&)> prepare = [](ArmyDocument&) {};
    };
    const std::vector<Case> cases = {
        {"count up", [](ArmyDocument& d) { return d.SetCountOfType(C("1GBW"), 5); }},
        {"count down", [](ArmyDocument& d) { return d.SetCountOfType(C("1GBW"), 0); }},
        {"every unit of a small army", [](ArmyDocument& d) { return d.SetCountOfType(C("1GBW"), 0); },
         [](ArmyDocument& d) {
             d.SetCountOfType(C("GEN1"), 0);
             d.SetCountOfType(C("SKIR"), 0);
         }},
        {"new unit", [](ArmyDocument& d) { return d.NewUnit(*d.army().nation().FindTroopType(C("ELPH"))); }},
        {"duplicate", [this](ArmyDocument& d) { return d.DuplicateUnit(Nth(0)); }},
        {"delete", [this](ArmyDocument& d) { return d.DeleteUnit(Nth(1)); }},
        {"min-max", [](ArmyDocument& d) { return d.EnforceMinMax(); }},
        {"min-max removing and adding", [](ArmyDocument& d) { return d.EnforceMinMax(); },
         [](ArmyDocument& d) { d.SetCountOfType(C("GEN1"), 3); }},
        {"rename", [this](ArmyDocument& d) { return d.RenameUnit(Nth(2), "Porus's bows"); }},
        {"mount",
         [this](ArmyDocument& d) { return d.SetMount(Nth(0), d.army().nation().FindTroopType(C("nomo"))); }},
        {"engine",
         [this](ArmyDocument& d) {
             return d.SetSiegeEngine(Nth(1), d.catalogue().FindSiegeEngine(C("mant")));
         }},
        {"nation", [](ArmyDocument& d) { return d.ChangeNation(*d.catalogue().FindNation(32)); }},
        {"points", [](ArmyDocument& d) { return d.SetPointsLimit(3000); }},
    };
    const ScratchFolder dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare();
        c.prepare(doc);
        ASSERT_TRUE(doc.OnSaveDocument(dir / "army.evr"));
        const std::string before = WriteArmyFile(doc.army());
        const ArmyEdit record = c.edit(doc);
        const std::string after = WriteArmyFile(doc.army());
        EXPECT_NE(after, before);
        EXPECT_TRUE(doc.IsModified());
        doc.Undo(record);
        EXPECT_EQ(WriteArmyFile(doc.army()), before);
        EXPECT_FALSE(doc.IsModified()) << "undone back to the saved state";
        ExpectCountsMatchARecount(doc.army(), c.name);
        doc.Redo(record);
        EXPECT_EQ(WriteArmyFile(doc.army()), after);
        EXPECT_TRUE(doc.IsModified());
        ExpectCountsMatchARecount(doc.army(), c.name);
    }

    // An entry of another nation's army is never taken in.
    Prepare();
    const Army other(*catalogue->FindNation(32), 2000, true);
    UnitEntryState foreign = Army::StateOf(*other.UnitAt(0));
    foreign.id = 999999999;
    EXPECT_EQ(doc.army().AppendUnit(foreign), nullptr);
    const std::int32_t count = doc.army().UnitCount();
    doc.army().InsertUnitsAt({{0, foreign}});
    EXPECT_EQ(doc.army().UnitCount(), count);
}

TEST_F(DocumentEdits, UndoingANationChangeBringsBackTheUnitsAndWhatNewRebuilds) {
    Prepare();
    const UnitId general = Nth(0);
    const ArmyEdit change = doc.ChangeNation(*catalogue->FindNation(32));
    EXPECT_EQ(doc.army().FindUnit(general), nullptr);
    doc.Undo(change);
    ASSERT_NE(doc.army().FindUnit(general), nullptr) << "the same units, by id";
    EXPECT_EQ(doc.army().nation().id(), 2);
    doc.Redo(change);
    const std::string redone = WriteArmyFile(doc.army());
    doc.OnNewDocument();
    EXPECT_EQ(WriteArmyFile(doc.army()), redone) << "after the change File > New fills the new nation again";
}

TEST_F(DocumentEdits, EditsAnnounceWhatTheyTouchedAndBurstsOfTypingMerge) {
    Prepare();
    std::vector<ArmyChange> announced;
    doc.Subscribe([&](const ArmyChange& change) { announced.push_back(change); });
    const TroopTypeRecord* bows = doc.army().nation().FindTroopType(C("1GBW"));
    const UnitId second = Nth(2);

    ArmyEdit rename = doc.RenameUnit(second, "S");
    EXPECT_TRUE(ArmyDocument::Merge(rename, doc.RenameUnit(second, "Sa")));
    EXPECT_FALSE(ArmyDocument::Merge(rename, doc.RenameUnit(Nth(1), "Other"))) << "another unit";
    ASSERT_FALSE(announced.empty());
    EXPECT_EQ(announced.front(), (ArmyChange{bows, second}));

    ArmyEdit points = doc.SetPointsLimit(2);
    EXPECT_TRUE(ArmyDocument::Merge(points, doc.SetPointsLimit(25)));
    EXPECT_FALSE(ArmyDocument::Merge(points, doc.SetCountOfType(C("1GBW"), 1)));
    EXPECT_EQ(doc.SetCountOfType(C("1GBW"), 3).touched(), (ArmyChange{bows, 0}));

    const std::size_t before = announced.size();
    EXPECT_EQ(doc.SetPointsLimit(doc.pointsLimit()).touched(), ArmyChange{});
    EXPECT_EQ(announced.size(), before) << "an edit that changes nothing announces nothing";
}

} // namespace
