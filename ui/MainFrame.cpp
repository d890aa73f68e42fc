#include "MainFrame.h"

#include "Dialogs.h"
#include "FmApp.h"
#include "FmView.h"
#include "Icons.h"
#include "UiServices.h"

#include "Document.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace ovra {
namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");
const QString kArmyFilter = QStringLiteral("Fennmarch Army File (*.evr)");

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

} // namespace

CMainFrame::CMainFrame(CFmApp& app, CFmDoc& document) : app_(app), document_(document) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    setWindowIcon(ProgramIcon());

    view_ = new CFmView(app, document, this);
    setCentralWidget(view_);
    CreateMenusAndToolbar();

    // "Ready" whenever no prompt is shown.
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    connect(statusBar(), &QStatusBar::messageChanged, this, [this](const QString& message) {
        if (message.isEmpty())
            statusBar()->showMessage(QStringLiteral("Ready"));
    });
    statusBar()->showMessage(QStringLiteral("Ready"));

    document_.SetUpdateHandler([this] { view_->Refresh(); });
    document_.SetStateHandler([this] { UpdateCaption(); });
    UpdateCaption();
}

CMainFrame::~CMainFrame() {
    document_.SetUpdateHandler({});
    document_.SetStateHandler({});
}

QAction* CMainFrame::MakeAction(const QString& text, const QString& name, const QString& prompt) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    action->setStatusTip(prompt);
    return action;
}

