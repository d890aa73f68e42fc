// Army > New unit: a unit of the troop type, or a duplicate of a unit with
// its name and options, appended at the end of the army.
#pragma once

#include "ArmyEdit.h"

namespace ovra::edits {

class NewUnit : public EntriesEdit {
public:
    // A new unit of the type, with default options.
    explicit NewUnit(const TroopTypeRecord& type) : type_(&type) {}
    // A copy of the unit with that id; nothing when it is gone.
    explicit NewUnit(UnitId source) : source_(source) {}

protected:
    void Make(Army& army) override {
        const TaggedObject* from = type_;
        if (source_ != 0)
            from = army.FindUnit(source_);
        if (from == nullptr)
            return;
        touched_.troopType = from->kind == kKindUnitEntry ? &static_cast<const UnitEntry*>(from)->troopType()
                                                          : static_cast<const TroopTypeRecord*>(from);
        if (const UnitEntry* entry = army.NewUnit(from))
            touched_.unit = entry->id();
    }

private:
    const TroopTypeRecord* type_ = nullptr;
    UnitId source_ = 0;
};

} // namespace ovra::edits
