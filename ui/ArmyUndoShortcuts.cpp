#include "ArmyUndoShortcuts.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace ovra {
namespace {

class UndoKeysFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combination = key->keyCombination();
        if (!key->matches(QKeySequence::Undo) && !key->matches(QKeySequence::Redo) &&
            combination != QKeyCombination(Qt::ControlModifier, Qt::Key_Y) &&
            combination != QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_Z))
            return QObject::eventFilter(watched, event);
        // Not overridden, so the window's Undo and Redo take the keys; and
        // when there is nothing to undo, the field does not undo either.
        event->ignore();
        return true;
    }
};

} // namespace

void LeaveUndoToTheArmy(QLineEdit* field) {
    field->installEventFilter(new UndoKeysFilter(field));
}

} // namespace ovra
