#include "ArmyListReader.h"
#include "FileRead.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <utility>

using namespace ovra;
using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

enum class Op { Space, Tag, Number, Code, Quoted, Word, Text };

// Runs one reader operation on fresh results: what it answers and what it read.
std::pair<bool, std::string> Apply(Op op, ArmyListReader& r) {
    std::string s = "stale";
    std::int32_t number = 77;
    Code code = CodeOf("prev");
    // A braced list is evaluated left to right: the read happens first.
    switch (op) {
    case Op::Space:
        return {r.SkipWhitespace(), ""};
    case Op::Tag:
        return {r.ReadTagName(s), s};
    case Op::Number:
        return {r.ReadNumber(number), std::to_string(number)};
    case Op::Code:
        return {r.ReadCode(code), CodeText(code)};
    case Op::Quoted:
        return {r.ReadQuoted(s), s};
    case Op::Word:
        return {r.ReadWord(s), s};
    case Op::Text:
        return {r.ReadTextUntil(s, "</INFO>"), s};
    }
    return {};
}

TEST(ArmyListReader, EachFieldReadGivesItsValueAndStopsWhereItShould) {
    const std::string nul(1, '\0');
    const struct {
        Op op;
        std::string text;
        bool ok;
        std::string value;
        std::string rest; // what the read leaves
    } cases[] = {
        {Op::Space, "  \r\n\tX", true, "", "X"},
        {Op::Space, "   " + nul + "X", false, "", "X"}, // the NUL byte is consumed
        {Op::Space, "\xE4\x41", true, "", "A"},         // bytes 0x80..0xFF are white space
        {Op::Space, "   ", false, "", ""},
        {Op::Tag, "troops 1", true, "TROOPS", " 1"},
        {Op::Tag, ">x", true, "", ">x"},
        {Op::Tag, "/Nation>", true, "/NATION", ">"},
        {Op::Tag, "INFO\xC4>", true, "INFO", "\xC4>"}, // bytes above 0x7F are not letters
        {Op::Tag, std::string(30, 'a') + ">", true, std::string(19, 'A'), ">"},
        {Op::Tag, "az", true, "AZ", ""},
        {Op::Number, "   42<", true, "42", "<"},
        {Op::Number, "-7", true, "-7", ""},
        {Op::Number, "7-", true, "-7", ""},
        {Op::Number, "1-2", true, "-12", ""},
        {Op::Number, "--3", true, "3", ""},
        {Op::Number, "12ab", true, "12", "ab"},
        {Op::Number, "+5", true, "0", "+5"}, // a number is read wherever text stands
        {Op::Number, "<", true, "0", "<"},
        {Op::Number, "4294967297", true, "1", ""}, // wraps at 32 bits
        {Op::Number, "2147483648", true, "-2147483648", ""},
        {Op::Number, "   ", false, "0", ""},
        {Op::Number, " " + nul + "5", false, "0", "5"},
        {Op::Code, "  ALEX\"", true, "ALEX", "\""},
        {Op::Code, " a \"b", true, "a \"b", ""},
        {Op::Code, " AB", true, "AB" + nul + nul, ""},
        {Op::Code, " A" + nul + "CD", true, "A" + nul + nul + nul, "CD"},
        {Op::Code, "    ", false, "prev", ""}, // a failed read leaves the code alone
        {Op::Quoted, "  x \"Light Infantry\" 3", true, "Light Infantry", " 3"},
        {Op::Quoted, "<TAG>\r\n\"a\r\nb\"", true, "a\r\nb", ""},
        {Op::Quoted, "\"\"x", true, "", "x"},
        {Op::Quoted, "\"abc", false, "abc", ""},
        {Op::Quoted, "abc", false, "", ""},
        {Op::Quoted, "\"" + std::string(2000, 'q') + "\"z", true, std::string(1199, 'q'), "z"},
        {Op::Word, "  Inf \"Infantry\"", true, "Inf", " \"Infantry\""},
        {Op::Word, "  Cav", false, "Cav", ""},
        {Op::Word, "Ab" + nul + "c", true, "Ab", nul + "c"},
        {Op::Word, std::string(1500, 'w') + " x", true, std::string(1199, 'w'), " x"},
        {Op::Text, "a<b</INF</info></INFO>rest", true, "a<b</INF</info>", "rest"},
        {Op::Text, "Say \"hold\".\r\n< no tag</INFO>", true, "Say \"hold\".\r\n< no tag", ""},
        {Op::Text, "text<ab", false, "text<ab", ""},
        {Op::Text, std::string(5000, 'x') + "</INFO>", true, std::string(5000, 'x'), ""}, // no length limit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.text));
        ArmyListReader r;
        r.OpenBytes(c.text.data(), c.text.size());
        const auto [ok, value] = Apply(c.op, r);
        EXPECT_EQ(ok, c.ok);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(c.text.substr(r.Position()), c.rest);
    }
}

