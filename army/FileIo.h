// Reading and writing whole files: every file the program reads or writes
// goes through these two operations, the window's and the command line's.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ovra {

// Reads a whole army file (at most kLargestReadableFile bytes) into memory;
// false with a reason when it cannot be read. Pipes, sockets and folders are
// refused without blocking.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Replaces the file at `path` with `bytes`, so that a failure at any point
// leaves the previous file as it was. A regular file (or a new one) is written
// to a temporary file created in the same folder, synced and renamed over it;
// the replaced file's permissions are kept, a new file gets 0666 less the
// umask. A symbolic link is followed and its target replaced. Anything else
// that exists at `path` (a device, a pipe, /dev/stdout) is written directly,
// never replaced. On failure returns false with the reason in `error` ("No
// space left on device", "Permission denied"...), and no temporary file
// remains.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);

} // namespace ovra
