// The detail pane of the unit panel: the profile tables of the selected
// troop type or unit, the controls for the options the type allows (runners,
// mount, magic item, siege engine) and a read-only description. For a troop
// type the option controls are disabled and say what the type can have; for
// a unit entry they show and change the entry's choices.
#pragma once

#include "Army.h"

#include <QPushButton>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QCheckBox;
class QPlainTextEdit;

namespace ovra {

class ArmyEditor;
class UnitEntry;
struct ProfileRow;
struct TroopTypeRecord;

// The mount and magic item buttons, drawn by the pane: the text turns red
// when the choice breaks a rule, and the tool tip says which.
class OptionButton : public QPushButton {
    Q_OBJECT
public:
    // `problem` is asked at every paint and tool tip: what the choice breaks,
    // or empty; none never warns.
    OptionButton(const QString& text, std::function<QString()> problem, QWidget* parent);

    // The colour the text is drawn in now.
    QColor TextColour() const;
    // What the choice breaks now; empty when nothing.
    QString Problem() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<QString()> problem_;
};

class UnitDetailPane : public QWidget {
    Q_OBJECT
public:
    // Builds the controls for `type`, showing the unit with id `unit` (0 for
    // a troop-type row), at `place` in the panel.
    UnitDetailPane(ArmyEditor& editor, const TroopTypeRecord& type, UnitId unit, const QRect& place,
                   QWidget* parent);

    // Shows the unit's choices again after a change of the army.
    void Refresh();

    const TroopTypeRecord& troopType() const { return type_; }
    // The unit shown, looked up in the army; none for a troop-type row or
    // when the unit is gone, and then every control does nothing.
    const UnitEntry* unit() const;
    // The controls; none where the type does not offer the option.
    QCheckBox* runnersBox() const { return runners_; }
    OptionButton* mountButton() const { return mount_; }
    OptionButton* magicItemButton() const { return magicItem_; }
    QPushButton* siegeEngineButton() const { return siegeEngine_; }
    QPlainTextEdit* descriptionEdit() const { return description_; }
    // The profile rows painted now.
    std::vector<ProfileRow> ProfileRowsShown() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void CreateControls();
    void RefreshDescription();
    // An option button: the unit's choice, or the disabled note for a troop type.
    OptionButton* MakeOptionButton(const std::string& choice, std::function<QString()> problem,
                                   const QString& unavailable, const QString& name, const QRect& where,
                                   void (UnitDetailPane::*onClick)());
    void OnRunnersClicked(bool checked);
    void OnMount();
    void OnMagicItem();
    void OnSiegeEngine();
    // Offers the unit's choices of one kind of option, makes the chosen one an
    // edit, and gives the keyboard back to the option's button.
    template <class Record, class Edit, class Button>
    void PickOption(const QString& undoText, Code kind, const Record* (UnitEntry::*current)() const,
                    Button* UnitDetailPane::*button);

    ArmyEditor& editor_;
    const TroopTypeRecord& type_;
    UnitId unit_;
    QCheckBox* runners_ = nullptr;
    OptionButton* magicItem_ = nullptr;
    QPushButton* siegeEngine_ = nullptr;
    OptionButton* mount_ = nullptr;
    QPlainTextEdit* description_ = nullptr;
};

} // namespace ovra
