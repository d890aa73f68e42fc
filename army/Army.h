// The user's army while it is edited: a nation, a points limit and the ordered
// unit entries with their options. Every change goes through the army, which
// keeps what the rules count (entries per troop type, riders per mount,
// carriers per item, points per type) up to date, so that counts and sums
// are read in constant time.
#pragma once

#include "Records.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace ovra {

class Army;
class SkirmisherUnitEntry;

// Largest number of entries of one troop type that filling minimums or
// Min/Max units adds in one go; an absurd minimum cannot exhaust memory.
inline constexpr std::int32_t kMaxEntriesAddedPerType = 9999;
// The maximum that stands for "no maximum".
inline constexpr std::int32_t kNoMaximum = 9999;

// Identifies an entry for as long as it exists, and again when an undone
// deletion brings it back; never 0, and never given to two entries, even of
// different armies.
using UnitId = std::uint64_t;

// Everything that makes up an entry, enough to re-create it.
struct UnitEntryState {
    UnitId id = 0;
    const TroopTypeRecord* troopType = nullptr;
    std::string name;
    const TroopTypeRecord* mount = nullptr;
    const MagicItemRecord* magicItem = nullptr;
    const SiegeEngineRecord* siegeEngine = nullptr;
    bool skirmishers = false;

    bool operator==(const UnitEntryState&) const = default;
};

// An entry taken out of the army, with its place before it was taken out.
struct RemovedUnit {
    std::int32_t index = 0;
    UnitEntryState state;
};

// One unit or character of the army. Options have two empty states: no
// reference means the troop type cannot take the option; a reference to the
// "no" record (nomo, nomi, noen) means it can and none is chosen. Entries are
// changed through their army only.
class UnitEntry : public TaggedObject {
public:
    UnitEntry(Army& army, const TroopTypeRecord& troopType, UnitId id);
    ~UnitEntry() override = default;

    bool CountsForBreakpoint() const;
    // Text for the unit panel, lines separated by CR LF.
    virtual void Description(std::string& out) const;
    // Cost of the unit with its options; clamped to the 32-bit range.
    virtual std::int32_t Points() const;
    // This entry as a skirmisher-capable entry, or none.
    virtual const SkirmisherUnitEntry* AsSkirmisher() const { return nullptr; }

    UnitId id() const { return id_; }
    const std::string& name() const { return name_; }
    const TroopTypeRecord& troopType() const { return *troopType_; }
    Army& army() const { return *army_; }
    const TroopTypeRecord* mount() const { return mount_; }
    const MagicItemRecord* magicItem() const { return magicItem_; }
    const SiegeEngineRecord* siegeEngine() const { return siegeEngine_; }
    // Set for a skirmisher-capable entry that fields the nation's runners.
    bool skirmishers() const;

protected:
    friend class Army;

    // Takes options and name of the other entry.
    virtual void CopySettingsFrom(const UnitEntry& other);
    // An empty text gives the entry its troop type's name again.
    void SetName(std::string_view name);

    UnitId id_;
    std::string name_;
    const TroopTypeRecord* troopType_;
    Army* army_;
    const TroopTypeRecord* mount_ = nullptr;
    const MagicItemRecord* magicItem_ = nullptr;
    const SiegeEngineRecord* siegeEngine_ = nullptr;
};

// An entry of a troop type of kind "unSk", which may field the nation's runners.
class SkirmisherUnitEntry : public UnitEntry {
public:
    using UnitEntry::UnitEntry;

    void Description(std::string& out) const override;
    std::int32_t Points() const override;
    const SkirmisherUnitEntry* AsSkirmisher() const override { return this; }

protected:
    friend class Army;
    friend class UnitEntry;

    void CopySettingsFrom(const UnitEntry& other) override;

    bool skirmishers_ = false;
};

class Army {
public:
    Army(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums);
    Army(const Army&) = delete;
    Army& operator=(const Army&) = delete;
    ~Army();

    // Units that count, halved and rounded up.
    std::int32_t BreakPoint() const;

    const NationRecord& nation() const { return *nation_; }
    std::int32_t pointsLimit() const { return pointsLimit_; }
    void setPointsLimit(std::int32_t value) { pointsLimit_ = value; }

    std::int32_t UnitCount() const { return static_cast<std::int32_t>(entries_.size()); }
    UnitEntry* UnitAt(std::int32_t index) const { return entries_[static_cast<std::size_t>(index)].get(); }
    // The index of an entry of this army, or -1.
    std::int32_t IndexOf(const UnitEntry* entry) const;
    // The entry with that id, or none.
    UnitEntry* FindUnit(UnitId id) const;

