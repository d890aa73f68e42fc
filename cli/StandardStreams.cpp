#include "StandardStreams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <streambuf>

namespace ovra {
namespace {

// Hands every character to a C stream at once, as std::cout does while it is
// synchronised with stdio: output of the two never interleaves wrongly.
class StdioBuffer : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}
    // The reason of the first failed write; 0 while none failed.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? Failed(traits_type::eof()) : c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        const std::size_t written = std::fwrite(s, 1, static_cast<std::size_t>(n), file_);
        return static_cast<std::streamsize>(written < static_cast<std::size_t>(n) ? Failed(written)
                                                                                  : written);
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : Failed(-1); }

private:
    template <class T> T Failed(T result) {
        if (error_ == 0)
            error_ = errno != 0 ? errno : EIO;
        return result;
    }

    std::FILE* file_;
    int error_ = 0;
};

StdioBuffer& OutputBuffer() {
    static StdioBuffer buffer(stdout);
    return buffer;
}

} // namespace

std::ostream& StandardOutput() {
    static std::ostream stream(&OutputBuffer());
    return stream;
}

std::string StandardOutputError() {
    const int error = OutputBuffer().error();
    return error != 0 ? std::strerror(error) : std::string();
}

std::ostream& StandardError() {
    static StdioBuffer buffer(stderr);
    static std::ostream stream(&buffer);
    return stream;
}

} // namespace ovra
