// Reading a whole file with bounded reads. It lives in the lowest library so
// that army lists and army files are read by the same code.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace ovra {

// The largest army list or army file the program reads.
inline constexpr std::size_t kLargestReadableFile = std::size_t{256} * 1024 * 1024;

// Reads the file at `path` into `bytes`, never more than `limit` + 1 bytes
// whatever the file is, and never blocks on opening it. False with a reason
// in `error` (and `bytes` empty) when it does not exist, is a folder, a pipe
// or a socket, is longer than `limit`, or cannot be read. A file that shrinks
// while it is read gives the bytes that were there.
bool ReadFileBounded(const std::filesystem::path& path, std::size_t limit, std::string& bytes,
                     std::string& error);

} // namespace ovra
