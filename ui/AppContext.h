// What every window and army of a run shares: the army lists, the settings,
// the dialogs, the interface's measurements, the printer and the choices the
// player makes once a run (the Info choice, the folder used last).
//
// The army lists are read again when their files change. Every catalogue
// read in a run is kept until the run ends: armies and their undo histories
// refer to the records of the one they were read against.
#pragma once

#include "Roster.h"

#include <QString>

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QSettings;

namespace ovra {

class ArmyCatalogue;
class ArmyDocument;
class SettingsStore;
class UiServices;
struct UiMetrics;

class AppContext {
public:
    // Everything given by reference must outlive the context.
    AppContext(std::unique_ptr<const ArmyCatalogue> catalogue, const UiMetrics& metrics, UiServices& services,
               QSettings& settings, SettingsStore& settingsStore);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    ~AppContext();

    // The army lists as last read; new armies are made of them.
    const ArmyCatalogue& catalogue() const { return *catalogues_.back(); }
    // The army lists read again: from now on the catalogue.
    const ArmyCatalogue& AddCatalogue(std::unique_ptr<const ArmyCatalogue> catalogue);
    // The program's own data (not the user's army lists): where snapshots
    // of what the army lists said of each saved army are kept, and copies
    // of the army-list files as they were at the last start.
    void SetDataFolder(const QString& folder) { dataFolder_ = folder; }
    QString SnapshotFolder() const;
    // Compares each army-list file the catalogue read with its copy from
    // the last start, keeps the earlier bytes of those that changed, and
    // keeps a copy of each as it is now for the next start.
    void NoteArmyListFiles();
    // The bytes at the last start of the army-list files that changed since.
    const std::map<std::filesystem::path, std::string>& earlierLists() const { return earlierLists_; }
    const UiMetrics& metrics() const { return metrics_; }
    UiServices& services() const { return services_; }
    QSettings& settings() const { return settings_; }
    // The document's view of the settings (the nation and limit of new armies).
    SettingsStore& settingsStore() const { return settingsStore_; }
    // Made when first asked for: a printer is slow to set up.
    QPrinter& printer();

    // Where file dialogs start: the army's own folder, else the folder used
    // last (kept in the settings), else the home folder.
    QString StartFolder(const ArmyDocument* document) const;
    // A file in StartFolder named after the army's title, with the suffix
    // (".html"); the army's own file for ".evr".
    QString ProposedPath(const ArmyDocument& document, const QString& suffix) const;
    // Keeps the folder of a file just opened or written for the next dialog.
    void RememberFolder(const std::filesystem::path& file);

    // The print dialog's Info choice, kept for the rest of the run.
    std::optional<InfoChoice> infoChoice() const { return infoChoice_; }
    void SetInfoChoice(InfoChoice choice) { infoChoice_ = choice; }
    // The Info choice the export dialogs open with: the one last made in an
    // export dialog, kept in the settings like the folder; else the run's.
    InfoChoice ExportInfoChoice() const;
    // An export dialog's choice: kept for the next exports and for the run.
    void SetExportInfoChoice(InfoChoice choice);

private:
    std::vector<std::unique_ptr<const ArmyCatalogue>> catalogues_;
    const UiMetrics& metrics_;
    UiServices& services_;
    QSettings& settings_;
    SettingsStore& settingsStore_;
    std::unique_ptr<QPrinter> printer_;
    std::optional<InfoChoice> infoChoice_;
    QString dataFolder_;
    std::map<std::filesystem::path, std::string> earlierLists_;
};

} // namespace ovra
