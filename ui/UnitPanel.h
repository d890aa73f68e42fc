// The unit panel: the name of the selected row and, below it, the detail
// pane with the profile, the option controls and the description. It shows
// the row the unit list has selected, found again by key after every change.
#pragma once

#include "UnitListModel.h"

#include <QFrame>

class QLineEdit;

namespace ovra {

class ArmyEditor;
struct ArmyChange;
class UnitDetailPane;

class UnitPanel : public QFrame {
    Q_OBJECT
public:
    UnitPanel(ArmyEditor& editor, QWidget* parent);

    // Shows a row of the unit list in the name field and the detail pane. A
    // unit that is gone shows nothing: an empty, disabled name field and no
    // detail pane.
    void Show(const UnitListKey& key);
    // After a change of the army, shows `key` (the list's selection) again;
    // a change of another unit only repaints, as it may change this one's
    // red marks.
    void ShowChange(const ArmyChange& change, const UnitListKey& key);

    // The first control of the panel that takes the keyboard focus: the name
    // field of a unit, else the first enabled control below it; none when
    // nothing does.
    QWidget* FirstFocusable() const;

    QLineEdit* nameEdit() const { return nameEdit_; }
    // The detail pane of the row shown; none when nothing is shown.
    UnitDetailPane* detailPane() const { return detail_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowNothing();
    void ShowName(const QString& name, bool editable);
    void ReplaceDetail(const TroopTypeRecord& type, UnitId unit);
    void OnNameEdited(const QString& text);

    ArmyEditor& editor_;
    QLineEdit* nameEdit_;
    UnitDetailPane* detail_ = nullptr;
    UnitListKey shown_;
};

} // namespace ovra
