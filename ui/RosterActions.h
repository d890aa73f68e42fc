// The File and Edit menus' roster commands for the army shown: print, print
// preview, the exports (HTML, PDF, text) and Edit > Copy roster. Each
// composes the roster once and hands it to its renderer; failures are shown
// in a message box over the army's view.
#pragma once

#include <QObject>

#include <functional>

class QPrinter;

namespace ovra {

class AppContext;
class ArmyEditor;

class RosterActions : public QObject {
    Q_OBJECT
public:
    // `current` names the army the commands act on at the time.
    RosterActions(AppContext& context, std::function<ArmyEditor&()> current, QObject* parent = nullptr);

    void Print();
    void PrintPreview();
    void ExportHtml();
    void ExportPdf();
    void ExportText();
    // The roster as plain text, Markdown and HTML on the clipboard, as the
    // run's Info choice has it.
    void CopyRoster();
    // Prints the current army on `printer` with the run's info choice,
    // without a dialog.
    bool PrintDirect(QPrinter& printer);

private:
    void ShowError(const QString& error);

    AppContext& context_;
    std::function<ArmyEditor&()> current_;
};

} // namespace ovra
