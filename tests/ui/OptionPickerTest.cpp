// The option picker: what it lists and selects, which rows it marks red, and
// what it returns for Ok, a double click, Cancel and closing.
#include "ArmyWindow.h"

#include "OptionPickerDialog.h"
#include "UnitDetailPainting.h"

#include "ArmyCatalogue.h"
#include "ArmyChecker.h"

#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace ovra;
using namespace ovra::test;

namespace {

class OptionPicker : public ArmyWindow {
protected:
    struct Row {
        QString text;
        const TaggedObject* record;
        bool red;
    };
    static std::vector<Row> Rows(const OptionPickerDialog& dialog) {
        std::vector<Row> rows;
        QTreeWidget* tree = dialog.optionTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = tree->topLevelItem(i);
            rows.push_back({item->text(0), OptionPickerDialog::RowRecord(item),
                            item->foreground(0).color() == WarningRed()});
        }
        return rows;
    }
    static QTreeWidgetItem* RowOf(const OptionPickerDialog& dialog, const TaggedObject* record) {
        QTreeWidget* tree = dialog.optionTree();
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            if (OptionPickerDialog::RowRecord(tree->topLevelItem(i)) == record)
                return tree->topLevelItem(i);
        return nullptr;
    }
    bool RedFor(const UnitEntry& unit, const TaggedObject* current, const TaggedObject* option) {
        OptionPickerDialog dialog(view(), &view(), unit.troopType(), unit, current);
        QTreeWidgetItem* row = RowOf(dialog, option);
        EXPECT_NE(row, nullptr);
        return row != nullptr && row->foreground(0).color() == WarningRed();
    }
    // Runs the picker through the services with `answer` acting in it.
    const TaggedObject* Run(const UnitEntry& unit, const TaggedObject* current,
                            std::function<void(OptionPickerDialog&)> answer) {
        program.services.dialogHook = [answer](QDialog& dialog) {
            auto* picker = qobject_cast<OptionPickerDialog*>(&dialog);
            EXPECT_NE(picker, nullptr);
            if (picker != nullptr)
                answer(*picker);
            return dialog.result();
        };
        return OptionPickerDialog::Pick(view(), &view(), unit.troopType(), unit, current);
    }
};

TEST_F(OptionPicker, ListsTheMountsWithTheCurrentOneSelected) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    OptionPickerDialog dialog(view(), &view(), general->troopType(), *general, general->mount());
    EXPECT_EQ(dialog.optionKind(), OptionPickerDialog::OptionKind::Mount);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Mount"));
    EXPECT_EQ(dialog.size(), QSize(320, 280));
    EXPECT_EQ(dialog.pos(), view().mapToGlobal(QPoint(20, 20)));

    const std::vector<Row> rows = Rows(dialog);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, QStringLiteral("Elephant"));
    EXPECT_EQ(rows[0].record, &Type("ELMO"));
    EXPECT_EQ(rows[1].record, &Type("CHMO"));
    EXPECT_EQ(rows[2].record, &Type("nomo"));
    EXPECT_EQ(dialog.SelectedRecord(), &Type("nomo"));
    EXPECT_EQ(dialog.pointsField()->text(), QStringLiteral("0"));
    EXPECT_TRUE(dialog.pointsField()->isReadOnly());
    EXPECT_TRUE(dialog.infoField()->isReadOnly());

    // The fields follow the highlighted row.
    dialog.optionTree()->setCurrentItem(RowOf(dialog, &Type("ELMO")));
    EXPECT_EQ(dialog.pointsField()->text(), QStringLiteral("80"));
    EXPECT_TRUE(dialog.infoField()->toPlainText().startsWith(QStringLiteral("The rider of this mount")));
    EXPECT_TRUE(dialog.infoField()->toPlainText().contains(QLatin1Char('\n'))) << "CR LF become line breaks";
    EXPECT_FALSE(dialog.infoField()->toPlainText().contains(QLatin1Char('\r')));
}

TEST_F(OptionPicker, ListsSiegeEnginesForInfantry) {
    UseNation(kIndia);
    const UnitEntry* bows = Add("1GBW");
    OptionPickerDialog dialog(view(), &view(), bows->troopType(), *bows, bows->siegeEngine());
    EXPECT_EQ(dialog.optionKind(), OptionPickerDialog::OptionKind::SiegeEngine);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Siege engine"));
    const ArmyCatalogue& catalogue = program.app->catalogue();
    std::vector<const TaggedObject*> expected;
    for (const SiegeEngineRecord* e = catalogue.NextSiegeEngine(nullptr); e; e = catalogue.NextSiegeEngine(e))
        expected.push_back(e);
    const std::vector<Row> rows = Rows(dialog);
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].record, expected[i]);
        EXPECT_FALSE(rows[i].red);
    }
    EXPECT_EQ(dialog.SelectedRecord(), bows->siegeEngine());
}

