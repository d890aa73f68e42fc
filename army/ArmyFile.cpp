#include "ArmyFile.h"

#include "Army.h"
#include "ArmyCatalogue.h"
#include "ArmyDocument.h"

#include <algorithm>

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

namespace {

std::string Quoted(std::string_view fileName) {
    return "\"" + std::string(fileName) + "\"";
}

// Reads the unit blocks after the header into the army and tells what it
// could not take in.
class UnitReader {
public:
    UnitReader(std::string_view bytes, Army& army) : reader_(bytes), army_(army) {}

    void ReadAll() {
        std::string_view line;
        while (reader_.ReadLine(line))
            if (line == "<UNIT>" && !ReadBlock())
                return;
    }

    std::vector<std::string> losses;
    std::vector<std::uint64_t> lacking;
    bool cut = false; // the file ended inside a block

private:
    // One block after its "<UNIT>" line; false when the file ends inside it.
    bool ReadBlock() {
        const std::size_t lost = losses.size();
        const UnitEntry* entry = nullptr;
        const bool whole = ReadBlockInto(entry);
        if (entry != nullptr && losses.size() > lost)
            lacking.push_back(entry->id());
        return whole;
    }

    bool ReadBlockInto(const UnitEntry*& made) {
        ++blocks_;
        Code code = 0;
        if (!reader_.ReadCode(code))
            return Cut();
        UnitEntry* entry = army_.AddUnit(code);
        made = entry;
        std::string_view name;
        const bool named = reader_.ReadLine(name);
        if (entry != nullptr)
            army_.SetName(*entry, name);
        const std::string who = !name.empty()      ? std::string(name)
                                : entry != nullptr ? entry->name()
                                                   : "Unit " + std::to_string(blocks_);
        if (entry == nullptr)
            Lose(who, "the troop type", code);
        if (!named)
            return Cut();
        std::string_view line;
        while (reader_.ReadLine(line)) {
            if (line == "</UNIT>")
                return true;
            if (line == "<SKIRMISHER>") {
                if (entry == nullptr)
                    continue;
                if (entry->AsSkirmisher() != nullptr)
                    army_.SetSkirmishers(*entry, true);
                else
                    losses.push_back(who + ": the troop type " + CodeText(entry->troopType().code()) +
                                     " can no longer take runners");
            } else if (line == "<MITEM>" || line == "<ENGINE>" || line == "<MOUNT>") {
                Code option = 0;
                if (!reader_.ReadCode(option))
                    return Cut();
                if (entry != nullptr)
                    SetOption(*entry, who, line, option);
            }
        }
        return Cut();
    }

    // Sets the option the tag names, or its fallback when no army list holds it.
    void SetOption(const UnitEntry& entry, const std::string& who, std::string_view tag, Code option) {
        const ArmyCatalogue& catalogue = *army_.nation().catalogue;
        if (tag == "<MITEM>") {
            const MagicItemRecord* item = catalogue.FindMagicItem(option);
            army_.SetMagicItem(entry, item);
            if (item == nullptr || item->code() != option)
                Lose(who, "the magic item", option);
        } else if (tag == "<ENGINE>") {
            const SiegeEngineRecord* engine = catalogue.FindSiegeEngine(option);
            army_.SetSiegeEngine(entry, engine);
            if (engine == nullptr || engine->code() != option)
                Lose(who, "the siege engine", option);
        } else {
            const TroopTypeRecord* mount = entry.troopType().nation->FindTroopType(option);
            army_.SetMount(entry, mount);
            if (mount == nullptr)
                Lose(who, "the mount", option);
        }
    }

    void Lose(const std::string& who, const char* what, Code code) {
        losses.push_back(who + ": " + what + " " + CodeText(code) + " is in no army list");
    }

    bool Cut() {
        cut = true;
        return false;
    }

    BlockReader reader_;
    Army& army_;
    int blocks_ = 0;
};

} // namespace

ArmyFileLoad ReadArmyFile(std::string_view bytes, const ArmyCatalogue& catalogue, std::string_view fileName) {
    using Status = ArmyFileLoad::Status;
    ArmyFileLoad load;
    if (bytes.empty())
        return load;
    // The program has only ever written format 1; a file too short for the
    // header or of another format is something else altogether.
    ArmyFileHeader header;
    if (!ReadArmyFileHeader(bytes, header) || header.format != 1) {
        load.status = Status::NotLoadable;
        load.messages.push_back("The file " + Quoted(fileName) + " is not an army file.");
        return load;
    }
    const NationRecord* nation = catalogue.FindNation(header.nationId);
    if (nation == nullptr) {
        load.status = Status::NotLoadable;
        load.messages.emplace_back(kNationUnavailableMessage);
        return load;
    }
    const std::int32_t points = std::clamp(header.pointsLimit, 0, kMostPointsLimit);
    load.army = std::make_unique<Army>(*nation, points, false);
    UnitReader units(bytes, *load.army);
    units.ReadAll();

    if (!units.losses.empty()) {
        load.messages.emplace_back(kIncompleteLoadMessage);
        load.messages.insert(load.messages.end(), units.losses.begin(), units.losses.end());
    }
    if (points != header.pointsLimit)
        load.messages.push_back("The file " + Quoted(fileName) + " holds the points limit " +
                                std::to_string(header.pointsLimit) + ", out of range; it is read as " +
                                std::to_string(points) + ".");
    if (units.cut) {
        const std::int32_t read = load.army->UnitCount();
        load.messages.push_back("The file " + Quoted(fileName) + " ends in the middle of a unit; " +
                                (read == 1 ? std::string("the 1 unit read is loaded.")
                                           : "the " + std::to_string(read) + " units read are loaded."));
    }
    load.lacking = std::move(units.lacking);
    load.status = load.messages.empty() ? Status::Complete : Status::Incomplete;
    return load;
}

} // namespace ovra
