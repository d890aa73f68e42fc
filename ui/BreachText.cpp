#include "BreachText.h"

#include "Win1252.h"

#include <QCoreApplication>
#include <QLocale>

namespace ovra {
namespace {

QString Number(std::int64_t n) {
    return QLocale().toString(static_cast<qlonglong>(n));
}

QString Name(const CatalogueEntry& record) {
    return FromWin1252(record.name);
}

QString Units(std::int64_t n) {
    return n == 1 ? QCoreApplication::translate("BreachText", "1 unit")
                  : QCoreApplication::translate("BreachText", "%1 units").arg(Number(n));
}

QString TooFew(const Army& army, const TroopTypeRecord& type, std::int64_t count, std::int64_t minimum) {
    return QCoreApplication::translate("BreachText", "%1: %2, at least %3 are needed for %4 points")
        .arg(Name(type), Units(count), Number(minimum), Number(army.pointsLimit()));
}

QString TooMany(const Army& army, const TroopTypeRecord& type, std::int64_t count, std::int64_t maximum) {
    return QCoreApplication::translate("BreachText", "%1: %2, at most %3 are allowed for %4 points")
        .arg(Name(type), Units(count), Number(maximum), Number(army.pointsLimit()));
}

QString Ridden(const TroopTypeRecord& mount, std::int64_t riders, std::int64_t maximum) {
    return QCoreApplication::translate("BreachText", "%1: ridden by %2, at most %3")
        .arg(Name(mount),
             riders == 1 ? QCoreApplication::translate("BreachText", "1 character")
                         : QCoreApplication::translate("BreachText", "%1 characters").arg(Number(riders)),
             Number(maximum));
}

QString NotAllowed(const TroopTypeRecord& type, const TroopTypeRecord& mount, std::int64_t riders) {
    return QCoreApplication::translate("BreachText", "%1: ridden by %2 of %3, which may not ride it")
        .arg(Name(mount), Units(riders), Name(type));
}

QString Carried(const MagicItemRecord& item, std::int64_t carriers) {
    return QCoreApplication::translate("BreachText", "%1: carried by %2, at most 1")
        .arg(Name(item), Units(carriers));
}

} // namespace

QString BreachText(const Army& army, const Breach& breach) {
    switch (breach.kind) {
    case BreachKind::OverPointsLimit:
        return QCoreApplication::translate("BreachText", "Total: %1 points, %2 over the limit of %3")
            .arg(Number(breach.count), Number(std::int64_t(breach.count) - breach.bound),
                 Number(breach.bound));
    case BreachKind::TooFew:
        return TooFew(army, *breach.troopType, breach.count, breach.bound);
    case BreachKind::TooMany:
        return TooMany(army, *breach.troopType, breach.count, breach.bound);
    case BreachKind::MountRiddenTooOften:
        return Ridden(*breach.troopType, breach.count, breach.bound);
    case BreachKind::MagicItemCarriedMoreThanOnce:
        return Carried(*breach.magicItem, breach.count);
    case BreachKind::MountNotAllowed:
        return NotAllowed(*breach.troopType, *breach.mount, breach.count);
    }
    return {};
}

QString CountProblem(const Army& army, const TroopTypeRecord& type) {
    const TypeStanding standing = StandingOf(army, type);
    if (standing.TooFew())
        return TooFew(army, type, standing.count, standing.minimum);
    if (standing.TooMany())
        return TooMany(army, type, standing.count, standing.maximum);
    return {};
}

QString CountChoiceProblem(const Army& army, const TroopTypeRecord& type, int count) {
    if (!CountBreaksBounds(army, type, count))
        return {};
    const std::int32_t minimum = army.MinimumRequired(type);
    if (count < minimum)
        return TooFew(army, type, count, minimum);
    return TooMany(army, type, count, army.MaximumAllowed(type));
}

QString TotalProblem(const Army& army) {
    if (!OverPointsLimit(army))
        return {};
    return BreachText(
        army, {BreachKind::OverPointsLimit, nullptr, nullptr, army.TotalPoints(), army.pointsLimit(), {}});
}

QString MountProblem(const UnitEntry& unit) {
    const Army& army = unit.army();
    if (unit.mount() != nullptr && MountRiddenTooOften(army, *unit.mount()))
        return Ridden(*unit.mount(), army.CountRiding(unit.mount()->code()),
                      army.MaximumAllowed(*unit.mount()));
    if (MountNotAllowed(unit))
        for (const Breach& breach : CheckArmy(army))
            if (breach.kind == BreachKind::MountNotAllowed && breach.troopType == &unit.troopType() &&
                breach.mount == unit.mount())
                return BreachText(army, breach);
    return {};
}

QString MagicItemProblem(const UnitEntry& unit) {
    const Army& army = unit.army();
    if (unit.magicItem() == nullptr || !CarriedMoreThanOnce(army, *unit.magicItem()))
        return {};
    return Carried(*unit.magicItem(), army.CountCarrying(unit.magicItem()->code()));
}

QString TakingMountProblem(const UnitEntry& unit, const TroopTypeRecord& mount) {
    if (!TakingMountBreaks(unit, mount))
        return {};
    const Army& army = unit.army();
    const std::int64_t others = army.CountRiding(mount.code()) - (unit.mount() == &mount ? 1 : 0);
    return Ridden(mount, others + 1, army.MaximumAllowed(mount));
}

QString TakingItemProblem(const UnitEntry& unit, const MagicItemRecord& item) {
    if (!TakingItemBreaks(unit, item))
        return {};
    const std::int64_t others = unit.army().CountCarrying(item.code()) - (unit.magicItem() == &item ? 1 : 0);
    return Carried(item, others + 1);
}

QString ProblemCount(std::size_t count) {
    if (count == 0)
        return QCoreApplication::translate("BreachText", "No problems");
    if (count == 1)
        return QCoreApplication::translate("BreachText", "1 problem");
    return QCoreApplication::translate("BreachText", "%1 problems")
        .arg(Number(static_cast<std::int64_t>(count)));
}

} // namespace ovra
