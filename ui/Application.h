// The application: the interface font and its measurements, the catalogue
// built once at start-up, the settings, the one document and its window.
#pragma once

#include "Roster.h"
#include "UiMetrics.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QPrinter;
class QSettings;
class QTranslator;

namespace ovra {

class ArmyCatalogue;
class ArmyDocument;
class MainWindow;
class DialogMessageSink;
class QtSettingsStore;
class UiServices;

// What the window does first: a new army, an army file opened, or an army
// file printed without showing the window.
struct StartRequest {
    enum class Action { New, Open, Print };
    Action action = Action::New;
    std::filesystem::path file; // for Open and Print
};

struct ApplicationOptions {
    // Where army-list files are read from, after the built-in lists.
    std::vector<std::filesystem::path> armyListDirectories;
    // The settings store; none means the user's own ("Eldvarrow", "Ovra").
    QSettings* settings = nullptr;
    // Dialog services; none means the real dialogs.
    UiServices* services = nullptr;
    // Folders searched for the window's translation (ovra_LANG.qm); none
    // means the usual places (TranslationFolders).
    std::optional<QStringList> translationFolders;
    // The language to show; none means the user's.
    std::optional<QLocale> locale;
};

// Where translations are looked for: the system and user data folders
// (ovra/translations), then "translations" beside the program and in its
// installation's share/ovra.
QStringList TranslationFolders();

class Application {
public:
    // Builds the catalogue, the document from the settings and the main
    // window (not yet shown).
    explicit Application(const ApplicationOptions& options);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // A new army, an army file opened, or an army printed. Returns an exit
    // code when the program should end now, or none when the window is shown
    // and the event loop should run.
    std::optional<int> Start(const StartRequest& request);

    const ArmyCatalogue& catalogue() const { return *catalogue_; }
    const UiMetrics& metrics() const { return metrics_; }
    UiServices& services() const { return *services_; }
    QSettings& settings() const { return *settings_; }
    ArmyDocument& document() const { return *document_; }
    MainWindow& mainFrame() const { return *frame_; }
    QPrinter& printer();

    // Where file dialogs start: the current army's folder, else the folder
    // used last (kept in the settings), else the home folder.
    QString StartFolder() const;
    // A file in StartFolder named after the army's title, with the suffix
    // (".html"); the army's own file for ".evr".
    QString ProposedPath(const QString& suffix) const;
    // Keeps the folder of a file just opened or written for the next dialog.
    void RememberFolder(const QString& file);

    // The print dialog's Info choice, kept for the rest of the run.
    std::optional<InfoChoice> infoChoice() const { return infoChoice_; }
    void SetInfoChoice(InfoChoice choice) { infoChoice_ = choice; }

private:
    // Loads the window's translation and Qt's own for the locale, when
    // there are any; English otherwise.
    void InstallTranslations(const QLocale& locale, const QStringList& folders);

    std::vector<std::unique_ptr<QTranslator>> translators_;
    UiMetrics metrics_;
    std::unique_ptr<ArmyCatalogue> catalogue_;
    std::unique_ptr<QSettings> ownSettings_;
    QSettings* settings_;
    std::unique_ptr<UiServices> ownServices_;
    UiServices* services_;
    std::unique_ptr<QtSettingsStore> settingsStore_;
    std::unique_ptr<DialogMessageSink> messages_;
    std::unique_ptr<ArmyDocument> document_;
    std::unique_ptr<MainWindow> frame_;
    std::unique_ptr<QPrinter> printer_;
    std::optional<InfoChoice> infoChoice_;
};

} // namespace ovra
