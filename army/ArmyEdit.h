// An edit of the army: one user action that the document makes, takes back
// and makes again. Each kind of edit is a small class of its own under
// edits/: what it changes and one Apply that goes either way. Edits refer to
// entries by id and to catalogue records, never to entries themselves, so
// they stay valid however the army changes between an undo and a redo.
#pragma once

#include "Army.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace ovra {

class ArmyDocument;
struct DocumentState;

// What a change touched, so that listeners refresh no more than that.
struct ArmyChange {
    enum class Scope {
        Army,  // anything at all: nation, limit, every entry (a new army, a load)
        Units, // entries added or removed; `troopType` when they are all of one
        Unit,  // one entry's name or options; `unit` and its `troopType`
        Limit, // the points limit
    };
    Scope scope = Scope::Army;
    const TroopTypeRecord* troopType = nullptr;
    UnitId unit = 0; // may be gone by the time the change is announced

    bool operator==(const ArmyChange&) const = default;
};

enum class Direction { Forward, Back };

// Edits typed a character at a time; consecutive edits of one burst of
// typing can become one step.
enum class Burst { None, PointsLimit, Rename };

class ArmyEdit {
public:
    virtual ~ArmyEdit() = default;

    // Forward makes the change (the first time it works out what it does)
    // and Back takes it back. Only the document calls this, in stack order:
    // an edit is applied back only right after it was applied forward.
    virtual void Apply(ArmyDocument& document, Direction direction) = 0;
    // False when making it changed nothing (renaming to the same name,
    // choosing the option already chosen): it need not be kept.
    virtual bool Changed() const { return true; }
    virtual Burst burst() const { return Burst::None; }
    // Folds a later edit of the same kind of typing into this one; false
    // when they cannot be one step.
    bool Absorb(const ArmyEdit& later) {
        return burst() != Burst::None && later.burst() == burst() && AbsorbTyping(later);
    }
    // What the edit touched; undo and redo show it.
    const ArmyChange& touched() const { return touched_; }

protected:
    // Absorb for an edit of the same burst kind.
    virtual bool AbsorbTyping(const ArmyEdit& later) {
        (void)later;
        return false;
    }

    ArmyChange touched_;
};

// An edit that removes entries and appends new ones at the end: counts, new
// units, deletions, Min/Max. It records the entries it removed, with their
// places, and those it appended.
class EntriesEdit : public ArmyEdit {
public:
    void Apply(ArmyDocument& document, Direction direction) final;
    // After it was made, the first entry it appended; else 0.
    UnitId firstAdded() const { return appended_.empty() ? 0 : appended_.front().id; }

protected:
    EntriesEdit() { touched_.scope = ArmyChange::Scope::Units; }
    // The change itself, run once: it may remove entries anywhere and append
    // entries at the end, in that order.
    virtual void Make(Army& army) = 0;

private:
    bool made_ = false;
    std::vector<RemovedUnit> removed_; // ascending by their place before the edit
    std::vector<UnitEntryState> appended_;
};

// An edit of one entry's name or options: it keeps the entry as it was and
// as it became, and puts either back.
class EntryEdit : public ArmyEdit {
public:
    void Apply(ArmyDocument& document, Direction direction) final;
    bool Changed() const override { return before_ != after_; }

protected:
    explicit EntryEdit(UnitId unit) : unit_(unit) {
        touched_.scope = ArmyChange::Scope::Unit;
        touched_.unit = unit;
    }
    virtual void Make(Army& army, const UnitEntry& entry) = 0;

    UnitId unit_;
    UnitEntryState before_;
    UnitEntryState after_;

private:
    bool made_ = false;
};

// An edit that replaces the whole army and what the document remembers for
// rebuilding it (nation, limit, whether New fills, the file it is bound to):
// it keeps the document's state before and after.
class WholeArmyEdit : public ArmyEdit {
public:
    ~WholeArmyEdit() override;
    void Apply(ArmyDocument& document, Direction direction) final;

protected:
    WholeArmyEdit();
    // The change itself, run once.
    virtual void Make(ArmyDocument& document) = 0;

private:
    std::unique_ptr<const DocumentState> before_;
    std::unique_ptr<const DocumentState> after_;
};

} // namespace ovra
