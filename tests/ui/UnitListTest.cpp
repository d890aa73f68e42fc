// The unit list: its rows, the selection across every rebuild and click, and
// the count grid that sets the number of units of a troop type.
#include "UiFixtures.h"

#include <QToolTip>

using namespace ovra;
using namespace ovra::test;

namespace {

class UnitList : public ArmyWindow {
protected:
    void SetUp() override { UseNation(kIndia, 2000, true); }
    // The tree's rows open now: the troop types' whose rows are expanded.
    std::vector<const TroopTypeRecord*> Open() {
        std::vector<const TroopTypeRecord*> open;
        for (int i = 0; i < list().model().rowCount(); ++i)
            if (tree().isExpanded(list().model().index(i, 0)))
                open.push_back(list().model().TroopTypeAt(list().model().index(i, 0)));
        return open;
    }
};

TEST_F(UnitList, RowsFollowTheListedTroopTypesAndTheArmyOrder) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    const UnitEntry* first = Add("1GBW");
    const UnitEntry* lord = Add("GEN1");
    const UnitEntry* second = Add("1GBW");
    const UnitListModel& model = list().model();
    const TroopTypeRecord* listed = nullptr;
    for (int i = 0; i < model.rowCount(); ++i) {
        listed = army().nation().NextListedTroopType(listed);
        EXPECT_EQ(model.RecordAt(model.index(i, 0)), listed) << i;
    }
    EXPECT_EQ(army().nation().NextListedTroopType(listed), nullptr) << "every listed type, no mount";

    const QModelIndex bowRow = Row(&bows);
    ASSERT_EQ(model.rowCount(bowRow), 2);
    EXPECT_EQ(model.RecordAt(model.index(0, 0, bowRow)), first);
    EXPECT_EQ(model.RecordAt(model.index(1, 0, bowRow)), second);
    EXPECT_EQ(Row(lord).parent(), Row(&Type("GEN1")));
    EXPECT_EQ(model.data(bowRow, Qt::AccessibleTextRole).toString(), "Longbowmen: 2 units, 110 points");
    EXPECT_FALSE(Content(&bows).countInBounds) << "Longbowmen need 8 at 2000 points";
    EXPECT_EQ(Content(first).points, "55");

    UseNation(kNobody);
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(Selected(), nullptr);
}

TEST_F(UnitList, TheSelectionSurvivesEveryChangeAndOnlyItsTypeStaysOpen) {
    const TroopTypeRecord& bows = Type("1GBW");
    const UnitEntry* bow = army().UnitAt(8);
    ASSERT_EQ(&bow->troopType(), &bows);
    Show(&Type("LGCV")); // opens the cavalry row
    ClickRow(bow);
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { Set<edits::SetPointsLimit>(3000); },
             [&] { Set<edits::SetCountOfType>(Type("SKIR").code(), 2); },
             [&] { Set<edits::RenameUnit>(army().UnitAt(0)->id(), "Porus"); }}) {
        change();
        EXPECT_EQ(Selected(), bow);
        EXPECT_EQ(detail().unit(), bow);
        EXPECT_EQ(Open(), std::vector<const TroopTypeRecord*>{&bows});
    }
    // A troop-type row stays selected and leaves every row closed.
    Show(&Type("CHAR"));
    Set<edits::SetPointsLimit>(2500);
    EXPECT_EQ(Selected(), &Type("CHAR"));
    EXPECT_TRUE(Open().empty());

    // A selected unit that is gone falls back to the first row.
    Show(army().UnitAt(army().UnitCount() - 1));
    Set<edits::SetCountOfType>(army().UnitAt(army().UnitCount() - 1)->troopType().code(), 0);
    EXPECT_EQ(Selected(), &Type("GEN1"));
    EXPECT_EQ(panel().nameEdit()->text(), "General");
}

