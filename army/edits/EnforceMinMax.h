// Army > Min/Max units: every troop type brought within its bounds.
#pragma once

#include "ArmyEdit.h"

namespace ovra::edits {

class EnforceMinMax : public EntriesEdit {
protected:
    void Make(Army& army) override { army.EnforceMinMax(); }
};

} // namespace ovra::edits