    // Appends a new entry of the troop type with that code, with default
    // options; none when the nation has no troop type with that code.
    UnitEntry* AddUnit(Code troopCode);
    // Removes and destroys the entry; an entry not in this army changes nothing.
    void RemoveUnit(const UnitEntry* entry);

    // Option changes of an entry of this army (others are ignored). The army
    // does not check a choice against what the troop type allows; the pickers
    // offer only allowed ones.
    void SetName(const UnitEntry& entry, std::string_view name);
    void SetMount(const UnitEntry& entry, const TroopTypeRecord* mount);
    void SetMagicItem(const UnitEntry& entry, const MagicItemRecord* item);
    void SetSiegeEngine(const UnitEntry& entry, const SiegeEngineRecord* engine);
    // Also ignored for an entry that cannot field runners.
    void SetSkirmishers(const UnitEntry& entry, bool skirmishers);

    // Entry snapshots, for undoing changes.
    static UnitEntryState StateOf(const UnitEntry& entry);
    // Appends an entry as the state describes it, with the state's id; none
    // when the state's troop type is not of this army's nation or the id is
    // taken.
    UnitEntry* AppendUnit(const UnitEntryState& state);
    // Puts entries back at their places, given in ascending order as they
    // were recorded when removed, in one pass.
    void InsertUnitsAt(const std::vector<RemovedUnit>& ascending);
    // Removes the entries at the given indices (ascending, each valid) in one pass.
    void RemoveUnitsAt(const std::vector<std::int32_t>& ascendingIndices);
    // While set, every removed entry is added to the log with its place.
    void RecordRemovals(std::vector<RemovedUnit>* log) { removals_ = log; }

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
    // A pooled troop type's bounds for the whole pool (its own units and
    // those of the types its LIMIT names): what MinimumRequired and
    // MaximumAllowed give before the other members' units are taken off.
    std::int32_t PoolMinimum(const TroopTypeRecord& type) const { return MinimumFor(type, 0); }
    std::int32_t PoolMaximum(const TroopTypeRecord& type) const { return MaximumFor(type, 0); }
    void SetCountOfType(Code troopCode, std::int32_t count);
    void FillMinimums();
    void EnforceMinMax();

    // Army > New unit: a new entry of the troop type, or a duplicate of the
    // entry, at the end of the army. None when nothing suits.
    UnitEntry* NewUnit(const TaggedObject* selection);
    // Army > Delete unit: removes the entry; false for a troop type or none.
    bool DeleteUnit(const TaggedObject* selection);

private:
    std::unique_ptr<UnitEntry> CreateUnit(const TroopTypeRecord& type, UnitId id);
    static UnitId NewId();
    // A detached entry as the state describes it; none when it cannot be made.
    std::unique_ptr<UnitEntry> Recreate(const UnitEntryState& state);
    UnitEntry* Append(std::unique_ptr<UnitEntry> entry);
    // The entry itself when it belongs to this army, else none.
    UnitEntry* Own(const UnitEntry& entry) const;
    // Adds or takes away an entry's share of the kept counts.
    void Count(const UnitEntry& entry, int sign);
    // Removes the last `count` entries of each code in one pass over the entries.
    void RemoveLastOfTypes(std::unordered_map<Code, std::int32_t> surplus);
    std::int64_t OthersInPool(Code troopCode) const;
    std::int32_t SelfReferencesInPool(Code troopCode) const;
    std::int32_t MinimumFor(const TroopTypeRecord& type, std::int64_t others) const;
    std::int32_t MaximumFor(const TroopTypeRecord& type, std::int64_t others) const;

    const NationRecord* nation_;
    std::int32_t pointsLimit_;
    std::vector<std::unique_ptr<UnitEntry>> entries_;

    // Kept in step with the entries by every change.
    struct TypeTally {
        std::int32_t count = 0;
        std::int64_t points = 0;
    };
    std::unordered_map<Code, TypeTally> byType_;
    std::unordered_map<Code, std::int32_t> riding_;
    std::unordered_map<Code, std::int32_t> carrying_;
    std::unordered_map<Code, std::int32_t> withEngine_;
    std::unordered_map<UnitId, UnitEntry*> byId_;
    std::int64_t totalPoints_ = 0;
    std::int64_t counting_ = 0; // entries that count for the breakpoint
    std::vector<RemovedUnit>* removals_ = nullptr;
};

// Clamps a wide intermediate result to the signed 32-bit range.
std::int32_t ClampToInt32(std::int64_t value);

} // namespace ovra
