// One edit of the army on the window's undo stack. Its first redo runs the
// document's edit; later undos and redos hand the edit's record back to the
// document, then show the player what changed.
#pragma once

#include "ArmyEdit.h"

#include <QUndoCommand>

#include <functional>

namespace ovra {

class ArmyDocument;

class ArmyCommand : public QUndoCommand {
public:
    using Operation = std::function<ArmyEdit(ArmyDocument&)>;
    using Reveal = std::function<void(const ArmyChange&)>;

    // Edits typed in bursts (the points limit, a unit's name) carry the burst
    // they belong to: consecutive commands of one burst merge into one step.
    enum class Burst : int { None = -1, PointsLimit = 1, Rename = 2 };

    ArmyCommand(ArmyDocument& document, const QString& text, Operation operation, Reveal reveal,
                Burst burst = Burst::None, int burstNumber = 0);

    void redo() override;
    void undo() override;
    int id() const override { return static_cast<int>(burst_); }
    bool mergeWith(const QUndoCommand* other) override;

    const ArmyEdit& edit() const { return edit_; }

private:
    ArmyDocument& document_;
    Operation operation_;
    Reveal reveal_;
    Burst burst_;
    int burstNumber_;
    bool done_ = false;
    ArmyEdit edit_;
};

} // namespace ovra