TEST_F(UnitList, OnlyALeftClickSelectsAndATroopTypeClickOpensItAlone) {
    const TroopTypeRecord& bows = Type("1GBW");
    const TroopTypeRecord& horse = Type("LGCV");
    ClickRow(&bows);
    EXPECT_EQ(panel().nameEdit()->text(), "Longbowmen");
    ClickRow(&horse);
    EXPECT_EQ(Open(), std::vector<const TroopTypeRecord*>{&horse});
    ClickRow(&horse);
    EXPECT_TRUE(Open().empty()) << "a second click closes it";
    // The second press of a double click arrives as a double click: it toggles again.
    const QPoint name(100, tree().visualRect(Row(&bows)).center().y());
    QMouseEvent doubleClick(QEvent::MouseButtonDblClick, name, tree().viewport()->mapToGlobal(name),
                            Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(tree().viewport(), &doubleClick);
    EXPECT_EQ(Selected(), &bows);
    EXPECT_EQ(Open(), std::vector<const TroopTypeRecord*>{&bows});

    // The right and middle buttons neither select nor open anything.
    const UnitEntry* first = army().UnitAt(1);
    const UnitId firstId = first->id();
    Show(first);
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        ClickRow(army().UnitAt(2), 100, button);
        ClickRow(&Type("GEN1"), 5, button);
        EXPECT_EQ(Selected(), first);
    }
    EXPECT_EQ(program.services.countPopups, 0) << "only a left click on the count opens the grid";
    view().DeleteUnit();
    EXPECT_EQ(army().FindUnit(firstId), nullptr) << "the unit on screen is the one deleted";

    // The panel follows the keyboard too.
    Show(&Type("HER7"));
    QTest::keyClick(&tree(), Qt::Key_Up);
    EXPECT_EQ(Selected(), &Type("GEN1"));
    EXPECT_EQ(&detail().troopType(), &Type("GEN1"));
}

TEST(CountGrid, CellsAreFoundWhereTheyAreDrawnAndHoldTwoDigits) {
    EnsureApplication();
    for (const int points : {8, 14}) {
        QFont font("DejaVu Sans");
        font.setPointSize(points);
        const CountGridGeometry grid = CountGridGeometry::For(font);
        const QRect whole(QPoint(0, 0), grid.Size());
        for (int cell = 0; cell < kCountCells; ++cell) {
            const QRect r = grid.CellRect(cell);
            EXPECT_TRUE(whole.contains(r)) << cell;
            EXPECT_EQ(grid.CellAt(r.topLeft()), cell);
            EXPECT_EQ(grid.CellAt(r.bottomRight()), cell);
            EXPECT_GE(r.width(), QFontMetrics(font).horizontalAdvance(QString::number(cell)) + 4) << cell;
        }
        for (const QPoint outside : {QPoint(-1, 5), QPoint(whole.width() - 2, 5), QPoint(5, whole.height())})
            EXPECT_EQ(grid.CellAt(outside), -1);
    }
}

TEST(UnitRows, CountsAndPointsTooLongForTheirCellsShowWhole) {
    EnsureApplication();
    QFont font("DejaVu Sans");
    font.setPointSize(8);
    const QFontMetrics fm(font);
    const int digit = fm.horizontalAdvance(QLatin1Char('0'));
    const UnitRowCells usual = UnitRowGeometry(QRect(0, 0, 200, 14), digit, 4 * digit + 2);
    const struct {
        QString count, points;
        bool changes;
    } cases[] = {{"12", "9999", false}, {"", "999999", true}, {"492", "27060", true}};
    for (const auto& c : cases) {
        SCOPED_TRACE((c.count + " " + c.points).toStdString());
        UnitRowCells cells = usual;
        FitRowCells(cells, fm, c.count, c.points);
        EXPECT_GE(cells.countFrame.width(), c.count.isEmpty() ? 0 : fm.horizontalAdvance(c.count) + 4);
        EXPECT_GE(cells.points.width(), fm.horizontalAdvance(c.points) + 2);
        EXPECT_EQ(cells.points.right(), usual.points.right());
        EXPECT_LT(cells.countFrame.right(), cells.name.left());
        EXPECT_LT(cells.name.right(), cells.points.left());
        EXPECT_EQ(cells.name != usual.name, c.changes);
    }
}

