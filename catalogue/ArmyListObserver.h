// What the catalogue's loading code reads, and where. An observer is told of
// every tag, field and record while one army-list text loads; it cannot
// change what is read. The linter is one; loading without an observer is the
// program's ordinary start-up.
#pragma once

#include <cstdint>
#include <string>

namespace ovra {

struct CatalogueEntry;

// The fields of the records, named as the format defines them.
enum class ArmyListField : std::uint8_t {
    Id,           // NATION, number
    Name,         // quoted, every record
    ArmyName,     // NATION, quoted
    Code,         // TROOPS, MITEM, ENGINE, SPECIAL
    Kind,         // TROOPS, code
    Category,     // TROOPS, number
    Bit,          // TRCAT, MICAT, number
    Abbreviation, // TRCAT, word
    HeaderEnd,    // everything up to and including the header's '>'
    Attacks,      // the TROOPS stat line, in order
    Shots,        // quoted
    Hits,
    ArmourSave,
    Command,
    Size,
    Points, // also MITEM, ENGINE and SPECIAL
    Minimum,
    Maximum,
    ItemCategories, // the optional tenth stat
    ItemCategory,   // MITEM header
    TroopCategories,
    Info, // free texts, from just after the sub-tag's '>'
    UnitInfo,
    Limit,
    RuleCodes,
};

class ArmyListObserver {
public:
    // What the loading code did with a tag name.
    enum class TagUse : std::uint8_t {
        Record,  // opened a record (a top-level record, or TROOPS in a nation)
        SubTag,  // a sub-tag the current record reads (INFO, LIMIT, NOBREAK, ...)
        Closing, // the current record's closing tag
        Ignored, // anything else: skipped to the next '<'
    };

    virtual ~ArmyListObserver() = default;

    // A text is about to be read: its bytes, which stay valid until the load returns.
    virtual void OnText(const unsigned char* data, std::uint32_t size) = 0;
    // A tag name read after the '<' at `at`; the name's run ends at `end`
    // (`name` is the run upper-cased and cut to what the reader keeps).
    virtual void OnTag(std::uint32_t at, std::uint32_t end, const std::string& name, TagUse use) = 0;
    // A field read from `from` to `to`; `ok` is what the reader's operation returned.
    virtual void OnField(ArmyListField field, std::uint32_t from, std::uint32_t to, bool ok) = 0;
    // A record read to its end, just before the catalogue takes it. `closed`
    // is false when the data ended before its closing tag (records without a
    // closing tag are always closed).
    virtual void OnRecordEnd(const CatalogueEntry& record, bool closed) = 0;
};

} // namespace ovra
