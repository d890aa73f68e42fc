#include "ArmyListReader.h"

#include "BuiltInResources.h"
#include "FileRead.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include <utility>

namespace ovra {
namespace {

bool IsWhitespace(unsigned char c) {
    return (c >= 0x01 && c <= 0x20) || c >= 0x80;
}

bool IsTagNameByte(unsigned char c) {
    return c == '/' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

} // namespace

bool ArmyListReader::OpenResource(int id) {
    position_ = 0;
    const std::span<const unsigned char> bytes = FindBuiltInResource(id);
    if (bytes.empty() || bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        data_ = nullptr;
        size_ = 0;
        return false;
    }
    data_ = bytes.data();
    size_ = static_cast<std::uint32_t>(bytes.size());
    return true;
}

void ArmyListReader::Close() {}

void ArmyListReader::OpenBytes(const void* data, std::size_t size) {
    data_ = static_cast<const unsigned char*>(data);
    size_ =
        static_cast<std::uint32_t>(std::min<std::size_t>(size, std::numeric_limits<std::uint32_t>::max()));
    position_ = 0;
}

std::size_t ArmyListReader::Read(void* destination, std::size_t count) {
    if (AtEnd())
        return 0;
    const std::size_t n = std::min<std::size_t>(count, size_ - position_);
    std::memcpy(destination, data_ + position_, n);
    position_ += static_cast<std::uint32_t>(n);
    return n;
}

std::int64_t ArmyListReader::Seek(std::int64_t distance) {
    const std::int64_t from = position_;
    const std::int64_t to = std::clamp<std::int64_t>(from + distance, 0, size_);
    position_ = static_cast<std::uint32_t>(to);
    return to - from;
}

bool ArmyListReader::SkipPast(unsigned char c) {
    if (AtEnd())
        return false;
    const void* hit = std::memchr(data_ + position_, c, size_ - position_);
    if (hit == nullptr) {
        position_ = size_;
        return false;
    }
    position_ = static_cast<std::uint32_t>(static_cast<const unsigned char*>(hit) - data_) + 1;
    return true;
}

bool ArmyListReader::SkipWhitespace() {
    while (!AtEnd()) {
        const unsigned char c = data_[position_++];
        if (c == 0)
            return false;
        if (!IsWhitespace(c)) {
            --position_;
            return true;
        }
    }
    return false;
}

bool ArmyListReader::ReadTagName(std::string& out) {
    out.clear();
    while (!AtEnd() && IsTagNameByte(data_[position_])) {
        const unsigned char c = data_[position_++];
        if (out.size() < kMaxTagName)
            out.push_back(static_cast<char>(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c));
    }
    return true;
}

bool ArmyListReader::ReadCode(Code& out) {
    if (!SkipWhitespace())
        return false;
    Code code = 0;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (AtEnd())
            break;
        const unsigned char c = data_[position_++];
        if (c == 0)
            break;
        code |= Code(c) << shift;
    }
    out = code;
    return true;
}

bool ArmyListReader::ReadNumber(std::int32_t& out) {
    out = 0;
    if (!SkipWhitespace())
        return false;
    std::uint32_t value = 0;
    bool negative = false;
    while (!AtEnd()) {
        const unsigned char c = data_[position_];
        if (c == '-') {
            negative = !negative;
        } else if (c >= '0' && c <= '9') {
            value = value * 10u + static_cast<std::uint32_t>(c - '0');
        } else {
            break;
        }
        ++position_;
    }
    if (negative)
        value = 0u - value;
    out = static_cast<std::int32_t>(value);
    return true;
}

bool ArmyListReader::ReadQuoted(std::string& out) {
    out.clear();
    if (!SkipPast('"'))
        return false;
    const unsigned char* start = data_ + position_;
    const std::size_t remaining = size_ - position_;
    const void* hit = std::memchr(start, '"', remaining);
    const std::size_t length =
        hit ? static_cast<std::size_t>(static_cast<const unsigned char*>(hit) - start) : remaining;
    out.assign(reinterpret_cast<const char*>(start), std::min(length, kMaxField));
    position_ += static_cast<std::uint32_t>(length);
    if (hit == nullptr)
        return false;
    ++position_; // the closing quote
    return true;
}

bool ArmyListReader::ReadWord(std::string& out) {
    if (!SkipWhitespace())
        return false;
    out.clear();
    while (!AtEnd()) {
        const unsigned char c = data_[position_];
        if (c == 0 || IsWhitespace(c))
            return true;
        if (out.size() < kMaxField)
            out.push_back(static_cast<char>(c));
        ++position_;
    }
    return false;
}

bool ArmyListReader::ReadTextUntil(std::string& out, std::string_view closingTag) {
    out.clear();
    if (closingTag.empty() || closingTag.front() != '<') {
        // Degenerate tags never occur in the program; read to the end.
        out.assign(reinterpret_cast<const char*>(data_ + position_), size_ - position_);
        position_ = size_;
        return false;
    }
    // Equivalent to the byte-at-a-time definition: every '<' that does not
    // begin the exact closing tag is text, and so is everything else.
    while (!AtEnd()) {
        const unsigned char* start = data_ + position_;
        const std::size_t remaining = size_ - position_;
        const void* hit = std::memchr(start, '<', remaining);
        if (hit == nullptr) {
            out.append(reinterpret_cast<const char*>(start), remaining);
            position_ = size_;
            return false;
        }
        const auto* lt = static_cast<const unsigned char*>(hit);
        const std::size_t before = static_cast<std::size_t>(lt - start);
        out.append(reinterpret_cast<const char*>(start), before);
        position_ += static_cast<std::uint32_t>(before);
        const std::size_t left = size_ - position_;
        if (left >= closingTag.size() && std::memcmp(lt, closingTag.data(), closingTag.size()) == 0) {
            position_ += static_cast<std::uint32_t>(closingTag.size());
            return true;
        }
        out.push_back('<');
        ++position_;
    }
    return false;
}

ArmyListFileReader::~ArmyListFileReader() {
    ArmyListFileReader::Close();
}

bool ArmyListFileReader::OpenFile(const std::filesystem::path& path) {
    if (IsOpen())
        return true;
    std::string bytes;
    std::string error;
    if (!ReadFileBounded(path, kLargestReadableFile, bytes, error) || bytes.empty())
        return false;
    buffer_ = std::move(bytes);
    data_ = reinterpret_cast<const unsigned char*>(buffer_.data());
    size_ = static_cast<std::uint32_t>(buffer_.size());
    position_ = 0;
    return true;
}

void ArmyListFileReader::Close() {
    buffer_.clear();
    buffer_.shrink_to_fit();
    data_ = nullptr;
    size_ = 0;
    position_ = 0;
}

} // namespace ovra
