#include "MainWindow.h"

#include "AboutDialog.h"
#include "Application.h"
#include "ArmyListsDialog.h"
#include "ArmyView.h"
#include "BreachListDialog.h"
#include "Icons.h"
#include "NationInfoDialog.h"
#include "ProblemCountLabel.h"
#include "UiServices.h"
#include "UnitListPane.h"

#include "ArmyChecker.h"
#include "ArmyDocument.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>

namespace ovra {
namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");
const QString kGeometryKey = QStringLiteral("Window/Geometry");
QString ArmyFilter() {
    return QCoreApplication::translate("ovra::MainWindow", "Fennmarch Army File (*.evr)");
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

} // namespace

MainWindow::MainWindow(Application& app, ArmyDocument& document) : app_(app), document_(document) {
    setObjectName(QStringLiteral("mainFrame"));
    // 620 x 420 at first, and never smaller; it may grow and be maximised,
    // and comes back at the size and place it was left.
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);
    setWindowIcon(ProgramIcon());

    view_ = new ArmyView(app, document, this);
    setCentralWidget(view_);
    CreateMenusAndToolbar();

    // "Ready" whenever no prompt is shown.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(true);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            statusBar()->showMessage(tr("Ready"));
    });
    statusBar()->showMessage(tr("Ready"));
    // The number of broken rules, always in sight; a click lists them.
    problems_ = new ProblemCountLabel(this);
    connect(problems_, &ProblemCountLabel::clicked, this, &MainWindow::OnCheckArmy);
    statusBar()->addPermanentWidget(problems_);
    subscription_ = document_.Subscribe([this](const ArmyChange&) { UpdateProblemCount(); });
    UpdateProblemCount();

    document_.SetStateHandler([this] { UpdateCaption(); });
    UpdateCaption();
}

MainWindow::~MainWindow() {
    document_.Unsubscribe(subscription_);
    delete breachList_;
    document_.SetStateHandler({});
}

QAction* MainWindow::MakeAction(const ActionSpec& spec) {
    auto* action = new QAction(spec.text, this);
    action->setObjectName(QString::fromLatin1(spec.name));
    action->setStatusTip(spec.prompt);
    action->setIcon(spec.icon);
    if (!spec.toolTip.isEmpty())
        action->setToolTip(spec.toolTip);
    action->setShortcut(spec.shortcut);
    return action;
}

