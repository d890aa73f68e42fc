// Reading and writing whole files: every file the program reads or writes
// goes through these operations, the window's and the command line's.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ovra {

// Reads a whole army file (at most kLargestReadableFile bytes) into memory;
// false with a reason when it cannot be read. Pipes, sockets and folders are
// refused without blocking.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Why a file could not be written.
struct WriteFailure {
    enum class Kind {
        None,
        ReadOnly, // the user may not write there: a read-only file, folder or file system
        Other,    // anything else: a full disk, a missing folder, an input/output error
    };
    Kind kind = Kind::None;
    std::string reason; // "The file is read-only", "No space left on device"...
};

// Something bytes are written to piece by piece.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    // Appends the bytes; false once anything failed, after which nothing more
    // is written.
    virtual bool Append(std::string_view bytes) = 0;
};

// Collects the bytes in a string.
class StringSink : public ByteSink {
public:
    explicit StringSink(std::string& out) : out_(out) {}
    bool Append(std::string_view bytes) override {
        out_ += bytes;
        return true;
    }

private:
    std::string& out_;
};

// Replaces a file with bytes written piece by piece, so that a failure at any
// point, an exception or a signal (see InstallTemporaryFileCleanup) leaves the
// previous file as it was. A regular file (or a new one) is written to a
// temporary file created in the same folder, synced and renamed over it on
// Commit; the replaced file's permissions are kept, and its owner and group
// where that is allowed (root saving another user's file); a new file gets
// 0666 less the umask. A file the user may not write is refused. A symbolic
// link is followed and its target replaced. Anything else that exists at the
// path (a device, a pipe, /dev/stdout) is written directly, never replaced.
class AtomicFileWriter : public ByteSink {
public:
    AtomicFileWriter() = default;
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
    // Removes the temporary file unless committed.
    ~AtomicFileWriter() override;

    // Starts writing to `path`; false (see failure()) when it cannot be.
    bool Open(const std::filesystem::path& path);
    bool Append(std::string_view bytes) override;
    // Writes what is buffered, syncs and puts the file in place; false (see
    // failure()) when anything failed, in which case the temporary file is gone.
    bool Commit();
    // Gives up: the temporary file is removed, the target left as it was.
    void Abort();

    const WriteFailure& failure() const { return failure_; }

private:
    bool Fail(int code);
    bool Flush();

    int folder_ = -1;
    int fd_ = -1;
    bool inPlace_ = false; // a device or pipe written where it is
    std::string temporaryName_;
    std::string targetName_;
    std::string buffer_;
    WriteFailure failure_;
};

// Replaces the file at `path` with `bytes` as AtomicFileWriter does. On
// failure returns false with the reason in `error`, and no temporary file
// remains.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, WriteFailure& failure);

// Makes SIGINT, SIGTERM and SIGHUP remove the temporary file of a write in
// progress before the program ends as the signal ends it. A signal the
// program ignores (nohup) stays ignored. Call once at start-up.
void InstallTemporaryFileCleanup();

} // namespace ovra
