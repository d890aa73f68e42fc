// The unit list: one row per listed troop type of the nation and, under each,
// one row per unit entry of that type, with counts, points and red marks;
// below it the breakpoint and the points total. Clicking a troop type's count
// opens the count grid.
#pragma once

#include <QFrame>
#include <QTreeWidget>

class QStyleOptionViewItem;

namespace ovra {

class ArmyView;
class UnitListPane;
struct TaggedObject;

class UnitTree : public QTreeWidget {
    Q_OBJECT
public:
    UnitTree(UnitListPane& pane, QWidget* parent);
    // The record or entry a row stands for.
    static const TaggedObject* ItemData(const QTreeWidgetItem* item);
    // Unit rows stand for unit entries; every other row for a troop type.
    static bool IsUnitRow(const QTreeWidgetItem* item);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    UnitListPane& pane_;
};

class UnitListPane : public QFrame {
    Q_OBJECT
public:
    UnitListPane(ArmyView& view, QWidget* parent);

    // Empties and refills the list from the army, then selects the remembered
    // record (or the first troop-type row) and forgets it. Only the selected
    // unit's troop type stays open.
    void RebuildList();
    // Remembers the selected row's record, if a row is selected.
    void RememberSelection();
    // Sets the record the next rebuild selects.
    void SetRememberedSelection(const TaggedObject* record) { remembered_ = record; }
    const TaggedObject* rememberedSelection() const { return remembered_; }
    // Selects the first row standing for the record, else the first row.
    void SelectByData(const TaggedObject* record);
    // The selected row's record or entry; none without a selection.
    const TaggedObject* SelectedItem() const;
    // The first row standing for the record, or none.
    QTreeWidgetItem* FindRow(const TaggedObject* record) const;

    void SetPointsColumnWidth(int width) { pointsColumnWidth_ = width; }
    int pointsColumnWidth() const { return pointsColumnWidth_; }
    UnitTree* tree() const { return tree_; }
    ArmyView& view() const { return view_; }

    // Opens the count grid beside a troop-type row and sets the number of
    // units of its type to the number chosen.
    void ChooseCount(QTreeWidgetItem* row);
    // Selects a troop-type row, closes every other one and opens or closes it.
    void ToggleTroopTypeRow(QTreeWidgetItem* row);
    // Paints one row of the tree in `option.rect`.
    void PaintRow(QPainter& painter, const QStyleOptionViewItem& option, const TaggedObject& record) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    ArmyView& view_;
    UnitTree* tree_;
    int pointsColumnWidth_ = 0;
    const TaggedObject* remembered_ = nullptr;
};

} // namespace ovra
