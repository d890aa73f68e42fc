// Helpers for tests of the window: one application object for the test
// program, dialog services that answer every modal question from a script,
// a program instance with its own empty settings and scratch folder, and a
// running window with short ways to reach its rows and panes.
#pragma once

#include "AppContext.h"
#include "Application.h"
#include "ArmyEditor.h"
#include "ArmyView.h"
#include "CountPopup.h"
#include "GuardedApplication.h"
#include "MainWindow.h"
#include "NationBar.h"
#include "OptionPickerDialog.h"
#include "UiServices.h"
#include "UnitDetailPane.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "UnitTree.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "CatalogueFixtures.h"
#include "ChangeNation.h"
#include "DeleteUnit.h"
#include "EnforceMinMax.h"
#include "NewUnit.h"
#include "RenameUnit.h"
#include "RunProgram.h"
#include "ScratchFolder.h"
#include "SetCountOfType.h"
#include "SetOption.h"
#include "SetPointsLimit.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QSettings>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUndoStack>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

namespace ovra::test {

inline GuardedApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "ovra_tests";
    static char* argv[] = {name, nullptr};
    static GuardedApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new GuardedApplication(argc, argv);
    }();
    return *application;
}

// Answers every dialog without showing it, and records what was asked.
class ScriptedServices : public UiServices {
public:
    void ShowMessage(QWidget*, const QString& text, const QString&, MessageIcon) override {
        messages.push_back(text);
    }
    bool AskOkCancel(QWidget*, const QString&, const QString&) override {
        ++questions;
        return Take(okCancelAnswers, true);
    }
    SaveChoice AskSaveChanges(QWidget*, const QString& title) override {
        saveQuestions.push_back(title);
        return Take(saveChoices, SaveChoice::Discard);
    }
    ConflictChoice AskFileChanged(QWidget*, const QString& fileName) override {
        conflicts.push_back(fileName);
        return Take(conflictChoices, ConflictChoice::Cancel);
    }
    SaveChoice AskSaveAll(QWidget*, const QStringList& titles) override {
        saveQuestions.push_back(titles.join(QLatin1Char(',')));
        return Take(saveChoices, SaveChoice::Discard);
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString& folder, const QString&,
                            const QString&) override {
        openFolder = folder;
        return Take(fileAnswers, QString());
    }
    QString GetSaveFileName(QWidget*, const QString&, const QString& proposed, const QString&,
                            const QString&) override {
        proposals.push_back(proposed);
        return Take(fileAnswers, QString());
    }
    bool RunPrintDialog(QWidget*, QPrinter& printer, InfoChoice& choice) override {
        ++printDialogs;
        choice = InfoChoice::Complete; // as the real dialog: every opening starts at Complete
        return printHook && printHook(printer, choice);
    }
    void RunPrintPreview(QWidget*, QPrinter& printer, InfoChoice& choice,
                         const std::function<void(QPrinter&)>& paint) override {
        if (previewHook)
            previewHook(printer, choice, paint);
    }
    QString GetExportFileName(QWidget*, const QString&, const QString& proposed, const QStringList&,
                              QString& selectedFilter, InfoChoice* choice) override {
        proposals.push_back(proposed);
        if (choice != nullptr) {
            exportInfoOffered = *choice;
            if (exportInfoAnswer)
                *choice = *exportInfoAnswer;
        }
        if (!exportFilter.isEmpty())
            selectedFilter = exportFilter;
        return Take(fileAnswers, QString());
    }
    int ChooseItem(QWidget*, const QString&, const QString&, const QStringList& items) override {
        choices.push_back(items);
        return Take(itemAnswers, -1);
    }
    int ExecDialog(QDialog& dialog) override {
        return dialogHook ? dialogHook(dialog) : int(QDialog::Rejected);
    }
    // Without a hook the count grid ends as a click outside it would.
    int RunCountPopup(CountPopup& popup) override {
        ++countPopups;
        return countPopupHook ? countPopupHook(popup) : -1;
    }

