// The army view: one army's panes in the window. It lays out the nation bar,
// the unit list and the unit panel, passes every change of the army on to
// them in that order, and carries out the Army menu's commands on the row
// the list has selected.
#pragma once

#include <QWidget>

class QSplitter;

namespace ovra {

class ArmyEditor;
struct ArmyChange;
class NationBar;
class UnitListPane;
class UnitPanel;

// The clipboard type of copied units: an army file holding just them.
inline constexpr const char* kUnitsMimeType = "application/x-ovra-units";

class ArmyView : public QWidget {
    Q_OBJECT
public:
    ArmyView(ArmyEditor& editor, QWidget* parent = nullptr);

    // Selects what a change touched and opens its troop type.
    void Reveal(const ArmyChange& change);
    // Moves the keyboard focus to the next pane (nation bar, unit list, unit
    // panel) or, for a negative step, the one before, round and round.
    void FocusPane(int step);

    // Army menu: a new unit of the selected troop type or a copy of the
    // selected unit; the selected unit deleted; Min/Max units.
    void NewUnit();
    void DeleteUnit();
    void EnforceMinMax();
    // Edit > Copy, Cut and Paste of the selected units. The clipboard holds
    // them as the army file's own unit records (kUnitsMimeType) and as
    // readable lines; a paste adds them as one step and says what was left
    // out because this army's nation lacks it.
    void CopyUnits();
    void CutUnits();
    void PasteUnits();

    // The unit list's width; the player moves the splitter beside it, and
    // the window keeps it for the next start.
    int listWidth() const;
    void SetListWidth(int width);

    ArmyEditor& editor() const { return editor_; }
    NationBar* nationBar() const { return nationBar_; }
    UnitListPane* unitList() const { return unitList_; }
    UnitPanel* unitPanel() const { return unitPanel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPanes();
    void ShowChange(const ArmyChange& change);

    ArmyEditor& editor_;
    NationBar* nationBar_ = nullptr;
    UnitListPane* unitList_ = nullptr;
    UnitPanel* unitPanel_ = nullptr;
    QSplitter* panes_ = nullptr;
    int listWidth_ = 0; // 0 until the player moves the splitter: the width the layout gives
};

} // namespace ovra
