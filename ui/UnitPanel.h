// The unit panel: the name of the selected row and, below it, the detail
// pane with the profile, the option controls and the description.
#pragma once

#include <QFrame>

class QLineEdit;

namespace ovra {

class CFmView;
class CUnitDetailPane;
class UnitEntry;
struct TroopTypeRecord;

class CUnitPanel : public QFrame {
    Q_OBJECT
public:
    CUnitPanel(CFmView& view, QWidget* parent);

    // Shows the unit list's selected row in the name field and in a new
    // detail pane; without a selection nothing changes.
    void ShowSelection();

    QLineEdit* nameEdit() const { return nameEdit_; }
    // The detail pane of the last row shown; none before the first.
    CUnitDetailPane* detailPane() const { return detail_; }
    CFmView& view() const { return view_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowDetail(const TroopTypeRecord& type, UnitEntry* unit);
    void OnNameEdited(const QString& text);

    CFmView& view_;
    QLineEdit* nameEdit_;
    CUnitDetailPane* detail_ = nullptr;
};

} // namespace ovra
