// The main window: menus, tool bar and status bar around the open armies,
// one tab each (the tab bar shows once there are two); the file commands,
// the recent-file list and the armies reopened at the next start. Menus and
// tool bar are built from one table of actions; Undo and Redo follow the
// army shown.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include <filesystem>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QTabWidget;
class QUndoGroup;

namespace ovra {

class AppContext;
class ArmyCatalogue;
class ArmyEditor;
class ArmyPage;
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
    ArmyPage& page() const;
    // The open armies in tab order.
    int PageCount() const;
    ArmyPage& PageAt(int index) const;
    void ShowPage(int index);
    RosterActions& rosterActions() const { return *roster_; }

    // File > New: a new army in a tab of its own.
    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    // File > Close: the army shown, after offering to save it; the last
    // one leaves a new army in its place. False when the user cancels.
    bool OnFileClose();
    void OnFilePrintSetup();
    void OnAppAbout();
    void OnArmyLists();
    // Army > Check army: the list of every breach, beside the window.
    void OnCheckArmy();
    // Army > Compare with...: the army shown beside another open army or an
    // army file, in a dialog.
    void OnCompare();
    // Edit > Paste as new army and File > Import roster: a shared roster
    // (UTF-8 text) read back into a new, untitled army in a tab of its own;
    // the armies open stay as they are. The lines it did not understand are
    // listed in the new army's notice bar. False when it gave no army.
    bool ImportRoster(const std::string& text);
    void OnPasteAsNewArmy();
    void OnImportRoster();
    // Asks to save the army shown when it is modified; false when the user cancels.
    bool SaveModified();
    // Shows the army file in its tab: the tab that has it open already, a
    // new army nobody has touched, or a new tab. False when it cannot be
    // opened; the armies open stay as they were.
    bool OpenDocumentFile(const std::filesystem::path& file);
    // The armies open at the last exit, in their tabs; the files that are
    // gone are skipped and named in the status bar. False when there were none.
    bool ReopenLastArmies();

    // The army lists were read again: every open army is read again against
    // them, as one undoable step, with a notice of what changed for it.
    void ArmyListsChanged(const ArmyCatalogue& now);

    // Puts the window where and at the size it was last closed, if it was.
    void RestoreWindowGeometry();
    // The recent files, newest first, as the file system names them.
    std::vector<std::filesystem::path> RecentFiles() const;
    void AddRecentFile(const std::filesystem::path& file);
    void RemoveRecentFile(const std::filesystem::path& file);
    void UpdateCaption();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    QAction* action(const char* name) const;
    std::unique_ptr<ArmyEditor> MakeEditor();
    ArmyPage& AddPage(std::unique_ptr<ArmyEditor> editor);
    void RemovePage(ArmyPage& page);
    // The tab of the army bound to that file (the same file by any path); -1 when none.
    int FindPage(const std::filesystem::path& file) const;
    void OnCurrentChanged();
    void UpdateTab(ArmyPage& page);
    // Saves every modified army; false when one is not saved.
    bool SaveAll();
    void UpdateRecentFileMenu();
    void WriteRecentFiles(const std::vector<std::filesystem::path>& files);
    void OpenRecentFile(const std::filesystem::path& file);
    bool DoSave(const std::filesystem::path& file);
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
