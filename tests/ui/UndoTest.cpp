// Undo and redo as the player uses them: every kind of edit made in the
// window is one step that Undo takes back and Redo brings again, byte for
// byte, and each shows what it touched.
#include "UiFixtures.h"

#include <QCheckBox>

using namespace ovra;
using namespace ovra::test;

namespace {

class Undo : public ArmyWindow {
protected:
    // Shows a unit, counted from the end when negative.
    UnitPanel& ShowUnit(int unit) {
        Show(army().UnitAt(unit < 0 ? army().UnitCount() + unit : unit));
        return panel();
    }
    // Shows a unit and picks the option with that name for it.
    template <class Button>
    void Pick(int unit, const char* option, Button* (UnitDetailPane::*button)() const) {
        AnswerPicker(option);
        (ShowUnit(unit).detailPane()->*button)()->click();
    }
    void TypeInto(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    void ShowAndTrigger(int unit, const char* action) {
        ShowUnit(unit);
        Action(action)->trigger();
    }
};

TEST_F(Undo, EveryEditIsOneStepUndoneAndRedoneByteForByte) {
    struct Case {
        const char* undoText;
        int nation;
        std::function<void()> act;
        std::function<void()> prepare = [] {};
    };
    const std::vector<Case> cases = {
        {"Undo Number of units", kIndia, [&] { ClickRow(&Type("1GBW"), 5); },
         [&] { program.services.countPopupHook = [](CountPopup&) { return 3; }; }},
        {"Undo New unit", kIndia, [&] { ShowAndTrigger(0, "actionNewUnit"); }},
        {"Undo Delete unit", kIndia, [&] { ShowAndTrigger(2, "actionDeleteUnit"); }},
        {"Undo Min/Max units", kIndia, [&] { Action("actionMinMax")->trigger(); },
         [&] { Set<edits::SetCountOfType>(CodeOf("GEN1"), 3); }},
        {"Undo Rename", kIndia, [&] { TypeInto(ShowUnit(1).nameEdit(), "Porus"); }},
        {"Undo Mount", kIndia, [&] { Pick(0, "Elephant", &UnitDetailPane::mountButton); }},
        {"Undo Siege engine", kIndia, [&] { Pick(1, "Battering Ram", &UnitDetailPane::siegeEngineButton); }},
        {"Undo Magic item", kLegion, [&] { Pick(-1, "Legions eagle", &UnitDetailPane::magicItemButton); },
         [&] { Set<edits::SetCountOfType>(CodeOf("TRIB"), 2); }},
        {"Undo Runners", kEgypt, [&] { ShowUnit(-1).detailPane()->runnersBox()->click(); },
         [&] { Set<edits::SetCountOfType>(CodeOf("1CHA"), 1); }},
        {"Undo Nation", kIndia, [&] { emit Nations()->activated(Nations()->findText("Greek army")); }},
        {"Undo Points limit", kIndia, [&] { TypeInto(view().nationBar()->pointsEdit(), "1500"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.undoText);
        UseNation(c.nation, 2000, true);
        c.prepare();
        editor().Save(program.Path("army.evr").toStdString());
        const std::string before = Bytes();
        c.act();
        const std::string after = Bytes();
        EXPECT_NE(after, before);
        ASSERT_EQ(undo().count(), 1) << "one step";
        EXPECT_EQ(Action("actionUndo")->text(), QString::fromLatin1(c.undoText));
        EXPECT_TRUE(program.frame().isWindowModified());

        Action("actionUndo")->trigger();
        EXPECT_EQ(Bytes(), before);
        EXPECT_FALSE(program.frame().isWindowModified()) << "back at the saved state";
        EXPECT_FALSE(Action("actionUndo")->isEnabled());
        Action("actionRedo")->trigger();
        EXPECT_EQ(Bytes(), after);
        EXPECT_TRUE(program.frame().isWindowModified());
    }
}

TEST_F(Undo, UndoShowsTheUnitItTouchedAndOpensItsType) {
    UseNation(kIndia, 2000, true);
    const UnitEntry* bows = army().UnitAt(3);
    const UnitId id = bows->id();
    Pick(3, "Battering Ram", &UnitDetailPane::siegeEngineButton);
    Show(&Type("ELPH"));
    Action("actionUndo")->trigger();
    EXPECT_EQ(Selected(), bows);
    EXPECT_TRUE(tree().isExpanded(Row(&Type("1GBW"))));
    EXPECT_EQ(detail().siegeEngineButton()->text(), "No siege engine");

    // A deleted unit comes back in its place, selected.
    Action("actionDeleteUnit")->trigger();
    Show(&Type("ELPH"));
    Action("actionUndo")->trigger();
    EXPECT_EQ(army().UnitAt(3)->id(), id);
    EXPECT_EQ(Selected(), army().UnitAt(3));
    EXPECT_EQ(panel().nameEdit()->text(), "Longbowmen");
}

TEST_F(Undo, CtrlZInATypedFieldUndoesTheArmyAndANewArmyHasNothingToUndo) {
    UseNation(kIndia, 2000, true);
    QApplication::setActiveWindow(&program.frame());
    QLineEdit* points = view().nationBar()->pointsEdit();
    points->setFocus();
    points->end(false);
    QTest::keyClicks(points, "5");
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().pointsLimit(), 2000);
    EXPECT_EQ(points->text(), "2000");
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(points->text(), "2000") << "nothing left to undo, and the field keeps still";
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().pointsLimit(), 20005);

    Action("actionNew")->trigger();
    EXPECT_FALSE(Action("actionUndo")->isEnabled());
    EXPECT_FALSE(Action("actionRedo")->isEnabled());
}

} // namespace
