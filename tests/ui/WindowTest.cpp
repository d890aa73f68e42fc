// The window as a new user meets it: the faults found by trying it, the
// keyboard without the mouse, where file dialogs start, and a window that
// grows.
#include "ArmyWindow.h"

#include "NationBar.h"
#include "RunProgram.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>

using namespace ovra;
using namespace ovra::test;

namespace {

class Window : public ArmyWindow {
protected:
    QAction* Action(const char* name) {
        return program.frame().findChild<QAction*>(QString::fromLatin1(name));
    }
    QComboBox* Nations() { return view().nationBar()->nationCombo(); }
};

TEST_F(Window, FaultsANewUserMet) {
    // The keyboard starts in the unit list.
    EXPECT_EQ(program.frame().focusWidget(), &tree());

    // A limit longer than five digits is shown whole.
    UseNation(kIndia, 123456);
    EXPECT_EQ(view().nationBar()->pointsEdit()->text(), QStringLiteral("123456"));

    // Arrow keys on the closed nation box open its list instead of changing the nation.
    Nations()->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_E}) {
        QTest::keyClick(Nations(), key);
        EXPECT_EQ(army().nation().id(), kIndia);
        EXPECT_TRUE(Nations()->view()->isVisible());
        Nations()->hidePopup();
    }
    EXPECT_EQ(undo().count(), 0);

    // After a nation change, Save asks for a name, proposing the old file.
    const QString india = program.Path(QStringLiteral("india.evr"));
    doc().OnSaveDocument(india.toStdString());
    const std::string indianArmy = ReadWholeFile(india.toStdString());
    emit Nations()->activated(Nations()->findText(QStringLiteral("Greek army")));
    program.services.AnswerSaveDialog(program.Path(QStringLiteral("greek.evr")));
    Action("actionSave")->trigger();
    ASSERT_EQ(program.services.saveDialogs.size(), 1u);
    EXPECT_EQ(program.services.saveDialogs[0].proposed, india);
    EXPECT_EQ(ReadWholeFile(india.toStdString()), indianArmy) << "the Indian file keeps its army";

    // A recent file that has gone leaves the list after its error.
    const QString gone = program.Path(QStringLiteral("gone.evr"));
    QFile::copy(india, gone);
    ASSERT_TRUE(program.frame().OpenDocumentFile(gone));
    QFile::remove(gone);
    Action("actionRecent1")->trigger();
    EXPECT_FALSE(program.frame().RecentFiles().contains(QFileInfo(gone).absoluteFilePath()));
    EXPECT_FALSE(program.services.messages.empty());
}

