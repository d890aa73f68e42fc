// Helpers for tests of the window: one application object for the test
// program, dialog services that answer every modal question from a script,
// and a program instance with its own empty settings.
#pragma once

#include "Application.h"
#include "ArmyView.h"
#include "CountPopup.h"
#include "MainWindow.h"
#include "UiServices.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <QApplication>
#include <QDialog>
#include <QSettings>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>

namespace ovra::test {

inline QApplication& EnsureApplication() {
    static int argc = 1;
    static char name[] = "ovra_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}

// Answers every dialog without showing it, and records what was asked.
class ScriptedServices : public UiServices {
public:
    struct Message {
        QString text;
        QString caption;
        MessageIcon icon;
    };

    void ShowMessage(QWidget*, const QString& text, const QString& caption, MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    bool AskOkCancel(QWidget*, const QString& text, const QString& caption) override {
        questions.push_back(text + QStringLiteral("|") + caption);
        if (okCancelAnswers.empty())
            return true;
        const bool answer = okCancelAnswers.front();
        okCancelAnswers.pop_front();
        return answer;
    }
    SaveChoice AskSaveChanges(QWidget*, const QString& title) override {
        saveQuestions.push_back(title);
        if (saveAnswers.empty())
            return SaveChoice::Discard;
        const SaveChoice answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    QString GetOpenFileName(QWidget*, const QString&, const QString& folder, const QString& filters,
                            const QString& selected) override {
        openFolder = folder;
        openFilters = filters;
        openSelectedFilter = selected;
        return TakeFirst(openAnswers);
    }
    QString GetSaveFileName(QWidget*, const QString& caption, const QString& proposed, const QString& filter,
                            const QString& suffix) override {
        saveDialogs.push_back({caption, proposed, filter, suffix});
        return TakeFirst(saveAnswers_);
    }
    bool RunPrintDialog(QWidget*, QPrinter& printer, InfoChoice& choice) override {
        ++printDialogs;
        choice = InfoChoice::Complete; // every opening starts at Complete
        if (printHook)
            return printHook(printer, choice);
        return false;
    }
    void RunPrintPreview(QWidget*, QPrinter& printer, InfoChoice& choice,
                         const std::function<void(QPrinter&)>& paint) override {
        ++previews;
        if (previewHook)
            previewHook(printer, choice, paint);
    }
    QString GetExportFileName(QWidget*, const QString& caption, const QString& proposed,
                              const QStringList& filters, QString& selectedFilter,
                              InfoChoice* choice) override {
        saveDialogs.push_back({caption, proposed, filters.join(QStringLiteral(";;")), selectedFilter});
        if (choice != nullptr && exportChoice)
            *choice = *exportChoice;
        if (!exportFilter.isEmpty())
            selectedFilter = exportFilter;
        return TakeFirst(saveAnswers_);
    }
    bool RunPageSetup(QWidget*, QPrinter&) override {
        ++pageSetups;
        return true;
    }
    int ExecDialog(QDialog& dialog) override {
        ++dialogsShown;
        if (dialogHook)
            return dialogHook(dialog);
        return QDialog::Rejected;
    }
    // Without a hook the count grid ends as a click outside it would.
    int RunCountPopup(CountPopup& popup) override {
        ++countPopups;
        if (countPopupHook)
            return countPopupHook(popup);
        return -1;
    }

    void AnswerSaveDialog(const QString& path) { saveAnswers_.push_back(path); }

    struct SaveDialog {
        QString caption;
        QString proposed;
        QString filter;
        QString suffix;
    };

    std::vector<Message> messages;
    std::vector<QString> questions;
    std::deque<bool> okCancelAnswers;
    std::vector<QString> saveQuestions;
    std::deque<SaveChoice> saveAnswers;
    std::deque<QString> openAnswers;
    QString openFolder;
    QString openFilters;
    QString openSelectedFilter;
    std::vector<SaveDialog> saveDialogs;
    int printDialogs = 0;
    int pageSetups = 0;
    int dialogsShown = 0;
    int countPopups = 0;
    std::function<bool(QPrinter&, InfoChoice&)> printHook;
    int previews = 0;
    std::function<void(QPrinter&, InfoChoice&, const std::function<void(QPrinter&)>&)> previewHook;
    std::optional<InfoChoice> exportChoice; // what the export dialog's Info group is set to
    QString exportFilter;                   // the format chosen in an export dialog
    std::function<int(QDialog&)> dialogHook;
    std::function<int(CountPopup&)> countPopupHook;

private:
    static QString TakeFirst(std::deque<QString>& answers) {
        if (answers.empty())
            return {};
        QString answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::deque<QString> saveAnswers_;
};

// A program instance with the built-in army lists and its own empty settings.
class TestProgram {
public:
    explicit TestProgram(std::vector<std::filesystem::path> armyLists = {}) {
        EnsureApplication();
        settings = std::make_unique<QSettings>(directory.filePath(QStringLiteral("settings.ini")),
                                               QSettings::IniFormat);
        lists = std::move(armyLists);
    }
    // Starts as the command line would; the window is shown.
    std::optional<int> Start(const StartRequest& request = {}) {
        ApplicationOptions options;
        options.armyListDirectories = lists;
        options.settings = settings.get();
        options.services = &services;
        options.translationFolders = translationFolders;
        options.locale = locale;
        app = std::make_unique<Application>(options);
        return app->Start(request);
    }
    QString Path(const QString& name) const { return directory.filePath(name); }

    ArmyDocument& doc() const { return app->document(); }
    MainWindow& frame() const { return app->mainFrame(); }
    ArmyView& view() const { return *app->mainFrame().view(); }

    QTemporaryDir directory;
    std::unique_ptr<QSettings> settings;
    ScriptedServices services;
    // No translation unless a test asks for one.
    QStringList translationFolders;
    std::optional<QLocale> locale;
    std::vector<std::filesystem::path> lists;
    std::unique_ptr<Application> app;
};

} // namespace ovra::test
