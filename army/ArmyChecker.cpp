#include "ArmyChecker.h"

#include "ArmyCatalogue.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>
#include <utility>

namespace ovra {

bool OverPointsLimit(const Army& army) {
    return army.TotalPoints() > army.pointsLimit();
}

TypeStanding StandingOf(const Army& army, const TroopTypeRecord& type) {
    return {army.CountOfType(type.code()), army.MinimumRequired(type), army.MaximumAllowed(type)};
}

bool CountBreaksBounds(const Army& army, const TroopTypeRecord& type, std::int32_t count) {
    return count < army.MinimumRequired(type) || count > army.MaximumAllowed(type);
}

std::int32_t RosterCount(const Army& army, const TroopTypeRecord& type) {
    if (type.minCount < 0)
        return army.CountOfType(type.code());
    return army.NumberInArmy(type.code());
}

bool RosterOverMaximum(const Army& army, const TroopTypeRecord& type) {
    return army.MaximumAllowed(type) < RosterCount(army, type);
}

bool RosterBelowMinimum(const Army& army, const TroopTypeRecord& type) {
    return army.MinimumRequired(type) > RosterCount(army, type);
}

bool MountRiddenTooOften(const Army& army, const TroopTypeRecord& mount) {
    return mount.code() != kNoMount && army.CountRiding(mount.code()) > army.MaximumAllowed(mount);
}

bool CarriedMoreThanOnce(const Army& army, const MagicItemRecord& item) {
    return item.code() != kNoMagicItem && army.CountCarrying(item.code()) >= 2;
}

bool TakingMountBreaks(const UnitEntry& unit, const TroopTypeRecord& mount) {
    const Army& army = unit.army();
    std::int64_t riding = army.CountRiding(mount.code());
    if (unit.mount() == &mount)
        --riding;
    return mount.code() != kNoMount && riding + 1 > army.MaximumAllowed(mount);
}

bool TakingItemBreaks(const UnitEntry& unit, const MagicItemRecord& item) {
    std::int32_t carried = unit.army().CountCarrying(item.code());
    if (unit.magicItem() == &item)
        --carried;
    return item.code() != kNoMagicItem && carried >= 1;
}

bool MountNotAllowed(const UnitEntry& unit) {
    const TroopTypeRecord* mount = unit.mount();
    return mount != nullptr && mount->troopKind == kTroopMount && mount->code() != kNoMount &&
           mount->nation == &unit.army().nation() && !unit.troopType().MountWalkIncludes(*mount);
}

bool UnitBreaksOptionRule(const UnitEntry& unit) {
    return (unit.mount() != nullptr && MountRiddenTooOften(unit.army(), *unit.mount())) ||
           (unit.magicItem() != nullptr && CarriedMoreThanOnce(unit.army(), *unit.magicItem())) ||
           MountNotAllowed(unit);
}

namespace {

// The units on mounts their troop types may not ride, one breach per troop
// type and mount, troop types in file order and mounts in file order within.
void AppendMountsNotAllowed(const Army& army, std::vector<Breach>& breaches) {
    std::unordered_map<std::uint64_t, std::size_t> byPair; // type and mount positions -> breach
    std::vector<Breach> found;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const UnitEntry& entry = *army.UnitAt(i);
        if (!MountNotAllowed(entry))
            continue;
        const std::uint64_t key = (std::uint64_t(entry.troopType().ordinal) << 32) | entry.mount()->ordinal;
        const auto [it, added] = byPair.try_emplace(key, found.size());
        if (added)
            found.push_back(
                {BreachKind::MountNotAllowed, &entry.troopType(), nullptr, 0, 0, {}, entry.mount()});
        Breach& breach = found[it->second];
        ++breach.count;
        breach.units.push_back(entry.id());
    }
    std::sort(found.begin(), found.end(), [](const Breach& a, const Breach& b) {
        return std::pair(a.troopType->ordinal, a.mount->ordinal) <
               std::pair(b.troopType->ordinal, b.mount->ordinal);
    });
    std::move(found.begin(), found.end(), std::back_inserter(breaches));
}

} // namespace

