#include "Roster.h"

#include <gtest/gtest.h>

namespace ovra {
namespace {

TEST(ReportNoteTable, NumbersTextsInTheOrderFirstMetAndKeepsThem) {
    NoteTable notes;
    EXPECT_EQ(notes.NoteNumber("phalanx"), "1");
    EXPECT_EQ(notes.NoteNumber("range"), "2");
    EXPECT_EQ(notes.NoteNumber("phalanx"), "1");
    // Equal means byte for byte: case and trailing blanks make new notes.
    EXPECT_EQ(notes.NoteNumber("Phalanx"), "3");
    EXPECT_EQ(notes.NoteNumber("range "), "4");
    EXPECT_EQ(notes.NoteCount(), 4);
    EXPECT_EQ(notes.NoteAt(1), "phalanx");
    EXPECT_EQ(notes.NoteAt(4), "range ");
}

TEST(ReportNoteTable, NoteAtOutsideTheTableIsEmpty) {
    NoteTable notes;
    EXPECT_EQ(notes.NoteAt(1), "");
    notes.NoteNumber("only");
    EXPECT_EQ(notes.NoteAt(0), "");
    EXPECT_EQ(notes.NoteAt(-1), "");
    EXPECT_EQ(notes.NoteAt(2), "");
    EXPECT_EQ(notes.NoteAt(1), "only");
}

TEST(ReportNoteTable, ReferencesAreSortedAsTextsWithRepeatsKept) {
    NoteTable notes;
    for (int i = 1; i <= 9; ++i)
        notes.NoteNumber("text " + std::to_string(i));
    EXPECT_EQ(notes.NoteReferences({"ten", "text 2"}), "10,2");
    EXPECT_EQ(notes.NoteReferences({"text 2", "ten"}), "10,2");
    EXPECT_EQ(notes.NoteReferences({"text 3", "text 3"}), "3,3");
    EXPECT_EQ(notes.NoteReferences({"text 9", "text 1", "eleven", "text 5"}), "1,11,5,9");
    EXPECT_EQ(notes.NoteReferences({}), "");
    EXPECT_EQ(notes.NoteCount(), 11);
}

} // namespace
} // namespace ovra
