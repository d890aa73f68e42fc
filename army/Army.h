// The user's army while it is edited: a nation, a points limit and the ordered
// unit entries with their options, with every count, sum and composition rule
// computed afresh from the entries on each call (nothing is cached).
#pragma once

#include "Records.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class Army;
class SkirmisherUnitEntry;

// Largest number of entries of one troop type that filling minimums or
// Min/Max units adds in one go; an absurd minimum cannot exhaust memory.
inline constexpr std::int32_t kMaxEntriesAddedPerType = 9999;
// The maximum that stands for "no maximum".
inline constexpr std::int32_t kNoMaximum = 9999;

// One unit or character of the army. Options have two empty states: no
// reference means the troop type cannot take the option; a reference to the
// "no" record (nomo, nomi, noen) means it can and none is chosen.
class UnitEntry : public TaggedObject {
public:
    UnitEntry(Army& army, const TroopTypeRecord& troopType);
    ~UnitEntry() override = default;

    virtual bool CountsForBreakpoint() const;
    // Text for the unit panel, lines separated by CR LF.
    virtual void Description(std::string& out) const;
    // The troop type's roster notes.
    virtual void InfoLines(InfoTextList& out) const;
    // Cost of the unit with its options; clamped to the 32-bit range.
    virtual std::int32_t Points() const;
    // Takes troop type, army, options and name of the other entry.
    virtual void CopySettingsFrom(const UnitEntry& other);
    // This entry as a skirmisher-capable entry, or none.
    virtual SkirmisherUnitEntry* AsSkirmisher() { return nullptr; }
    virtual const SkirmisherUnitEntry* AsSkirmisher() const { return nullptr; }

    // An empty text gives the entry its troop type's name again.
    void SetName(std::string_view name);
    const std::string& name() const { return name_; }
    const TroopTypeRecord& troopType() const { return *troopType_; }
    Army& army() const { return *army_; }

    const TroopTypeRecord* mount = nullptr;
    const MagicItemRecord* magicItem = nullptr;
    const SiegeEngineRecord* siegeEngine = nullptr;

protected:
    std::string name_;
    const TroopTypeRecord* troopType_;
    Army* army_;
};

// An entry of a troop type of kind "unSk", which may field the nation's runners.
class SkirmisherUnitEntry : public UnitEntry {
public:
    using UnitEntry::UnitEntry;

    void Description(std::string& out) const override;
    std::int32_t Points() const override;
    void CopySettingsFrom(const UnitEntry& other) override;
    SkirmisherUnitEntry* AsSkirmisher() override { return this; }
    const SkirmisherUnitEntry* AsSkirmisher() const override { return this; }

    bool skirmishers = false;
};

class Army {
public:
    Army(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums);
    Army(const Army&) = delete;
    Army& operator=(const Army&) = delete;
    virtual ~Army();

    // Units that count, halved and rounded up.
    virtual std::int32_t BreakPoint() const;

    const NationRecord& nation() const { return *nation_; }
    std::int32_t pointsLimit() const { return pointsLimit_; }
    void setPointsLimit(std::int32_t value) { pointsLimit_ = value; }

    std::int32_t UnitCount() const { return static_cast<std::int32_t>(entries_.size()); }
    UnitEntry* UnitAt(std::int32_t index) const { return entries_[static_cast<std::size_t>(index)].get(); }
    // The index of an entry of this army, or -1.
    std::int32_t IndexOf(const UnitEntry* entry) const;

    // A new entry with default options, not yet in the army; none when the
    // nation has no troop type with that code.
    std::unique_ptr<UnitEntry> CreateUnit(Code troopCode);
    UnitEntry* AddUnit(Code troopCode);
    // Removes and destroys the entry; an entry not in this army changes nothing.
    void RemoveUnit(const UnitEntry* entry);
    UnitEntry* FindLastOfType(Code troopCode) const;

    std::int32_t CountOfType(Code troopCode) const;
    std::int32_t CountRiding(Code mountCode) const;
    std::int32_t CountCarrying(Code itemCode) const;
    std::int32_t CountWithEngine(Code engineCode) const;
    std::int32_t PointsOfType(Code troopCode) const;
    std::int32_t TotalPoints() const;

    // Composition rules: bounds per troop type for the current points limit.
    std::int32_t PointsScale() const;
    std::int32_t PooledCount(Code troopCode) const;
    std::int32_t MinimumRequired(const TroopTypeRecord& type) const;
    std::int32_t MaximumAllowed(const TroopTypeRecord& type) const;
    // What the roster sets against the bounds: riders for a mount, the pool otherwise.
    std::int32_t NumberInArmy(Code troopCode) const;
    void SetCountOfType(Code troopCode, std::int32_t count);
    void FillMinimums();
    void EnforceMinMax();

    // Army > New unit: a new entry of the selected troop type, or a duplicate
    // of the selected entry, at the end of the army. None when nothing suits.
    UnitEntry* NewUnit(const TaggedObject* selection);
    // Army > Delete unit: removes the selected entry; false for a troop type or none.
    bool DeleteUnit(const TaggedObject* selection);

private:
    std::int64_t OthersInPool(Code troopCode) const;
    std::int32_t SelfReferencesInPool(Code troopCode) const;
    std::int32_t MinimumFor(const TroopTypeRecord& type, std::int64_t others) const;
    std::int32_t MaximumFor(const TroopTypeRecord& type, std::int64_t others) const;
    std::int32_t LastIndexOfType(Code troopCode) const;

    const NationRecord* nation_;
    std::int32_t pointsLimit_;
    std::vector<std::unique_ptr<UnitEntry>> entries_;
};

// Clamps a wide intermediate result to the signed 32-bit range.
std::int32_t ClampToInt32(std::int64_t value);

} // namespace ovra
