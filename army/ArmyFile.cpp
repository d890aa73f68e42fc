#include "ArmyFile.h"

#include "Army.h"
#include "ArmyCatalogue.h"

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

constexpr std::size_t kHeaderSize = 12;
constexpr std::uintmax_t kLargestArmyFile = std::uintmax_t{256} * 1024 * 1024;

void PutInt32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetUInt32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= std::uint32_t(static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]))
                 << (8 * i);
    return value;
}

// Names come from a one-line field or an army list; a line break inside one
// would split the block, so it is written as a space.
std::string OneLine(const std::string& name) {
    std::string line = name;
    for (char& c : line)
        if (c == '\r' || c == '\n')
            c = ' ';
    return line;
}

void PutTaggedCode(std::string& out, const char* tag, Code code) {
    out += tag;
    out += '\n';
    PutInt32(out, code);
}

class BlockReader {
public:
    explicit BlockReader(std::string_view bytes) : bytes_(bytes), position_(kHeaderSize) {}

    // The next line without its LF (and a CR before it); false at the end.
    bool ReadLine(std::string_view& line) {
        if (position_ >= bytes_.size())
            return false;
        const std::size_t end = bytes_.find('\n', position_);
        const std::size_t stop = end == std::string_view::npos ? bytes_.size() : end;
        line = bytes_.substr(position_, stop - position_);
        if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        position_ = end == std::string_view::npos ? bytes_.size() : end + 1;
        return true;
    }

    // Four bytes as a code; false when the file ends first.
    bool ReadCode(Code& code) {
        if (bytes_.size() - position_ < 4 || position_ > bytes_.size())
            return false;
        code = GetUInt32(bytes_, position_);
        position_ += 4;
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t position_;
};

} // namespace

std::string WriteArmyFile(const Army& army) {
    std::string out;
    PutInt32(out, 1);
    PutInt32(out, static_cast<std::uint32_t>(army.nation().id()));
    PutInt32(out, static_cast<std::uint32_t>(army.pointsLimit()));
    for (std::int32_t i = 0; i < army.UnitCount(); ++i) {
        const UnitEntry& entry = *army.UnitAt(i);
        out += "<UNIT>\n";
        PutInt32(out, entry.troopType().code());
        out += OneLine(entry.name());
        out += '\n';
        if (entry.skirmishers())
            out += "<SKIRMISHER>\n";
        if (entry.magicItem() != nullptr && entry.magicItem()->code() != kNoMagicItem)
            PutTaggedCode(out, "<MITEM>", entry.magicItem()->code());
        if (entry.siegeEngine() != nullptr && entry.siegeEngine()->code() != kNoSiegeEngine)
            PutTaggedCode(out, "<ENGINE>", entry.siegeEngine()->code());
        if (entry.mount() != nullptr && entry.mount()->code() != kNoMount)
            PutTaggedCode(out, "<MOUNT>", entry.mount()->code());
        out += "</UNIT>\n";
    }
    return out;
}

bool ReadArmyFileHeader(std::string_view bytes, ArmyFileHeader& header) {
    if (bytes.size() < kHeaderSize)
        return false;
    header.format = static_cast<std::int32_t>(GetUInt32(bytes, 0));
    header.nationId = static_cast<std::int32_t>(GetUInt32(bytes, 4));
    header.pointsLimit = static_cast<std::int32_t>(GetUInt32(bytes, 8));
    return true;
}

bool ReadArmyFileUnits(std::string_view bytes, Army& army) {
    const ArmyCatalogue& catalogue = *army.nation().catalogue;
    BlockReader reader(bytes);
    bool complete = true;
    std::string_view line;
    while (reader.ReadLine(line)) {
        if (line != "<UNIT>")
            continue;
        Code code = 0;
        if (!reader.ReadCode(code))
            break; // a troop code cut short by the end of the file
        UnitEntry* entry = army.AddUnit(code);
        if (entry == nullptr)
            complete = false;
        std::string_view name;
        if (!reader.ReadLine(name))
            name = {};
        if (entry != nullptr)
            army.SetName(*entry, name);
        bool cut = false;
        while (!cut && reader.ReadLine(line)) {
            if (line == "</UNIT>")
                break;
            if (line == "<SKIRMISHER>") {
                if (entry != nullptr)
                    army.SetSkirmishers(*entry, true);
            } else if (line == "<MITEM>" || line == "<ENGINE>" || line == "<MOUNT>") {
                Code option = 0;
                if (!reader.ReadCode(option)) {
                    cut = true;
                    break;
                }
                if (entry == nullptr)
                    continue;
                if (line == "<MITEM>")
                    army.SetMagicItem(*entry, catalogue.FindMagicItem(option));
                else if (line == "<ENGINE>")
                    army.SetSiegeEngine(*entry, catalogue.FindSiegeEngine(option));
                else
                    army.SetMount(*entry, entry->troopType().nation->FindTroopType(option));
            }
        }
        if (cut)
            break; // an option code cut short ends loading; what came before stays
    }
    return complete;
}

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
