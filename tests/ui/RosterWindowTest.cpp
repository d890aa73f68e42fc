// The roster from the window: copied as text, exported as PDF and text,
// previewed, and the print dialog's Info choice in plain sight.
#include "ArmyWindow.h"
#include "RunProgram.h"

#include <QAbstractPrintDialog>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QRadioButton>
#include <QTimer>

#include <optional>

using namespace ovra;
using namespace ovra::test;

namespace {

class RosterWindow : public ArmyWindow {
protected:
    QAction* Action(const char* name) {
        return program.frame().findChild<QAction*>(QString::fromLatin1(name));
    }
    // An Indian army with a unit short and one too many, saved as "india.evr".
    void PrepareArmy() {
        UseNation(kIndia, 2000, true);
        doc().SetCountOfType(CodeOf("GEN1"), 2);
        program.services.AnswerSaveDialog(program.Path(QStringLiteral("india.evr")));
        Action("actionSaveAs")->trigger();
    }
};

TEST_F(RosterWindow, CopyRosterPutsTextMarkdownAndHtmlOnTheClipboard) {
    PrepareArmy();
    Action("actionCopyRoster")->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString text = data->text();
    const QString markdown = QString::fromUtf8(data->data(QStringLiteral("text/markdown")));
    for (const QString& shared : {text, markdown}) {
        EXPECT_TRUE(shared.contains(QStringLiteral("Longbowmen"))) << shared.toStdString();
        EXPECT_TRUE(shared.contains(QString::number(army().TotalPoints())));
        EXPECT_TRUE(shared.contains(QStringLiteral("General"))) << "the breach of the generals' bound";
    }
    EXPECT_TRUE(markdown.contains(QStringLiteral("| :-- |"))) << "a table";
    EXPECT_TRUE(data->html().contains(QStringLiteral("<TABLE"))) << "the HTML page";
    EXPECT_EQ(Action("actionCopyRoster")->shortcut(), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
}

#ifdef OVRA_PROGRAM

TEST_F(RosterWindow, ExportsWriteWhatTheCommandLineWrites) {
    PrepareArmy();
    const std::string army = program.Path(QStringLiteral("india.evr")).toStdString();

    const QString pdf = program.Path(QStringLiteral("window.pdf"));
    program.services.exportChoice = InfoChoice::Short;
    program.services.AnswerSaveDialog(pdf);
    Action("actionExportPdf")->trigger();
    EXPECT_EQ(program.services.saveDialogs.back().proposed, program.Path(QStringLiteral("india.pdf")));
    const std::string cliPdf = program.Path(QStringLiteral("cli.pdf")).toStdString();
    ASSERT_EQ(RunProgram(OVRA_PROGRAM, {"export-pdf", army, cliPdf, "--info", "short"}).exitCode, 0);
    const auto pdfText = [](const std::string& file) {
        return RunProgram("/usr/bin/pdftotext", {"-layout", file, "-"}).out;
    };
    EXPECT_EQ(pdfText(pdf.toStdString()), pdfText(cliPdf));

    const QString markdown = program.Path(QStringLiteral("window.md"));
    program.services.exportFilter = QStringLiteral("Markdown files (*.md)");
    program.services.AnswerSaveDialog(markdown);
    Action("actionExportText")->trigger();
    const ProgramResult cli =
        RunProgram(OVRA_PROGRAM, {"export-text", army, "-", "--markdown", "--info", "short"});
    ASSERT_EQ(cli.exitCode, 0);
    EXPECT_EQ(ReadWholeFile(markdown.toStdString()), cli.out);

    // A failure is told, and the previous file stays.
    program.services.AnswerSaveDialog(program.Path(QStringLiteral("no/such/folder/x.pdf")));
    Action("actionExportPdf")->trigger();
    ASSERT_FALSE(program.services.messages.empty());
    EXPECT_TRUE(program.services.messages.back().text.contains(QStringLiteral("could not be written")));
}

#endif

TEST_F(RosterWindow, PrintPreviewDrawsThePagesForTheInfoChoice) {
    PrepareArmy();
    std::vector<int> pages;
    program.services.previewHook = [&](QPrinter&, InfoChoice& choice,
                                       const std::function<void(QPrinter&)>& paint) {
        for (const InfoChoice info : {InfoChoice::Complete, InfoChoice::None}) {
            choice = info;
            QPrinter target(QPrinter::HighResolution);
            target.setOutputFormat(QPrinter::PdfFormat);
            target.setOutputFileName(program.Path(QStringLiteral("preview.pdf")));
            paint(target);
            pages.push_back(static_cast<int>(QFileInfo(program.Path(QStringLiteral("preview.pdf"))).size()));
        }
    };
    Action("actionPrintPreview")->trigger();
    EXPECT_EQ(program.services.previews, 1);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_GT(pages[0], pages[1]) << "the complete information makes a longer roster";
    EXPECT_EQ(program.app->infoChoice(), InfoChoice::None) << "the choice is kept for the run";
}

TEST(PrintDialog, ShowsTheInfoChoiceInSightAndOffersOnlyAPageRange) {
    EnsureApplication();
    QPrinter printer;
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        auto* info = dialog->findChild<QGroupBox*>(QStringLiteral("infoGroup"));
        ASSERT_NE(info, nullptr);
        EXPECT_TRUE(info->isVisible()) << "without expanding anything";
        EXPECT_EQ(info->title(), QStringLiteral("Info"));
        EXPECT_TRUE(info->findChild<QRadioButton*>(QStringLiteral("complete"))->isChecked());
        info->findChild<QRadioButton*>(QStringLiteral("short"))->click();
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
