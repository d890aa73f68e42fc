// One step of an army's history: an edit the document has made. Undo and
// redo hand it back to the document and then show the player what changed.
#pragma once

#include "ArmyEdit.h"

#include <QUndoCommand>

#include <memory>

namespace ovra {

class ArmyEditor;

class ArmyCommand : public QUndoCommand {
public:
    // `edit` has been made already; the first redo does nothing. Commands of
    // one burst of typing (same burst kind and number) merge.
    ArmyCommand(ArmyEditor& editor, const QString& text, std::unique_ptr<ArmyEdit> edit, int burstNumber);
    ~ArmyCommand() override;

    void redo() override;
    void undo() override;
    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    ArmyEditor& editor_;
    std::unique_ptr<ArmyEdit> edit_;
    int burstNumber_;
    bool made_ = true;
};

} // namespace ovra
