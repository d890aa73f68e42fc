#include "FileIo.h"

#include "FileRead.h"

#include <cerrno>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovra {
namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMostLinks = 40;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { Close(); }
    int get() const { return fd_; }
    // Closes now; false (with errno set) when the close reported an error.
    bool Close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_;
};

bool Fail(std::string& error, int code) {
    error = std::strerror(code);
    return false;
}

// Writes every byte, resuming after short writes and interruptions.
bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The path a chain of symbolic links at `path` ends in; the last one may name
// a file that does not exist yet. False (errno set) on a loop.
bool FollowLinks(std::filesystem::path& path) {
    for (int links = 0; links <= kMostLinks; ++links) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            return true;
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec) {
            errno = ec.value();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
    errno = ELOOP;
    return false;
}

// Opens a new file with a short name of our own in the folder; the name is
// short so that a target name near the 255-byte limit still works, and the
// file is created exclusively so that nothing already there is touched.
int CreateTemporary(int folder, std::string& name) {
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device entropy;
    std::minstd_rand random(entropy());
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = ".ovra-";
        for (int i = 0; i < 8; ++i)
            name += kLetters[random() % (sizeof kLetters - 1)];
        const int fd =
            ::openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the new file the replaced file's permissions, and its owner where
// that is allowed (root saving another user's file); chown comes first, as it
// clears the set-id bits. False (errno set) when the permissions cannot be set.
bool KeepOwnerAndMode(int fd, const struct stat& replaced) {
    struct stat created {};
    if (::fstat(fd, &created) == 0 &&
        (created.st_uid != replaced.st_uid || created.st_gid != replaced.st_gid) &&
        ::fchown(fd, replaced.st_uid, replaced.st_gid) != 0) {
        // Not allowed to give the file away: it stays ours, as a copy would.
    }
    return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

// A device, a pipe or a terminal is written where it is.
bool WriteInPlace(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    FileDescriptor file(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY));
    if (file.get() < 0 || !WriteAll(file.get(), bytes) || !file.Close())
        return Fail(error, errno);
    return true;
}

} // namespace

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    return ReadFileBounded(path, kLargestReadableFile, bytes, error);
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return Fail(error, errno);
    if (exists && S_ISDIR(existing.st_mode))
        return Fail(error, EISDIR);
    if (exists && !S_ISREG(existing.st_mode))
        return WriteInPlace(path, bytes, error);

    std::filesystem::path target = path;
    if (!FollowLinks(target))
        return Fail(error, errno);
    const std::filesystem::path folderPath = target.has_parent_path() ? target.parent_path() : ".";
    const std::string name = target.filename().string();
    if (name.empty() || name == "." || name == "..")
        return Fail(error, EISDIR);
    FileDescriptor folder(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0)
        return Fail(error, errno);

    std::string temporaryName;
    FileDescriptor temporary(CreateTemporary(folder.get(), temporaryName));
    if (temporary.get() < 0)
        return Fail(error, errno);
    const bool written = (!exists || KeepOwnerAndMode(temporary.get(), existing)) &&
                         WriteAll(temporary.get(), bytes) && ::fsync(temporary.get()) == 0;
    int reason = written ? 0 : errno;
    if (!temporary.Close() && reason == 0)
        reason = errno;
    if (reason == 0 && ::renameat(folder.get(), temporaryName.c_str(), folder.get(), name.c_str()) != 0)
        reason = errno;
    if (reason != 0) {
        ::unlinkat(folder.get(), temporaryName.c_str(), 0);
        return Fail(error, reason);
    }
    // The new file is in place; syncing the folder makes the rename durable.
    // Some file systems refuse to sync a folder, which does not undo the save.
    ::fsync(folder.get());
    return true;
}

} // namespace ovra
