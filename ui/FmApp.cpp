#include "FmApp.h"

#include "CommandLine.h"
#include "FmView.h"
#include "MainFrame.h"
#include "QtHost.h"
#include "UiServices.h"

#include "ArmyCatalogue.h"
#include "Document.h"

#include <QPrinter>
#include <QSettings>

namespace ovra {

CFmApp::CFmApp(const AppOptions& options)
    : metrics_(UiMetrics::Measure()),
      catalogue_(std::make_unique<ArmyCatalogue>(options.armyListDirectories)) {
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
    document_ = std::make_unique<CFmDoc>(*catalogue_, *settingsStore_, *messages_);
    frame_ = std::make_unique<CMainFrame>(*this, *document_);
}

CFmApp::~CFmApp() {
    // The window goes before the document it shows, and both before the catalogue.
    frame_.reset();
    document_.reset();
}

QPrinter& CFmApp::printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

std::optional<int> CFmApp::Start(const CommandLine& commandLine) {
    if (commandLine.mode == CommandLine::Mode::Print) {
        if (document_->OnOpenDocument(*commandLine.file) == CFmDoc::OpenResult::Unreadable)
            return 1;
        return frame_->view()->PrintDirect(printer()) ? 0 : 1;
    }
    if (commandLine.file) {
        // A file that cannot be read ends the start: the message has been shown.
        if (!frame_->OpenDocumentFile(QString::fromStdString(commandLine.file->string())))
            return 1;
    } else {
        document_->OnNewDocument();
    }
    frame_->show();
    return std::nullopt;
}

} // namespace ovra
