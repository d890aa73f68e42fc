#include "CommandLine.h"
#include "Headless.h"
#include "StandardStreams.h"

#include "ArmyCatalogue.h"
#include "FileIo.h"

#ifdef OVRA_WITH_UI
#include "Application.h"
#include "GuardedApplication.h"
#include "Icons.h"
#include "QtPrintSurface.h"

#include <QApplication>
#endif

#include <filesystem>
#include <new>
#include <ostream>
#include <string>
#include <system_error>
#include <vector>

namespace {

#ifdef OVRA_WITH_UI
int ExportPdfFile(const ovra::ArmyDocument& document, const std::string& out, ovra::InfoChoice info,
                  std::ostream& err) {
    // Fonts and painting need an application object, never a display. Qt's
    // own notes about the environment are not the command's output.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg)
            ovra::StandardError() << message.toStdString() << "\n";
    });
    int argc = 1;
    char name[] = "ovra";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QString error;
    if (ovra::ExportPdf(document, QString::fromStdString(out), info, error))
        return 0;
    err << "ovra: " << error.toStdString() << "\n";
    return 2;
}
#endif

} // namespace

int main(int argc, char** argv) {
    using namespace ovra;
    // An interrupted save or export, of the window or a command, leaves no
    // temporary file behind.
    InstallTemporaryFileCleanup();
    // Qt's own options are taken out first, so that a headless command, the
    // usage and the version never need a display.
    const QtAndOwnArguments split = SplitQtOptions(std::vector<std::string>(argv + 1, argv + argc));
    const CommandLine commandLine = ParseCommandLine(split.own);

    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        StandardOutput() << UsageText();
        return FinishOutput(StandardOutput(), StandardError(), 0);
    case CommandLine::Mode::Version:
        StandardOutput() << VersionText();
        return FinishOutput(StandardOutput(), StandardError(), 0);
    case CommandLine::Mode::Error:
        StandardError() << "ovra: " << commandLine.error << "\n\n" << UsageText();
        return 2;
    default:
        break;
    }

    if (commandLine.armyListDirectory) {
        std::error_code error;
        if (!std::filesystem::is_directory(*commandLine.armyListDirectory, error)) {
            StandardError() << "ovra: the army-list directory '" << commandLine.armyListDirectory->string()
                            << "' does not exist\n";
            return 2;
        }
    }
    const std::vector<ArmyListFolder> folders = ArmyListFolders(commandLine, ProgramDirectory(argv[0]));
    const std::vector<std::filesystem::path> directories = FolderPaths(folders);

    if (commandLine.mode == CommandLine::Mode::Headless) {
        try {
            const ArmyCatalogue catalogue(directories);
#ifdef OVRA_WITH_UI
            return RunHeadlessCommand(commandLine, catalogue, StandardOutput(), StandardError(),
                                      ExportPdfFile, folders);
#else
            return RunHeadlessCommand(commandLine, catalogue, StandardOutput(), StandardError(), {}, folders);
#endif
        } catch (const std::bad_alloc&) {
            return OutOfMemory(StandardError());
        }
    }

#ifdef OVRA_WITH_UI
    // QApplication sees the program's name and Qt's options alone; it keeps
    // references to them for as long as it lives.
    std::vector<std::string> qtArguments{argv[0]};
    qtArguments.insert(qtArguments.end(), split.qt.begin(), split.qt.end());
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArguments.size());
    GuardedApplication application(qtArgc, qtArgv.data());
    QApplication::setOrganizationName(QStringLiteral("Eldvarrow"));
    QApplication::setApplicationName(QStringLiteral("Ovra"));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("ovra"));
    ApplicationOptions options;
    options.armyListDirectories = directories;
    Application app(options);
    StartRequest request;
    if (commandLine.mode == CommandLine::Mode::Print)
        request = {StartRequest::Action::Print, commandLine.files};
    else if (!commandLine.files.empty())
        request = {StartRequest::Action::Open, commandLine.files};
    else
        request.reopen = true;
    if (const std::optional<int> exitCode = app.Start(request))
        return *exitCode;
    return QApplication::exec();
#else
    const ArmyCatalogue catalogue(directories);
    StandardOutput() << CatalogueSummary(catalogue);
    return 0;
#endif
}
