// The window as a new user meets it: the faults found by trying it, the
// keyboard without the mouse, where file dialogs start, a window that grows,
// its colours, its language, its names' encoding and its drawn icons.
#include "UiFixtures.h"

#include "Icons.h"
#include "Win1252.h"

#include <QAbstractItemView>
#include <QFile>
#include <QImage>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

using Window = ArmyWindow;

TEST_F(Window, NumbersShowWholeAndAValueThatCannotBeTakenSaysWhy) {
    // The points limit: whole at every length, whatever the font's digits need.
    QLineEdit* points = view().nationBar()->pointsEdit();
    const QRect fiveDigits = points->geometry();
    const auto fits = [&] {
        QStyleOptionFrame frame;
        frame.initFrom(points);
        const int border = points->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, points);
        return points->fontMetrics().horizontalAdvance(points->text()) + 2 * border + 4 < points->width();
    };
    for (const int limit : {20000, 123456, 999999999}) {
        SCOPED_TRACE(limit);
        UseNation(kIndia, limit);
        EXPECT_EQ(points->text(), QString::number(limit));
        EXPECT_TRUE(fits());
        EXPECT_EQ(points->geometry().right(), fiveDigits.right()) << "it grows to the left";
    }
    Set<edits::SetPointsLimit>(2000);
    EXPECT_EQ(points->geometry(), fiveDigits);

    // Typed: six digits are taken; a tenth one is not, and the field says why.
    points->setFocus();
    points->selectAll();
    QTest::keyClicks(points, "143000");
    EXPECT_EQ(army().pointsLimit(), 143000);
    EXPECT_TRUE(fits());
    points->selectAll();
    QTest::keyClicks(points, "9999999999");
    EXPECT_EQ(army().pointsLimit(), 999999999);
    EXPECT_TRUE(QToolTip::text().contains("nine digits")) << QToolTip::text().toStdString();

    // The breakpoint and the total: boxes grow for their numbers.
    Set<edits::SetCountOfType>(CodeOf("1GBW"), 1001);
    ASSERT_EQ(doc().BreakPoint(), 501);
    const UiMetrics& m = metrics();
    const QFontMetrics digits(m.font);
    for (const QString& text : {QString::number(doc().BreakPoint()), QString::number(army().TotalPoints())}) {
        const QRect box =
            text.size() == 3 ? BreakpointBox(list().contentsRect(), m.digitWidth, m.RowHeight(), m.font, text)
                             : TotalBox(list().contentsRect(), m.digitWidth, m.RowHeight(), m.font, text);
        EXPECT_LE(digits.horizontalAdvance(text), SummaryTextRect(box).width()) << text.toStdString();
    }
}

TEST_F(Window, KeysOnTheClosedNationBoxOpenItsListInsteadOfChangingTheNation) {
    UseNation(kIndia);
    Nations()->setFocus();
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Up, Qt::Key_PageDown, Qt::Key_E}) {
        QTest::keyClick(Nations(), key);
        EXPECT_EQ(army().nation().id(), kIndia);
        EXPECT_TRUE(Nations()->view()->isVisible());
        Nations()->hidePopup();
    }
    EXPECT_EQ(undo().count(), 0);
}

TEST_F(Window, AfterANationChangeSaveAsksForANameAndDialogsStartBesideTheArmy) {
    UseNation(kIndia);
    const QString india = program.Path("india.evr");
    editor().Save(india.toStdString());
    const std::string indianArmy = ReadWholeFile(india.toStdString());
    emit Nations()->activated(Nations()->findText("Greek army"));
    program.services.fileAnswers = {program.Path("greek.evr")};
    Action("actionSave")->trigger();
    EXPECT_EQ(program.services.proposals, std::vector<QString>{india});
    EXPECT_EQ(ReadWholeFile(india.toStdString()), indianArmy) << "the Indian file keeps its army";

    // File dialogs start beside the army and, for a new army, where the last file was.
    Action("actionOpen")->trigger();
    EXPECT_EQ(program.services.openFolder, QFileInfo(india).absolutePath());
    Action("actionNew")->trigger();
    Action("actionOpen")->trigger();
    EXPECT_EQ(program.services.openFolder, QFileInfo(india).absolutePath());
}

