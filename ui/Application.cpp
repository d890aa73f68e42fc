#include "Application.h"

#include "AppContext.h"
#include "ArmyEditor.h"
#include "ArmyView.h"
#include "ListWatch.h"
#include "MainWindow.h"
#include "QtSettingsStore.h"
#include "RosterActions.h"
#include "UiServices.h"
#include "UnitListPane.h"
#include "UnitTree.h"

#include "ArmyCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QTranslator>

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
    QStringList folders =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("ovra/translations"),
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
    : metrics_(UiMetrics::Measure()), armyListDirectories_(options.armyListDirectories) {
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
    context_ = std::make_unique<AppContext>(std::make_unique<ArmyCatalogue>(armyListDirectories_), metrics_,
                                            *services_, *settings_, *settingsStore_);
    context_->SetDataFolder(
        options.dataFolder.value_or(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    context_->NoteArmyListFiles();
    frame_ = std::make_unique<MainWindow>(*context_);
    listWatch_ = std::make_unique<ListWatch>(armyListDirectories_);
    QObject::connect(listWatch_.get(), &ListWatch::listsChanged, frame_.get(), [this] { ReloadArmyLists(); });
}

const ArmyCatalogue& Application::catalogue() const {
    return context_->catalogue();
}

void Application::ReloadArmyLists() {
    const ArmyCatalogue& now = context_->AddCatalogue(std::make_unique<ArmyCatalogue>(armyListDirectories_));
    frame_->ArmyListsChanged(now);
}

Application::~Application() {
    // The window and its armies go before what they share, and before the catalogue.
    listWatch_.reset();
    frame_.reset();
    context_.reset();
    for (const auto& translator : translators_)
        QCoreApplication::removeTranslator(translator.get());
}

ArmyEditor& Application::editor() const {
    return frame_->editor();
}

std::optional<int> Application::Start(const StartRequest& request) {
    switch (request.action) {
    case StartRequest::Action::Print:
        if (request.files.empty() ||
            editor().Open(request.files.front()) == ArmyDocument::OpenResult::Unreadable)
            return 1;
        return frame_->rosterActions().PrintDirect(context_->printer()) ? 0 : 1;
    case StartRequest::Action::Open: {
        // When no file can be read the start ends: the messages have been shown.
        bool opened = false;
        for (const std::filesystem::path& file : request.files)
            opened = frame_->OpenDocumentFile(file) || opened;
        if (!opened)
            return 1;
        frame_->ShowPage(0);
        break;
    }
    case StartRequest::Action::New:
        // The armies open at the last exit come back; else a new army.
        if (!request.reopen || !frame_->ReopenLastArmies())
            editor().New();
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
