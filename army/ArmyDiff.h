// Two armies side by side: per troop type the units each fields, each unit's
// name, options and points, with what only one army holds and what differs,
// and both armies' totals and breakpoints. A plain value for `ovra diff` and
// for the window's comparison alike.
#pragma once

#include "Code.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

class Army;
struct MagicItemRecord;
struct NationRecord;
struct SiegeEngineRecord;
struct TroopTypeRecord;

// One unit as one of the armies holds it. An option that is not taken (none,
// or the "no" record) is none here.
struct UnitSide {
    std::int32_t index = 0;    // its place in its army, from 0
    std::int32_t position = 0; // its place among its troop type's units, from 1
    std::string name;
    const TroopTypeRecord* mount = nullptr;
    const MagicItemRecord* magicItem = nullptr;
    const SiegeEngineRecord* siegeEngine = nullptr;
    bool runners = false;
    std::int32_t points = 0;
};

// A unit of one army and its counterpart in the other, or a unit that only
// one of them holds.
struct UnitComparison {
    std::optional<UnitSide> a;
    std::optional<UnitSide> b;
    // With both sides: which values differ (options by code).
    bool name = false;
    bool mount = false;
    bool magicItem = false;
    bool siegeEngine = false;
    bool runners = false;
    bool points = false;

    bool Differs() const {
        return !a || !b || name || mount || magicItem || siegeEngine || runners || points;
    }
};

// A troop type that either army fields, matched by code.
struct TroopTypeComparison {
    Code code = 0;
    const TroopTypeRecord* a = nullptr; // the type in each army's nation; none when that nation lacks it
    const TroopTypeRecord* b = nullptr;
    std::int32_t countA = 0;
    std::int32_t countB = 0;
    std::int32_t pointsA = 0;
    std::int32_t pointsB = 0;
    std::vector<UnitComparison> units; // A's units in A's order, then those only B holds in B's order

    bool Differs() const;
    // The type's name in A's nation, else in B's.
    const std::string& name() const;
};

struct ArmySummary {
    const NationRecord* nation = nullptr;
    std::int32_t pointsLimit = 0;
    std::int32_t total = 0;
    std::int32_t breakPoint = 0;
};

struct ArmyDiff {
    ArmySummary a;
    ArmySummary b;
    // In the order of A's nation's troop types, then those only B's nation
    // has; only the types that either army fields.
    std::vector<TroopTypeComparison> troopTypes;

    // Same nation, points limit and units (units of a type match one to one
    // with the same name and options).
    bool Equal() const;
};

// Compares two armies, of the same nation or not. Within a troop type, units
// whose name is unique to one unit of the type in both armies are matched by
// that name; the others are matched by their order.
ArmyDiff CompareArmies(const Army& a, const Army& b);

// The comparison as text lines without line ends: the nations, points limits,
// totals and breakpoints of both, then for each troop type that differs its
// counts and points, and for each unit that differs what differs, one line
// per value, such as `Archers (2INF) unit 3: name "Archers" -> "Bowmen"`.
std::vector<std::string> ArmyDiffLines(const ArmyDiff& diff);

} // namespace ovra
