// What changed between two sets of army lists: nations added, removed or
// renamed, and per nation the troop types, plus the magic items and siege
// engines, added, removed or changed field by field. A plain value, shown by
// `ovra diff-lists` and by the window alike.
#pragma once

#include "Code.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ovra {

class ArmyCatalogue;
struct MagicItemRecord;
struct NationRecord;
struct SiegeEngineRecord;
struct TroopTypeRecord;

// One field's value: a number, a text (names, shots, LIMIT, rules, a kind) or
// a yes/no (NOBREAK).
struct ListValue {
    enum class Type { Number, Text, Flag };
    Type type = Type::Number;
    std::int32_t number = 0;
    std::string text;
    bool flag = false;

    static ListValue Of(std::int32_t value) { return {Type::Number, value, {}, false}; }
    static ListValue Of(std::string value) { return {Type::Text, 0, std::move(value), false}; }
    static ListValue Flag(bool value) { return {Type::Flag, 0, {}, value}; }
    bool operator==(const ListValue&) const = default;
};

// A field that differs between two versions of one record.
struct FieldChange {
    const char* field = ""; // the key of `ovra catalogue`'s JSON, "noBreak" for NOBREAK
    const char* label = ""; // how a line names it: "points", "armour save", "LIMIT"...
    ListValue before;
    ListValue now;
};

// The fields that differ, in the order the format defines them. Descriptions
// (INFO, UINFO) are not compared.
std::vector<FieldChange> CompareNations(const NationRecord& before, const NationRecord& now);
std::vector<FieldChange> CompareTroopTypes(const TroopTypeRecord& before, const TroopTypeRecord& now);
std::vector<FieldChange> CompareMagicItems(const MagicItemRecord& before, const MagicItemRecord& now);
std::vector<FieldChange> CompareSiegeEngines(const SiegeEngineRecord& before, const SiegeEngineRecord& now);

// One difference: a record added or removed, or one field of a record changed.
struct ListChange {
    enum class Subject { Nation, TroopType, MagicItem, SiegeEngine };
    enum class Kind { Added, Removed, Changed };

    Subject subject = Subject::Nation;
    Kind kind = Kind::Changed;
    // The nation, for nations and troop types (its name as it is now, or as
    // it was when removed).
    std::int32_t nationId = 0;
    std::string nationName;
    // The troop type, item or engine (0 and empty for a nation).
    Code code = 0;
    std::string name;
    // Kind::Changed only.
    FieldChange field;
};

// Every difference from `before` to `now`. Nations are matched by id, troop
// types within a nation and items and engines by code (a code given twice:
// the first with the first, the second with the second). The order is that of
// the lists: nations in the order their files define them, troop types in
// file order, items and engines in load order; a removed record stands where
// it stood. A nation added or removed is one change, not one per troop type.
std::vector<ListChange> DiffArmyLists(const ArmyCatalogue& before, const ArmyCatalogue& now);

// A stable, readable line without a line end, such as
// `Sea Raiders: troop type Reedspears (REED): points 5 -> 6`. Texts are the
// lists' bytes; text values are quoted.
std::string ListChangeLine(const ListChange& change);

// What a line says the change is about, such as
// `Sea Raiders: troop type Reedspears (REED)` or `nation Sea Raiders (3)`.
std::string ListChangeHead(const ListChange& change);

// A value as a line shows it: a number, a quoted text, "yes" or "no".
std::string ListValueText(const ListValue& value);

// Reads the army lists of a file, or of every "*.dfm" file of a folder in
// name order (a later nation replacing an earlier one of the same id), into
// the catalogue, as the program reads a folder. False with a reason when the
// path names no readable file or folder; an empty file adds nothing.
bool LoadArmyListsFrom(const std::filesystem::path& fileOrFolder, ArmyCatalogue& catalogue,
                       std::string& error);

} // namespace ovra
