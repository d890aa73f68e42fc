// The unit list: one row per listed troop type of the nation and, under each,
// one row per unit entry of that type, with counts, points and red marks;
// below it the breakpoint and the points total.
#pragma once

#include <QFrame>
#include <QTreeWidget>

namespace ovra {

class CFmView;
struct TaggedObject;

class CUnitTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit CUnitTree(QWidget* parent);
    // The record or entry a row stands for.
    static const TaggedObject* ItemData(const QTreeWidgetItem* item);
};

class CUnitListPane : public QFrame {
    Q_OBJECT
public:
    CUnitListPane(CFmView& view, QWidget* parent);

    // Empties and refills the list from the army, then selects the remembered
    // record (or the first troop-type row) and forgets it.
    void RebuildList();
    // Remembers the selected row's record, if a row is selected.
    void RememberSelection();
    // Sets the record the next rebuild selects.
    void SetRememberedSelection(const TaggedObject* record) { remembered_ = record; }
    // Selects the first row standing for the record, else the first row.
    void SelectByData(const TaggedObject* record);
    // The selected row's record or entry; none without a selection.
    const TaggedObject* SelectedItem() const;

    void SetPointsColumnWidth(int width) { pointsColumnWidth_ = width; }
    int pointsColumnWidth() const { return pointsColumnWidth_; }
    CUnitTree* tree() const { return tree_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    CFmView& view_;
    CUnitTree* tree_;
    int pointsColumnWidth_ = 0;
    const TaggedObject* remembered_ = nullptr;
};

} // namespace ovra
