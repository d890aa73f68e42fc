// The tree of the unit list. Rows are painted by the pane; the tree lays
// them out and turns clicks into the list's commands: the count cell of a
// troop type opens the count grid, the rest of a troop-type row opens or
// closes it, a unit row is selected. Only the left button acts.
#pragma once

#include <QTreeView>

namespace ovra {

class UnitListPane;

class UnitTree : public QTreeView {
    Q_OBJECT
public:
    UnitTree(UnitListPane& pane, QWidget* parent);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    UnitListPane& pane_;
};

} // namespace ovra
