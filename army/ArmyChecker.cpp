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

namespace ovra {

// ---------------------------------------------------------------- red marks

std::optional<Breach> CountBreach(const Army& army, const TroopTypeRecord& type, std::int32_t count) {
    const std::int32_t minimum = army.MinimumRequired(type);
    if (count < minimum)
        return Breach{BreachKind::TooFew, &type, nullptr, count, minimum, {}};
    const std::int32_t maximum = army.MaximumAllowed(type);
    if (count > maximum)
        return Breach{BreachKind::TooMany, &type, nullptr, count, maximum, {}};
    return std::nullopt;
}

std::optional<Breach> TotalBreach(const Army& army) {
    if (!OverPointsLimit(army))
        return std::nullopt;
    return Breach{BreachKind::OverPointsLimit, nullptr, nullptr, army.TotalPoints(), army.pointsLimit(), {}};
}

std::optional<Breach> MountBreach(const UnitEntry& unit) {
    const Army& army = unit.army();
    const TroopTypeRecord* mount = unit.mount();
    if (mount != nullptr && MountRiddenTooOften(army, *mount))
        return Breach{BreachKind::MountRiddenTooOften, mount, nullptr, army.CountRiding(mount->code()),
                      army.MaximumAllowed(*mount),     {}};
    if (!MountNotAllowed(unit))
        return std::nullopt;
    std::int32_t riders = 0;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i)
        riders += &army.UnitAt(i)->troopType() == &unit.troopType() && army.UnitAt(i)->mount() == mount;
    return Breach{BreachKind::MountNotAllowed, &unit.troopType(), nullptr, riders, 0, {}, mount};
}

std::optional<Breach> MagicItemBreach(const UnitEntry& unit) {
    const MagicItemRecord* item = unit.magicItem();
    if (item == nullptr || !CarriedMoreThanOnce(unit.army(), *item))
        return std::nullopt;
    return Breach{BreachKind::MagicItemCarriedMoreThanOnce, nullptr, item,
                  unit.army().CountCarrying(item->code()),  1,       {}};
}

std::optional<Breach> TakingMountBreach(const UnitEntry& unit, const TroopTypeRecord& mount) {
    if (!TakingMountBreaks(unit, mount))
        return std::nullopt;
    const Army& army = unit.army();
    const std::int64_t others = army.CountRiding(mount.code()) - (unit.mount() == &mount ? 1 : 0);
    return Breach{BreachKind::MountRiddenTooOften, &mount, nullptr, ClampToInt32(others + 1),
                  army.MaximumAllowed(mount),      {}};
}

std::optional<Breach> TakingItemBreach(const UnitEntry& unit, const MagicItemRecord& item) {
    if (!TakingItemBreaks(unit, item))
        return std::nullopt;
    const std::int64_t others = unit.army().CountCarrying(item.code()) - (unit.magicItem() == &item ? 1 : 0);
    return Breach{BreachKind::MagicItemCarriedMoreThanOnce, nullptr, &item, ClampToInt32(others + 1), 1, {}};
}

// ---------------------------------------------------------------- words

namespace {

// 2000 as "2,000".
std::string Grouped(std::int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, ',');
    return n < 0 ? "-" + digits : digits;
}

std::string Counted(std::int64_t n, const char* one, const char* many) {
    return n == 1 ? std::string("1 ") + one : Grouped(n) + " " + many;
}

// "A", "A and B", "A, B and C".
std::string Listed(const std::vector<std::string>& names) {
    std::string out;
    for (std::size_t i = 0; i < names.size(); ++i)
        out += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return out;
}

// A pooled troop type and the other types its LIMIT names, each once.
std::string PoolOf(const Army& army, const TroopTypeRecord& type) {
    std::vector<std::string> partners;
    std::vector<Code> seen{type.code()};
    const std::string& limit = type.limit;
    for (std::size_t i = 0; i + 4 <= limit.size(); i += 4) {
        const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(limit[i + k]); };
        const Code code = MakeCode(byte(0), byte(1), byte(2), byte(3));
        const TroopTypeRecord* partner = army.nation().FindTroopType(code);
        if (partner == nullptr || std::find(seen.begin(), seen.end(), code) != seen.end())
            continue;
        seen.push_back(code);
        partners.push_back(partner->name);
    }
    return partners.empty() ? type.name : type.name + " with " + Listed(partners);
}

