// The unit panel, its detail pane and the option picker: the controls and
// the profile each troop kind gets, a mount choice reaching the army and the
// pane, names, a pane whose unit is gone, and what the picker offers.
#include "UiFixtures.h"

#include "UnitDetailPainting.h"

#include <QKeyEvent>

using namespace ovra;
using namespace ovra::test;

namespace {

class UnitPanel : public ArmyWindow {
protected:
    void SetUp() override { UseNation(kIndia); }
    QString Description() { return detail().descriptionEdit()->toPlainText(); }
    // The pane's option controls by name, each checked to be enabled or not;
    // they, the description and the profile rows lie apart, inside the pane.
    QStringList Controls(bool enabled) {
        QStringList names;
        std::vector<QRect> parts;
        for (const ProfileRow& row : detail().ProfileRowsShown()) // rows share their frame lines
            parts.push_back(QRect(0, row.top + 1, detail().width(), metrics().RowHeight() - 2));
        for (QWidget* child : detail().findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!child->isVisible())
                continue;
            parts.push_back(child->geometry());
            if (child != detail().descriptionEdit()) {
                names << child->objectName();
                EXPECT_EQ(child->isEnabled(), enabled) << names.back().toStdString();
            }
        }
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_TRUE(detail().rect().contains(parts[i])) << i;
            for (std::size_t j = i + 1; j < parts.size(); ++j)
                EXPECT_FALSE(parts[i].intersects(parts[j])) << i << " and " << j;
        }
        return names;
    }
    bool Red(const UnitEntry& unit, const TaggedObject* current, const char* option) {
        OptionPickerDialog dialog(editor(), &view(), unit.troopType(), unit, current);
        QTreeWidgetItem* row = PickerRow(dialog, option);
        return row != nullptr && row->foreground(0).color() == WarningRed() && !row->toolTip(0).isEmpty();
    }
};

TEST_F(UnitPanel, EachTroopKindGetsItsControlsEnabledOnlyForAUnitAndItsProfile) {
    Show(&Type("CHAR"));
    EXPECT_TRUE(Description().contains("in the open.\n\nHeavy chariots")) << "CR LF as line breaks";
    const std::vector<std::tuple<int, Code, QStringList, QStringList>> cases = {
        {kIndia, CodeOf("GEN1"), {"mountButton"}, {"Gen", "2", "9", "100"}},
        {kIndia, CodeOf("1GBW"), {"siegeEngineButton"}, {"Inf", "3/1", "3", "0", "3", "55"}},
        // The runners' own values, with the save of the chariots they run with.
        {kEgypt, CodeOf("1CHA"), {"runnersBox"}, {"Inf", "3/1", "3", "6", "3", "40"}},
        {kLegion, CodeOf("TRIB"), {"magicItemButton"}, {}},
        {kLegion, CodeOf("LEGA"), {}, {}}, // only "No mount" and only "No magic item" offer no choice
    };
    for (const auto& [nation, code, controls, lastRow] : cases) {
        UseNation(nation);
        const TroopTypeRecord& type = *army().nation().FindTroopType(code);
        SCOPED_TRACE(type.name);
        Show(&type);
        EXPECT_EQ(Controls(false), controls);
        EXPECT_FALSE(panel().nameEdit()->isEnabled());
        if (auto* mount = detail().mountButton()) {
            EXPECT_GE(ContrastRatio(mount->TextColour(), PaneBackground()), 4.5) << "readable when disabled";
        }
        Show(army().FindUnit(Set<edits::NewUnit>(type).unit));
        EXPECT_EQ(Controls(true), controls);
        EXPECT_TRUE(panel().nameEdit()->isEnabled());
        if (!lastRow.isEmpty()) {
            EXPECT_EQ(detail().ProfileRowsShown().back().cells, lastRow);
        }
    }
}

