// The roster as a value: composed once from the army, then handed to the
// renderers (HtmlRoster.h, PrintRoster.h, TextRoster.h), none of which
// recomposes it. Composition decides which troop types appear in which
// order, what each row holds, how the army lists' information texts become
// numbered notes, which rows are flagged, and what follows the tables.
//
// A roster may have millions of rows, so a row is small: it refers to its
// unit entry and to a profile that all rows of its troop type share, and
// gives its texts when a renderer asks for them.
#pragma once

#include "Army.h"
#include "ArmyChecker.h"
#include "Records.h"

#include <array>
#include <cstdint>
#include <memory>
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

// What the rows of one troop type share, worked out once per type; a
// heading's profile holds its name and the column titles.
struct RosterProfile {
    // A heading: the group's troop kind; otherwise the troop type's kind.
    Code troopKind = 0;
    // "Character", "Unit", or empty for a kind that has no heading row; the
    // troop type's name.
    std::string name;
    // A heading: the column titles. Otherwise Type, Atks, Hits, Save, Cmd and
    // Size; Pts and remarks are empty.
    RowCells cells;
    // Note numbers, sorted as texts, "," between; empty when the roster has
    // no notes (InfoChoice::None).
    std::string notes;
    // The troop type holds more units than it may (RosterOverMaximum).
    bool overMaximum = false;
};

// One row: a heading, or a row of a unit entry. Its texts are read from the
// entry and the profile when asked for, so the army must stay as it was
// composed while the row is in use.
class RosterRow {
public:
    RosterRow(RosterRowKind kind, const RosterProfile& profile, const UnitEntry* entry)
        : profile_(&profile), entry_(entry), kind_(kind) {}

    RosterRowKind kind() const { return kind_; }
    Code troopKind() const { return profile_->troopKind; }
    // The unit entry the row belongs to (unit, mount and runners rows); 0 for a heading.
    UnitId unit() const;
    // The heading's name, the entry's name, or the mount's or runners' troop type name.
    const std::string& name() const;
    // A heading: the column titles. Otherwise the profile, the points (empty
    // for mounts and runners), and the remarks: options, then note numbers.
    // A runners row shows the armour save of the unit it runs with.
    RowCells Cells() const;
    // The Pts cell alone: the entry's points in a unit row, empty in others.
    std::string Points() const;
    // The parts of the remarks cell, for renderers that lay them out apart:
    // the magic item and siege engine names, ", " between (unit rows only),
    // and the note numbers.
    std::string Options() const;
    const std::string& notes() const { return profile_->notes; }
    bool overMaximum() const { return profile_->overMaximum; }

    // 0 for headings, 2 for units, 3 for mounts and runners.
    std::int32_t Indent() const;

private:
    const RosterProfile* profile_;
    const UnitEntry* entry_; // none for a heading
    RosterRowKind kind_;
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
    std::string mount; // MountNotAllowed: the mount ridden
    std::int32_t count = 0;
    std::int32_t bound = 0;
};

// A composed roster. Texts are bytes as the army and the army lists hold them
// (Windows-1252). The rows refer to the army's entries and to the army
// lists' records: render the roster while the army is as it was composed.
// A roster can be moved, not copied (its rows point at its profiles).
struct Roster {
    std::string title;      // the army's title
    std::string nationName; // the nation's name
    InfoChoice info = InfoChoice::Complete;
    // Troop types in army-list order with their entries in army order, a
    // heading wherever the troop kind changes, each unit followed by its
    // mount and runners rows.
    std::vector<RosterRow> rows;
    // The profiles the rows share, one per troop type and heading kind.
    std::vector<std::unique_ptr<const RosterProfile>> profiles;
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
// army's title as the window caption shows it. The roster refers to the
// army, which must outlive it and stay unchanged while it is rendered.
Roster ComposeRoster(const Army& army, const std::string& title, InfoChoice info);
// The document's army under its title.
Roster ComposeRoster(const ArmyDocument& document, InfoChoice info);

} // namespace ovra
