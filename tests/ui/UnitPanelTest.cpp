// The unit panel and its detail pane: the profile tables, the controls each
// troop kind gets, and every option change reaching the army, the list and
// the modified flag.
#include "ArmyWindow.h"

#include "OptionPickerDialog.h"
#include "UnitDetailPainting.h"

#include "ArmyCatalogue.h"
#include "ArmyChecker.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace ovra;
using namespace ovra::test;

namespace {

TEST(UnitDetailPainting, ProfileCellsShareTheirFramesAndFillTheRow) {
    // 100 pixels, six cells: q = 11.
    const auto six = ProfileCellEdges(0, 100, 6);
    ASSERT_EQ(six.size(), 6u);
    const int widths[] = {22, 100 - 77, 12, 12, 12, 24};
    for (std::size_t i = 0; i < six.size(); ++i) {
        EXPECT_EQ(six[i].second - six[i].first, widths[i]) << "cell " << i;
        if (i > 0) {
            EXPECT_EQ(six[i].first, six[i - 1].second - 1) << "neighbours overlap by their frame";
        }
    }
    EXPECT_EQ(six.front().first, 0);
    EXPECT_EQ(six.back().second, 100);

    const auto four = ProfileCellEdges(0, 70, 4);
    ASSERT_EQ(four.size(), 4u);
    EXPECT_EQ(four[1].second - four[1].first, 70 - 5 * 10);
    EXPECT_EQ(four[3].second, 70);
}

class UnitPanel : public ArmyWindow {
protected:
    // The next picker opened chooses `record`; none cancels it.
    void AnswerPicker(const TaggedObject* record) {
        program.services.dialogHook = [this, record](QDialog& dialog) {
            auto* picker = qobject_cast<OptionPickerDialog*>(&dialog);
            EXPECT_NE(picker, nullptr);
            if (picker == nullptr)
                return int(QDialog::Rejected);
            lastPickerKind = picker->optionKind();
            QTreeWidget* tree = picker->optionTree();
            for (int i = 0; i < tree->topLevelItemCount(); ++i)
                if (OptionPickerDialog::RowRecord(tree->topLevelItem(i)) == record)
                    tree->setCurrentItem(tree->topLevelItem(i));
            if (record != nullptr)
                picker->okButton()->click();
            else
                picker->cancelButton()->click();
            return picker->result();
        };
    }
    QString Description() { return detail().descriptionEdit()->toPlainText(); }
    const MagicItemRecord* Item(const char (&code)[5]) {
        return program.app->catalogue().FindMagicItem(CodeOf(code));
    }

    OptionPickerDialog::OptionKind lastPickerKind = OptionPickerDialog::OptionKind::Mount;
};

TEST_F(UnitPanel, ATroopTypeRowShowsWhatTheTypeCanHave) {
    UseNation(kIndia);
    Show(&Type("GEN1"));
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("General"));
    EXPECT_FALSE(panel().nameEdit()->isEnabled());
    EXPECT_TRUE(panel().nameEdit()->isReadOnly());
    ASSERT_NE(detail().mountButton(), nullptr);
    EXPECT_EQ(detail().mountButton()->text(), QStringLiteral("Can have a mount"));
    EXPECT_FALSE(detail().mountButton()->isEnabled());
    EXPECT_GE(ContrastRatio(detail().mountButton()->TextColour(), PaneBackground()), 4.5) << "readable";
    EXPECT_EQ(detail().magicItemButton(), nullptr);
    EXPECT_EQ(detail().siegeEngineButton(), nullptr);
    EXPECT_EQ(detail().runnersBox(), nullptr);
    EXPECT_EQ(detail().unit(), nullptr);

    Show(&Type("1GBW"));
    ASSERT_NE(detail().siegeEngineButton(), nullptr);
    EXPECT_EQ(detail().siegeEngineButton()->text(), QStringLiteral("Can have a siege engine"));
    EXPECT_FALSE(detail().siegeEngineButton()->isEnabled());
    EXPECT_EQ(detail().mountButton(), nullptr);

    Show(&Type("CHAR"));
    EXPECT_TRUE(Description().startsWith(QStringLiteral("These chariots serve")));
    EXPECT_TRUE(Description().contains(QStringLiteral("in the open.\n\nHeavy chariots")))
        << "CR LF as line breaks";

    UseNation(kLegion);
    Show(&Type("TRIB"));
    ASSERT_NE(detail().magicItemButton(), nullptr);
    EXPECT_EQ(detail().magicItemButton()->text(), QStringLiteral("Can have a magic item"));
    EXPECT_FALSE(detail().magicItemButton()->isEnabled());
    // Only "No mount" and only "No magic item" offer no choice.
    Show(&Type("LEGA"));
    EXPECT_EQ(detail().mountButton(), nullptr);
    EXPECT_EQ(detail().magicItemButton(), nullptr);
    EXPECT_EQ(Description(), QStringLiteral("Commands the legion.\nRides on foot."));
}

