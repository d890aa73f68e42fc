// The count grid: its cells and colours, and choosing a number from it in
// the running window.
#include "ArmyWindow.h"

#include "CountPopup.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

using namespace ovra;
using namespace ovra::test;

namespace {

TEST(CountGrid, CellsAreFoundWhereTheyAreDrawn) {
    EXPECT_EQ(CountCellRect(0), QRect(1, 1, 16, 14));
    EXPECT_EQ(CountCellRect(7), QRect(17, 15, 16, 14)) << "six per row";
    EXPECT_EQ(CountCellRect(41), QRect(81, 85, 16, 14));
    for (int cell = 0; cell < kCountCells; ++cell) {
        const QRect r = CountCellRect(cell);
        EXPECT_EQ(CountCellAt(r.topLeft()), cell);
        EXPECT_EQ(CountCellAt(r.bottomRight()), cell);
    }
    EXPECT_EQ(CountCellAt(QPoint(-1, 5)), -1);
    EXPECT_EQ(CountCellAt(QPoint(5, -1)), -1);
    EXPECT_EQ(CountCellAt(QPoint(97, 5)), -1) << "the border right of the last column";
    EXPECT_EQ(CountCellAt(QPoint(5, 99)), -1) << "below the seventh row";
    EXPECT_EQ(CountCellAt(QPoint(250, 40)), -1) << "far outside the grid";
}

TEST(CountGrid, OpensBesideTheRowAndStaysAboveTheTreeBottom) {
    EXPECT_EQ(CountPopupOrigin(QRect(0, 30, 180, 14), 300), QPoint(20, 30));
    // 250 + 100 would pass 300 - 5: the grid ends with the row instead.
    EXPECT_EQ(CountPopupOrigin(QRect(0, 250, 180, 14), 300), QPoint(20, 164));
    EXPECT_EQ(CountPopupOrigin(QRect(0, 195, 180, 14), 300), QPoint(20, 195));
}

class CountPopupInWindow : public ArmyWindow {
protected:
    // Answers the grid by clicking it at a point of its own.
    void AnswerWithClickAt(QPoint point) {
        program.services.countPopupHook = [this, point](CountPopup& popup) {
            opened = &popup.troopType();
            countWhenOpened = popup.currentValue();
            QTest::mouseClick(&popup, Qt::LeftButton, {}, point);
            return popup.result();
        };
    }
    void AnswerWithCell(int cell) { AnswerWithClickAt(CountCellRect(cell).center()); }

    const TroopTypeRecord* opened = nullptr;
    int countWhenOpened = -1;
};

TEST_F(CountPopupInWindow, ANumberChosenBecomesTheCountOfTheType) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    Add("1GBW");
    AnswerWithCell(5);
    ClickRow(&bows, 5);

    EXPECT_EQ(program.services.countPopups, 1);
    EXPECT_EQ(opened, &bows);
    EXPECT_EQ(countWhenOpened, 1);
    EXPECT_EQ(army().CountOfType(bows.code()), 5);
    EXPECT_EQ(undo().undoText(), QStringLiteral("Number of units"));
    EXPECT_EQ(Selected(), &bows) << "the clicked row stays selected";
    EXPECT_EQ(list().model().rowCount(Row(&bows)), 5);
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("Longbowmen"));

    AnswerWithCell(0);
    ClickRow(&bows, 20);
    EXPECT_EQ(army().CountOfType(bows.code()), 0) << "the first 20 pixels all open the grid";
}

TEST_F(CountPopupInWindow, TheCurrentNumberIsSetAgain) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    Add("1GBW");
    Add("1GBW");
    doc().OnSaveDocument(program.Path(QStringLiteral("bows.evr")).toStdString());
    // Open another row by hand: a rebuild closes it again.
    tree().expand(Row(&Type("LGCV")));
    AnswerWithCell(2);
    ClickRow(&bows, 3);
    EXPECT_EQ(army().CountOfType(bows.code()), 2);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_FALSE(tree().isExpanded(Row(&Type("LGCV")))) << "the list was rebuilt";
}

TEST_F(CountPopupInWindow, AClickOutsideTheGridChangesNothing) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    Add("1GBW");
    for (const QPoint outside : {QPoint(150, 40), QPoint(-10, 10), QPoint(98, 50)}) {
        AnswerWithClickAt(outside);
        ClickRow(&bows, 5);
        EXPECT_EQ(army().CountOfType(bows.code()), 1);
        EXPECT_EQ(undo().count(), 0);
    }
    EXPECT_EQ(program.services.countPopups, 3);
}

TEST_F(CountPopupInWindow, TheGridMarksTheCellUnderTheMouse) {
    UseNation(kIndia);
    CountPopup popup(army(), Type("1GBW"), view().metrics(), &tree());
    EXPECT_EQ(popup.size(), QSize(100, 100));
    EXPECT_EQ(popup.hoverCell(), -1);
    const auto move = [&](QPoint p) {
        QMouseEvent event(QEvent::MouseMove, p, popup.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&popup, &event);
    };
    move(CountCellRect(8).center());
    EXPECT_EQ(popup.hoverCell(), 8);
    move(CountCellRect(13).center());
    EXPECT_EQ(popup.hoverCell(), 13);
    move(QPoint(99, 99));
    EXPECT_EQ(popup.hoverCell(), -1);
    EXPECT_FALSE(popup.ended()) << "moving never ends the grid";
}

TEST_F(CountPopupInWindow, TheGridRunsItsOwnLoopUntilAClickOrAClose) {
    UseNation(kIndia);
    {
        CountPopup popup(army(), Type("1GBW"), view().metrics(), &tree());
        QTimer::singleShot(0, &popup,
                           [&] { QTest::mouseClick(&popup, Qt::LeftButton, {}, CountCellRect(7).center()); });
        EXPECT_EQ(popup.Exec(), 7);
        EXPECT_EQ(popup.currentValue(), 7) << "the green mark moved";
    }
    {
        CountPopup popup(army(), Type("1GBW"), view().metrics(), &tree());
        QTimer::singleShot(0, &popup, [&] { popup.close(); });
        EXPECT_EQ(popup.Exec(), -1);
    }
}

} // namespace
