// Shared rosters pasted back: the army code gives the army byte for byte,
// the roster's own lines give every unit, and forum lines what they name,
// with every line not understood told and the closest names offered.
#include "RosterImport.h"
#include "ArmyCode.h"
#include "ArmyFile.h"
#include "ImportText.h"
#include "TextRoster.h"

#include "RosterFixtures.h"
#include "RunProgram.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

namespace ovra {
namespace {

using test::C;
using ::testing::HasSubstr;

// Army file bytes of an army held by nothing else.
std::unique_ptr<Army> Copy(const Army& army) {
    return ReadArmyFile(WriteArmyFile(army), *army.nation().catalogue, "copy").army;
}

// The army as its roster lists it: troop types in list order, each with its
// units in army order.
std::string InRosterOrder(const Army& army) {
    Army sorted(army.nation(), army.pointsLimit(), false);
    for (const TroopTypeRecord* type = army.nation().NextListedTroopType(nullptr); type != nullptr;
         type = army.nation().NextListedTroopType(type)) {
        for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
            const UnitEntry& from = *army.UnitAt(i);
            if (&from.troopType() != type)
                continue;
            const UnitEntry& to = *sorted.AddUnit(type->code());
            sorted.SetName(to, from.name());
            sorted.SetMount(to, from.mount());
            sorted.SetMagicItem(to, from.magicItem());
            sorted.SetSiegeEngine(to, from.siegeEngine());
            sorted.SetSkirmishers(to, from.skirmishers());
        }
    }
    return WriteArmyFile(sorted);
}

// The units of an army file: troop code, then "/" and the codes of its
// mount, magic item and siege engine, and "/r" for runners.
std::string Units(const std::string& armyFile, const ArmyCatalogue& catalogue) {
    const auto army = ReadArmyFile(armyFile, catalogue, "import").army;
    if (army == nullptr)
        return "(none)";
    std::string units;
    for (std::int32_t i = 0; i < army->UnitCount(); ++i) {
        const UnitEntry& entry = *army->UnitAt(i);
        units += (i == 0 ? "" : " ") + CodeText(entry.troopType().code());
        if (entry.mount() != nullptr && entry.mount()->code() != kNoMount)
            units += "/" + CodeText(entry.mount()->code());
        if (entry.magicItem() != nullptr && entry.magicItem()->code() != kNoMagicItem)
            units += "/" + CodeText(entry.magicItem()->code());
        if (entry.siegeEngine() != nullptr && entry.siegeEngine()->code() != kNoSiegeEngine)
            units += "/" + CodeText(entry.siegeEngine()->code());
        if (entry.skirmishers())
            units += "/r";
    }
    return units;
}

template <class Record, class Next> std::vector<const Record*> Walk(Next next) {
    std::vector<const Record*> records{nullptr}; // none is a choice too
    for (const Record* r = next(static_cast<const Record*>(nullptr)); r != nullptr; r = next(r))
        records.push_back(r);
    return records;
}

class RosterImportTest : public test::BuiltInCatalogueTest {
protected:
    // Every army of the test data that loads, the roster tests' full army,
    // and armies of every nation with random units, options and names.
    std::vector<std::unique_ptr<Army>> Armies(bool renamed) const {
        std::vector<std::unique_ptr<Army>> armies;
        for (const auto& file : std::filesystem::directory_iterator(test::DataPath("army"))) {
            if (auto army = ReadArmyFile(test::ReadWholeFile(file.path()), *catalogue, "a").army)
                armies.push_back(std::move(army));
        }
        test::RosterDocument full(*catalogue, test::kEgypt, 1000);
        test::BuildFullArmy(full, *catalogue);
        if (renamed)
            full.army().SetName(*full.army().UnitAt(5), "Reiter \xC4rger | *schnell* \x80");
        armies.push_back(Copy(full.army()));

        // Names that look like markup, list items, counts, rows and the total.
        const char* const names[] = {"Reiter \xC4rger | *schnell* \x80",
                                     "1. Kohorte",
                                     "- left -",
                                     "x3 [b]",
                                     "mount: Chariot",
                                     "Total: 1 of 2 points",
                                     "Unit",
                                     "# 7"};
        std::mt19937 random(1234);
        const auto pick = [&](const auto& choices) { return choices[random() % std::size(choices)]; };
        for (const NationRecord* nation = catalogue->NextNation(nullptr); nation != nullptr;
             nation = catalogue->NextNation(nation)) {
            auto army = std::make_unique<Army>(*nation, static_cast<std::int32_t>(random() % 5000), false);
            const auto types = Walk<TroopTypeRecord>([&](auto* t) { return nation->NextListedTroopType(t); });
            for (int i = 0; i < 30; ++i) {
                const TroopTypeRecord* type = types[1 + random() % (types.size() - 1)];
                const UnitEntry& entry = *army->AddUnit(type->code());
                army->SetMount(entry,
                               pick(Walk<TroopTypeRecord>([&](auto* m) { return type->NextMount(m); })));
                army->SetMagicItem(entry, pick(Walk<MagicItemRecord>(
                                              [&](auto* m) { return type->NextAllowedMagicItem(m); })));
                army->SetSiegeEngine(entry, pick(Walk<SiegeEngineRecord>(
                                                [&](auto* e) { return type->NextAllowedSiegeEngine(e); })));
                army->SetSkirmishers(entry, random() % 2 == 0);
                if (renamed && random() % 4 == 0)
                    army->SetName(entry, pick(names));
            }
            armies.push_back(std::move(army));
        }
        return armies;
    }

