#include "AppContext.h"
#include "FileNames.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"
#include "FileIo.h"
#include "ListSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>

#include <cstdio>

namespace ovra {
namespace {

const QString kLastFolderKey = QStringLiteral("Folders/Last");
const QString kExportInfoKey = QStringLiteral("Export/Info");

// The file a document is or was bound to; empty for a new army.
const std::filesystem::path& OwnFile(const ArmyDocument& document) {
    return document.path().empty() ? document.proposedPath() : document.path();
}

// Army-list files larger than this are not copied for the next start.
constexpr std::size_t kLargestListCopy = 8u << 20;

} // namespace

AppContext::AppContext(std::unique_ptr<const ArmyCatalogue> catalogue, const UiMetrics& metrics,
                       UiServices& services, QSettings& settings, SettingsStore& settingsStore)
    : metrics_(metrics), services_(services), settings_(settings), settingsStore_(settingsStore) {
    catalogues_.push_back(std::move(catalogue));
}

AppContext::~AppContext() = default;

const ArmyCatalogue& AppContext::AddCatalogue(std::unique_ptr<const ArmyCatalogue> catalogue) {
    catalogues_.push_back(std::move(catalogue));
    return *catalogues_.back();
}

InfoChoice AppContext::ExportInfoChoice() const {
    bool read = false;
    const int stored = settings_.value(kExportInfoKey).toInt(&read);
    if (read && stored >= static_cast<int>(InfoChoice::Complete) &&
        stored <= static_cast<int>(InfoChoice::None))
        return static_cast<InfoChoice>(stored);
    return EffectiveInfoChoice(infoChoice_);
}

void AppContext::SetExportInfoChoice(InfoChoice choice) {
    settings_.setValue(kExportInfoKey, static_cast<int>(choice));
    infoChoice_ = choice;
}

QString AppContext::SnapshotFolder() const {
    return dataFolder_ + QStringLiteral("/snapshots");
}

void AppContext::NoteArmyListFiles() {
    const std::filesystem::path copies = ToPath(dataFolder_ + QStringLiteral("/lists-seen"));
    std::error_code error;
    std::filesystem::create_directories(copies, error);
    for (const ArmyListSource& source : catalogue().sources()) {
        if (source.kind != ArmyListSource::Kind::File)
            continue;
        const std::filesystem::path file = std::filesystem::absolute(source.file, error);
        std::string now;
        std::string reason;
        if (!ReadFileBytes(file, now, reason) || now.size() > kLargestListCopy)
            continue;
        // One copy per file, named by its path.
        char name[32];
        std::snprintf(name, sizeof name, "%016llx.dfm",
                      static_cast<unsigned long long>(ArmyFileHash(file.native())));
        const std::filesystem::path copy = copies / name;
        std::string then;
        if (ReadFileBytes(copy, then, reason) && then != now)
            earlierLists_[source.file] = std::move(then);
        if (then != now)
            WriteFileAtomically(copy, now, reason); // a copy that cannot be kept only loses the comparison
    }
}

QPrinter& AppContext::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QString AppContext::StartFolder(const ArmyDocument* document) const {
    if (document != nullptr) {
        const std::filesystem::path& own = OwnFile(*document);
        if (!own.empty() && own.has_parent_path())
            return ShownPath(own.parent_path());
    }
    const std::filesystem::path last = ValuePath(settings_.value(kLastFolderKey));
    std::error_code error;
    if (!last.empty() && std::filesystem::is_directory(last, error))
        return ShownPath(last);
    return QDir::homePath();
}

QString AppContext::ProposedPath(const ArmyDocument& document, const QString& suffix) const {
    const std::filesystem::path& own = OwnFile(document);
    if (suffix == QStringLiteral(".evr") && !own.empty() && own.has_parent_path())
        return ShownPath(own);
    QString title = QString::fromStdString(document.ArmyTitle());
    if (title.isEmpty())
        title = QString::fromLatin1(kNewDocumentTitle);
    return QDir(StartFolder(&document)).filePath(title + suffix);
}

void AppContext::RememberFolder(const std::filesystem::path& file) {
    std::error_code error;
    settings_.setValue(kLastFolderKey, PathValue(std::filesystem::absolute(file, error).parent_path()));
}

} // namespace ovra
