#include "CommandLine.h"
#include "Headless.h"

#include "ArmyCatalogue.h"

#ifdef OVRA_WITH_UI
#include "Application.h"
#include "Icons.h"
#include "QtPrintSurface.h"

#include <QApplication>
#endif

#include <filesystem>
#include <iostream>
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
            std::cerr << message.toStdString() << "\n";
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
    const std::vector<std::string> args(argv + 1, argv + argc);
    const CommandLine commandLine = ParseCommandLine(args);

    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        std::cout << UsageText();
        return 0;
    case CommandLine::Mode::Error:
        std::cerr << "ovra: " << commandLine.error << "\n\n" << UsageText();
        return 2;
    default:
        break;
    }

    if (commandLine.armyListDirectory) {
        std::error_code error;
        if (!std::filesystem::is_directory(*commandLine.armyListDirectory, error)) {
            std::cerr << "ovra: the army-list directory '" << commandLine.armyListDirectory->string()
                      << "' does not exist\n";
            return 2;
        }
    }
    const std::vector<std::filesystem::path> directories =
        ArmyListDirectories(commandLine, ProgramDirectory(argv[0]));

    if (commandLine.mode == CommandLine::Mode::Headless) {
        const ArmyCatalogue catalogue(directories);
#ifdef OVRA_WITH_UI
        return RunHeadlessCommand(commandLine, catalogue, std::cout, std::cerr, ExportPdfFile);
#else
        return RunHeadlessCommand(commandLine, catalogue, std::cout, std::cerr);
#endif
    }

#ifdef OVRA_WITH_UI
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Eldvarrow"));
    QApplication::setApplicationName(QStringLiteral("Ovra"));
    QApplication::setWindowIcon(ProgramIcon());
    QApplication::setDesktopFileName(QStringLiteral("ovra"));
    ApplicationOptions options;
    options.armyListDirectories = directories;
    Application app(options);
    StartRequest request;
    if (commandLine.mode == CommandLine::Mode::Print)
        request = {StartRequest::Action::Print, *commandLine.file};
    else if (commandLine.file)
        request = {StartRequest::Action::Open, *commandLine.file};
    if (const std::optional<int> exitCode = app.Start(request))
        return *exitCode;
    return QApplication::exec();
#else
    const ArmyCatalogue catalogue(directories);
    std::cout << CatalogueSummary(catalogue);
    return 0;
#endif
}
