// Lexical reader of the army-list text format. It reads one contiguous,
// read-only byte range in place and keeps nothing but a read position; the
// catalogue calls one operation per field in the order the format prescribes.
#pragma once

#include "Code.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ovra {

// Identifier of the built-in army-list text among the program's resources.
inline constexpr int kBuiltInArmyListResource = 6666;

class ArmyListReader {
public:
    // Longest tag name kept, and longest quoted string or word kept; longer
    // fields are consumed in full but cut to these lengths.
    static constexpr std::size_t kMaxTagName = 19;
    static constexpr std::size_t kMaxField = 1199;

    ArmyListReader() = default;
    ArmyListReader(const ArmyListReader&) = delete;
    ArmyListReader& operator=(const ArmyListReader&) = delete;
    virtual ~ArmyListReader() = default;

    // Finds a resource compiled into the program. The position is reset to 0
    // either way; false when there is no resource with that identifier.
    bool OpenResource(int id);
    // Does nothing for the resource reader; the file reader releases its copy.
    virtual void Close();

    // Reads from caller-owned bytes that must outlive the reader (tests, fuzzing).
    void OpenBytes(const void* data, std::size_t size);

    std::size_t Read(void* destination, std::size_t count);
    // Moves by d bytes, stopping at the end and at the start.
    std::int64_t Seek(std::int64_t distance);
    // Consumes bytes up to and including the first c; false when the data ends first.
    bool SkipPast(unsigned char c);
    // Consumes white space; false at the end of the data or at a NUL byte (consumed).
    bool SkipWhitespace();
    // The run of letters and '/' at the position, upper-cased. Always true.
    bool ReadTagName(std::string& out);
    // Four bytes after white space. A code cut short by the end of the data or
    // a NUL byte keeps what was read in its top bytes and zero below.
    bool ReadCode(Code& out);
    // A run of digits and '-', each '-' flipping the sign; wraps at 32 bits.
    bool ReadNumber(std::int32_t& out);
    // The bytes between the next two double quotes.
    bool ReadQuoted(std::string& out);
    // The bytes up to the next white space, after white space.
    bool ReadWord(std::string& out);
    // Everything up to the exact closing tag, which is consumed.
    bool ReadTextUntil(std::string& out, std::string_view closingTag);

    std::uint32_t Position() const { return position_; }
    std::uint32_t Size() const { return size_; }
    const unsigned char* Data() const { return data_; }

protected:
    const unsigned char* data_ = nullptr;
    std::uint32_t position_ = 0;
    std::uint32_t size_ = 0;

private:
    bool AtEnd() const { return position_ >= size_; }
};

// Reads an army-list file from a copy of its bytes, read with bounded reads
// (a file changed or cut short while it is read can do no harm).
class ArmyListFileReader : public ArmyListReader {
public:
    ArmyListFileReader() = default;
    ~ArmyListFileReader() override;

    // True when the file has been read (or was already open). An empty file,
    // one over kLargestReadableFile, a pipe, a socket, a folder or a file that
    // cannot be read leaves the reader closed and gives false.
    bool OpenFile(const std::filesystem::path& path);
    void Close() override;
    bool IsOpen() const { return !buffer_.empty(); }

private:
    std::string buffer_;
};

} // namespace ovra
