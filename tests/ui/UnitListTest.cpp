// The unit list: its rows, their painting rules, the summary boxes, and the
// selection across every rebuild and command.
#include "ArmyWindow.h"

#include <QLineEdit>
#include <QMouseEvent>

#include <functional>

using namespace ovra;
using namespace ovra::test;

namespace {

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
    const UnitEntry* first = Add("1GBW");
    const UnitEntry* lord = Add("GEN1");
    const UnitEntry* second = Add("1GBW");

    const UnitListModel& model = list().model();
    const NationRecord& nation = army().nation();
    ASSERT_EQ(model.rowCount(), 10) << "mounts are not listed";
    int i = 0;
    for (const TroopTypeRecord* t = nation.NextListedTroopType(nullptr); t;
         t = nation.NextListedTroopType(t), ++i)
        EXPECT_EQ(model.RecordAt(model.index(i, 0)), t);

    const QModelIndex bowRow = Row(&bows);
    ASSERT_EQ(model.rowCount(bowRow), 2);
    EXPECT_EQ(model.RecordAt(model.index(0, 0, bowRow)), first);
    EXPECT_EQ(model.RecordAt(model.index(1, 0, bowRow)), second);
    EXPECT_EQ(Row(lord).parent(), Row(&general));
    EXPECT_EQ(model.data(bowRow, Qt::AccessibleTextRole).toString(),
              QStringLiteral("Longbowmen: 2 units, 110 points"));

    const UnitRowContent typeRow = Content(&bows);
    EXPECT_TRUE(typeRow.troopType);
    EXPECT_EQ(typeRow.count, 2);
    EXPECT_FALSE(typeRow.countInBounds) << "Longbowmen need 8 at 2000 points";
    EXPECT_EQ(typeRow.points, QStringLiteral("110"));
    EXPECT_EQ(Content(first).points, QStringLiteral("55"));

    // A type with minimum 1 and no unit is red at 0, in the normal colour at 1.
    EXPECT_TRUE(Content(&general).countInBounds);
    doc().DeleteUnit(lord->id());
    EXPECT_EQ(model.rowCount(Row(&general)), 0);
    EXPECT_FALSE(Content(&general).countInBounds);
}

TEST_F(UnitList, SummaryShowsBreakpointAndTotalRedOnlyAboveTheLimit) {
    UseNation(kIndia, 110);
    Add("1GBW");
    Add("1GBW");
    EXPECT_EQ(TotalColour(army()), QColor(Qt::black)) << "a total equal to the limit is fine";
    Add("SKIR");
    EXPECT_EQ(TotalColour(army()), WarningRed());

    UseNation(kNobody);
    EXPECT_EQ(list().model().rowCount(), 0);
    EXPECT_EQ(Selected(), nullptr);
}

TEST_F(UnitList, TheSelectionSurvivesEveryChangeAndOnlyItsTypeStaysOpen) {
    UseNation(kIndia, 2000, true);
    const TroopTypeRecord& bows = Type("1GBW");
    const UnitEntry* bow = army().UnitAt(8);
    ASSERT_EQ(&bow->troopType(), &bows);
    Show(&Type("LGCV")); // opens the cavalry row
    ClickRow(bow);
    ASSERT_EQ(Selected(), bow);

    const auto onlyOpen = [&](const TroopTypeRecord* open) {
        for (int i = 0; i < list().model().rowCount(); ++i) {
            const QModelIndex row = list().model().index(i, 0);
            EXPECT_EQ(tree().isExpanded(row), list().model().TroopTypeAt(row) == open);
        }
    };
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { doc().SetPointsLimit(3000); }, [&] { doc().SetCountOfType(Type("SKIR").code(), 2); },
             [&] { doc().RenameUnit(army().UnitAt(0)->id(), "Porus"); }}) {
        change();
        EXPECT_EQ(Selected(), bow);
        EXPECT_EQ(panel().detailPane()->unit(), bow);
        onlyOpen(&bows);
    }

    // A troop-type row stays selected and leaves every row closed.
    Show(&Type("CHAR"));
    doc().SetPointsLimit(2500);
    EXPECT_EQ(Selected(), &Type("CHAR"));
    onlyOpen(nullptr);
}

