// The main window as a player meets it: start-up, menus and dialogs, the
// nation bar and the file commands.
#include "UiFixtures.h"

#include <QListView>

#include <QDir>

using namespace ovra;
using namespace ovra::test;

namespace {

TEST(MainWindow, StartsWithTheRememberedNationOrTheFirst) {
    for (const int remembered : {0, 32, 3}) { // nothing remembered, a nation, and 3 that is no nation
        TestProgram program;
        if (remembered != 0) {
            program.settings->setValue("INIT/Nation", remembered);
            program.settings->setValue("INIT/Points", 1500);
        }
        ASSERT_FALSE(program.Start().has_value());
        EXPECT_EQ(program.doc().army().nation().id(), remembered == 32 ? 32 : 8);
        EXPECT_EQ(program.view().nationBar()->pointsEdit()->text(), remembered == 0 ? "2000" : "1500");
        EXPECT_EQ(program.frame().windowTitle(), "New Army[*] - Fennmarch AG");
        EXPECT_FALSE(program.frame().isWindowModified());
    }
}

TEST(MainWindow, MenusHoldTheCommandsWithTheirShortcutsAndOpenTheirDialogs) {
    TestProgram program({DataPath("catalogue/base"), DataPath("lint")});
    program.Start();
    QStringList shortcuts;
    for (QAction* menu : program.frame().menuBar()->actions())
        for (QAction* action : menu->menu()->actions())
            shortcuts << action->shortcut().toString();
    // Every command is in a menu, but Save, whose Ctrl+S needs no entry.
    for (QAction* command : program.frame().findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly)) {
        const QString name = command->objectName();
        if (!name.startsWith("action") || name == "actionSave" || name.startsWith("actionRecent"))
            continue;
        bool listed = false;
        for (QAction* menu : program.frame().menuBar()->actions())
            listed = listed || menu->menu()->actions().contains(command);
        EXPECT_TRUE(listed) << name.toStdString();
    }
    EXPECT_EQ(shortcuts.join(' ').simplified(), "Ctrl+N Ctrl+O Ctrl+W Ctrl+P Ctrl+Z Ctrl+Y Ctrl+X Ctrl+C "
                                                "Ctrl+V Ctrl+Shift+C Ctrl+Shift+V Ins Del Ctrl+K");

    // About, the nation's info, and Help > Army lists with every file read, its nations and its lint.
    QStringList seen;
    program.services.dialogHook = [&](QDialog& dialog) {
        seen << dialog.objectName();
        if (auto* name = dialog.findChild<QLineEdit*>("nationName"))
            seen << name->text();
        if (auto* tree = dialog.findChild<QTreeWidget*>("armyListTree")) {
            for (int i = 1; i < tree->topLevelItemCount(); ++i) {
                const QTreeWidgetItem* file = tree->topLevelItem(i);
                seen << file->text(0) + ": " + file->text(1) + ", " + file->child(0)->text(0);
            }
            tree->setCurrentItem(tree->topLevelItem(2)->child(0));
            seen << dialog.findChild<QPlainTextEdit*>("lintView")->toPlainText().section(':', 0, 3);
        }
        return int(QDialog::Accepted);
    };
    program.Action("actionAbout")->trigger();
    QTest::mouseClick(program.view().nationBar()->infoButton(), Qt::LeftButton);
    program.Action("actionArmyLists")->trigger();
    EXPECT_EQ(seen, (QStringList{"aboutDialog", "nationInfoDialog", "Eighth", "armyListsDialog",
                                 "base.dfm: 3 errors, 9 warnings, replaces Alexander the Great from Built-in "
                                 "army lists with First (1)",
                                 "broken.dfm: 1 error, 1 warning, adds Broken isle (4097)",
                                 "example.dfm: clean, adds Sea Raiders (4096)", "broken.dfm:3:1: error"}));
}

