// The roster from the window: printed, previewed, exported and copied as the
// command line writes it, and the print dialog's Info choice in plain sight.
#include "UiFixtures.h"

#include <QAbstractPrintDialog>
#include <QGroupBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QRadioButton>

using namespace ovra;
using namespace ovra::test;

namespace {

class RosterWindow : public ArmyWindow {
protected:
    // An Indian army with a unit short and one too many, saved as "india.evr".
    RosterWindow() {
        UseNation(kIndia, 2000, true);
        Set<edits::SetCountOfType>(CodeOf("GEN1"), 2);
        program.services.fileAnswers = {program.Path("india.evr")};
        Action("actionSaveAs")->trigger();
    }
};

#ifdef OVRA_PROGRAM

TEST_F(RosterWindow, PrintsAndExportsWhatTheCommandLineWrites) {
    const auto text = [](const QString& file) {
        return file.endsWith(".pdf")
                   ? RunProgram("/usr/bin/pdftotext", {"-layout", file.toStdString(), "-"}).out
                   : ReadWholeFile(file.toStdString());
    };
    const auto cli = [&](std::vector<std::string> args, const QString& file) {
        args.insert(args.begin() + 1, {program.Path("india.evr").toStdString(), file.toStdString()});
        const ProgramResult result = RunProgram(OVRA_PROGRAM, args);
        EXPECT_EQ(result.exitCode, 0) << result.err;
        return text(file);
    };
    program.services.printHook = [&](QPrinter& printer, InfoChoice& choice) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(program.Path("printed.pdf"));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Portrait);
        choice = InfoChoice::Short;
        return true;
    };
    Action("actionPrint")->trigger();
    const std::string printed = text(program.Path("printed.pdf"));
    EXPECT_NE(printed.find("Longbowmen"), std::string::npos);
    EXPECT_EQ(printed, cli({"export-pdf", "--info", "short"}, program.Path("cli.pdf")));

    // Each export proposes a file beside the army, after its title, and keeps the Info choice.
    program.services.exportFilter = "Markdown files (*.md)";
    const std::vector<std::tuple<const char*, QString, std::vector<std::string>>> exports = {
        {"actionExportPdf", "pdf", {"export-pdf", "--info", "short"}},
        {"actionExportText", "md", {"export-text", "--markdown", "--info", "short"}},
        {"actionExportHtml", "html", {"export-html"}}};
    for (const auto& [action, suffix, args] : exports) {
        const QString file = program.Path(QStringLiteral("window.") + suffix);
        program.services.fileAnswers = {file};
        Action(action)->trigger();
        EXPECT_TRUE(program.services.proposals.back().startsWith(program.Path("india.")));
        EXPECT_EQ(text(file), cli(args, program.Path(QStringLiteral("cli.") + suffix))) << action;
    }

    // A failure is told, naming the reason.
    const QString nowhere = program.Path("no/such/folder/x");
    program.services.printHook = [&](QPrinter& printer, InfoChoice&) {
        printer.setOutputFileName(nowhere + ".pdf");
        return true;
    };
    Action("actionPrint")->trigger();
    program.services.fileAnswers = {nowhere + ".pdf", nowhere + ".md", nowhere + ".html"};
    for (const char* command : {"actionExportPdf", "actionExportText", "actionExportHtml"})
        Action(command)->trigger();
    ASSERT_EQ(program.services.messages.size(), 4u);
    EXPECT_EQ(program.services.messages[0],
              "The file \"" + nowhere + ".pdf\" could not be written: No such file or directory");
    for (const QString& message : program.services.messages)
        EXPECT_TRUE(message.contains("could not be written")) << message.toStdString();
}

#endif

TEST_F(RosterWindow, PrintAndPreviewKeepTheInfoChoiceForTheRun) {
    program.services.printHook = [](QPrinter&, InfoChoice& choice) {
        choice = InfoChoice::None; // the player clicks "None", then cancels
        return false;
    };
    Action("actionPrint")->trigger();
    EXPECT_EQ(program.app->context().infoChoice(), InfoChoice::None) << "a click is kept for the run";

    // The preview draws the pages for the choice it holds, and keeps the last one.
    std::vector<qint64> sizes;
    std::optional<InfoChoice> opened;
    program.services.previewHook = [&](QPrinter&, InfoChoice& choice,
                                       const std::function<void(QPrinter&)>& paint) {
        opened = choice;
        for (const InfoChoice info : {InfoChoice::Complete, InfoChoice::Short}) {
            choice = info;
            QPrinter target(QPrinter::HighResolution);
            target.setOutputFormat(QPrinter::PdfFormat);
            target.setOutputFileName(program.Path("preview.pdf"));
            paint(target);
            sizes.push_back(QFileInfo(program.Path("preview.pdf")).size());
        }
    };
    Action("actionPrintPreview")->trigger();
    EXPECT_EQ(opened, InfoChoice::None) << "the preview opens with the choice of the run";
    ASSERT_EQ(sizes.size(), 2u);
    EXPECT_GT(sizes[0], sizes[1]) << "the complete information makes a longer roster";
    EXPECT_EQ(program.app->context().infoChoice(), InfoChoice::Short);
}

TEST_F(RosterWindow, TheExportDialogsRememberTheInfoChoiceLikeTheFolder) {
    program.services.exportInfoAnswer = InfoChoice::Short;
    program.services.fileAnswers = {program.Path("roster.txt")};
    Action("actionExportText")->trigger();
    EXPECT_EQ(program.services.exportInfoOffered, InfoChoice::Complete);

    program.Start(); // the next run, with the same settings
    program.services.exportInfoAnswer.reset();
    program.services.fileAnswers = {program.Path("roster.pdf")};
    Action("actionExportPdf")->trigger();
    EXPECT_EQ(program.services.exportInfoOffered, InfoChoice::Short);
}

TEST_F(RosterWindow, CopyRosterPutsTextMarkdownAndHtmlOnTheClipboard) {
    QApplication::setActiveWindow(&program.frame());
    QTest::keyClick(&program.frame(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString markdown = QString::fromUtf8(data->data("text/markdown"));
    for (const QString& shared : {data->text(), markdown}) {
        EXPECT_TRUE(shared.contains("Longbowmen")) << shared.toStdString();
        EXPECT_TRUE(shared.contains(QString::number(army().TotalPoints())));
        EXPECT_TRUE(shared.contains("General")) << "the breach of the generals' bound";
    }
    EXPECT_TRUE(markdown.contains("| :-- |")) << "a table";
    EXPECT_TRUE(data->html().contains("<TABLE")) << "the HTML page";
}

TEST(PrintDialog, ShowsTheInfoChoiceInSightAndOffersOnlyAPageRange) {
    EnsureApplication();
    QPrinter printer;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* info = dialog->findChild<QGroupBox*>("infoGroup");
        ASSERT_NE(info, nullptr);
        EXPECT_TRUE(info->isVisible()) << "without expanding anything";
        EXPECT_TRUE(info->findChild<QRadioButton*>("complete")->isChecked());
        info->findChild<QRadioButton*>("short")->click();
        EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintSelection));
        EXPECT_FALSE(dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
        seen = true;
        dialog->reject();
    });
    UiServices services;
    InfoChoice choice = InfoChoice::None;
    EXPECT_FALSE(services.RunPrintDialog(nullptr, printer, choice));
    EXPECT_TRUE(seen);
    EXPECT_EQ(choice, InfoChoice::Short) << "a click is kept whatever the answer";
}

} // namespace