TEST_F(UnitPanel, ChoosingAMountMakesRoomForItsProfile) {
    const UnitEntry* general = Add("GEN1");
    editor().Save(program.Path("general.evr").toStdString());
    Show(general);
    const int descriptionOnFoot = detail().descriptionEdit()->geometry().top();
    AnswerPicker("Elephant");
    detail().mountButton()->click();
    EXPECT_EQ(general->mount(), &Type("ELMO"));
    EXPECT_EQ(detail().mountButton()->text(), "Elephant");
    EXPECT_GT(detail().descriptionEdit()->geometry().top(), descriptionOnFoot)
        << "the description moves down";
    EXPECT_EQ(Controls(true), QStringList{"mountButton"});
    EXPECT_EQ(detail().ProfileRowsShown().back().cells, (QStringList{"MM", "3", "0", "0", "1", "80"}));
    EXPECT_TRUE(Description().contains("The royal elephant"));
    EXPECT_EQ(Selected(), general);

    // The same mount again, or Cancel, changes nothing.
    detail().mountButton()->click();
    AnswerPicker(nullptr);
    detail().mountButton()->click();
    EXPECT_EQ(undo().count(), 1);

    // "No mount" takes the profile away and the controls move up again.
    AnswerPicker("No mount");
    detail().mountButton()->click();
    EXPECT_EQ(detail().descriptionEdit()->geometry().top(), descriptionOnFoot);
    EXPECT_EQ(detail().ProfileRowsShown().size(), 2u);
    undo().undo();
    undo().undo();
    EXPECT_FALSE(editor().IsModified());
    EXPECT_EQ(detail().mountButton()->text(), "No mount");
}

TEST_F(UnitPanel, AnEmptiedNameIsTheTypesAndOnlyWhatAnArmyFileHoldsIsTyped) {
    const UnitEntry* general = Add("GEN1");
    Set<edits::RenameUnit>(general->id(), "Porus");
    Show(general);
    QLineEdit* name = panel().nameEdit();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Backspace);
    EXPECT_EQ(name->text(), QString()) << "the field keeps what was typed";
    EXPECT_EQ(general->name(), "General");
    QTest::keyClicks(name, "R");
    for (const QString& typed : {QString(QChar(0xE2)), QStringLiteral("ja"), QString(QChar(0x4E2D))}) {
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(name, &key);
    }
    EXPECT_EQ(general->name(), std::string("R\xe2ja"));
}

// A nation change destroys the unit on screen; every control of the panel
// then does nothing rather than reach for the unit.
TEST_F(UnitPanel, ControlsOfAUnitThatIsGoneDoNothing) {
    Show(Add("1GBW"));
    UnitDetailPane* pane = &detail();
    QPushButton* engine = pane->siegeEngineButton();
    ASSERT_NE(engine, nullptr);
    Set<edits::ChangeNation>(*program.app->catalogue().FindNation(kNobody));
    EXPECT_EQ(Selected(), nullptr);
    EXPECT_FALSE(panel().nameEdit()->isEnabled());
    EXPECT_EQ(panel().detailPane(), nullptr);

    // The old pane's controls, clicked before the pane goes.
    const std::string before = Bytes();
    program.services.dialogHook = [](QDialog&) {
        ADD_FAILURE() << "no dialog opens";
        return int(QDialog::Accepted);
    };
    engine->click();
    for (QPushButton* button : pane->findChildren<QPushButton*>())
        button->click();
    QTest::keyClicks(panel().nameEdit(), "x");
    EXPECT_EQ(Bytes(), before);
}

TEST_F(UnitPanel, TypingInThePickerFindsTheOptionsWhoseNameHoldsIt) {
    UseNation(kLegion);
    const UnitEntry* tribune = Add("TRIB");
    Show(tribune);
    QStringList shown;
    Answer([&](OptionPickerDialog& picker) {
        QTest::keyClicks(picker.optionTree(), "EAG");
        for (int i = 0; i < picker.optionTree()->topLevelItemCount(); ++i)
            if (!picker.optionTree()->topLevelItem(i)->isHidden())
                shown << picker.optionTree()->topLevelItem(i)->text(0);
        EXPECT_EQ(picker.findField()->text(), "EAG") << "typed into the find field";
        QTest::keyClick(picker.findField(), Qt::Key_Return);
    });
    detail().magicItemButton()->click();
    EXPECT_EQ(shown, QStringList{"Legions eagle"});
    EXPECT_EQ(tribune->magicItem(), Item("eagl")) << "Enter takes the one found";
}

