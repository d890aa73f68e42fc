// Army-list snapshots: what the army lists said about an army when it was
// saved, kept beside the program's data so that opening the army later can
// say what changed for it since.
//
// A snapshot is a small army-list file of its own (read back by the ordinary
// reader) holding the records the army uses: its nation, every troop type it
// fields or must field, the mounts, runners, magic items and siege engines
// its units carry or are offered by default, the pooled troop types its
// bounds depend on, and the troop and item categories they refer to. Its
// descriptions are left out. It is named after a hash of the saved army
// file's bytes, so the same bytes find it again.
#pragma once

#include "ListDiff.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class Army;
class ArmyCatalogue;

// The most the snapshot files of a folder may take together; the oldest go
// first when a new one would exceed it.
inline constexpr std::uintmax_t kSnapshotFolderLimit = std::uintmax_t{4} * 1024 * 1024;

// FNV-1a, 64 bits: stable across runs, machines and builds.
std::uint64_t ArmyFileHash(std::string_view bytes);

// The snapshot's file name for an army file's bytes: 16 hexadecimal digits
// and ".dfm".
std::string SnapshotFileName(std::string_view armyFileBytes);

// The snapshot's army-list text for the army, which must be one of its
// catalogue's (the document's army). False with a reason when a record
// holds a value the format cannot carry.
bool SnapshotText(const Army& army, std::string& text, std::string& error);

struct SnapshotWriteResult {
    std::filesystem::path path; // the snapshot written
    std::string error;          // empty when it was written
    bool ok() const { return error.empty(); }
};

// Writes the army's snapshot into `folder` (made when missing) under the name
// for `armyFileBytes`, the bytes just saved, replacing a snapshot of the same
// bytes; then removes the folder's oldest snapshots, by modification time,
// until together they take at most `folderLimit` bytes (the new one stays).
// Call it after the army file itself is saved: a failure is returned as an
// error for the caller to show and changes nothing else.
SnapshotWriteResult WriteSnapshot(const std::filesystem::path& folder, std::string_view armyFileBytes,
                                  const Army& army, std::uintmax_t folderLimit = kSnapshotFolderLimit);

// The snapshot of these army-file bytes in `folder`, if there is one.
std::optional<std::filesystem::path> FindSnapshot(const std::filesystem::path& folder,
                                                  std::string_view armyFileBytes);

// The least and most units of a troop type the army may field.
struct TroopTypeBounds {
    std::int32_t minimum = 0;
    std::int32_t maximum = 0; // kNoMaximum for none
    bool operator==(const TroopTypeBounds&) const = default;
};

// One thing that changed for the army since its snapshot.
struct SnapshotChange {
    enum class Kind {
        Changed,     // a field of a record the army uses: `change.field`
        Removed,     // a record the army uses is gone (a nation: the army cannot be loaded)
        Bounds,      // a troop type's bounds at the army's points limit: `before` -> `now`
        NowRequired, // a troop type the army does not field must be fielded now: `now`
    };
    Kind kind = Kind::Changed;
    // The record (subject, nation, code, name) and, for Kind::Changed, the field.
    ListChange change;
    // The army's units of a removed troop type, riding a removed mount, or
    // carrying a removed item or engine.
    std::int32_t units = 0;
    TroopTypeBounds before;
    TroopTypeBounds now;
};

struct SnapshotComparison {
    // In the order of the lists: the nation, its troop types, the magic
    // items, the siege engines.
    std::vector<SnapshotChange> changes;
    std::int32_t totalBefore = 0;
    std::int32_t totalNow = 0;

    bool Changed() const { return !changes.empty() || totalBefore != totalNow; }
};

// What changed for the army in `armyFileBytes` between the lists of the
// snapshot text and today's catalogue: the army loaded against each (the
// snapshot alone, then today's lists) and its records, bounds and totals
// compared. False with a reason when the snapshot names no nation of the army
// or the army file is too short to name one.
bool CompareWithSnapshot(std::string_view snapshotText, std::string_view armyFileBytes,
                         const ArmyCatalogue& today, SnapshotComparison& comparison, std::string& error);
// The same with the snapshot read from a file.
bool CompareWithSnapshotFile(const std::filesystem::path& snapshot, std::string_view armyFileBytes,
                             const ArmyCatalogue& today, SnapshotComparison& comparison, std::string& error);

// A readable line for a change, such as
// `Sea Raiders: troop type Reedspears (REED): points 5 -> 6`.
std::string SnapshotChangeLine(const SnapshotChange& change);
// Every change's line, then `points total: BEFORE -> NOW`; none when nothing changed.
std::vector<std::string> SnapshotLines(const SnapshotComparison& comparison);

} // namespace ovra
