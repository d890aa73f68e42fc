#include "ArmyFixtures.h"
#include "RunProgram.h"
#include "ScratchFolder.h"

#include "ArmyDocument.h"
#include "ArmyFile.h"
#include "ChangeNation.h"
#include "DeleteUnit.h"
#include "EnforceMinMax.h"
#include "NewUnit.h"
#include "PasteUnits.h"
#include "RenameUnit.h"
#include "SetCountOfType.h"
#include "SetOption.h"
#include "SetPointsLimit.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace ovra;
using namespace ovra::test;

namespace ovra::test {
void ExpectCountsMatchARecount(const Army& army, const std::string& context); // in EditTest.cpp
}

namespace {

using OpenResult = ArmyDocument::OpenResult;

class DocumentTest : public BuiltInCatalogueTest {
protected:
    DocumentTest() {
        doc.Subscribe([this](const ArmyChange& change) { announced.push_back(change); });
    }
    const NationRecord& Nation(std::int32_t id) const { return *catalogue->FindNation(id); }
    // An Indian army with a general on an elephant, two bowmen and skirmishers.
    void Prepare() {
        doc.SetNationAndPoints(Nation(2), 2000, false);
        Army& army = doc.army();
        army.SetMount(*army.AddUnit(C("GEN1")), army.nation().FindTroopType(C("ELMO")));
        army.AddUnit(C("1GBW"));
        army.SetName(*army.AddUnit(C("1GBW")), "Second");
        army.AddUnit(C("SKIR"));
        announced.clear();
    }
    UnitId Nth(std::int32_t index) const { return doc.army().UnitAt(index)->id(); }
    // Makes the edit and hands it back, for undo and redo.
    template <class Edit, class... Args> std::unique_ptr<ArmyEdit> Do(Args&&... args) {
        auto edit = std::make_unique<Edit>(std::forward<Args>(args)...);
        doc.Do(*edit);
        return edit;
    }

