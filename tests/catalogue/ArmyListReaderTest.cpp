#include "ArmyListReader.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace ovra;

namespace {

// A reader over its own copy of the bytes.
class TextReader : public ArmyListReader {
public:
    explicit TextReader(std::string text) : text_(std::move(text)) { OpenBytes(text_.data(), text_.size()); }
    char Next() const { return Position() < Size() ? text_[Position()] : '\0'; }

private:
    std::string text_;
};

TEST(ArmyListReader, ReadCopiesWhatRemainsAndStopsAtTheEnd) {
    TextReader r("abcdef");
    char buffer[10] = {};
    EXPECT_EQ(r.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_EQ(r.Read(buffer, 10), 3u);
    EXPECT_EQ(std::string(buffer, 3), "def");
    EXPECT_EQ(r.Read(buffer, 10), 0u);
    EXPECT_EQ(r.Position(), r.Size());
    EXPECT_EQ(r.Seek(5), 0);
    EXPECT_EQ(r.Seek(-2), -2);
    EXPECT_EQ(r.Position(), 4u);
}

TEST(ArmyListReader, SkipWhitespaceStopsBeforeTextAndEndsAtNul) {
    TextReader text(std::string("  \r\n\tX"));
    EXPECT_TRUE(text.SkipWhitespace());
    EXPECT_EQ(text.Next(), 'X');

    TextReader nul(std::string("   \0X", 5));
    EXPECT_FALSE(nul.SkipWhitespace());
    EXPECT_EQ(nul.Position(), 4u) << "the NUL byte stays consumed";

    TextReader high("\xE4\x41");
    EXPECT_TRUE(high.SkipWhitespace()) << "bytes 0x80..0xFF are white space";
    EXPECT_EQ(high.Next(), 'A');

    TextReader empty("   ");
    EXPECT_FALSE(empty.SkipWhitespace());
}

TEST(ArmyListReader, TagNamesAreUpperCasedRunsOfLettersAndSlashes) {
    std::string name;
    TextReader troops("troops 1");
    EXPECT_TRUE(troops.ReadTagName(name));
    EXPECT_EQ(name, "TROOPS");
    EXPECT_EQ(troops.Next(), ' ');

    TextReader close(">x");
    close.ReadTagName(name);
    EXPECT_EQ(name, "");
    EXPECT_EQ(close.Next(), '>');

    TextReader closing("/Nation>");
    closing.ReadTagName(name);
    EXPECT_EQ(name, "/NATION");

    TextReader high("INFO\xC4>");
    high.ReadTagName(name);
    EXPECT_EQ(name, "INFO") << "bytes above 0x7F are not letters";

    TextReader longName(std::string(30, 'a') + ">");
    longName.ReadTagName(name);
    EXPECT_EQ(name, std::string(19, 'A'));
    EXPECT_EQ(longName.Next(), '>') << "the whole run is consumed";

    TextReader atEnd("ab");
    atEnd.ReadTagName(name);
    EXPECT_EQ(name, "AB");
}

TEST(ArmyListReader, NumbersFlipTheirSignAtEveryDash) {
    const auto number = [](const std::string& text, char* next = nullptr) {
        TextReader r(text);
        std::int32_t value = 77;
        EXPECT_TRUE(r.ReadNumber(value)) << "a number is read wherever text stands";
        if (next)
            *next = r.Next();
        return value;
    };
    char next = 0;
    EXPECT_EQ(number("   42<", &next), 42);
    EXPECT_EQ(next, '<');
    EXPECT_EQ(number("-7"), -7);
    EXPECT_EQ(number("7-"), -7);
    EXPECT_EQ(number("1-2"), -12);
    EXPECT_EQ(number("--3"), 3);
    EXPECT_EQ(number("12ab", &next), 12);
    EXPECT_EQ(next, 'a');
    EXPECT_EQ(number("+5", &next), 0);
    EXPECT_EQ(next, '+');
    EXPECT_EQ(number("<", &next), 0);
    EXPECT_EQ(next, '<');
    EXPECT_EQ(number("4294967297"), 1) << "wraps at 32 bits";
    EXPECT_EQ(number("2147483648"), -2147483647 - 1);

    TextReader end("   ");
    std::int32_t value = 5;
    EXPECT_FALSE(end.ReadNumber(value));
    EXPECT_EQ(value, 0);
    TextReader nul(std::string(" \0"
                               "5",
                               3));
    EXPECT_FALSE(nul.ReadNumber(value));
    EXPECT_EQ(value, 0);
}

TEST(ArmyListReader, CodesAreTheNextFourBytesWhateverTheyAre) {
    Code code = 0;
    TextReader alex("  ALEX\"");
    EXPECT_TRUE(alex.ReadCode(code));
    EXPECT_EQ(code, CodeOf("ALEX"));
    EXPECT_EQ(alex.Next(), '"');

    TextReader odd(" a \"b");
    odd.ReadCode(code);
    EXPECT_EQ(code, CodeOf("a \"b"));

    TextReader cut(" AB");
    EXPECT_TRUE(cut.ReadCode(code));
    EXPECT_EQ(code, MakeCode('A', 'B', 0, 0));

    TextReader nulInside(std::string(" A\0CD", 5));
    nulInside.ReadCode(code);
    EXPECT_EQ(code, MakeCode('A', 0, 0, 0));

    code = 1234;
    TextReader none("    ");
    EXPECT_FALSE(none.ReadCode(code));
    EXPECT_EQ(code, 1234u) << "a failed read leaves the code alone";
}

TEST(ArmyListReader, QuotedStringsSkipEverythingToTheOpeningQuote) {
    std::string s;
    TextReader r("  x \"Light Infantry\" 3");
    EXPECT_TRUE(r.ReadQuoted(s));
    EXPECT_EQ(s, "Light Infantry");
    EXPECT_EQ(r.Next(), ' ');

    TextReader across("<TAG>\r\n\"a\r\nb\"");
    EXPECT_TRUE(across.ReadQuoted(s));
    EXPECT_EQ(s, "a\r\nb");

    TextReader empty("\"\"x");
    EXPECT_TRUE(empty.ReadQuoted(s));
    EXPECT_EQ(s, "");
    EXPECT_EQ(empty.Next(), 'x');

    TextReader unterminated("\"abc");
    EXPECT_FALSE(unterminated.ReadQuoted(s));
    EXPECT_EQ(s, "abc");
    TextReader noQuote("abc");
    EXPECT_FALSE(noQuote.ReadQuoted(s));
    EXPECT_EQ(s, "");

    TextReader longText("\"" + std::string(2000, 'q') + "\"z");
    EXPECT_TRUE(longText.ReadQuoted(s));
    EXPECT_EQ(s.size(), 1199u);
    EXPECT_EQ(longText.Next(), 'z') << "the rest of the field is consumed";
}

TEST(ArmyListReader, WordsEndAtWhiteSpace) {
    std::string s;
    TextReader r("  Inf \"Infantry\"");
    EXPECT_TRUE(r.ReadWord(s));
    EXPECT_EQ(s, "Inf");
    EXPECT_EQ(r.Next(), ' ');

    TextReader end("  Cav");
    EXPECT_FALSE(end.ReadWord(s));
    EXPECT_EQ(s, "Cav");

    TextReader nul(std::string("Ab\0c", 4));
    EXPECT_TRUE(nul.ReadWord(s));
    EXPECT_EQ(s, "Ab");

    TextReader longWord(std::string(1500, 'w') + " x");
    longWord.ReadWord(s);
    EXPECT_EQ(s.size(), 1199u);
    EXPECT_EQ(longWord.Next(), ' ');
}

TEST(ArmyListReader, FreeTextRunsToTheExactClosingTag) {
    std::string s;
    TextReader r("a<b</INF</info></INFO>rest");
    EXPECT_TRUE(r.ReadTextUntil(s, "</INFO>"));
    EXPECT_EQ(s, "a<b</INF</info>");
    EXPECT_EQ(r.Next(), 'r');

    TextReader quotes("He said \"hold\".\r\n\r\n< not a tag</INFO>");
    EXPECT_TRUE(quotes.ReadTextUntil(s, "</INFO>"));
    EXPECT_EQ(s, "He said \"hold\".\r\n\r\n< not a tag");

    TextReader unterminated("text<ab");
    EXPECT_FALSE(unterminated.ReadTextUntil(s, "</INFO>"));
    EXPECT_EQ(s, "text<ab");
    EXPECT_EQ(unterminated.Position(), unterminated.Size());

    TextReader longText(std::string(5000, 'x') + "</LIMIT>");
    EXPECT_TRUE(longText.ReadTextUntil(s, "</LIMIT>"));
    EXPECT_EQ(s.size(), 5000u) << "free text has no length limit";
}

TEST(ArmyListFileReader, OpensOnlyNonEmptyReadableFiles) {
    const test::ScratchFolder dir;
    const auto empty = dir / "empty.dfm";
    const auto full = dir / "full.dfm";
    std::ofstream(empty).close();
    std::ofstream(full, std::ios::binary) << "<MICAT 1 \"Weapon\">";

    ArmyListFileReader reader;
    EXPECT_FALSE(reader.OpenFile(empty));
    EXPECT_FALSE(reader.OpenFile(dir / "missing.dfm"));
    EXPECT_FALSE(reader.OpenFile(dir)) << "a directory is not an army-list file";
    ASSERT_EQ(::mkfifo((dir / "pipe.dfm").c_str(), 0600), 0);
    EXPECT_FALSE(reader.OpenFile(dir / "pipe.dfm")) << "a pipe is refused without waiting for a writer";
    ASSERT_TRUE(reader.OpenFile(full));
    EXPECT_EQ(reader.Size(), 18u);
    EXPECT_TRUE(reader.SkipPast('<'));
    EXPECT_TRUE(reader.OpenFile(empty)) << "an open reader stays on its file";
    EXPECT_EQ(reader.Size(), 18u);
    EXPECT_EQ(reader.Position(), 1u);
    reader.Close();
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
}

TEST(ArmyListReader, BuiltInResourceIsFoundByItsIdentifier) {
    ArmyListReader reader;
    EXPECT_TRUE(reader.OpenResource(kBuiltInArmyListResource));
    EXPECT_GT(reader.Size(), 0u);
    ArmyListReader missing;
    EXPECT_FALSE(missing.OpenResource(1));
    EXPECT_EQ(missing.Position(), 0u);
}

} // namespace
