#include "UnitTree.h"

#include "UnitListPainting.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ovra {

UnitTree::UnitTree(QWidget* parent) : QTreeView(parent) {
    setHeaderHidden(true);
    // Rows span the full width; unit rows are indented by the painting.
    setRootIsDecorated(false);
    setIndentation(0);
    setItemsExpandable(true);
    setExpandsOnDoubleClick(false);
    setUniformRowHeights(true);
    // Shift- and Ctrl-clicks select several units, for Cut and Copy.
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setDragEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void UnitTree::mousePressEvent(QMouseEvent* event) {
    // The right and middle buttons neither select nor open anything: the
    // unit panel always shows the row that the commands act on.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    const QPoint p = event->position().toPoint();
    const QModelIndex index = indexAt(p);
    if (!IsTypeRow(index)) {
        QTreeView::mousePressEvent(event);
        return;
    }
    if (p.x() <= kCountClickWidth)
        emit countRequested(index, false); // the rows may be rebuilt: `index` is gone
    else
        emit toggleRequested(index);
}

void UnitTree::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    QTreeView::mouseReleaseEvent(event);
}

void UnitTree::keyPressEvent(QKeyEvent* event) {
    // On a troop-type row: Enter or F2 opens the count grid, + and - add or
    // take away one unit.
    const QModelIndex index = currentIndex();
    if (IsTypeRow(index)) {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_F2:
            emit countRequested(index, true);
            return;
        case Qt::Key_Plus:
            emit stepRequested(index, +1);
            return;
        case Qt::Key_Minus:
            emit stepRequested(index, -1);
            return;
        default:
            break;
        }
    }
    QTreeView::keyPressEvent(event);
}

void UnitTree::mouseDoubleClickEvent(QMouseEvent* event) {
    const QModelIndex index =
        event->button() == Qt::LeftButton ? indexAt(event->position().toPoint()) : QModelIndex();
    if (!IsTypeRow(index)) {
        if (event->button() == Qt::LeftButton)
            QTreeView::mouseDoubleClickEvent(event);
        else
            event->accept();
        return;
    }
    emit toggleRequested(index);
}

} // namespace ovra
