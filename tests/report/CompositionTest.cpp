// The roster composed once from the army: rows, totals, warnings, breaches
// and information, as every renderer receives them.
#include "Roster.h"

#include "RosterFixtures.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace ovra {
namespace {

using test::C;
using test::RosterDocument;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A row as "Character", "2 Captain" or "3 Warhorse"; "!" marks over maximum.
std::vector<std::string> Described(const Roster& roster) {
    std::vector<std::string> out;
    for (const RosterRow& row : roster.rows) {
        std::string text = row.kind() == RosterRowKind::Heading ? "" : std::to_string(row.Indent()) + " ";
        out.push_back(text + row.name() + (row.overMaximum() ? "!" : ""));
    }
    return out;
}

// Paragraphs as "title|body", "!" before a highlighted title.
std::vector<std::string> Information(const Roster& roster) {
    std::vector<std::string> out;
    for (const InfoParagraph& p : roster.information)
        out.push_back((p.highlight ? "!" : "") + p.title + "|" + p.body);
    return out;
}

const RosterRow& RowNamed(const Roster& roster, const std::string& name) {
    for (const RosterRow& row : roster.rows)
        if (row.name() == name)
            return row;
    throw std::invalid_argument("no row " + name);
}

class ReportComposition : public ::testing::Test {
protected:
    std::unique_ptr<ArmyCatalogue> catalogue = test::CatalogueFromFile("report/testland.dfm");
    RosterDocument roster{*catalogue, 1, 1000};

