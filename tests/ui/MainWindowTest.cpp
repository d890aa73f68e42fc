// The main window as a player meets it: start-up, caption, menus and
// toolbar, the nation bar, the Army commands and the file commands.
#include "NationBar.h"
#include "RunProgram.h"
#include "UiFixtures.h"
#include "UnitListPane.h"
#include "Win1252.h"

#include "AboutDialog.h"
#include "ArmyFile.h"
#include "CatalogueFixtures.h"
#include "NationInfoDialog.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

QStringList MenuTexts(QMenu* menu) {
    QStringList texts;
    for (QAction* action : menu->actions()) {
        if (!action->isVisible())
            continue;
        QString text = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty())
            text += QStringLiteral("\t") + action->shortcut().toString();
        texts << text;
    }
    return texts;
}

QAction* Action(TestProgram& program, const char* name) {
    return program.frame().findChild<QAction*>(QString::fromLatin1(name));
}

const TroopTypeRecord* FirstTroopType(const ArmyDocument& doc) {
    return doc.army().nation().NextListedTroopType(nullptr);
}

TEST(MainWindow, StartsWithANewArmyOfTheFirstNation) {
    TestProgram program;
    ASSERT_FALSE(program.Start().has_value());
    EXPECT_EQ(program.doc().army().nation().id(), 8);
    EXPECT_EQ(program.doc().pointsLimit(), 2000);
    EXPECT_EQ(program.frame().windowTitle(), QStringLiteral("New Army[*] - Fennmarch AG"));
    EXPECT_FALSE(program.frame().isWindowModified());
    EXPECT_EQ(program.frame().size(), QSize(620, 420));
    EXPECT_EQ(program.frame().statusBar()->currentMessage(), QStringLiteral("Ready"));
    auto* combo = program.view().nationBar()->nationCombo();
    EXPECT_EQ(combo->count(), 12);
    EXPECT_EQ(combo->currentText(), QStringLiteral("Army of the Trojan war"));
    EXPECT_EQ(combo->itemText(11), QStringLiteral("Imperial Roman army"));
    EXPECT_EQ(program.view().nationBar()->pointsEdit()->text(), QStringLiteral("2000"));
}

TEST(MainWindow, StartsWithTheRememberedNationOrTheFirst) {
    TestProgram remembered;
    remembered.settings->setValue(QStringLiteral("INIT/Nation"), 32);
    remembered.settings->setValue(QStringLiteral("INIT/Points"), 1500);
    remembered.Start();
    EXPECT_EQ(remembered.doc().army().nation().id(), 32);
    EXPECT_EQ(remembered.view().nationBar()->pointsEdit()->text(), QStringLiteral("1500"));

    TestProgram unknown;
    unknown.settings->setValue(QStringLiteral("INIT/Nation"), 3);
    unknown.Start();
    EXPECT_EQ(unknown.doc().army().nation().id(), 8);
}

TEST(MainWindow, MenusToolbarAndPrompts) {
    TestProgram program;
    program.Start();
    const QList<QAction*> menus = program.frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(menus[1]->text(), QStringLiteral("&Edit"));
    EXPECT_EQ(menus[2]->text(), QStringLiteral("&Army"));
    EXPECT_EQ(menus[3]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(MenuTexts(menus[0]->menu()),
              (QStringList{"&New\tCtrl+N", "&Open...\tCtrl+O", "Save &As...", "-", "&Print...\tCtrl+P",
                           "Print Pre&view...", "P&rint Setup...", "-", "&Export Html", "Export P&DF...",
                           "Export as &text...", "-", "Recent File", "-", "E&xit"}));
    EXPECT_EQ(MenuTexts(menus[1]->menu()),
              (QStringList{"Undo\tCtrl+Z", "Redo\tCtrl+Y", "-", "&Copy roster\tCtrl+Shift+C"}));
    EXPECT_EQ(MenuTexts(menus[2]->menu()), (QStringList{"&New unit\tIns", "&Delete unit\tDel", "-",
                                                        "&Min/Max units", "&Check army\tCtrl+K"}));
    EXPECT_EQ(MenuTexts(menus[3]->menu()), (QStringList{"&Army lists...", "&About Ovra..."}));
    EXPECT_EQ(Action(program, "actionSave")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));

    QStringList tools;
    for (QAction* action : program.frame().findChild<QToolBar*>(QStringLiteral("toolBar"))->actions())
        tools << (action->isSeparator() ? QStringLiteral("-") : action->toolTip());
    EXPECT_EQ(tools, (QStringList{"New", "Open", "Save As", "Undo", "Redo", "-", "New unit", "Delete unit",
                                  "Min/Max units", "-", "Print", "-", "About"}));

    EXPECT_EQ(Action(program, "actionNewUnit")->statusTip(),
              QStringLiteral("Creates a new unit or duplicates an existing one."));
    EXPECT_EQ(Action(program, "actionDeleteUnit")->statusTip(), QStringLiteral("Delete the unit."));
    EXPECT_EQ(Action(program, "actionMinMax")->statusTip(),
              QStringLiteral("Creates and/or deletes units until min/max requirements are met."));
    EXPECT_EQ(Action(program, "actionExportHtml")->statusTip(), QStringLiteral("Export to a html file"));
}

