// The roster exports of an army file: HTML and text files, and the PDF the
// program writes, read back with the poppler tools. nile-host.evr is an
// Egyptian army long enough for several printed pages.
#include "CatalogueFixtures.h"
#include "Headless.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

using namespace ovra;
using namespace ovra::test;

namespace {

constexpr auto npos = std::string::npos;

TEST(Exports, HtmlAndTextFilesHoldTheRosterOfTheArmyFile) {
    const auto catalogue = BuiltInCatalogue();
    const ScratchFolder dir;
    const std::string nile = DataPath("army/nile-host.evr").string();
    std::ostringstream out, err;
    const auto run = [&](const std::vector<std::string>& args) {
        out.str({});
        return RunHeadlessCommand(ParseCommandLine(args), *catalogue, out, err);
    };
    ASSERT_EQ(run({"export-html", nile, (dir / "nile.html").string()}), 0) << err.str();
    const std::string html = ReadWholeFile(dir / "nile.html");
    EXPECT_NE(html.find("<TITLE>nile-hostFennmarch</TITLE>"), npos)
        << "the army title comes from the file name";
    EXPECT_NE(html.find("<B>Breakpoint of 35</B>"), npos);
    EXPECT_NE(html.find("<font color=#ff0000>5020<"), npos);

    ASSERT_EQ(run({"export-text", nile, (dir / "nile.txt").string()}), 0) << err.str();
    EXPECT_EQ(out.str(), "");
    const std::string text = ReadWholeFile(dir / "nile.txt");
    EXPECT_EQ(text.rfind("nile-host - Egypt, 2000 points\n\nCharacter", 0), 0u);
    EXPECT_NE(text.find("\nTotal: 5020 of 2000 points, breakpoint 35\n"), npos);
    ASSERT_EQ(run({"export-text", nile, "-"}), 0);
    EXPECT_EQ(out.str(), text) << "the file holds what standard output gets";
    EXPECT_EQ(err.str(), "");
}

#ifdef OVRA_PROGRAM_HAS_UI

std::string Pdf(const char* tool, const std::vector<std::string>& args) {
    return RunProgram(std::string("/usr/bin/") + tool, args).out;
}

TEST(Exports, PdfPagesCarryTheTitlePageNumbersAndTotals) {
    const ScratchFolder dir;
    const std::string nile = DataPath("army/nile-host.evr").string(), pdf = (dir / "nile.pdf").string();
    ExpectRun(RunProgram(OVRA_PROGRAM, {"export-pdf", nile, pdf}), {{}, 0, "", ""});
    std::smatch pages;
    const std::string info = Pdf("pdfinfo", {pdf});
    ASSERT_TRUE(std::regex_search(info, pages, std::regex("Pages:\\s+(\\d+)")));
    EXPECT_GE(std::stoi(pages[1]), 2);
    EXPECT_NE(info.find("595 x 842 pts (A4)"), npos) << info;
    for (const std::string page : {"1", "2"}) {
        const std::string text = Pdf("pdftotext", {"-f", page, "-l", page, "-layout", pdf, "-"});
        EXPECT_NE(text.find("nile-host"), npos) << page;
        EXPECT_NE(text.find("Page : " + page), npos);
    }
    const std::string all = Pdf("pdftotext", {pdf, "-"});
    EXPECT_NE(all.find("Total : 5020 out of 2000 points and a breakpoint of 35."), npos);
    EXPECT_NE(all.find("1 - "), npos);

    ASSERT_EQ(RunProgram(OVRA_PROGRAM, {"export-pdf", nile, pdf, "--info", "none"}).exitCode, 0);
    EXPECT_EQ(Pdf("pdftotext", {pdf, "-"}).find("1 - "), npos) << "no notes without information";
}

#endif

} // namespace