void MainWindow::CreateMenusAndToolbar() {
    QAction* newAction =
        MakeAction({tr("&New"), "actionNew", tr("Start a new army"),
                    ThemeIcon("document-new", QStyle::SP_FileIcon), tr("New"), Qt::CTRL | Qt::Key_N});
    connect(newAction, &QAction::triggered, this, &MainWindow::OnFileNew);
    QAction* open = MakeAction({tr("&Open..."), "actionOpen", tr("Open an army file"),
                                ThemeIcon("document-open", QStyle::SP_DialogOpenButton), tr("Open"),
                                Qt::CTRL | Qt::Key_O});
    connect(open, &QAction::triggered, this, &MainWindow::OnFileOpen);
    QAction* saveAs = MakeAction({tr("Save &As..."), "actionSaveAs", tr("Save the army under a new name"),
                                  ThemeIcon("document-save-as", QStyle::SP_DialogSaveButton), tr("Save As")});
    connect(saveAs, &QAction::triggered, this, &MainWindow::OnFileSaveAs);
    // Ctrl+S saves although the menu has no Save entry.
    QAction* save =
        MakeAction({tr("&Save"), "actionSave", tr("Save the army"), {}, QString(), Qt::CTRL | Qt::Key_S});
    connect(save, &QAction::triggered, this, &MainWindow::OnFileSave);
    addAction(save);
    QAction* print = MakeAction(
        {"&Print...", "actionPrint", "Print the army's roster", PrintIcon(), "Print", Qt::CTRL | Qt::Key_P});
    connect(print, &QAction::triggered, view_, &ArmyView::OnFilePrint);
    QAction* printSetup =
        MakeAction({tr("P&rint Setup..."), "actionPrintSetup", tr("Choose the paper and its margins")});
    connect(printSetup, &QAction::triggered, this, &MainWindow::OnFilePrintSetup);
    QAction* exportHtml = MakeAction({tr("&Export Html"), "actionExportHtml", tr("Export to a html file")});
    connect(exportHtml, &QAction::triggered, view_, &ArmyView::OnExportHtml);
    QAction* printPreview =
        MakeAction({tr("Print Pre&view..."), "actionPrintPreview", tr("Show the printed roster's pages")});
    connect(printPreview, &QAction::triggered, view_, &ArmyView::OnFilePrintPreview);
    QAction* exportPdf =
        MakeAction({tr("Export P&DF..."), "actionExportPdf", tr("Write the printed roster as a PDF file")});
    connect(exportPdf, &QAction::triggered, view_, &ArmyView::OnExportPdf);
    QAction* exportText = MakeAction(
        {tr("Export as &text..."), "actionExportText", tr("Write the roster as plain text or Markdown")});
    connect(exportText, &QAction::triggered, view_, &ArmyView::OnExportText);
    QAction* copyRoster = MakeAction({tr("&Copy roster"), "actionCopyRoster",
                                      tr("Copy the roster as text, Markdown and HTML, to paste anywhere"),
                                      ThemeIcon("edit-copy", QStyle::SP_FileDialogDetailedView),
                                      tr("Copy roster"), Qt::CTRL | Qt::SHIFT | Qt::Key_C});
    connect(copyRoster, &QAction::triggered, view_, &ArmyView::OnCopyRoster);
    QAction* exit =
        MakeAction({tr("E&xit"), "actionExit", tr("Quit the program; a changed army can be saved first")});
    connect(exit, &QAction::triggered, this, &QWidget::close);
    // Insert and Delete act in the unit list, where the unit they act on is
    // selected; in a text field they keep their usual meaning.
    QAction* newUnit =
        MakeAction({tr("&New unit"), "actionNewUnit", tr("Creates a new unit or duplicates an existing one."),
                    NewUnitIcon(), tr("New unit"), QKeySequence(Qt::Key_Insert)});
    connect(newUnit, &QAction::triggered, view_, &ArmyView::OnNewUnit);
    QAction* deleteUnit =
        MakeAction({tr("&Delete unit"), "actionDeleteUnit", tr("Delete the unit."), DeleteUnitIcon(),
                    tr("Delete unit"), QKeySequence(QKeySequence::Delete)});
    connect(deleteUnit, &QAction::triggered, view_, &ArmyView::OnDeleteUnit);
    for (QAction* action : {newUnit, deleteUnit}) {
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        view_->unitList()->addAction(action);
    }
    QAction* minMax = MakeAction({tr("&Min/Max units"), "actionMinMax",
                                  tr("Creates and/or deletes units until min/max requirements are met."),
                                  MinMaxIcon(), tr("Min/Max units")});
    connect(minMax, &QAction::triggered, view_, &ArmyView::OnMinMaxUnits);
    QAction* check = MakeAction({tr("&Check army"),
                                 "actionCheckArmy",
                                 tr("List every rule the army breaks, in words."),
                                 {},
                                 tr("Check army"),
                                 Qt::CTRL | Qt::Key_K});
    connect(check, &QAction::triggered, this, &MainWindow::OnCheckArmy);
    QUndoStack& stack = view_->undoStack();
    QAction* undo = stack.createUndoAction(this);
    undo->setObjectName(QStringLiteral("actionUndo"));
    undo->setIcon(ThemeIcon("edit-undo", QStyle::SP_ArrowBack));
    undo->setShortcut(QKeySequence::Undo);
    undo->setStatusTip(tr("Undo the last change of the army"));
    QAction* redo = stack.createRedoAction(this);
    redo->setObjectName(QStringLiteral("actionRedo"));
    redo->setIcon(ThemeIcon("edit-redo", QStyle::SP_ArrowForward));
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    redo->setStatusTip(tr("Redo the change last undone"));
    QAction* about =
        MakeAction({tr("&About Ovra..."), "actionAbout", tr("Show the program's name and version"),
                    ThemeIcon("help-about", QStyle::SP_MessageBoxInformation), tr("About")});
    connect(about, &QAction::triggered, this, &MainWindow::OnAppAbout);

    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fileMenu_->addAction(newAction);
    fileMenu_->addAction(open);
    fileMenu_->addAction(saveAs);
    fileMenu_->addSeparator();
    fileMenu_->addAction(print);
    fileMenu_->addAction(printPreview);
    fileMenu_->addAction(printSetup);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exportHtml);
    fileMenu_->addAction(exportPdf);
    fileMenu_->addAction(exportText);
    recentSeparator_ = fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(tr("Recent File"));
    recentPlaceholder_->setObjectName(QStringLiteral("actionRecentPlaceholder"));
    recentPlaceholder_->setEnabled(false);
    for (int i = 0; i < kRecentFiles; ++i) {
        auto* recent = new QAction(this);
        recent->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
        connect(recent, &QAction::triggered, this,
                [this, recent] { OpenRecentFile(recent->data().toString()); });
        fileMenu_->addAction(recent);
        recentActions_.push_back(recent);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(exit);

    QMenu* editMenu = menuBar()->addMenu(tr("&Edit"));
    editMenu->addAction(undo);
    editMenu->addAction(redo);
    editMenu->addSeparator();
    editMenu->addAction(copyRoster);

    QMenu* armyMenu = menuBar()->addMenu(tr("&Army"));
    armyMenu->addAction(newUnit);
    armyMenu->addAction(deleteUnit);
    armyMenu->addSeparator();
    armyMenu->addAction(minMax);
    armyMenu->addAction(check);

    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    QAction* armyLists =
        MakeAction({tr("&Army lists..."), "actionArmyLists",
                    tr("Show the army-list files that were read and what lint finds in them")});
    connect(armyLists, &QAction::triggered, this, [this] {
        ArmyListsDialog dialog(app_.catalogue(), app_.metrics(), this);
        app_.services().ExecDialog(dialog);
    });
    helpMenu->addAction(armyLists);
    helpMenu->addAction(about);

    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolBar"));
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setMovable(true);
    toolbar->addAction(newAction);
    toolbar->addAction(open);
    toolbar->addAction(saveAs);
    toolbar->addAction(undo);
    toolbar->addAction(redo);
    toolbar->addSeparator();
    toolbar->addAction(newUnit);
    toolbar->addAction(deleteUnit);
    toolbar->addAction(minMax);
    toolbar->addSeparator();
    toolbar->addAction(print);
    toolbar->addSeparator();
    toolbar->addAction(about);

    UpdateRecentFileMenu();

    // F6 and Shift+F6 move between the panes.
    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(nextPane, &QShortcut::activated, this, [this] { view_->FocusPane(+1); });
    auto* previousPane = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previousPane, &QShortcut::activated, this, [this] { view_->FocusPane(-1); });
}