TEST_F(OptionPicker, AMagicItemCarriedByAnotherEntryIsRed) {
    UseNation(kLegion);
    const UnitEntry* first = Add("TRIB");
    const UnitEntry* second = Add("TRIB");
    const MagicItemRecord* eagle = program.app->catalogue().FindMagicItem(CodeOf("eagl"));
    const MagicItemRecord* none = program.app->catalogue().FindMagicItem(kNoMagicItem);
    ASSERT_NE(eagle, nullptr);

    {
        OptionPickerDialog dialog(view(), &view(), first->troopType(), *first, first->magicItem());
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Magic item"));
        const std::vector<Row> rows = Rows(dialog);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0].record, eagle);
        EXPECT_EQ(rows[1].record, none);
        EXPECT_FALSE(rows[0].red) << "nobody carries it yet";
    }
    doc().SetMagicItem(first->id(), eagle);
    EXPECT_FALSE(RedFor(*first, eagle, eagle)) << "its own bearer does not count";
    EXPECT_TRUE(RedFor(*second, second->magicItem(), eagle));
    doc().SetMagicItem(second->id(), eagle);
    EXPECT_TRUE(RedFor(*second, eagle, eagle)) << "carried twice";
    EXPECT_FALSE(RedFor(*second, eagle, none)) << "no magic item is never red";
    EXPECT_TRUE(TakingItemBreaks(*first, *eagle));
    EXPECT_FALSE(TakingItemBreaks(*first, *none));
}

TEST_F(OptionPicker, AMountIsRedWhenTakingItWouldExceedItsMaximum) {
    UseNation(kIndia, 1000); // one Elephant per thousand points
    const UnitEntry* general = Add("GEN1");
    const UnitEntry* guard = Add("HER8");
    const TroopTypeRecord& elephant = Type("ELMO");
    const TroopTypeRecord& chariot = Type("CHMO");
    const TroopTypeRecord& noMount = Type("nomo");

    EXPECT_FALSE(RedFor(*guard, guard->mount(), &elephant)) << "nobody rides it yet";
    doc().SetMount(general->id(), &elephant);
    EXPECT_TRUE(RedFor(*guard, guard->mount(), &elephant));
    EXPECT_FALSE(RedFor(*general, &elephant, &elephant)) << "its own rider does not count";
    EXPECT_FALSE(RedFor(*guard, guard->mount(), &chariot)) << "no maximum";
    doc().SetMount(guard->id(), &elephant);
    EXPECT_TRUE(RedFor(*general, &elephant, &elephant)) << "ridden twice";
    EXPECT_FALSE(RedFor(*general, &elephant, &noMount));
    EXPECT_FALSE(TakingMountBreaks(*general, noMount));
}

TEST_F(OptionPicker, OkAndDoubleClickChooseTheRowCancelAndCloseChooseNothing) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    const TroopTypeRecord& elephant = Type("ELMO");
    const TroopTypeRecord& chariot = Type("CHMO");

    EXPECT_EQ(Run(*general, general->mount(),
                  [&](OptionPickerDialog& d) {
                      d.optionTree()->setCurrentItem(RowOf(d, &chariot));
                      d.okButton()->click();
                  }),
              &chariot);
    EXPECT_EQ(Run(*general, general->mount(), [](OptionPickerDialog& d) { d.okButton()->click(); }),
              general->mount())
        << "Ok on the current choice returns it";
    EXPECT_EQ(Run(*general, general->mount(),
                  [&](OptionPickerDialog& d) {
                      QTreeWidget* tree = d.optionTree();
                      const QPoint at = tree->visualItemRect(RowOf(d, &elephant)).center();
                      const QPoint global = tree->viewport()->mapToGlobal(at);
                      QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                                        Qt::NoModifier);
                      QApplication::sendEvent(tree->viewport(), &press);
                      QMouseEvent twice(QEvent::MouseButtonDblClick, at, global, Qt::LeftButton,
                                        Qt::LeftButton, Qt::NoModifier);
                      QApplication::sendEvent(tree->viewport(), &twice);
                  }),
              &elephant);
    EXPECT_EQ(Run(*general, general->mount(),
                  [&](OptionPickerDialog& d) {
                      d.optionTree()->setCurrentItem(RowOf(d, &chariot));
                      d.cancelButton()->click();
                  }),
              nullptr);
    EXPECT_EQ(Run(*general, general->mount(), [](OptionPickerDialog& d) { d.reject(); }), nullptr);
    EXPECT_EQ(general->mount(), &Type("nomo")) << "the picker changes nothing itself";
}

TEST_F(OptionPicker, AChoiceNotListedOpensWithNoRowSelected) {
    UseNation(kIndia);
    const UnitEntry* general = Add("GEN1");
    // A mount of another nation is not among this general's options.
    const TroopTypeRecord* foreign =
        program.app->catalogue().FindNation(kAlexander)->FindTroopType(CodeOf("ELMO"));
    OptionPickerDialog dialog(view(), &view(), general->troopType(), *general, foreign);
    EXPECT_EQ(dialog.SelectedRecord(), nullptr);
    EXPECT_TRUE(dialog.pointsField()->text().isEmpty());
    EXPECT_TRUE(dialog.infoField()->toPlainText().isEmpty());
    EXPECT_EQ(Run(*general, foreign, [](OptionPickerDialog& d) { d.okButton()->click(); }), nullptr);
}

} // namespace
