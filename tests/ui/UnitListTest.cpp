// The unit list: its rows, their painting rules, the summary boxes, and the
// selection across every rebuild and command.
#include "ArmyWindow.h"

#include <QLineEdit>
#include <QMouseEvent>

using namespace ovra;
using namespace ovra::test;

namespace {

TEST(UnitListPainting, CountIsRedExactlyOutsideTheBounds) {
    const QColor text(1, 2, 3);
    EXPECT_EQ(CountColour(0, 1, 3, text), WarningRed()) << "below the minimum";
    EXPECT_EQ(CountColour(1, 1, 3, text), text);
    EXPECT_EQ(CountColour(3, 1, 3, text), text);
    EXPECT_EQ(CountColour(4, 1, 3, text), WarningRed()) << "above the maximum";
    EXPECT_EQ(CountColour(120, 0, kNoMaximum, text), text);
    EXPECT_EQ(CountColour(0, 0, 0, text), text);
}

TEST(UnitListPainting, RowCellsKeepThePointsInOneColumn) {
    // Digit width 6: the count cell is a two-digit field box, 16 pixels.
    const UnitRowCells cells = UnitRowGeometry(QRect(0, 28, 200, 14), 6, 26);
    EXPECT_EQ(cells.count, QRect(0, 29, 16, 13));
    EXPECT_EQ(cells.countFrame, QRect(0, 29, 16, 11));
    EXPECT_EQ(cells.name.left(), 17);
    EXPECT_EQ(RightEdge(cells.name), 200 - 2 - 26);
    EXPECT_EQ(cells.points.left(), RightEdge(cells.name) + 1);
    EXPECT_EQ(RightEdge(cells.points), 199);
    // A narrower row (a scroll bar appeared) moves the column but keeps its width.
    const UnitRowCells narrow = UnitRowGeometry(QRect(0, 28, 180, 14), 6, 26);
    EXPECT_EQ(narrow.points.width(), cells.points.width());
}

class UnitList : public ArmyWindow {};

TEST_F(UnitList, RowsFollowTheListedTroopTypesAndTheArmyOrder) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    const TroopTypeRecord& general = Type("GEN1");
    UnitEntry* first = Add("1GBW");
    UnitEntry* lord = Add("GEN1");
    UnitEntry* second = Add("1GBW");

    const NationRecord& nation = army().nation();
    ASSERT_EQ(tree().topLevelItemCount(), 10) << "mounts are not listed";
    int i = 0;
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t;
         t = nation.NextListedTroopType(t), ++i)
        EXPECT_EQ(UnitTree::ItemData(tree().topLevelItem(i)), t);

    QTreeWidgetItem* bowRow = Row(&bows);
    ASSERT_EQ(bowRow->childCount(), 2);
    EXPECT_EQ(UnitTree::ItemData(bowRow->child(0)), first);
    EXPECT_EQ(UnitTree::ItemData(bowRow->child(1)), second);
    EXPECT_EQ(Row(&general)->childCount(), 1);
    EXPECT_EQ(Row(lord)->parent(), Row(&general));

    const UnitRowContent typeRow = Content(&bows);
    EXPECT_TRUE(typeRow.troopType);
    EXPECT_EQ(typeRow.count, 2);
    EXPECT_FALSE(typeRow.countInBounds) << "Longbowmen need 8 at 2000 points";
    EXPECT_EQ(typeRow.name, QStringLiteral("Longbowmen"));
    EXPECT_EQ(typeRow.points, QStringLiteral("110"));
    const UnitRowContent unitRow = Content(first);
    EXPECT_FALSE(unitRow.troopType);
    EXPECT_EQ(unitRow.points, QStringLiteral("55"));

    // A type with minimum 1 and no unit is red at 0, in the normal colour at 1.
    EXPECT_TRUE(Content(&general).countInBounds);
    army().RemoveUnit(lord);
    view().Refresh();
    EXPECT_EQ(Row(&general)->childCount(), 0);
    EXPECT_FALSE(Content(&general).countInBounds);
}

TEST_F(UnitList, SummaryShowsBreakpointAndTotalRedOnlyAboveTheLimit) {
    UseNation(kIndia, 110);
    Add("1GBW");
    EXPECT_EQ(TotalColour(army()), QColor(Qt::black));
    Add("1GBW");
    EXPECT_EQ(army().TotalPoints(), 110);
    EXPECT_EQ(TotalColour(army()), QColor(Qt::black)) << "a total equal to the limit is fine";
    Add("SKIR");
    EXPECT_EQ(TotalColour(army()), WarningRed());
}

TEST_F(UnitList, ANationWithoutTroopTypesGivesAnEmptyList) {
    UseNation(kNobody);
    EXPECT_EQ(tree().topLevelItemCount(), 0);
    EXPECT_EQ(list().SelectedItem(), nullptr);
    EXPECT_EQ(army().TotalPoints(), 0);
    EXPECT_EQ(doc().BreakPoint(), 0);
}

