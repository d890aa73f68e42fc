#include "ArmyCommand.h"

#include "ArmyDocument.h"

namespace ovra {

ArmyCommand::ArmyCommand(ArmyDocument& document, const QString& text, Operation operation, Reveal reveal,
                         Burst burst, int burstNumber)
    : QUndoCommand(text), document_(document), operation_(std::move(operation)), reveal_(std::move(reveal)),
      burst_(burst), burstNumber_(burstNumber) {}

void ArmyCommand::redo() {
    if (!done_) {
        done_ = true;
        edit_ = operation_(document_);
        operation_ = {};
        return;
    }
    document_.Redo(edit_);
    if (reveal_)
        reveal_(edit_.touched());
}

void ArmyCommand::undo() {
    document_.Undo(edit_);
    if (reveal_)
        reveal_(edit_.touched());
}

bool ArmyCommand::mergeWith(const QUndoCommand* other) {
    const auto* later = static_cast<const ArmyCommand*>(other);
    if (burst_ == Burst::None || later->burst_ != burst_ || later->burstNumber_ != burstNumber_)
        return false;
    return ArmyDocument::Merge(edit_, later->edit_);
}

} // namespace ovra
