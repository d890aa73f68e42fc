// Army > Delete unit: the unit is removed; undoing puts it back in its place.
#pragma once

#include "ArmyEdit.h"

namespace ovra::edits {

class DeleteUnit : public EntriesEdit {
public:
    explicit DeleteUnit(UnitId unit) : unit_(unit) {}

protected:
    void Make(Army& army) override {
        if (const UnitEntry* entry = army.FindUnit(unit_)) {
            touched_.troopType = &entry->troopType();
            touched_.unit = unit_;
            army.DeleteUnit(entry);
        }
    }

private:
    UnitId unit_;
};

} // namespace ovra::edits