TEST_F(Window, EverythingWorksFromTheKeyboard) {
    UseNation(kIndia, 2000, true);
    QApplication::setActiveWindow(&program.frame());
    Show(army().UnitAt(1));
    tree().setFocus();
    const std::int32_t before = army().UnitCount();
    QTest::keyClick(&tree(), Qt::Key_Insert);
    EXPECT_EQ(army().UnitCount(), before + 1);
    EXPECT_EQ(Selected(), army().UnitAt(before)) << "the copy";
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(army().UnitCount(), before);
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(army().UnitCount(), before) << "the troop type's row is left, and not deleted";

    // F6 and Shift+F6 go round the panes.
    QTest::keyClick(&tree(), Qt::Key_F6);
    EXPECT_TRUE(panel().isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F6);
    EXPECT_EQ(QApplication::focusWidget(), Nations());
    QTest::keyClick(Nations(), Qt::Key_F6, Qt::ShiftModifier);
    EXPECT_TRUE(panel().isAncestorOf(QApplication::focusWidget())) << "round and round";

    // Every control a screen reader reaches has a name.
    for (QWidget* widget : program.frame().findChildren<QWidget*>()) {
        if (!widget->isVisible() || (widget->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        const auto* button = qobject_cast<QAbstractButton*>(widget);
        const bool named =
            !widget->accessibleName().isEmpty() || (button != nullptr && !button->text().isEmpty());
        EXPECT_TRUE(named) << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
}

TEST_F(Window, FileDialogsStartBesideTheArmy) {
    UseNation(kIndia);
    const QString saved = program.Path(QStringLiteral("folder/army.evr"));
    QDir().mkpath(program.Path(QStringLiteral("folder")));
    program.services.AnswerSaveDialog(saved);
    Action("actionSaveAs")->trigger();
    ASSERT_EQ(doc().path(), saved.toStdString());
    Action("actionOpen")->trigger();
    EXPECT_EQ(program.services.openFolder, QFileInfo(saved).absolutePath());
    program.services.AnswerSaveDialog({});
    Action("actionExportHtml")->trigger();
    EXPECT_EQ(program.services.saveDialogs.back().proposed, program.Path(QStringLiteral("folder/army.html")));

    // A new army starts where the last file was opened or saved.
    Action("actionNew")->trigger();
    Action("actionOpen")->trigger();
    EXPECT_EQ(program.services.openFolder, QFileInfo(saved).absolutePath());
}

TEST_F(Window, GrowsAndComesBackAtItsSize) {
    UseNation(kIndia, 2000, true);
    const QRect tree0 = tree().geometry();
    const QRect panel0 = panel().geometry();
    program.frame().resize(900, 700);
    QApplication::processEvents();
    EXPECT_GT(tree().height(), tree0.height() + 200) << "more rows visible";
    EXPECT_EQ(tree().width(), tree0.width());
    EXPECT_GT(panel().width(), panel0.width() + 200);
    EXPECT_GT(detail().descriptionEdit()->height(), 250);
    EXPECT_EQ(view().nationBar()->width(), view().width() - 4) << "the nation bar stretches";

    program.frame().resize(620, 420);
    QApplication::processEvents();
    EXPECT_EQ(tree().geometry(), tree0) << "the default size lays out as before";
    EXPECT_EQ(panel().geometry(), panel0);

    program.frame().resize(800, 600);
    program.frame().close();
    TestProgram again;
    again.settings->setValue(QStringLiteral("Window/Geometry"),
                             program.settings->value(QStringLiteral("Window/Geometry")));
    again.Start();
    EXPECT_EQ(again.frame().size(), QSize(800, 600));
}

TEST(Look, ClassicColoursOnALightPaletteReadableOnesOnADarkOne) {
    EnsureApplication();
    const QPalette original = QApplication::palette();
    EXPECT_FALSE(DarkLook());
    EXPECT_EQ(PaneBackground(), QColor(192, 192, 192));
    EXPECT_EQ(BoxBackground(), QColor(Qt::white));
    EXPECT_EQ(BoxText(), QColor(Qt::black));
    EXPECT_EQ(WarningRed(), QColor(255, 0, 0));

    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::AlternateBase, QColor(60, 60, 60));
    QApplication::setPalette(dark);
    EXPECT_TRUE(DarkLook());
    EXPECT_EQ(PaneBackground(), dark.color(QPalette::Window));
    EXPECT_GE(ContrastRatio(BoxText(), BoxBackground()), 4.5);
    for (const QColor& mark : {WarningRed(), BoxText()})
        for (const QColor& ground : {BoxBackground(), PopupYellow(), PaneBackground()})
            EXPECT_GE(ContrastRatio(mark, ground), 3.0)
                << mark.name().toStdString() << " on " << ground.name().toStdString();
    EXPECT_GT(WarningRed().red(), WarningRed().green() + 60) << "still red";
    QApplication::setPalette(original);
}

TEST(Translation, TheWindowSpeaksTheUsersLanguageWhenATranslationIsInstalled) {
    TestProgram german;
    german.translationFolders = {QStringLiteral(OVRA_TEST_TRANSLATIONS)};
    german.locale = QLocale(QLocale::German, QLocale::Germany);
    german.Start();
    EXPECT_EQ(german.frame().menuBar()->actions().front()->text(), QStringLiteral("&Datei"));
    EXPECT_EQ(german.frame().findChild<QLabel*>(QStringLiteral("problemCount"))->text(),
              QStringLiteral("2 Probleme"));
    EXPECT_EQ(german.frame().menuBar()->actions().at(1)->text(), QStringLiteral("&Edit"))
        << "what is not translated stays English";
    german.app.reset();

    TestProgram english;
    english.translationFolders = {QStringLiteral(OVRA_TEST_TRANSLATIONS)};
    english.locale = QLocale(QLocale::English, QLocale::UnitedKingdom);
    english.Start();
    EXPECT_EQ(english.frame().menuBar()->actions().front()->text(), QStringLiteral("&File"));
}

} // namespace

