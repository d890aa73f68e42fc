// The number of units of a troop type, set from the count grid or with + and -:
// entries with default options are appended, or the last ones of the type
// removed. Setting the current number again still counts as an edit.
#pragma once

#include "ArmyEdit.h"

namespace ovra::edits {

class SetCountOfType : public EntriesEdit {
public:
    SetCountOfType(Code troopCode, std::int32_t count) : troopCode_(troopCode), count_(count) {}

protected:
    void Make(Army& army) override {
        touched_.troopType = army.nation().FindTroopType(troopCode_);
        army.SetCountOfType(troopCode_, count_);
    }

private:
    Code troopCode_;
    std::int32_t count_;
};

} // namespace ovra::edits