TEST_F(UnitPanel, ProfileRowsFollowTheTroopKind) {
    const int h = rowHeight();
    UseNation(kIndia);
    const std::vector<ProfileRow> unit = ProfileRows(Type("1GBW"), nullptr, h);
    ASSERT_EQ(unit.size(), 2u);
    EXPECT_TRUE(unit[0].header);
    EXPECT_EQ(unit[0].cells, (QStringList{"T", "A", "H", "Sv", "Sz", "Pts"}));
    EXPECT_EQ(unit[1].cells, (QStringList{"Inf", "3/1", "3", "0", "3", "55"}));
    EXPECT_EQ(unit[0].top, 0);
    EXPECT_EQ(unit[1].top, h - 1) << "rows share a frame line";

    const UnitEntry* general = Add("GEN1");
    const std::vector<ProfileRow> onFoot = ProfileRows(Type("GEN1"), general, h);
    ASSERT_EQ(onFoot.size(), 2u);
    EXPECT_EQ(onFoot[0].cells, (QStringList{"T", "A", "Co", "Pts"}));
    EXPECT_EQ(onFoot[1].cells, (QStringList{"Gen", "2", "9", "100"}));

    doc().SetMount(general->id(), &Type("ELMO"));
    const std::vector<ProfileRow> mounted = ProfileRows(Type("GEN1"), general, h);
    ASSERT_EQ(mounted.size(), 4u);
    EXPECT_TRUE(mounted[2].header);
    EXPECT_EQ(mounted[2].top, 3 * h + 4) << "under the mount button";
    // The mount's own category, attacks, save and points.
    EXPECT_EQ(mounted[3].cells, (QStringList{"MM", "3", "0", "0", "1", "80"}));

    UseNation(kEgypt);
    const std::vector<ProfileRow> chariots = ProfileRows(Type("1CHA"), nullptr, h);
    ASSERT_EQ(chariots.size(), 3u);
    EXPECT_EQ(chariots[1].cells, (QStringList{"Cht", "2/1", "3", "6", "3", "70"}));
    // The runners' own values, with the save of the chariots they run with.
    EXPECT_FALSE(chariots[2].header);
    EXPECT_EQ(chariots[2].cells, (QStringList{"Inf", "3/1", "3", "6", "3", "40"}));
    EXPECT_EQ(chariots[2].top, 3 * h + 1);
    EXPECT_TRUE(ProfileRows(Type("nomo"), nullptr, h).empty()) << "mounts have no table of their own";
}

TEST_F(UnitPanel, AUnitShowsItsChoicesOnEnabledControls) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    Show(general);
    EXPECT_EQ(panel().nameEdit()->text(), QStringLiteral("General"));
    EXPECT_TRUE(panel().nameEdit()->isEnabled());
    EXPECT_FALSE(panel().nameEdit()->isReadOnly());
    EXPECT_EQ(detail().unit(), general);
    ASSERT_NE(detail().mountButton(), nullptr);
    EXPECT_EQ(detail().mountButton()->text(), QStringLiteral("No mount"));
    EXPECT_TRUE(detail().mountButton()->isEnabled());
    EXPECT_EQ(detail().mountButton()->TextColour(), QColor(Qt::black));
    EXPECT_EQ(detail().mountButton()->geometry(),
              QRect(0, 2 * rowHeight(), detail().width(), rowHeight() + 4));
    EXPECT_EQ(detail().descriptionEdit()->geometry().top(), 3 * rowHeight() + 4 + 1);
    EXPECT_TRUE(detail().descriptionEdit()->isReadOnly());

    const UnitEntry* bows = Add("1GBW");
    Show(bows);
    ASSERT_NE(detail().siegeEngineButton(), nullptr);
    EXPECT_EQ(detail().siegeEngineButton()->text(), QStringLiteral("No siege engine"));
    EXPECT_TRUE(detail().siegeEngineButton()->isEnabled());
}

