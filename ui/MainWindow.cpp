#include "MainWindow.h"

#include "AboutDialog.h"
#include "AppContext.h"
#include "ArmyEditor.h"
#include "ArmyListsDialog.h"
#include "ArmyPage.h"
#include "ArmyView.h"
#include "BreachListDialog.h"
#include "CompareDialog.h"
#include "FileNames.h"
#include "Icons.h"
#include "NoticeBar.h"
#include "ProblemCountLabel.h"
#include "RosterActions.h"
#include "UiMetrics.h"
#include "UiServices.h"
#include "UnitListPane.h"

#include "FileIo.h"
#include "RosterImport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenuBar>
#include <QSettings>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QUndoGroup>
#include <QUndoStack>

#include <functional>
#include <string_view>
#include <type_traits>

namespace ovra {
namespace {

const QString kRecentGroup = QStringLiteral("Recent File List");
const QString kGeometryKey = QStringLiteral("Window/Geometry");
const QString kListWidthKey = QStringLiteral("Window/UnitListWidth");
const QString kOpenArmiesKey = QStringLiteral("Session/OpenArmies");

QString ArmyFilter() {
    return QCoreApplication::translate("ovra::MainWindow", "Fennmarch Army File (*.evr)");
}

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

// One command of the menus or the tool bar.
struct ActionSpec {
    const char* name;
    QString text;
    QString prompt; // the status-bar prompt
    QIcon icon = {};
    QString toolTip = {};
    QList<QKeySequence> shortcuts = {};
    std::function<void()> run = {};
};

// Where the actions stand: "-" is a separator, "recent" the recent files.
// clang-format off
const char* const kFileMenu[] = {
    "actionNew", "actionOpen", "actionSaveAs", "actionClose", "-",
    "actionImportRoster", "-",
    "actionPrint", "actionPrintPreview", "actionPrintSetup", "-",
    "actionExportHtml", "actionExportPdf", "actionExportText",
    "recent", "-",
    "actionExit"};
const char* const kEditMenu[] = {
    "actionUndo", "actionRedo", "-",
    "actionCutUnits", "actionCopyUnits", "actionPasteUnits", "-",
    "actionCopyRoster", "actionPasteArmy"};
const char* const kArmyMenu[] = {
    "actionNewUnit", "actionDeleteUnit", "-",
    "actionMinMax", "actionCheckArmy", "actionCompare"};
const char* const kHelpMenu[] = {"actionArmyLists", "actionAbout"};
const char* const kToolBar[] = {
    "actionNew", "actionOpen", "actionSaveAs", "actionUndo", "actionRedo", "-",
    "actionNewUnit", "actionDeleteUnit", "actionMinMax", "-",
    "actionPrint", "-",
    "actionAbout"};
// clang-format on
// Actions of the unit list: they act where the units they act on are
// selected, and leave their keys to a text field that has the focus.
const char* const kUnitListActions[] = {"actionNewUnit", "actionDeleteUnit", "actionCutUnits",
                                        "actionCopyUnits", "actionPasteUnits"};

} // namespace

MainWindow::MainWindow(AppContext& context) : context_(context) {
    setObjectName(QStringLiteral("mainFrame"));
    // 620 x 420 at first, and never smaller; it may grow and be maximised,
    // and comes back at the size and place it was left.
    resize(kWidth, kHeight);
    setMinimumSize(kWidth, kHeight);
    setWindowIcon(ProgramIcon());

    undoGroup_ = new QUndoGroup(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("armyTabs"));
    tabs_->setAccessibleName(tr("Open armies"));
    tabs_->setDocumentMode(true);
    tabs_->setTabBarAutoHide(true); // one army looks as the window always did
    tabs_->setMovable(true);
    tabs_->setTabsClosable(true);
    setCentralWidget(tabs_);
    connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::OnCurrentChanged);
    connect(tabs_, &QTabWidget::tabCloseRequested, this, [this](int index) {
        ShowPage(index);
        OnFileClose();
    });
    roster_ = new RosterActions(
        context_, [this]() -> ArmyEditor& { return editor(); }, this);

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

