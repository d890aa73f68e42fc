// The army view: the client area of the main window. It lays out the nation
// bar, the unit list and the unit panel, refreshes them whenever the document
// announces a change, and is the one place where the panes' edits become
// commands on the undo stack.
#pragma once

#include "ArmyCommand.h"
#include "UiMetrics.h"

#include <QWidget>

class QPrinter;
class QUndoStack;

namespace ovra {

class Application;
class ArmyDocument;
class NationBar;
class UnitListPane;
class UnitPanel;
class UiServices;

class ArmyView : public QWidget {
    Q_OBJECT
public:
    ArmyView(Application& app, ArmyDocument& document, QWidget* parent = nullptr);
    ~ArmyView() override;

    // Runs an edit as a command on the undo stack. Commands of the same typing
    // burst merge into one step.
    void Execute(const QString& text, ArmyCommand::Operation operation,
                 ArmyCommand::Burst burst = ArmyCommand::Burst::None);
    // Ends the current burst of typing: the next typed edit is a new step.
    void EndTypingBurst() { ++typingBurst_; }
    // Selects what a change touched and opens its troop type.
    void Reveal(const ArmyChange& change);
    // Moves the keyboard focus to the next pane (nation bar, unit list, unit
    // panel) or, for a negative step, the one before, round and round.
    void FocusPane(int step);
    QUndoStack& undoStack() const { return *undoStack_; }

    // Army menu.
    void OnNewUnit();
    void OnDeleteUnit();
    void OnMinMaxUnits();
    // File menu commands the view handles.
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnExportHtml();
    void OnExportPdf();
    void OnExportText();
    // Edit > Copy roster: the roster as plain text, Markdown and HTML on the
    // clipboard, as the run's Info choice has it.
    void OnCopyRoster();
    // Prints on `printer` with the run's info choice, without a dialog.
    bool PrintDirect(QPrinter& printer);

    Application& app() const { return app_; }
    ArmyDocument& document() const { return document_; }
    const UiMetrics& metrics() const;
    UiServices& services() const;
    NationBar* nationBar() const { return nationBar_; }
    UnitListPane* unitList() const { return unitList_; }
    UnitPanel* unitPanel() const { return unitPanel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayOutPanes();
    void OnArmyChanged();

    Application& app_;
    ArmyDocument& document_;
    QUndoStack* undoStack_;
    NationBar* nationBar_ = nullptr;
    UnitListPane* unitList_ = nullptr;
    UnitPanel* unitPanel_ = nullptr;
    int subscription_ = 0;
    int typingBurst_ = 0;
};

} // namespace ovra
