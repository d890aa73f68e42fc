#include "ArmyCommand.h"

#include "ArmyEditor.h"

namespace ovra {

ArmyCommand::ArmyCommand(ArmyEditor& editor, const QString& text, std::unique_ptr<ArmyEdit> edit,
                         int burstNumber)
    : QUndoCommand(text), editor_(editor), edit_(std::move(edit)), burstNumber_(burstNumber) {}

ArmyCommand::~ArmyCommand() = default;

void ArmyCommand::redo() {
    if (made_) {
        made_ = false; // pushed after the document made it
        return;
    }
    editor_.document().Do(*edit_);
    editor_.Reveal(edit_->touched());
}

void ArmyCommand::undo() {
    editor_.document().Undo(*edit_);
    editor_.Reveal(edit_->touched());
}

int ArmyCommand::id() const {
    return edit_->burst() == Burst::None ? -1 : static_cast<int>(edit_->burst());
}

bool ArmyCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const ArmyCommand*>(other);
    if (later->burstNumber_ != burstNumber_ || !edit_->Absorb(*later->edit_))
        return false;
    // Typed back to where the burst began: no step at all.
    setObsolete(!edit_->Changed());
    return true;
}

} // namespace ovra
