// Documents for roster tests: an army of a chosen nation and points limit,
// and small army lists for cases the built-in lists do not have.
#pragma once

#include "ArmyFixtures.h"
#include "CatalogueFixtures.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "Host.h"

#include <cstdint>
#include <memory>
#include <stdexcept>

namespace ovra::test {

// A built-in nation id.
inline constexpr std::int32_t kEgypt = 32;

// tests/data/report/testland.dfm is a small army list with every case the
// roster composes: kinds char, unit, unSk, unit, a char type between two unit
// types, a mount, runners, nine rules shared between types (one of them named
// twice by a type), a unit note, items (one without a text) and an engine.
// pool.dfm has two pooled types: PA needs two entries together with PB and
// shares PB's room under its own cap of 3 per thousand points.

// A document holding an empty army of one nation; the catalogue must outlive it.
class RosterDocument {
public:
    RosterDocument(const ArmyCatalogue& catalogue, std::int32_t nationId, std::int32_t points)
        : doc(catalogue, settings) {
        doc.SetNationAndPoints(*catalogue.FindNation(nationId), points, false);
    }

    Army& army() { return doc.army(); }
    const NationRecord& nation() { return doc.army().nation(); }
    // A new entry of the troop type, renamed when a name is given.
    const UnitEntry& Add(Code troopCode, std::string_view name = {}) {
        UnitEntry* entry = doc.army().AddUnit(troopCode);
        if (entry == nullptr)
            throw std::invalid_argument("no such troop type in the nation");
        if (!name.empty())
            doc.army().SetName(*entry, name);
        return *entry;
    }

    InMemorySettings settings;
    ArmyDocument doc;
};

// An Egyptian army that breaks most rules: over its points limit, three
// officers where two are allowed, one unit of archers where two are needed,
// the eagle carried twice, a ram, a chariot mount, runners, and a name with
// markup in it.
inline void BuildFullArmy(RosterDocument& roster, const ArmyCatalogue& catalogue) {
    const UnitEntry& general = roster.Add(C("GEN8"));
    general.army().SetMount(general, roster.nation().FindTroopType(C("CHMO")));
    for (int i = 0; i < 3; ++i)
        roster.Add(C("HERO"));
    const UnitEntry& archers = roster.Add(C("2INF"));
    archers.army().SetMagicItem(archers, catalogue.FindMagicItem(C("eagl")));
    archers.army().SetSiegeEngine(archers, catalogue.FindSiegeEngine(C("bara")));
    roster.army().SetMagicItem(roster.Add(C("5INF")), catalogue.FindMagicItem(C("eagl")));
    const UnitEntry& chariots = roster.Add(C("1CHA"));
    chariots.army().SetSkirmishers(chariots, true);
    roster.Add(C("1CHA"), "<B>Bold & fast</B>");
    roster.Add(C("1cav"));
    roster.army().setPointsLimit(600);
}

} // namespace ovra::test