std::vector<Breach> CheckArmy(const Army& army) {
    std::vector<Breach> breaches;
    const NationRecord& nation = army.nation();
    if (OverPointsLimit(army))
        breaches.push_back(
            {BreachKind::OverPointsLimit, nullptr, nullptr, army.TotalPoints(), army.pointsLimit(), {}});
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t;
         t = nation.NextListedTroopType(t)) {
        const TypeStanding standing = StandingOf(army, *t);
        if (standing.TooFew())
            breaches.push_back({BreachKind::TooFew, t, nullptr, standing.count, standing.minimum, {}});
        if (standing.TooMany())
            breaches.push_back({BreachKind::TooMany, t, nullptr, standing.count, standing.maximum, {}});
    }
    for (const TroopTypeRecord* t = nation.NextTroopType(nullptr); t; t = nation.NextTroopType(t)) {
        if (t->troopKind == kTroopMount && MountRiddenTooOften(army, *t))
            breaches.push_back({BreachKind::MountRiddenTooOften,
                                t,
                                nullptr,
                                army.CountRiding(t->code()),
                                army.MaximumAllowed(*t),
                                {}});
    }
    const ArmyCatalogue& catalogue = *nation.catalogue;
    for (const MagicItemRecord* m = catalogue.NextMagicItem(nullptr); m; m = catalogue.NextMagicItem(m)) {
        if (CarriedMoreThanOnce(army, *m))
            breaches.push_back(
                {BreachKind::MagicItemCarriedMoreThanOnce, nullptr, m, army.CountCarrying(m->code()), 1, {}});
    }
    const std::size_t counted = breaches.size();
    AppendMountsNotAllowed(army, breaches);
    if (counted == 0)
        return breaches;

    // The units involved, gathered in one pass over the army.
    std::unordered_map<Code, std::vector<Breach*>> byType, byMount, byItem;
    for (Breach& breach : breaches) {
        switch (breach.kind) {
        case BreachKind::TooFew:
        case BreachKind::TooMany:
            byType[breach.troopType->code()].push_back(&breach);
            break;
        case BreachKind::MountRiddenTooOften:
            byMount[breach.troopType->code()].push_back(&breach);
            break;
        case BreachKind::MagicItemCarriedMoreThanOnce:
            byItem[breach.magicItem->code()].push_back(&breach);
            break;
        case BreachKind::OverPointsLimit:
        case BreachKind::MountNotAllowed: // its units are gathered already
            break;
        }
    }
    const auto note = [](const auto& index, Code code, UnitId id) {
        const auto it = index.find(code);
        if (it != index.end())
            for (Breach* breach : it->second)
                breach->units.push_back(id);
    };
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const UnitEntry& entry = *army.UnitAt(i);
        note(byType, entry.troopType().code(), entry.id());
        if (entry.mount() != nullptr)
            note(byMount, entry.mount()->code(), entry.id());
        if (entry.magicItem() != nullptr)
            note(byItem, entry.magicItem()->code(), entry.id());
    }
    return breaches;
}

std::string BreachLine(const Breach& breach) {
    const auto numbers = [&](const char* relation) {
        return std::to_string(breach.count) + relation + std::to_string(breach.bound);
    };
    switch (breach.kind) {
    case BreachKind::OverPointsLimit:
        return "over the points limit: " + numbers(" > ");
    case BreachKind::TooFew:
        return "too few: " + breach.troopType->name + ": " + numbers(" < ");
    case BreachKind::TooMany:
        return "too many: " + breach.troopType->name + ": " + numbers(" > ");
    case BreachKind::MountRiddenTooOften:
        return "mount ridden too often: " + breach.troopType->name + ": " + numbers(" > ");
    case BreachKind::MagicItemCarriedMoreThanOnce:
        return "magic item carried more than once: " + breach.magicItem->name + ": " +
               std::to_string(breach.count);
    case BreachKind::MountNotAllowed:
        return "mount not allowed: " + breach.troopType->name + ": " + breach.mount->name + ": " +
               std::to_string(breach.count);
    }
    return {};
}

const char* BreachKindName(BreachKind kind) {
    switch (kind) {
    case BreachKind::OverPointsLimit:
        return "over-points-limit";
    case BreachKind::TooFew:
        return "too-few";
    case BreachKind::TooMany:
        return "too-many";
    case BreachKind::MountRiddenTooOften:
        return "mount-ridden-too-often";
    case BreachKind::MagicItemCarriedMoreThanOnce:
        return "magic-item-carried-more-than-once";
    case BreachKind::MountNotAllowed:
        return "mount-not-allowed";
    }
    return "";
}

} // namespace ovra
