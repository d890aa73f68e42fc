// Typed fields whose every change is already a step on the army's undo
// stack: Ctrl+Z and the redo keys pressed in them undo and redo the army,
// not the field's own typing history, which would drift from the army.
#pragma once

class QLineEdit;

namespace ovra {

void LeaveUndoToTheArmy(QLineEdit* field);

} // namespace ovra