    RosterImport Import(std::string_view text, ImportOptions options = {}) const {
        return ImportRoster(text, *catalogue, options);
    }
};

const InfoChoice kChoices[] = {InfoChoice::Complete, InfoChoice::Short, InfoChoice::None};
const TextFormat kFormats[] = {TextFormat::Plain, TextFormat::Markdown};

TEST_F(RosterImportTest, TheArmyCodeGivesEveryArmyBackByteForByte) {
    for (const auto& army : Armies(true)) {
        const std::string file = WriteArmyFile(*army);
        for (const TextFormat format : kFormats) {
            const std::string text =
                RenderText(ComposeRoster(*army, "T", InfoChoice::Short), format, ArmyCode(*army));
            const RosterImport read = Import(text);
            ASSERT_EQ(read.source, RosterImport::Source::ArmyCode) << read.error;
            EXPECT_EQ(read.armyFile, file) << text;
        }
    }
}

// Plain text after a forum took its indents and runs of blanks.
std::string Flattened(const std::string& text) {
    std::string flat;
    for (const char c : text)
        if (c != ' ' || !(flat.empty() || flat.back() == ' ' || flat.back() == '\n'))
            flat += c;
    return flat;
}

// Each roster of the army, in both layouts and with each choice of
// information, and flattened.
template <class Check> void ForEachRoster(const Army& army, Check check) {
    for (const InfoChoice info : kChoices) {
        const Roster roster = ComposeRoster(army, "Title - x", info);
        for (const TextFormat format : kFormats)
            check(RenderText(roster, format));
        check(Flattened(RenderText(roster, TextFormat::Plain)));
    }
}

TEST_F(RosterImportTest, TheRosterAloneGivesEveryUnitInRosterOrder) {
    for (const auto& army : Armies(false)) {
        ForEachRoster(*army, [&](const std::string& text) {
            const RosterImport read = Import(text);
            ASSERT_EQ(read.source, RosterImport::Source::RosterText) << read.error << text;
            EXPECT_EQ(read.armyFile, InRosterOrder(*army)) << text;
            for (const ImportLine& line : read.lines)
                ADD_FAILURE() << line.line << ": " << line.text << ": " << line.reason << "\n" << text;
        });
    }
}

// A renamed unit is of the troop type of its group, between the types of the
// rows around it, that costs its points and carries its notes; where two
// types fit, the line says so.
TEST_F(RosterImportTest, RenamedUnitsAreFoundByTheirPlaceTheirPointsAndTheirNotes) {
    for (const auto& army : Armies(true)) {
        const auto sorted = ReadArmyFile(InRosterOrder(*army), *catalogue, "sorted").army;
        ForEachRoster(*army, [&](const std::string& text) {
            const RosterImport read = Import(text);
            const auto imported = ReadArmyFile(read.armyFile, *catalogue, "import").army;
            ASSERT_EQ(imported->UnitCount(), sorted->UnitCount()) << text;
            std::size_t guessed = 0;
            for (std::int32_t i = 0; i < sorted->UnitCount(); ++i) {
                const UnitEntry& want = *sorted->UnitAt(i);
                const UnitEntry& got = *imported->UnitAt(i);
                EXPECT_EQ(got.name(), want.name());
                EXPECT_EQ(got.Points(), want.Points()) << want.name();
                guessed += &got.troopType() != &want.troopType();
            }
            for (const ImportLine& line : read.lines)
                EXPECT_THAT(line.reason, HasSubstr("a renamed unit taken for")) << line.text;
            EXPECT_LE(guessed, read.lines.size()) << text;
        });
    }
}

TEST_F(RosterImportTest, ForumLinesGiveTheUnitsTheyNameAndTellTheRest) {
    const struct {
        const char* text;
        const char* units;
        std::vector<std::size_t> lines; // told as not understood
        const char* told = "";          // in the first of them, with the suggestions
    } cases[] = {
        {"Egypt, 1500 points\n3x Archers\nArchers \xC3\x97"
         "2\n  Archers x 2\n\n1. ARCHERS 55\n2) archer - 55 pts\nArchers \xE2\x80\x93 55\nArchers "
         "\xE2\x80\x94 55",
         "2INF 2INF 2INF 2INF 2INF 2INF 2INF 2INF 2INF 2INF 2INF",
         {}},
        {"- General on Chariot\n* Officer (Legions eagle)\n\xE2\x80\xA2 Chariots + runners\n"
         "Mercenary Skirmishers, Battering Ram, 45pts\nOfficer\n    mount: Chariot",
         "GEN8/CHMO HERO/eagl 1CHA/r 5INF/bara HERO/CHMO",
         {}},
        {"[b]2 H\xC3\xA5nd-to-hand fighters[/b]\n**H\xE4nd to hand fighters**\n> Marines",
         "1INF 1INF 1INF 3INF",
         {}},
        {"Characters:\nGeneral\nOfficer\n---\nUnits:\nMarines\nLegionaries\nThoughts?",
         "GEN8 HERO 3INF",
         {7, 8},
         "no troop type of Egypt is called so; Republican Rome and Imperial Rome have"},
        {"Egypt\nChariots\nArchrs", "1CHA", {3}, "closest: Archers"},
        {"Egypt\nArchers (Legion eagle)\nOfficer\nrunners: Chariot Runners",
         "2INF HERO",
         {2, 4},
         "no mount, magic item or siege engine is called \"Legion eagle\"; closest: Legions eagle"},
        {"Legionaries\nAuxiliary Cavalry x2", "2INF 1CAV 1CAV", {}},
        {"Egypt\nCharacter Options Notes Pts\nGeneral 120\nmount: Chariot\nTotal: 120 of 500 points",
         "GEN8/CHMO",
         {}},
        {"Egypt\n0x Archers\n12000x Archers\nArchers", "2INF", {3}, "more than 9999 units"},
    };
    for (const auto& c : cases) {
        const RosterImport read = Import(c.text);
        ASSERT_EQ(read.source, RosterImport::Source::RosterText) << c.text << read.error;
        EXPECT_EQ(Units(read.armyFile, *catalogue), c.units) << c.text;
        std::vector<std::size_t> lines;
        for (const ImportLine& line : read.lines)
            lines.push_back(line.line);
        EXPECT_EQ(lines, c.lines) << c.text;
        if (!read.lines.empty()) {
            const ImportLine& first = read.lines.front();
            std::string told = first.reason;
            for (std::size_t i = 0; i < first.suggestions.size(); ++i)
                told += (i == 0 ? "; closest: " : ", ") + first.suggestions[i];
            EXPECT_THAT(told, HasSubstr(c.told)) << c.text;
        }
    }
    ArmyFileHeader header;
    ASSERT_TRUE(ReadArmyFileHeader(Import(cases[0].text).armyFile, header));
    EXPECT_EQ(header.nationId, test::kEgypt);
    EXPECT_EQ(header.pointsLimit, 1500);
}

TEST_F(RosterImportTest, TheNationIsTheOneGivenNamedOrNamedBest) {
    const auto nation = [&](std::string_view text, ImportOptions options = {}) {
        const RosterImport read = Import(text, options);
        return read.nation == nullptr ? read.error : read.nation->name;
    };
    EXPECT_EQ(nation("General\nOfficer\nLegionaries"), "Republican Rome");
    EXPECT_EQ(nation("My Imperial Rome army\nGeneral\nOfficer"), "Imperial Rome");
    EXPECT_EQ(nation("Egyptology, Egypt\nGeneral\nOfficer"), "Egypt") << "named as a word of its own";
    EXPECT_EQ(nation("x - Egypt, 600 points\nLegionaries"), "Egypt") << "the title names it";
    EXPECT_EQ(nation("Egypt\nArchers", {.nationId = 256}), "Imperial Rome");
    EXPECT_EQ(nation("Legionaries", {.nationId = test::kEgypt}),
              "No line of the text names a troop type of Egypt");
    EXPECT_EQ(nation("Legionaries", {.nationId = 3}), "No army list defines the nation 3");
    EXPECT_EQ(nation("Hello\nthere"), "No troop type of any army list is named in the text");
    EXPECT_EQ(nation(""), "No troop type of any army list is named in the text");
    EXPECT_EQ(nation("#\n## \n- \n|\n(\n[\n"), "No troop type of any army list is named in the text");
}

// The payload of a code as the format describes it: base58, eight bytes to
// eleven characters, a last shorter group to as few as it needs.
std::string Base58(std::string_view bytes) {
    static const std::string digits = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
    static const std::size_t chars[] = {0, 2, 3, 5, 6, 7, 9, 10, 11};
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 8) {
        // The group as a big number, divided by 58 for each character from the last.
        std::string number(bytes.substr(at, 8));
        std::string text(chars[number.size()], '1');
        for (auto it = text.rbegin(); it != text.rend(); ++it) {
            unsigned remainder = 0;
            for (char& byte : number) {
                const unsigned value = remainder * 256 + static_cast<unsigned char>(byte);
                byte = static_cast<char>(value / 58);
                remainder = value % 58;
            }
            *it = digits[remainder];
        }
        out += text;
    }
    return out;
}

