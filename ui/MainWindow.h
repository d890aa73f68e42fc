// The main window: fixed size, menu, toolbar and status bar around the army
// view; the file commands and the recent-file list.
#pragma once

#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QStringList>

class QAction;
class QMenu;

namespace ovra {

class Application;
class ArmyDocument;
class ArmyView;
class BreachListDialog;
class ProblemCountLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int kWidth = 620;
    static constexpr int kHeight = 420;
    static constexpr int kRecentFiles = 4;

    MainWindow(Application& app, ArmyDocument& document);
    ~MainWindow() override;

    ArmyView* view() const { return view_; }

    void OnFileNew();
    void OnFileOpen();
    bool OnFileSave();
    bool OnFileSaveAs();
    void OnFilePrintSetup();
    void OnAppAbout();
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
    struct ActionSpec {
        QString text;
        const char* name;
        QString prompt; // the status-bar prompt
        QIcon icon = {};
        QString toolTip = {};
        QKeySequence shortcut = {};
    };
    QAction* MakeAction(const ActionSpec& spec);
    void CreateMenusAndToolbar();
    void UpdateRecentFileMenu();
    void WriteRecentFiles(const QStringList& files);
    void OpenRecentFile(const QString& path);
    bool DoSave(const QString& path);
    void UpdateProblemCount();

    Application& app_;
    ArmyDocument& document_;
    ArmyView* view_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QAction* recentPlaceholder_ = nullptr;
    ProblemCountLabel* problems_ = nullptr;
    BreachListDialog* breachList_ = nullptr;
    int subscription_ = 0;
};

} // namespace ovra
