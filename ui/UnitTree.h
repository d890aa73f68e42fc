// The tree of the unit list. Rows are painted by the pane; the tree lays
// them out and turns clicks and keys into requests the pane acts on: the
// count cell of a troop type asks for the count grid, the rest of a
// troop-type row to open or close it; a unit row is selected. Only the left
// button acts. Troop-type rows are the top-level rows.
#pragma once

#include <QTreeView>

namespace ovra {

class UnitTree : public QTreeView {
    Q_OBJECT
public:
    explicit UnitTree(QWidget* parent);

signals:
    // The count grid for a troop-type row; from the keyboard it opens with
    // the current count marked.
    void countRequested(const QModelIndex& typeRow, bool fromKeyboard);
    // One unit more (+1) or less (-1) of a troop-type row's type.
    void stepRequested(const QModelIndex& typeRow, int step);
    void toggleRequested(const QModelIndex& typeRow);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static bool IsTypeRow(const QModelIndex& index) { return index.isValid() && !index.parent().isValid(); }
};

} // namespace ovra
