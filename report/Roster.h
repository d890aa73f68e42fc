// The roster as a value: composed once from the army, then handed to the
// renderers (HtmlRoster.h, PrintRoster.h, TextRoster.h), none of which looks
// at the army again. Composition decides which troop types appear in which
// order, what each row holds, how the army lists' information texts become
// numbered notes, which rows are flagged, and what follows the tables.
#pragma once

#include "Army.h"
#include "ArmyChecker.h"
#include "Records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

class ArmyDocument;

// How much of the information section a roster carries: Complete (the
// nation's description, the notes, the magic items and siege engines in
// use), Short (the same without the description) or None (only the items and
// engines in use). A choice that was never made counts as Complete.
enum class InfoChoice { Complete, Short, None };

constexpr InfoChoice EffectiveInfoChoice(std::optional<InfoChoice> choice) {
    return choice.value_or(InfoChoice::Complete);
}

// The eight texts of a roster row: Type, Atks, Hits, Save, Cmd, Size, Pts, remarks.
using RowCells = std::array<std::string, 8>;

// The column titles of a heading row.
const RowCells& ColumnTitles();

enum class RosterRowKind {
    Heading, // "Character" or "Unit" before a group of troop types of one kind
    Unit,    // a unit entry
    Mount,   // the mount of the unit row above
    Runners  // the runners of the unit row above, with that unit's armour save
};

struct RosterRow {
    RosterRowKind kind = RosterRowKind::Unit;
    // A heading: the group's troop kind; otherwise the kind of the row's troop type.
    Code troopKind = 0;
    // The unit entry the row belongs to (unit, mount and runners rows).
    UnitId unit = 0;
    // "Character", "Unit", or empty for a kind that has no heading row; the
    // entry's name; the mount's or runners' troop type name.
    std::string name;
    // A heading: the column titles. Otherwise the profile, the points (empty
    // for mounts and runners) and the remarks: options, then note numbers
    // (none when the information section has no notes, InfoChoice::None).
    RowCells cells;
    // The parts of the remarks cell, for renderers that lay them out apart.
    std::string options; // magic item and siege engine names, ", " between
    std::string notes;   // note numbers, sorted as texts, "," between
    // The row's troop type holds more units than it may (RosterOverMaximum).
    bool overMaximum = false;

    // 0 for headings, 2 for units, 3 for mounts and runners.
    std::int32_t Indent() const;
};

struct RosterTotals {
    std::int32_t points = 0;
    std::int32_t pointsLimit = 0;
    std::int32_t breakPoint = 0;
    bool overLimit = false;
};

struct InfoParagraph {
    enum class Kind { Nation, Note, MagicItem, SiegeEngine };
    Kind kind = Kind::Note;
    bool highlight = false; // a magic item carried more than once
    std::string title;      // "1 - " for note 1
    std::string body;       // as the army list holds it, CR LF between lines
};

// A breach of the army's rules as the rule checker reports it, with the name
// of the troop type or magic item concerned (empty for the points limit).
struct RosterBreach {
    BreachKind kind = BreachKind::OverPointsLimit;
    std::string name;
    std::int32_t count = 0;
    std::int32_t bound = 0;
};

// A composed roster. Texts are bytes as the army and the army lists hold them
// (Windows-1252); the value refers to nothing and outlives the army.
struct Roster {
    std::string title;      // the army's title
    std::string nationName; // the nation's name
    InfoChoice info = InfoChoice::Complete;
    // Troop types in army-list order with their entries in army order, a
    // heading wherever the troop kind changes, each unit followed by its
    // mount and runners rows.
    std::vector<RosterRow> rows;
    RosterTotals totals;
    // Names of the listed troop types below their minimum (RosterBelowMinimum).
    std::vector<std::string> belowMinimum;
    // Every breach of the rules (CheckArmy), in the checker's order.
    std::vector<RosterBreach> breaches;
    // The information section for `info`: the nation's description, the
    // notes in number order, the magic items and siege engines in use.
    std::vector<InfoParagraph> information;
};

// Composes the army's roster in time linear in its entries; `title` is the
// army's title as the window caption shows it.
Roster ComposeRoster(const Army& army, const std::string& title, InfoChoice info);
// The document's army under its title.
Roster ComposeRoster(const ArmyDocument& document, InfoChoice info);

} // namespace ovra
