// Several armies at once: each in its tab with its own history and
// modified mark, closed with one question, back at the next start, and
// units carried from one to another through the clipboard.
#include "UiFixtures.h"

#include "ArmyFixtures.h"
#include "ArmyPage.h"
#include "CompareDialog.h"
#include "NoticeBar.h"

#include <QClipboard>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>
#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

class Tabs : public ::testing::Test {
protected:
    Tabs() {
        // Two Indian armies and an Egyptian one, saved as files.
        const NationRecord& india = *Catalogue().FindNation(kIndia);
        Army a(india, 2000, false), b(india, 2000, false), c(*Catalogue().FindNation(kEgypt), 2000, false);
        a.SetMount(*a.AddUnit(CodeOf("GEN1")), india.FindTroopType(CodeOf("ELMO")));
        a.SetName(*a.AddUnit(CodeOf("1GBW")), "Porus's bows");
        a.AddUnit(CodeOf("SKIR"));
        b.AddUnit(CodeOf("GEN1"));
        c.AddUnit(CodeOf("GEN8"));
        for (const auto& [name, army] : {std::pair{"a.evr", &a}, {"b.evr", &b}, {"c.evr", &c}})
            std::ofstream(program.directory / name, std::ios::binary) << WriteArmyFile(*army);
    }
    static const ArmyCatalogue& Catalogue() {
        static const ArmyCatalogue catalogue(std::vector<std::filesystem::path>{});
        return catalogue;
    }
    std::filesystem::path File(const char* name) { return program.directory / name; }
    void Open(std::initializer_list<const char*> names) {
        std::vector<std::filesystem::path> files;
        for (const char* name : names)
            files.push_back(File(name));
        ASSERT_FALSE(program.Start({StartRequest::Action::Open, files}).has_value());
    }
    MainWindow& frame() { return program.frame(); }
    ArmyEditor& Tab(int index) { return frame().PageAt(index).editor(); }
    QString TabText(int index) { return frame().findChild<QTabWidget*>("armyTabs")->tabText(index); }

    TestProgram program;
};

TEST_F(Tabs, EachArmyKeepsItsOwnHistoryAndModifiedMark) {
    Open({"a.evr", "b.evr"});
    ASSERT_EQ(frame().PageCount(), 2);
    EXPECT_EQ(frame().windowTitle(), "a.evr[*] - Fennmarch AG") << "the first file is shown";
    program.Do<edits::SetCountOfType>(CodeOf("1GBW"), 3);
    const std::string edited = WriteArmyFile(Tab(0).army());
    EXPECT_EQ(TabText(0), "a.evr*");
    EXPECT_EQ(TabText(1), "b.evr");

    frame().ShowPage(1);
    EXPECT_EQ(frame().windowTitle(), "b.evr[*] - Fennmarch AG");
    EXPECT_FALSE(frame().isWindowModified());
    EXPECT_FALSE(program.Action("actionUndo")->isEnabled()) << "b has nothing to undo";
    program.Action("actionUndo")->trigger();
    EXPECT_EQ(WriteArmyFile(Tab(0).army()), edited) << "Ctrl+Z in b leaves a's edit in place";

    frame().ShowPage(0);
    EXPECT_TRUE(frame().isWindowModified());
    program.Action("actionUndo")->trigger();
    EXPECT_EQ(TabText(0), "a.evr");

    // Opening a file that is open already shows its tab.
    program.services.fileAnswers = {QString::fromStdString(File("b.evr").string())};
    program.Action("actionOpen")->trigger();
    EXPECT_EQ(frame().PageCount(), 2);
    EXPECT_EQ(&program.editor(), &Tab(1));
}