TEST_F(UnitList, TheSelectionSurvivesEveryRebuild) {
    UseNation(kIndia, 2000, true);
    const TroopTypeRecord& bows = Type("1GBW");
    UnitEntry* bow = army().FindLastOfType(bows.code());
    ASSERT_NE(bow, nullptr);
    Show(&Type("LGCV")); // opens the cavalry row
    ClickRow(bow);
    ASSERT_EQ(list().SelectedItem(), bow);

    list().RememberSelection();
    view().Refresh();
    EXPECT_EQ(list().SelectedItem(), bow);
    EXPECT_EQ(list().rememberedSelection(), nullptr) << "forgotten after the rebuild";
    for (int i = 0; i < tree().topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = tree().topLevelItem(i);
        EXPECT_EQ(row->isExpanded(), row == Row(&bows)) << "only the selected unit's type is open";
    }

    // Through the points field and the document's count change, too.
    list().RememberSelection();
    doc().SetPointsLimit(3000);
    EXPECT_EQ(list().SelectedItem(), bow);
    list().RememberSelection();
    doc().SetCountOfType(Type("SKIR").code(), 2);
    EXPECT_EQ(list().SelectedItem(), bow);

    // A troop-type row stays selected and leaves every row closed.
    Show(&Type("CHAR"));
    list().RememberSelection();
    view().Refresh();
    EXPECT_EQ(list().SelectedItem(), &Type("CHAR"));
    for (int i = 0; i < tree().topLevelItemCount(); ++i)
        EXPECT_FALSE(tree().topLevelItem(i)->isExpanded());
}

TEST_F(UnitList, ASelectedEntryThatIsGoneFallsBackToTheFirstRow) {
    UseNation(kIndia, 1000);
    for (int i = 0; i < 12; ++i)
        Add("1GBW");
    UnitEntry* last = army().FindLastOfType(Type("1GBW").code());
    Show(last);
    view().OnMinMaxUnits(); // cuts the Longbowmen back to 10
    EXPECT_EQ(army().CountOfType(Type("1GBW").code()), 10);
    EXPECT_EQ(list().SelectedItem(), &Type("GEN1"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("General"));
}

TEST_F(UnitList, NewUnitOnAUnitSelectsItsDuplicate) {
    UseNation(kIndia);
    UnitEntry* general = Add("GEN1");
    general->army().SetName(*general, "Porus");
    general->mount = &Type("ELMO");
    Show(general);

    view().OnNewUnit();
    ASSERT_EQ(army().UnitCount(), 2);
    UnitEntry* copy = army().UnitAt(1);
    EXPECT_EQ(list().SelectedItem(), copy);
    EXPECT_EQ(copy->name(), "Porus");
    EXPECT_EQ(copy->mount(), &Type("ELMO"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Porus"));
    EXPECT_EQ(panel().detailPane()->unit(), copy);
    EXPECT_TRUE(doc().IsModified());
}

TEST_F(UnitList, DeletingTheLastUnitOfATypeSelectsTheTypeRow) {
    UseNation(kIndia);
    UnitEntry* first = Add("1GBW");
    UnitEntry* second = Add("1GBW");
    Show(first);
    view().OnDeleteUnit();
    EXPECT_EQ(list().SelectedItem(), second) << "the next unit of the type";
    view().OnDeleteUnit();
    EXPECT_EQ(list().SelectedItem(), &Type("1GBW"));
    EXPECT_EQ(Row(&Type("1GBW"))->childCount(), 0);
    EXPECT_FALSE(panel().nameEdit()->isEnabled());
}

TEST_F(UnitList, ClickingATroopTypeOpensItAndClosesTheOthers) {
    UseNation(kIndia, 2000, true);
    const TroopTypeRecord& bows = Type("1GBW");
    const TroopTypeRecord& horse = Type("LGCV");
    ClickRow(&bows);
    EXPECT_EQ(list().SelectedItem(), &bows);
    EXPECT_TRUE(Row(&bows)->isExpanded());
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Longbowmen"));

    ClickRow(&horse);
    EXPECT_TRUE(Row(&horse)->isExpanded());
    EXPECT_FALSE(Row(&bows)->isExpanded());
    ClickRow(&horse);
    EXPECT_FALSE(Row(&horse)->isExpanded()) << "a second click closes it";

    // The second press of a double click arrives as a double click: it toggles again.
    const QPoint name(100, tree().visualItemRect(Row(&bows)).center().y());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, name, tree().viewport()->mapToGlobal(name),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree().viewport(), &doubleClick);
    EXPECT_EQ(list().SelectedItem(), &bows);
    EXPECT_TRUE(Row(&bows)->isExpanded());
    EXPECT_FALSE(Row(&horse)->isExpanded());
    EXPECT_EQ(program.services.countPopups, 0) << "the name and points never open the count grid";
}

TEST_F(UnitList, KeyboardSelectionIsShownInThePanel) {
    UseNation(kIndia);
    Show(&Type("GEN1"));
    tree().setFocus();
    QTest::keyClick(&tree(), Qt::Key_Down);
    EXPECT_EQ(list().SelectedItem(), &Type("HER7"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Officer"));
    EXPECT_EQ(&panel().detailPane()->troopType(), &Type("HER7"));
}

} // namespace
