// Army lists that change while the window is open, and since an army was
// saved: the armies follow them, one undoable step each, and the player is
// told what changed for each army.
#include "UiFixtures.h"

#include "ArmyListsDialog.h"
#include "ArmyPage.h"
#include "ListWatch.h"
#include "NoticeBar.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

// tests/data/army/mixed.dfm as the user's own army-list folder: its nation 1
// has Spears at 40 points, a Lord who may ride the Horse, and a Ring.
class ListChange : public ::testing::Test {
protected:
    ListChange() : program(Folder()) {
        program.Start();
        program.editor().Load(WriteArmyFile(Army(*program.app->catalogue().FindNation(1), 1000, false)),
                              "army.evr");
        program.Set<edits::SetCountOfType>(CodeOf("SPEA"), 2);
    }
    std::vector<std::filesystem::path> Folder() {
        std::filesystem::create_directories(lists);
        Rewrite({});
        return {lists};
    }
    // The list with its texts replaced.
    void Rewrite(const std::vector<std::pair<std::string, std::string>>& replacements) {
        std::string text = ReadWholeFile(DataPath("army/mixed.dfm"));
        for (const auto& [from, to] : replacements)
            text.replace(text.find(from), from.size(), to);
        std::ofstream(lists / "list.dfm", std::ios::binary | std::ios::trunc) << text;
    }
    const Army& army() { return program.editor().army(); }
    QString Notice() { return program.frame().page().notices().text(); }
    bool Settles(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

    ScratchFolder scratch;
    std::filesystem::path lists = scratch / "armylists";
    TestProgram program;
};

TEST_F(ListChange, AnOpenArmyFollowsTheListsAndSaysWhatChangedForIt) {
    ASSERT_EQ(army().TotalPoints(), 80);
    Rewrite({{"3 40 2 6 0", "3 44 2 6 0"}});
    ASSERT_TRUE(Settles([&] { return army().TotalPoints() == 88; })) << "the watch reads the lists again";
    EXPECT_TRUE(Notice().contains("Spears")) << Notice().toStdString();
    EXPECT_TRUE(Notice().contains("40 -> 44")) << Notice().toStdString();
    EXPECT_TRUE(Notice().contains("80 -> 88")) << "the total, before and now";
    EXPECT_FALSE(program.editor().IsModified()) << "nothing of the army was lost";

    program.editor().undoStack().undo();
    EXPECT_EQ(army().TotalPoints(), 80) << "the army on the lists it was read against";
    program.Do<edits::SetCountOfType>(CodeOf("SPEA"), 3);
    EXPECT_EQ(army().TotalPoints(), 120) << "and edited on them";
}

TEST_F(ListChange, WhatTheListsNoLongerHoldUnbindsTheArmyAndIsNamed) {
    const std::string file = program.Path("lord.evr").toStdString();
    program.Set<edits::NewUnit>(*army().nation().FindTroopType(CodeOf("LORD")));
    const UnitId lord = army().UnitAt(army().UnitCount() - 1)->id();
    program.Set<edits::SetMount>(lord, army().nation().FindTroopType(CodeOf("HORS")));
    program.editor().Save(file);

    Rewrite(
        {{"<TROOPS HORS \"Horse\" moun 2> 2 \"\" 3 0 0 3 25 0 1 0<LIMIT>LORDCAPT</LIMIT>\n</TROOPS>\n", ""}});
    program.app->listWatch().Check();
    EXPECT_TRUE(Notice().contains("the mount HORS is in no army list")) << Notice().toStdString();
    EXPECT_EQ(program.doc().path(), std::filesystem::path()) << "Save asks for a name";
    EXPECT_EQ(ReadWholeFile(file).find("<MOUNT>") != std::string::npos, true) << "the file keeps the Horse";
    program.editor().undoStack().undo();
    EXPECT_EQ(program.doc().path(), file);
}

TEST_F(ListChange, OpeningAnArmySavedOnOtherListsSaysWhatChangedSince) {
    const QString file = program.Path("spears.evr");
    program.services.fileAnswers = {file};
    program.Action("actionSaveAs")->trigger();
    program.frame().OnFileClose();

    Rewrite({{"3 40 2 6 0", "3 35 2 6 0"}});
    program.app->listWatch().Check();
    program.services.fileAnswers = {file};
    program.Action("actionOpen")->trigger();
    EXPECT_TRUE(Notice().contains("Since this army was saved")) << Notice().toStdString();
    EXPECT_TRUE(Notice().contains("40 -> 35")) << Notice().toStdString();

    // Nothing is said when nothing changed.
    program.frame().OnFileClose();
    Rewrite({});
    program.app->listWatch().Check();
    program.services.fileAnswers = {file};
    program.Action("actionOpen")->trigger();
    EXPECT_TRUE(Notice().isEmpty()) << Notice().toStdString();
}

TEST_F(ListChange, ASnapshotThatCannotBeKeptNeverStopsTheSave) {
    std::ofstream(program.Path("blocker").toStdString()) << "a file where a folder should be";
    program.app->context().SetDataFolder(program.Path("blocker"));
    const QString file = program.Path("spears.evr");
    program.services.fileAnswers = {file};
    program.Action("actionSaveAs")->trigger();
    EXPECT_EQ(ReadWholeFile(file.toStdString()), WriteArmyFile(army()));
    EXPECT_FALSE(program.editor().IsModified());
    EXPECT_TRUE(program.frame().statusBar()->currentMessage().contains("could not be kept"));
}

} // namespace

namespace {

TEST_F(ListChange, HelpArmyListsShowsWhatChangedInAListSinceTheLastStart) {
    Rewrite({{"3 40 2 6 0", "3 44 2 6 0"}});
    program.Start(); // the next start, with the list the last one copied
    QString changes;
    bool offered = false;
    program.services.dialogHook = [&](QDialog& dialog) {
        auto& lists = static_cast<ArmyListsDialog&>(dialog);
        QTreeWidget* tree = lists.listTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            tree->setCurrentItem(tree->topLevelItem(i));
            if (tree->topLevelItem(i)->text(0) != "list.dfm") {
                EXPECT_FALSE(lists.compareButton()->isEnabled()) << "the built-in lists did not change";
            }
        }
        offered = lists.compareButton()->isEnabled();
        lists.compareButton()->click();
        changes = lists.lintView()->toPlainText();
        return int(QDialog::Rejected);
    };
    program.Action("actionArmyLists")->trigger();
    EXPECT_TRUE(offered);
    EXPECT_TRUE(changes.contains("Spears")) << changes.toStdString();
    EXPECT_TRUE(changes.contains("points 40 -> 44")) << changes.toStdString();

    program.Start(); // and at the start after that, nothing changed since
    program.Action("actionArmyLists")->trigger();
    EXPECT_FALSE(offered);
}

} // namespace