    CreateActions();
    CreateMenusAndToolBar();
    AddPage(MakeEditor());
}

MainWindow::~MainWindow() {
    delete breachList_;
    // The pages go without a word to the window that is going too.
    tabs_->disconnect(this);
    tabs_->blockSignals(true);
    delete tabs_;
}

ArmyPage& MainWindow::page() const {
    return *static_cast<ArmyPage*>(tabs_->currentWidget());
}

ArmyView* MainWindow::view() const {
    return &page().view();
}

ArmyEditor& MainWindow::editor() const {
    return page().editor();
}

int MainWindow::PageCount() const {
    return tabs_->count();
}

ArmyPage& MainWindow::PageAt(int index) const {
    return *static_cast<ArmyPage*>(tabs_->widget(index));
}

void MainWindow::ShowPage(int index) {
    tabs_->setCurrentIndex(index);
}

QAction* MainWindow::action(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
}

std::unique_ptr<ArmyEditor> MainWindow::MakeEditor() {
    return std::make_unique<ArmyEditor>(context_.catalogue(), context_.settingsStore(), context_.services(),
                                        context_.metrics());
}

ArmyPage& MainWindow::AddPage(std::unique_ptr<ArmyEditor> editor) {
    ArmyEditor& added = *editor;
    auto* page = new ArmyPage(std::move(editor), tabs_);
    const int listWidth = context_.settings().value(kListWidthKey).toInt();
    if (listWidth > 0)
        page->view().SetListWidth(listWidth);
    // Insert and Delete act in the unit list, where the unit they act on is
    // selected; in a text field they keep their usual meaning.
    for (const char* name : kUnitListActions)
        page->view().unitList()->addAction(action(name));
    undoGroup_->addStack(&added.undoStack());
    connect(&added, &ArmyEditor::stateChanged, this, [this, page] { UpdateTab(*page); });
    connect(page, &ArmyPage::statusMessage, this,
            [this](const QString& text) { statusBar()->showMessage(text, 10000); });
    connect(&added, &ArmyEditor::changed, this, [this, page] {
        if (page == &this->page())
            UpdateProblemCount();
    });
    tabs_->setCurrentIndex(tabs_->addTab(page, QString()));
    UpdateTab(*page);
    return *page;
}

void MainWindow::RemovePage(ArmyPage& page) {
    if (breachList_ != nullptr && &page.editor() == &breachList_->editor()) {
        delete breachList_;
        breachList_ = nullptr;
    }
    undoGroup_->removeStack(&page.editor().undoStack());
    tabs_->removeTab(tabs_->indexOf(&page));
    delete &page;
}

int MainWindow::FindPage(const std::filesystem::path& file) const {
    for (int i = 0; i < PageCount(); ++i) {
        const std::filesystem::path& bound = PageAt(i).editor().document().path();
        std::error_code error;
        if (!bound.empty() && (bound == file || std::filesystem::equivalent(bound, file, error)))
            return i;
    }
    return -1;
}

void MainWindow::OnCurrentChanged() {
    if (tabs_->currentIndex() < 0)
        return;
    ArmyEditor& shown = editor();
    undoGroup_->setActiveStack(&shown.undoStack());
    // The breach list follows the army shown.
    if (breachList_ != nullptr && &breachList_->editor() != &shown) {
        const bool open = breachList_->isVisible();
        delete breachList_;
        breachList_ = nullptr;
        if (open)
            OnCheckArmy();
    }
    UpdateCaption();
    UpdateProblemCount();
}

void MainWindow::UpdateTab(ArmyPage& page) {
    const ArmyEditor& army = page.editor();
    const int index = tabs_->indexOf(&page);
    if (index < 0)
        return;
    QString text = QString::fromStdString(army.document().title());
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    tabs_->setTabText(index, army.IsModified() ? text + QLatin1Char('*') : text);
    tabs_->setTabToolTip(index, ShownPath(army.document().path()));
    if (index == tabs_->currentIndex())
        UpdateCaption();
}

