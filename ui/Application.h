// The application: the interface font and its measurements, the catalogue
// built once at start-up, the settings and the dialogs, shared by the
// window and its armies through one AppContext.
#pragma once

#include "UiMetrics.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

class QSettings;
class QTranslator;

namespace ovra {

class AppContext;
class ArmyCatalogue;
class ArmyEditor;
class ListWatch;
class MainWindow;
class QtSettingsStore;
class UiServices;

// What the window does first: a new army (or the armies open at the last
// exit), army files opened, each in its tab, or an army file printed
// without showing the window.
struct StartRequest {
    enum class Action { New, Open, Print };
    Action action = Action::New;
    std::vector<std::filesystem::path> files; // for Open; the first one for Print
    // For New: the armies open at the last exit are opened again instead.
    bool reopen = false;
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
    // The program's own data folder (snapshots of what the army lists said
    // of saved armies, copies of the army-list files at the last start);
    // none means the user's data folder.
    std::optional<QString> dataFolder;
};

// Where translations are looked for: the system and user data folders
// (ovra/translations), then "translations" beside the program and in its
// installation's share/ovra.
QStringList TranslationFolders();

class Application {
public:
    // Builds the catalogue, the main window and its first army from the
    // settings (the window not yet shown).
    explicit Application(const ApplicationOptions& options);
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;
    ~Application();

    // A new army, an army file opened, or an army printed. Returns an exit
    // code when the program should end now, or none when the window is shown
    // and the event loop should run.
    std::optional<int> Start(const StartRequest& request);

    // The army lists as last read.
    const ArmyCatalogue& catalogue() const;
    const UiMetrics& metrics() const { return metrics_; }
    UiServices& services() const { return *services_; }
    QSettings& settings() const { return *settings_; }
    AppContext& context() const { return *context_; }
    MainWindow& mainFrame() const { return *frame_; }
    // The army the window shows.
    ArmyEditor& editor() const;
    // The army lists read again, and every open army with them; the watch
    // of the army-list folders calls it when their files change.
    void ReloadArmyLists();
    ListWatch& listWatch() const { return *listWatch_; }

private:
    // Loads the window's translation and Qt's own for the locale, when
    // there are any; English otherwise.
    void InstallTranslations(const QLocale& locale, const QStringList& folders);

    std::vector<std::unique_ptr<QTranslator>> translators_;
    UiMetrics metrics_;
    std::vector<std::filesystem::path> armyListDirectories_;
    std::unique_ptr<QSettings> ownSettings_;
    QSettings* settings_;
    std::unique_ptr<UiServices> ownServices_;
    UiServices* services_;
    std::unique_ptr<QtSettingsStore> settingsStore_;
    std::unique_ptr<AppContext> context_;
    std::unique_ptr<MainWindow> frame_;
    std::unique_ptr<ListWatch> listWatch_;
};

} // namespace ovra
