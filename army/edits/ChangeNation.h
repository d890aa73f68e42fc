// A nation picked in the nation bar: a new army of that nation at the
// current limit, filled with every troop type's minimum, and File > New
// fills too from then on. It is not the file's army any more: the next Save
// asks for a name, proposing the file's.
#pragma once

#include "ArmyDocument.h"

namespace ovra::edits {

class ChangeNation : public WholeArmyEdit {
public:
    explicit ChangeNation(const NationRecord& nation) : nation_(&nation) {}

protected:
    void Make(ArmyDocument& document) override {
        document.Rebuild(*nation_, document.army().pointsLimit(), true);
        document.Unbind();
    }

private:
    const NationRecord* nation_;
};

} // namespace ovra::edits
