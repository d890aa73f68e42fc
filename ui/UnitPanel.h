// The unit panel: the name of the selected row and, below it, the detail
// pane with the profile, the option controls and the description. It shows
// what the unit list has selected, found again by key after every change.
#pragma once

#include "UnitListModel.h"

#include <QFrame>

class QLineEdit;

namespace ovra {

class ArmyView;
class UnitDetailPane;

class UnitPanel : public QFrame {
    Q_OBJECT
public:
    UnitPanel(ArmyView& view, QWidget* parent);

    // Shows the unit list's selection in the name field and the detail pane.
    // A unit that is gone shows nothing: an empty, disabled name field and
    // no detail pane.
    void ShowSelection();

    // The first control of the panel that takes the keyboard focus: the name
    // field of a unit, else the first enabled control below it; none when
    // nothing does.
    QWidget* FirstFocusable() const;

    QLineEdit* nameEdit() const { return nameEdit_; }
    // The detail pane of the row shown; none when nothing is shown.
    UnitDetailPane* detailPane() const { return detail_; }
    ArmyView& view() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowNothing();
    void ShowName(const QString& name, bool editable);
    void ReplaceDetail(const TroopTypeRecord& type, UnitId unit);
    void OnNameEdited(const QString& text);

    ArmyView& view_;
    QLineEdit* nameEdit_;
    UnitDetailPane* detail_ = nullptr;
    UnitListKey shown_;
};

} // namespace ovra