TEST(MainWindow, AboutAndNationInfoShowTheirTexts) {
    TestProgram program;
    program.Start();
    QStringList seen;
    program.services.dialogHook = [&](QDialog& dialog) {
        seen << dialog.windowTitle();
        if (auto* text = dialog.findChild<QLabel*>(QStringLiteral("aboutText")))
            seen << text->text();
        if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("nationName")))
            seen << name->text();
        if (auto* info = dialog.findChild<QPlainTextEdit*>(QStringLiteral("nationInfo")))
            seen << info->toPlainText().left(10);
        return int(QDialog::Accepted);
    };
    Action(program, "actionAbout")->trigger();
    QTest::mouseClick(program.view().nationBar()->infoButton(), Qt::LeftButton);
    const QString info = FromWin1252Lines(program.doc().army().nation().info).left(10);
    EXPECT_EQ(seen, (QStringList{"About Ovra", "Eldvarrow Army Generator V1.41", "Nation info", "Trojan wars",
                                 info}));
}

TEST(NationBar, PointsFieldTakesDigitsOnly) {
    TestProgram program;
    program.Start();
    QLineEdit* points = program.view().nationBar()->pointsEdit();
    points->setFocus();
    points->selectAll();
    QTest::keyClick(points, Qt::Key_Backspace);
    EXPECT_EQ(points->text(), QStringLiteral("0"));
    EXPECT_EQ(points->selectedText(), QStringLiteral("0")) << "an emptied field shows 0 selected";
    EXPECT_EQ(program.doc().pointsLimit(), 0);
    EXPECT_TRUE(program.frame().isWindowModified());

    QTest::keyClicks(points, QStringLiteral("1a"));
    EXPECT_EQ(points->text(), QStringLiteral("1"));
    EXPECT_EQ(points->cursorPosition(), 1);
    EXPECT_EQ(program.doc().pointsLimit(), 1);

    points->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("2x5y0"));
    QTest::keyClick(points, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(points->text(), QStringLiteral("250"));
    EXPECT_EQ(program.doc().pointsLimit(), 250);
}

TEST(NationBar, ChangingTheNationAsksOnlyWhenUnitsWouldBeLost) {
    TestProgram program;
    program.Start();
    QComboBox* combo = program.view().nationBar()->nationCombo();
    const int india = combo->findText(QStringLiteral("Indian army"));
    ASSERT_GE(india, 0);
    emit combo->activated(india);
    EXPECT_TRUE(program.services.questions.empty()) << "an empty army changes without a question";
    EXPECT_EQ(program.doc().army().nation().id(), 2);
    EXPECT_EQ(program.doc().army().UnitCount(), 15) << "the new army holds the minimums";
    EXPECT_TRUE(program.doc().IsModified());

    const int greece = combo->findText(QStringLiteral("Greek army"));
    program.services.okCancelAnswers = {false};
    combo->setCurrentIndex(greece);
    emit combo->activated(greece);
    ASSERT_EQ(program.services.questions.size(), 1u);
    EXPECT_EQ(program.services.questions[0],
              QStringLiteral("Changing the nation will delete all unit entries !|Ovra"));
    EXPECT_EQ(program.doc().army().nation().id(), 2) << "Cancel keeps everything";
    EXPECT_EQ(combo->currentText(), QStringLiteral("Indian army"));

    emit combo->activated(combo->currentIndex());
    EXPECT_EQ(program.services.questions.size(), 1u) << "picking the nation in use does nothing";

    program.services.okCancelAnswers = {true};
    emit combo->activated(greece);
    EXPECT_EQ(program.doc().army().nation().id(), 4);
    EXPECT_EQ(program.doc().army().CountOfType(CodeOf("1PHA")), 14);
}

