// The rules and the geometry behind the unit detail pane and the option
// picker: which options a troop type offers, which choices break a limit,
// and where the profile tables and the option controls go.
#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ovra {

struct MagicItemRecord;
struct TroopTypeRecord;
class UnitEntry;

// --- what a troop type offers

// True unless the type has no mount, or only "No mount".
bool HasMountChoice(const TroopTypeRecord& type);
// True when the type takes items and has one other than only "No magic item".
bool HasMagicItemChoice(const TroopTypeRecord& type);
bool HasSiegeEngineChoice(const TroopTypeRecord& type);
// The nation's runners for a type of kind "unSk"; none for other kinds or
// when the nation has none.
const TroopTypeRecord* RunnersFor(const TroopTypeRecord& type);

// --- profile tables

// Left and right edges of the n cells of a table row spanning [left, right).
// Neighbouring cells share their frame line.
std::vector<std::pair<int, int>> ProfileCellEdges(int left, int right, int cells);

struct ProfileRow {
    int top = 0; // where the row's frame starts; every row is one row height high
    bool header = false;
    QStringList cells;
};
// The table rows the pane paints for troop type `type`, showing `unit` (none
// for a troop-type row), with rows `rowHeight` high.
std::vector<ProfileRow> ProfileRows(const TroopTypeRecord& type, const UnitEntry* unit, int rowHeight);
// One values row: "T A H Sv Sz Pts" of a unit, or "T A Co Pts" of a character.
QStringList UnitProfileValues(const TroopTypeRecord& record, std::optional<int> armourSave = std::nullopt);
QStringList CharacterProfileValues(const TroopTypeRecord& record);

// --- option controls, top to bottom

struct DetailLayout {
    std::optional<QRect> runners;
    std::optional<QRect> mount;
    std::optional<QRect> magicItem;
    std::optional<QRect> siegeEngine;
    QRect description;
};
// Where the detail pane puts its controls in a client area `width` x
// `height`. A button is there only when the type offers the option and, for
// a unit, the entry holds a choice for it.
DetailLayout LayOutDetailControls(const TroopTypeRecord& type, const UnitEntry* unit, int width, int height,
                                  int rowHeight);

} // namespace ovra