TEST(NationBar, PointsFieldTakesDigitsOnlyAndTheCaretKeepsItsPlace) {
    TestProgram program;
    program.Start();
    QLineEdit* points = program.view().nationBar()->pointsEdit();
    points->setFocus();
    points->selectAll();
    QTest::keyClick(points, Qt::Key_Backspace);
    EXPECT_EQ(points->selectedText(), "0") << "an emptied field shows 0 selected";
    EXPECT_EQ(program.doc().pointsLimit(), 0);
    EXPECT_TRUE(program.frame().isWindowModified());

    QTest::keyClicks(points, "1a");
    EXPECT_EQ(points->cursorPosition(), 1);
    points->selectAll();
    QApplication::clipboard()->setText("2x5y0");
    QTest::keyClick(points, Qt::Key_V, Qt::ControlModifier);
    points->setCursorPosition(1);
    QTest::keyClicks(points, "b");
    EXPECT_EQ(points->text(), "250");
    EXPECT_EQ(points->cursorPosition(), 1) << "the caret stays where the letter was typed";
    EXPECT_EQ(program.doc().pointsLimit(), 250);
}

TEST(NationBar, ChangingTheNationAsksOnlyWhenUnitsWouldBeLost) {
    TestProgram program;
    program.Start();
    QComboBox* combo = program.view().nationBar()->nationCombo();
    emit combo->activated(combo->findText("Indian army"));
    EXPECT_EQ(program.services.questions, 0) << "an empty army changes without a question";
    EXPECT_EQ(program.doc().army().UnitCount(), 15) << "the new army holds the minimums";

    const int greece = combo->findText("Greek army");
    program.services.okCancelAnswers = {false};
    combo->setCurrentIndex(greece);
    emit combo->activated(greece);
    EXPECT_EQ(program.doc().army().nation().id(), 2) << "Cancel keeps everything";
    EXPECT_EQ(combo->currentText(), "Indian army");
    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(program.services.questions, 1) << "picking the nation in use does nothing";
    emit combo->activated(greece);
    EXPECT_EQ(program.doc().army().nation().id(), 4);
}

TEST(NationBar, TypingFindsTheNationsWhoseNameHoldsIt) {
    TestProgram program;
    program.Start();
    QComboBox* combo = program.view().nationBar()->nationCombo();
    auto* list = qobject_cast<QListView*>(combo->view());
    combo->setFocus();
    QTest::keyClicks(combo, "ARM");
    ASSERT_TRUE(list->isVisible());
    int shown = 0;
    for (int i = 0; i < combo->count(); ++i)
        shown += list->isRowHidden(i) ? 0 : 1;
    EXPECT_EQ(shown, combo->count()) << "every army name holds \"arm\", whatever the case";
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClick(list, Qt::Key_Backspace);
    QTest::keyClicks(list, "gyp");
    for (int i = 0; i < combo->count(); ++i)
        EXPECT_EQ(list->isRowHidden(i), !combo->itemText(i).contains("gyp"))
            << combo->itemText(i).toStdString();
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(program.doc().army().nation().id(), 32) << "Enter takes the first nation found";
    EXPECT_FALSE(list->isVisible());
    for (int i = 0; i < combo->count(); ++i)
        EXPECT_FALSE(list->isRowHidden(i)) << "the next time the list shows every nation";
}

TEST(NationBar, NationsWithTheSameArmyNameAreToldApart) {
    TestProgram program({DataPath("ui/twins")});
    program.Start();
    QComboBox* combo = program.view().nationBar()->nationCombo();
    std::vector<std::int32_t> ids;
    for (int i = 0; i < combo->count(); ++i) {
        if (!combo->itemText(i).startsWith("Indian army"))
            continue;
        emit combo->activated(i);
        EXPECT_EQ(combo->currentIndex(), i) << "the refresh selects the nation picked";
        ids.push_back(program.doc().army().nation().id());
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{5, 3, 2})) << "bucket 0, the files' nations first";
}