    std::vector<QString> messages;
    int questions = 0;
    std::deque<bool> okCancelAnswers;
    std::vector<QString> saveQuestions;
    std::deque<SaveChoice> saveChoices;
    std::vector<QString> conflicts; // files Save found changed on disk
    std::deque<ConflictChoice> conflictChoices;
    QString openFolder;
    std::vector<QString> proposals;   // what every save and export dialog proposed
    std::deque<QString> fileAnswers;  // what the next file dialogs answer
    std::vector<QStringList> choices; // what every item chooser offered
    std::deque<int> itemAnswers;
    int printDialogs = 0;
    int countPopups = 0;
    std::function<bool(QPrinter&, InfoChoice&)> printHook;
    std::function<void(QPrinter&, InfoChoice&, const std::function<void(QPrinter&)>&)> previewHook;
    QString exportFilter;                        // the format chosen in an export dialog
    std::optional<InfoChoice> exportInfoOffered; // the Info choice the last export dialog opened with
    std::optional<InfoChoice> exportInfoAnswer;  // the one it closes with
    std::function<int(QDialog&)> dialogHook;
    std::function<int(CountPopup&)> countPopupHook;

private:
    template <class T> static T Take(std::deque<T>& answers, T otherwise) {
        if (!answers.empty()) {
            otherwise = answers.front();
            answers.pop_front();
        }
        return otherwise;
    }
};

// A program instance with the built-in army lists, its own empty settings
// and a scratch folder that goes with it.
class TestProgram {
public:
    explicit TestProgram(std::vector<std::filesystem::path> armyLists = {}) {
        EnsureApplication();
        settings = std::make_unique<QSettings>(Path("settings.ini"), QSettings::IniFormat);
        options.armyListDirectories = std::move(armyLists);
        options.settings = settings.get();
        options.services = &services;
        options.translationFolders = QStringList(); // no translation unless a test asks for one
        options.dataFolder = Path("data");
    }
    // Starts as the command line would; the window is shown.
    std::optional<int> Start(const StartRequest& request = {}) {
        app = std::make_unique<Application>(options);
        return app->Start(request);
    }
    QString Path(const QString& name) const {
        return QString::fromStdString((directory / name.toStdString()).string());
    }

    ArmyEditor& editor() const { return app->editor(); }
    ArmyDocument& doc() const { return app->editor().document(); }
    MainWindow& frame() const { return app->mainFrame(); }
    ArmyView& view() const { return *app->mainFrame().view(); }
    QAction* Action(const char* name) const {
        return app->mainFrame().findChild<QAction*>(QString::fromLatin1(name));
    }
    // Runs an edit as the window does: one step of the army's history.
    template <class Edit, class... Args> ArmyChange Do(Args&&... args) {
        return editor().Execute(QStringLiteral("Test"), std::make_unique<Edit>(std::forward<Args>(args)...));
    }
    // Changes the army as if it had been opened so: the history starts after it.
    template <class Edit, class... Args> ArmyChange Set(Args&&... args) {
        const ArmyChange change = Do<Edit>(std::forward<Args>(args)...);
        editor().undoStack().clear();
        return change;
    }

    ScratchFolder directory;
    std::unique_ptr<QSettings> settings;
    ScriptedServices services;
    ApplicationOptions options;
    std::unique_ptr<Application> app;
};

inline constexpr int kAlexander = 1;
inline constexpr int kIndia = 2;
inline constexpr int kEgypt = 32;
inline constexpr int kLegion = 4096; // tests/data/ui: officers with magic items
inline constexpr int kNobody = 8192; // tests/data/ui: no troop types

// A running window with the built-in army lists plus tests/data/ui.
class ArmyWindow : public ::testing::Test {
protected:
    ArmyWindow() : program({DataPath("ui")}) { program.Start(); }

