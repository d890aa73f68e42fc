// Breaches of the army's rules in words, with their numbers, for the tool
// tips of the red marks, the status bar and the breach list. The words are
// the checker's (BreachSentence); here they only become text for the window.
#pragma once

#include "ArmyChecker.h"

#include <QString>

namespace ovra {

// "Legionaries: 2 units, at least 3 are needed for 2,000 points".
QString BreachText(const Army& army, const Breach& breach);
// What is wrong with a troop type's number of units; empty when nothing is.
QString CountProblem(const Army& army, const TroopTypeRecord& type);
// What n units of the type would break; empty when nothing.
QString CountChoiceProblem(const Army& army, const TroopTypeRecord& type, int count);
// What is wrong with the total; empty when it is within the limit.
QString TotalProblem(const Army& army);
// What is wrong with the unit's mount or magic item; empty when nothing is.
QString MountProblem(const UnitEntry& unit);
QString MagicItemProblem(const UnitEntry& unit);
// What taking the mount or item would break for the unit; empty when nothing.
QString TakingMountProblem(const UnitEntry& unit, const TroopTypeRecord& mount);
QString TakingItemProblem(const UnitEntry& unit, const MagicItemRecord& item);
// "3 problems", "1 problem", "No problems".
QString ProblemCount(std::size_t count);

} // namespace ovra
