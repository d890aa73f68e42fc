// Every breach explained where the player looks: tool tips on the red marks,
// red unit names, the problem count in the status bar and the breach list.
#include "UiFixtures.h"

#include "BreachListDialog.h"

#include <QHelpEvent>
#include <QListWidget>
#include <QToolTip>

using namespace ovra;
using namespace ovra::test;

namespace {

class Breaches : public ArmyWindow {
protected:
    Breaches() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~Breaches() override { QLocale::setDefault(QLocale::c()); }

    QString ToolTipOf(const TaggedObject* record) {
        return list().model().data(Row(record), Qt::ToolTipRole).toString();
    }
    QString ProblemsText() { return program.frame().findChild<QLabel*>("problemCount")->text(); }
    // The tool tip a widget shows when the mouse rests at `at`.
    QString ToolTipAt(QWidget* widget, QPoint at) {
        QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &help);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    }
};

TEST_F(Breaches, RedMarksSayWhyWithTheirNumbers) {
    UseNation(kLegion, 2000);
    Set<edits::SetCountOfType>(CodeOf("LEGI"), 2);
    Set<edits::SetCountOfType>(CodeOf("TRIB"), 9);
    EXPECT_EQ(ToolTipOf(&Type("LEGI")), "Legionaries: 2 units, at least 4 are needed for 2,000 points");
    EXPECT_EQ(ToolTipOf(&Type("TRIB")), "Tribune: 9 units, at most 8 are allowed for 2,000 points");

    // Two units carrying one item: the first's name and button red, the second's row says why.
    const UnitEntry* first = army().UnitAt(2);
    const UnitEntry* second = army().UnitAt(3);
    Set<edits::SetMagicItem>(first->id(), Item("eagl"));
    Set<edits::SetMagicItem>(second->id(), Item("eagl"));
    EXPECT_TRUE(Content(first).nameInBreach);
    EXPECT_EQ(ToolTipOf(second), "Legions eagle: carried by 2 units, at most 1");
    Show(first);
    EXPECT_EQ(detail().magicItemButton()->TextColour(), WarningRed());
    EXPECT_EQ(detail().magicItemButton()->Problem(), ToolTipOf(second));

    // The total, over the limit.
    Set<edits::SetPointsLimit>(200);
    const UiMetrics& m = metrics();
    const QPoint total = TotalBox(list().contentsRect(), m.digitWidth, m.RowHeight()).center();
    EXPECT_EQ(ToolTipAt(&list(), total), QStringLiteral("Total: %1 points, %2 over the limit of 200")
                                             .arg(QLocale().toString(army().TotalPoints()))
                                             .arg(QLocale().toString(army().TotalPoints() - 200)));

    // The count grid says what a red number would break.
    CountPopup popup(army(), Type("LEGI"), m, &tree());
    EXPECT_EQ(ToolTipAt(&popup, popup.geometry().CellRect(0).center()),
              "Legionaries: 0 units, at least 2 are needed for 200 points");

    // A mount ridden too often, on the rider's button.
    UseNation(kIndia, 1000);
    const UnitEntry* general = Add("GEN1");
    Set<edits::SetMount>(general->id(), &Type("ELMO"));
    Set<edits::SetMount>(Add("HER8")->id(), &Type("ELMO"));
    Show(general);
    EXPECT_EQ(detail().mountButton()->TextColour(), WarningRed());
    EXPECT_EQ(detail().mountButton()->Problem(), "Elephant: ridden by 2 characters, at most 1");

    // Closed troop types hide nothing: a red mark, and their units' breaches in the tool tip.
    Show(&Type("LGCV"));
    const QModelIndex generals = Row(&Type("GEN1")), heroes = Row(&Type("HER8"));
    EXPECT_TRUE(list().HidesBreaches(generals));
    EXPECT_TRUE(list().HidesBreaches(heroes));
    EXPECT_FALSE(list().HidesBreaches(Row(&Type("LGCV"))));
    EXPECT_TRUE(ToolTipOf(&Type("GEN1")).contains("General: Elephant: ridden by 2 characters, at most 1"))
        << ToolTipOf(&Type("GEN1")).toStdString();
    tree().expand(generals);
    EXPECT_FALSE(list().HidesBreaches(generals)) << "open, its units show their own red";
}

TEST_F(Breaches, TheStatusBarCountsThemAndTheListLeadsToEach) {
    UseNation(kLegion, 2000);
    EXPECT_EQ(ProblemsText(), "2 problems") << "too few legates and legionaries";
    Set<edits::SetCountOfType>(CodeOf("LEGA"), 1);
    EXPECT_EQ(ProblemsText(), "1 problem");
    // Through the undo stack too.
    Do<edits::SetCountOfType>(CodeOf("LEGI"), 4);
    EXPECT_EQ(ProblemsText(), "No problems");
    undo().undo();
    EXPECT_EQ(ProblemsText(), "1 problem");

    // The list follows every edit and selects what a breach concerns.
    Action("actionCheckArmy")->trigger();
    auto* dialog = program.frame().findChild<BreachListDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible()) << "beside the window, not modal";
    ASSERT_EQ(dialog->list()->count(), 1);
    EXPECT_EQ(dialog->list()->item(0)->text(),
              "Legionaries: 0 units, at least 4 are needed for 2,000 points");
    emit dialog->list()->itemActivated(dialog->list()->item(0));
    EXPECT_EQ(Selected(), &Type("LEGI"));

    Set<edits::SetCountOfType>(CodeOf("TRIB"), 2);
    const UnitEntry* carrier = army().UnitAt(1);
    Set<edits::SetMagicItem>(carrier->id(), Item("eagl"));
    Set<edits::SetMagicItem>(army().UnitAt(2)->id(), Item("eagl"));
    ASSERT_EQ(dialog->list()->count(), 2);
    emit dialog->list()->itemActivated(dialog->list()->item(1));
    EXPECT_EQ(Selected(), carrier) << "an item carried twice leads to its first carrier";
}

} // namespace
