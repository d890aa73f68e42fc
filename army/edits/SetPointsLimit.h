// The army's points limit, typed in the nation bar. The limit a new army
// gets is not touched. The digits of one burst of typing are one step.
#pragma once

#include "ArmyDocument.h"

namespace ovra::edits {

class SetPointsLimit : public ArmyEdit {
public:
    explicit SetPointsLimit(std::int32_t value) : after_(value) { touched_.scope = ArmyChange::Scope::Limit; }

    void Apply(ArmyDocument& document, Direction direction) override {
        if (!made_) {
            made_ = true;
            before_ = document.army().pointsLimit();
        }
        document.army().setPointsLimit(direction == Direction::Forward ? after_ : before_);
    }
    bool Changed() const override { return before_ != after_; }
    Burst burst() const override { return Burst::PointsLimit; }

protected:
    bool AbsorbTyping(const ArmyEdit& later) override {
        after_ = static_cast<const SetPointsLimit&>(later).after_;
        return true;
    }

private:
    bool made_ = false;
    std::int32_t before_ = 0;
    std::int32_t after_;
};

} // namespace ovra::edits
