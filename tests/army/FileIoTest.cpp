// The write path's treatment of what is already at the target: links,
// permissions, folders. Faults of the disk are tested end to end in
// tests/cli/WriteFaultTest.cpp.
#include "FileIo.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>

using namespace ovra;
using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

class AtomicWrite : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("ovra_write_" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir / "a");
        fs::create_directories(dir / "b");
    }
    void TearDown() override { fs::remove_all(dir); }

    // Every entry under the scratch folder, so that a temporary file left
    // anywhere shows. Links are listed, never followed.
    std::set<std::string> Entries(const fs::path& folder = {}) const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir / folder)) {
            const fs::path name = folder / entry.path().filename();
            names.insert(name.string());
            if (!entry.is_symlink() && entry.is_directory())
                names.merge(Entries(name));
        }
        return names;
    }
    static mode_t Mode(const fs::path& path) {
        struct stat info {};
        ::stat(path.c_str(), &info);
        return info.st_mode & 07777;
    }
    static bool Write(const fs::path& path, std::string_view bytes, std::string& error) {
        return WriteFileAtomically(path, bytes, error);
    }

    fs::path dir;
};

TEST_F(AtomicWrite, FollowsLinksToTheFileTheyName) {
    struct Case {
        const char* name;
        std::function<void(const fs::path&)> make; // builds the links under the scratch folder
        const char* written;                       // the path that is written, under the folder
        const char* changed;                       // the file that gets the bytes; empty on failure
        const char* error;
    };
    const Case cases[] = {
        {"a chain of relative links across folders",
         [](const fs::path& d) {
             fs::create_symlink("../b/second", d / "a" / "first");
             fs::create_symlink("file", d / "b" / "second");
             std::ofstream(d / "b" / "file") << "old";
         },
         "a/first", "b/file", ""},
        {"a link to a file not made yet",
         [](const fs::path& d) { fs::create_symlink("../b/new", d / "a" / "dangling"); }, "a/dangling",
         "b/new", ""},
        {"a loop of links",
         [](const fs::path& d) {
             fs::create_symlink("two", d / "a" / "one");
             fs::create_symlink("one", d / "a" / "two");
         },
         "a/one", "", "Too many levels of symbolic links"},
        {"a link to a folder",
         [](const fs::path& d) { fs::create_directory_symlink("../b", d / "a" / "folder"); }, "a/folder", "",
         "Is a directory"},
        {"a file in a folder that does not exist", [](const fs::path&) {}, "c/file", "",
         "No such file or directory"},
    };
    for (const Case& c : cases) {
        fs::remove_all(dir / "a");
        fs::remove_all(dir / "b");
        fs::create_directories(dir / "a");
        fs::create_directories(dir / "b");
        c.make(dir);
        std::set<std::string> expected = Entries();
        if (*c.changed != '\0')
            expected.insert(c.changed);
        std::string error;
        EXPECT_EQ(Write(dir / c.written, "new bytes", error), *c.error == '\0') << c.name;
        EXPECT_EQ(error, c.error) << c.name;
        if (*c.changed != '\0') {
            EXPECT_EQ(ReadWholeFile(dir / c.changed), "new bytes") << c.name;
            EXPECT_TRUE(fs::is_symlink(dir / c.written)) << c.name << ": the link stays a link";
        }
        EXPECT_EQ(Entries(), expected) << c.name;
    }
}

TEST_F(AtomicWrite, KeepsTheReplacedFilesPermissions) {
    const mode_t umaskBefore = ::umask(027);
    std::string error;
    ASSERT_TRUE(Write(dir / "new", "bytes", error)) << error;
    EXPECT_EQ(Mode(dir / "new"), 0640u) << "0666 less the umask, not a temporary file's 0600";
    for (const mode_t mode : {0600u, 0444u, 0755u}) {
        ::chmod((dir / "new").c_str(), mode);
        ASSERT_TRUE(Write(dir / "new", "bytes", error)) << error;
        EXPECT_EQ(Mode(dir / "new"), mode);
    }
    ::umask(umaskBefore);
}

} // namespace