    ArmyView& view() { return program.view(); }
    ArmyEditor& editor() { return program.editor(); }
    ArmyDocument& doc() { return program.doc(); }
    const Army& army() { return program.doc().army(); }
    UnitListPane& list() { return *view().unitList(); }
    UnitTree& tree() { return *list().tree(); }
    UnitPanel& panel() { return *view().unitPanel(); }
    UnitDetailPane& detail() { return *panel().detailPane(); }
    QComboBox* Nations() { return view().nationBar()->nationCombo(); }
    QUndoStack& undo() { return editor().undoStack(); }
    const UiMetrics& metrics() { return program.app->metrics(); }
    // Runs an edit as the window does: one step of the army's history.
    template <class Edit, class... Args> ArmyChange Do(Args&&... args) {
        return program.template Do<Edit>(std::forward<Args>(args)...);
    }
    // Changes the army as if it had been opened so: the history starts after it.
    template <class Edit, class... Args> ArmyChange Set(Args&&... args) {
        return program.template Set<Edit>(std::forward<Args>(args)...);
    }
    QAction* Action(const char* name) { return program.Action(name); }
    std::string Bytes() { return WriteArmyFile(army()); }

    // An army of that nation opened as if from a file: empty unless `fill`,
    // unmodified, nothing to undo.
    void UseNation(int id, int points = 2000, bool fill = false) {
        const NationRecord* nation = program.app->catalogue().FindNation(id);
        ASSERT_NE(nation, nullptr);
        editor().Load(WriteArmyFile(Army(*nation, points, fill)), "army.evr");
    }
    const TroopTypeRecord& Type(const char (&code)[5]) {
        const TroopTypeRecord* type = army().nation().FindTroopType(CodeOf(code));
        EXPECT_NE(type, nullptr) << code;
        return *type;
    }
    const MagicItemRecord* Item(const char (&code)[5]) {
        return program.app->catalogue().FindMagicItem(CodeOf(code));
    }
    // Adds a unit as if the army had been opened with it; the window follows.
    const UnitEntry* Add(const char (&code)[5]) {
        return army().FindUnit(Set<edits::NewUnit>(Type(code)).unit);
    }
    QModelIndex Row(const TaggedObject* record) {
        const auto* unit = record->kind == kKindUnitEntry ? static_cast<const UnitEntry*>(record) : nullptr;
        return unit != nullptr ? list().model().IndexOf({&unit->troopType(), unit->id()})
                               : list().model().IndexOfType(static_cast<const TroopTypeRecord*>(record));
    }
    // Clicks a row at x, in the tree's coordinates, as the user would.
    void ClickRow(const TaggedObject* record, int x = 100, Qt::MouseButton button = Qt::LeftButton) {
        const QModelIndex row = Row(record);
        ASSERT_TRUE(row.isValid());
        if (row.parent().isValid())
            tree().expand(row.parent());
        tree().scrollTo(row);
        QTest::mouseClick(tree().viewport(), button, {}, QPoint(x, tree().visualRect(row).center().y()));
    }
    // Selects a row and shows it in the panel.
    void Show(const TaggedObject* record) {
        ClickRow(record);
        ASSERT_EQ(Selected(), record);
    }
    const TaggedObject* Selected() { return list().SelectedRecord(); }
    // The next option picker opened runs `answer` and ends as that leaves it.
    void Answer(std::function<void(OptionPickerDialog&)> answer) {
        program.services.dialogHook = [answer](QDialog& dialog) {
            answer(static_cast<OptionPickerDialog&>(dialog));
            return dialog.result();
        };
    }
    // The next option picker opened chooses the option of that name with Ok;
    // none cancels it.
    void AnswerPicker(const char* option) {
        Answer([option](OptionPickerDialog& picker) {
            picker.optionTree()->setCurrentItem(PickerRow(picker, option));
            (option != nullptr ? picker.okButton() : picker.cancelButton())->click();
        });
    }
    static QTreeWidgetItem* PickerRow(const OptionPickerDialog& picker, const char* name) {
        return picker.optionTree()->findItems(QString::fromLatin1(name), Qt::MatchExactly).value(0);
    }
    UnitRowContent Content(const TaggedObject* record) { return DescribeRow(army(), *record); }

    TestProgram program;
};

} // namespace ovra::test
