// The bar across the top of the view: the nation selector, the nation
// information button and the points limit field.
#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ovra {

class ArmyCatalogue;
class ArmyEditor;
struct ArmyChange;
struct NationRecord;

class NationBar : public QFrame {
    Q_OBJECT
public:
    NationBar(ArmyEditor& editor, QWidget* parent);

    // Shows the army's points limit and selects its nation.
    void RefreshNationBar();
    // Refreshes what a change of the army touched: the limit or the nation.
    void ShowChange(const ArmyChange& change);
    // Places the controls inside the bar; called when the bar has its size.
    void LayOut();

    QLineEdit* pointsEdit() const { return pointsEdit_; }
    QComboBox* nationCombo() const { return nationCombo_; }
    QPushButton* infoButton() const { return infoButton_; }

private:
    void OnPointsChanged();
    void OnNationActivated(int index);
    void OnInfo();
    void SelectNation(const NationRecord* nation);
    // The nations of the army lists the army was read against.
    void FillNations();

    ArmyEditor& editor_;
    QLineEdit* pointsEdit_;
    QComboBox* nationCombo_;
    QPushButton* infoButton_;
    bool changingPoints_ = false;
    const ArmyCatalogue* listed_ = nullptr; // the army lists the nation box shows
};

// The points field's rule for a changed text: digits only, an empty field
// becomes "0". Returns the text to show and the selection to set.
struct PointsEditResult {
    QString text;
    int selectionStart = 0;
    int selectionEnd = 0;
    bool selectAll = false;
};
PointsEditResult CleanPointsText(const QString& text, int selectionStart, int selectionEnd);

} // namespace ovra
