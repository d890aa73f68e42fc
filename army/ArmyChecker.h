// The rules of an army's composition in one place: which rules the army
// breaks and by how much. The unit list's colours and tool tips, the breach
// list, the roster's red marks and `ovra check` all ask here.
#pragma once

#include "Army.h"

#include <cstdint>
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

} // namespace ovra
