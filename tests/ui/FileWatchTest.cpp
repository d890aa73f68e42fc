// The army's file changing under the window, on a real file system: read
// again, offered, said gone, and never replaced unasked.
#include "UiFixtures.h"

#include "ArmyPage.h"
#include "NoticeBar.h"

#include <QFile>
#include <QPushButton>
#include <QStatusBar>

#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

class FileWatch : public ArmyWindow {
protected:
    FileWatch() {
        UseNation(kIndia);
        Set<edits::SetCountOfType>(CodeOf("1GBW"), 2);
        editor().Save(file.toStdString());
        saved = Bytes();
    }
    ArmyPage& page() { return program.frame().page(); }
    // Another army, as another program writes it: in place, or through a
    // temporary renamed over the file as editors do.
    std::string Other(int bows) {
        Army other(army().nation(), 1500, false);
        other.SetCountOfType(CodeOf("1GBW"), bows);
        return WriteArmyFile(other);
    }
    void WriteOutside(const std::string& bytes, bool byRename = false) {
        const std::string target = file.toStdString();
        const std::string written = byRename ? target + ".tmp" : target;
        std::ofstream(written, std::ios::binary | std::ios::trunc) << bytes;
        if (byRename)
            std::filesystem::rename(written, target);
    }
    bool Settles(const std::function<bool()>& done) { return QTest::qWaitFor(done, 5000); }

    QString file = program.Path("g1.evr");
    std::string saved;
};

TEST_F(FileWatch, AnUnchangedArmyIsReadAgainAsOneUndoableStep) {
    for (const bool byRename : {false, true}) {
        SCOPED_TRACE(byRename ? "replaced by a rename" : "written in place");
        const std::string other = Other(byRename ? 5 : 4);
        WriteOutside(other, byRename);
        ASSERT_TRUE(Settles([&] { return Bytes() == other; }));
        EXPECT_FALSE(editor().IsModified()) << "the army is what the file holds";
        EXPECT_TRUE(program.frame().statusBar()->currentMessage().contains("read again"));
    }
    EXPECT_EQ(undo().count(), 2);
    undo().undo();
    undo().undo();
    EXPECT_EQ(Bytes(), saved);
    EXPECT_TRUE(editor().IsModified());
}

TEST_F(FileWatch, ABurstOfChangesIsOneReload) {
    WriteOutside(Other(3));
    WriteOutside(Other(6));
    ASSERT_TRUE(Settles([&] { return Bytes() == Other(6); }));
    QTest::qWait(400);
    EXPECT_EQ(undo().count(), 1);
}

TEST_F(FileWatch, UnsavedChangesAreOfferedReloadOrKeepMine) {
    Do<edits::SetCountOfType>(CodeOf("1GBW"), 7);
    const std::string mine = Bytes();
    WriteOutside(Other(4));
    ASSERT_TRUE(Settles([&] { return !page().notices().text().isEmpty(); }));
    EXPECT_EQ(Bytes(), mine) << "nothing is read while the army has changes";
    EXPECT_TRUE(page().notices().text().contains("changed on disk"));

    // Save asks before it replaces what is there now; Cancel keeps both.
    program.services.conflictChoices = {UiServices::ConflictChoice::Cancel};
    EXPECT_FALSE(program.frame().OnFileSave());
    EXPECT_EQ(program.services.conflicts, std::vector<QString>{"g1.evr"});
    EXPECT_EQ(ReadWholeFile(file.toStdString()), Other(4));

    // Reload: the file's army, with mine one Undo away.
    page().notices().buttons().front()->click();
    EXPECT_EQ(Bytes(), Other(4));
    EXPECT_FALSE(editor().IsModified());
    undo().undo();
    EXPECT_EQ(Bytes(), mine);

    // Keep mine: the next Save writes without asking again.
    WriteOutside(Other(2));
    ASSERT_TRUE(Settles([&] { return !page().notices().text().isEmpty(); }));
    page().notices().buttons()[1]->click();
    EXPECT_TRUE(program.frame().OnFileSave());
    EXPECT_EQ(program.services.conflicts.size(), 1u);
    EXPECT_EQ(ReadWholeFile(file.toStdString()), mine);
}

TEST_F(FileWatch, AFileThatIsGoneIsSaidSoAndSaveWritesItBack) {
    QFile::remove(file);
    ASSERT_TRUE(Settles([&] { return page().notices().text().contains("deleted or moved away"); }));
    EXPECT_EQ(Bytes(), saved) << "the army stays";
    EXPECT_TRUE(program.frame().OnFileSave());
    EXPECT_EQ(ReadWholeFile(file.toStdString()), saved);
    EXPECT_TRUE(program.services.conflicts.empty());
}

TEST_F(FileWatch, OwnSavesAndFilesThatAreNoArmyChangeNothing) {
    Do<edits::SetCountOfType>(CodeOf("1GBW"), 3);
    editor().Save(file.toStdString());
    QTest::qWait(600);
    EXPECT_TRUE(page().notices().text().isEmpty()) << "this program's own save";
    EXPECT_EQ(undo().count(), 1);

    const std::string mine = Bytes();
    WriteOutside("not an army file at all");
    ASSERT_TRUE(Settles([&] { return !page().notices().text().isEmpty(); }));
    EXPECT_TRUE(page().notices().text().contains("cannot be read"));
    EXPECT_EQ(Bytes(), mine);
}

} // namespace