    const MagicItemRecord* Item(Code code) { return catalogue->FindMagicItem(code); }
    const SiegeEngineRecord* Engine(Code code) { return catalogue->FindSiegeEngine(code); }
    Roster Compose(InfoChoice info = InfoChoice::Complete) { return ComposeRoster(roster.doc, info); }
};

TEST_F(ReportComposition, KindsAreComparedAsCodesAndEntriesOfATypeStayTogether) {
    roster.Add(C("SLNG"));
    roster.Add(C("BOWS"), "First bow");
    roster.Add(C("SKRM"));
    roster.Add(C("SPEA"));
    roster.Add(C("BOWS"), "Second bow");
    roster.Add(C("CAPT"));
    // Army-list order: CAPT char, SPEA unit, SKRM unSk, BOWS unit, LORD char (no
    // entries), SLNG unit. unSk between two unit types gives three "Unit" groups.
    const Roster composed = Compose();
    EXPECT_THAT(Described(composed),
                ElementsAre("Character", "2 Captain", "Unit", "2 Spears", "Unit", "2 Raiders", "Unit",
                            "2 First bow", "2 Second bow", "2 Slingers"));
    EXPECT_EQ(composed.rows[0].Cells(), ColumnTitles());
    EXPECT_EQ(composed.rows[4].troopKind(), C("unSk"));
}

TEST_F(ReportComposition, RowCellsCarryTheProfileOptionsAndTextSortedNoteNumbers) {
    roster.Add(C("SPEA"));
    roster.Add(C("SKRM"));
    roster.Add(C("BOWS"), "Plain");
    roster.army().SetMagicItem(roster.Add(C("BOWS"), "Eagle"), Item(C("eagl")));
    const UnitEntry& none = roster.Add(C("BOWS"), "None");
    roster.army().SetMagicItem(none, Item(C("nomi")));
    roster.army().SetSiegeEngine(none, Engine(C("noen")));
    const UnitEntry& both = roster.Add(C("SLNG"), "Both");
    roster.army().SetMagicItem(both, Item(C("eagl")));
    roster.army().SetSiegeEngine(both, Engine(C("bara")));
    roster.army().SetSiegeEngine(roster.Add(C("SLNG"), "Engine"), Engine(C("bara")));
    const Roster composed = Compose();
    // Spears number the nine rules 1 to 9; Raiders name rule three twice;
    // Bowmen add their unit note as 10 and reuse rule two.
    EXPECT_EQ(RowNamed(composed, "Spears").Cells(),
              (RowCells{"Inf", "3", "3", "5", "0", "3", "40", "1,2,3,4,5,6,7,8,9"}));
    EXPECT_EQ(RowNamed(composed, "Raiders").Cells(),
              (RowCells{"Cht", "2/1", "3", "6", "0", "3", "70", "3,3"}));
    EXPECT_EQ(RowNamed(composed, "Plain").Cells(),
              (RowCells{"Inf", "3/1", "3", "0", "0", "3", "55", "10,2"}));
    const struct {
        const char* name;
        const char* points;
        const char* remarks;
        const char* options;
    } cases[] = {{"Eagle", "65", "Legions eagle,10,2", "Legions eagle"},
                 {"None", "55", "10,2", ""},
                 {"Both", "50", "Legions eagle, Battering Ram", "Legions eagle, Battering Ram"},
                 {"Engine", "40", "Battering Ram", "Battering Ram"}};
    for (const auto& c : cases) {
        const RosterRow& row = RowNamed(composed, c.name);
        EXPECT_EQ(row.Cells()[6], c.points) << c.name;
        EXPECT_EQ(row.Cells()[7], c.remarks) << c.name;
        EXPECT_EQ(row.Options(), c.options) << c.name;
    }
}

TEST_F(ReportComposition, MountAndRunnersRowsFollowTheirUnitAndNotesAreNumberedInRowOrder) {
    roster.Add(C("BOWS"));
    roster.army().SetMount(roster.Add(C("CAPT"), "Mounted"), roster.nation().FindTroopType(C("HORS")));
    roster.Add(C("CAPT"), "On foot"); // mount "nomo": no mount row
    roster.army().SetSkirmishers(roster.Add(C("SKRM"), "Running"), true);
    roster.Add(C("SKRM"), "Walking");
    roster.Add(C("SPEA"));
    const Roster composed = Compose(InfoChoice::Short);
    EXPECT_THAT(Described(composed),
                ElementsAre("Character", "2 Mounted", "3 Warhorse", "2 On foot", "Unit", "2 Spears", "Unit",
                            "2 Running", "3 Runners", "2 Walking", "Unit", "2 Bowmen"));
    const RosterRow& horse = composed.rows[2];
    EXPECT_EQ(horse.kind(), RosterRowKind::Mount);
    EXPECT_EQ(horse.Cells(), (RowCells{"MM", "1", "0", "4", "0", "1", "", "1"}));
    EXPECT_EQ(horse.unit(), composed.rows[1].unit());
    // The runners row shows the save of the unit it runs with.
    const RosterRow& runners = composed.rows[8];
    EXPECT_EQ(runners.kind(), RosterRowKind::Runners);
    EXPECT_EQ(runners.Cells()[3], "6");
    EXPECT_EQ(runners.Cells()[6], "");
    // Roster order numbers the notes: the horse first, then spears, raiders,
    // runners, bowmen; the information lists them in that order.
    EXPECT_EQ(composed.rows[5].Cells()[7], "10,2,3,4,5,6,7,8,9");
    EXPECT_EQ(runners.Cells()[7], "11");
    EXPECT_EQ(composed.rows[11].Cells()[7], "12,3");
    const std::vector<std::string> info = Information(composed);
    ASSERT_EQ(info.size(), 12u);
    EXPECT_EQ(info[0], "1 - |Horses gallop.");
    EXPECT_EQ(info[1], "2 - |Rule one.");
    EXPECT_EQ(info[11], "12 - |Bowmen shoot far.");
}

TEST_F(ReportComposition, InformationAndTheRowsNotesFollowTheChoiceAndItemsCarriedTwiceAreHighlighted) {
    const UnitEntry& first = roster.Add(C("SLNG"));
    roster.army().SetMagicItem(first, Item(C("eagl")));
    roster.army().SetSiegeEngine(first, Engine(C("bara")));
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("ring")));
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("nomi"))); // infantry start with "noen"
    roster.army().SetMagicItem(roster.Add(C("SKRM")), Item(C("amul")));
    // Without notes no row points at one; the items and engines stay.
    const struct {
        InfoChoice info;
        std::vector<std::string> information;
        const char* raiders;
    } cases[] = {{InfoChoice::None,
                  {"Legions eagle|The eagle.", "Ring of Fire|A ring.", "Amulet|", "Battering Ram|A ram."},
                  "Amulet"},
                 {InfoChoice::Short,
                  {"1 - |Rule three.", "Legions eagle|The eagle.", "Ring of Fire|A ring.", "Amulet|",
                   "Battering Ram|A ram."},
                  "Amulet,1,1"},
                 {InfoChoice::Complete,
                  {"Testland|Testland line one.\r\nLine two.", "1 - |Rule three.", "Legions eagle|The eagle.",
                   "Ring of Fire|A ring.", "Amulet|", "Battering Ram|A ram."},
                  "Amulet,1,1"}};
    for (const auto& c : cases) {
        const Roster composed = Compose(c.info);
        EXPECT_EQ(Information(composed), c.information);
        EXPECT_EQ(RowNamed(composed, "Raiders").Cells()[7], c.raiders);
    }
    roster.army().SetMagicItem(roster.Add(C("SLNG")), Item(C("eagl")));
    EXPECT_EQ(Information(Compose()).at(2), "!Legions eagle|The eagle.");
    EXPECT_EQ(EffectiveInfoChoice(std::nullopt), InfoChoice::Complete);
}