    InMemorySettings settings;
    ArmyDocument doc{*catalogue, settings};
    std::vector<ArmyChange> announced;
};

TEST_F(DocumentTest, StartsFromTheSettingsAndNewKeepsFillingAfterANationChange) {
    EXPECT_EQ(doc.army().nation().id(), 8) << "the first nation in catalogue order";
    EXPECT_EQ(doc.pointsLimit(), 2000);
    EXPECT_EQ(doc.title(), "New Army");
    doc.SetNationAndPoints(Nation(2), 2000, true);
    EXPECT_EQ(announced.size(), 1u);
    EXPECT_EQ(doc.army().UnitCount(), 15);
    doc.army().AddUnit(C("SKIR"));
    Do<edits::SetPointsLimit>(2500);
    doc.New();
    EXPECT_EQ(doc.army().UnitCount(), 15) << "File > New after a nation change gives the minimums again";
    EXPECT_EQ(doc.pointsLimit(), 2000) << "the remembered limit is untouched by edits";
    EXPECT_EQ(settings.writes(), 0) << "settings are written only on save";
    settings.WriteInt("INIT", "Nation", 3);
    EXPECT_EQ(ArmyDocument(*catalogue, settings).army().nation().id(), 8)
        << "an unknown nation falls back to the first";
    const ArmyCatalogue empty;
    EXPECT_EQ(ArmyDocument(empty, settings).army().UnitCount(), 0) << "no nations still work";
}

TEST_F(DocumentTest, GoldenFilesByteForByteAndTheArmyTitle) {
    doc.SetNationAndPoints(Nation(2), 2000, false);
    doc.army().AddUnit(C("GEN1"));
    doc.army().SetSiegeEngine(*doc.army().AddUnit(C("1GBW")), catalogue->FindSiegeEngine(C("mant")));
    EXPECT_EQ(WriteArmyFile(doc.army()), ReadWholeFile(DataPath("army/india-example.evr")));
    for (const char* file : {"army/india-example.evr", "army/breaches.evr"}) {
        EXPECT_EQ(doc.Open(DataPath(file)).result, OpenResult::Opened);
        EXPECT_EQ(WriteArmyFile(doc.army()), ReadWholeFile(DataPath(file))) << file;
    }
    EXPECT_EQ(doc.ArmyTitle(), "breaches");
    EXPECT_EQ(ArmyTitleFromCaption("my-army.evr - Fennmarch AG"), "my-army");
    EXPECT_EQ(ArmyTitleFromCaption("Legion - Fennmarch AG"), "Legion");
    EXPECT_EQ(ArmyTitleFromCaption("- Fennmarch AG"), "");
    EXPECT_EQ(ArmyTitleFromCaption("Legion"), "");
}

TEST_F(DocumentTest, EveryOptionSurvivesARoundTrip) {
    doc.SetNationAndPoints(Nation(32), 2400, false);
    Army& army = doc.army();
    UnitEntry* general = army.AddUnit(C("GEN8"));
    army.SetMount(*general, Nation(32).FindTroopType(C("CHMO")));
    army.SetMagicItem(*general, catalogue->FindMagicItem(C("eagl")));
    army.AddUnit(C("HERO")); // rides "No mount": no <MOUNT> line
    army.SetSiegeEngine(*army.AddUnit(C("2INF")), catalogue->FindSiegeEngine(C("towr")));
    army.SetSkirmishers(*army.AddUnit(C("1CHA")), true);
    army.AddUnit(C("1CHA"));
    army.SetName(*army.AddUnit(C("3INF")), "Line\r\nbreak");
    const std::string bytes = WriteArmyFile(army);
    EXPECT_EQ(bytes.find("<MOUNT>\nOMHC"), bytes.rfind("<MOUNT>")) << "one real mount";
    EXPECT_EQ(bytes.find("<SKIRMISHER>"), bytes.rfind("<SKIRMISHER>"));
    EXPECT_NE(bytes.find("Line  break\n"), std::string::npos) << "line breaks in names become spaces";

    const ScratchFolder dir;
    ASSERT_TRUE(doc.Save(dir / "Nile.evr").saved);
    EXPECT_EQ(doc.title(), "Nile.evr");
    ArmyDocument loaded(*catalogue, settings);
    EXPECT_EQ(loaded.army().nation().id(), 32) << "the saved nation and limit are remembered";
    EXPECT_EQ(loaded.pointsLimit(), 2400);
    EXPECT_EQ(loaded.army().UnitCount(), 0);
    ASSERT_EQ(loaded.Open(dir / "Nile.evr").result, OpenResult::Opened);
    EXPECT_EQ(WriteArmyFile(loaded.army()), bytes);

    // A failed save keeps the previous file and leaves no temporary file.
    doc.army().SetCountOfType(C("1CHA"), 0);
    std::filesystem::create_directories(dir / "blocked.evr");
    for (const std::filesystem::path& blocked : {dir / "blocked.evr", dir / "missing" / "army.evr"}) {
        const ArmyDocument::SaveOutcome outcome = doc.Save(blocked);
        EXPECT_FALSE(outcome.saved) << blocked << ": a folder is not replaced, a missing one not made";
        EXPECT_FALSE(outcome.readOnly) << "another name would not help";
        ASSERT_TRUE(outcome.message.has_value());
        EXPECT_EQ(outcome.message->text.rfind("Cannot save the file", 0), 0u);
    }
    EXPECT_EQ(doc.path(), dir / "Nile.evr");
    EXPECT_EQ(ReadWholeFile(dir / "Nile.evr"), bytes);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        EXPECT_TRUE(entry.path().filename() == "Nile.evr" || entry.path().filename() == "blocked.evr")
            << entry.path();
}

TEST_F(DocumentTest, WhatEachKindOfFileLeaves) {
    const std::string filled = "GEN9 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA 1PHA"; // nation 4 at 1000 points
    const struct {
        const char* file;
        OpenResult result;
        const char* message; // its start; empty for none
        std::string codes;
        std::int32_t points;
    } cases[] = {
        {"india-example.evr", OpenResult::Opened, "", "GEN1 1GBW", 2000},
        {"empty.evr", OpenResult::Opened, "", filled, 1000},
        {"unknown-nation.evr", OpenResult::NotLoadable, kNationUnavailableMessage, filled, 1000},
        {"short-header.evr", OpenResult::NotLoadable, "The file \"short-header.evr\" is not an army file.",
         filled, 1000},
        {"no-such-file.evr", OpenResult::Unreadable, "Cannot open the file", filled + " GEN9", 1000},
        {"", OpenResult::Unreadable, "Cannot open the file", filled + " GEN9", 1000}, // a folder
        {"dropped-block.evr", OpenResult::Incomplete, kIncompleteLoadMessage, "GEN1 SKIR", 1500},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        doc.SetNationAndPoints(Nation(4), 1000, true); // the remembered army that is rebuilt
        doc.army().AddUnit(C("GEN9"));
        const std::filesystem::path path = DataPath("army") / c.file;
        const ArmyDocument::OpenOutcome outcome = doc.Open(path);
        EXPECT_EQ(outcome.result, c.result);
        ASSERT_EQ(outcome.message.has_value(), *c.message != '\0');
        if (*c.message) {
            EXPECT_EQ(outcome.message->text.rfind(c.message, 0), 0u) << outcome.message->text;
            EXPECT_EQ(outcome.message->caption,
                      c.result == OpenResult::Unreadable ? kAppTitle : kLoadFailedCaption);
        }
        // Only a whole file binds the document; a partial one proposes its name.
        const bool read = c.result == OpenResult::Opened || c.result == OpenResult::Incomplete;
        EXPECT_EQ(doc.title(), read ? c.file : "New Army");
        EXPECT_EQ(doc.path(), c.result == OpenResult::Opened ? path : std::filesystem::path());
        EXPECT_EQ(doc.proposedPath(), read ? path : std::filesystem::path());
        EXPECT_EQ(EntryCodes(doc.army()), c.codes);
        EXPECT_EQ(doc.army().pointsLimit(), c.points);
    }
    EXPECT_EQ(settings.writes(), 0) << "loading does not touch the settings";
    doc.New();
    EXPECT_EQ(doc.army().nation().id(), 2) << "New after a load: an empty army of the file's nation";
    EXPECT_EQ(doc.army().pointsLimit(), 1500);
    EXPECT_EQ(doc.army().UnitCount(), 0);
}

TEST_F(DocumentTest, OddBlocksLoadWhole) {
    const std::string header = WriteArmyFile(Army(Nation(32), 2000, false));
    // Codes are stored with their last letter first: "FNI2" is "2INF".
    const std::string bytes = header + "junk line\r\n<UNIT>\r\nFNI2\r\n<MITEM>\nlgae<ENGINE>\nrwot<UNIT>\n" +
                              "</UNIT>\n<UNIT>\nAHC1Swift\n<SKIRMISHER>\n</UNIT>";
    const ArmyDocument::OpenOutcome outcome = doc.Load(bytes, "odd.evr");
    EXPECT_EQ(outcome.result, OpenResult::Opened);
    EXPECT_FALSE(outcome.message.has_value());
    ASSERT_EQ(EntryCodes(doc.army()), "2INF 1CHA");
    const UnitEntry* archers = doc.army().UnitAt(0);
    EXPECT_EQ(archers->name(), "Archers") << "an empty name line keeps the type's name";
    EXPECT_EQ(archers->magicItem()->code(), C("eagl"));
    EXPECT_EQ(archers->siegeEngine()->code(), C("towr"));
    EXPECT_EQ(doc.army().UnitAt(1)->name(), "Swift");
    EXPECT_TRUE(doc.army().UnitAt(1)->AsSkirmisher()->skirmishers());
}

TEST_F(DocumentTest, EveryEditIsUndoneAndRedoneByteForByte) {
    const auto type = [&](const char(&code)[5]) { return doc.army().nation().FindTroopType(CodeOf(code)); };
    using Make = std::function<std::unique_ptr<ArmyEdit>()>;
    struct Case {
        const char* name;
        Make edit;
        std::function<void()> prepare = [] {};
    };
    const auto counted = [&](const char(&code)[5], std::int32_t n) {
        return [&, n, c = CodeOf(code)] { return Do<edits::SetCountOfType>(c, n); };
    };
    const std::vector<Case> cases = {
        {"count up", counted("1GBW", 5)},
        {"count down", counted("1GBW", 0)},
        {"every unit of a small army", counted("1GBW", 0),
         [&] {
             doc.army().SetCountOfType(C("GEN1"), 0);
             doc.army().SetCountOfType(C("SKIR"), 0);
         }},
        {"new unit", [&] { return Do<edits::NewUnit>(*type("ELPH")); }},
        {"new unit in an empty army", [&] { return Do<edits::NewUnit>(*type("ELPH")); },
         [&] { doc.SetNationAndPoints(Nation(2), 2000, false); }},
        {"duplicate", [&] { return Do<edits::NewUnit>(Nth(0)); }},
        {"delete", [&] { return Do<edits::DeleteUnit>(Nth(1)); }},
        {"min-max", [&] { return Do<edits::EnforceMinMax>(); }},
        {"min-max removing and adding", [&] { return Do<edits::EnforceMinMax>(); },
         [&] { doc.army().SetCountOfType(C("GEN1"), 3); }},
        {"rename", [&] { return Do<edits::RenameUnit>(Nth(2), "Porus's bows"); }},
        {"mount", [&] { return Do<edits::SetMount>(Nth(0), type("nomo")); }},
        {"engine", [&] { return Do<edits::SetSiegeEngine>(Nth(1), catalogue->FindSiegeEngine(C("mant"))); }},
        {"item", [&] { return Do<edits::SetMagicItem>(Nth(0), catalogue->FindMagicItem(C("eagl"))); }},
        {"runners", [&] { return Do<edits::SetRunners>(Nth(0), true); },
         [&] {
             doc.SetNationAndPoints(Nation(32), 2000, false);
             doc.army().AddUnit(C("1CHA"));
         }},
        {"nation", [&] { return Do<edits::ChangeNation>(Nation(32)); }},
        {"points", [&] { return Do<edits::SetPointsLimit>(3000); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Prepare();
        c.prepare();
        const std::string before = WriteArmyFile(doc.army());
        const std::unique_ptr<ArmyEdit> edit = c.edit();
        const std::string after = WriteArmyFile(doc.army());
        EXPECT_NE(after, before);
        EXPECT_TRUE(edit->Changed());
        ExpectCountsMatchARecount(doc.army(), c.name);
        for (int round = 0; round < 2; ++round) {
            doc.Undo(*edit);
            EXPECT_EQ(WriteArmyFile(doc.army()), before);
            ExpectCountsMatchARecount(doc.army(), c.name);
            doc.Do(*edit);
            EXPECT_EQ(WriteArmyFile(doc.army()), after);
            ExpectCountsMatchARecount(doc.army(), c.name);
        }
    }

    // An entry of another nation's army is never taken in.
    Prepare();
    const Army other(Nation(32), 2000, true);
    UnitEntryState foreign = Army::StateOf(*other.UnitAt(0));
    foreign.id = 999999999;
    EXPECT_EQ(doc.army().AppendUnit(foreign), nullptr);
    doc.army().InsertUnitsAt({{0, foreign}});
    EXPECT_EQ(doc.army().UnitCount(), 4);
}

TEST_F(DocumentTest, UndoingANationChangeBringsBackTheUnitsAndWhatNewRebuilds) {
    Prepare();
    const UnitId general = Nth(0);
    const ScratchFolder dir;
    ASSERT_TRUE(doc.Save(dir / "india.evr").saved);
    const auto change = Do<edits::ChangeNation>(Nation(32));
    EXPECT_EQ(doc.army().FindUnit(general), nullptr);
    EXPECT_EQ(doc.path(), std::filesystem::path()) << "another nation's army never overwrites the file";
    EXPECT_EQ(doc.proposedPath(), dir / "india.evr");
    doc.Undo(*change);
    ASSERT_NE(doc.army().FindUnit(general), nullptr) << "the same units, by id";
    EXPECT_EQ(doc.army().nation().id(), 2);
    EXPECT_EQ(doc.path(), dir / "india.evr") << "bound to its file again";
    doc.Do(*change);
    const std::string redone = WriteArmyFile(doc.army());
    doc.New();
    EXPECT_EQ(WriteArmyFile(doc.army()), redone) << "after the change File > New fills the new nation again";
}

TEST_F(DocumentTest, EditsAnnounceWhatTheyTouchedAndBurstsOfTypingMerge) {
    Prepare();
    const TroopTypeRecord* bows = doc.army().nation().FindTroopType(C("1GBW"));
    const UnitId second = Nth(2);

    const auto rename = Do<edits::RenameUnit>(second, "S");
    EXPECT_TRUE(rename->Absorb(*Do<edits::RenameUnit>(second, "Sa")));
    EXPECT_FALSE(rename->Absorb(*Do<edits::RenameUnit>(Nth(1), "Other"))) << "another unit";
    EXPECT_FALSE(rename->Absorb(*Do<edits::SetPointsLimit>(5))) << "another kind of typing";
    ASSERT_FALSE(announced.empty());
    EXPECT_EQ(announced.front(), (ArmyChange{ArmyChange::Scope::Unit, bows, second}));
    doc.Undo(*rename);
    EXPECT_EQ(doc.army().FindUnit(second)->name(), "Second") << "the merged burst is one step";

    const auto points = Do<edits::SetPointsLimit>(2);
    EXPECT_TRUE(points->Absorb(*Do<edits::SetPointsLimit>(25)));
    EXPECT_FALSE(points->Absorb(*Do<edits::SetCountOfType>(C("1GBW"), 1)));
    EXPECT_EQ(Do<edits::SetCountOfType>(C("1GBW"), 3)->touched(),
              (ArmyChange{ArmyChange::Scope::Units, bows, 0}));
    EXPECT_EQ(points->touched(), (ArmyChange{ArmyChange::Scope::Limit}));

    const std::size_t before = announced.size();
    EXPECT_FALSE(Do<edits::SetPointsLimit>(doc.pointsLimit())->Changed());
    EXPECT_FALSE(Do<edits::RenameUnit>(second, "Second")->Changed());
    EXPECT_FALSE(Do<edits::SetMount>(987654321, nullptr)->Changed()) << "a unit that is gone";
    EXPECT_EQ(announced.size(), before) << "an edit that changes nothing announces nothing";
}

TEST_F(DocumentTest, PastedUnitsAreOneStepAndWhatTheNationLacksIsLeftOutAndSaid) {
    // Copied from an Egyptian army: a general, a hero riding a chariot, an
    // infantry unit with a siege tower, and a plain one.
    Army copied(Nation(32), 2000, false);
    copied.SetMount(*copied.AddUnit(C("GEN8")), Nation(32).FindTroopType(C("CHMO")));
    copied.SetMount(*copied.AddUnit(C("HERO")), Nation(32).FindTroopType(C("CHMO")));
    copied.SetSiegeEngine(*copied.AddUnit(C("2INF")), catalogue->FindSiegeEngine(C("towr")));
    copied.SetName(*copied.AddUnit(C("3INF")), "Third");
    const std::string clipboard = WriteArmyFile(copied);

    doc.SetNationAndPoints(Nation(32), 2000, false);
    doc.army().AddUnit(C("2INF"));
    const std::string egypt = WriteArmyFile(doc.army());
    auto same = Do<edits::PasteUnits>(clipboard);
    EXPECT_EQ(EntryCodes(doc.army()), "2INF GEN8 HERO 2INF 3INF") << "appended, in their order";
    EXPECT_TRUE(static_cast<edits::PasteUnits&>(*same).leftOut().empty());
    EXPECT_EQ(doc.army().UnitAt(2)->mount()->code(), C("CHMO"));
    doc.Undo(*same);
    EXPECT_EQ(WriteArmyFile(doc.army()), egypt) << "one step";
    doc.Do(*same);
    EXPECT_EQ(doc.army().UnitCount(), 5);

    // Rome has no such general, nor the chariot: those units stay out.
    doc.SetNationAndPoints(Nation(256), 3000, false);
    auto other = Do<edits::PasteUnits>(clipboard);
    const auto& paste = static_cast<edits::PasteUnits&>(*other);
    EXPECT_EQ(EntryCodes(doc.army()), "2INF 3INF");
    EXPECT_EQ(doc.army().UnitAt(0)->siegeEngine()->code(), C("towr"));
    EXPECT_EQ(doc.army().UnitAt(1)->name(), "Third");
    EXPECT_EQ(paste.added(), 2u);
    ASSERT_EQ(paste.leftOut().size(), 2u);
    EXPECT_NE(paste.leftOut()[0].find("GEN8"), std::string::npos) << paste.leftOut()[0];
    EXPECT_NE(paste.leftOut()[1].find("the mount CHMO"), std::string::npos) << paste.leftOut()[1];
    EXPECT_EQ(doc.army().pointsLimit(), 3000) << "the army keeps its own limit";

    EXPECT_FALSE(Do<edits::PasteUnits>("not units")->Changed()) << "what is no army file adds nothing";
    EXPECT_EQ(doc.army().UnitCount(), 2);
}

} // namespace