TEST_F(Tabs, ClosingTheWindowAsksOnceForEveryModifiedArmy) {
    using Choice = UiServices::SaveChoice;
    const struct {
        Choice answer;
        bool closes;
        bool saved;
    } cases[] = {{Choice::Cancel, false, false}, {Choice::Discard, true, false}, {Choice::Save, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.answer));
        Open({"a.evr", "b.evr", "c.evr"});
        program.Do<edits::SetCountOfType>(CodeOf("SKIR"), 0);
        frame().ShowPage(2);
        program.Do<edits::SetCountOfType>(CodeOf("GEN8"), 2);
        const std::string a = WriteArmyFile(Tab(0).army()), c8 = WriteArmyFile(Tab(2).army());
        program.services.saveQuestions.clear();
        program.services.saveChoices = {c.answer};
        EXPECT_EQ(frame().close(), c.closes);
        EXPECT_EQ(program.services.saveQuestions, std::vector<QString>{"a.evr,c.evr"});
        EXPECT_EQ(ReadWholeFile(File("a.evr")) == a, c.saved);
        EXPECT_EQ(ReadWholeFile(File("c.evr")) == c8, c.saved);
    }
}

TEST_F(Tabs, TheArmiesOpenAtExitComeBackAndThoseGoneAreNamed) {
    Open({"a.evr", "b.evr", "c.evr"});
    ASSERT_TRUE(frame().close());
    std::filesystem::remove(File("b.evr"));
    ASSERT_FALSE(program.Start({StartRequest::Action::New, {}, true}).has_value());
    ASSERT_EQ(frame().PageCount(), 2);
    EXPECT_EQ(Tab(0).document().path(), File("a.evr"));
    EXPECT_EQ(Tab(1).document().path(), File("c.evr"));
    EXPECT_TRUE(frame().statusBar()->currentMessage().contains("b.evr"));

    // File > Close takes a tab away; the last one gives way to a new army.
    frame().OnFileClose();
    frame().OnFileClose();
    ASSERT_EQ(frame().PageCount(), 1);
    EXPECT_EQ(program.doc().title(), "New Army");
}

TEST_F(Tabs, UnitsTravelFromOneArmyToAnotherThroughTheClipboard) {
    Open({"a.evr", "b.evr", "c.evr"});
    UnitListPane& list = *frame().PageAt(0).view().unitList();
    const Army& a = Tab(0).army();
    list.Select({&a.UnitAt(0)->troopType(), a.UnitAt(0)->id()});
    const QModelIndex bows = list.model().IndexOf({&a.UnitAt(1)->troopType(), a.UnitAt(1)->id()});
    list.tree()->selectionModel()->select(bows, QItemSelectionModel::Select);
    program.Action("actionCopyUnits")->trigger();
    const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(copied->hasFormat(kUnitsMimeType));
    EXPECT_TRUE(copied->text().contains("Porus's bows (Longbowmen)")) << copied->text().toStdString();
    EXPECT_TRUE(copied->text().contains("Elephant")) << "a pasted text is readable";

    frame().ShowPage(1);
    program.Action("actionPasteUnits")->trigger();
    EXPECT_EQ(EntryCodes(Tab(1).army()), "GEN1 GEN1 1GBW");
    EXPECT_EQ(Tab(1).army().UnitAt(1)->mount()->code(), CodeOf("ELMO"));
    EXPECT_EQ(Tab(1).undoStack().count(), 1) << "one step";
    program.Action("actionSave")->trigger();
    EXPECT_EQ(ReadWholeFile(File("b.evr")), WriteArmyFile(Tab(1).army()));

    // Egypt has neither the Indian general nor his elephant: the bows come alone.
    frame().ShowPage(2);
    program.Action("actionPasteUnits")->trigger();
    EXPECT_EQ(EntryCodes(Tab(2).army()), "GEN8");
    ASSERT_FALSE(program.services.messages.empty());
    EXPECT_TRUE(program.services.messages.back().contains("GEN1"))
        << program.services.messages.back().toStdString();

    // Cut: the units leave a as one step.
    frame().ShowPage(0);
    list.Select({&a.UnitAt(2)->troopType(), a.UnitAt(2)->id()});
    program.Action("actionCutUnits")->trigger();
    EXPECT_EQ(EntryCodes(a), "GEN1 1GBW");
    Tab(0).undoStack().undo();
    EXPECT_EQ(EntryCodes(a), "GEN1 1GBW SKIR");
}

