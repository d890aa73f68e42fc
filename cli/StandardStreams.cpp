#include "StandardStreams.h"

#include <cstdio>
#include <ostream>
#include <streambuf>

namespace ovra {
namespace {

// Hands every character to a C stream at once, as std::cout does while it is
// synchronised with stdio: output of the two never interleaves wrongly.
class StdioBuffer : public std::streambuf {
public:
    explicit StdioBuffer(std::FILE* file) : file_(file) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        return std::fputc(c, file_) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        return static_cast<std::streamsize>(std::fwrite(s, 1, static_cast<std::size_t>(n), file_));
    }
    int sync() override { return std::fflush(file_) == 0 ? 0 : -1; }

private:
    std::FILE* file_;
};

} // namespace

std::ostream& StandardOutput() {
    static StdioBuffer buffer(stdout);
    static std::ostream stream(&buffer);
    return stream;
}

std::ostream& StandardError() {
    static StdioBuffer buffer(stderr);
    static std::ostream stream(&buffer);
    return stream;
}

} // namespace ovra
