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

// A small army list with every case the roster composes: kinds char, unit,
// unSk, unit, a char type between two unit types, a mount, runners, nine
// rules shared between types (one of them named twice by a type), a unit
// note, items and an engine.
inline const char* const kTestlandList = R"(<NATION 1 "Testland" "Test army">
<INFO>Testland line one.)"
                                         "\r\n"
                                         R"(Line two.</INFO>
<TROOPS CAPT "Captain" char 8192> 1 "" 0 0 8 1 50 0 2
</TROOPS>
<TROOPS SPEA "Spears" unit 512> 3 "" 3 5 0 3 40 2 0
<SRULE>R001R002R003R004R005R006R007R008R009</SRULE>
</TROOPS>
<TROOPS SKRM "Raiders" unSk 128> 2 "1" 3 6 0 3 70 0 3
<SRULE>R003R003</SRULE>
</TROOPS>
<TROOPS BOWS "Bowmen" unit 512> 3 "1" 3 0 0 3 55 0 0
<UINFO>Bowmen shoot far.</UINFO>
<SRULE>R002</SRULE>
</TROOPS>
<TROOPS LORD "Lord" char 16384> 2 "" 0 0 9 1 100 0 1
</TROOPS>
<TROOPS SLNG "Slingers" unit 512> 1 "1" 3 0 0 3 30 0 0
</TROOPS>
<TROOPS emsk "Runners" spec 512> 3 "1" 3 0 0 3 40 0 0
<SRULE>R010</SRULE>
</TROOPS>
<TROOPS HORS "Warhorse" moun 2> 1 "" 0 4 0 1 20 0 1
<LIMIT>CAPT</LIMIT>
<SRULE>R011</SRULE>
</TROOPS>
<TROOPS nomo "No mount" moun 1> 0 "" 0 0 0 0 0 0 0
<LIMIT>CAPT</LIMIT>
</TROOPS>
</NATION>
<MITEM eagl "Legions eagle" 8> 10 -1
<INFO>The eagle.</INFO>
</MITEM>
<MITEM ring "Ring of Fire" 1> 15 -1
<INFO>A ring.</INFO>
</MITEM>
<MITEM nomi "No magic item" -1> 0 -1
</MITEM>
<TRCAT 2 MM "Monstrous Mount">
<TRCAT 128 Cht "Chariot">
<TRCAT 512 Inf "Infantry">
<TRCAT 8192 Her "Hero">
<TRCAT 16384 Gen "General">
<ENGINE bara "Battering Ram" 10>
<INFO>A ram.</INFO>
</ENGINE>
<ENGINE noen "No siege engine" 0>
</ENGINE>
<SPECIAL R001 "Rule 1" 0><INFO>Rule one.</INFO></SPECIAL>
<SPECIAL R002 "Rule 2" 0><INFO>Rule two.</INFO></SPECIAL>
<SPECIAL R003 "Rule 3" 0><INFO>Rule three.</INFO></SPECIAL>
<SPECIAL R004 "Rule 4" 0><INFO>Rule four.</INFO></SPECIAL>
<SPECIAL R005 "Rule 5" 0><INFO>Rule five.</INFO></SPECIAL>
<SPECIAL R006 "Rule 6" 0><INFO>Rule six.</INFO></SPECIAL>
<SPECIAL R007 "Rule 7" 0><INFO>Rule seven.</INFO></SPECIAL>
<SPECIAL R008 "Rule 8" 0><INFO>Rule eight.</INFO></SPECIAL>
<SPECIAL R009 "Rule 9" 0><INFO>Rule nine.</INFO></SPECIAL>
<SPECIAL R010 "Rule 10" 0><INFO>Runners run.</INFO></SPECIAL>
<SPECIAL R011 "Rule 11" 0><INFO>Horses gallop.</INFO></SPECIAL>
)";

// Two pooled types: PA needs two entries together with PB and shares PB's
// room under its own cap of 3 per thousand points.
inline const char* const kPoolList = R"(<NATION 1 "Poolland" "Pool army">
<TROOPS PA__ "Pooled A" unit 512> 1 "" 3 0 0 3 10 -2 3
<LIMIT>PB__</LIMIT>
</TROOPS>
<TROOPS PB__ "Plain B" unit 512> 1 "" 3 0 0 3 10 0 0
</TROOPS>
</NATION>
<TRCAT 512 Inf "Infantry">
)";

// A document holding an empty army of one nation; the catalogue must outlive it.
class RosterDocument {
public:
    RosterDocument(const ArmyCatalogue& catalogue, std::int32_t nationId, std::int32_t points)
        : doc(catalogue, settings, messages) {
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
    RecordingMessages messages;
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
    roster.doc.SetPointsLimit(600);
}

} // namespace ovra::test
