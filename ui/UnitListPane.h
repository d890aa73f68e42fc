// The unit list: one row per listed troop type of the nation and, under each,
// one row per unit entry of that type, with counts, points and red marks;
// below it the breakpoint and the points total. Clicking a troop type's count
// opens the count grid. The list follows the army: its rows are rebuilt when
// entries come or go, repainted when only names, options or the limit
// change, and it keeps its selection by key.
#pragma once

#include "UnitListModel.h"

#include <QFrame>

#include <unordered_set>

class QStyleOptionViewItem;

namespace ovra {

class ArmyEditor;
struct ArmyChange;
class UnitTree;

class UnitListPane : public QFrame {
    Q_OBJECT
public:
    UnitListPane(ArmyEditor& editor, QWidget* parent);

    // Shows a change of the army: rows rebuilt when it added or removed
    // entries, repainted otherwise.
    void ShowChange(const ArmyChange& change);
    // Rebuilds the rows from the army and selects `key`, or the selection
    // before when `key` is none; a row that is gone gives the first row.
    // Only the selected unit's troop type stays open. Whoever rebuilds
    // refreshes what shows the selection.
    void Rebuild(const std::optional<UnitListKey>& key = std::nullopt);
    // Selects the row of the key (the troop type's when the unit is gone) and
    // opens its troop type; false when neither is listed.
    bool Select(const UnitListKey& key);
    // What is selected; an empty key without a selection.
    UnitListKey selection() const { return selection_; }
    // The selected row's record: a unit entry or a troop type; none without one.
    const TaggedObject* SelectedRecord() const;
    // Every unit row selected (several with Shift and Ctrl), in army order.
    std::vector<UnitId> SelectedUnits() const;

    void SetPointsColumnWidth(int width) { pointsColumnWidth_ = width; }
    UnitTree* tree() const { return tree_; }
    UnitListModel& model() const { return *model_; }
    ArmyEditor& editor() const { return editor_; }

    // Opens the count grid beside a troop-type row and sets the number of
    // units of its type to the number chosen. From the keyboard, the grid
    // opens with the current count marked.
    void ChooseCount(const QModelIndex& row, bool fromKeyboard = false);
    // Adds one unit of the row's troop type, or takes the last one away.
    void StepCount(const QModelIndex& row, int step);
    // Selects a troop-type row, closes every other one and opens or closes it.
    void ToggleTroopTypeRow(const QModelIndex& row);
    // Opens a troop-type row and closes every other one.
    void OpenOnly(const QModelIndex& typeRow);
    // Paints one row of the tree in `option.rect`.
    void PaintRow(QPainter& painter, const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // A closed troop type some of whose units break a rule (a mount ridden
    // too often or not allowed, a magic item carried twice): its row gets a
    // red mark, so that nothing wrong hides inside it.
    bool HidesBreaches(const QModelIndex& typeRow) const;

signals:
    // The player or a command selected another row.
    void selectionChanged();

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void OnCurrentChanged(const QModelIndex& current);
    // Makes the row current and the only one selected.
    void ShowRow(const QModelIndex& row);
    // The troop types whose units break an option's rule, from the rules' verdict.
    void NoteBreachingTypes();

    ArmyEditor& editor_;
    UnitListModel* model_;
    UnitTree* tree_;
    int pointsColumnWidth_ = 0;
    UnitListKey selection_;
    std::unordered_set<const TroopTypeRecord*> breachingTypes_;
    bool rebuilding_ = false;
};

} // namespace ovra