TEST(NationBar, NationsWithTheSameArmyNameAreToldApart) {
    TestProgram program({DataPath("ui/twins")});
    program.Start();
    QComboBox* combo = program.view().nationBar()->nationCombo();
    std::vector<int> indian;
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i).startsWith(QStringLiteral("Indian army")))
            indian.push_back(i);
    ASSERT_EQ(indian.size(), 3u);
    for (int index : indian) {
        emit combo->activated(index);
        EXPECT_EQ(combo->currentIndex(), index) << "the refresh selects the nation picked";
    }
    const std::vector<std::int32_t> expected{5, 3, 2}; // bucket 0, the files' nations first
    std::vector<std::int32_t> ids;
    for (int index : indian) {
        emit combo->activated(index);
        ids.push_back(program.doc().army().nation().id());
    }
    EXPECT_EQ(ids, expected);
}

TEST(ArmyCommands, NewDeleteAndMinMaxFollowTheSelection) {
    TestProgram program;
    program.Start();
    UnitListPane* list = program.view().unitList();
    const TroopTypeRecord* general = FirstTroopType(program.doc());
    list->Select({general, 0});
    Action(program, "actionNewUnit")->trigger();
    ASSERT_EQ(program.doc().army().UnitCount(), 1);
    const UnitEntry* first = program.doc().army().UnitAt(0);
    EXPECT_EQ(list->SelectedRecord(), first) << "the new unit is selected";
    EXPECT_TRUE(program.doc().IsModified());

    program.doc().RenameUnit(first->id(), "Hector");
    Action(program, "actionNewUnit")->trigger();
    ASSERT_EQ(program.doc().army().UnitCount(), 2);
    EXPECT_EQ(program.doc().army().UnitAt(1)->name(), "Hector") << "a unit is duplicated";
    EXPECT_EQ(list->SelectedRecord(), program.doc().army().UnitAt(1));

    list->Select({general, first->id()});
    Action(program, "actionDeleteUnit")->trigger();
    ASSERT_EQ(program.doc().army().UnitCount(), 1);
    EXPECT_EQ(list->SelectedRecord(), program.doc().army().UnitAt(0)) << "the next unit of the type";
    Action(program, "actionDeleteUnit")->trigger();
    EXPECT_EQ(program.doc().army().UnitCount(), 0);
    EXPECT_EQ(list->SelectedRecord(), general) << "the last unit's type row";
    Action(program, "actionDeleteUnit")->trigger();
    EXPECT_EQ(program.doc().army().UnitCount(), 0) << "a troop-type row is not deleted";

    Action(program, "actionMinMax")->trigger();
    EXPECT_EQ(program.doc().army().CountOfType(CodeOf("1TER")), 12);
    EXPECT_EQ(Action(program, "actionUndo")->text(), QStringLiteral("Undo Min/Max units"));
}

