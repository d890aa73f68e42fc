// What every window and army of a run shares: the catalogue, the settings,
// the dialogs, the interface's measurements, the printer and the choices the
// player makes once a run (the Info choice, the folder used last).
#pragma once

#include "Roster.h"

#include <QString>

#include <memory>
#include <optional>

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
    // Everything given must outlive the context.
    AppContext(const ArmyCatalogue& catalogue, const UiMetrics& metrics, UiServices& services,
               QSettings& settings, SettingsStore& settingsStore);
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;
    ~AppContext();

    const ArmyCatalogue& catalogue() const { return catalogue_; }
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
    void RememberFolder(const QString& file);

    // The print dialog's Info choice, kept for the rest of the run.
    std::optional<InfoChoice> infoChoice() const { return infoChoice_; }
    void SetInfoChoice(InfoChoice choice) { infoChoice_ = choice; }

private:
    const ArmyCatalogue& catalogue_;
    const UiMetrics& metrics_;
    UiServices& services_;
    QSettings& settings_;
    SettingsStore& settingsStore_;
    std::unique_ptr<QPrinter> printer_;
    std::optional<InfoChoice> infoChoice_;
};

} // namespace ovra
