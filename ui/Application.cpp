#include "Application.h"

#include "ArmyView.h"
#include "DialogMessageSink.h"
#include "MainWindow.h"
#include "QtSettingsStore.h"
#include "UiServices.h"
#include "UnitListPane.h"
#include "UnitTree.h"

#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>
#include <QFileInfo>
#include <QPrinter>
#include <QSettings>
#include <QTimer>

namespace ovra {
namespace {

// With OVRA_EXIT_AFTER_FIRST_PAINT set, the program ends once the window's
// first paint has been delivered: start-up can then be measured from the
// outside, the same way as any other Qt program's. The event loop is left
// without closing the window, so that nothing of a close (the window's place
// written to the settings) is measured with it.
class ExitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

} // namespace

QStringList TranslationFolders() {
    QStringList folders = QStandardPaths::locateAll(QStandardPaths::GenericDataLocation,
                                                    QStringLiteral("ovra/translations"),
                                                    QStandardPaths::LocateDirectory);
    const QDir program(QCoreApplication::applicationDirPath());
    folders << program.filePath(QStringLiteral("translations"))
            << program.filePath(QStringLiteral("../share/ovra/translations"));
    return folders;
}

void Application::InstallTranslations(const QLocale& locale, const QStringList& folders) {
    const auto install = [&](const QString& name, const QStringList& where) {
        for (const QString& folder : where) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(locale, name, QStringLiteral("_"), folder)) {
                QCoreApplication::installTranslator(translator.get());
                translators_.push_back(std::move(translator));
                return;
            }
        }
    };
    install(QStringLiteral("ovra"), folders);
    // Qt's own texts (the standard dialogs' buttons), when the program's are translated.
    if (!translators_.empty())
        install(QStringLiteral("qtbase"), {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
}

Application::Application(const ApplicationOptions& options)
    : metrics_(UiMetrics::Measure()),
      catalogue_(std::make_unique<ArmyCatalogue>(options.armyListDirectories)) {
    // Before any window text is made.
    InstallTranslations(options.locale.value_or(QLocale()),
                        options.translationFolders.value_or(TranslationFolders()));
    if (options.settings != nullptr) {
        settings_ = options.settings;
    } else {
        ownSettings_ = std::make_unique<QSettings>(QStringLiteral("Eldvarrow"), QStringLiteral("Ovra"));
        settings_ = ownSettings_.get();
    }
    if (options.services != nullptr) {
        services_ = options.services;
    } else {
        ownServices_ = std::make_unique<UiServices>();
        services_ = ownServices_.get();
    }
    settingsStore_ = std::make_unique<QtSettingsStore>(*settings_);
    messages_ = std::make_unique<DialogMessageSink>(*services_, [this]() -> QWidget* {
        return frame_ ? static_cast<QWidget*>(frame_->view()) : nullptr;
    });
    document_ = std::make_unique<ArmyDocument>(*catalogue_, *settingsStore_, *messages_);
    frame_ = std::make_unique<MainWindow>(*this, *document_);
}

Application::~Application() {
    // The window goes before the document it shows, and both before the catalogue.
    frame_.reset();
    document_.reset();
    for (const auto& translator : translators_)
        QCoreApplication::removeTranslator(translator.get());
}

QString Application::StartFolder() const {
    const std::filesystem::path& own =
        document_->path().empty() ? document_->proposedPath() : document_->path();
    if (!own.empty() && own.has_parent_path())
        return QString::fromStdString(own.parent_path().string());
    const QString last = settings_->value(QStringLiteral("Folders/Last")).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QDir::homePath();
}

QString Application::ProposedPath(const QString& suffix) const {
    const std::filesystem::path& own =
        document_->path().empty() ? document_->proposedPath() : document_->path();
    if (suffix == QStringLiteral(".evr") && !own.empty() && own.has_parent_path())
        return QString::fromStdString(own.string());
    QString title = QString::fromStdString(document_->ArmyTitle());
    if (title.isEmpty())
        title = QString::fromLatin1(kNewDocumentTitle);
    return QDir(StartFolder()).filePath(title + suffix);
}

void Application::RememberFolder(const QString& file) {
    settings_->setValue(QStringLiteral("Folders/Last"), QFileInfo(file).absolutePath());
}

QPrinter& Application::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

std::optional<int> Application::Start(const StartRequest& request) {
    switch (request.action) {
    case StartRequest::Action::Print:
        if (document_->OnOpenDocument(request.file) == ArmyDocument::OpenResult::Unreadable)
            return 1;
        return frame_->view()->PrintDirect(printer()) ? 0 : 1;
    case StartRequest::Action::Open:
        // A file that cannot be read ends the start: the message has been shown.
        if (!frame_->OpenDocumentFile(QString::fromStdString(request.file.string())))
            return 1;
        break;
    case StartRequest::Action::New:
        document_->OnNewDocument();
        break;
    }
    frame_->RestoreWindowGeometry();
    if (qEnvironmentVariableIsSet("OVRA_EXIT_AFTER_FIRST_PAINT"))
        frame_->installEventFilter(new ExitAfterFirstPaint(frame_.get()));
    frame_->show();
    // Keys go to the list first: a digit typed at once must not change the
    // points limit.
    frame_->view()->unitList()->tree()->setFocus();
    return std::nullopt;
}

} // namespace ovra