TEST_F(UnitPanel, ThePickerShowsTheHighlightedRowAndADoubleClickChoosesIt) {
    const UnitEntry* general = Add("GEN1");
    OptionPickerDialog dialog(editor(), &view(), general->troopType(), *general, general->mount());
    EXPECT_EQ(dialog.SelectedRecord(), &Type("nomo")) << "the current choice";
    dialog.optionTree()->setCurrentItem(PickerRow(dialog, "Elephant"));
    EXPECT_EQ(dialog.pointsField()->text(), "80");
    EXPECT_TRUE(dialog.infoField()->toPlainText().startsWith("The rider of this mount"));

    Show(general);
    Answer([&](OptionPickerDialog& d) {
        QWidget* viewport = d.optionTree()->viewport();
        const QPoint at = d.optionTree()->visualItemRect(PickerRow(d, "Elephant")).center();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonDblClick}) {
            QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                              Qt::NoModifier);
            QApplication::sendEvent(viewport, &event);
        }
    });
    detail().mountButton()->click();
    EXPECT_EQ(general->mount(), &Type("ELMO"));

    // Closing the picker, or Ok on a choice it does not list (a mount of
    // another nation), chooses nothing.
    Answer([](OptionPickerDialog& d) { d.reject(); });
    EXPECT_EQ(OptionPickerDialog::Pick(editor(), &view(), general->troopType(), *general, &Type("CHMO")),
              nullptr);
    const TroopTypeRecord* foreign =
        program.app->catalogue().FindNation(kAlexander)->FindTroopType(CodeOf("ELMO"));
    Answer([](OptionPickerDialog& d) { d.okButton()->click(); });
    EXPECT_EQ(OptionPickerDialog::Pick(editor(), &view(), general->troopType(), *general, foreign), nullptr);
}

TEST_F(UnitPanel, ThePickerMarksRedWhatTakingAnOptionWouldBreak) {
    UseNation(kLegion);
    const UnitEntry* first = Add("TRIB");
    Set<edits::SetMagicItem>(first->id(), Item("eagl"));
    EXPECT_TRUE(Red(*Add("TRIB"), Item("nomi"), "Legions eagle"));
    EXPECT_FALSE(Red(*first, Item("eagl"), "Legions eagle")) << "its own bearer does not count";
    UseNation(kIndia, 1000); // one Elephant per thousand points
    const UnitEntry* general = Add("GEN1");
    Set<edits::SetMount>(general->id(), &Type("ELMO"));
    EXPECT_TRUE(Red(*Add("HER8"), &Type("nomo"), "Elephant"));
    EXPECT_FALSE(Red(*general, &Type("ELMO"), "Elephant"));
}

} // namespace

namespace {

TEST_F(UnitPanel, AfterAPickerClosesTheKeyboardIsBackOnItsButton) {
    const struct {
        int nation;
        const char* type;
        const char* option;
        OptionButton* (UnitDetailPane::*mount)() const;
        QPushButton* (UnitDetailPane::*other)() const;
    } cases[] = {
        {kIndia, "GEN1", "Elephant", &UnitDetailPane::mountButton, nullptr},
        {kIndia, "1GBW", "Battering Ram", nullptr, &UnitDetailPane::siegeEngineButton},
        {kLegion, "TRIB", "Legions eagle", &UnitDetailPane::magicItemButton, nullptr},
    };
    QApplication::setActiveWindow(&program.frame());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        UseNation(c.nation);
        Show(Add(*reinterpret_cast<const char(*)[5]>(c.type)));
        const auto button = [&]() -> QPushButton* {
            return c.mount != nullptr ? static_cast<QPushButton*>((detail().*c.mount)())
                                      : (detail().*c.other)();
        };
        for (const char* answer : {c.option, static_cast<const char*>(nullptr)}) {
            button()->setFocus();
            // As a real picker does, it takes the keyboard while it is open.
            Answer([answer](OptionPickerDialog& picker) {
                picker.show();
                QApplication::setActiveWindow(&picker);
                picker.optionTree()->setFocus();
                picker.optionTree()->setCurrentItem(PickerRow(picker, answer != nullptr ? answer : ""));
                (answer != nullptr ? picker.okButton() : picker.cancelButton())->click();
                picker.hide();
            });
            button()->click();
            QApplication::setActiveWindow(&program.frame());
            EXPECT_EQ(QApplication::focusWidget(), button()) << (answer ? "after a choice" : "after Cancel");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
        EXPECT_EQ(army().pointsLimit(), 2000) << "a digit typed next never reaches the points limit";
    }
}

} // namespace
