// The list of every rule the army breaks, in words, beside the window. It
// follows every change of the army while it is open; choosing a breach
// selects the troop type or unit concerned.
#pragma once

#include <QDialog>

class QListWidget;
class QListWidgetItem;

namespace ovra {

class ArmyView;

class BreachListDialog : public QDialog {
    Q_OBJECT
public:
    BreachListDialog(ArmyView& view, QWidget* parent);
    ~BreachListDialog() override;

    QListWidget* list() const { return list_; }

private:
    void Refill();
    void Choose(QListWidgetItem* item);

    ArmyView& view_;
    QListWidget* list_;
    int subscription_ = 0;
};

} // namespace ovra
