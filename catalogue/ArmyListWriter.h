// Writes catalogue records back as army-list text, in the tag format the
// reader reads, so that reading the text gives the same records. The format
// has no escapes: a value that cannot be written so (a double quote in a
// quoted string, a free text holding its own closing tag, a code the reader
// would not read back) makes the writer fail rather than write something else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ovra {

struct MagicItemCategory;
struct MagicItemRecord;
struct NationRecord;
struct SiegeEngineRecord;
struct TroopCategory;
struct TroopTypeRecord;

class ArmyListWriter {
public:
    // With `descriptions` false, INFO and UINFO texts are left out.
    explicit ArmyListWriter(bool descriptions = true) : descriptions_(descriptions) {}

    // Text outside the records, which the reader ignores; it must hold no '<'.
    void Comment(std::string_view text);
    void Write(const TroopCategory& category);
    void Write(const MagicItemCategory& category);
    void Write(const MagicItemRecord& item);
    void Write(const SiegeEngineRecord& engine);
    // The nation with the given troop types (its own, in the order given).
    void Write(const NationRecord& nation, const std::vector<const TroopTypeRecord*>& troopTypes);

    // False once a value could not be written; `error` says which.
    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    const std::string& text() const { return text_; }

private:
    void Code(std::uint32_t code, std::string_view what);
    void Number(std::int32_t value);
    void Quoted(std::string_view value, std::string_view what);
    void Word(std::string_view value, std::string_view what);
    void FreeText(std::string_view tag, std::string_view value, std::string_view what);
    void Fail(std::string_view what, std::string_view why);
    void WriteTroopType(const TroopTypeRecord& type);

    bool descriptions_;
    std::string text_;
    std::string error_;
};

} // namespace ovra
