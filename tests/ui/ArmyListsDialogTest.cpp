// Help > Army lists: the texts read at start-up, their nations and their lint.
#include "UiFixtures.h"

#include "ArmyListsDialog.h"
#include "CatalogueFixtures.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

// Each row of the tree: its name and lint count, its nations indented.
std::vector<std::string> Rows(const QTreeWidget& tree) {
    std::vector<std::string> rows;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = tree.topLevelItem(i);
        rows.push_back((item->text(0) + QStringLiteral(" | ") + item->text(1)).toStdString());
        for (int c = 0; c < item->childCount(); ++c)
            rows.push_back("  " + item->child(c)->text(0).toStdString());
    }
    return rows;
}

TEST(ArmyListsDialog, ListsEveryTextWithItsNationsAndLint) {
    TestProgram program({DataPath("catalogue/base"), DataPath("lint")});
    program.Start();
    std::vector<std::string> rows;
    std::vector<std::string> lint;
    QString folder;
    program.services.dialogHook = [&](QDialog& dialog) {
        auto* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("armyListTree"));
        auto* view = dialog.findChild<QPlainTextEdit*>(QStringLiteral("lintView"));
        rows = Rows(*tree);
        folder = tree->topLevelItem(1)->text(2);
        lint.push_back(view->toPlainText().toStdString());
        tree->setCurrentItem(tree->topLevelItem(2)->child(0));
        lint.push_back(view->toPlainText().toStdString());
        return int(QDialog::Accepted);
    };
    program.frame().findChild<QAction*>(QStringLiteral("actionArmyLists"))->trigger();
    EXPECT_EQ(program.services.dialogsShown, 1);

    ASSERT_GE(rows.size(), 13u);
    EXPECT_EQ(rows[0], "Built-in army lists | clean");
    EXPECT_EQ(rows[1], "  adds Alexander the Great (1)");
    rows.erase(rows.begin(), rows.begin() + 13);
    EXPECT_EQ(rows, (std::vector<std::string>{
                        "base.dfm | 3 errors, 9 warnings",
                        "  replaces Alexander the Great from Built-in army lists with First (1)",
                        "  replaces India from Built-in army lists with Second (2)",
                        "  replaces Greece from Built-in army lists with Fourth (4)",
                        "  replaces Trojan wars from Built-in army lists with Eighth (8)",
                        "  replaces Achaemenid Persia from Built-in army lists with Sixteenth (16)",
                        "broken.dfm | 1 error, 1 warning",
                        "  adds Broken isle (4097)",
                        "example.dfm | clean",
                        "  adds Sea Raiders (4096)",
                    }));
    EXPECT_TRUE(folder.startsWith(QString::fromStdString(DataPath("catalogue/base").string())))
        << folder.toStdString();
    EXPECT_EQ(lint,
              (std::vector<std::string>{
                  "ovra lint finds nothing in this army list.",
                  "broken.dfm:3:1: error: TROOPS \"1INF\" is missing its </TROOPS>; it absorbs TROOPS "
                  "\"2INF\" (line 4)\n"
                  "broken.dfm:3:47: warning: the number \"1-2\" reads as -12: every '-' in a number flips "
                  "its sign",
              }));
}

} // namespace
