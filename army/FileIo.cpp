#include "FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#define OVRA_HAVE_FSYNC 1
#endif

namespace ovra {
namespace {

constexpr std::uintmax_t kLargestArmyFile = std::uintmax_t{256} * 1024 * 1024;

} // namespace

bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec || !std::filesystem::exists(status)) {
        error = "The file does not exist.";
        return false;
    }
    if (std::filesystem::is_directory(status)) {
        error = "It is a folder, not a file.";
        return false;
    }
    const std::uintmax_t size =
        std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, ec) : 0;
    if (!ec && size > kLargestArmyFile) {
        error = "The file is too large to be an army file.";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "The file could not be read.";
        return false;
    }
    return true;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error) {
    std::random_device random;
    const std::filesystem::path temporary =
        path.parent_path() / (path.filename().string() + ".~" + std::to_string(random() % 1000000u));
    std::FILE* file = std::fopen(temporary.string().c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = std::fflush(file) == 0 && ok;
    int savedErrno = ok ? 0 : errno;
#ifdef OVRA_HAVE_FSYNC
    if (ok && ::fsync(fileno(file)) != 0) {
        ok = false;
        savedErrno = errno;
    }
#endif
    if (std::fclose(file) != 0 && ok) {
        ok = false;
        savedErrno = errno;
    }
    std::error_code ec;
    if (ok) {
        // Keep the permissions of the file being replaced.
        const auto previous = std::filesystem::status(path, ec);
        if (!ec && std::filesystem::exists(previous))
            std::filesystem::permissions(temporary, previous.permissions(), ec);
        std::filesystem::rename(temporary, path, ec);
        if (ec) {
            ok = false;
            error = ec.message();
        }
    } else {
        error = savedErrno != 0 ? std::strerror(savedErrno) : "The file could not be written.";
    }
    if (!ok)
        std::filesystem::remove(temporary, ec);
    return ok;
}

} // namespace ovra