void MainWindow::CreateActions() {
    QAction* undo = undoGroup_->createUndoAction(this);
    undo->setObjectName(QStringLiteral("actionUndo"));
    QAction* redo = undoGroup_->createRedoAction(this);
    redo->setObjectName(QStringLiteral("actionRedo"));

    // clang-format off
    const ActionSpec specs[] = {
        {"actionNew", tr("&New"), tr("Start a new army"),
         ThemeIcon("document-new", QStyle::SP_FileIcon), tr("New"), {Qt::CTRL | Qt::Key_N}, [this] { OnFileNew(); }},
        {"actionOpen", tr("&Open..."), tr("Open an army file"),
         ThemeIcon("document-open", QStyle::SP_DialogOpenButton), tr("Open"), {Qt::CTRL | Qt::Key_O}, [this] { OnFileOpen(); }},
        {"actionSaveAs", tr("Save &As..."), tr("Save the army under a new name"),
         ThemeIcon("document-save-as", QStyle::SP_DialogSaveButton), tr("Save As"), {}, [this] { OnFileSaveAs(); }},
        {"actionClose", tr("&Close"), tr("Close the army shown; a changed army can be saved first"),
         ThemeIcon("document-close", QStyle::SP_DialogCloseButton), tr("Close"), {Qt::CTRL | Qt::Key_W}, [this] { OnFileClose(); }},
        // Ctrl+S saves although the menu has no Save entry.
        {"actionSave", tr("&Save"), tr("Save the army"),
         {}, {}, {Qt::CTRL | Qt::Key_S}, [this] { OnFileSave(); }},
        {"actionPrint", tr("&Print..."), tr("Print the army's roster"),
         PrintIcon(), tr("Print"), {Qt::CTRL | Qt::Key_P}, [this] { roster_->Print(); }},
        {"actionPrintPreview", tr("Print Pre&view..."), tr("Show the printed roster's pages"),
         {}, {}, {}, [this] { roster_->PrintPreview(); }},
        {"actionPrintSetup", tr("P&rint Setup..."), tr("Choose the paper and its margins"),
         {}, {}, {}, [this] { OnFilePrintSetup(); }},
        {"actionExportHtml", tr("&Export Html"), tr("Export to a html file"),
         {}, {}, {}, [this] { roster_->ExportHtml(); }},
        {"actionExportPdf", tr("Export P&DF..."), tr("Write the printed roster as a PDF file"),
         {}, {}, {}, [this] { roster_->ExportPdf(); }},
        {"actionExportText", tr("Export as &text..."), tr("Write the roster as plain text or Markdown"),
         {}, {}, {}, [this] { roster_->ExportText(); }},
        {"actionExit", tr("E&xit"), tr("Quit the program; a changed army can be saved first"),
         {}, {}, {}, [this] { close(); }},
        {"actionUndo", {}, tr("Undo the last change of the army"),
         ThemeIcon("edit-undo", QStyle::SP_ArrowBack), {}, {QKeySequence::Undo}},
        {"actionRedo", {}, tr("Redo the change last undone"),
         ThemeIcon("edit-redo", QStyle::SP_ArrowForward), {}, {Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}},
        {"actionCutUnits", tr("Cu&t units"), tr("Move the selected units to the clipboard"),
         ThemeIcon("edit-cut", QStyle::SP_TrashIcon), tr("Cut units"), {QKeySequence::Cut}, [this] { view()->CutUnits(); }},
        {"actionCopyUnits", tr("C&opy units"), tr("Copy the selected units, to paste into this army or another"),
         ThemeIcon("edit-copy", QStyle::SP_FileDialogContentsView), tr("Copy units"), {QKeySequence::Copy}, [this] { view()->CopyUnits(); }},
        {"actionPasteUnits", tr("&Paste units"), tr("Add the units on the clipboard to this army"),
         ThemeIcon("edit-paste", QStyle::SP_DialogApplyButton), tr("Paste units"), {QKeySequence::Paste}, [this] { view()->PasteUnits(); }},
        {"actionCopyRoster", tr("&Copy roster"), tr("Copy the roster as text, Markdown and HTML, to paste anywhere"),
         ThemeIcon("edit-copy", QStyle::SP_FileDialogDetailedView), tr("Copy roster"), {Qt::CTRL | Qt::SHIFT | Qt::Key_C}, [this] { roster_->CopyRoster(); }},
        {"actionNewUnit", tr("&New unit"), tr("Creates a new unit or duplicates an existing one."),
         NewUnitIcon(), tr("New unit"), {Qt::Key_Insert}, [this] { view()->NewUnit(); }},
        {"actionDeleteUnit", tr("&Delete unit"), tr("Delete the unit."),
         DeleteUnitIcon(), tr("Delete unit"), {QKeySequence::Delete}, [this] { view()->DeleteUnit(); }},
        {"actionMinMax", tr("&Min/Max units"), tr("Creates and/or deletes units until min/max requirements are met."),
         MinMaxIcon(), tr("Min/Max units"), {}, [this] { view()->EnforceMinMax(); }},
        {"actionCheckArmy", tr("&Check army"), tr("List every rule the army breaks, in words."),
         {}, tr("Check army"), {Qt::CTRL | Qt::Key_K}, [this] { OnCheckArmy(); }},
        {"actionPasteArmy", tr("Paste as new &army"), tr("Read a roster someone shared, from the clipboard, into a new army"),
         {}, {}, {Qt::CTRL | Qt::SHIFT | Qt::Key_V}, [this] { OnPasteAsNewArmy(); }},
        {"actionImportRoster", tr("&Import roster..."), tr("Read a roster someone shared, from a file, into a new army"),
         {}, {}, {}, [this] { OnImportRoster(); }},
        {"actionCompare", tr("Com&pare with..."), tr("Show this army beside another open army or an army file, with what differs"),
         {}, {}, {}, [this] { OnCompare(); }},
        {"actionArmyLists", tr("Army &lists..."), tr("Show the army-list files that were read and what lint finds in them"),
         {}, {}, {}, [this] { OnArmyLists(); }},
        {"actionAbout", tr("&About Ovra..."), tr("Show the program's name and version"),
         ThemeIcon("help-about", QStyle::SP_MessageBoxInformation), tr("About"), {}, [this] { OnAppAbout(); }},
    };
    // clang-format on
    for (const ActionSpec& spec : specs) {
        const QString name = QString::fromLatin1(spec.name);
        QAction* made = name == undo->objectName() ? undo : name == redo->objectName() ? redo : nullptr;
        if (made == nullptr) {
            made = new QAction(spec.text, this);
            made->setObjectName(name);
        }
        made->setStatusTip(spec.prompt);
        made->setIcon(spec.icon);
        if (!spec.toolTip.isEmpty())
            made->setToolTip(spec.toolTip);
        if (!spec.shortcuts.isEmpty())
            made->setShortcuts(spec.shortcuts);
        if (spec.run)
            connect(made, &QAction::triggered, this, spec.run);
    }
    for (const char* name : kUnitListActions)
        action(name)->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(action("actionSave"));

    // Ctrl+Tab, Ctrl+PgDn and their reverses move between the armies.
    const auto step = [this](int by) {
        const int count = tabs_->count();
        tabs_->setCurrentIndex((tabs_->currentIndex() + by + count) % count);
    };
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(+1); });
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(-1); });

    // F6 and Shift+F6 move between the panes.
    auto* nextPane = new QShortcut(QKeySequence(Qt::Key_F6), this);
    connect(nextPane, &QShortcut::activated, this, [this] { view()->FocusPane(+1); });
    auto* previousPane = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6), this);
    connect(previousPane, &QShortcut::activated, this, [this] { view()->FocusPane(-1); });
}

