// Undo and redo as the player uses them: every kind of edit made in the
// window is one step that Ctrl+Z takes back and Ctrl+Y brings again, byte for
// byte, and each shows what it touched.
#include "ArmyWindow.h"

#include "NationBar.h"
#include "OptionPickerDialog.h"

#include "ArmyCatalogue.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include <functional>

using namespace ovra;
using namespace ovra::test;

namespace {

class Undo : public ArmyWindow {
protected:
    QAction* Action(const char* name) {
        return program.frame().findChild<QAction*>(QString::fromLatin1(name));
    }
    std::string Bytes() { return WriteArmyFile(army()); }
    // The next option picker chooses the record with that name.
    void AnswerPicker(const char* name) {
        program.services.dialogHook = [name](QDialog& dialog) {
            auto* picker = qobject_cast<OptionPickerDialog*>(&dialog);
            QTreeWidget* tree = picker->optionTree();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                if (tree->topLevelItem(i)->text(0) == QString::fromLatin1(name))
                    tree->setCurrentItem(tree->topLevelItem(i));
            picker->okButton()->click();
            return picker->result();
        };
    }
    void Type(QWidget* field, const QString& text) {
        field->setFocus();
        QTest::keyClicks(field, text);
    }
};

TEST_F(Undo, EveryEditIsOneStepUndoneAndRedoneByteForByte) {
    struct Case {
        const char* undoText;
        int nation;
        std::function<void()> act;
        std::function<void()> prepare = {};
    };
    const std::vector<Case> cases = {
        {"Undo Number of units", kIndia,
         [&] {
             program.services.countPopupHook = [](CountPopup&) { return 3; };
             ClickRow(&ArmyWindow::Type("1GBW"), 5);
         }},
        {"Undo New unit", kIndia,
         [&] {
             Show(army().UnitAt(0));
             Action("actionNewUnit")->trigger();
         }},
        {"Undo Delete unit", kIndia,
         [&] {
             Show(army().UnitAt(2));
             Action("actionDeleteUnit")->trigger();
         }},
        {"Undo Min/Max units", kIndia, [&] { Action("actionMinMax")->trigger(); },
         [&] { doc().SetCountOfType(CodeOf("GEN1"), 3); }},
        {"Undo Rename", kIndia,
         [&] {
             Show(army().UnitAt(1));
             Type(panel().nameEdit(), QStringLiteral("Porus"));
         }},
        {"Undo Mount", kIndia,
         [&] {
             Show(army().UnitAt(0));
             AnswerPicker("Elephant");
             detail().mountButton()->click();
         }},
        {"Undo Siege engine", kIndia,
         [&] {
             Show(army().UnitAt(1));
             AnswerPicker("Battering Ram");
             detail().siegeEngineButton()->click();
         }},
        {"Undo Magic item", kLegion,
         [&] {
             Show(army().UnitAt(army().UnitCount() - 1));
             AnswerPicker("Legions eagle");
             detail().magicItemButton()->click();
         }},
        {"Undo Runners", kEgypt,
         [&] {
             Show(army().UnitAt(army().UnitCount() - 1));
             detail().runnersBox()->click();
         }},
        {"Undo Nation", kIndia,
         [&] {
             QComboBox* combo = view().nationBar()->nationCombo();
             emit combo->activated(combo->findText(QStringLiteral("Greek army")));
         }},
        {"Undo Points limit", kIndia,
         [&] {
             QLineEdit* points = view().nationBar()->pointsEdit();
             points->selectAll();
             Type(points, QStringLiteral("1500"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.undoText);
        UseNation(c.nation, 2000, true);
        if (c.nation == kLegion)
            doc().SetCountOfType(CodeOf("TRIB"), 2);
        if (c.nation == kEgypt)
            doc().SetCountOfType(CodeOf("1CHA"), 1);
        if (c.prepare)
            c.prepare();
        doc().OnSaveDocument(program.Path(QStringLiteral("army.evr")).toStdString());
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
        undo().clear();
    }
}

TEST_F(Undo, UndoShowsTheUnitItTouchedAndOpensItsType) {
    UseNation(kIndia, 2000, true);
    const UnitEntry* bows = army().UnitAt(3);
    const UnitId id = bows->id();
    Show(bows);
    AnswerPicker("Battering Ram");
    detail().siegeEngineButton()->click();
    Show(&ArmyWindow::Type("ELPH"));

    Action("actionUndo")->trigger();
    EXPECT_EQ(Selected(), bows);
    EXPECT_TRUE(tree().isExpanded(Row(&ArmyWindow::Type("1GBW"))));
    EXPECT_EQ(detail().siegeEngineButton()->text(), QStringLiteral("No siege engine"));

    // A deleted unit comes back in its place, selected.
    Action("actionDeleteUnit")->trigger();
    Show(&ArmyWindow::Type("ELPH"));
    Action("actionUndo")->trigger();
    EXPECT_EQ(army().UnitAt(3)->id(), id);
    EXPECT_EQ(Selected(), army().UnitAt(3));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Longbowmen"));
}

TEST_F(Undo, CtrlZInATypedFieldUndoesTheArmy) {
    UseNation(kIndia, 2000, true);
    QApplication::setActiveWindow(&program.frame());
    QLineEdit* points = view().nationBar()->pointsEdit();
    points->setFocus();
    points->end(false);
    QTest::keyClicks(points, QStringLiteral("5"));
    EXPECT_EQ(doc().pointsLimit(), 20005);
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(doc().pointsLimit(), 2000);
    EXPECT_EQ(points->text(), QStringLiteral("2000"));
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(points->text(), QStringLiteral("2000")) << "nothing left to undo, and the field keeps still";
    QTest::keyClick(points, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(doc().pointsLimit(), 20005);
}

TEST_F(Undo, OpeningOrStartingAnArmyLeavesNothingToUndo) {
    UseNation(kIndia, 2000, true);
    Action("actionMinMax")->trigger();
    Action("actionNew")->trigger();
    EXPECT_EQ(undo().count(), 0);
    EXPECT_EQ(Action("actionUndo")->text(), QStringLiteral("Undo"));
    EXPECT_FALSE(Action("actionUndo")->isEnabled());
    EXPECT_FALSE(Action("actionRedo")->isEnabled());
    EXPECT_EQ(Action("actionRedo")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y),
                                   QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
}

} // namespace
