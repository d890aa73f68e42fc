// How records of two versions of the army lists pair up and in what order
// their differences come; the command's goldens show every kind of line.
#include "CatalogueFixtures.h"

#include "ListDiff.h"

#include <gtest/gtest.h>

using namespace ovra;
using namespace ovra::test;

namespace {

std::vector<std::string> Lines(const std::string& before, const std::string& now) {
    std::vector<std::string> lines;
    for (const ListChange& change : DiffArmyLists(*CatalogueFromText(before), *CatalogueFromText(now)))
        lines.push_back(ListChangeLine(change));
    return lines;
}

std::string Nation(const std::string& troops) {
    return "<NATION 1 \"N\" \"A\">" + troops + "</NATION>";
}

std::string Troop(const std::string& code, const std::string& name, int points) {
    return "<TROOPS " + code + " \"" + name + "\" unit 512> 1 \"\" 1 0 0 3 " + std::to_string(points) +
           " 0 0</TROOPS>";
}

TEST(ListDiff, PairsRecordsByKeyAndKeepsTheOrderOfTheLists) {
    const struct {
        const char* what;
        std::string before, now;
        std::vector<std::string> lines;
    } cases[] = {
        {"records that only moved are the same",
         Nation(Troop("AAAA", "A", 1) + Troop("BBBB", "B", 2)) +
             "<ENGINE ramm \"Ram\" 5></ENGINE><ENGINE towr \"T\" 9></ENGINE>",
         Nation(Troop("BBBB", "B", 2) + Troop("AAAA", "A", 1)) +
             "<ENGINE towr \"T\" 9></ENGINE><ENGINE ramm \"Ram\" 5></ENGINE>",
         {}},
        {"a code given twice pairs first with first, second with second",
         Nation(Troop("AAAA", "A", 1) + Troop("AAAA", "A", 2)),
         Nation(Troop("AAAA", "A", 1) + Troop("AAAA", "A", 3)),
         {"N: troop type A (AAAA): points 2 -> 3"}},
        {"a removed record stands where it stood, before what replaced it",
         Nation(Troop("AAAA", "A", 1) + Troop("BBBB", "B", 2) + Troop("CCCC", "C", 3)),
         Nation(Troop("AAAA", "A", 1) + Troop("DDDD", "D", 4) + Troop("CCCC", "C", 3) +
                Troop("EEEE", "E", 5)),
         {"N: troop type B (BBBB) removed", "N: troop type D (DDDD) added", "N: troop type E (EEEE) added"}},
        {"items by code, every field; engines likewise",
         "<MITEM ring \"Ring\" 1> 5 -1</MITEM><ENGINE ramm \"Ram\" 5></ENGINE>",
         "<MITEM ring \"Ring\" 2> 5 512</MITEM>",
         {"magic item Ring (ring): item category 1 -> 2",
          "magic item Ring (ring): troop categories -1 -> 512", "siege engine Ram (ramm) removed"}},
        {"a nation replaced by a later one of the same id is compared as it ends up",
         Nation(Troop("AAAA", "A", 1)) + "<NATION 1 \"N\" \"A\">" + Troop("AAAA", "A", 7) + "</NATION>",
         Nation(Troop("AAAA", "A", 1)),
         {"N: troop type A (AAAA): points 7 -> 1"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Lines(c.before, c.now), c.lines) << c.what;
}

} // namespace