void MainWindow::CreateMenusAndToolBar() {
    const auto fill = [this](auto* target, auto&& names) {
        for (const char* name : names) {
            if (std::string_view(name) == "-") {
                target->addSeparator();
            } else if (std::string_view(name) != "recent") {
                target->addAction(action(name));
            } else if constexpr (std::is_same_v<decltype(target), QMenu*>) {
                target->addSeparator();
                recentPlaceholder_ = target->addAction(tr("Recent File"));
                recentPlaceholder_->setObjectName(QStringLiteral("actionRecentPlaceholder"));
                recentPlaceholder_->setEnabled(false);
                for (int i = 0; i < kRecentFiles; ++i) {
                    auto* recent = new QAction(this);
                    recent->setObjectName(QStringLiteral("actionRecent%1").arg(i + 1));
                    connect(recent, &QAction::triggered, this,
                            [this, recent] { OpenRecentFile(ValuePath(recent->data())); });
                    target->addAction(recent);
                    recentActions_.push_back(recent);
                }
            }
        }
    };
    fileMenu_ = menuBar()->addMenu(tr("&File"));
    fill(fileMenu_, kFileMenu);
    fill(menuBar()->addMenu(tr("&Edit")), kEditMenu);
    fill(menuBar()->addMenu(tr("&Army")), kArmyMenu);
    fill(menuBar()->addMenu(tr("&Help")), kHelpMenu);

    QToolBar* toolBar = addToolBar(tr("Toolbar"));
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setIconSize(QSize(16, 16));
    toolBar->setMovable(true);
    fill(toolBar, kToolBar);
    UpdateRecentFileMenu();
}

