// The unit panel: the name of the selected row and, below it, the detail
// pane with the profile, the option controls and the description.
#pragma once

#include <QFrame>

class QLineEdit;

namespace ovra {

class CFmView;

class CUnitPanel : public QFrame {
    Q_OBJECT
public:
    CUnitPanel(CFmView& view, QWidget* parent);

    // Shows the unit list's selected row; without a selection nothing changes.
    void ShowSelection();

    QLineEdit* nameEdit() const { return nameEdit_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnNameChanged(const QString& text);

    CFmView& view_;
    QLineEdit* nameEdit_;
    bool showing_ = false;
};

} // namespace ovra