TEST(FileCommands, SaveOpenTheRecentFilesAndTheOfferToSaveFirst) {
    TestProgram program;
    program.Start();
    program.Do<edits::SetCountOfType>(CodeOf("1GEN"), 1);
    // A modified army is offered for saving before it goes; Cancel keeps it.
    program.services.saveChoices = {UiServices::SaveChoice::Cancel, UiServices::SaveChoice::Cancel};
    EXPECT_FALSE(program.frame().close());
    EXPECT_FALSE(program.frame().OnFileClose());
    EXPECT_EQ(program.doc().army().UnitCount(), 1);
    EXPECT_EQ(program.services.saveQuestions, (std::vector<QString>{"New Army", "New Army"}));

    // Ctrl+S on a new army asks for a name, proposing its title; a second one does not ask.
    QApplication::setActiveWindow(&program.frame());
    const QString troy = program.Path("Troy.evr");
    program.services.fileAnswers = {troy};
    QTest::keyClick(&program.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(program.frame().windowTitle(), "Troy.evr[*] - Fennmarch AG");
    EXPECT_FALSE(program.frame().isWindowModified());
    EXPECT_EQ(program.settings->value("INIT/Nation").toInt(), 8);
    program.Do<edits::SetCountOfType>(CodeOf("1TER"), 1);
    QTest::keyClick(&program.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(program.services.proposals, std::vector<QString>{QDir::home().filePath("New Army.evr")});
    EXPECT_EQ(ReadWholeFile(troy.toStdString()), WriteArmyFile(program.doc().army()));

    // File > New adds an army beside it; opening a file already open shows its tab.
    program.Action("actionNew")->trigger();
    EXPECT_EQ(program.frame().PageCount(), 2);
    EXPECT_EQ(program.doc().army().UnitCount(), 0);
    program.services.fileAnswers = {troy};
    program.Action("actionOpen")->trigger();
    EXPECT_EQ(program.frame().PageCount(), 2);
    EXPECT_EQ(program.doc().army().UnitCount(), 2);
    QStringList expected{troy};
    for (int i = 0; i < 4; ++i) {
        expected.prepend(program.Path(QStringLiteral("army%1.evr").arg(i)));
        program.services.fileAnswers = {expected.front()};
        program.Action("actionSaveAs")->trigger();
    }
    expected.removeLast();
    std::vector<std::filesystem::path> recent;
    for (const QString& file : expected)
        recent.push_back(file.toStdString());
    EXPECT_EQ(program.frame().RecentFiles(), recent) << "newest first, four at most";
    program.Action("actionRecent4")->trigger();
    EXPECT_EQ(program.frame().windowTitle(), "army0.evr[*] - Fennmarch AG");
    EXPECT_EQ(program.frame().RecentFiles().front(), program.Path("army0.evr").toStdString());

    program.Do<edits::SetCountOfType>(CodeOf("1TER"), 2);
    program.services.saveChoices = {UiServices::SaveChoice::Save};
    EXPECT_TRUE(program.frame().close());
    EXPECT_EQ(ReadWholeFile(program.Path("army0.evr").toStdString()), WriteArmyFile(program.doc().army()));
}

TEST(StartUp, AFileNameOpensThatArmyOrPrintsIt) {
    TestProgram program;
    EXPECT_FALSE(
        program.Start({StartRequest::Action::Open, {DataPath("army/india-example.evr")}}).has_value());
    EXPECT_EQ(program.frame().windowTitle(), "india-example.evr[*] - Fennmarch AG");
    EXPECT_EQ(program.Start({StartRequest::Action::Open, {DataPath("army/not-there.evr")}}), 1);
    EXPECT_EQ(program.services.messages.size(), 1u);

    Application app(program.options);
    const QString pdf = program.Path("printed.pdf");
    app.context().printer().setOutputFormat(QPrinter::PdfFormat);
    app.context().printer().setOutputFileName(pdf);
    EXPECT_EQ(app.Start({StartRequest::Action::Print, {DataPath("army/india-example.evr")}}), 0);
    EXPECT_FALSE(app.mainFrame().isVisible());
    EXPECT_EQ(program.services.printDialogs, 0) << "no dialog: the stored choice is used";
    EXPECT_GT(QFileInfo(pdf).size(), 0);
    EXPECT_EQ(app.Start({StartRequest::Action::Print, {DataPath("army/not-there.evr")}}), 1);
}

} // namespace
