#include "BreachText.h"

#include "Win1252.h"

#include <QCoreApplication>
#include <QLocale>

namespace ovra {
namespace {

// The checker words every breach; the window only shows the words.
QString Text(const Army& army, const std::optional<Breach>& breach) {
    return breach ? FromWin1252(BreachSentence(army, *breach)) : QString();
}

} // namespace

QString BreachText(const Army& army, const Breach& breach) {
    return FromWin1252(BreachSentence(army, breach));
}

QString CountProblem(const Army& army, const TroopTypeRecord& type) {
    return Text(army, CountBreach(army, type, army.CountOfType(type.code())));
}

QString CountChoiceProblem(const Army& army, const TroopTypeRecord& type, int count) {
    return Text(army, CountBreach(army, type, count));
}

QString TotalProblem(const Army& army) {
    return Text(army, TotalBreach(army));
}

QString MountProblem(const UnitEntry& unit) {
    return Text(unit.army(), MountBreach(unit));
}

QString MagicItemProblem(const UnitEntry& unit) {
    return Text(unit.army(), MagicItemBreach(unit));
}

QString TakingMountProblem(const UnitEntry& unit, const TroopTypeRecord& mount) {
    return Text(unit.army(), TakingMountBreach(unit, mount));
}

QString TakingItemProblem(const UnitEntry& unit, const MagicItemRecord& item) {
    return Text(unit.army(), TakingItemBreach(unit, item));
}

QString ProblemCount(std::size_t count) {
    if (count == 0)
        return QCoreApplication::translate("BreachText", "No problems");
    if (count == 1)
        return QCoreApplication::translate("BreachText", "1 problem");
    return QCoreApplication::translate("BreachText", "%1 problems")
        .arg(QLocale().toString(static_cast<qlonglong>(count)));
}

} // namespace ovra
