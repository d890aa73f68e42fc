// The records of the army-list catalogue. They are built once when the
// catalogue loads and never change afterwards; the rest of the program holds
// plain pointers to them for the catalogue's lifetime.
#pragma once

#include "Code.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ovra {

class ArmyCatalogue;
class ArmyListReader;
struct NationRecord;
struct MagicItemRecord;
struct SiegeEngineRecord;

// Base of everything handed around as a generic pointer (records and unit
// entries); holders tell them apart by `kind`, never by run-time type.
struct TaggedObject {
    explicit TaggedObject(Code k) : kind(k) {}
    TaggedObject(const TaggedObject&) = delete;
    TaggedObject& operator=(const TaggedObject&) = delete;
    virtual ~TaggedObject() = default;

    Code kind;
};

// Header shared by every catalogue record.
struct CatalogueEntry : TaggedObject {
    explicit CatalogueEntry(Code k) : TaggedObject(k) {}

    std::uint32_t key = 0; // nation id, category bit or four-character code
    std::string name;
    std::string info;
};

// The ordered texts that a troop type contributes to a roster's notes.
using InfoTextList = std::vector<std::string>;

struct TroopCategory : CatalogueEntry {
    TroopCategory() : CatalogueEntry(kKindTroopCategory) {}
    std::string abbreviation;
};

struct MagicItemCategory : CatalogueEntry {
    MagicItemCategory() : CatalogueEntry(kKindItemCategory) {}
};

struct MagicItemRecord : CatalogueEntry {
    MagicItemRecord() : CatalogueEntry(kKindMagicItem) {}
    Code code() const { return key; }

    std::int32_t itemCategory = 0;
    std::int32_t points = 0;
    std::int32_t troopCategoryMask = 0;
    std::size_t ordinal = 0; // position in the catalogue's list
};

struct SiegeEngineRecord : CatalogueEntry {
    SiegeEngineRecord() : CatalogueEntry(kKindSiegeEngine) {}
    Code code() const { return key; }

    std::int32_t points = 0;
    std::size_t ordinal = 0;
};

struct SpecialRuleRecord : CatalogueEntry {
    SpecialRuleRecord() : CatalogueEntry(kKindSpecialRule) {}
    Code code() const { return key; }

    std::int32_t points = 0;
    std::size_t ordinal = 0;
};

struct TroopTypeRecord : CatalogueEntry {
    explicit TroopTypeRecord(NationRecord& owner) : CatalogueEntry(kKindTroopType), nation(&owner) {}
    Code code() const { return key; }

    // True for units ("unit", "unSk") without NOBREAK: they make up the breakpoint.
    bool CountsForBreakpoint() const;
    // The nation's mounts whose LIMIT holds this type's code, after `previous`.
    const TroopTypeRecord* NextMount(const TroopTypeRecord* previous) const;
    // Whether NextMount's walk reaches the mount: what the picker offers.
    bool MountWalkIncludes(const TroopTypeRecord& mount) const;
    // The catalogue's magic items this type may carry, after `previous`.
    const MagicItemRecord* NextAllowedMagicItem(const MagicItemRecord* previous) const;
    // Every siege engine for an infantry type, none for the others.
    const SiegeEngineRecord* NextAllowedSiegeEngine(const SiegeEngineRecord* previous) const;
    // The texts the roster prints about this type: UINFO, then the rules of SRULE;
    // its own INFO only when it has neither.
    void CollectInfoTexts(InfoTextList& list) const;

    std::int32_t category = 0;
    Code troopKind = 0;
    std::int32_t attacks = 0;
    std::string shots;
    std::int32_t hits = 0;
    std::int32_t armourSave = 0;
    std::int32_t command = 0;
    std::int32_t size = 0;
    std::int32_t points = 0;
    std::int32_t minCount = 0;
    std::int32_t maxCount = 0;
    std::int32_t itemCategoryMask = 0;
    bool countsForBreakpoint = true;
    NationRecord* nation;
    std::string limit;
    std::string ruleCodes;
    std::string unitInfo;
    std::size_t ordinal = 0; // position in the nation's list
};

struct NationRecord : CatalogueEntry {
    explicit NationRecord(const ArmyCatalogue& owner);
    std::int32_t id() const { return static_cast<std::int32_t>(key); }

    const TroopTypeRecord* NextTroopType(const TroopTypeRecord* previous) const;
    // Like NextTroopType, without mounts and special profiles: what the army lists.
    const TroopTypeRecord* NextListedTroopType(const TroopTypeRecord* previous) const;
    // The first troop type with that code, in file order.
    const TroopTypeRecord* FindTroopType(Code code) const;

    std::string armyName;
    std::vector<std::unique_ptr<TroopTypeRecord>> troopTypes;
    const ArmyCatalogue* catalogue;
    std::size_t source = 0; // index in the catalogue's sources() of the text that defined it

    ~NationRecord() override;

private:
    friend struct TroopTypeRecord;

    // What finds troop types and mounts by code, so that lists of any length
    // are walked and searched in time linear in what they hold. Built when
    // first asked, from the troop types, which never change after loading;
    // a nation nobody looks into costs nothing.
    struct Index;
    const Index& index() const;
    mutable std::once_flag indexed_;
    mutable std::unique_ptr<Index> index_;
};

} // namespace ovra
