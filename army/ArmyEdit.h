// What one edit of the army changed: enough for the document to undo and
// redo it, and to tell the views what to show.
#pragma once

#include "Army.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace ovra {

// What a change touched: a troop type, a unit of it, or (neither) the whole
// army. The unit may be gone by the time the change is announced.
struct ArmyChange {
    const TroopTypeRecord* troopType = nullptr;
    UnitId unit = 0;

    bool operator==(const ArmyChange&) const = default;
};

// Made by the document's edit operations and given back to its Undo and
// Redo. It refers to entries by id and to catalogue records, never to
// entries themselves, so it stays valid however the army changes between.
class ArmyEdit {
public:
    enum class Kind { Count, NewUnit, DeleteUnit, MinMax, Rename, Option, Nation, PointsLimit };

    Kind kind() const { return kind_; }
    // What the edit touched; undo and redo show it.
    const ArmyChange& touched() const { return touched_; }
    // After an edit that added units, the first one it added; else 0.
    UnitId firstAdded() const { return appended_.empty() ? 0 : appended_.front().id; }

private:
    friend class ArmyDocument;

    // The whole army and what the document remembers for rebuilding it.
    struct Whole {
        const NationRecord* nation = nullptr;
        std::int32_t pointsLimit = 0;
        const NationRecord* rememberedNation = nullptr;
        std::int32_t rememberedPoints = 0;
        bool fillMinimums = false;
        std::vector<UnitEntryState> entries;
        std::filesystem::path boundPath; // the file a plain Save writes to
        std::filesystem::path proposedPath;
    };

    Kind kind_ = Kind::Count;
    ArmyChange touched_;
    std::uint64_t revisionBefore_ = 0;
    std::uint64_t revisionAfter_ = 0;

    // Count, NewUnit, DeleteUnit, MinMax: entries removed, in ascending order
    // of their place before the edit, then entries appended at the end.
    std::vector<RemovedUnit> removed_;
    std::vector<UnitEntryState> appended_;
    // Rename, Option: one entry before and after.
    UnitEntryState before_;
    UnitEntryState after_;
    // PointsLimit.
    std::int32_t pointsBefore_ = 0;
    std::int32_t pointsAfter_ = 0;
    // Nation: shared, since an edit may be copied.
    std::shared_ptr<const Whole> wholeBefore_;
    std::shared_ptr<const Whole> wholeAfter_;
};

} // namespace ovra