void CMainFrame::CreateMenusAndToolbar() {
    QAction* newAction =
        MakeAction(QStringLiteral("&New"), QStringLiteral("actionNew"), QStringLiteral("Start a new army"));
    newAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    newAction->setIcon(ThemeIcon("document-new", QStyle::SP_FileIcon));
    newAction->setToolTip(QStringLiteral("New"));
    connect(newAction, &QAction::triggered, this, &CMainFrame::OnFileNew);

    QAction* open = MakeAction(QStringLiteral("&Open..."), QStringLiteral("actionOpen"),
                               QStringLiteral("Open an army file"));
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    open->setIcon(ThemeIcon("document-open", QStyle::SP_DialogOpenButton));
    open->setToolTip(QStringLiteral("Open"));
    connect(open, &QAction::triggered, this, &CMainFrame::OnFileOpen);

    QAction* saveAs = MakeAction(QStringLiteral("Save &As..."), QStringLiteral("actionSaveAs"),
                                 QStringLiteral("Save the army under a new name"));
    saveAs->setIcon(ThemeIcon("document-save-as", QStyle::SP_DialogSaveButton));
    saveAs->setToolTip(QStringLiteral("Save As"));
    connect(saveAs, &QAction::triggered, this, &CMainFrame::OnFileSaveAs);

    // Ctrl+S saves although the menu has no Save entry.
    QAction* save =
        MakeAction(QStringLiteral("&Save"), QStringLiteral("actionSave"), QStringLiteral("Save the army"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &CMainFrame::OnFileSave);
    addAction(save);

    QAction* print = MakeAction(QStringLiteral("&Print..."), QStringLiteral("actionPrint"),
                                QStringLiteral("Print the army's roster"));
    print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    print->setIcon(PrintIcon());
    print->setToolTip(QStringLiteral("Print"));
    connect(print, &QAction::triggered, view_, &CFmView::OnFilePrint);

    QAction* printSetup = MakeAction(QStringLiteral("P&rint Setup..."), QStringLiteral("actionPrintSetup"),
                                     QStringLiteral("Choose the paper and its margins"));
    connect(printSetup, &QAction::triggered, this, &CMainFrame::OnFilePrintSetup);

    QAction* exportHtml = MakeAction(QStringLiteral("&Export Html"), QStringLiteral("actionExportHtml"),
                                     QStringLiteral("Export to a html file"));
    connect(exportHtml, &QAction::triggered, view_, &CFmView::OnExportHtml);

    QAction* exit = MakeAction(QStringLiteral("E&xit"), QStringLiteral("actionExit"),
                               QStringLiteral("Quit the program; a changed army can be saved first"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QAction* newUnit = MakeAction(QStringLiteral("&New unit"), QStringLiteral("actionNewUnit"),
                                  QStringLiteral("Creates a new unit or duplicates an existing one."));
    newUnit->setIcon(NewUnitIcon());
    newUnit->setToolTip(QStringLiteral("New unit"));
    connect(newUnit, &QAction::triggered, view_, &CFmView::OnNewUnit);

    QAction* deleteUnit = MakeAction(QStringLiteral("&Delete unit"), QStringLiteral("actionDeleteUnit"),
                                     QStringLiteral("Delete the unit."));
    deleteUnit->setIcon(DeleteUnitIcon());
    deleteUnit->setToolTip(QStringLiteral("Delete unit"));
    connect(deleteUnit, &QAction::triggered, view_, &CFmView::OnDeleteUnit);

    QAction* minMax =
        MakeAction(QStringLiteral("&Min/Max units"), QStringLiteral("actionMinMax"),
                   QStringLiteral("Creates and/or deletes units until min/max requirements are met."));
    minMax->setIcon(MinMaxIcon());
    minMax->setToolTip(QStringLiteral("Min/Max units"));
    connect(minMax, &QAction::triggered, view_, &CFmView::OnMinMaxUnits);

    QAction* about = MakeAction(QStringLiteral("&About Ovra..."), QStringLiteral("actionAbout"),
                                QStringLiteral("Show the program's name and version"));
    about->setIcon(ThemeIcon("help-about", QStyle::SP_MessageBoxInformation));
    about->setToolTip(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &CMainFrame::OnAppAbout);

    fileMenu_ = menuBar()->addMenu(QStringLiteral("&File"));
    fileMenu_->addAction(newAction);
    fileMenu_->addAction(open);
    fileMenu_->addAction(saveAs);
    fileMenu_->addSeparator();
    fileMenu_->addAction(print);
    fileMenu_->addAction(printSetup);
    fileMenu_->addSeparator();
    fileMenu_->addAction(exportHtml);
    recentSeparator_ = fileMenu_->addSeparator();
    recentPlaceholder_ = fileMenu_->addAction(QStringLiteral("Recent File"));
    recentPlaceholder_->setObjectName(QStringLiteral("actionRecentPlaceholder"));
    recentPlaceholder_->setEnabled(false);
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* recent = MakeAction(QString(), QStringLiteral("actionRecent%1").arg(i + 1),
                                     QStringLiteral("Open this army file"));
        connect(recent, &QAction::triggered, this,
                [this, recent] { OpenDocumentFile(recent->data().toString()); });
        fileMenu_->addAction(recent);
        recentActions_.push_back(recent);
    }
    fileMenu_->addSeparator();
    fileMenu_->addAction(exit);

    QMenu* armyMenu = menuBar()->addMenu(QStringLiteral("&Army"));
    armyMenu->addAction(newUnit);
    armyMenu->addAction(deleteUnit);
    armyMenu->addSeparator();
    armyMenu->addAction(minMax);

    QMenu* helpMenu = menuBar()->addMenu(QStringLiteral("&Help"));
    helpMenu->addAction(about);

    QToolBar* toolbar = addToolBar(QStringLiteral("Toolbar"));
    toolbar->setObjectName(QStringLiteral("toolBar"));
    toolbar->setIconSize(QSize(16, 16));
    toolbar->setMovable(true);
    toolbar->addAction(newAction);
    toolbar->addAction(open);
    toolbar->addAction(saveAs);
    toolbar->addSeparator();
    toolbar->addAction(newUnit);
    toolbar->addAction(deleteUnit);
    toolbar->addAction(minMax);
    toolbar->addSeparator();
    toolbar->addAction(print);
    toolbar->addSeparator();
    toolbar->addAction(about);

    UpdateRecentFileMenu();
}

void CMainFrame::UpdateCaption() {
    setWindowTitle(QString::fromStdString(document_.title()) + QStringLiteral("[*] - Fennmarch AG"));
    setWindowModified(document_.IsModified());
}

QStringList CMainFrame::RecentFiles() const {
    QStringList files;
    QSettings& settings = app_.settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString file = settings.value(kRecentGroup + QStringLiteral("/File%1").arg(i)).toString();
        if (!file.isEmpty())
            files.push_back(file);
    }
    return files;
}

void CMainFrame::AddRecentFile(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList files = RecentFiles();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > kRecentFiles)
        files.removeLast();
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

void CMainFrame::UpdateRecentFileMenu() {
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

bool CMainFrame::SaveModified() {
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

void CMainFrame::OnFileNew() {
    if (!SaveModified())
        return;
    document_.OnNewDocument();
}

void CMainFrame::OnFileOpen() {
    const QString filters = kArmyFilter + QStringLiteral(";;Fennmarch Army File (*.bba);;"
                                                         "Fennmarch Army File (*.fma);;All Files (*)");
    const QString path = app_.services().GetOpenFileName(this, QStringLiteral("Open"), filters, kArmyFilter);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    if (!SaveModified())
        return false;
    const CFmDoc::OpenResult result = document_.OnOpenDocument(path.toStdString());
    if (result == CFmDoc::OpenResult::Unreadable)
        return false;
    if (result != CFmDoc::OpenResult::NotLoadable)
        AddRecentFile(path);
    return true;
}

bool CMainFrame::DoSave(const QString& path) {
    if (!document_.OnSaveDocument(path.toStdString()))
        return false;
    AddRecentFile(path);
    return true;
}

bool CMainFrame::OnFileSave() {
    if (document_.path().empty())
        return OnFileSaveAs();
    return DoSave(QString::fromStdString(document_.path().string()));
}

bool CMainFrame::OnFileSaveAs() {
    const QString proposed = document_.proposedPath().empty()
                                 ? QString::fromStdString(document_.title())
                                 : QString::fromStdString(document_.proposedPath().string());
    const QString path = app_.services().GetSaveFileName(this, QStringLiteral("Save As"), proposed,
                                                         kArmyFilter, QStringLiteral("evr"));
    if (path.isEmpty())
        return false;
    return DoSave(path);
}

void CMainFrame::OnFilePrintSetup() {
    app_.services().RunPageSetup(this, app_.printer());
}

void CMainFrame::OnAppAbout() {
    CAboutDlg dialog(app_.metrics(), this);
    app_.services().ExecDialog(dialog);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (SaveModified())
        event->accept();
    else
        event->ignore();
}

} // namespace ovra
