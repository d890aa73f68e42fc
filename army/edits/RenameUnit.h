// A unit's name, typed in the unit panel. An empty name gives the unit its
// troop type's name again. The letters of one burst of typing are one step.
#pragma once

#include "ArmyEdit.h"

#include <string>
#include <string_view>

namespace ovra::edits {

class RenameUnit : public EntryEdit {
public:
    RenameUnit(UnitId unit, std::string_view name) : EntryEdit(unit), name_(name) {}

    Burst burst() const override { return Burst::Rename; }

protected:
    bool AbsorbTyping(const ArmyEdit& later) override {
        const auto& rename = static_cast<const RenameUnit&>(later);
        if (rename.unit_ != unit_ || unit_ == 0)
            return false;
        after_ = rename.after_;
        return true;
    }

    void Make(Army& army, const UnitEntry& entry) override { army.SetName(entry, name_); }

private:
    std::string name_;
};

} // namespace ovra::edits
