#include "ArmyFile.h"

#include "Army.h"
#include "ArmyCatalogue.h"

namespace ovra {
namespace {

constexpr std::size_t kHeaderSize = 12;

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

} // namespace ovra
