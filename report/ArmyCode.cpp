#include "ArmyCode.h"

#include "ArmyFile.h"
#include "FileRead.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstdint>

namespace ovra {
namespace {

constexpr std::string_view kPrefix = "ovra:";
constexpr std::string_view kDigits = "123456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz";
constexpr std::size_t kHeaderSize = 12; // army file length, compressed length, CRC-32
constexpr std::size_t kGroupBytes = 8;
constexpr std::size_t kGroupChars = 11; // 58^11 > 2^64
// Characters for a group of n bytes: the fewest k with 58^k >= 256^n.
constexpr std::array<std::size_t, 9> kCharsFor = {0, 2, 3, 5, 6, 7, 9, 10, 11};

int DigitValue(char c) {
    const std::size_t at = kDigits.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

std::size_t CharsFor(std::size_t bytes) {
    return bytes / kGroupBytes * kGroupChars + kCharsFor[bytes % kGroupBytes];
}

void PutUInt32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetUInt32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

std::uint32_t Crc32(std::string_view bytes) {
    uLong crc = crc32(0, nullptr, 0);
    for (std::size_t at = 0; at < bytes.size();) {
        const auto length = static_cast<uInt>(std::min<std::size_t>(bytes.size() - at, 1u << 30));
        crc = crc32(crc, reinterpret_cast<const Bytef*>(bytes.data() + at), length);
        at += length;
    }
    return static_cast<std::uint32_t>(crc);
}

std::string Deflated(std::string_view bytes) {
    z_stream stream{};
    // Raw deflate: the code carries its own lengths and checksum.
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        return {};
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

void AppendGroup(std::string& out, std::string_view bytes) {
    std::uint64_t value = 0;
    for (const char c : bytes)
        value = value << 8 | static_cast<unsigned char>(c);
    std::string group(kCharsFor[bytes.size()], kDigits[0]);
    for (auto at = group.rbegin(); at != group.rend() && value != 0; ++at, value /= 58)
        *at = kDigits[value % 58];
    out += group;
}

// Reads the payload's characters one by one, passing over what a forum or a
// chat may put into a long word.
class PayloadReader {
public:
    PayloadReader(std::string_view text, std::size_t at) : text_(text), at_(at) {}

    // The next digit's value; -1 at anything else.
    int Next() {
        SkipBreaks();
        if (at_ >= text_.size())
            return -1;
        const int value = DigitValue(text_[at_]);
        if (value >= 0)
            ++at_;
        return value;
    }
    // A digit follows right here, without a break: the code goes on.
    bool GoesOn() const { return at_ < text_.size() && DigitValue(text_[at_]) >= 0; }
    std::size_t left() const { return text_.size() - at_; }

private:
    void SkipBreaks() {
        // Soft hyphen, zero-width space, non-joiner, joiner, word joiner, byte-order mark.
        static constexpr std::array<std::string_view, 6> kInvisible = {
            "\xC2\xAD", "\xE2\x80\x8B", "\xE2\x80\x8C", "\xE2\x80\x8D", "\xE2\x81\xA0", "\xEF\xBB\xBF"};
        while (at_ < text_.size()) {
            if (std::string_view(" \t\r\n").find(text_[at_]) != std::string_view::npos) {
                ++at_;
                continue;
            }
            const auto invisible =
                std::find_if(kInvisible.begin(), kInvisible.end(),
                             [&](std::string_view s) { return text_.compare(at_, s.size(), s) == 0; });
            if (invisible == kInvisible.end())
                return;
            at_ += invisible->size();
        }
    }

    std::string_view text_;
    std::size_t at_;
};

// Decodes `bytes` bytes of payload; false when a character is missing or a
// group holds a value its bytes cannot.
bool ReadGroups(PayloadReader& reader, std::size_t bytes, std::string& out) {
    while (bytes > 0) {
        const std::size_t count = std::min(bytes, kGroupBytes);
        std::uint64_t value = 0;
        for (std::size_t i = 0; i < kCharsFor[count]; ++i) {
            const int digit = reader.Next();
            if (digit < 0 || __builtin_mul_overflow(value, 58u, &value) ||
                __builtin_add_overflow(value, static_cast<unsigned>(digit), &value))
                return false;
        }
        if (count < kGroupBytes && value >> (8 * count) != 0)
            return false;
        for (std::size_t i = count; i-- > 0;)
            out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        bytes -= count;
    }
    return true;
}

enum class InflateResult { Done, TooLong, Damaged };

// Inflates into at most `size` bytes, stopping as soon as there would be more.
InflateResult Inflate(std::string_view deflated, std::size_t size, std::string& out) {
    z_stream stream{};
    if (deflated.size() > UINT32_MAX || inflateInit2(&stream, -15) != Z_OK)
        return InflateResult::Damaged;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    stream.avail_in = static_cast<uInt>(deflated.size());
    constexpr std::size_t kChunk = std::size_t{64} * 1024;
    int status = Z_OK;
    InflateResult result = InflateResult::Damaged;
    while (status == Z_OK) {
        // One byte more than the code says, to notice a stream that goes on.
        const std::size_t room = std::min(kChunk, size + 1 - out.size());
        const std::size_t before = out.size();
        out.resize(before + room);
        stream.next_out = reinterpret_cast<Bytef*>(out.data() + before);
        stream.avail_out = static_cast<uInt>(room);
        status = inflate(&stream, Z_NO_FLUSH);
        out.resize(before + room - stream.avail_out);
        if (out.size() > size) {
            result = InflateResult::TooLong;
            break;
        }
        if (status == Z_STREAM_END && stream.avail_in == 0 && out.size() == size)
            result = InflateResult::Done;
    }
    inflateEnd(&stream);
    return result;
}

bool IsWordCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool StartsCode(std::string_view text, std::size_t at) {
    if (at > 0 && IsWordCharacter(text[at - 1]))
        return false;
    for (std::size_t i = 0; i < kPrefix.size(); ++i) {
        const char c = text[at + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kPrefix[i])
            return false;
    }
    return true;
}

ArmyCodeRead Refused(std::size_t line, const std::string& why) {
    ArmyCodeRead read;
    read.status = ArmyCodeRead::Status::Refused;
    read.line = line;
    read.error =
        "The army code on line " + std::to_string(line) + why + "; remove it to read the roster text instead";
    return read;
}

ArmyCodeRead ReadPayload(std::string_view text, std::size_t at, std::size_t line) {
    PayloadReader reader(text, at);
    std::string payload;
    if (!ReadGroups(reader, kGroupBytes, payload))
        return Refused(line, " is cut short or damaged");
    const std::size_t size = GetUInt32(payload, 0);
    const std::size_t deflatedSize = GetUInt32(payload, 4);
    if (size > kLargestReadableFile)
        return Refused(line, " holds " + std::to_string(size) + " bytes, more than the " +
                                 std::to_string(kLargestReadableFile) + " an army file may have");
    const std::size_t rest = kHeaderSize - kGroupBytes + deflatedSize;
    // Every byte takes more than one character: a code longer than the text is cut short.
    if (rest > reader.left() || !ReadGroups(reader, rest, payload))
        return Refused(line, " is cut short or damaged");
    if (reader.GoesOn())
        return Refused(line, " goes on beyond its end; it is damaged");
    ArmyCodeRead read;
    read.line = line;
    switch (Inflate(std::string_view(payload).substr(kHeaderSize), size, read.armyFile)) {
    case InflateResult::TooLong:
        return Refused(line,
                       " unpacks to more than the " + std::to_string(size) + " bytes it says; it is damaged");
    case InflateResult::Damaged:
        return Refused(line, " is damaged");
    case InflateResult::Done:
        break;
    }
    if (Crc32(read.armyFile) != GetUInt32(payload, 8))
        return Refused(line, " is damaged: its checksum does not match");
    read.status = ArmyCodeRead::Status::Read;
    return read;
}

} // namespace

std::string ArmyCode(std::string_view armyFile) {
    const std::string deflated = Deflated(armyFile);
    std::string payload;
    PutUInt32(payload, static_cast<std::uint32_t>(armyFile.size()));
    PutUInt32(payload, static_cast<std::uint32_t>(deflated.size()));
    PutUInt32(payload, Crc32(armyFile));
    payload += deflated;
    std::string code = std::string(kPrefix) + std::to_string(kArmyCodeVersion) + ":";
    code.reserve(code.size() + CharsFor(payload.size()));
    const std::string_view bytes = payload;
    for (std::size_t at = 0; at < bytes.size(); at += kGroupBytes)
        AppendGroup(code, bytes.substr(at, kGroupBytes));
    return code;
}

std::string ArmyCode(const Army& army) {
    return ArmyCode(WriteArmyFile(army));
}

ArmyCodeRead FindArmyCode(std::string_view text) {
    // The code ends the roster: the last one counts, whatever a unit's name holds.
    std::size_t start = std::string_view::npos;
    std::string_view version;
    for (std::size_t colon = text.find(':', kPrefix.size() - 1); colon != std::string_view::npos;
         colon = text.find(':', colon + 1)) {
        const std::size_t at = colon + 1 - kPrefix.size();
        const std::size_t end = text.find_first_not_of("0123456789", colon + 1);
        if (StartsCode(text, at) && end != colon + 1 && end != std::string_view::npos && text[end] == ':') {
            start = at;
            version = text.substr(colon + 1, end - colon - 1);
        }
    }
    if (start == std::string_view::npos)
        return {};
    const std::size_t line = 1 + static_cast<std::size_t>(std::count(
                                     text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start), '\n'));
    if (version != std::to_string(kArmyCodeVersion)) {
        const std::string shown =
            version.size() > 12 ? std::string(version.substr(0, 12)) + "..." : std::string(version);
        return Refused(line, " is of version " + shown +
                                 ", which this program cannot read (it reads version " +
                                 std::to_string(kArmyCodeVersion) + ")");
    }
    return ReadPayload(text, start + kPrefix.size() + version.size() + 1, line);
}

} // namespace ovra