TEST_F(Tabs, CompareShowsTwoArmiesSideBySideWithTheirDifferences) {
    Open({"a.evr", "b.evr", "c.evr"});
    std::vector<QStringList> tables;
    program.services.dialogHook = [&](QDialog& dialog) {
        const QTreeWidget* table = static_cast<CompareDialog&>(dialog).table();
        QStringList rows;
        for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(table)); *it; ++it)
            rows << QStringList{(*it)->text(0), (*it)->text(1), (*it)->text(2), (*it)->text(3)}.join('|');
        tables.push_back(rows);
        return int(QDialog::Rejected);
    };
    program.services.itemAnswers = {0, 2};
    program.Action("actionCompare")->trigger();
    EXPECT_EQ(program.services.choices.front(), (QStringList{"b.evr", "c.evr", "An army file..."}));
    ASSERT_EQ(tables.size(), 1u);
    const QStringList ab = tables.front();
    const std::int32_t totalA = Tab(0).army().TotalPoints(), totalB = Tab(1).army().TotalPoints();
    EXPECT_TRUE(
        ab.contains(QStringLiteral("Points total|%1|%2|%3").arg(totalA).arg(totalB).arg(totalB - totalA)))
        << ab.join('\n').toStdString();
    EXPECT_TRUE(ab.filter("Only in a.evr|Porus's bows").size() == 1) << ab.join('\n').toStdString();
    EXPECT_TRUE(ab.filter("General, Elephant|General|").size() == 1) << "the general's mount differs";

    // An army file that is not open, read as Open reads it.
    program.services.fileAnswers = {QString::fromStdString(File("b.evr").string())};
    program.Action("actionCompare")->trigger();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1], ab) << "the same as the open b";
}

} // namespace

namespace {

TEST_F(Tabs, ACopiedRosterComesBackExactlyAsANewArmyAndOnlyAsOne) {
    Open({"a.evr"});
    const std::string shared = ReadWholeFile(File("a.evr"));
    program.Action("actionCopyRoster")->trigger();
    const QString roster = QGuiApplication::clipboard()->text();
    EXPECT_TRUE(roster.contains("ovra:1:")) << "the roster ends with the army code";

    program.Action("actionPasteArmy")->trigger();
    ASSERT_EQ(frame().PageCount(), 2) << "a new tab; the army on screen stays";
    EXPECT_EQ(WriteArmyFile(program.editor().army()), shared) << "byte for byte";
    EXPECT_EQ(program.doc().title(), "New Army");
    EXPECT_TRUE(program.editor().IsModified()) << "in no file yet";
    EXPECT_EQ(WriteArmyFile(Tab(0).army()), shared);

    // Without its code, the roster's own lines give the same units.
    QStringList lines = roster.split('\n');
    lines.erase(
        std::remove_if(lines.begin(), lines.end(), [](const QString& l) { return l.contains("ovra:1:"); }),
        lines.end());
    QGuiApplication::clipboard()->setText(lines.join('\n'));
    program.Action("actionPasteArmy")->trigger();
    ASSERT_EQ(frame().PageCount(), 3);
    EXPECT_EQ(EntryCodes(program.editor().army()), EntryCodes(Tab(0).army()));
    EXPECT_TRUE(frame().page().notices().text().isEmpty()) << frame().page().notices().text().toStdString();

    // Loose forum lines: what is not understood is listed, with the names it knows.
    QGuiApplication::clipboard()->setText("Indian army\n2x Longbowmen\n1 Genral on Elephant\nDragons x3\n");
    program.Action("actionPasteArmy")->trigger();
    ASSERT_EQ(frame().PageCount(), 4);
    EXPECT_TRUE(frame().page().notices().text().contains("Dragons"))
        << frame().page().notices().text().toStdString();
}

} // namespace
