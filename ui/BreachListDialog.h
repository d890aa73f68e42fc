// The list of every rule the army breaks, in words, beside the window. It
// follows every change of the army while it is open; choosing a breach
// selects the troop type or unit concerned.
#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace ovra {

class ArmyEditor;

class BreachListDialog : public QDialog {
    Q_OBJECT
public:
    BreachListDialog(ArmyEditor& editor, QWidget* parent);

    QListWidget* list() const { return list_; }
    const ArmyEditor& editor() const { return editor_; }

private:
    void Refill();
    void Choose(QListWidgetItem* item);

    ArmyEditor& editor_;
    QListWidget* list_;
};

} // namespace ovra