TEST(ArmyListReader, ReadAndSeekStopAtTheEnds) {
    const std::string text = "abcdef";
    ArmyListReader r;
    r.OpenBytes(text.data(), text.size());
    char buffer[10] = {};
    EXPECT_EQ(r.Read(buffer, 3), 3u);
    EXPECT_EQ(std::string(buffer, 3), "abc");
    EXPECT_EQ(r.Read(buffer, 10), 3u);
    EXPECT_EQ(std::string(buffer, 3), "def");
    EXPECT_EQ(r.Read(buffer, 10), 0u);
    EXPECT_EQ(r.Seek(5), 0);
    EXPECT_EQ(r.Seek(-2), -2);
    EXPECT_EQ(r.Position(), 4u);
}

TEST(ArmyListReader, BuiltInResourceIsFoundByItsIdentifier) {
    ArmyListReader reader;
    EXPECT_TRUE(reader.OpenResource(kBuiltInArmyListResource));
    EXPECT_GT(reader.Size(), 0u);
    EXPECT_FALSE(reader.OpenResource(1));
    EXPECT_EQ(reader.Size(), 0u);
}

TEST(FileReading, ReadsAtMostTheLimitAndRefusesWhatIsNoFile) {
    const ScratchFolder dir;
    const fs::path ten = dir.Put("ten", "0123456789");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    const struct {
        fs::path path;
        std::size_t limit;
        std::string bytes; // what is read; empty when it fails
        std::string error; // empty when it succeeds
    } cases[] = {
        {ten, 10, "0123456789", ""},
        {ten, 9, "", "The file is too large (over 9 bytes)."},
        {dir.Put("empty", ""), 10, "", ""},
        {"/dev/null", 10, "", ""},
        {"/dev/zero", 1000, "", "The file is too large (over 1000 bytes)."},
        {"/dev/zero", std::size_t{1024} * 1024, "", "The file is too large (over 1 MB)."}, // from 1 MB on
        {dir / "missing", 10, "", "The file does not exist."},
        {dir, 10, "", "It is a folder, not a file."},
        {dir / "pipe", 10, "", "It is a pipe or a socket, not a file."}, // and does not wait for a writer
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        std::string bytes = "stale";
        std::string error;
        EXPECT_EQ(ReadFileBounded(c.path, c.limit, bytes, error), c.error.empty());
        EXPECT_EQ(bytes, c.bytes);
        EXPECT_EQ(error, c.error);
    }
}

TEST(FileReading, AnArmyListFileIsReadWholeOnceAndOnlyWhenItHoldsBytes) {
    const ScratchFolder dir;
    const std::string text = "<MICAT 1 \"Weapon\">" + std::string(100000, ' ') + "<MICAT 2 \"Banner\">";
    const fs::path list = dir.Put("list.dfm", text);
    const fs::path empty = dir.Put("empty.dfm", "");
    ASSERT_EQ(::mkfifo((dir / "pipe.dfm").c_str(), 0600), 0);

    ArmyListFileReader reader;
    for (const fs::path& refused : {empty, dir / "missing.dfm", dir.path(), dir / "pipe.dfm"})
        EXPECT_FALSE(reader.OpenFile(refused)) << refused;
    ASSERT_TRUE(reader.OpenFile(list));
    fs::resize_file(list, 0);
    EXPECT_TRUE(reader.SkipPast('<'));
    EXPECT_TRUE(reader.OpenFile(empty)) << "an open reader stays on its file";
    EXPECT_EQ(reader.Position(), 1u);
    std::string read(reader.Size(), '\0');
    reader.Seek(-1);
    EXPECT_EQ(reader.Read(read.data(), read.size()), text.size()) << "a file cut short keeps its bytes";
    EXPECT_EQ(read, text);
    reader.Close();
    reader.Close();
    EXPECT_FALSE(reader.IsOpen());
}

} // namespace
