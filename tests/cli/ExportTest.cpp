// The roster exports end to end: the program writes HTML, text and PDF files
// that a reader can take back.
#include "ArmyFixtures.h"
#include "Headless.h"
#include "RunProgram.h"

#include "ArmyFile.h"
#include "HtmlRoster.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

using namespace ovra;
using namespace ovra::test;

namespace {

class Exports : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("ovra_export_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        catalogue = BuiltInCatalogue();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }

    // An Egyptian army long enough for several printed pages.
    std::string SaveLongArmy(const std::string& name) {
        const NationRecord& egypt = *catalogue->FindNation(32);
        Army army(egypt, 2000, false);
        army.SetMount(*army.AddUnit(C("GEN8")), egypt.FindTroopType(C("CHMO")));
        for (int i = 0; i < 40; ++i)
            army.AddUnit(C("2INF"));
        for (int i = 0; i < 30; ++i)
            army.SetSkirmishers(*army.AddUnit(C("1CHA")), i % 2 == 0);
        const auto path = dir / name;
        std::ofstream(path, std::ios::binary) << WriteArmyFile(army);
        totals = "Total : " + std::to_string(army.TotalPoints()) +
                 " out of 2000 points and a breakpoint of " + std::to_string(army.BreakPoint()) + ".";
        textTotals = "Total: " + std::to_string(army.TotalPoints()) + " of 2000 points, breakpoint " +
                     std::to_string(army.BreakPoint());
        return path.string();
    }

    std::unique_ptr<ArmyCatalogue> catalogue;
    std::filesystem::path dir;
    std::string totals;
    std::string textTotals;
};

TEST_F(Exports, HtmlCommandWritesTheRosterOfTheFile) {
    const std::string in = SaveLongArmy("Nile Host.evr");
    std::ostringstream out;
    std::ostringstream err;
    const std::string html = (dir / "nile.html").string();
    ASSERT_EQ(RunHeadlessCommand(ParseCommandLine({"export-html", in, html}), *catalogue, out, err), 0)
        << err.str();

    InMemorySettings settings;
    RecordingMessages messages;
    ArmyDocument doc(*catalogue, settings, messages);
    ASSERT_EQ(doc.OnOpenDocument(in), ArmyDocument::OpenResult::Opened);
    const std::string expected = HtmlRoster(doc);
    EXPECT_EQ(ReadWholeFile(html), expected);
    EXPECT_NE(expected.find("<TITLE>Nile HostFennmarch</TITLE>"), std::string::npos)
        << "the army title comes from the file name";

    EXPECT_EQ(RunHeadlessCommand(ParseCommandLine({"export-html", in, (dir / "none" / "x.html").string()}),
                                 *catalogue, out, err),
              2);
    EXPECT_FALSE(err.str().empty());
    EXPECT_EQ(RunHeadlessCommand(
                  ParseCommandLine({"export-html", DataPath("army/unknown-nation.evr").string(), html}),
                  *catalogue, out, err),
              2);
}

TEST_F(Exports, TextCommandWritesTheRosterAsTextOrMarkdown) {
    const std::string in = SaveLongArmy("Nile Host.evr");
    const std::string txt = (dir / "nile.txt").string();
    std::ostringstream out;
    std::ostringstream err;
    const auto run = [&](std::vector<std::string> args) {
        out.str({});
        err.str({});
        args.insert(args.begin(), "export-text");
        return RunHeadlessCommand(ParseCommandLine(args), *catalogue, out, err);
    };
    ASSERT_EQ(run({in, txt}), 0) << err.str();
    const std::string text = ReadWholeFile(txt);
    EXPECT_EQ(text.rfind("Nile Host - Egypt, 2000 points\n\nCharacter", 0), 0u) << text.substr(0, 100);
    // Names, then the points right-aligned; a mount and runners under their unit.
    EXPECT_NE(text.find("\n  General                           120\n    mount: Chariot\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n  Chariots [1]                      110\n    runners: Chariot Runners [2,3]\n"
                        "  Chariots [1]                       70\n"),
              std::string::npos);
    EXPECT_NE(text.find("\n" + textTotals + "\n"), std::string::npos) << textTotals;
    EXPECT_NE(text.find("\nNotes\n1 - "), std::string::npos);
    EXPECT_TRUE(out.str().empty());

    // "-" writes to standard output; Markdown and the info choice as asked.
    ASSERT_EQ(run({"--markdown", in, "-", "--info", "none"}), 0) << err.str();
    EXPECT_EQ(out.str().rfind("# Nile Host - Egypt, 2000 points\n\n| Character | Options | Pts |", 0), 0u);
    EXPECT_NE(out.str().find("\n**" + textTotals + "**\n"), std::string::npos);
    EXPECT_EQ(out.str().find("## Notes"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("-"));
    ASSERT_EQ(run({in, "-", "--info", "short"}), 0);
    EXPECT_EQ(out.str().find("\nEgypt\n"), std::string::npos);
    EXPECT_NE(out.str().find("\nNotes\n"), std::string::npos);
}

TEST_F(Exports, TextCommandRefusesItsInputAndBadArgumentsAndWritesNothing) {
    const std::string in = SaveLongArmy("army.evr");
    const std::string saved = ReadWholeFile(in);
    std::ostringstream out;
    std::ostringstream err;
    const std::vector<std::vector<std::string>> refused = {
        {in, in},
        {in, (dir / "." / "army.evr").string()},
        {in, (dir / "missing" / "x.txt").string()},
        {in, (dir / "x.txt").string(), "--info", "most"},
        {in},
        {DataPath("army/short-header.evr").string(), (dir / "x.txt").string()},
    };
    for (std::vector<std::string> args : refused) {
        args.insert(args.begin(), "export-text");
        err.str({});
        EXPECT_EQ(RunHeadlessCommand(ParseCommandLine(args), *catalogue, out, err), 2) << args[1];
        EXPECT_FALSE(err.str().empty()) << args[1];
    }
    EXPECT_EQ(ReadWholeFile(in), saved);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.txt"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    EXPECT_TRUE(out.str().empty());
}

#if defined(OVRA_PROGRAM)

TEST_F(Exports, TextCommandOfTheProgramWritesUtf8ToStandardOutput) {
    const std::string in = SaveLongArmy("army.evr");
    const ProgramResult result = RunProgram(OVRA_PROGRAM, {"export-text", in, "-", "--markdown"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.rfind("# army - Egypt, 2000 points\n", 0), 0u);
    EXPECT_NE(result.out.find("\n| Chariots |  | 1 | 110 |\n| runners: Chariot Runners |  | 2,3 |  |\n"),
              std::string::npos);
}

#endif

#if defined(OVRA_PROGRAM) && defined(OVRA_PROGRAM_HAS_UI)

std::string Pdf(const char* tool, const std::vector<std::string>& args) {
    return RunProgram(std::string("/usr/bin/") + tool, args).out;
}

TEST_F(Exports, PdfPagesCarryTheTitlePageNumbersAndTotals) {
    const std::string in = SaveLongArmy("Nile Host.evr");
    const std::string pdf = (dir / "nile.pdf").string();
    const ProgramResult result = RunProgram(OVRA_PROGRAM, {"export-pdf", in, pdf});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    std::smatch pages;
    const std::string info = Pdf("pdfinfo", {pdf});
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages:\\s+(\\d+)")));
    EXPECT_GE(std::stoi(pages[1]), 2);
    EXPECT_NE(info.find("595 x 842 pts (A4)"), std::string::npos) << info;

    const std::string first = Pdf("pdftotext", {"-f", "1", "-l", "1", "-layout", pdf, "-"});
    const std::string second = Pdf("pdftotext", {"-f", "2", "-l", "2", "-layout", pdf, "-"});
    EXPECT_NE(first.find("Nile Host"), std::string::npos);
    EXPECT_NE(first.find("Page : 1"), std::string::npos);
    EXPECT_NE(second.find("Page : 2"), std::string::npos);
    EXPECT_NE(second.find("Nile Host"), std::string::npos);
    const std::string all = Pdf("pdftotext", {pdf, "-"});
    EXPECT_NE(all.find(totals), std::string::npos) << totals;

    const std::string none = (dir / "none.pdf").string();
    ASSERT_EQ(RunProgram(OVRA_PROGRAM, {"export-pdf", in, none, "--info", "none"}).exitCode, 0);
    const std::string noneText = Pdf("pdftotext", {none, "-"});
    EXPECT_EQ(noneText.find("1 - "), std::string::npos) << "no notes without information";
    EXPECT_NE(all.find("1 - "), std::string::npos);
}

TEST_F(Exports, PdfFailuresAreReported) {
    const std::string in = SaveLongArmy("army.evr");
    ProgramResult r = RunProgram(OVRA_PROGRAM, {"export-pdf", in, (dir / "missing" / "x.pdf").string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(r.err.empty());
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
    r = RunProgram(OVRA_PROGRAM, {"export-pdf", in, (dir / "x.pdf").string(), "--info", "most"});
    EXPECT_EQ(r.exitCode, 2);
    r = RunProgram(OVRA_PROGRAM,
                   {"export-pdf", DataPath("army/short-header.evr").string(), (dir / "x.pdf").string()});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.pdf"));
}

#endif

} // namespace