std::string Le32(std::uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16),
            static_cast<char>(v >> 24)};
}

// A code of `data` in one stored deflate block, saying `size` bytes and the checksum `crc`.
std::string StoredCode(std::string_view data, std::uint32_t size, std::uint32_t crc) {
    const auto length = static_cast<std::uint16_t>(data.size());
    const std::string block = std::string("\x01", 1) + static_cast<char>(length) +
                              static_cast<char>(length >> 8) + static_cast<char>(~length) +
                              static_cast<char>(~length >> 8) + std::string(data);
    return "ovra:1:" +
           Base58(Le32(size) + Le32(static_cast<std::uint32_t>(block.size())) + Le32(crc) + block);
}

TEST_F(RosterImportTest, CodesOfThisFormatReadAndBrokenOnesAreRefusedSayingWhy) {
    // The code of india-example.evr as this program first wrote it: codes once shared keep reading.
    const std::string india =
        "ovra:1:"
        "EiWA9Drn2pXWewr4qu4fcbH4RuryrJd6DU1hbXohm6KPWG5Cdi15cbiAbU2NwXCXTZXsdUdfF7gc1EoJ9A58i7hEVhy7EKffo5g3"
        "nG5YpKVVR";
    const std::string file = test::ReadWholeFile(test::DataPath("army/india-example.evr"));
    const auto read = [](std::string_view text) { return FindArmyCode(text); };
    EXPECT_EQ(read("x\n" + india + ".").armyFile, file);
    EXPECT_EQ(read("OVRA:1:" + india.substr(7)).armyFile, file) << "a chat may capitalise";
    EXPECT_EQ(read(StoredCode("abc", 3, 0x352441C2)).armyFile, "abc");
    std::string wrapped = india;
    for (const char* gap : {"\n", "\xE2\x80\x8B", "\xC2\xAD", "  "})
        wrapped.insert(wrapped.size() - 20 * (std::string_view(gap).size() + 1), gap);
    EXPECT_EQ(read(wrapped).armyFile, file) << "a forum broke the line";
    EXPECT_EQ(read("ovra:1 is not one, nor is ovra:x:1 or ovra::1").status, ArmyCodeRead::Status::None);
    for (const char before : {'0', '9', 'a', 'z', 'A', 'Z', '_'})
        EXPECT_EQ(read(before + india).status, ArmyCodeRead::Status::None)
            << "inside a word after " << before;

    std::string flipped = india;
    flipped[40] = flipped[40] == 'a' ? 'b' : 'a';
    const struct {
        std::string text;
        const char* error;
    } refused[] = {
        {"\n\novra:2:" + india.substr(7),
         "on line 3 is of version 2, which this program cannot read (it reads version 1)"},
        {"ovra:0100:x", "is of version 0100"},
        {india + " ovra:1:abc", "is cut short or damaged"}, // the last code counts
        {india.substr(0, india.size() - 3), "is cut short or damaged"},
        {india + "x", "goes on beyond its end"},
        {flipped, "is damaged"},
        {StoredCode("abc", 3, 1), "is damaged: its checksum does not match"},
        {StoredCode("abcd", 3, 0), "unpacks to more than the 3 bytes it says"},
        {StoredCode("ab", 3, 0), "is damaged"},
        {StoredCode("", kLargestReadableFile + 1, 0), "holds 268435457 bytes, more than the 268435456"},
    };
    for (const auto& r : refused) {
        const ArmyCodeRead code = read(r.text);
        EXPECT_EQ(code.status, ArmyCodeRead::Status::Refused) << r.text;
        EXPECT_THAT(code.error, HasSubstr(r.error)) << r.text;
        EXPECT_THAT(code.error, HasSubstr("remove it to read the roster text instead"));
        EXPECT_EQ(Import(r.text).error, code.error) << "the import refuses it alike";
    }
}

