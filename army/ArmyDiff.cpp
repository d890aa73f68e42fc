#include "ArmyDiff.h"

#include "Army.h"

#include <algorithm>
#include <map>
#include <set>

namespace ovra {
namespace {

// A taken option, or none for none and for the "no" records.
template <class Record> const Record* Taken(const Record* option, Code none) {
    return option != nullptr && option->code() != none ? option : nullptr;
}

template <class Record> Code CodeOf(const Record* option) {
    return option != nullptr ? option->code() : 0;
}

UnitSide SideOf(const Army& army, std::int32_t index, std::int32_t position) {
    const UnitEntry& entry = *army.UnitAt(index);
    UnitSide side;
    side.index = index;
    side.position = position;
    side.name = entry.name();
    side.mount = Taken(entry.mount(), kNoMount);
    side.magicItem = Taken(entry.magicItem(), kNoMagicItem);
    side.siegeEngine = Taken(entry.siegeEngine(), kNoSiegeEngine);
    side.runners = entry.skirmishers();
    side.points = entry.Points();
    return side;
}

UnitComparison Pair(const UnitSide& a, const UnitSide& b) {
    UnitComparison unit;
    unit.a = a;
    unit.b = b;
    unit.name = a.name != b.name;
    unit.mount = CodeOf(a.mount) != CodeOf(b.mount);
    unit.magicItem = CodeOf(a.magicItem) != CodeOf(b.magicItem);
    unit.siegeEngine = CodeOf(a.siegeEngine) != CodeOf(b.siegeEngine);
    unit.runners = a.runners != b.runners;
    unit.points = a.points != b.points;
    return unit;
}

// Units are matched by name where the name tells them apart: a name that one
// unit of the type has in each army pairs those two, wherever they stand, so
// reordering or inserting named units (a "Hori" and a "Nebet") pairs them
// rightly. Units that share a name (usually the troop type's own) cannot be
// told apart but by their order, so the rest are matched by position within
// the type, first with first; what is left over is only in one army.
std::vector<UnitComparison> MatchUnits(const std::vector<UnitSide>& a, const std::vector<UnitSide>& b) {
    // Per name: how many units bear it in each army, and where it stands in b.
    struct Bearers {
        int inA = 0;
        int inB = 0;
        std::size_t atB = 0;
    };
    std::map<std::string, Bearers> names;
    for (const UnitSide& u : a)
        ++names[u.name].inA;
    for (std::size_t j = 0; j < b.size(); ++j) {
        Bearers& bearers = names[b[j].name];
        ++bearers.inB;
        bearers.atB = j;
    }

    std::vector<std::optional<std::size_t>> partner(a.size());
    std::vector<bool> taken(b.size(), false);
    for (std::size_t i = 0; i < a.size(); ++i) {
        const Bearers& bearers = names[a[i].name];
        if (bearers.inA == 1 && bearers.inB == 1) {
            partner[i] = bearers.atB;
            taken[bearers.atB] = true;
        }
    }
    std::size_t next = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (partner[i])
            continue;
        while (next < b.size() && taken[next])
            ++next;
        if (next < b.size()) {
            partner[i] = next;
            taken[next] = true;
        }
    }

    std::vector<UnitComparison> units;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (partner[i]) {
            units.push_back(Pair(a[i], b[*partner[i]]));
        } else {
            units.emplace_back();
            units.back().a = a[i];
        }
    }
    for (std::size_t j = 0; j < b.size(); ++j)
        if (!taken[j]) {
            units.emplace_back();
            units.back().b = b[j];
        }
    return units;
}

// Each troop type's units as sides, numbered from 1 within the type, in one
// walk over the army.
std::map<Code, std::vector<UnitSide>> SidesByType(const Army& army) {
    std::map<Code, std::vector<UnitSide>> sides;
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        std::vector<UnitSide>& ofType = sides[army.UnitAt(i)->troopType().code()];
        ofType.push_back(SideOf(army, i, static_cast<std::int32_t>(ofType.size()) + 1));
    }
    return sides;
}

ArmySummary SummaryOf(const Army& army) {
    return {&army.nation(), army.pointsLimit(), army.TotalPoints(), army.BreakPoint()};
}

std::string Signed(std::int64_t difference) {
    return difference > 0 ? "+" + std::to_string(difference) : std::to_string(difference);
}

std::string BeforeNow(std::int32_t a, std::int32_t b) {
    return std::to_string(a) + " -> " + std::to_string(b) + " (" + Signed(std::int64_t(b) - a) + ")";
}

std::string NationText(const NationRecord* nation) {
    return nation != nullptr ? nation->name + " (" + std::to_string(nation->id()) + ")" : "none";
}

template <class Record> std::string OptionName(const Record* option) {
    return option != nullptr ? option->name : "none";
}