void MainWindow::UpdateCaption() {
    const ArmyEditor& shown = editor();
    setWindowTitle(QString::fromStdString(WindowCaption(shown.document().title(), "[*]")));
    setWindowModified(shown.IsModified());
}

std::vector<std::filesystem::path> MainWindow::RecentFiles() const {
    std::vector<std::filesystem::path> files;
    QSettings& settings = context_.settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const std::filesystem::path file =
            ValuePath(settings.value(kRecentGroup + QStringLiteral("/File%1").arg(i)));
        if (!file.empty())
            files.push_back(file);
    }
    return files;
}

void MainWindow::AddRecentFile(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(file, error).lexically_normal();
    std::vector<std::filesystem::path> files = RecentFiles();
    std::erase(files, absolute);
    files.insert(files.begin(), absolute);
    if (files.size() > kRecentFiles)
        files.resize(kRecentFiles);
    WriteRecentFiles(files);
}

void MainWindow::WriteRecentFiles(const std::vector<std::filesystem::path>& files) {
    QSettings& settings = context_.settings();
    for (int i = 1; i <= kRecentFiles; ++i) {
        const QString key = kRecentGroup + QStringLiteral("/File%1").arg(i);
        if (static_cast<std::size_t>(i) <= files.size())
            settings.setValue(key, PathValue(files[static_cast<std::size_t>(i) - 1]));
        else
            settings.remove(key);
    }
    settings.sync();
    UpdateRecentFileMenu();
}

void MainWindow::UpdateRecentFileMenu() {
    const std::vector<std::filesystem::path> files = RecentFiles();
    recentPlaceholder_->setVisible(files.empty());
    for (int i = 0; i < kRecentFiles; ++i) {
        QAction* recent = recentActions_[i];
        if (static_cast<std::size_t>(i) < files.size()) {
            const std::filesystem::path& file = files[static_cast<std::size_t>(i)];
            QString name = ShownPath(file.filename());
            name.replace(QLatin1Char('&'), QStringLiteral("&&"));
            recent->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
            recent->setData(PathValue(file));
            recent->setStatusTip(ShownPath(file));
            recent->setVisible(true);
        } else {
            recent->setVisible(false);
        }
    }
}

