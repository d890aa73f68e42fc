// The write path's treatment of what is already at the target: links,
// permissions, folders. Faults of the disk are tested end to end in
// tests/cli/WriteFaultTest.cpp.
#include "FileIo.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <set>

using namespace ovra;
using namespace ovra::test;

namespace {

namespace fs = std::filesystem;

// Every entry under `folder`, so that a temporary file left anywhere shows.
// Links are listed, never followed.
std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(entry.path().lexically_relative(folder).string());
    return names;
}

TEST(AtomicWrite, FollowsLinksToTheFileTheyName) {
    const struct {
        std::vector<std::pair<const char*, const char*>> links; // name, target
        const char* written;                                    // the path written
        const char* changed; // the file that gets the bytes; empty on failure
        const char* error;
    } cases[] = {
        {{{"a/first", "../b/second"}, {"b/second", "file"}}, "a/first", "b/file", ""}, // b/file exists
        {{{"a/dangling", "../b/new"}}, "a/dangling", "b/new", ""},
        {{{"a/one", "two"}, {"a/two", "one"}}, "a/one", "", "Too many levels of symbolic links"},
        {{{"a/folder", "../b"}}, "a/folder", "", "Is a directory"},
        {{}, "c/file", "", "No such file or directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.written);
        const ScratchFolder dir;
        dir.Put("b/file", "old");
        fs::create_directories(dir / "a");
        for (const auto& [name, target] : c.links)
            fs::create_symlink(target, dir / name);
        std::set<std::string> expected = Entries(dir);
        if (*c.changed != '\0')
            expected.insert(c.changed);
        std::string error;
        EXPECT_EQ(WriteFileAtomically(dir / c.written, "new bytes", error), *c.error == '\0');
        EXPECT_EQ(error, c.error);
        if (*c.changed != '\0') {
            EXPECT_EQ(ReadWholeFile(dir / c.changed), "new bytes");
            EXPECT_TRUE(fs::is_symlink(dir / c.written)) << "the link stays a link";
        }
        EXPECT_EQ(Entries(dir), expected);
    }
}

TEST(AtomicWrite, KeepsTheReplacedFilesPermissions) {
    const ScratchFolder dir;
    const auto mode = [&] {
        struct stat info {};
        ::stat((dir / "new").c_str(), &info);
        return info.st_mode & 07777;
    };
    const mode_t umaskBefore = ::umask(027);
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(dir / "new", "bytes", error)) << error;
    EXPECT_EQ(mode(), 0640u) << "0666 less the umask, not a temporary file's 0600";
    for (const mode_t kept : {0600u, 0444u, 0755u}) {
        ::chmod((dir / "new").c_str(), kept);
        ASSERT_TRUE(WriteFileAtomically(dir / "new", "bytes", error)) << error;
        EXPECT_EQ(mode(), kept);
    }
    ::umask(umaskBefore);
}

} // namespace
