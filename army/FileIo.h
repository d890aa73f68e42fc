// Reading and writing whole files: every file the program reads or writes
// goes through these two operations.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace ovra {

// Reads a whole file into memory; false with a reason when it cannot be read.
bool ReadFileBytes(const std::filesystem::path& path, std::string& bytes, std::string& error);

// Writes a file by way of a temporary file beside it that is renamed into
// place, so an interrupted or failed save leaves the previous file intact.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes, std::string& error);

} // namespace ovra