TEST_F(RosterImportTest, TheCodeIsPlainTextInRenderedMarkdownAndReadsFromIt) {
    if (!std::filesystem::exists("/usr/bin/cmark-gfm"))
        GTEST_SKIP() << "cmark-gfm is not installed";
    const test::ScratchFolder dir;
    for (const auto& army : Armies(true)) {
        const std::string code = ArmyCode(*army);
        const auto markdown = dir.Put(
            "roster.md", RenderText(ComposeRoster(*army, "T", InfoChoice::None), TextFormat::Markdown, code));
        for (const char* smart : {"--unsafe", "--smart"}) {
            const std::string html = test::RunProgram("/usr/bin/cmark-gfm", {"-e", "table", "-e", "autolink",
                                                                             smart, markdown.string()})
                                         .out;
            EXPECT_THAT(html, HasSubstr("\n<p>" + code + "</p>\n"));
            EXPECT_EQ(Import(html).armyFile, WriteArmyFile(*army));
        }
    }
}

TEST_F(RosterImportTest, AnyTextGivesAnAnswerWithinItsBounds) {
    std::string lines;
    for (std::size_t i = 0; i <= kMostRosterLines; ++i)
        lines += i % 2 == 0 ? "Archers\n" : "\x80\xFF ?\n";
    RosterImport read = Import(lines);
    ASSERT_EQ(read.lines.size(), kMostReportedLines);
    EXPECT_EQ(read.lines.size() + read.moreLines, kMostRosterLines / 2 + 1);
    EXPECT_EQ(read.lines[0].text, "\xEF\xBF\xBD\xEF\xBF\xBD ?") << "shown as well-formed UTF-8";

    std::string many = "Egypt\n";
    for (int i = 0; i < 11; ++i)
        many += "9999x Archers\n";
    read = Import(many + std::string(kLongestRosterLine + 1, 'A') + "\n");
    ASSERT_EQ(read.lines.size(), 2u);
    EXPECT_THAT(read.lines[0].reason, HasSubstr("an import makes at most 100000"));
    EXPECT_EQ(read.lines[1].reason, "too long for a line of a roster");
}

