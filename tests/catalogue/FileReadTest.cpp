#include "FileRead.h"
#include "ArmyListReader.h"
#include "ScratchFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ovra;
using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

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
        {"/dev/zero", std::size_t{3} * 1024 * 1024, "", "The file is too large (over 3 MB)."},
        {dir / "missing", 10, "", "The file does not exist."},
        {dir, 10, "", "It is a folder, not a file."},
        {dir / "pipe", 10, "", "It is a pipe or a socket, not a file."}, // and does not wait for a writer
    };
    for (const auto& c : cases) {
        std::string bytes = "stale";
        std::string error;
        EXPECT_EQ(ReadFileBounded(c.path, c.limit, bytes, error), c.error.empty()) << c.path;
        EXPECT_EQ(bytes, c.bytes) << c.path;
        EXPECT_EQ(error, c.error) << c.path;
    }
}

TEST(FileReading, AnArmyListCutShortWhileOpenKeepsItsBytes) {
    const ScratchFolder dir;
    const std::string text = "<MICAT 1 \"Weapon\">" + std::string(100000, ' ') + "<MICAT 2 \"Banner\">";
    const fs::path path = dir.Put("list.dfm", text);
    ArmyListFileReader reader;
    ASSERT_TRUE(reader.OpenFile(path));
    fs::resize_file(path, 0);
    std::string read(reader.Size(), '\0');
    EXPECT_EQ(reader.Read(read.data(), read.size()), text.size());
    EXPECT_EQ(read, text);
}

} // namespace