TEST_F(UnitPanel, ChoosingAMountMakesRoomForItsProfile) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    doc().OnSaveDocument(program.Path(QStringLiteral("general.evr")).toStdString());
    Show(general);
    const int h = rowHeight();
    const int descriptionOnFoot = detail().descriptionEdit()->geometry().top();

    AnswerPicker(&Type("ELMO"));
    detail().mountButton()->click();
    EXPECT_EQ(lastPickerKind, OptionPickerDialog::OptionKind::Mount);
    EXPECT_EQ(general->mount(), &Type("ELMO"));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(undo().undoText(), QStringLiteral("Mount"));
    EXPECT_EQ(detail().mountButton()->text(), QStringLiteral("Elephant"));
    EXPECT_EQ(detail().descriptionEdit()->geometry().top(), descriptionOnFoot + 2 * h);
    EXPECT_EQ(detail().ProfileRowsShown().size(), 4u);
    EXPECT_TRUE(Description().contains(QStringLiteral("The royal elephant")));
    EXPECT_EQ(Content(general).points, QStringLiteral("180")) << "the list shows the new points";
    EXPECT_EQ(Selected(), general);

    // The same mount again changes nothing.
    const int steps = undo().count();
    detail().mountButton()->click();
    EXPECT_EQ(undo().count(), steps);

    // "No mount" takes the profile away and the controls move up again.
    AnswerPicker(&Type("nomo"));
    detail().mountButton()->click();
    EXPECT_EQ(general->mount(), &Type("nomo"));
    EXPECT_EQ(detail().descriptionEdit()->geometry().top(), descriptionOnFoot);
    EXPECT_EQ(detail().ProfileRowsShown().size(), 2u);

    // Cancel leaves the mount; undo takes back both changes.
    AnswerPicker(nullptr);
    detail().mountButton()->click();
    EXPECT_EQ(undo().count(), steps + 1);
    undo().undo();
    undo().undo();
    EXPECT_FALSE(doc().IsModified());
    EXPECT_EQ(detail().mountButton()->text(), QStringLiteral("No mount"));
}

TEST_F(UnitPanel, AMountRiddenTooOftenIsRedOnEveryRider) {
    UseNation(kIndia, 1000);
    const UnitEntry* general = Add("GEN1");
    const UnitEntry* guard = Add("HER8");
    doc().SetMount(general->id(), &Type("ELMO"));
    Show(general);
    EXPECT_EQ(detail().mountButton()->TextColour(), QColor(Qt::black)) << "one Elephant is allowed";

    Show(guard);
    AnswerPicker(&Type("ELMO"));
    detail().mountButton()->click();
    EXPECT_EQ(detail().mountButton()->TextColour(), WarningRed());
    Show(general);
    EXPECT_EQ(detail().mountButton()->TextColour(), WarningRed());
    EXPECT_TRUE(UnitBreaksOptionRule(*guard));

    AnswerPicker(&Type("CHMO"));
    detail().mountButton()->click();
    EXPECT_EQ(detail().mountButton()->TextColour(), QColor(Qt::black));
    EXPECT_FALSE(UnitBreaksOptionRule(*guard)) << "the other rider turns black as well";
}

TEST_F(UnitPanel, AMagicItemReachesTheEntryTheListAndBothBearers) {
    UseNation(kLegion);
    const UnitEntry* first = Add("TRIB");
    const UnitEntry* second = Add("TRIB");
    const MagicItemRecord* eagle = Item("eagl");
    Show(first);
    ASSERT_NE(detail().magicItemButton(), nullptr);
    EXPECT_EQ(detail().magicItemButton()->text(), QStringLiteral("No magic item"));

    AnswerPicker(eagle);
    detail().magicItemButton()->click();
    EXPECT_EQ(lastPickerKind, OptionPickerDialog::OptionKind::MagicItem);
    EXPECT_EQ(first->magicItem(), eagle);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(detail().magicItemButton()->text(), QStringLiteral("Legions eagle"));
    EXPECT_EQ(Content(first).points, QStringLiteral("60"));
    EXPECT_EQ(Content(&Type("TRIB")).points, QStringLiteral("110"));
    EXPECT_TRUE(Description().contains(QStringLiteral("sacred standard")));
    EXPECT_EQ(detail().magicItemButton()->TextColour(), QColor(Qt::black));

    // The same item again: the army has not changed.
    const int steps = undo().count();
    detail().magicItemButton()->click();
    EXPECT_EQ(undo().count(), steps);

    Show(second);
    detail().magicItemButton()->click();
    EXPECT_EQ(detail().magicItemButton()->TextColour(), WarningRed()) << "carried twice";
    Show(first);
    EXPECT_EQ(detail().magicItemButton()->TextColour(), WarningRed());

    AnswerPicker(Item("nomi"));
    detail().magicItemButton()->click();
    EXPECT_EQ(first->magicItem(), Item("nomi"));
    EXPECT_EQ(detail().magicItemButton()->TextColour(), QColor(Qt::black));
    EXPECT_FALSE(UnitBreaksOptionRule(*second));
}

