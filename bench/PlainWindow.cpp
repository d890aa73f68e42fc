// A plain Qt main window of the same shape as Ovra's, for comparing
// start-up costs: fixed 620x420, a menu bar with the same menus, a tool bar
// of twelve actions with standard icons, a status bar, a combo box, a line
// edit, a tree of 12 rows and a table. It ends right after its first paint,
// as Ovra does when OVRA_EXIT_AFTER_FIRST_PAINT is set.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QTableWidget>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

namespace {

QIcon ThemeIcon(const char* name, QStyle::StandardPixmap fallback) {
    const QIcon themed = QIcon::fromTheme(QString::fromLatin1(name));
    return themed.isNull() ? QApplication::style()->standardIcon(fallback) : themed;
}

class Window : public QMainWindow {
public:
    Window() {
        setWindowTitle(QStringLiteral("New Army[*] - Plain window"));
        setFixedSize(620, 420);

        struct ActionInfo {
            const char* text;
            const char* icon;
            QStyle::StandardPixmap fallback;
        };
        const ActionInfo infos[] = {
            {"&New", "document-new", QStyle::SP_FileIcon},
            {"&Open...", "document-open", QStyle::SP_DialogOpenButton},
            {"&Save", "document-save", QStyle::SP_DialogSaveButton},
            {"Save &As...", "document-save-as", QStyle::SP_DialogSaveButton},
            {"&Undo", "edit-undo", QStyle::SP_ArrowBack},
            {"&Redo", "edit-redo", QStyle::SP_ArrowForward},
            {"&New unit", "list-add", QStyle::SP_FileDialogNewFolder},
            {"&Delete unit", "list-remove", QStyle::SP_TrashIcon},
            {"&Min/Max units", "view-sort-ascending", QStyle::SP_ArrowUp},
            {"&Check army", "dialog-warning", QStyle::SP_MessageBoxWarning},
            {"&Print...", "document-print", QStyle::SP_DriveNetIcon},
            {"&About...", "help-about", QStyle::SP_MessageBoxInformation},
        };
        QList<QAction*> actions;
        for (const ActionInfo& info : infos) {
            auto* action =
                new QAction(ThemeIcon(info.icon, info.fallback), QString::fromUtf8(info.text), this);
            action->setStatusTip(QString::fromUtf8(info.text));
            actions.push_back(action);
        }
        actions[0]->setShortcut(QKeySequence::New);
        actions[1]->setShortcut(QKeySequence::Open);
        actions[2]->setShortcut(QKeySequence::Save);
        actions[4]->setShortcut(QKeySequence::Undo);
        actions[5]->setShortcut(QKeySequence::Redo);
        actions[10]->setShortcut(QKeySequence::Print);

        QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
        file->addActions({actions[0], actions[1], actions[3]});
        file->addSeparator();
        file->addAction(actions[10]);
        file->addAction(QStringLiteral("P&rint Setup..."));
        file->addSeparator();
        file->addAction(QStringLiteral("&Export Html"));
        file->addSeparator();
        file->addAction(QStringLiteral("Recent File"))->setEnabled(false);
        file->addSeparator();
        file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
        QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
        edit->addActions({actions[4], actions[5]});
        QMenu* army = menuBar()->addMenu(QStringLiteral("&Army"));
        army->addActions({actions[6], actions[7]});
        army->addSeparator();
        army->addActions({actions[8], actions[9]});
        QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
        help->addAction(QStringLiteral("&Army lists..."));
        help->addAction(actions[11]);

        QToolBar* toolbar = addToolBar(QStringLiteral("Toolbar"));
        toolbar->setIconSize(QSize(16, 16));
        toolbar->addActions(actions);

        statusBar()->showMessage(QStringLiteral("Ready"));
        statusBar()->addPermanentWidget(new QLabel(QStringLiteral("3 problems")));

        auto* central = new QWidget(this);
        setCentralWidget(central);
        auto* nations = new QComboBox(central);
        for (int i = 1; i <= 12; ++i)
            nations->addItem(QStringLiteral("Nation %1").arg(i));
        nations->setGeometry(2, 2, 190, 22);
        auto* points = new QLineEdit(QStringLiteral("2000"), central);
        points->setGeometry(500, 2, 60, 22);
        auto* units = new QTreeWidget(central);
        units->setHeaderHidden(true);
        for (int i = 1; i <= 12; ++i)
            units->addTopLevelItem(new QTreeWidgetItem({QStringLiteral("Troop type %1").arg(i)}));
        units->setGeometry(2, 28, 196, 300);
        auto* name = new QLineEdit(QStringLiteral("Troop type 1"), central);
        name->setGeometry(204, 28, 410, 22);
        auto* profile = new QTableWidget(3, 6, central);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 6; ++c)
                profile->setItem(r, c, new QTableWidgetItem(QString::number(r * 6 + c)));
        profile->setGeometry(204, 54, 410, 120);
    }
};

// Ends the program once the window's first paint has been delivered,
// leaving the event loop without closing the window, as Ovra does.
class ExitAfterFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    Window window;
    window.installEventFilter(new ExitAfterFirstPaint(&window));
    window.show();
    return QApplication::exec();
}