TEST(FileCommands, SaveOpenAndTheRecentFiles) {
    TestProgram program;
    program.Start();
    program.doc().SetCountOfType(CodeOf("1GEN"), 1);

    QApplication::setActiveWindow(&program.frame());
    // Ctrl+S on a new army asks for a name, proposing its title.
    const QString troy = program.Path(QStringLiteral("Troy.evr"));
    program.services.AnswerSaveDialog(troy);
    QTest::keyClick(&program.frame(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(program.services.saveDialogs.size(), 1u);
    EXPECT_EQ(program.services.saveDialogs[0].proposed, QDir::home().filePath(QStringLiteral("New Army.evr")))
        << "a new army starts in the home folder, named after its title";
    EXPECT_EQ(program.services.saveDialogs[0].filter, QStringLiteral("Fennmarch Army File (*.evr)"));
    EXPECT_EQ(program.services.saveDialogs[0].suffix, QStringLiteral("evr"));
    EXPECT_EQ(program.frame().windowTitle(), QStringLiteral("Troy.evr[*] - Fennmarch AG"));
    EXPECT_FALSE(program.frame().isWindowModified());
    EXPECT_EQ(program.settings->value(QStringLiteral("INIT/Nation")).toInt(), 8);
    EXPECT_EQ(program.frame().RecentFiles(), QStringList{troy});

    // A second Ctrl+S writes the same file without asking.
    program.doc().SetCountOfType(CodeOf("1TER"), 1);
    QTest::keyClick(&program.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(program.services.saveDialogs.size(), 1u);
    EXPECT_EQ(ReadWholeFile(troy.toStdString()), WriteArmyFile(program.doc().army()));

    // Open offers the army files first, then the older types.
    Action(program, "actionNew")->trigger();
    EXPECT_EQ(program.doc().army().UnitCount(), 0);
    program.services.openAnswers = {troy};
    Action(program, "actionOpen")->trigger();
    EXPECT_TRUE(program.services.openFilters.startsWith(QStringLiteral("Fennmarch Army File (*.evr);;")));
    EXPECT_EQ(program.services.openSelectedFilter, QStringLiteral("Fennmarch Army File (*.evr)"));
    EXPECT_EQ(program.doc().army().UnitCount(), 2);

    QStringList expected{troy};
    for (int i = 0; i < 4; ++i) {
        const QString path = program.Path(QStringLiteral("army%1.evr").arg(i));
        program.services.AnswerSaveDialog(path);
        Action(program, "actionSaveAs")->trigger();
        expected.prepend(path);
    }
    expected.removeLast();
    EXPECT_EQ(program.frame().RecentFiles(), expected) << "newest first, four at most";
    QAction* recent = Action(program, "actionRecent4");
    EXPECT_EQ(recent->text(), QStringLiteral("&4 army0.evr"));
    recent->trigger();
    EXPECT_EQ(program.frame().windowTitle(), QStringLiteral("army0.evr[*] - Fennmarch AG"));
    EXPECT_EQ(program.frame().RecentFiles().front(), program.Path(QStringLiteral("army0.evr")));
}

TEST(FileCommands, AModifiedArmyIsOfferedForSavingBeforeItGoes) {
    TestProgram program;
    program.Start();
    program.doc().SetCountOfType(CodeOf("1GEN"), 1);

    program.services.saveAnswers = {UiServices::SaveChoice::Cancel};
    EXPECT_FALSE(program.frame().close());
    EXPECT_TRUE(program.frame().isVisible());
    program.services.saveAnswers = {UiServices::SaveChoice::Cancel};
    Action(program, "actionNew")->trigger();
    EXPECT_EQ(program.doc().army().UnitCount(), 1) << "Cancel keeps the army";
    EXPECT_EQ(program.services.saveQuestions.size(), 2u);
    EXPECT_EQ(program.services.saveQuestions[0], QStringLiteral("New Army"));

    program.services.saveAnswers = {UiServices::SaveChoice::Save};
    program.services.AnswerSaveDialog(program.Path(QStringLiteral("kept.evr")));
    EXPECT_TRUE(program.frame().close());
    EXPECT_TRUE(QFileInfo::exists(program.Path(QStringLiteral("kept.evr"))));
}

TEST(FileCommands, PrintingChoosesInfoEachTimeAndKeepsItForTheRun) {
    TestProgram program;
    program.Start();
    std::vector<InfoChoice> seen;
    program.services.printHook = [&](QPrinter&, InfoChoice& choice) {
        seen.push_back(choice);
        choice = InfoChoice::None; // the player clicks "None", then cancels
        return false;
    };
    Action(program, "actionPrint")->trigger();
    Action(program, "actionPrint")->trigger();
    EXPECT_EQ(seen, (std::vector<InfoChoice>{InfoChoice::Complete, InfoChoice::Complete}));
    EXPECT_EQ(program.app->infoChoice(), InfoChoice::None) << "a click is kept for the run";

    Action(program, "actionPrintSetup")->trigger();
    EXPECT_EQ(program.services.pageSetups, 1);
}

#ifdef OVRA_PROGRAM

std::string PdfText(const QString& path) {
    const ProgramResult text = RunProgram("/usr/bin/pdftotext", {"-layout", path.toStdString(), "-"});
    return text.out;
}

TEST(FileCommands, PrintingToPdfAndExportingHtmlMatchTheCommandLine) {
    TestProgram program;
    program.Start();
    const QString army = program.Path(QStringLiteral("Legion.evr"));
    ASSERT_TRUE(program.frame().OpenDocumentFile(
        QString::fromStdString(DataPath("army/india-example.evr").string())));
    program.services.AnswerSaveDialog(army);
    Action(program, "actionSaveAs")->trigger();

    const QString printed = program.Path(QStringLiteral("printed.pdf"));
    program.services.printHook = [&](QPrinter& printer, InfoChoice& choice) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        choice = InfoChoice::Short;
        return true;
    };
    Action(program, "actionPrint")->trigger();
    const QString exported = program.Path(QStringLiteral("exported.pdf"));
    const ProgramResult pdf = RunProgram(
        OVRA_PROGRAM, {"export-pdf", army.toStdString(), exported.toStdString(), "--info", "short"});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.err;
    const std::string printedText = PdfText(printed);
    EXPECT_NE(printedText.find("Legion"), std::string::npos);
    EXPECT_EQ(printedText, PdfText(exported));

    // Printing to a file goes through the program's write path, which names the reason.
    const QString nowhere = program.Path(QStringLiteral("no/such/folder/x.pdf"));
    program.services.printHook = [&](QPrinter& printer, InfoChoice&) {
        printer.setOutputFileName(nowhere);
        return true;
    };
    Action(program, "actionPrint")->trigger();
    ASSERT_FALSE(program.services.messages.empty());
    EXPECT_EQ(program.services.messages.back().text,
              QStringLiteral("The file \"%1\" could not be written: No such file or directory").arg(nowhere));

    const QString html = program.Path(QStringLiteral("Legion.html"));
    program.services.AnswerSaveDialog(html);
    Action(program, "actionExportHtml")->trigger();
    const auto& dialog = program.services.saveDialogs.back();
    EXPECT_EQ(dialog.caption, QStringLiteral("Save html file as"));
    EXPECT_EQ(dialog.proposed, program.Path(QStringLiteral("Legion.html")))
        << "beside the army, after its title";
    EXPECT_EQ(dialog.filter, QStringLiteral("HTML files (*.html)"));
    EXPECT_EQ(dialog.suffix, QStringLiteral("html"));
    const QString cli = program.Path(QStringLiteral("cli.html"));
    ASSERT_EQ(RunProgram(OVRA_PROGRAM, {"export-html", army.toStdString(), cli.toStdString()}).exitCode, 0);
    EXPECT_EQ(ReadWholeFile(html.toStdString()), ReadWholeFile(cli.toStdString()));

    program.services.AnswerSaveDialog(program.Path(QStringLiteral("no/such/folder/x.html")));
    Action(program, "actionExportHtml")->trigger();
    ASSERT_FALSE(program.services.messages.empty());
    EXPECT_EQ(program.services.messages.back().caption, QStringLiteral("Ovra"));
}

#endif

TEST(StartUp, PrintRequestPrintsTheFileAndEnds) {
    TestProgram program;
    ApplicationOptions options;
    options.settings = program.settings.get();
    options.services = &program.services;
    Application app(options);
    const QString pdf = program.Path(QStringLiteral("printed.pdf"));
    app.printer().setOutputFormat(QPrinter::PdfFormat);
    app.printer().setOutputFileName(pdf);
    EXPECT_EQ(app.Start({StartRequest::Action::Print, DataPath("army/india-example.evr")}), 0);
    EXPECT_FALSE(app.mainFrame().isVisible());
    EXPECT_EQ(program.services.printDialogs, 0) << "no dialog: the stored choice is used";
    EXPECT_GT(QFileInfo(pdf).size(), 0);

    EXPECT_EQ(app.Start({StartRequest::Action::Print, DataPath("army/not-there.evr")}), 1);
}

TEST(StartUp, AFileNameOpensThatArmy) {
    TestProgram program;
    EXPECT_FALSE(program.Start({StartRequest::Action::Open, DataPath("army/india-example.evr")}).has_value());
    EXPECT_EQ(program.doc().army().UnitCount(), 2);
    EXPECT_EQ(program.frame().windowTitle(), QStringLiteral("india-example.evr[*] - Fennmarch AG"));

    TestProgram missing;
    EXPECT_EQ(missing.Start({StartRequest::Action::Open, DataPath("army/not-there.evr")}), 1)
        << "a file that cannot be read ends the start";
    EXPECT_EQ(missing.services.messages.size(), 1u);
}

} // namespace
