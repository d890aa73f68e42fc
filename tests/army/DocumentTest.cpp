#include "ArmyFixtures.h"
#include "RunProgram.h"

#include "ArmyDocument.h"
#include "ArmyFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace ovra;
using namespace ovra::test;

namespace {

class DocumentTest : public BuiltInCatalogueTest {
protected:
    std::unique_ptr<ArmyDocument> MakeDocument() {
        auto doc = std::make_unique<ArmyDocument>(*catalogue, settings, messages);
        doc->Subscribe([this](const ArmyChange&) { ++updates; });
        return doc;
    }
    const NationRecord& Nation(std::int32_t id) const { return *catalogue->FindNation(id); }

    InMemorySettings settings;
    RecordingMessages messages;
    int updates = 0;
};

TEST_F(DocumentTest, StartsFromTheSettingsOrTheFirstNation) {
    const auto fresh = MakeDocument();
    EXPECT_EQ(fresh->army().nation().id(), 8) << "the first nation in catalogue order";
    EXPECT_EQ(fresh->pointsLimit(), 2000);
    EXPECT_EQ(fresh->army().UnitCount(), 0);
    EXPECT_EQ(fresh->title(), "New Army");
    EXPECT_FALSE(fresh->IsModified());

    settings.WriteInt("INIT", "Nation", 32);
    settings.WriteInt("INIT", "Points", 1500);
    const auto remembered = MakeDocument();
    EXPECT_EQ(remembered->army().nation().id(), 32);
    EXPECT_EQ(remembered->pointsLimit(), 1500);

    settings.WriteInt("INIT", "Nation", 3);
    EXPECT_EQ(MakeDocument()->army().nation().id(), 8) << "an unknown nation falls back to the first";

    const ArmyCatalogue empty;
    ArmyDocument noLists(empty, settings, messages);
    EXPECT_EQ(noLists.army().UnitCount(), 0) << "a catalogue without nations still gives a document";
}

TEST_F(DocumentTest, ANationChangeFillsAndNewKeepsFilling) {
    const auto doc = MakeDocument();
    doc->SetNationAndPoints(Nation(2), 2000, true);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(EntryCodes(doc->army()),
              "GEN1 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW 1GBW LGCV LGCV LGCV LGCV ELPH ELPH");
    doc->army().AddUnit(C("SKIR"));
    doc->OnNewDocument();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->army().UnitCount(), 15) << "File > New after a nation change gives the minimums again";
    EXPECT_EQ(settings.writes(), 0) << "settings are written only on save";
}

TEST_F(DocumentTest, PointsLimitEditsOnlyTheArmy) {
    const auto doc = MakeDocument();
    doc->SetPointsLimit(2000);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(updates, 0);
    doc->SetPointsLimit(2500);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(updates, 1);
    EXPECT_EQ(doc->pointsLimit(), 2500);
    doc->OnNewDocument();
    EXPECT_EQ(doc->pointsLimit(), 2000) << "the remembered limit is untouched by edits";

    doc->SetCountOfType(C("1TER"), 3);
    EXPECT_EQ(doc->army().CountOfType(C("1TER")), 3);
    EXPECT_TRUE(doc->IsModified());
}

TEST_F(DocumentTest, ArmyTitleComesFromTheCaption) {
    EXPECT_EQ(ArmyTitleFromCaption("New Army - Fennmarch AG"), "New Army");
    EXPECT_EQ(ArmyTitleFromCaption("Legion.evr - Fennmarch AG"), "Legion");
    EXPECT_EQ(ArmyTitleFromCaption("Legion - Fennmarch AG"), "Legion");
    EXPECT_EQ(ArmyTitleFromCaption("my-army.evr - Fennmarch AG"), "my-army");
    EXPECT_EQ(ArmyTitleFromCaption("- Fennmarch AG"), "");
    EXPECT_EQ(ArmyTitleFromCaption("Legion"), "");
    EXPECT_EQ(MakeDocument()->ArmyTitle(), "New Army");
}

TEST_F(DocumentTest, TheExampleArmyFileByteForByte) {
    const auto doc = MakeDocument();
    doc->SetNationAndPoints(Nation(2), 2000, false);
    doc->army().AddUnit(C("GEN1"));
    doc->army().SetSiegeEngine(*doc->army().AddUnit(C("1GBW")), catalogue->FindSiegeEngine(C("mant")));
    EXPECT_EQ(WriteArmyFile(doc->army()), ReadWholeFile(DataPath("army/india-example.evr")));

    const auto loaded = MakeDocument();
    EXPECT_EQ(loaded->OnOpenDocument(DataPath("army/india-example.evr")), ArmyDocument::OpenResult::Opened);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(WriteArmyFile(loaded->army()), ReadWholeFile(DataPath("army/india-example.evr")));
    EXPECT_EQ(loaded->title(), "india-example.evr");
    EXPECT_EQ(loaded->ArmyTitle(), "india-example");
    EXPECT_EQ(loaded->path(), DataPath("army/india-example.evr"));
    EXPECT_FALSE(loaded->IsModified());
}