TEST_F(UnitPanel, ASiegeEngineReachesTheEntryAndTheList) {
    UseNation(kIndia);
    const UnitEntry* bows = Add("1GBW");
    Show(bows);
    const SiegeEngineRecord* ram = program.app->catalogue().FindSiegeEngine(CodeOf("bara"));
    AnswerPicker(ram);
    detail().siegeEngineButton()->click();
    EXPECT_EQ(lastPickerKind, OptionPickerDialog::OptionKind::SiegeEngine);
    EXPECT_EQ(bows->siegeEngine(), ram);
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(detail().siegeEngineButton()->text(), QStringLiteral("Battering Ram"));
    EXPECT_EQ(Content(bows).points, QStringLiteral("65"));
    EXPECT_TRUE(Description().contains(QStringLiteral("A heavy beam")));

    const int steps = undo().count();
    AnswerPicker(nullptr);
    detail().siegeEngineButton()->click();
    EXPECT_EQ(bows->siegeEngine(), ram);
    EXPECT_EQ(undo().count(), steps);
}

TEST_F(UnitPanel, RunnersAreTickedOnTheUnitAndOnlyThere) {
    UseNation(kEgypt);
    Show(&Type("1CHA"));
    ASSERT_NE(detail().runnersBox(), nullptr);
    EXPECT_EQ(detail().runnersBox()->text(), QStringLiteral("Chariot Runners"));
    EXPECT_FALSE(detail().runnersBox()->isEnabled());

    const UnitEntry* chariots = Add("1CHA");
    Show(chariots);
    QCheckBox* box = detail().runnersBox();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isEnabled());
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(box->geometry().top(), 2 * rowHeight());
    const QString pointsBefore = Content(chariots).points;

    box->click();
    EXPECT_TRUE(chariots->skirmishers());
    EXPECT_TRUE(doc().IsModified());
    EXPECT_NE(Content(chariots).points, pointsBefore);
    EXPECT_TRUE(Description().contains(QStringLiteral("Chariot runners are light infantry")));
    EXPECT_EQ(Selected(), chariots);

    Show(chariots);
    EXPECT_TRUE(detail().runnersBox()->isChecked());
    detail().runnersBox()->click();
    EXPECT_FALSE(chariots->skirmishers());
    EXPECT_EQ(Content(chariots).points, pointsBefore);
}

TEST_F(UnitPanel, RenamingShowsInTheListAndIsOneStepPerBurstOfTyping) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    Show(general);
    QLineEdit* name = panel().nameEdit();
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Porus"));
    EXPECT_EQ(general->name(), "Porus");
    EXPECT_EQ(Content(general).name, QStringLiteral("Porus"));
    EXPECT_TRUE(doc().IsModified());
    EXPECT_EQ(Selected(), general);
    EXPECT_EQ(undo().count(), 1) << "one step for the word typed";
    EXPECT_EQ(undo().undoText(), QStringLiteral("Rename"));

    // An emptied field gives the unit its type's name again.
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), QString());
    EXPECT_EQ(Content(general).name, QStringLiteral("General"));

    // Bytes outside Windows-1252 cannot be kept.
    QTest::keyClicks(name, QStringLiteral("R"));
    for (const QString& typed : {QString(QChar(0xE2)), QStringLiteral("ja"), QString(QChar(0x4E2D))}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(name, &key);
    }
    EXPECT_EQ(general->name(), std::string("R\xe2ja")) << "characters an army file cannot hold are refused";

    // A troop-type row's name cannot be edited.
    Show(&Type("GEN1"));
    const int steps = undo().count();
    QTest::keyClicks(name, QStringLiteral("x"));
    EXPECT_EQ(undo().count(), steps);
}

} // namespace

namespace {

// A nation change destroys the unit on screen; every control of the panel
// then does nothing rather than reach for the unit.
TEST_F(UnitPanel, ControlsOfAUnitThatIsGoneDoNothing) {
    UseNation(kIndia);
    const UnitEntry* bows = Add("1GBW");
    Show(bows);
    UnitDetailPane* pane = &detail();
    QPushButton* engine = pane->siegeEngineButton();
    ASSERT_NE(engine, nullptr);
    doc().ChangeNation(*program.app->catalogue().FindNation(kNobody));
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_FALSE(panel().nameEdit()->isEnabled());
    EXPECT_EQ(panel().detailPane(), nullptr);

    // The old pane's controls, clicked before the pane goes.
    const std::string before = WriteArmyFile(army());
    program.services.dialogHook = [](QDialog&) { return int(QDialog::Accepted); };
    engine->click();
    for (QPushButton* button : pane->findChildren<QPushButton*>())
        button->click();
    QTest::keyClicks(panel().nameEdit(), QStringLiteral("x"));
    EXPECT_EQ(WriteArmyFile(army()), before);
    EXPECT_EQ(program.services.dialogsShown, 0);
}

} // namespace
