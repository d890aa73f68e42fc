#include "AppContext.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>

namespace ovra {
namespace {

const QString kLastFolderKey = QStringLiteral("Folders/Last");

// The file a document is or was bound to; empty for a new army.
const std::filesystem::path& OwnFile(const ArmyDocument& document) {
    return document.path().empty() ? document.proposedPath() : document.path();
}

QString FromPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

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

QPrinter& AppContext::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

QString AppContext::StartFolder(const ArmyDocument* document) const {
    if (document != nullptr) {
        const std::filesystem::path& own = OwnFile(*document);
        if (!own.empty() && own.has_parent_path())
            return FromPath(own.parent_path());
    }
    const QString last = settings_.value(kLastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

QString AppContext::ProposedPath(const ArmyDocument& document, const QString& suffix) const {
    const std::filesystem::path& own = OwnFile(document);
    if (suffix == QStringLiteral(".evr") && !own.empty() && own.has_parent_path())
        return FromPath(own);
    QString title = QString::fromStdString(document.ArmyTitle());
    if (title.isEmpty())
        title = QString::fromLatin1(kNewDocumentTitle);
    return QDir(StartFolder(&document)).filePath(title + suffix);
}

void AppContext::RememberFolder(const QString& file) {
    settings_.setValue(kLastFolderKey, QFileInfo(file).absolutePath());
}

} // namespace ovra