TEST_F(DocumentTest, EveryOptionSurvivesARoundTrip) {
    const ScratchFolder dir;
    const auto doc = MakeDocument();
    doc->SetNationAndPoints(Nation(32), 2400, false);
    Army& army = doc->army();
    UnitEntry* general = army.AddUnit(C("GEN8"));
    general->army().SetMount(*general, Nation(32).FindTroopType(C("CHMO")));
    general->army().SetMagicItem(*general, catalogue->FindMagicItem(C("eagl")));
    general->army().SetName(*general, "Ramesses");
    army.AddUnit(C("HERO")); // rides "No mount": no <MOUNT> line
    UnitEntry* archers = army.AddUnit(C("2INF"));
    archers->army().SetSiegeEngine(*archers, catalogue->FindSiegeEngine(C("towr")));
    army.SetSkirmishers(*army.AddUnit(C("1CHA")), true);
    army.AddUnit(C("1CHA"));
    army.SetName(*army.AddUnit(C("3INF")), "Line\r\nbreak");

    const std::string bytes = WriteArmyFile(army);
    EXPECT_EQ(bytes.find("<MOUNT>\n" + std::string("OMHC")), bytes.rfind("<MOUNT>")) << "one real mount";
    EXPECT_EQ(bytes.find("<SKIRMISHER>"), bytes.rfind("<SKIRMISHER>"));
    EXPECT_NE(bytes.find("Line  break\n"), std::string::npos) << "line breaks in names become spaces";

    ASSERT_TRUE(doc->OnSaveDocument(dir / "Nile.evr"));
    EXPECT_EQ(settings.ReadInt("INIT", "Nation"), 32);
    EXPECT_EQ(settings.ReadInt("INIT", "Points"), 2400);
    EXPECT_EQ(doc->title(), "Nile.evr");

    const auto loaded = MakeDocument();
    ASSERT_EQ(loaded->OnOpenDocument(dir / "Nile.evr"), ArmyDocument::OpenResult::Opened);
    const Army& back = loaded->army();
    EXPECT_EQ(back.pointsLimit(), 2400);
    ASSERT_EQ(back.UnitCount(), 6);
    EXPECT_EQ(back.UnitAt(0)->name(), "Ramesses");
    EXPECT_EQ(back.UnitAt(0)->mount(), general->mount());
    EXPECT_EQ(back.UnitAt(0)->magicItem(), general->magicItem());
    EXPECT_EQ(back.UnitAt(1)->mount()->code(), kNoMount) << "the default comes back";
    EXPECT_EQ(back.UnitAt(2)->siegeEngine()->code(), C("towr"));
    EXPECT_TRUE(back.UnitAt(3)->AsSkirmisher()->skirmishers());
    EXPECT_FALSE(back.UnitAt(4)->AsSkirmisher()->skirmishers());
    EXPECT_EQ(back.UnitAt(5)->name(), "Line  break");
    EXPECT_EQ(WriteArmyFile(back), bytes);
}

TEST_F(DocumentTest, AnUnavailableNationOrShortHeaderGivesANewUnboundArmy) {
    for (const char* file : {"army/unknown-nation.evr", "army/short-header.evr"}) {
        messages.messages.clear();
        const auto doc = MakeDocument();
        doc->SetNationAndPoints(Nation(4), 1000, true); // the remembered army DeleteContents rebuilds
        const auto result = doc->OnOpenDocument(DataPath(file));
        EXPECT_EQ(result, ArmyDocument::OpenResult::NotLoadable) << file;
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text,
                  "The file can not be loaded, because it was created with an armylist now unavailable.");
        EXPECT_EQ(messages.messages[0].caption, "Failed to open file");
        EXPECT_EQ(doc->army().nation().id(), 4);
        EXPECT_EQ(doc->army().CountOfType(C("1PHA")), 7) << "filled, as the nation change left it";
        EXPECT_EQ(doc->title(), "New Army");
        EXPECT_TRUE(doc->path().empty()) << "a plain Save cannot overwrite the file";
        EXPECT_FALSE(doc->IsModified());
    }
}

