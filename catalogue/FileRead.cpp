#include "FileRead.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ovra {
namespace {

constexpr std::size_t kFirstChunk = std::size_t{64} * 1024;

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

bool Fail(std::string& bytes, std::string& error, std::string reason) {
    bytes.clear();
    error = std::move(reason);
    return false;
}

std::string TooLarge(std::size_t limit) {
    constexpr std::size_t kMegabyte = std::size_t{1024} * 1024;
    return "The file is too large (over " +
           (limit >= kMegabyte ? std::to_string(limit / kMegabyte) + " MB"
                               : std::to_string(limit) + " bytes") +
           ").";
}

} // namespace

bool ReadFileBounded(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                     std::string& error) {
    // Non-blocking, so that opening a pipe with no writer returns at once; the
    // type check below then refuses it.
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        return Fail(bytes, error, errno == ENOENT ? "The file does not exist." : std::strerror(errno));
    struct stat info {};
    if (::fstat(file.get(), &info) != 0)
        return Fail(bytes, error, std::strerror(errno));
    if (S_ISDIR(info.st_mode))
        return Fail(bytes, error, "It is a folder, not a file.");
    if (S_ISFIFO(info.st_mode) || S_ISSOCK(info.st_mode))
        return Fail(bytes, error, "It is a pipe or a socket, not a file.");
    const std::string tooLarge = TooLarge(limit);
    if (S_ISREG(info.st_mode) && static_cast<std::uintmax_t>(info.st_size) > limit)
        return Fail(bytes, error, tooLarge);
    // Devices are read as they come, blocking like any other read.
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags != -1)
        ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);

    // One byte beyond the limit tells a file at the limit from a longer one.
    const std::size_t most = limit + 1;
    const std::size_t expected =
        S_ISREG(info.st_mode) ? static_cast<std::size_t>(info.st_size) + 1 : kFirstChunk;
    bytes.assign(std::min(most, std::max<std::size_t>(expected, 1)), '\0');
    std::size_t have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have >= most)
                break;
            bytes.resize(std::min(most, std::max(have * 2, kFirstChunk)));
        }
        const ssize_t n = ::read(file.get(), bytes.data() + have, bytes.size() - have);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return Fail(bytes, error, std::strerror(errno));
        if (n == 0)
            break;
        have += static_cast<std::size_t>(n);
    }
    if (have > limit)
        return Fail(bytes, error, tooLarge);
    bytes.resize(have);
    return true;
}

} // namespace ovra
