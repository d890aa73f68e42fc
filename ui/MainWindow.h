// The main window: menus, tool bar and status bar around the army's view;
// the file commands and the recent-file list. Menus and tool bar are built
// from one table of actions.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <filesystem>

class QAction;
class QMenu;
class QTabWidget;
class QUndoGroup;

namespace ovra {

class AppContext;
class ArmyEditor;
class ArmyView;
class BreachListDialog;
class ProblemCountLabel;
class RosterActions;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 620;
    static constexpr int kHeight = 420;
    static constexpr int kRecentFiles = 4;

    explicit MainWindow(AppContext& context);
    ~MainWindow() override;

    // The army shown and its view.
    ArmyEditor& editor() const;
    ArmyView* view() const;
    RosterActions& rosterActions() const { return *roster_; }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnArmyLists();
    // Army > Check army: the list of every breach, beside the window.
    void OnCheckArmy();
    // Asks to save a modified army; false when the user cancels.
    bool SaveModified();
    // Opens an army file after offering to save the current army.
    bool OpenDocumentFile(const QString& path);

    // Puts the window where and at the size it was last closed, if it was.
    void RestoreWindowGeometry();
    QStringList RecentFiles() const;
    void AddRecentFile(const QString& path);
    void RemoveRecentFile(const QString& path);
    void UpdateCaption();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    QAction* action(const char* name) const;
    void AddView(ArmyEditor& editor);
    void UpdateRecentFileMenu();
    void WriteRecentFiles(const QStringList& files);
    void OpenRecentFile(const QString& path);
    bool DoSave(const QString& path);
    void UpdateProblemCount();

    AppContext& context_;
    QTabWidget* tabs_;
    QUndoGroup* undoGroup_;
    RosterActions* roster_;
    QMenu* fileMenu_ = nullptr;
    QList<QAction*> recentActions_;
    QAction* recentPlaceholder_ = nullptr;
    ProblemCountLabel* problems_ = nullptr;
    BreachListDialog* breachList_ = nullptr;
};

} // namespace ovra
