// A running program for the tests of the unit list and the unit panel: the
// built-in army lists plus tests/data/ui, a nation chosen per test, and
// short ways to reach rows, the panel and the detail pane.
#pragma once

#include "UiFixtures.h"

#include "UnitDetailPane.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "UnitTree.h"

#include "ArmyFile.h"

#include <QTest>
#include <QUndoStack>

#include <gtest/gtest.h>

namespace ovra::test {

inline constexpr int kAlexander = 1;
inline constexpr int kIndia = 2;
inline constexpr int kEgypt = 32;
inline constexpr int kLegion = 4096; // tests/data/ui: officers with magic items
inline constexpr int kNobody = 8192; // tests/data/ui: no troop types

class ArmyWindow : public ::testing::Test {
protected:
    ArmyWindow() : program({std::filesystem::path(OVRA_TEST_DATA) / "ui"}) { program.Start(); }

    ArmyView& view() { return program.view(); }
    ArmyDocument& doc() { return program.doc(); }
    const Army& army() { return program.doc().army(); }
    UnitListPane& list() { return *view().unitList(); }
    UnitTree& tree() { return *list().tree(); }
    UnitPanel& panel() { return *view().unitPanel(); }
    UnitDetailPane& detail() { return *panel().detailPane(); }
    QUndoStack& undo() { return view().undoStack(); }
    int rowHeight() { return view().metrics().RowHeight(); }

    // An army of that nation opened as if from a file: empty unless `fill`,
    // unmodified, nothing to undo.
    void UseNation(int id, int points = 2000, bool fill = false) {
        const NationRecord* nation = program.app->catalogue().FindNation(id);
        ASSERT_NE(nation, nullptr);
        const Army army(*nation, points, fill);
        doc().LoadFromBytes(WriteArmyFile(army), "army.evr");
        undo().clear();
    }
    const TroopTypeRecord& Type(const char (&code)[5]) {
        const TroopTypeRecord* type = army().nation().FindTroopType(CodeOf(code));
        EXPECT_NE(type, nullptr) << code;
        return *type;
    }
    // Adds a unit through the document; the window follows.
    const UnitEntry* Add(const char (&code)[5]) {
        return army().FindUnit(doc().NewUnit(Type(code)).firstAdded());
    }
    QModelIndex Row(const TaggedObject* record) {
        if (record != nullptr && record->kind == kKindUnitEntry) {
            const auto* unit = static_cast<const UnitEntry*>(record);
            return list().model().IndexOf({&unit->troopType(), unit->id()});
        }
        return list().model().IndexOfType(static_cast<const TroopTypeRecord*>(record));
    }
    // Clicks a row at x, in the tree's coordinates, as the user would.
    void ClickRow(const TaggedObject* record, int x = 100, Qt::MouseButton button = Qt::LeftButton) {
        const QModelIndex row = Row(record);
        ASSERT_TRUE(row.isValid());
        if (row.parent().isValid())
            tree().expand(row.parent());
        tree().scrollTo(row);
        const QRect r = tree().visualRect(row);
        QTest::mouseClick(tree().viewport(), button, {}, QPoint(x, r.center().y()));
    }
    // Selects a row and shows it in the panel.
    void Show(const TaggedObject* record) {
        ClickRow(record);
        ASSERT_EQ(Selected(), record);
    }
    const TaggedObject* Selected() { return list().SelectedRecord(); }
    UnitRowContent Content(const TaggedObject* record) { return DescribeRow(army(), *record); }

    TestProgram program;
};

} // namespace ovra::test