TEST(ImportText, NamesCompareWithoutCaseAccentsOrPunctuation) {
    EXPECT_EQ(NameKey("Alexander's  Light-Cavalry"), "alexanders light cavalry");
    EXPECT_EQ(NameKey(Utf8ToWindows1252(" \xC3\x86thel\xC3\xB0ry\xC3\x9F  \xE2\x80\x93 \xC5\x92uvre ")),
              "aetheldryss oeuvre");
    EXPECT_EQ(Utf8ToWindows1252("\xE2\x82\xAC \xF0\x9F\x98\x80 \xE4 \xC3"), "\x80 ? \xE4 \xC3")
        << "what is not UTF-8 is taken as Windows-1252";
    EXPECT_EQ(WellFormedUtf8("ab\xC3\xA4\xFF", 100), "ab\xC3\xA4\xEF\xBF\xBD");
    EXPECT_EQ(WellFormedUtf8("abcdef\xC3\xA4", 7), "abcdef...");
    const struct {
        const char* a;
        const char* b;
        std::size_t limit, distance;
    } distances[] = {{"archers", "archrs", 3, 1}, {"kitten", "sitting", 3, 3},
                     {"kitten", "sitting", 2, 3}, {"", "abc", 5, 3},
                     {"abc", "abc", 0, 0},        {"legionaries", "archers", 4, 5}};
    for (const auto& d : distances)
        EXPECT_EQ(EditDistance(d.a, d.b, d.limit), d.distance) << d.a << " " << d.b;
}

} // namespace
} // namespace ovra