void MainWindow::UpdateCaption() {
    setWindowTitle(QString::fromStdString(document_.title()) + QStringLiteral("[*] - Fennmarch AG"));
    setWindowModified(document_.IsModified());
}

QStringList MainWindow::RecentFiles() const {
    QStringList files;
    QSettings& settings = app_.settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString file = settings.value(kRecentGroup + QStringLiteral("/File%1").arg(i)).toString();
        if (!file.isEmpty())
            files.push_back(file);
    }
    return files;
}

void MainWindow::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles)
        files.removeLast();
    WriteRecentFiles(files);
}

void MainWindow::WriteRecentFiles(const QStringList& files) {
    QSettings& settings = app_.settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = kRecentGroup + QStringLiteral("/File%1").arg(i);
        if (i <= files.size())
            settings.setValue(key, files[i - 1]);
        else
            settings.remove(key);
    }
    settings.sync();
    UpdateRecentFileMenu();
}

void MainWindow::UpdateRecentFileMenu() {
    const QStringList files = RecentFiles();
    recentPlaceholder_->setVisible(files.isEmpty());
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* action = recentActions_[i];
        if (i < files.size()) {
            QString name = QFileInfo(files[i]).fileName();
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            action->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            action->setData(files[i]);
            action->setStatusTip(files[i]);
            action->setVisible(true);
        } else {
            action->setVisible(false);
        }
    }
}