bool MainWindow::SaveModified() {
    const ArmyEditor& shown = editor();
    if (!shown.IsModified())
        return true;
    switch (context_.services().AskSaveChanges(this, QString::fromStdString(shown.document().title()))) {
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
    std::unique_ptr<ArmyEditor> made = MakeEditor();
    made->NewLike(editor());
    AddPage(std::move(made));
}

bool MainWindow::OnFileClose() {
    if (!SaveModified())
        return false;
    if (PageCount() == 1) {
        // The window always shows an army: the last one gives way to a new one.
        std::unique_ptr<ArmyEditor> made = MakeEditor();
        made->NewLike(editor());
        ArmyPage& closing = page();
        AddPage(std::move(made));
        RemovePage(closing);
        return true;
    }
    RemovePage(page());
    return true;
}

void MainWindow::OnFileOpen() {
    const QString filters = ArmyFilter() + QStringLiteral(";;") +
                            tr("Fennmarch Army File (*.bba);;Fennmarch Army File (*.fma);;All Files (*)");
    const QString path = context_.services().GetOpenFileName(
        this, tr("Open"), context_.StartFolder(&editor().document()), filters, ArmyFilter());
    if (!path.isEmpty())
        OpenDocumentFile(ToPath(path));
}

void MainWindow::OpenRecentFile(const std::filesystem::path& file) {
    // A file that has gone is dropped from the list once its error is shown.
    std::error_code error;
    if (!OpenDocumentFile(file) && !std::filesystem::exists(file, error))
        RemoveRecentFile(file);
}

void MainWindow::RemoveRecentFile(const std::filesystem::path& file) {
    std::vector<std::filesystem::path> files = RecentFiles();
    std::erase(files, file);
    WriteRecentFiles(files);
}

bool MainWindow::OpenDocumentFile(const std::filesystem::path& file) {
    const int open = FindPage(file);
    if (open >= 0) {
        ShowPage(open);
        return true;
    }
    ArmyPage* target = &page();
    const bool reuse = target->IsUntouched();
    if (!reuse)
        target = &AddPage(MakeEditor());
    const ArmyDocument::OpenResult result = target->editor().Open(file);
    const bool shown =
        result == ArmyDocument::OpenResult::Opened || result == ArmyDocument::OpenResult::Incomplete;
    if (!shown && !reuse)
        RemovePage(*target); // the message has been shown; the armies open stay as they were
    if (result == ArmyDocument::OpenResult::Unreadable)
        return false;
    context_.RememberFolder(file);
    if (shown) {
        AddRecentFile(file);
        target->CompareWithSnapshot(context_.SnapshotFolder());
    }
    return true;
}

bool MainWindow::ReopenLastArmies() {
    const QVariantList files = context_.settings().value(kOpenArmiesKey).toList();
    QStringList gone;
    int opened = 0;
    for (const QVariant& value : files) {
        const std::filesystem::path file = ValuePath(value);
        std::error_code error;
        if (!std::filesystem::exists(file, error)) {
            gone << ShownPath(file.filename());
            continue;
        }
        if (OpenDocumentFile(file))
            ++opened;
    }
    if (!gone.isEmpty())
        statusBar()->showMessage(
            tr("Not reopened, as they are gone: %1").arg(gone.join(QStringLiteral(", "))), 20000);
    if (opened > 0)
        ShowPage(0);
    return opened > 0;
}

bool MainWindow::SaveAll() {
    for (int i = 0; i < PageCount(); ++i) {
        if (!PageAt(i).editor().IsModified())
            continue;
        ShowPage(i);
        if (!OnFileSave())
            return false;
    }
    return true;
}

bool MainWindow::DoSave(const std::filesystem::path& file) {
    const ArmyDocument::SaveOutcome outcome = editor().Save(file);
    if (outcome.readOnly) {
        // As editors do: a file the user may not write is left alone.
        if (context_.services().AskOkCancel(
                this,
                tr("The file \"%1\" is read-only: it may not be written.\nSave the army under another name?")
                    .arg(ShownPath(file.filename())),
                QString::fromLatin1(kAppTitle)))
            return OnFileSaveAs();
        return false;
    }
    if (!outcome.saved)
        return false;
    // What the army lists say of the army now, for the next time it is opened.
    const QString kept = page().KeepSnapshot(context_.SnapshotFolder());
    if (!kept.isEmpty())
        statusBar()->showMessage(
            tr("The army is saved; what the army lists say of it could not be kept: %1").arg(kept), 10000);
    context_.RememberFolder(file);
    AddRecentFile(file);
    return true;
}

bool MainWindow::OnFileSave() {
    const std::filesystem::path bound = editor().document().path();
    if (bound.empty())
        return OnFileSaveAs();
    // What someone else wrote there since is never replaced unasked.
    if (editor().document().CheckDisk() == ArmyDocument::DiskState::Changed) {
        switch (context_.services().AskFileChanged(this, ShownPath(bound.filename()))) {
        case UiServices::ConflictChoice::Overwrite:
            break;
        case UiServices::ConflictChoice::SaveAs:
            return OnFileSaveAs();
        case UiServices::ConflictChoice::Cancel:
            return false;
        }
    }
    return DoSave(bound);
}

bool MainWindow::OnFileSaveAs() {
    const QString path = context_.services().GetSaveFileName(
        this, tr("Save As"), context_.ProposedPath(editor().document(), QStringLiteral(".evr")), ArmyFilter(),
        QStringLiteral("evr"));
    if (path.isEmpty())
        return false;
    return DoSave(ToPath(path));
}

void MainWindow::OnFilePrintSetup() {
    context_.services().RunPageSetup(this, context_.printer());
}

void MainWindow::OnAppAbout() {
    AboutDialog dialog(context_.metrics(), this);
    context_.services().ExecDialog(dialog);
}

void MainWindow::OnArmyLists() {
    ArmyListsDialog dialog(context_.catalogue(), context_.metrics(), context_.earlierLists(), this);
    context_.services().ExecDialog(dialog);
}

void MainWindow::ArmyListsChanged(const ArmyCatalogue& now) {
    for (int i = 0; i < PageCount(); ++i)
        PageAt(i).RereadLists(now);
    statusBar()->showMessage(tr("The army lists changed and were read again."), 10000);
}

void MainWindow::UpdateProblemCount() {
    problems_->SetCount(editor().breaches().size());
}

void MainWindow::OnCheckArmy() {
    if (breachList_ == nullptr)
        breachList_ = new BreachListDialog(editor(), this);
    breachList_->show();
    breachList_->raise();
    breachList_->activateWindow();
}

void MainWindow::OnCompare() {
    const ArmyEditor& shown = editor();
    QStringList choices;
    std::vector<int> pages;
    for (int i = 0; i < PageCount(); ++i) {
        if (&PageAt(i).editor() == &shown)
            continue;
        choices << QString::fromStdString(PageAt(i).editor().document().title());
        pages.push_back(i);
    }
    choices << tr("An army file...");
    const int chosen =
        choices.size() == 1
            ? 0
            : context_.services().ChooseItem(
                  this, tr("Compare with"),
                  tr("Compare %1 with:").arg(QString::fromStdString(shown.document().title())), choices);
    if (chosen < 0)
        return;
    const QString titleA = QString::fromStdString(shown.document().title());
    if (static_cast<std::size_t>(chosen) < pages.size()) {
        const ArmyEditor& other = PageAt(pages[static_cast<std::size_t>(chosen)]).editor();
        CompareDialog dialog(CompareArmies(shown.army(), other.army()), titleA,
                             QString::fromStdString(other.document().title()), context_.metrics(), this);
        context_.services().ExecDialog(dialog);
        return;
    }
    const QString path = context_.services().GetOpenFileName(
        this, tr("Compare with"), context_.StartFolder(&shown.document()),
        ArmyFilter() + QStringLiteral(";;") + tr("All Files (*)"), ArmyFilter());
    if (path.isEmpty())
        return;
    // Read as Open reads it, without becoming an army of the window.
    InMemorySettings settings;
    ArmyDocument other(context_.catalogue(), settings);
    const ArmyDocument::OpenOutcome outcome = other.Open(ToPath(path));
    if (outcome.message)
        shown.ShowMessage(*outcome.message);
    if (outcome.result != ArmyDocument::OpenResult::Opened &&
        outcome.result != ArmyDocument::OpenResult::Incomplete)
        return;
    CompareDialog dialog(CompareArmies(shown.army(), other.army()), titleA,
                         QString::fromStdString(other.title()), context_.metrics(), this);
    context_.services().ExecDialog(dialog);
}

bool MainWindow::ImportRoster(const std::string& text) {
    const RosterImport imported = ovra::ImportRoster(text, context_.catalogue());
    if (imported.source == RosterImport::Source::Nothing) {
        context_.services().ShowMessage(
            this,
            tr("No army could be read from this roster.\n%1").arg(QString::fromStdString(imported.error)),
            QString::fromLatin1(kAppTitle), MessageIcon::Exclamation);
        return false;
    }
    // A new tab: the army on screen is never replaced.
    ArmyPage& made = AddPage(MakeEditor());
    made.editor().Import(imported.armyFile);
    if (imported.source == RosterImport::Source::ArmyCode) {
        statusBar()->showMessage(tr("The army was read from its army code, exactly as it was shared."),
                                 10000);
        return true;
    }
    if (imported.lines.empty()) {
        statusBar()->showMessage(tr("The army was read from the roster; every line was understood."), 10000);
        return true;
    }
    const std::size_t notUnderstood = imported.lines.size() + imported.moreLines;
    QStringList lines{notUnderstood == 1
                          ? tr("1 line of the roster was not understood:")
                          : tr("%1 lines of the roster were not understood:").arg(notUnderstood)};
    constexpr std::size_t kShown = 8;
    for (std::size_t i = 0; i < imported.lines.size() && i < kShown; ++i) {
        const ImportLine& line = imported.lines[i];
        QString said =
            tr("line %1, \"%2\": %3")
                .arg(line.line)
                .arg(QString::fromStdString(line.text).trimmed(), QString::fromStdString(line.reason));
        if (!line.suggestions.empty()) {
            QStringList names;
            for (const std::string& name : line.suggestions)
                names << QString::fromStdString(name);
            said += tr(" (did you mean %1?)").arg(names.join(QStringLiteral(", ")));
        }
        lines << said;
    }
    if (imported.lines.size() + imported.moreLines > kShown)
        lines << tr("and %n more", nullptr,
                    static_cast<int>(imported.lines.size() + imported.moreLines - kShown));
    made.notices().Show(lines.join(QLatin1Char('\n')));
    return true;
}

void MainWindow::OnPasteAsNewArmy() {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.trimmed().isEmpty()) {
        context_.services().ShowMessage(this, tr("The clipboard holds no text to read an army from."),
                                        QString::fromLatin1(kAppTitle), MessageIcon::Information);
        return;
    }
    ImportRoster(text.toUtf8().toStdString());
}

