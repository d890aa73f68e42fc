// The unit panel: the name of the selected row and, below it, the detail
// pane with the profile, the option controls and the description.
#pragma once

#include <QFrame>

class QLineEdit;

namespace ovra {

class ArmyView;
class UnitDetailPane;
class UnitEntry;
struct TroopTypeRecord;

class UnitPanel : public QFrame {
    Q_OBJECT
public:
    UnitPanel(ArmyView& view, QWidget* parent);

    // Shows the unit list's selected row in the name field and in a new
    // detail pane; without a selection nothing changes.
    void ShowSelection();

    QLineEdit* nameEdit() const { return nameEdit_; }
    // The detail pane of the last row shown; none before the first.
    UnitDetailPane* detailPane() const { return detail_; }
    ArmyView& view() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowDetail(const TroopTypeRecord& type, UnitEntry* unit);
    void OnNameEdited(const QString& text);

    ArmyView& view_;
    QLineEdit* nameEdit_;
    UnitDetailPane* detail_ = nullptr;
};

} // namespace ovra