std::string WindowSentence(const BreachFacts& f) {
    const std::string name = f.pool.empty() ? f.name : f.pool;
    const std::string points = f.perPoints ? " for " + Grouped(f.pointsLimit) + " points" : "";
    switch (f.kind) {
    case BreachKind::OverPointsLimit:
        return "Total: " + Grouped(f.count) + " points, " + Grouped(std::int64_t(f.count) - f.bound) +
               " over the limit of " + Grouped(f.bound);
    case BreachKind::TooFew:
        return name + ": " + Counted(f.count, "unit", "units") + ", at least " + Grouped(f.bound) +
               " are needed" + points;
    case BreachKind::TooMany:
        return name + ": " + Counted(f.count, "unit", "units") + ", at most " + Grouped(f.bound) +
               " are allowed" + points;
    case BreachKind::MountRiddenTooOften:
        return name + ": ridden by " + Counted(f.count, "character", "characters") + ", at most " +
               Grouped(f.bound);
    case BreachKind::MagicItemCarriedMoreThanOnce:
        return name + ": carried by " + Counted(f.count, "unit", "units") + ", at most 1";
    case BreachKind::MountNotAllowed:
        return f.mount + ": ridden by " + Counted(f.count, "unit", "units") + " of " + name +
               ", which may not ride it";
    }
    return {};
}

std::string RosterSentence(const BreachFacts& f) {
    const std::string name = f.pool.empty() ? f.name : f.pool;
    const std::string count = std::to_string(f.count);
    const std::string bound = std::to_string(f.bound);
    switch (f.kind) {
    case BreachKind::OverPointsLimit:
        return "Over the points limit: " + count + ", at most " + bound;
    case BreachKind::TooFew:
        return "Too few " + name + ": " + count + ", at least " + bound;
    case BreachKind::TooMany:
        return "Too many " + name + ": " + count + ", at most " + bound;
    case BreachKind::MountRiddenTooOften:
        return f.name + " ridden too often: " + count + ", at most " + bound;
    case BreachKind::MagicItemCarriedMoreThanOnce:
        return f.name + " carried more than once: " + count;
    case BreachKind::MountNotAllowed:
        return (f.mount.empty() ? std::string("Mount not allowed") : f.mount + " not allowed") + " for " +
               f.name + ": " + count;
    }
    return {};
}

} // namespace

BreachFacts FactsOf(const Army& army, const Breach& breach) {
    BreachFacts facts;
    facts.kind = breach.kind;
    if (breach.troopType != nullptr)
        facts.name = breach.troopType->name;
    else if (breach.magicItem != nullptr)
        facts.name = breach.magicItem->name;
    if (breach.mount != nullptr)
        facts.mount = breach.mount->name;
    facts.count = breach.count;
    facts.bound = breach.bound;
    facts.pointsLimit = army.pointsLimit();
    const TroopTypeRecord* type = breach.troopType;
    if (type != nullptr && type->minCount < 0 &&
        (breach.kind == BreachKind::TooFew || breach.kind == BreachKind::TooMany)) {
        // The pool as a whole: the type's bounds are the pool's less the
        // units of the other members.
        const std::int64_t others =
            std::int64_t(army.PooledCount(type->code())) - army.CountOfType(type->code());
        facts.pool = PoolOf(army, *type);
        facts.count = ClampToInt32(breach.count + others);
        facts.bound = breach.kind == BreachKind::TooFew ? army.PoolMinimum(*type) : army.PoolMaximum(*type);
        // The pool's minimum is a count of its own; its cap follows the points only per 1,000.
        facts.perPoints = breach.kind == BreachKind::TooMany && type->maxCount > 0;
    }
    return facts;
}

std::string BreachSentence(const BreachFacts& facts, BreachWording wording) {
    return wording == BreachWording::Window ? WindowSentence(facts) : RosterSentence(facts);
}

std::string BreachSentence(const Army& army, const Breach& breach) {
    return BreachSentence(FactsOf(army, breach), BreachWording::Window);
}

} // namespace ovra
