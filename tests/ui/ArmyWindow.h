// A running program for the tests of the unit list and the unit panel: the
// built-in army lists plus tests/data/ui, a nation chosen per test, and
// short ways to reach rows, the panel and the detail pane.
#pragma once

#include "UiFixtures.h"

#include "UnitDetailPane.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"

#include <QTest>

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
    Army& army() { return program.doc().army(); }
    UnitListPane& list() { return *view().unitList(); }
    UnitTree& tree() { return *list().tree(); }
    UnitPanel& panel() { return *view().unitPanel(); }
    UnitDetailPane& detail() { return *panel().detailPane(); }
    int rowHeight() { return view().metrics().RowHeight(); }

    // An army of that nation, empty unless `fill`; the document starts unmodified.
    void UseNation(int id, int points = 2000, bool fill = false) {
        const NationRecord* nation = program.app->catalogue().FindNation(id);
        ASSERT_NE(nation, nullptr);
        doc().SetNationAndPoints(*nation, points, fill);
        doc().SetModifiedFlag(false);
    }
    const TroopTypeRecord& Type(const char (&code)[5]) {
        const TroopTypeRecord* type = army().nation().FindTroopType(CodeOf(code));
        EXPECT_NE(type, nullptr) << code;
        return *type;
    }
    // Adds a unit as the army would and shows it in the window.
    UnitEntry* Add(const char (&code)[5]) {
        UnitEntry* entry = army().AddUnit(CodeOf(code));
        view().Refresh();
        return entry;
    }
    QTreeWidgetItem* Row(const TaggedObject* record) { return list().FindRow(record); }
    // Clicks a row at x, in the tree's coordinates, as the user would.
    void ClickRow(const TaggedObject* record, int x = 100) {
        QTreeWidgetItem* row = Row(record);
        ASSERT_NE(row, nullptr);
        if (row->parent() != nullptr)
            row->parent()->setExpanded(true);
        tree().scrollToItem(row);
        const QRect r = tree().visualItemRect(row);
        QTest::mouseClick(tree().viewport(), Qt::LeftButton, {}, QPoint(x, r.center().y()));
    }
    // Selects a row and shows it in the panel.
    void Show(const TaggedObject* record) {
        ClickRow(record);
        ASSERT_EQ(list().SelectedItem(), record);
    }
    UnitRowContent Content(const TaggedObject* record) { return DescribeRow(army(), *record); }

    TestProgram program;
};

} // namespace ovra::test