TEST_F(DocumentTest, DroppedBlocksWarnOnceAndUnbindTheFile) {
    const auto doc = MakeDocument();
    EXPECT_EQ(doc->OnOpenDocument(DataPath("army/dropped-block.evr")), ArmyDocument::OpenResult::Incomplete);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "The file was not loaded completely. Because it was created with an armylist now unavailable.");
    EXPECT_EQ(EntryCodes(doc->army()), "GEN1 SKIR");
    EXPECT_EQ(doc->army().UnitAt(0)->name(), "Raja");
    EXPECT_EQ(doc->army().pointsLimit(), 1500);
    EXPECT_EQ(doc->title(), "dropped-block.evr");
    EXPECT_TRUE(doc->path().empty());
    EXPECT_EQ(doc->proposedPath(), DataPath("army/dropped-block.evr"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(settings.writes(), 0) << "loading does not touch the settings";

    doc->OnNewDocument();
    EXPECT_EQ(doc->army().nation().id(), 2) << "New after a load: an empty army of the file's nation";
    EXPECT_EQ(doc->army().pointsLimit(), 1500);
    EXPECT_EQ(doc->army().UnitCount(), 0);
}

TEST_F(DocumentTest, AnEmptyFileIsNotRead) {
    const auto doc = MakeDocument();
    EXPECT_EQ(doc->OnOpenDocument(DataPath("army/empty.evr")), ArmyDocument::OpenResult::Opened);
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(doc->army().nation().id(), 8);
    EXPECT_EQ(doc->title(), "empty.evr");
}

TEST_F(DocumentTest, UnreadableFilesLeaveTheDocumentAlone) {
    const auto doc = MakeDocument();
    doc->army().AddUnit(C("1GEN"));
    EXPECT_EQ(doc->OnOpenDocument(DataPath("army/no-such-file.evr")), ArmyDocument::OpenResult::Unreadable);
    EXPECT_EQ(doc->OnOpenDocument(DataPath("army")), ArmyDocument::OpenResult::Unreadable);
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_EQ(doc->army().UnitCount(), 1);
}

TEST_F(DocumentTest, OddBlocksLoadWhatTheyCan) {
    auto header = [](std::int32_t nation) {
        std::string h;
        for (std::int32_t v : {1, nation, 2000})
            for (int i = 0; i < 4; ++i)
                h.push_back(static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF));
        return h;
    };
    auto code = [](const char(&c)[5]) { return std::string{c[3], c[2], c[1], c[0]}; };

    const auto doc = MakeDocument();
    std::string bytes = header(32) + "junk line\r\n<UNIT>\r\n" + code("2INF") + "\r\n" +
                        "<SKIRMISHER>\n<MITEM>\n" + code("zzzz") + "<ENGINE>\n" + code("zzzz") + "<UNIT>\n" +
                        "</UNIT>\n<UNIT>\n" + code("1CHA") + "Swift\n<SKIRMISHER>\n<MOUNT>\n" + code("zzzz") +
                        "</UNIT>\n<UNIT>\n" + code("GEN8") + "Cut\n<MOUNT>\nOM";
    EXPECT_EQ(doc->LoadFromBytes(bytes, "odd.evr"), ArmyDocument::OpenResult::Opened);
    ASSERT_EQ(EntryCodes(doc->army()), "2INF 1CHA GEN8");
    const UnitEntry* archers = doc->army().UnitAt(0);
    EXPECT_EQ(archers->name(), "Archers") << "an empty name line keeps the type's name";
    EXPECT_EQ(archers->magicItem()->code(), kNoMagicItem) << "unknown item codes fall back";
    EXPECT_EQ(archers->siegeEngine()->code(), kNoSiegeEngine);
    EXPECT_EQ(doc->army().UnitAt(1)->name(), "Swift");
    EXPECT_TRUE(doc->army().UnitAt(1)->AsSkirmisher()->skirmishers());
    EXPECT_EQ(doc->army().UnitAt(1)->mount(), nullptr) << "an unknown mount code gives none";
    EXPECT_EQ(doc->army().UnitAt(2)->mount()->code(), kNoMount) << "a cut option code changes nothing";

    EXPECT_EQ(doc->LoadFromBytes(header(32) + "<UNIT>\n" + "1C", "cut.evr"),
              ArmyDocument::OpenResult::Opened);
    EXPECT_EQ(doc->army().UnitCount(), 0) << "a cut troop code makes no entry and no message";
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(DocumentTest, AFailedSaveKeepsThePreviousFile) {
    const ScratchFolder dir;
    const auto doc = MakeDocument();
    doc->army().AddUnit(C("1GEN"));
    ASSERT_TRUE(doc->OnSaveDocument(dir / "army.evr"));
    const std::string saved = ReadWholeFile(dir / "army.evr");

    doc->SetCountOfType(C("1TER"), 1);
    std::filesystem::create_directories(dir / "blocked.evr");
    EXPECT_FALSE(doc->OnSaveDocument(dir / "blocked.evr")) << "a folder cannot be replaced by a file";
    EXPECT_FALSE(doc->OnSaveDocument(dir / "missing" / "army.evr"));
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->path(), dir / "army.evr");
    EXPECT_EQ(ReadWholeFile(dir / "army.evr"), saved);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(entry.path().filename() == "army.evr" || entry.path().filename() == "blocked.evr")
            << "no temporary file is left behind: " << entry.path();
}

} // namespace