TEST_F(UnitList, ASelectedEntryThatIsGoneFallsBackToTheFirstRow) {
    UseNation(kIndia, 1000);
    for (int i = 0; i < 12; ++i)
        Add("1GBW");
    Show(army().UnitAt(11));
    view().OnMinMaxUnits(); // cuts the Longbowmen back to 10
    EXPECT_EQ(army().CountOfType(Type("1GBW").code()), 10);
    EXPECT_EQ(Selected(), &Type("GEN1"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("General"));
}

TEST_F(UnitList, NewUnitSelectsTheCopyAndDeleteTheNextUnit) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    doc().RenameUnit(general->id(), "Porus");
    doc().SetMount(general->id(), &Type("ELMO"));
    Show(general);

    view().OnNewUnit();
    ASSERT_EQ(army().UnitCount(), 2);
    const UnitEntry* copy = army().UnitAt(1);
    EXPECT_EQ(Selected(), copy);
    EXPECT_EQ(copy->name(), "Porus");
    EXPECT_EQ(copy->mount(), &Type("ELMO"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Porus"));
    EXPECT_EQ(panel().detailPane()->unit(), copy);

    Show(general);
    view().OnDeleteUnit();
    EXPECT_EQ(Selected(), copy) << "the next unit of the type";
    view().OnDeleteUnit();
    EXPECT_EQ(Selected(), &Type("GEN1")) << "then the type's own row";
    EXPECT_FALSE(panel().nameEdit()->isEnabled());
    view().OnDeleteUnit();
    EXPECT_EQ(undo().count(), 3) << "a troop-type row is not deleted";
}

TEST_F(UnitList, ClickingATroopTypeOpensItAndClosesTheOthers) {
    UseNation(kIndia, 2000, true);
    const TroopTypeRecord& bows = Type("1GBW");
    const TroopTypeRecord& horse = Type("LGCV");
    ClickRow(&bows);
    EXPECT_EQ(Selected(), &bows);
    EXPECT_TRUE(tree().isExpanded(Row(&bows)));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Longbowmen"));

    ClickRow(&horse);
    EXPECT_TRUE(tree().isExpanded(Row(&horse)));
    EXPECT_FALSE(tree().isExpanded(Row(&bows)));
    ClickRow(&horse);
    EXPECT_FALSE(tree().isExpanded(Row(&horse))) << "a second click closes it";

    // The second press of a double click arrives as a double click: it toggles again.
    const QPoint name(100, tree().visualRect(Row(&bows)).center().y());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, name, tree().viewport()->mapToGlobal(name),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree().viewport(), &doubleClick);
    EXPECT_EQ(Selected(), &bows);
    EXPECT_TRUE(tree().isExpanded(Row(&bows)));
    EXPECT_EQ(program.services.countPopups, 0) << "the name and points never open the count grid";
}

TEST_F(UnitList, OnlyTheLeftButtonMovesTheSelectionAndThePanelFollowsIt) {
    UseNation(kIndia, 2000, true);
    const UnitEntry* first = army().UnitAt(1);
    const UnitEntry* second = army().UnitAt(2);
    const UnitId firstId = first->id();
    const UnitId secondId = second->id();
    Show(first);
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(second, 100, button);
        ClickRow(&Type("GEN1"), 5, button);
        EXPECT_EQ(Selected(), first);
        EXPECT_EQ(program.services.countPopups, 0);
    }
    view().OnDeleteUnit();
    EXPECT_EQ(army().FindUnit(firstId), nullptr) << "the unit on screen is the one deleted";
    EXPECT_NE(army().FindUnit(secondId), nullptr);

    Show(&Type("HER7"));
    tree().setFocus();
    QTest::keyClick(&tree(), Qt::Key_Up);
    EXPECT_EQ(Selected(), &Type("GEN1"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("General"));
    EXPECT_EQ(&detail().troopType(), &Type("GEN1"));
}

} // namespace
