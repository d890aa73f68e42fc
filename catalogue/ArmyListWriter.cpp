#include "ArmyListWriter.h"

#include "ArmyListReader.h"
#include "Records.h"

namespace ovra {
namespace {

// White space as the reader skips it before numbers, codes and words.
bool IsWhitespace(unsigned char c) {
    return (c >= 0x01 && c <= 0x20) || c >= 0x80;
}

} // namespace

void ArmyListWriter::Fail(std::string_view what, std::string_view why) {
    if (error_.empty())
        error_ = std::string(what) + " " + std::string(why);
}

void ArmyListWriter::Comment(std::string_view text) {
    if (text.find('<') != std::string_view::npos)
        return Fail("a comment", "holds a '<'");
    text_ += text;
    text_ += '\n';
}

// The reader takes the four bytes after white space, and stops early at a NUL
// byte, which it consumes: a code with zero low bytes is written with one NUL
// after its leading bytes, the code 0 as a NUL alone.
void ArmyListWriter::Code(std::uint32_t code, std::string_view what) {
    const std::string bytes = CodeText(code);
    std::size_t length = 0;
    while (length < 4 && bytes[length] != '\0')
        ++length;
    for (std::size_t i = length; i < 4; ++i)
        if (bytes[i] != '\0')
            return Fail(what, "has a NUL byte inside its code");
    if (length > 0 && IsWhitespace(static_cast<unsigned char>(bytes[0])))
        return Fail(what, "has a code that starts with white space");
    text_ += ' ';
    text_.append(bytes, 0, length);
    if (length < 4)
        text_ += '\0';
}

void ArmyListWriter::Number(std::int32_t value) {
    text_ += ' ';
    text_ += std::to_string(value);
}

void ArmyListWriter::Quoted(std::string_view value, std::string_view what) {
    if (value.find('"') != std::string_view::npos)
        return Fail(what, "holds a double quote");
    if (value.size() > ArmyListReader::kMaxField)
        return Fail(what, "is too long");
    text_ += " \"";
    text_ += value;
    text_ += '"';
}

// A word ends at white space; an empty one is a NUL, which ends the reader's
// search for it.
void ArmyListWriter::Word(std::string_view value, std::string_view what) {
    for (const char c : value)
        if (c == '\0' || IsWhitespace(static_cast<unsigned char>(c)))
            return Fail(what, "holds white space");
    if (value.size() > ArmyListReader::kMaxField)
        return Fail(what, "is too long");
    text_ += ' ';
    if (value.empty())
        text_ += '\0';
    text_ += value;
}

void ArmyListWriter::FreeText(std::string_view tag, std::string_view value, std::string_view what) {
    const std::string closing = "</" + std::string(tag) + ">";
    if (value.find(closing) != std::string_view::npos)
        return Fail(what, "holds " + closing);
    text_ += "<" + std::string(tag) + ">";
    text_ += value;
    text_ += closing;
}

void ArmyListWriter::Write(const TroopCategory& category) {
    text_ += "<TRCAT";
    Number(static_cast<std::int32_t>(category.key));
    Word(category.abbreviation, "a troop category's abbreviation");
    Quoted(category.name, "a troop category's name");
    text_ += ">\n";
}

void ArmyListWriter::Write(const MagicItemCategory& category) {
    text_ += "<MICAT";
    Number(static_cast<std::int32_t>(category.key));
    Quoted(category.name, "a magic-item category's name");
    text_ += ">\n";
}

void ArmyListWriter::Write(const MagicItemRecord& item) {
    text_ += "<MITEM";
    Code(item.key, "a magic item");
    Quoted(item.name, "a magic item's name");
    Number(item.itemCategory);
    text_ += ">";
    Number(item.points);
    Number(item.troopCategoryMask);
    if (descriptions_ && !item.info.empty())
        FreeText("INFO", item.info, "a magic item's INFO");
    text_ += "</MITEM>\n";
}

void ArmyListWriter::Write(const SiegeEngineRecord& engine) {
    text_ += "<ENGINE";
    Code(engine.key, "a siege engine");
    Quoted(engine.name, "a siege engine's name");
    Number(engine.points);
    text_ += ">";
    if (descriptions_ && !engine.info.empty())
        FreeText("INFO", engine.info, "a siege engine's INFO");
    text_ += "</ENGINE>\n";
}

void ArmyListWriter::WriteTroopType(const TroopTypeRecord& t) {
    text_ += "<TROOPS";
    Code(t.key, "a troop type");
    Quoted(t.name, "a troop type's name");
    Code(t.troopKind, "a troop type's kind");
    Number(t.category);
    text_ += ">";
    Number(t.attacks);
    Quoted(t.shots, "a troop type's shots");
    for (const std::int32_t n :
         {t.hits, t.armourSave, t.command, t.size, t.points, t.minCount, t.maxCount, t.itemCategoryMask})
        Number(n);
    if (!t.countsForBreakpoint)
        text_ += "<NOBREAK>";
    if (!t.limit.empty())
        FreeText("LIMIT", t.limit, "a troop type's LIMIT");
    if (!t.ruleCodes.empty())
        FreeText("SRULE", t.ruleCodes, "a troop type's SRULE");
    if (descriptions_ && !t.unitInfo.empty())
        FreeText("UINFO", t.unitInfo, "a troop type's UINFO");
    if (descriptions_ && !t.info.empty())
        FreeText("INFO", t.info, "a troop type's INFO");
    text_ += "</TROOPS>\n";
}

void ArmyListWriter::Write(const NationRecord& nation,
                           const std::vector<const TroopTypeRecord*>& troopTypes) {
    text_ += "<NATION";
    Number(nation.id());
    Quoted(nation.name, "a nation's name");
    Quoted(nation.armyName, "a nation's army name");
    text_ += ">\n";
    if (descriptions_ && !nation.info.empty()) {
        FreeText("INFO", nation.info, "a nation's INFO");
        text_ += '\n';
    }
    for (const TroopTypeRecord* type : troopTypes)
        WriteTroopType(*type);
    text_ += "</NATION>\n";
}

} // namespace ovra
