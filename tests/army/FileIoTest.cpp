// The write path's treatment of what is already at the target: links,
// permissions, owners, folders. Faults of the disk and signals are tested end
// to end in tests/cli/WriteFaultTest.cpp.
#include "FileIo.h"
#include "RunProgram.h"

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
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

// Links a/l0 -> l1 -> ... -> l(n-1) -> ../b/new.
std::vector<std::pair<std::string, std::string>> Chain(int n) {
    std::vector<std::pair<std::string, std::string>> links;
    for (int i = 0; i < n; ++i)
        links.emplace_back("a/l" + std::to_string(i), i + 1 < n ? "l" + std::to_string(i + 1) : "../b/new");
    return links;
}

TEST(AtomicWrite, FollowsLinksToTheFileTheyName) {
    const struct {
        std::vector<std::pair<std::string, std::string>> links; // name, target
        const char* written;                                    // the path written
        const char* changed; // the file that gets the bytes; empty on failure
        const char* error;
    } cases[] = {
        {{{"a/first", "../b/second"}, {"b/second", "file"}}, "a/first", "b/file", ""}, // b/file exists
        {{{"a/dangling", "../b/new"}}, "a/dangling", "b/new", ""},
        {{{"a/one", "two"}, {"a/two", "one"}}, "a/one", "", "Too many levels of symbolic links"},
        {{{"a/folder", "../b"}}, "a/folder", "", "Is a directory"},
        {{}, "c/file", "", "No such file or directory"},
        // As many links as the kernel follows, to a file still to be made.
        {Chain(40), "a/l0", "b/new", ""},
        {Chain(41), "a/l0", "", "Too many levels of symbolic links"},
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

// The user "nobody", whom root becomes to try what an ordinary user may do.
constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

// Runs `write` as an ordinary user: in a child that drops root's privileges,
// or here when not root. Returns what `write` returned.
std::string AsOrdinaryUser(const std::function<std::string()>& write) {
    if (::geteuid() != 0)
        return write();
    int channel[2];
    if (::pipe(channel) != 0)
        return "no pipe";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::string said = "cannot become nobody";
        if (::setgroups(0, nullptr) == 0 && ::setgid(kNoGroup) == 0 && ::setuid(kNobody) == 0)
            said = write();
        ssize_t ignored = ::write(channel[1], said.data(), said.size());
        (void)ignored;
        ::_exit(0);
    }
    ::close(channel[1]);
    std::string said;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        said.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    ::waitpid(child, nullptr, 0);
    return said;
}

std::string Written(const fs::path& path) {
    WriteFailure failure;
    if (WriteFileAtomically(path, "new bytes", failure))
        return "written";
    return (failure.kind == WriteFailure::Kind::ReadOnly ? "read-only: " : "other: ") + failure.reason;
}

struct stat Status(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info;
}

TEST(AtomicWrite, RefusesWhatTheUserMayNotWriteAndKeepsOwners) {
    const bool root = ::geteuid() == 0;
    const uid_t user = root ? kNobody : ::geteuid();
    const ScratchFolder dir;
    ::chmod(dir.path().c_str(), 0777); // the user may make and rename files in it

    if (root) {
        const fs::path theirs = dir.Put("theirs", "old");
        ASSERT_EQ(::chown(theirs.c_str(), kNobody, kNoGroup), 0);
        ::chmod(theirs.c_str(), 0640);
        EXPECT_EQ(Written(theirs), "written");
        EXPECT_EQ(Status(theirs).st_uid, kNobody) << "root's save keeps the owner";
        EXPECT_EQ(Status(theirs).st_gid, kNoGroup) << "and the group";
        EXPECT_EQ(Status(theirs).st_mode & 07777, 0640u);
    }

    // A folder above the scratch folder may be closed to other users (a
    // private temporary folder, a container's root): then nobody can be tried.
    const std::string reach = AsOrdinaryUser([&] {
        return ::access(dir.path().c_str(), W_OK | X_OK) == 0 ? std::string("yes") : std::strerror(errno);
    });
    if (reach != "yes")
        GTEST_SKIP() << "an ordinary user cannot reach " << dir.path() << " here: " << reach;

    const struct {
        const char* name;
        mode_t mode;
        bool rootsFile; // owned by root (made only when running as root)
        const char* result;
    } cases[] = {
        {"writable", 0644, false, "written"},
        {"read-only", 0444, false, "read-only: The file is read-only"},
        {"another user's", 0644, true, "read-only: The file is read-only"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.rootsFile && !root)
            continue; // only root can make another user's file here
        const fs::path file = dir.Put(c.name, "old");
        ::chmod(file.c_str(), c.mode);
        if (!c.rootsFile && ::chown(file.c_str(), user, static_cast<gid_t>(-1)) != 0)
            GTEST_SKIP() << "cannot give the file to the user";
        EXPECT_EQ(AsOrdinaryUser([&] { return Written(file); }), c.result);
        EXPECT_EQ(ReadWholeFile(file), std::string(c.result) == "written" ? "new bytes" : "old");
        EXPECT_EQ(Status(file).st_mode & 07777, c.mode);
        EXPECT_EQ(Status(file).st_uid, c.rootsFile ? 0 : user);
    }
    for (const std::string& name : Entries(dir))
        EXPECT_NE(name.rfind(".ovra-", 0), 0u) << "a temporary file remains: " << name;
}

} // namespace
