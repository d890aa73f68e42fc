#include "ArmyEdit.h"

#include "ArmyDocument.h"

namespace ovra {

void EntriesEdit::Apply(ArmyDocument& document, Direction direction) {
    Army& army = document.army();
    if (direction == Direction::Back) {
        // The appended entries are the last ones; the removed go back to their places.
        std::vector<std::int32_t> appended;
        const std::int32_t count = army.UnitCount();
        for (std::int32_t i = count - static_cast<std::int32_t>(appended_.size()); i < count; ++i)
            if (i >= 0)
                appended.push_back(i);
        army.RemoveUnitsAt(appended);
        army.InsertUnitsAt(removed_);
        return;
    }
    if (made_) {
        std::vector<std::int32_t> removed;
        removed.reserve(removed_.size());
        for (const RemovedUnit& unit : removed_)
            removed.push_back(unit.index);
        army.RemoveUnitsAt(removed);
        for (const UnitEntryState& state : appended_)
            army.AppendUnit(state);
        return;
    }
    made_ = true;
    const std::int32_t before = army.UnitCount();
    army.RecordRemovals(&removed_);
    Make(army);
    army.RecordRemovals(nullptr);
    const std::int32_t kept = before - static_cast<std::int32_t>(removed_.size());
    for (std::int32_t i = kept; i < army.UnitCount(); ++i)
        appended_.push_back(Army::StateOf(*army.UnitAt(i)));
}

namespace {

void PutBack(Army& army, const UnitEntryState& state) {
    const UnitEntry* entry = army.FindUnit(state.id);
    if (entry == nullptr)
        return;
    army.SetName(*entry, state.name);
    army.SetMount(*entry, state.mount);
    army.SetMagicItem(*entry, state.magicItem);
    army.SetSiegeEngine(*entry, state.siegeEngine);
    army.SetSkirmishers(*entry, state.skirmishers);
}

} // namespace

void EntryEdit::Apply(ArmyDocument& document, Direction direction) {
    Army& army = document.army();
    if (made_) {
        PutBack(army, direction == Direction::Forward ? after_ : before_);
        return;
    }
    made_ = true;
    if (const UnitEntry* entry = army.FindUnit(unit_)) {
        touched_.troopType = &entry->troopType();
        before_ = Army::StateOf(*entry);
        Make(army, *entry);
        after_ = Army::StateOf(*entry);
    }
}

WholeArmyEdit::WholeArmyEdit() = default;
WholeArmyEdit::~WholeArmyEdit() = default;

void WholeArmyEdit::Apply(ArmyDocument& document, Direction direction) {
    if (after_ != nullptr) {
        document.Restore(direction == Direction::Forward ? *after_ : *before_);
        return;
    }
    before_ = std::make_unique<DocumentState>(document.State());
    Make(document);
    after_ = std::make_unique<DocumentState>(document.State());
}

} // namespace ovra