// "name", then the options taken and the points: how a unit of one army reads.
std::string UnitText(const UnitSide& unit) {
    std::string text = "\"" + unit.name + "\"";
    if (unit.mount != nullptr)
        text += ", mount " + unit.mount->name;
    if (unit.magicItem != nullptr)
        text += ", magic item " + unit.magicItem->name;
    if (unit.siegeEngine != nullptr)
        text += ", siege engine " + unit.siegeEngine->name;
    if (unit.runners)
        text += ", runners";
    return text + ", " + std::to_string(unit.points) + " points";
}

void UnitLines(std::vector<std::string>& lines, const std::string& type, const UnitComparison& unit) {
    if (!unit.b) {
        lines.push_back(type + " unit " + std::to_string(unit.a->position) +
                        ": only in A: " + UnitText(*unit.a));
        return;
    }
    if (!unit.a) {
        lines.push_back(type + " unit " + std::to_string(unit.b->position) +
                        ": only in B: " + UnitText(*unit.b));
        return;
    }
    const UnitSide& a = *unit.a;
    const UnitSide& b = *unit.b;
    std::string head = type + " unit " + std::to_string(a.position);
    if (b.position != a.position)
        head += " -> " + std::to_string(b.position);
    head += ": ";
    if (unit.name)
        lines.push_back(head + "name \"" + a.name + "\" -> \"" + b.name + "\"");
    if (unit.mount)
        lines.push_back(head + "mount " + OptionName(a.mount) + " -> " + OptionName(b.mount));
    if (unit.magicItem)
        lines.push_back(head + "magic item " + OptionName(a.magicItem) + " -> " + OptionName(b.magicItem));
    if (unit.siegeEngine)
        lines.push_back(head + "siege engine " + OptionName(a.siegeEngine) + " -> " +
                        OptionName(b.siegeEngine));
    if (unit.runners)
        lines.push_back(head + "runners " + (a.runners ? "yes" : "no") + " -> " + (b.runners ? "yes" : "no"));
    if (unit.points)
        lines.push_back(head + "points " + BeforeNow(a.points, b.points));
}

} // namespace

bool TroopTypeComparison::Differs() const {
    return countA != countB || pointsA != pointsB ||
           std::any_of(units.begin(), units.end(), [](const UnitComparison& u) { return u.Differs(); });
}

const std::string& TroopTypeComparison::name() const {
    return a != nullptr ? a->name : b->name;
}

bool ArmyDiff::Equal() const {
    const auto id = [](const ArmySummary& s) { return s.nation != nullptr ? s.nation->id() : 0; };
    return id(a) == id(b) && a.pointsLimit == b.pointsLimit &&
           std::none_of(troopTypes.begin(), troopTypes.end(),
                        [](const TroopTypeComparison& t) { return t.Differs(); });
}

ArmyDiff CompareArmies(const Army& a, const Army& b) {
    ArmyDiff diff;
    diff.a = SummaryOf(a);
    diff.b = SummaryOf(b);
    std::set<Code> seen;
    std::map<Code, std::vector<UnitSide>> sidesA = SidesByType(a), sidesB = SidesByType(b);
    const auto compare = [&](Code code) {
        if (!seen.insert(code).second || (a.CountOfType(code) == 0 && b.CountOfType(code) == 0))
            return;
        TroopTypeComparison type;
        type.code = code;
        type.a = a.nation().FindTroopType(code);
        type.b = b.nation().FindTroopType(code);
        type.countA = a.CountOfType(code);
        type.countB = b.CountOfType(code);
        type.pointsA = a.PointsOfType(code);
        type.pointsB = b.PointsOfType(code);
        type.units = MatchUnits(sidesA[code], sidesB[code]);
        diff.troopTypes.push_back(std::move(type));
    };
    for (const NationRecord* nation : {&a.nation(), &b.nation()})
        for (const TroopTypeRecord* t = nation->NextTroopType(nullptr); t; t = nation->NextTroopType(t))
            compare(t->code());
    return diff;
}

std::vector<std::string> ArmyDiffLines(const ArmyDiff& diff) {
    std::vector<std::string> lines = {
        "nation: " + NationText(diff.a.nation) + " -> " + NationText(diff.b.nation),
        "points limit: " + BeforeNow(diff.a.pointsLimit, diff.b.pointsLimit),
        "total: " + BeforeNow(diff.a.total, diff.b.total),
        "breakpoint: " + BeforeNow(diff.a.breakPoint, diff.b.breakPoint),
    };
    for (const TroopTypeComparison& type : diff.troopTypes) {
        if (!type.Differs())
            continue;
        const std::string head = type.name() + " (" + CodeText(type.code) + ")";
        lines.push_back(head + ": units " + std::to_string(type.countA) + " -> " +
                        std::to_string(type.countB) + ", points " + BeforeNow(type.pointsA, type.pointsB));
        for (const UnitComparison& unit : type.units)
            if (unit.Differs())
                UnitLines(lines, head, unit);
    }
    return lines;
}

} // namespace ovra
