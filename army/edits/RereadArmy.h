// The army read again: from its file after the file changed on disk, or as
// if saved and reopened after the army lists changed. One step: undoing it
// brings back the army as it was, on the army lists it was read against.
#pragma once

#include "ArmyDocument.h"

#include <string>

namespace ovra::edits {

class RereadArmy : public WholeArmyEdit {
public:
    // `catalogue` must outlive the edit; so must the one the army was on.
    RereadArmy(std::string bytes, const ArmyCatalogue& catalogue, bool fromDisk)
        : bytes_(std::move(bytes)), catalogue_(&catalogue), fromDisk_(fromDisk) {}

    // What reading it had to say; NotLoadable when the bytes were no army,
    // and then nothing changed.
    const ArmyDocument::OpenOutcome& outcome() const { return outcome_; }
    bool Changed() const override { return outcome_.result != ArmyDocument::OpenResult::NotLoadable; }

protected:
    void Make(ArmyDocument& document) override {
        outcome_ = document.Reread(bytes_, *catalogue_, fromDisk_);
        bytes_.clear();
        bytes_.shrink_to_fit(); // the states before and after are what undo needs
    }

private:
    std::string bytes_;
    const ArmyCatalogue* catalogue_;
    bool fromDisk_;
    ArmyDocument::OpenOutcome outcome_;
};

} // namespace ovra::edits