TEST_F(ReportComposition, RowsOverTheirMaximumAndTypesBelowTheirMinimumFollowThePointsLimit) {
    // Captain: at most 2 per thousand points. Warhorse: at most 1, counted by
    // riders. Spears: at least 2 per thousand points.
    const TroopTypeRecord* horse = roster.nation().FindTroopType(C("HORS"));
    roster.army().SetMount(roster.Add(C("CAPT"), "A"), horse);
    roster.Add(C("CAPT"), "B");
    roster.Add(C("SPEA"));
    roster.Add(C("SPEA"));
    EXPECT_THAT(Described(Compose()),
                ElementsAre("Character", "2 A", "3 Warhorse", "2 B", "Unit", "2 Spears", "2 Spears"));
    EXPECT_THAT(Compose().belowMinimum, IsEmpty());
    roster.army().SetMount(*roster.army().UnitAt(1), horse);
    roster.Add(C("CAPT"), "C");
    EXPECT_THAT(Described(Compose()), ElementsAre("Character", "2 A!", "3 Warhorse!", "2 B!", "3 Warhorse!",
                                                  "2 C!", "Unit", "2 Spears", "2 Spears"));
    // At 2000 points the bounds double: nothing is over, the spears are too few.
    roster.army().setPointsLimit(2000);
    const Roster composed = Compose();
    for (const RosterRow& row : composed.rows)
        EXPECT_FALSE(row.overMaximum()) << row.name();
    EXPECT_THAT(composed.belowMinimum, ElementsAre("Spears"));
}

TEST(ReportCompositionPooled, APooledTypeSetsItsOwnEntriesAgainstItsBounds) {
    const auto catalogue = test::CatalogueFromFile("report/pool.dfm");
    RosterDocument roster(*catalogue, 1, 1000);
    const auto compose = [&] { return ComposeRoster(roster.doc, InfoChoice::None); };
    // One B: A must make up the other one of the pool's two.
    roster.Add(C("PB__"));
    EXPECT_THAT(compose().belowMinimum, ElementsAre("Pooled A"));
    roster.Add(C("PA__"));
    EXPECT_THAT(compose().belowMinimum, IsEmpty());
    // Two B leave room for one A under the pool's cap of 3; B has no maximum.
    roster.Add(C("PB__"));
    EXPECT_THAT(Described(compose()), ElementsAre("Unit", "2 Pooled A", "2 Plain B", "2 Plain B"));
    roster.Add(C("PA__"));
    EXPECT_THAT(Described(compose()),
                ElementsAre("Unit", "2 Pooled A!", "2 Pooled A!", "2 Plain B", "2 Plain B"));
}

} // namespace
} // namespace ovra