bool MainWindow::SaveModified() {
    if (!document_.IsModified())
        return true;
    switch (app_.services().AskSaveChanges(this, QString::fromStdString(document_.title()))) {
    case UiServices::SaveChoice::Save:
        return OnFileSave();
    case UiServices::SaveChoice::Discard:
        return true;
    case UiServices::SaveChoice::Cancel:
        return false;
    }
    return false;
}

void MainWindow::OnFileNew() {
    if (!SaveModified())
        return;
    view_->undoStack().clear();
    document_.OnNewDocument();
}

void MainWindow::OnFileOpen() {
    const QString filters = ArmyFilter() + QStringLiteral(";;") +
                            tr("Fennmarch Army File (*.bba);;Fennmarch Army File (*.fma);;All Files (*)");
    const QString path =
        app_.services().GetOpenFileName(this, tr("Open"), app_.StartFolder(), filters, ArmyFilter());
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

void MainWindow::OpenRecentFile(const QString& path) {
    // A file that has gone is dropped from the list once its error is shown.
    if (!OpenDocumentFile(path) && !QFileInfo::exists(path))
        RemoveRecentFile(path);
}

void MainWindow::RemoveRecentFile(const QString& path) {
    QStringList files = RecentFiles();
    files.removeAll(path);
    WriteRecentFiles(files);
}

bool MainWindow::OpenDocumentFile(const QString& path) {
    if (!SaveModified())
        return false;
    const ArmyDocument::OpenResult result = document_.OnOpenDocument(path.toStdString());
    if (result == ArmyDocument::OpenResult::Unreadable)
        return false;
    view_->undoStack().clear();
    app_.RememberFolder(path);
    if (result != ArmyDocument::OpenResult::NotLoadable)
        AddRecentFile(path);
    return true;
}

bool MainWindow::DoSave(const QString& path) {
    if (!document_.OnSaveDocument(path.toStdString()))
        return false;
    view_->undoStack().setClean();
    app_.RememberFolder(path);
    AddRecentFile(path);
    return true;
}

bool MainWindow::OnFileSave() {
    if (document_.path().empty())
        return OnFileSaveAs();
    return DoSave(QString::fromStdString(document_.path().string()));
}

bool MainWindow::OnFileSaveAs() {
    const QString path = app_.services().GetSaveFileName(
        this, tr("Save As"), app_.ProposedPath(QStringLiteral(".evr")), ArmyFilter(), QStringLiteral("evr"));
    if (path.isEmpty())
        return false;
    return DoSave(path);
}

void MainWindow::OnFilePrintSetup() {
    app_.services().RunPageSetup(this, app_.printer());
}

void MainWindow::OnAppAbout() {
    AboutDialog dialog(app_.metrics(), this);
    app_.services().ExecDialog(dialog);
}

void MainWindow::UpdateProblemCount() {
    const std::size_t count = CheckArmy(document_.army()).size();
    problems_->SetCount(count);
}

void MainWindow::OnCheckArmy() {
    if (breachList_ == nullptr)
        breachList_ = new BreachListDialog(*view_, this);
    breachList_->show();
    breachList_->raise();
    breachList_->activateWindow();
}

void MainWindow::RestoreWindowGeometry() {
    const QByteArray geometry = app_.settings().value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!SaveModified()) {
        event->ignore();
        return;
    }
    app_.settings().setValue(kGeometryKey, saveGeometry());
    event->accept();
}

} // namespace ovra