TEST_F(Window, ARecentFileThatHasGoneLeavesTheListAfterItsError) {
    const QString gone = program.Path("gone.evr");
    QFile::copy(QString::fromStdString(DataPath("army/india-example.evr").string()), gone);
    program.frame().AddRecentFile(gone.toStdString());
    QFile::remove(gone);
    Action("actionRecent1")->trigger();
    EXPECT_TRUE(program.frame().RecentFiles().empty());
    EXPECT_FALSE(program.services.messages.empty());
}

TEST_F(Window, AFileNameThatIsNoTextOpensSavesAndComesBack) {
    // "café.evr" in Latin-1: bytes that are no UTF-8, as old archives and
    // other systems leave them.
    const std::filesystem::path cafe = program.directory / std::string("caf\xe9.evr");
    UseNation(kIndia);
    Set<edits::SetCountOfType>(CodeOf("1GBW"), 2);
    std::ofstream(cafe, std::ios::binary) << Bytes();
    const std::string twoBows = Bytes();

    EXPECT_FALSE(program.Start({StartRequest::Action::Open, {cafe}}).has_value());
    EXPECT_EQ(Bytes(), twoBows);
    EXPECT_EQ(program.frame().RecentFiles(), std::vector<std::filesystem::path>{cafe});
    Do<edits::SetCountOfType>(CodeOf("1GBW"), 3);
    QApplication::setActiveWindow(&program.frame());
    QTest::keyClick(&program.frame(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadWholeFile(cafe), Bytes()) << "saved to the same bytes, not to a name made of text";
    EXPECT_TRUE(program.services.proposals.empty()) << "Save did not ask for a name";

    // The recent list and the armies open at exit keep the name whole.
    program.frame().close();
    EXPECT_FALSE(program.Start({StartRequest::Action::New, {}, true}).has_value());
    EXPECT_EQ(program.doc().path(), cafe);
    Action("actionNew")->trigger();
    Action("actionRecent1")->trigger();
    EXPECT_EQ(program.doc().path(), cafe);
    EXPECT_TRUE(program.services.messages.empty());
}

TEST_F(Window, EverythingWorksFromTheKeyboard) {
    EXPECT_EQ(program.frame().focusWidget(), &tree()) << "the keyboard starts in the unit list";
    // Insert copies the unit shown and selects the copy; Delete selects the
    // next unit of the type, then the type's row, which it leaves.
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    Set<edits::RenameUnit>(general->id(), "Porus");
    Set<edits::SetMount>(general->id(), &Type("ELMO"));
    QApplication::setActiveWindow(&program.frame());
    Show(general);
    tree().setFocus();
    QTest::keyClick(&tree(), Qt::Key_Insert);
    ASSERT_EQ(army().UnitCount(), 2);
    const UnitEntry* copy = army().UnitAt(1);
    EXPECT_EQ(Selected(), copy);
    EXPECT_EQ(copy->name(), "Porus");
    EXPECT_EQ(copy->mount(), &Type("ELMO"));
    EXPECT_EQ(detail().unit(), copy);
    Show(general);
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(Selected(), copy);
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(Selected(), &Type("GEN1"));
    QTest::keyClick(&tree(), Qt::Key_Delete);
    EXPECT_EQ(undo().count(), 3) << "a troop-type row is not deleted";

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
        EXPECT_TRUE(!widget->accessibleName().isEmpty() || (button != nullptr && !button->text().isEmpty()))
            << widget->metaObject()->className() << " " << widget->objectName().toStdString();
    }
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

    // The splitter between the list and the panel widens the list, and the
    // width comes back with the window.
    program.frame().resize(800, 600);
    auto* splitter = view().findChild<QSplitter*>("paneSplitter");
    ASSERT_NE(splitter, nullptr);
    EXPECT_EQ(splitter->handleWidth(), panel0.left() - list().width())
        << "as wide as the gap between the panes";
    view().SetListWidth(320);
    QApplication::processEvents();
    EXPECT_EQ(list().width(), 320);
    program.frame().close();
    TestProgram again;
    for (const char* key : {"Window/Geometry", "Window/UnitListWidth"})
        again.settings->setValue(key, program.settings->value(key));
    again.Start();
    EXPECT_EQ(again.frame().size(), QSize(800, 600));
    EXPECT_EQ(again.view().unitList()->width(), 320);
}

