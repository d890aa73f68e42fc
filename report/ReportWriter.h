// The roster composition shared by every output: which troop types appear in
// which order, what each row holds, how information texts become numbered
// notes, which units are flagged, and what follows the tables. Outputs derive
// from ReportWriter and fill in the operations that write.
#pragma once

#include "Army.h"
#include "PrintSurface.h"
#include "Records.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ovra {

class ArmyDocument;

// How much of the information section a roster carries. A choice that was
// never made counts as Complete (see EffectiveInfoChoice).
enum class InfoChoice { Complete, Short, None };

constexpr InfoChoice EffectiveInfoChoice(std::optional<InfoChoice> choice) {
    return choice.value_or(InfoChoice::Complete);
}

// The numbered notes of one roster: distinct texts, numbered from 1 in the
// order they were first met. Numbers never change once given.
class NoteTable {
public:
    // The text's number as decimal text; a new text is appended first.
    std::string NoteNumber(const std::string& text);
    // The numbers of the texts, sorted as texts (so "10" before "2") and
    // joined with ","; a text listed twice gives its number twice.
    std::string NoteReferences(const InfoTextList& texts);
    std::int32_t NoteCount() const { return static_cast<std::int32_t>(texts_.size()); }
    // The text with number n; empty when n is out of range.
    const std::string& NoteAt(std::int32_t n) const;

private:
    std::vector<std::string> texts_;
};

// The eight texts of a roster row: Type, Atks, Hits, Save, Cmd, Size, Pts, remarks.
using RowCells = std::array<std::string, 8>;

// The column titles of a heading row.
const RowCells& ColumnTitles();

// Indent levels of rows.
inline constexpr std::int32_t kHeadingIndent = 0;
inline constexpr std::int32_t kUnitIndent = 2;

// The roster output interface and the composition. The virtual operations
// are declared in their fixed slot order; each returns the vertical space it
// used in layout units (print; with draw false only measured) or 0 (HTML,
// which ignores draw and has no surface). The base writes nothing itself: it
// composes WriteRoster, WriteUnit, WriteCategoryHeader, WriteMinimumWarnings
// and WriteInformation from the other operations. The writer reads the army
// through the document on every call and changes nothing.
class ReportWriter {
public:
    // The document must outlive the writer.
    explicit ReportWriter(const ArmyDocument& document);
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    virtual std::int32_t WriteBelowMinimum(PrintSurface* surface, const std::string& troopTypeName,
                                           bool draw);
    virtual std::int32_t WriteMinimumWarnings(PrintSurface* surface, bool draw);
    virtual std::int32_t LayoutPages(PrintSurface* surface, const PrintJob& job, bool draw);
    virtual std::int32_t WriteParagraph(bool highlight, const std::string& title, const std::string& body,
                                        bool draw);
    virtual std::int32_t BeginUnitRow(bool draw);
    virtual std::int32_t WriteHeader(std::int32_t page, bool draw);
    virtual std::int32_t WriteFooter(std::int32_t page, bool draw);
    // The tables (troop types in army-list order, entries grouped by type in
    // army order), the totals and the below-minimum warnings.
    virtual std::int32_t WriteRoster();
    // The nation's description (Complete only), the notes, and the magic
    // items and siege engines in use; nothing for None.
    virtual std::int32_t WriteInformation(InfoChoice choice, bool draw);
    // A heading row ("Character" or "Unit") for kinds char, unit and unSk.
    virtual std::int32_t WriteCategoryHeader(Code troopKind, bool draw);
    // cellRect, when given, receives the remarks cell (print only).
    virtual std::int32_t WriteRow(bool overMaximum, std::int32_t indent, const std::string& name,
                                  const RowCells& cells, Rect* cellRect, bool draw);
    // item is a UnitEntry (kind "unit") or a bare TroopTypeRecord (a mount or
    // the runners); any other kind writes nothing.
    virtual std::int32_t WriteUnit(const TaggedObject& item, std::int32_t indent,
                                   std::optional<std::int32_t> armourSaveOverride, bool draw);
    virtual std::int32_t BeginTable(bool draw);
    virtual std::int32_t EndTable(bool draw);
    virtual std::int32_t WriteTotals(bool draw);
    virtual ~ReportWriter();

    const NoteTable& notes() const { return notes_; }
    const ArmyDocument& document() const { return *document_; }

protected:
    // A titled text of the information section.
    struct InfoParagraph {
        bool highlight = false;
        std::string title;
        std::string body;
    };

    const Army& army() const;
    // The troop types that the roster lists and that have entries, each with
    // its entries in army order: the order of the roster's rows.
    template <class Visit> void ForEachRosterEntry(Visit&& visit) const;
    // Numbers every note the roster rows show, in the rows' order, so that the
    // information section matches the rows even when none was written.
    void RegisterNotes();
    // The information section after the nation's description: the notes
    // (registered first) when asked for, then the magic items and siege
    // engines in use, an item carried more than once highlighted.
    std::vector<InfoParagraph> InformationParagraphs(bool withNotes);
    // The cells of a unit entry's or bare troop type's row.
    RowCells UnitCells(const TroopTypeRecord& type, const UnitEntry* entry,
                       std::optional<std::int32_t> armourSaveOverride);
    // The nation's "emsk" troop type when the entry fields runners, else none.
    const TroopTypeRecord* RunnersOf(const UnitEntry& entry) const;

    NoteTable notes_;

private:
    const ArmyDocument* document_;
};

template <class Visit> void ReportWriter::ForEachRosterEntry(Visit&& visit) const {
    const Army& a = army();
    const NationRecord& nation = a.nation();
    for (const TroopTypeRecord* type = nation.NextListedTroopType(nullptr); type != nullptr;
         type = nation.NextListedTroopType(type)) {
        for (std::int32_t i = 0; i < a.UnitCount(); ++i) {
            const UnitEntry* entry = a.UnitAt(i);
            if (&entry->troopType() == type)
                visit(*type, *entry);
        }
    }
}

} // namespace ovra
