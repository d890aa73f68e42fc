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

TEST(CountGrid, CellsAreFoundWhereTheyAreDrawnAndHoldTwoDigits) {
    EnsureApplication();
    for (const int points : {8, 14}) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(points);
        const CountGridGeometry grid = CountGridGeometry::For(font);
        const QFontMetrics fm(font);
        for (int cell = 0; cell < kCountCells; ++cell) {
            const QRect r = grid.CellRect(cell);
            EXPECT_TRUE(QRect(QPoint(0, 0), grid.Size()).contains(r)) << cell;
            EXPECT_EQ(grid.CellAt(r.topLeft()), cell);
            EXPECT_EQ(grid.CellAt(r.bottomRight()), cell);
            EXPECT_GE(r.width(), fm.horizontalAdvance(QString::number(cell)) + 4)
                << "room between neighbours";
        }
        EXPECT_EQ(grid.CellRect(7).top(), grid.CellRect(1).bottom() + 1) << "six per row";
        EXPECT_EQ(grid.CellAt(QPoint(-1, 5)), -1);
        EXPECT_EQ(grid.CellAt(QPoint(grid.Size().width() - 2, 5)), -1)
            << "the border right of the last column";
        EXPECT_EQ(grid.CellAt(QPoint(5, grid.Size().height())), -1) << "below the seventh row";
    }
}

TEST(CountGrid, OpensBesideTheRowAndStaysAboveTheTreeBottom) {
    EXPECT_EQ(CountPopupOrigin(QRect(0, 30, 180, 14), 300, 100), QPoint(20, 30));
    // 250 + 100 would pass 300 - 5: the grid ends with the row instead.
    EXPECT_EQ(CountPopupOrigin(QRect(0, 250, 180, 14), 300, 100), QPoint(20, 164));
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
    void AnswerWithCell(int cell) {
        AnswerWithClickAt(CountGridGeometry::For(view().metrics().font).CellRect(cell).center());
    }

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
    const QSize size = CountGridGeometry::For(view().metrics().font).Size();
    for (const QPoint outside :
         {QPoint(size.width() + 50, 40), QPoint(-10, 10), QPoint(size.width() - 2, 50)}) {
        AnswerWithClickAt(outside);
        ClickRow(&bows, 5);
        EXPECT_EQ(army().CountOfType(bows.code()), 1);
        EXPECT_EQ(undo().count(), 0);
    }
    EXPECT_EQ(program.services.countPopups, 3);
}

TEST_F(CountPopupInWindow, TheGridRunsItsOwnLoopUntilAClickOrAClose) {
    UseNation(kIndia);
    {
        CountPopup popup(army(), Type("1GBW"), view().metrics(), &tree());
        QTimer::singleShot(0, &popup, [&] {
            QTest::mouseClick(&popup, Qt::LeftButton, {}, popup.geometry().CellRect(7).center());
        });
        EXPECT_EQ(popup.Exec(), 7);
        EXPECT_EQ(popup.currentValue(), 7) << "the green mark moved";
    }
    {
        CountPopup popup(army(), Type("1GBW"), view().metrics(), &tree());
        QTimer::singleShot(0, &popup, [&] { popup.close(); });
        EXPECT_EQ(popup.Exec(), -1);
    }
}

TEST_F(CountPopupInWindow, TheKeyboardOpensMovesTypesAndTakes) {
    UseNation(kIndia);
    const TroopTypeRecord& bows = Type("1GBW");
    Add("1GBW");
    Show(&bows);
    tree().setFocus();
    // Each answer presses keys in the grid and reports what it ended with.
    const auto answer = [&](std::vector<std::pair<int, QString>> keys) {
        program.services.countPopupHook = [keys](CountPopup& popup) {
            for (const auto& [key, text] : keys)
                QTest::keyClick(&popup, static_cast<Qt::Key>(key), Qt::NoModifier);
            return popup.result();
        };
    };
    answer({{Qt::Key_Right, {}}, {Qt::Key_Down, {}}, {Qt::Key_Return, {}}});
    QTest::keyClick(&tree(), Qt::Key_Return);
    EXPECT_EQ(army().CountOfType(bows.code()), 1 + 1 + 6) << "from the current count, right, down a row";

    answer({{Qt::Key_1, {}}, {Qt::Key_2, {}}, {Qt::Key_Enter, {}}});
    QTest::keyClick(&tree(), Qt::Key_F2);
    EXPECT_EQ(army().CountOfType(bows.code()), 12) << "digits type the number";

    answer({{Qt::Key_4, {}}, {Qt::Key_5, {}}, {Qt::Key_Return, {}}});
    QTest::keyClick(&tree(), Qt::Key_Return);
    EXPECT_EQ(army().CountOfType(bows.code()), 5) << "45 is past the grid: the 5 starts anew";

    answer({{Qt::Key_Left, {}}, {Qt::Key_Escape, {}}});
    QTest::keyClick(&tree(), Qt::Key_Return);
    EXPECT_EQ(army().CountOfType(bows.code()), 5) << "Escape takes nothing";

    QTest::keyClick(&tree(), Qt::Key_Plus);
    QTest::keyClick(&tree(), Qt::Key_Plus);
    QTest::keyClick(&tree(), Qt::Key_Minus);
    EXPECT_EQ(army().CountOfType(bows.code()), 6);
    EXPECT_EQ(Selected(), &bows);
}

} // namespace