TEST(Look, ClassicColoursOnALightPaletteReadableOnesOnADarkOne) {
    EnsureApplication();
    const QPalette original = QApplication::palette();
    EXPECT_FALSE(DarkLook());

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
    for (const QLocale& locale :
         {QLocale(QLocale::German, QLocale::Germany), QLocale(QLocale::English, QLocale::UnitedKingdom)}) {
        TestProgram program;
        program.options.translationFolders = {QStringLiteral(OVRA_TEST_TRANSLATIONS)};
        program.options.locale = locale;
        program.Start();
        const bool german = locale.language() == QLocale::German;
        const QList<QAction*> menus = program.frame().menuBar()->actions();
        EXPECT_EQ(menus.front()->text(), german ? "&Datei" : "&File");
        EXPECT_EQ(program.frame().findChild<QLabel*>("problemCount")->text(),
                  german ? "2 Probleme" : "2 problems");
        EXPECT_EQ(menus.at(1)->text(), "&Edit") << "what is not translated stays English";
    }
}

TEST(Win1252, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(ToWin1252(FromWin1252(all)), all);
    EXPECT_EQ(FromWin1252("\x80\xC4\x9F"), QString::fromUtf8("\u20AC\u00C4\u0178"));
    EXPECT_EQ(ToWin1252(QString::fromUtf8("a\u4E2D\u00E9")), std::string("a?\xE9"));
    EXPECT_EQ(FromWin1252Lines("one\r\ntwo"), "one\ntwo");
}

TEST(DrawnIcons, EachSizeIsDrawnForItselfNeverScaledUpAndGreyedWhenDisabled) {
    EnsureApplication();
    const QIcon icon = NewUnitIcon();
    EXPECT_EQ(icon.pixmap(QSize(20, 20), 1.0).size(), QSize(20, 20));
    EXPECT_EQ(icon.pixmap(QSize(100, 100), 1.0).size(), QSize(48, 48));
    const QImage large = icon.pixmap(QSize(48, 48), 1.0).toImage();
    const QImage small = icon.pixmap(QSize(16, 16), 1.0).toImage();
    EXPECT_NE(large, small.scaled(48, 48, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(large.format()));
    EXPECT_NE(icon.pixmap(QSize(16, 16), 1.0, QIcon::Disabled).toImage(), small);
}

} // namespace

namespace {

TEST_F(Window, RunningOutOfMemoryEndsTheActionNotTheProgram) {
    int told = 0;
    EnsureApplication().SetOutOfMemoryHandler([&] { ++told; });
    UseNation(kIndia);
    Set<edits::SetCountOfType>(CodeOf("1GBW"), 2);
    const std::string before = Bytes();
    QTimer::singleShot(0, &program.frame(), [] { throw std::bad_alloc(); });
    QTest::qWait(50);
    EXPECT_EQ(told, 1);
    EXPECT_EQ(Bytes(), before);
    Do<edits::SetCountOfType>(CodeOf("1GBW"), 3);
    EXPECT_EQ(army().CountOfType(CodeOf("1GBW")), 3) << "the window goes on";
    EnsureApplication().SetOutOfMemoryHandler({});
}

} // namespace
