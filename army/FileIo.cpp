#include "FileIo.h"

#include "FileRead.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <random>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovra {
namespace {

// Symbolic links followed before giving up, as the kernel does.
constexpr int kMostLinks = 40;

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
    for (int links = 0;; ++links) {
        std::error_code ec;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, ec)))
            return true;
        if (links == kMostLinks) {
            errno = ELOOP;
            return false;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(path, ec);
        if (ec) {
            errno = ec.value();
            return false;
        }
        path = target.is_absolute() ? target : path.parent_path() / target;
    }
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

// Gives the new file the replaced file's permissions, and its owner and group
// where that is allowed (root saving another user's file; the group alone
// for a member of it); chown comes first, as it clears the set-id bits. False
// (errno set) when the permissions cannot be set.
bool KeepOwnerAndMode(int fd, const struct stat& replaced) {
    struct stat created {};
    if (::fstat(fd, &created) == 0 &&
        (created.st_uid != replaced.st_uid || created.st_gid != replaced.st_gid) &&
        ::fchown(fd, replaced.st_uid, replaced.st_gid) != 0 && created.st_gid != replaced.st_gid &&
        ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid) != 0) {
        // Not allowed to give the file away: it stays ours, as a copy would.
    }
    return ::fchmod(fd, replaced.st_mode & 07777) == 0;
}

// The temporary files of writes in progress, for the signal handler: the
// folder's descriptor and the file's name, set before `active`.
struct PendingTemporary {
    volatile std::sig_atomic_t active = 0;
    int folder = -1;
    char name[32] = {};
};
PendingTemporary gPending[4];

void RememberTemporary(int folder, const std::string& name) {
    for (PendingTemporary& pending : gPending) {
        if (pending.active != 0 || name.size() >= sizeof pending.name)
            continue;
        pending.folder = folder;
        std::memcpy(pending.name, name.c_str(), name.size() + 1);
        std::atomic_signal_fence(std::memory_order_seq_cst);
        pending.active = 1;
        return;
    }
}

void ForgetTemporary(int folder, const std::string& name) {
    for (PendingTemporary& pending : gPending)
        if (pending.active != 0 && pending.folder == folder && name == pending.name)
            pending.active = 0;
}

// Only async-signal-safe calls: unlinkat, signal, raise.
void RemoveTemporariesAndEnd(int signal) {
    for (PendingTemporary& pending : gPending)
        if (pending.active != 0)
            ::unlinkat(pending.folder, pending.name, 0);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// The signals after which no temporary file may remain.
constexpr int kInterruptingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// Writes larger than this go to the file at once.
constexpr std::size_t kBufferSize = 64 * 1024;

} // namespace

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    return ReadFileBounded(path, kLargestReadableFile, bytes, error);
}

AtomicFileWriter::~AtomicFileWriter() {
    Abort();
}

bool AtomicFileWriter::Fail(int code) {
    failure_.kind = code == EACCES || code == EPERM || code == EROFS ? WriteFailure::Kind::ReadOnly
                                                                     : WriteFailure::Kind::Other;
    failure_.reason = std::strerror(code);
    Abort();
    return false;
}

bool AtomicFileWriter::Open(const std::filesystem::path& path) {
    Abort();
    failure_ = {};
    struct stat existing {};
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT)
        return Fail(errno);
    if (exists && S_ISDIR(existing.st_mode))
        return Fail(EISDIR);
    if (exists && !S_ISREG(existing.st_mode)) {
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        inPlace_ = true;
        return fd_ >= 0 || Fail(errno);
    }
    // The rename would go around the file's own permission: a file the user
    // may not write is not replaced either.
    if (exists && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
        Fail(errno);
        if (failure_.kind == WriteFailure::Kind::ReadOnly && errno != EROFS)
            failure_.reason = "The file is read-only";
        return false;
    }

    std::filesystem::path target = path;
    if (!FollowLinks(target))
        return Fail(errno);
    const std::filesystem::path folderPath = target.has_parent_path() ? target.parent_path() : ".";
    targetName_ = target.filename().string();
    if (targetName_.empty() || targetName_ == "." || targetName_ == "..")
        return Fail(EISDIR);
    folder_ = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder_ < 0)
        return Fail(errno);
    // The signals that remove temporaries wait until this one is known.
    sigset_t interrupting, previous;
    sigemptyset(&interrupting);
    for (const int signal : kInterruptingSignals)
        sigaddset(&interrupting, signal);
    ::pthread_sigmask(SIG_BLOCK, &interrupting, &previous);
    fd_ = CreateTemporary(folder_, temporaryName_);
    const int created = errno;
    if (fd_ >= 0)
        RememberTemporary(folder_, temporaryName_);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (fd_ < 0) {
        temporaryName_.clear();
        return Fail(created);
    }
    if (exists && !KeepOwnerAndMode(fd_, existing))
        return Fail(errno);
    return true;
}

bool AtomicFileWriter::Flush() {
    if (!buffer_.empty() && !WriteAll(fd_, buffer_))
        return Fail(errno);
    buffer_.clear();
    return true;
}

bool AtomicFileWriter::Append(std::string_view bytes) {
    if (fd_ < 0)
        return false;
    if (buffer_.size() + bytes.size() <= kBufferSize) {
        buffer_ += bytes;
        return true;
    }
    if (!Flush())
        return false;
    if (bytes.size() < kBufferSize) {
        buffer_ += bytes;
        return true;
    }
    return WriteAll(fd_, bytes) || Fail(errno);
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0 || !Flush())
        return false;
    if (!inPlace_ && ::fsync(fd_) != 0)
        return Fail(errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        return Fail(errno);
    if (!inPlace_) {
        if (::renameat(folder_, temporaryName_.c_str(), folder_, targetName_.c_str()) != 0)
            return Fail(errno);
        ForgetTemporary(folder_, temporaryName_);
        temporaryName_.clear();
        // The new file is in place; syncing the folder makes the rename
        // durable. Some file systems refuse to sync a folder, which does not
        // undo the save.
        ::fsync(folder_);
    }
    Abort(); // closes the folder
    return true;
}

void AtomicFileWriter::Abort() {
    const int error = errno; // a failure's reason outlives the clean-up
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!temporaryName_.empty()) {
        ::unlinkat(folder_, temporaryName_.c_str(), 0);
        ForgetTemporary(folder_, temporaryName_);
        temporaryName_.clear();
    }
    if (folder_ >= 0)
        ::close(folder_);
    folder_ = -1;
    inPlace_ = false;
    buffer_.clear();
    errno = error;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, WriteFailure& failure) {
    AtomicFileWriter writer;
    const bool written = writer.Open(path) && writer.Append(bytes) && writer.Commit();
    failure = writer.failure();
    return written;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    WriteFailure failure;
    const bool written = WriteFileAtomically(path, bytes, failure);
    error = failure.reason;
    return written;
}

void InstallTemporaryFileCleanup() {
    for (const int signal : kInterruptingSignals) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTemporariesAndEnd;
        sigfillset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace ovra
