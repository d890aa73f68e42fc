// The rules of an army's composition in one place: which rules the army
// breaks and by how much. The unit list's colours and tool tips, the breach
// list, the roster's red marks and `ovra check` all ask here.
#pragma once

#include "Army.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

enum class BreachKind {
    OverPointsLimit,              // count: total points; bound: the limit
    TooFew,                       // count: units of the type; bound: the minimum
    TooMany,                      // count: units of the type; bound: the maximum
    MountRiddenTooOften,          // count: riders; bound: the mount's maximum
    MagicItemCarriedMoreThanOnce, // count: carriers; bound: 1
    MountNotAllowed               // count: units of the type riding the mount; bound: 0
};

struct Breach {
    BreachKind kind = BreachKind::OverPointsLimit;
    const TroopTypeRecord* troopType = nullptr; // the troop type or mount concerned
    const MagicItemRecord* magicItem = nullptr; // the magic item concerned
    std::int32_t count = 0;
    std::int32_t bound = 0;
    std::vector<UnitId> units;              // the units involved, in army order
    const TroopTypeRecord* mount = nullptr; // MountNotAllowed: the mount the troop type may not ride
};

// Every breach, in this order: the points limit; too few and too many units
// of each listed troop type; each mount of the nation ridden too often; each
// magic item carried more than once; each troop type's units on a mount its
// mount walk does not offer, mounts in file order within the type. Takes
// time linear in the army and the army list.
std::vector<Breach> CheckArmy(const Army& army);

// A breach as one line of `ovra check`, names as the army lists write them.
std::string BreachLine(const Breach& breach);
// The kind as `ovra check --json` names it: "too-few", "mount-not-allowed"...
const char* BreachKindName(BreachKind kind);

// ---------------------------------------------------------------- breaches in words

// Who reads them: the window (tool tips and the breach list), in full
// sentences with the points limit; or a roster's list of breaches, short.
enum class BreachWording { Window, Roster };

// What the words of a breach need, as plain values: a roster words the
// breaches it keeps after the army is gone.
struct BreachFacts {
    BreachKind kind = BreachKind::OverPointsLimit;
    std::string name;  // the troop type, mount or magic item; empty for the points limit
    std::string mount; // MountNotAllowed: the mount ridden
    // A pooled troop type's pool, "Giant toads with Swamp serpents"; count
    // and bound are then the whole pool's.
    std::string pool;
    std::int32_t count = 0;
    std::int32_t bound = 0;
    std::int32_t pointsLimit = 0;
    bool perPoints = true; // whether the bound follows from the points limit
};
BreachFacts FactsOf(const Army& army, const Breach& breach);

// The one wording of a breach, as bytes in the army lists' encoding: in the
// window's words "Legionaries: 2 units, at least 4 are needed for 2,000
// points", in a roster's "Too few Legionaries: 2, at least 4".
std::string BreachSentence(const BreachFacts& facts, BreachWording wording);
std::string BreachSentence(const Army& army, const Breach& breach);

// ---------------------------------------------------------------- one rule at a time

bool OverPointsLimit(const Army& army);

// A troop type's units against its bounds, as the unit list shows them.
struct TypeStanding {
    std::int32_t count = 0;
    std::int32_t minimum = 0;
    std::int32_t maximum = 0;
    bool TooFew() const { return count < minimum; }
    bool TooMany() const { return count > maximum; }
    bool InBounds() const { return !TooFew() && !TooMany(); }
};
TypeStanding StandingOf(const Army& army, const TroopTypeRecord& type);
// The bounds that n units of the type would be held against: the count
// grid's red cells.
bool CountBreaksBounds(const Army& army, const TroopTypeRecord& type, std::int32_t count);

// The roster sets its rows against the bounds by a count of its own: a
// pooled type's own entries (its bounds already leave the other pool
// members out), riders for a mount, the entries of the type otherwise.
std::int32_t RosterCount(const Army& army, const TroopTypeRecord& type);
bool RosterOverMaximum(const Army& army, const TroopTypeRecord& type);
bool RosterBelowMinimum(const Army& army, const TroopTypeRecord& type);

// A real mount ridden more often than it may be ("No mount" never is).
bool MountRiddenTooOften(const Army& army, const TroopTypeRecord& mount);
// A real magic item carried by more than one unit ("No magic item" never is).
bool CarriedMoreThanOnce(const Army& army, const MagicItemRecord& item);
// Whether the unit taking that mount or item would break its rule; the
// unit's own current choice is not counted twice.
bool TakingMountBreaks(const UnitEntry& unit, const TroopTypeRecord& mount);
bool TakingItemBreaks(const UnitEntry& unit, const MagicItemRecord& item);
// A unit on a real mount that its troop type's mount walk does not offer
// (from an army file written elsewhere, or a list changed since).
bool MountNotAllowed(const UnitEntry& unit);
// Whether the unit's own mount or item is one whose rule is broken: ridden
// too often, not allowed, or carried more than once.
bool UnitBreaksOptionRule(const UnitEntry& unit);

// The breach behind each red mark of the window, with its numbers; none
// where there is no red mark. Their units are not gathered.
// n units of the type against its bounds (the unit list's count, the count grid).
std::optional<Breach> CountBreach(const Army& army, const TroopTypeRecord& type, std::int32_t count);
std::optional<Breach> TotalBreach(const Army& army);
// The unit's mount: ridden too often, else not allowed to its troop type.
std::optional<Breach> MountBreach(const UnitEntry& unit);
std::optional<Breach> MagicItemBreach(const UnitEntry& unit);
// What the unit would break by taking the mount or item (the pickers).
std::optional<Breach> TakingMountBreach(const UnitEntry& unit, const TroopTypeRecord& mount);
std::optional<Breach> TakingItemBreach(const UnitEntry& unit, const MagicItemRecord& item);

} // namespace ovra