TEST_F(UnitList, TheCountGridOpensBesideTheRowAndItsNumberBecomesTheCount) {
    const TroopTypeRecord& bows = Type("1GBW");
    const CountGridGeometry grid = CountGridGeometry::For(metrics().font);
    // Each grid is clicked at a point of its own, running its own loop as the
    // program does; it must lie beside its row, inside the tree.
    const auto clickAt = [&](QPoint point) {
        program.services.countPopupHook = [this, point](CountPopup& popup) {
            QWidget* viewport = tree().viewport();
            const QPoint origin = viewport->mapToGlobal(QPoint(0, 0));
            const QRect row = tree().visualRect(Row(&popup.troopType())).translated(origin);
            const QRect at = popup.frameGeometry();
            EXPECT_TRUE(QRect(origin, viewport->size()).contains(at));
            EXPECT_TRUE(at.top() <= row.top() && at.bottom() >= row.bottom() && at.left() >= row.left() + 20);
            QTimer::singleShot(0, &popup,
                               [&popup, point] { QTest::mouseClick(&popup, Qt::LeftButton, {}, point); });
            return UiServices().RunCountPopup(popup);
        };
    };
    clickAt(grid.CellRect(5).center());
    ClickRow(&bows, 5);
    EXPECT_EQ(army().CountOfType(bows.code()), 5);
    EXPECT_EQ(Selected(), &bows) << "the clicked row stays selected";
    EXPECT_EQ(list().model().rowCount(Row(&bows)), 5);

    // The last row, below the bows opened, with its current number set again: the list is rebuilt.
    const TroopTypeRecord* last =
        list().model().TroopTypeAt(list().model().index(list().model().rowCount() - 1, 0));
    Show(army().FindUnit(list().model().UnitAt(list().model().index(0, 0, Row(&bows)))->id()));
    clickAt(grid.CellRect(army().CountOfType(last->code())).center());
    editor().Save(program.Path("bows.evr").toStdString());
    ClickRow(last, 20);
    EXPECT_TRUE(editor().IsModified()) << "the first 20 pixels all open the grid";
    EXPECT_TRUE(Open().empty()) << "the list was rebuilt";

    // A click outside the grid changes nothing.
    const int steps = undo().count();
    for (const QPoint outside :
         {QPoint(grid.Size().width() + 50, 40), QPoint(-10, 10), QPoint(grid.Size().width() - 2, 50)}) {
        clickAt(outside);
        ClickRow(&bows, 5);
    }
    program.services.countPopupHook = [](CountPopup& popup) { // as a click elsewhere on the desktop does
        QTimer::singleShot(0, &popup, [&popup] { popup.close(); });
        return popup.Exec();
    };
    ClickRow(&bows, 5);
    EXPECT_EQ(undo().count(), steps);
    EXPECT_EQ(program.services.countPopups, 6);
}

TEST_F(UnitList, TheKeyboardOpensTheCountGridMovesTypesAndTakes) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    Add("1GBW");
    Show(&bows);
    const std::vector<std::tuple<std::vector<Qt::Key>, Qt::Key, int, const char*>> cases = {
        {{Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}, Qt::Key_Return, 8, "from 1, right, down a row of 6"},
        {{Qt::Key_1, Qt::Key_2, Qt::Key_Enter}, Qt::Key_F2, 12, "digits type the number"},
        {{Qt::Key_4, Qt::Key_5, Qt::Key_Return}, Qt::Key_Return, 4, "45 is past the grid: 4 stays marked"},
        {{Qt::Key_5, Qt::Key_0, Qt::Key_7, Qt::Key_Return}, Qt::Key_Return, 7, "after 50, 7 starts anew"},
        {{Qt::Key_Left, Qt::Key_Escape}, Qt::Key_Return, 7, "Escape takes nothing"}};
    for (const auto& [keys, opener, count, why] : cases) {
        QString said;
        program.services.countPopupHook = [&keys, &said](CountPopup& popup) {
            for (const Qt::Key key : keys)
                QTest::keyClick(&popup, key);
            said = QToolTip::text();
            return popup.Exec();
        };
        QToolTip::hideText();
        QTest::keyClick(&tree(), opener);
        EXPECT_EQ(army().CountOfType(bows.code()), count) << why;
        EXPECT_EQ(said.contains("goes up to 41"), std::string(why).find("past") != std::string::npos ||
                                                      std::string(why).find("after 50") != std::string::npos)
            << why;
    }
    for (const Qt::Key key : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus})
        QTest::keyClick(&tree(), key);
    EXPECT_EQ(army().CountOfType(bows.code()), 8);
    EXPECT_EQ(Selected(), &bows);
}

} // namespace