void MainWindow::OnImportRoster() {
    const QString path = context_.services().GetOpenFileName(
        this, tr("Import roster"), context_.StartFolder(&editor().document()),
        tr("Rosters (*.txt *.md);;All Files (*)"), tr("Rosters (*.txt *.md)"));
    if (path.isEmpty())
        return;
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(ToPath(path), bytes, error)) {
        context_.services().ShowMessage(
            this, tr("Cannot open the file \"%1\".\n%2").arg(path, QString::fromStdString(error)),
            QString::fromLatin1(kAppTitle), MessageIcon::Error);
        return;
    }
    context_.RememberFolder(ToPath(path));
    ImportRoster(bytes);
}

void MainWindow::RestoreWindowGeometry() {
    const QByteArray geometry = context_.settings().value(kGeometryKey).toByteArray();
    if (!geometry.isEmpty())
        restoreGeometry(geometry);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // One question for all the modified armies; for a single one, the usual one.
    QStringList modified;
    int last = -1;
    for (int i = 0; i < PageCount(); ++i) {
        if (PageAt(i).editor().IsModified()) {
            modified << QString::fromStdString(PageAt(i).editor().document().title());
            last = i;
        }
    }
    bool closing = true;
    if (modified.size() == 1) {
        ShowPage(last);
        closing = SaveModified();
    } else if (modified.size() > 1) {
        switch (context_.services().AskSaveAll(this, modified)) {
        case UiServices::SaveChoice::Save:
            closing = SaveAll();
            break;
        case UiServices::SaveChoice::Discard:
            break;
        case UiServices::SaveChoice::Cancel:
            closing = false;
            break;
        }
    }
    if (!closing) {
        event->ignore();
        return;
    }
    QVariantList open;
    for (int i = 0; i < PageCount(); ++i) {
        const std::filesystem::path& bound = PageAt(i).editor().document().path();
        std::error_code error;
        if (!bound.empty())
            open << PathValue(std::filesystem::absolute(bound, error));
    }
    context_.settings().setValue(kOpenArmiesKey, open);
    context_.settings().setValue(kGeometryKey, saveGeometry());
    context_.settings().setValue(kListWidthKey, view()->listWidth());
    event->accept();
}

} // namespace ovra
