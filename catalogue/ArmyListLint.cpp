#include "ArmyListLint.h"

#include "ArmyCatalogue.h"
#include "ArmyListObserver.h"
#include "ArmyListReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>
#include <system_error>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace ovra {
namespace {

using Field = ArmyListField;
using TagUse = ArmyListObserver::TagUse;
using Severity = LintFinding::Severity;

constexpr std::uint32_t kNowhere = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kFieldCount = static_cast<std::size_t>(Field::RuleCodes) + 1;
// The count that stands for "no maximum" (a maximum of 0); more is too many.
constexpr std::int64_t kNoMaximumCount = 9999;
// How many absorbed records an error names before it only counts them.
constexpr std::size_t kAbsorbedNamed = 5;

enum class Element { Number, Quoted, Code, Word, Skip, Text };

// Each field's name as an author knows it, and the element it is read as.
struct FieldInfo {
    const char* name;
    Element element;
};
constexpr std::array<FieldInfo, kFieldCount> kFields = {{
    {"id", Element::Number},
    {"name", Element::Quoted},
    {"army name", Element::Quoted},
    {"code", Element::Code},
    {"kind", Element::Code},
    {"category", Element::Number},
    {"bit", Element::Number},
    {"abbreviation", Element::Word},
    {"header", Element::Skip},
    {"attacks", Element::Number},
    {"shots", Element::Quoted},
    {"hits", Element::Number},
    {"armour save", Element::Number},
    {"command", Element::Number},
    {"size", Element::Number},
    {"points", Element::Number},
    {"minimum", Element::Number},
    {"maximum", Element::Number},
    {"magic-item categories", Element::Number},
    {"item category", Element::Number},
    {"troop categories", Element::Number},
    {"INFO", Element::Text},
    {"UINFO", Element::Text},
    {"LIMIT", Element::Text},
    {"SRULE", Element::Text},
}};

Element ElementOf(Field field) {
    return kFields[static_cast<std::size_t>(field)].element;
}

const char* FieldName(Field field) {
    return kFields[static_cast<std::size_t>(field)].name;
}

bool IsWhitespace(unsigned char c) {
    return (c >= 0x01 && c <= 0x20) || c >= 0x80;
}

bool IsPrintableCode(Code code) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        const unsigned c = (code >> shift) & 0xFFu;
        if (c < 0x21 || c > 0x7E)
            return false;
    }
    return true;
}

// Bytes as a message shows them: control bytes escaped, long runs shortened,
// so that a finding stays on one line.
std::string Shown(std::string_view bytes, std::size_t limit = 40) {
    std::string out;
    const std::size_t n = std::min(bytes.size(), limit);
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 || c == 0x7F) {
            static constexpr char hex[] = "0123456789ABCDEF";
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 0xF];
        } else {
            out += static_cast<char>(c);
        }
    }
    if (bytes.size() > limit)
        out += "...";
    return out;
}

std::string Quoted(std::string_view bytes) {
    return "\"" + Shown(bytes) + "\"";
}

std::string Counted(std::size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - ('a' - 'A'));
    return out;
}

bool IsRecordTag(std::string_view tag) {
    return tag == "NATION" || tag == "TROOPS" || tag == "TRCAT" || tag == "MICAT" || tag == "MITEM" ||
           tag == "ENGINE" || tag == "SPECIAL";
}

bool IsSubTag(std::string_view tag) {
    return tag == "INFO" || tag == "UINFO" || tag == "LIMIT" || tag == "SRULE" || tag == "NOBREAK";
}

// Whether a record's tag, opening or closing, stands in the text.
bool RecordTagIn(std::string_view text) {
    for (std::size_t lt = text.find('<'); lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        std::size_t end = lt + 1;
        while (end < text.size() && (text[end] == '/' || (text[end] >= 'a' && text[end] <= 'z') ||
                                     (text[end] >= 'A' && text[end] <= 'Z')))
            ++end;
        std::string tag = Upper(text.substr(lt + 1, end - lt - 1));
        if (!tag.empty() && tag.front() == '/')
            tag.erase(0, 1);
        if (IsRecordTag(tag))
            return true;
    }
    return false;
}

std::string ClosingTagOf(std::string_view tag) {
    return "</" + std::string(tag) + ">";
}

// The four bytes of `text` from `i` as a code.
Code CodeAt(std::string_view text, std::size_t i) {
    return MakeCode(static_cast<unsigned char>(text[i]), static_cast<unsigned char>(text[i + 1]),
                    static_cast<unsigned char>(text[i + 2]), static_cast<unsigned char>(text[i + 3]));
}

// The bits of a mask, lowest first.
std::vector<std::uint32_t> BitsOf(std::int32_t mask) {
    std::vector<std::uint32_t> bits;
    const auto value = static_cast<std::uint32_t>(mask);
    for (std::uint32_t bit = 1; bit != 0; bit <<= 1)
        if ((value & bit) != 0)
            bits.push_back(bit);
    return bits;
}

std::string JoinBits(const std::vector<std::uint32_t>& bits) {
    std::string out;
    for (std::uint32_t bit : bits)
        out += (out.empty() ? "" : ", ") + std::to_string(static_cast<std::int32_t>(bit));
    return out;
}

std::string Hex(std::string_view bytes) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        out += (out.empty() ? "" : " ") + std::string{hex[b >> 4], hex[b & 0xF]};
    }
    return out;
}

// The length of the valid UTF-8 sequence of two to four bytes at `i`, and
// the code point it spells; 0 when there is none. Windows-1252 text rarely
// forms one: a letter with an accent is one byte, followed by a plain one.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i, char32_t& codePoint) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(bytes[i + k]); };
    const unsigned char lead = b(0);
    const std::size_t n = lead >= 0xC2 && lead <= 0xDF   ? 2
                          : lead >= 0xE0 && lead <= 0xEF ? 3
                          : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                         : 0;
    if (n == 0 || i + n > bytes.size())
        return 0;
    char32_t value = lead & (0x7F >> n);
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(k) & 0xC0) != 0x80)
            return 0;
        value = (value << 6) | (b(k) & 0x3F);
    }
    static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[n] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return 0;
    codePoint = value;
    return n;
}

bool IsQuotationMark(char32_t c) {
    return (c >= 0x2018 && c <= 0x201F) || c == 0x2039 || c == 0x203A || c == 0xAB || c == 0xBB;
}

// The typographic quotation mark, as Windows-1252 (one byte) or UTF-8 (two
// or three bytes), that starts the first character from `from` to `to`; the
// other characters of UTF-8 are passed over whole.
std::optional<std::string_view> FirstQuotationMark(std::string_view bytes, std::size_t from, std::size_t to) {
    static constexpr std::string_view kWindows1252 = "\x84\x8B\x91\x92\x93\x94\x9B\xAB\xBB";
    for (std::size_t i = from; i < to; ++i) {
        char32_t c = 0;
        if (const std::size_t n = Utf8SequenceAt(bytes, i, c); n != 0) {
            if (IsQuotationMark(c))
                return bytes.substr(i, n);
            i += n - 1;
        } else if (kWindows1252.find(bytes[i]) != std::string_view::npos) {
            return bytes.substr(i, 1);
        }
    }
    return std::nullopt;
}

std::uint32_t OffsetIn(std::string_view whole, std::string_view part) {
    return static_cast<std::uint32_t>(part.data() - whole.data());
}

// How a finding names a quotation mark's bytes.
std::string QuotationMarkBytes(std::string_view mark) {
    return (mark.size() == 1 ? "the Windows-1252 byte " : "the UTF-8 bytes ") + Hex(mark);
}

std::string CodePointName(char32_t c) {
    static constexpr char hex[] = "0123456789ABCDEF";
    std::string digits;
    for (; c != 0 || digits.size() < 4; c >>= 4)
        digits.insert(digits.begin(), hex[c & 0xF]);
    return "U+" + digits;
}

// Codes near a given one, for "did you mean": the same letters in another
// case, or one or two letters changed. Found in constant time, so that a
// long list with many unknown codes stays fast: every candidate is indexed
// under its code with one position, or two, left out.
class NearCodes {
public:
    void Add(Code code) {
        const std::size_t ordinal = codes_.size();
        codes_.push_back(code);
        for (std::uint64_t mask = 0; mask < kMasks; ++mask)
            index_.try_emplace(Key(mask, code), ordinal);
    }

    // The candidate nearest to `code`: first the same letters in other case,
    // then one letter changed, then two; the earliest added among equals.
    std::optional<Code> Find(Code code) const {
        for (const auto& [from, to] : {std::pair{kFolded, kFolded + 1}, {0, 4}, {4, kFolded}}) {
            std::size_t best = codes_.size();
            for (std::uint64_t mask = from; mask < to; ++mask) {
                const auto it = index_.find(Key(mask, code));
                if (it != index_.end() && codes_[it->second] != code)
                    best = std::min(best, it->second);
            }
            if (best < codes_.size())
                return codes_[best];
        }
        return std::nullopt;
    }

private:
    // Masks 0..3 leave one byte out, 4..9 two, 10 folds letters to capitals.
    static constexpr std::uint64_t kFolded = 10;
    static constexpr std::uint64_t kMasks = 11;
    static constexpr std::array<std::uint32_t, kFolded> kLeftOut = {
        0xFF000000u, 0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFFFF0000u,
        0xFF00FF00u, 0xFF0000FFu, 0x00FFFF00u, 0x00FF00FFu, 0x0000FFFFu};

    static std::uint64_t Key(std::uint64_t mask, Code code) {
        if (mask == kFolded) {
            for (int shift = 0; shift < 32; shift += 8) {
                const Code c = (code >> shift) & 0xFFu;
                if (c >= 'a' && c <= 'z')
                    code -= Code('a' - 'A') << shift;
            }
            return (mask << 32) | code;
        }
        return (mask << 32) | (code & ~kLeftOut[mask]);
    }

    std::vector<Code> codes_;
    std::unordered_map<std::uint64_t, std::size_t> index_;
};

std::string DidYouMean(const NearCodes& near, Code code) {
    const std::optional<Code> nearest = near.Find(code);
    return nearest ? "; did you mean " + Quoted(CodeText(*nearest)) + "?" : "";
}

// Characters and units may ride a mount; mounts and special troop types are never fielded.
bool CanRide(Code kind) {
    return kind != kTroopMount && kind != kTroopSpecial;
}

// Fields that hold bits: every 32-bit pattern is a value there.
bool HoldsBits(Field field) {
    return field == Field::Category || field == Field::Bit || field == Field::ItemCategories ||
           field == Field::ItemCategory || field == Field::TroopCategories;
}

} // namespace

// Follows the catalogue's loading of each text and collects findings.
class ArmyListLinter::Observer : public ArmyListObserver {
public:
    struct Text {
        LintedText result;
        std::string bytes;
        std::vector<std::uint32_t> lineStarts{0};
        std::vector<std::uint32_t> quotationMarks; // those reported where a '"' should stand
    };

    std::vector<Text> texts;

    void Begin(std::string name, bool builtIn) {
        texts.push_back({});
        texts.back().result.name = std::move(name);
        texts.back().result.builtIn = builtIn;
        frames_.clear();
        ignoringRecord_ = false;
    }

    void OnText(const unsigned char* data, std::uint32_t size) override {
        Text& text = texts.back();
        text.bytes.assign(reinterpret_cast<const char*>(data), size);
        for (std::uint32_t i = 0; i < size; ++i)
            if (data[i] == '\n')
                text.lineStarts.push_back(i + 1);
    }

    void OnTag(std::uint32_t at, std::uint32_t end, const std::string& name, TagUse use) override;
    void OnField(Field field, std::uint32_t from, std::uint32_t to, bool ok) override;
    void OnRecordEnd(const CatalogueEntry& record, bool closed) override;

    // The checks that need every text: codes and bits looked up in the catalogue.
    void Finish(const ArmyCatalogue& catalogue);
    void CheckEncoding(std::size_t text);

    void Add(Severity severity, std::uint32_t offset, std::string message) {
        if (!Quiet())
            AddTo(texts.size() - 1, severity, offset, std::move(message));
    }

private:
    // What a troop type contributes to its nation's checks.
    struct TroopSummary {
        Code code = 0;
        Code kind = 0;
        std::int32_t minCount = 0;
        std::string limit;
        std::uint32_t at = 0;
        std::uint32_t codeAt = 0;
        std::uint32_t limitAt = kNowhere;
    };

    // A record being read.
    struct Frame {
        std::string tag;
        std::uint32_t at = 0;
        std::array<std::uint32_t, kFieldCount> fieldAt{};
        std::array<std::uint32_t, 4> textTagAt{kNowhere, kNowhere, kNowhere, kNowhere};
        std::uint32_t subTagAt = 0;
        std::string subTag;
        std::vector<std::pair<std::string, std::uint32_t>> absorbed; // record tags it read past
        std::vector<LintFinding> pending; // warnings dropped if they lie in absorbed text
        bool headerEnded = true;
        bool ranToEnd = false; // a field already reported running to the end of the data
        bool childUnclosed = false;
        std::vector<TroopSummary> troops; // NATION only
    };

    // A check for the end, when every text has been loaded.
    struct Deferred {
        enum class What { TroopCategory, ItemCategoryBits, TroopCategoryBits, RuleCodes };
        What what;
        std::size_t text;
        std::uint32_t at;
        std::int32_t value = 0;
        std::string codes;
        std::string owner;
        std::string fieldName;
    };

    struct Earlier {
        std::size_t text;
        std::uint32_t at;
        std::string name;
    };

    void AddTo(std::size_t text, Severity severity, std::uint32_t offset, std::string message,
               bool rootCause = false) {
        texts[text].result.findings.push_back({severity, offset, 0, 0, std::move(message), rootCause});
    }
    // A fault that makes the reader misread the rest of its record: told
    // first, and the rest of the record's findings, its consequences, not at all.
    void AddRootCause(std::uint32_t offset, std::string message) {
        AddTo(texts.size() - 1, Severity::Error, offset, std::move(message), true);
        if (quietDepth_ == 0)
            quietDepth_ = frames_.size();
    }
    bool Quiet() const { return quietEnding_ || (quietDepth_ != 0 && quietDepth_ == frames_.size()); }
    void Defer(Deferred deferred) {
        if (!Quiet())
            deferred_.push_back(std::move(deferred));
    }
    const std::string& Bytes() const { return texts.back().bytes; }
    std::uint32_t LineOf(std::size_t text, std::uint32_t offset) const {
        const auto& starts = texts[text].lineStarts;
        return static_cast<std::uint32_t>(std::upper_bound(starts.begin(), starts.end(), offset) -
                                          starts.begin());
    }
    // "line 3" in the text being read; "the built-in lists, line 3" or
    // "FILE, line 3" in another.
    std::string Where(std::size_t text, std::uint32_t offset) const {
        std::string line = "line " + std::to_string(LineOf(text, offset));
        if (text == texts.size() - 1)
            return line;
        const LintedText& other = texts[text].result;
        return (other.builtIn ? std::string("the built-in lists") : other.name) + ", " + line;
    }
    std::string Here(std::uint32_t offset) const { return Where(texts.size() - 1, offset); }
    std::string LineColumn(std::uint32_t offset) const {
        const std::uint32_t line = LineOf(texts.size() - 1, offset);
        return "line " + std::to_string(line) + ", column " +
               std::to_string(offset - texts.back().lineStarts[line - 1] + 1);
    }
    std::uint32_t FieldStart(std::uint32_t from) const {
        const std::string& bytes = Bytes();
        while (from < bytes.size() && IsWhitespace(static_cast<unsigned char>(bytes[from])))
            ++from;
        return from;
    }
    // The field or key that names a record read at `end`, just after its tag.
    std::string Peek(const std::string& tag, std::uint32_t end) const {
        ArmyListReader reader;
        reader.OpenBytes(Bytes().data(), Bytes().size());
        reader.Seek(end);
        if (tag == "NATION" || tag == "TRCAT" || tag == "MICAT") {
            std::int32_t number = 0;
            reader.ReadNumber(number);
            return tag + " " + std::to_string(number);
        }
        Code code = 0;
        reader.ReadCode(code);
        return tag + " " + Quoted(CodeText(code));
    }
    std::string Identity(const CatalogueEntry& record, const Frame& frame) const {
        if (record.kind == kKindNation)
            return "NATION " + std::to_string(static_cast<std::int32_t>(record.key)) + " " +
                   Quoted(record.name);
        if (record.kind == kKindTroopCategory || record.kind == kKindItemCategory)
            return frame.tag + " " + std::to_string(static_cast<std::int32_t>(record.key));
        return frame.tag + " " + Quoted(CodeText(record.key));
    }
    // Warnings about tags in a record wait for its end: those in text it
    // absorbed belong to the records it swallowed and are not told.
    void Warn(std::uint32_t offset, std::string message) {
        if (Quiet())
            return;
        if (frames_.empty())
            Add(Severity::Warning, offset, std::move(message));
        else
            frames_.back().pending.push_back({Severity::Warning, offset, 0, 0, std::move(message)});
    }

    void CheckQuoted(Field field, std::uint32_t from, std::uint32_t to, bool ok);
    void TypographicQuotes(const std::string& what, std::string_view mark);
    void CheckNumber(Field field, std::uint32_t start, std::uint32_t to);
    void CheckText(Field field, std::uint32_t from, std::uint32_t to, bool ok);
    void CheckHeaderEnd(std::uint32_t from, std::uint32_t to, bool ok);
    void EndTroopType(const TroopTypeRecord& t, Frame& frame);
    void EndNation(const NationRecord& nation, Frame& frame);
    void EndCoded(const CatalogueEntry& record, Frame& frame);
    template <class DidYouMean>
    void CheckMountLimit(const TroopSummary& mount, const std::unordered_map<Code, Code>& kindOf,
                         const DidYouMean& didYouMean);

    std::vector<Frame> frames_;
    bool ignoringRecord_ = false; // at top level, after an ignored TROOPS or unknown tag
    std::size_t quietDepth_ = 0;  // the record, by depth, whose further findings are consequences
    bool quietEnding_ = false;    // while that record's end is checked
    std::vector<Deferred> deferred_;
    std::unordered_map<std::uint32_t, Earlier> nations_;
    std::array<std::unordered_map<Code, Earlier>, 3> codes_; // MITEM, ENGINE, SPECIAL
};

void ArmyListLinter::Observer::OnTag(std::uint32_t at, std::uint32_t end, const std::string& name,
                                     TagUse use) {
    if (use == TagUse::Record) {
        ignoringRecord_ = false;
        frames_.push_back({});
        frames_.back().tag = name;
        frames_.back().at = at;
        return;
    }
    if (frames_.empty() && use != TagUse::Ignored)
        return;
    if (use == TagUse::SubTag) {
        Frame& frame = frames_.back();
        frame.subTagAt = at;
        frame.subTag = name;
        static constexpr std::array<const char*, 4> textTags = {"INFO", "UINFO", "LIMIT", "SRULE"};
        for (std::size_t i = 0; i < textTags.size(); ++i) {
            if (name != textTags[i])
                continue;
            if (frame.textTagAt[i] != kNowhere)
                Warn(at, "a second <" + name + "> in this " + frame.tag + " replaces the first (" +
                             Here(frame.textTagAt[i]) + "): join the two into one");
            frame.textTagAt[i] = at;
        }
        return;
    }
    if (use == TagUse::Closing)
        return;

    const std::string_view run(Bytes().data() + at + 1, end - at - 1);
    if (run.size() > ArmyListReader::kMaxTagName) {
        Warn(at, "the tag name " + Quoted(run) + " is longer than " +
                     std::to_string(ArmyListReader::kMaxTagName) + " letters; the reader cuts it to " +
                     Quoted(name) + " and ignores it");
        return;
    }
    if (name.empty())
        return; // a comment, or a '<' in text between records
    const bool closing = name.front() == '/';
    if (frames_.empty()) {
        // The sub-tags of a record that is itself ignored are not told again.
        const std::string_view bare = closing ? std::string_view(name).substr(1) : std::string_view(name);
        if (ignoringRecord_ && (IsSubTag(bare) || bare == "TROOPS" || name == "/NATION"))
            return;
        if (name == "TROOPS")
            Add(Severity::Warning, at, "<TROOPS> outside a NATION is ignored");
        else if (closing)
            Add(Severity::Warning, at, "<" + name + "> closes no record and is ignored");
        else
            Add(Severity::Warning, at, "<" + name + "> is not a record and is ignored");
        ignoringRecord_ = !closing;
        return;
    }
    Frame& frame = frames_.back();
    if (IsRecordTag(name)) {
        frame.absorbed.emplace_back(Peek(name, end), at);
        return;
    }
    if (closing)
        Warn(at, "<" + name + "> does not close the " + frame.tag + " it stands in and is ignored");
    else
        Warn(at, "<" + name + "> is not read in a " + frame.tag + " and is ignored");
}

void ArmyListLinter::Observer::OnField(Field field, std::uint32_t from, std::uint32_t to, bool ok) {
    if (frames_.empty())
        return;
    Frame& frame = frames_.back();
    const Element element = ElementOf(field);
    const std::uint32_t start = element == Element::Text ? from : FieldStart(from);
    frame.fieldAt[static_cast<std::size_t>(field)] = start;
    switch (element) {
    case Element::Quoted:
        CheckQuoted(field, from, to, ok);
        break;
    case Element::Number:
        CheckNumber(field, start, to);
        break;
    case Element::Word:
        if (to > start && to - start > ArmyListReader::kMaxField)
            Add(Severity::Warning, start,
                "the " + std::string(FieldName(field)) + " is " + std::to_string(to - start) +
                    " bytes long; the program keeps the first " + std::to_string(ArmyListReader::kMaxField));
        break;
    case Element::Skip:
        CheckHeaderEnd(from, to, ok);
        break;
    case Element::Text:
        CheckText(field, from, to, ok);
        break;
    case Element::Code:
        break; // checked with the record's values at its end
    }
}

void ArmyListLinter::Observer::CheckQuoted(Field field, std::uint32_t from, std::uint32_t to, bool ok) {
    const std::string& bytes = Bytes();
    const std::uint32_t start = FieldStart(from);
    const std::string what = "the " + std::string(FieldName(field));
    // Typographic quotes are bytes from 0x80, which the reader skips as white
    // space on its way to a straight one.
    if (const auto mark = FirstQuotationMark(bytes, from, start)) {
        TypographicQuotes(what, *mark);
        return;
    }
    const void* hit = std::memchr(bytes.data() + from, '"', to - from);
    if (hit == nullptr) {
        frames_.back().ranToEnd = true;
        Add(Severity::Error, start,
            what + " should be a quoted string here, but no '\"' follows in the rest of the data");
        return;
    }
    const auto open = static_cast<std::uint32_t>(static_cast<const char*>(hit) - bytes.data());
    if (open != start) {
        Add(Severity::Error, start,
            what + " should be a quoted string here; the reader skips " + Counted(open - start, "byte") +
                " (" + Quoted(std::string_view(bytes).substr(start, open - start)) +
                ") to the next '\"', at " + LineColumn(open));
        return;
    }
    if (!ok) {
        frames_.back().ranToEnd = true;
        Add(Severity::Error, start, what + " has no closing '\"'; it runs to the end of the data");
        return;
    }
    const std::string_view value = std::string_view(bytes).substr(open + 1, to - open - 2);
    if (value.size() > ArmyListReader::kMaxField)
        Add(Severity::Warning, start,
            what + " is " + std::to_string(value.size()) + " bytes long; the program keeps the first " +
                std::to_string(ArmyListReader::kMaxField));
    else if (const std::size_t end = value.find_first_of("<>\r\n"); end != std::string_view::npos) {
        // A typographic closing quote before the line ends is why.
        if (const auto mark = FirstQuotationMark(value, 0, end)) {
            const std::uint32_t at = open + 1 + OffsetIn(value, *mark);
            texts.back().quotationMarks.push_back(at);
            AddRootCause(at, what + " " + Quoted(value.substr(0, OffsetIn(value, *mark))) +
                                 " ends in a typographic quote (" + QuotationMarkBytes(*mark) +
                                 "), which the reader does not take for its end, so the rest of this record "
                                 "is misread; type a straight '\"' instead");
            return;
        }
        Add(Severity::Warning, start,
            what + " " + Quoted(value) + " runs over a line break or a tag: is its closing '\"' missing?");
    }
}

void ArmyListLinter::Observer::TypographicQuotes(const std::string& what, std::string_view mark) {
    const std::string_view bytes = Bytes();
    const std::uint32_t at = OffsetIn(bytes, mark);
    texts.back().quotationMarks.push_back(at);
    // The text as it was meant: up to the closing mark, on the same line.
    std::string meant;
    const std::size_t from = at + mark.size();
    const std::size_t end = std::min(bytes.find_first_of("\"<>\r\n", from), bytes.size());
    if (const auto closing = FirstQuotationMark(bytes, from, end)) {
        texts.back().quotationMarks.push_back(OffsetIn(bytes, *closing));
        meant = ", as in \"" + Shown(bytes.substr(from, OffsetIn(bytes, *closing) - from)) + "\"";
    }
    AddRootCause(at,
                 "typographic quotes (" + QuotationMarkBytes(mark) + ") stand where " + what +
                     " should open with '\"'; the reader does not take them for quotes, so the rest of this "
                     "record is misread: type straight double quotes instead" +
                     meant);
}

void ArmyListLinter::Observer::CheckNumber(Field field, std::uint32_t start, std::uint32_t to) {
    if (to <= start)
        return;
    const std::string_view run = std::string_view(Bytes()).substr(start, to - start);
    const auto minus = static_cast<std::size_t>(std::count(run.begin(), run.end(), '-'));
    // The reader's value wraps at 32 bits; the magnitude as written does not.
    std::uint32_t value = 0;
    std::uint64_t magnitude = 0;
    for (char c : run) {
        if (c == '-')
            continue;
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        magnitude =
            std::min<std::uint64_t>(magnitude * 10u + static_cast<std::uint64_t>(c - '0'), 1ull << 40);
    }
    if (minus % 2 == 1)
        value = 0u - value;
    const std::string reads = std::to_string(static_cast<std::int32_t>(value));
    if (minus != 0 && !(minus == 1 && run.front() == '-'))
        Add(Severity::Warning, start,
            "the number " + Quoted(run) + " reads as " + reads + ": every '-' in a number flips its sign");

    const bool negative = minus % 2 == 1;
    constexpr std::uint64_t kInt32Max = std::numeric_limits<std::int32_t>::max();
    if (HoldsBits(field) ? magnitude > std::numeric_limits<std::uint32_t>::max()
                         : magnitude > kInt32Max + (negative ? 1 : 0))
        Add(Severity::Error, start,
            "the number " + Quoted(run) +
                " does not fit in 32 bits; the reader keeps only its lowest 32 bits and "
                "reads " +
                reads + "; write a number from -2147483648 to 2147483647" +
                (HoldsBits(field) ? " (or, for bits, up to 4294967295)" : ""));
}

void ArmyListLinter::Observer::CheckHeaderEnd(std::uint32_t from, std::uint32_t to, bool ok) {
    Frame& frame = frames_.back();
    const std::string& bytes = Bytes();
    const std::uint32_t start = FieldStart(from);
    if (!ok) {
        frame.headerEnded = false;
        return;
    }
    const std::uint32_t gt = to - 1;
    if (start >= gt)
        return;
    const std::string_view skipped = std::string_view(bytes).substr(start, gt - start);
    const std::size_t lt = skipped.find('<');
    if (lt != std::string_view::npos) {
        Add(Severity::Error, start,
            "the header of this " + frame.tag + " has no '>'; the reader skips to the next one (line " +
                std::to_string(LineOf(texts.size() - 1, gt)) + "), past " + Quoted(skipped.substr(lt)));
        return;
    }
    Add(Severity::Warning, start,
        "text before the '>' of this " + frame.tag + " is ignored: " + Quoted(skipped));
}

void ArmyListLinter::Observer::CheckText(Field field, std::uint32_t from, std::uint32_t to, bool ok) {
    Frame& frame = frames_.back();
    const std::string name = FieldName(field);
    if (!ok) {
        frame.ranToEnd = true;
        Add(Severity::Error, frame.subTagAt,
            "<" + frame.subTag + "> has no closing </" + name + ">; the text runs to the end of the data");
        return;
    }
    const std::string closing = ClosingTagOf(name);
    const std::string_view text = std::string_view(Bytes()).substr(from, to - from - closing.size());
    // A '<' in the text that looks like the closing tag in other letters, or
    // like the start of a record, is most likely a closing tag mistyped.
    const std::string closingName = "/" + name;
    std::size_t lt = text.find('<');
    std::size_t end = 0;
    std::string tag;
    bool otherLetters = false;
    for (; lt != std::string_view::npos; lt = text.find('<', lt + 1)) {
        end = lt + 1;
        while (end < text.size() && (text[end] == '/' || (text[end] >= 'a' && text[end] <= 'z') ||
                                     (text[end] >= 'A' && text[end] <= 'Z')))
            ++end;
        tag = Upper(text.substr(lt + 1, end - lt - 1));
        otherLetters = tag == closingName && end < text.size() && text[end] == '>';
        if (otherLetters || IsRecordTag(tag) ||
            (tag.size() > 1 && tag.front() == '/' && IsRecordTag(tag.substr(1))))
            break;
    }
    if (lt == std::string_view::npos)
        return;
    if (Quiet())
        return;
    const auto at = static_cast<std::uint32_t>(from + lt);
    // A text that runs over records takes them with it: told first.
    const bool overRecords = !otherLetters || RecordTagIn(text.substr(end));
    if (otherLetters)
        AddTo(texts.size() - 1, Severity::Warning, at,
              Quoted(text.substr(lt, end - lt + 1)) + " does not end the " + name + " text; only " + closing +
                  " in capitals does",
              overRecords);
    else
        AddTo(texts.size() - 1, Severity::Warning, at,
              "the " + name + " text runs over <" + tag + ": is its " + closing + " missing or misspelt?",
              true);
}

void ArmyListLinter::Observer::OnRecordEnd(const CatalogueEntry& record, bool closed) {
    if (frames_.empty())
        return;
    // A record misread after a root cause tells nothing more at its end.
    quietEnding_ = quietDepth_ == frames_.size();
    Frame frame = std::move(frames_.back());
    frames_.pop_back();
    const std::string identity = Identity(record, frame);

    if (!frame.absorbed.empty()) {
        std::string names;
        for (std::size_t i = 0; i < frame.absorbed.size() && i < kAbsorbedNamed; ++i)
            names +=
                (i == 0 ? "" : ", ") + frame.absorbed[i].first + " (" + Here(frame.absorbed[i].second) + ")";
        if (frame.absorbed.size() > kAbsorbedNamed)
            names += " and " + std::to_string(frame.absorbed.size() - kAbsorbedNamed) + " more";
        Add(Severity::Error, frame.at,
            identity + " is missing its " + ClosingTagOf(frame.tag) + "; it absorbs " + names);
    } else if (frame.ranToEnd || frame.childUnclosed) {
        // told already, where the data began to run out
    } else if (!frame.headerEnded) {
        Add(Severity::Error, frame.at, identity + " has no '>' to end its header; the data ends inside it");
    } else if (!closed) {
        Add(Severity::Error, frame.at,
            identity + " is missing its " + ClosingTagOf(frame.tag) + "; the data ends inside it");
    }
    if (!closed && !frames_.empty())
        frames_.back().childUnclosed = true;
    // The warnings about the tags of the records it absorbed are not told;
    // those of a troop type wait for its nation, which may have absorbed it.
    // Those held back were told before any root cause.
    const bool quiet = std::exchange(quietEnding_, false);
    const std::uint32_t absorbedFrom = frame.absorbed.empty() ? kNowhere : frame.absorbed.front().second;
    for (LintFinding& finding : frame.pending)
        if (finding.offset < absorbedFrom)
            Warn(finding.offset, std::move(finding.message));
    quietEnding_ = quiet;

    if (record.kind == kKindTroopType)
        EndTroopType(static_cast<const TroopTypeRecord&>(record), frame);
    else if (record.kind == kKindNation)
        EndNation(static_cast<const NationRecord&>(record), frame);
    else if (record.kind == kKindMagicItem || record.kind == kKindSiegeEngine ||
             record.kind == kKindSpecialRule)
        EndCoded(record, frame);
    if (quiet)
        quietDepth_ = 0;
    quietEnding_ = false;
}

void ArmyListLinter::Observer::EndTroopType(const TroopTypeRecord& t, Frame& frame) {
    auto at = [&](Field field) { return frame.fieldAt[static_cast<std::size_t>(field)]; };
    const std::string owner = "troop type " + Quoted(CodeText(t.code()));
    if (!IsPrintableCode(t.code()))
        Add(Severity::Error, at(Field::Code),
            "the code " + Quoted(CodeText(t.code())) + " is not four printable characters");
    static constexpr std::array<Code, 5> kinds = {kTroopCharacter, kTroopUnit, kTroopSkirmisherUnit,
                                                  kTroopMount, kTroopSpecial};
    if (std::find(kinds.begin(), kinds.end(), t.troopKind) == kinds.end()) {
        static const NearCodes nearKinds = [] {
            NearCodes near;
            for (Code kind : kinds)
                near.Add(kind);
            return near;
        }();
        Add(Severity::Error, at(Field::Kind),
            "the kind " + Quoted(CodeText(t.troopKind)) + " is not one of char, unit, unSk, moun, spec" +
                DidYouMean(nearKinds, t.troopKind));
    }
    // Bounds that no points limit makes possible. A pool's bounds are not:
    // its partners can make up what the owning type may not hold.
    if (CanRide(t.troopKind) && t.minCount >= 0 && t.maxCount > 0 && t.minCount > t.maxCount)
        Add(Severity::Error, at(Field::Minimum),
            "the minimum per 1,000 points (" + std::to_string(t.minCount) + ") is above the maximum (" +
                std::to_string(t.maxCount) + "): no army can ever hold a legal number of " + owner +
                "; lower the minimum or raise the maximum");
    if (CanRide(t.troopKind) && t.minCount > kNoMaximumCount && t.maxCount == 0)
        Add(Severity::Error, at(Field::Minimum),
            "the minimum per 1,000 points (" + std::to_string(t.minCount) + ") is above " +
                std::to_string(kNoMaximumCount) + ", the most units of " + owner +
                " that an army with no maximum may hold: no army can ever be legal; lower the minimum");
    if (t.maxCount < 0 && t.minCount >= 0 && -static_cast<std::int64_t>(t.maxCount) < t.minCount)
        Add(Severity::Warning, at(Field::Maximum),
            "the absolute maximum " + std::to_string(-static_cast<std::int64_t>(t.maxCount)) +
                " is smaller than the minimum " + std::to_string(t.minCount) + "; the army needs only " +
                std::to_string(-static_cast<std::int64_t>(t.maxCount)));
    if (t.maxCount < 0 && t.minCount < 0 && t.maxCount > t.minCount)
        Add(Severity::Warning, at(Field::Maximum),
            "the absolute maximum " + std::to_string(-static_cast<std::int64_t>(t.maxCount)) +
                " is smaller than the " + std::to_string(-static_cast<std::int64_t>(t.minCount)) +
                " that the pool needs");

    const std::size_t text = texts.size() - 1;
    Defer({Deferred::What::TroopCategory, text, at(Field::Category), t.category, {}, owner, {}});
    if (t.itemCategoryMask != 0 && t.itemCategoryMask != -1)
        Defer({Deferred::What::ItemCategoryBits,
               text,
               at(Field::ItemCategories),
               t.itemCategoryMask,
               {},
               owner,
               "magic-item categories"});
    // An SRULE or LIMIT that ran to the end of the data holds no codes worth naming.
    if (frame.textTagAt[3] != kNowhere && !frame.ranToEnd)
        Defer({Deferred::What::RuleCodes, text, at(Field::RuleCodes), 0, t.ruleCodes, owner, {}});

    if (!frames_.empty()) {
        TroopSummary summary;
        summary.code = t.code();
        summary.kind = t.troopKind;
        summary.minCount = t.minCount;
        summary.limit = t.limit;
        summary.at = frame.at;
        summary.codeAt = at(Field::Code);
        if (frame.textTagAt[2] != kNowhere && !frame.ranToEnd)
            summary.limitAt = at(Field::Limit);
        frames_.back().troops.push_back(std::move(summary));
    }
}

void ArmyListLinter::Observer::EndNation(const NationRecord& nation, Frame& frame) {
    const std::string identity = Identity(nation, frame);
    if (frame.troops.empty()) {
        Add(Severity::Error, frame.at, identity + " has no troop types");
    } else if (std::none_of(frame.troops.begin(), frame.troops.end(), [](const TroopSummary& t) {
                   return t.kind == kTroopCharacter && t.minCount >= 1;
               })) {
        Add(Severity::Warning, frame.at,
            identity + " has no character with minimum 1 or more: its armies need no general; give the "
                       "general minimum 1 "
                       "and maximum -1");
    }

    const auto blank = [](const std::string& text) {
        return std::all_of(text.begin(), text.end(),
                           [](char c) { return IsWhitespace(static_cast<unsigned char>(c)); });
    };
    if (blank(nation.armyName))
        Add(Severity::Warning, frame.fieldAt[static_cast<std::size_t>(Field::ArmyName)],
            "the army name of " + identity +
                " is empty: the nation box shows a blank entry for it; write the army's name between the "
                "quotes");
    if (blank(nation.name))
        Add(Severity::Warning, frame.fieldAt[static_cast<std::size_t>(Field::Name)],
            "the name of " + identity +
                " is empty: the nation's information shows no title; write the nation's name between the "
                "quotes");

    std::unordered_map<Code, std::uint32_t> firstAt;
    std::unordered_map<Code, Code> kindOf; // a code's kind: a rider's, when one of its types can ride
    for (const TroopSummary& t : frame.troops) {
        const auto [it, added] = firstAt.try_emplace(t.code, t.codeAt);
        if (!added)
            Add(Severity::Warning, t.codeAt,
                "the troop type code " + Quoted(CodeText(t.code)) + " is already used in this nation (" +
                    Here(it->second) + "); lookups find the first: give this one a code of its own");
        const auto [kind, first] = kindOf.try_emplace(t.code, t.kind);
        if (!first && CanRide(t.kind))
            kind->second = t.kind;
    }
    // Built only when a code is unknown.
    std::optional<NearCodes> near;
    const auto didYouMean = [&](Code code) {
        if (!near) {
            near.emplace();
            for (const TroopSummary& t : frame.troops)
                near->Add(t.code);
        }
        return DidYouMean(*near, code);
    };
    for (const TroopSummary& t : frame.troops) {
        if (t.limitAt == kNowhere)
            continue;
        if (t.kind == kTroopMount) {
            CheckMountLimit(t, kindOf, didYouMean);
            continue;
        }
        if (t.minCount >= 0) {
            Add(Severity::Warning, t.limitAt,
                "this LIMIT does nothing: only a mount's LIMIT (its riders) and a pooled troop type's (one "
                "with a "
                "negative minimum) are read; remove it, or make the minimum negative to pool this type");
            continue;
        }
        std::size_t i = 0;
        for (; i + 4 <= t.limit.size(); i += 4) {
            const std::string_view code = std::string_view(t.limit).substr(i, 4);
            const Code value = CodeAt(code, 0);
            if (firstAt.count(value) == 0)
                Add(Severity::Warning, t.limitAt + static_cast<std::uint32_t>(i),
                    "the LIMIT code " + Quoted(code) + " names no troop type of this nation" +
                        didYouMean(value));
        }
        if (i < t.limit.size())
            Add(Severity::Warning, t.limitAt + static_cast<std::uint32_t>(i),
                "the LIMIT ends in " + Quoted(std::string_view(t.limit).substr(i)) +
                    ", too short for a code; it is ignored");
    }

    const auto [it, added] =
        nations_.try_emplace(nation.key, Earlier{texts.size() - 1, frame.at, nation.name});
    if (!added) {
        Add(Severity::Warning, frame.at,
            identity + " replaces the nation " + Quoted(it->second.name) + " (" +
                Where(it->second.text, it->second.at) + ")");
        it->second = {texts.size() - 1, frame.at, nation.name};
    }
}

// A mount is offered to every troop type whose code stands anywhere in its
// LIMIT, at any offset. The LIMIT is read as its author wrote it: codes one
// after another, maybe with separators; a code that only spans two others
// is offered the mount too, which its author rarely means.
template <class DidYouMean>
void ArmyListLinter::Observer::CheckMountLimit(const TroopSummary& mount,
                                               const std::unordered_map<Code, Code>& kindOf,
                                               const DidYouMean& didYouMean) {
    const std::string& limit = mount.limit;
    const auto offset = [&](std::size_t i) { return mount.limitAt + static_cast<std::uint32_t>(i); };
    const auto kindAt = [&](std::size_t i) -> const Code* {
        const auto it = kindOf.find(CodeAt(limit, i));
        return it == kindOf.end() ? nullptr : &it->second;
    };
    std::vector<std::size_t> named;    // codes as written, left to right
    std::vector<std::size_t> spanning; // codes found across two of them
    std::unordered_set<Code> namedCodes;
    std::size_t unnamedFrom = 0; // bytes since the last code that name nothing
    const auto unnamed = [&](std::size_t to) {
        // Separators between codes are fine; anything else names nothing.
        static constexpr std::string_view kSeparators = " \t\r\n,;/|+";
        std::size_t from = unnamedFrom;
        while (from < to) {
            from = limit.find_first_not_of(kSeparators, from);
            if (from >= to)
                break;
            const std::size_t end = std::min(limit.find_first_of(kSeparators, from), to);
            for (std::size_t i = from; i < end; i += 4) {
                const std::string_view piece =
                    std::string_view(limit).substr(i, std::min<std::size_t>(4, end - i));
                if (piece.size() == 4)
                    Add(Severity::Warning, offset(i),
                        "the LIMIT code " + Quoted(piece) + " names no troop type of this nation" +
                            didYouMean(CodeAt(piece, 0)));
                else
                    Add(Severity::Warning, offset(i),
                        "the LIMIT holds " + Quoted(piece) +
                            ", too short for a code; it names no troop type");
            }
            from = end;
        }
    };
    for (std::size_t i = 0; i + 4 <= limit.size(); ++i) {
        if (kindAt(i) == nullptr)
            continue;
        if (!named.empty() && i < named.back() + 4) {
            spanning.push_back(i);
            continue;
        }
        unnamed(i);
        named.push_back(i);
        namedCodes.insert(CodeAt(limit, i));
        unnamedFrom = i + 4;
    }
    unnamed(limit.size());

    const std::string shown = Quoted(CodeText(mount.code));
    std::vector<std::size_t> riders;
    std::string others;
    for (std::size_t i : named) {
        if (CanRide(*kindAt(i)))
            riders.push_back(i);
        else
            others += std::string(others.empty() ? "" : ", ") + Quoted(limit.substr(i, 4)) + " (kind " +
                      CodeText(*kindAt(i)) + ")";
    }
    if (riders.empty()) {
        Add(Severity::Warning, mount.at,
            "no troop type of this nation may ride the mount " + shown + ": its LIMIT names " +
                (others.empty() ? "none"
                                : "only " + others + ", which are never fielded as units and cannot ride") +
                "; name the characters or units that ride it");
    } else {
        for (std::size_t i : named)
            if (!CanRide(*kindAt(i)))
                Add(Severity::Warning, offset(i),
                    "the LIMIT of the mount " + shown + " names " + Quoted(limit.substr(i, 4)) +
                        ", of kind " + CodeText(*kindAt(i)) +
                        ", which is never fielded as a unit and cannot ride it");
    }
    for (std::size_t i : spanning)
        if (namedCodes.count(CodeAt(limit, i)) == 0 && CanRide(*kindAt(i)))
            Add(Severity::Warning, offset(i),
                "the LIMIT " + Quoted(limit) + " spells " + Quoted(limit.substr(i, 4)) +
                    " across two codes, so that troop type is offered the mount " + shown +
                    " too; if it should not be, put a comma between the codes");
}

void ArmyListLinter::Observer::EndCoded(const CatalogueEntry& record, Frame& frame) {
    const std::uint32_t codeAt = frame.fieldAt[static_cast<std::size_t>(Field::Code)];
    if (!IsPrintableCode(record.key))
        Add(Severity::Error, codeAt,
            "the code " + Quoted(CodeText(record.key)) + " is not four printable characters");
    const std::size_t table = record.kind == kKindMagicItem ? 0 : record.kind == kKindSiegeEngine ? 1 : 2;
    const auto [it, added] = codes_[table].try_emplace(record.key, Earlier{texts.size() - 1, frame.at, {}});
    if (!added)
        Add(Severity::Warning, codeAt,
            "the code " + Quoted(CodeText(record.key)) + " is already used (" +
                Where(it->second.text, it->second.at) +
                "); lookups find that record, never this one: give this one a code of its own");
    if (record.kind != kKindMagicItem)
        return;
    const auto& item = static_cast<const MagicItemRecord&>(record);
    const std::string owner = "magic item " + Quoted(CodeText(item.key));
    const std::size_t text = texts.size() - 1;
    if (item.itemCategory != -1)
        Defer({Deferred::What::ItemCategoryBits,
               text,
               frame.fieldAt[static_cast<std::size_t>(Field::ItemCategory)],
               item.itemCategory,
               {},
               owner,
               "item category"});
    if (item.troopCategoryMask != -1)
        Defer({Deferred::What::TroopCategoryBits,
               text,
               frame.fieldAt[static_cast<std::size_t>(Field::TroopCategories)],
               item.troopCategoryMask,
               {},
               owner,
               "troop categories"});
}

// A text saved as UTF-8: its first character of more than one byte, other
// than the quotation marks already told of, is told as the root cause of
// every name and text that shows wrong.
void ArmyListLinter::Observer::CheckEncoding(std::size_t t) {
    const Text& text = texts[t];
    const std::string_view bytes = text.bytes;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) < 0xC2)
            continue;
        char32_t c = 0;
        const std::size_t n = Utf8SequenceAt(bytes, i, c);
        if (n == 0)
            continue;
        const auto at = static_cast<std::uint32_t>(i);
        if (std::find(text.quotationMarks.begin(), text.quotationMarks.end(), at) !=
            text.quotationMarks.end()) {
            i += n - 1;
            continue;
        }
        // The word it stands in, as the author sees it.
        const auto isWordByte = [](char b) {
            return !IsWhitespace(static_cast<unsigned char>(b)) || b & 0x80;
        };
        std::size_t from = i;
        while (from > 0 && isWordByte(bytes[from - 1]) && bytes[from - 1] != '"' && bytes[from - 1] != '>')
            --from;
        std::size_t to = i + n;
        while (to < bytes.size() && isWordByte(bytes[to]) && bytes[to] != '"' && bytes[to] != '<')
            ++to;
        const std::string what =
            c == 0xFEFF ? "the file starts with the UTF-8 byte-order mark (" + Hex(bytes.substr(i, n)) + ")"
                        : Quoted(bytes.substr(from, to - from)) + " is written in UTF-8: the bytes " +
                              Hex(bytes.substr(i, n)) + " are one character, " + CodePointName(c);
        AddTo(t, Severity::Error, at,
              what + ", but the program reads army lists as Windows-1252 and would show them as " +
                  std::to_string(n) + " characters; save the file as Windows-1252",
              true);
        return;
    }
}

void ArmyListLinter::Observer::Finish(const ArmyCatalogue& catalogue) {
    std::optional<NearCodes> nearRules; // built only when a rule code is unknown
    for (const Deferred& d : deferred_) {
        switch (d.what) {
        case Deferred::What::TroopCategory:
            if (catalogue.FindTroopCategory(d.value) == nullptr)
                AddTo(d.text, Severity::Warning, d.at,
                      "the category " + std::to_string(d.value) + " of " + d.owner +
                          " is the bit of no troop category (TRCAT): use the bit of one, or add a TRCAT for "
                          "it");
            break;
        case Deferred::What::ItemCategoryBits:
        case Deferred::What::TroopCategoryBits: {
            const bool items = d.what == Deferred::What::ItemCategoryBits;
            std::vector<std::uint32_t> missing;
            for (std::uint32_t bit : BitsOf(d.value)) {
                const auto b = static_cast<std::int32_t>(bit);
                if (items ? catalogue.FindMagicItemCategory(b) == nullptr
                          : catalogue.FindTroopCategory(b) == nullptr)
                    missing.push_back(bit);
            }
            if (!missing.empty())
                AddTo(d.text, Severity::Warning, d.at,
                      std::string(missing.size() == 1 ? "the bit " : "the bits ") + JoinBits(missing) +
                          " of the " + d.fieldName + " " + std::to_string(d.value) + " of " + d.owner +
                          (missing.size() == 1 ? " has" : " have") + " no " + (items ? "MICAT" : "TRCAT") +
                          ": remove " + (missing.size() == 1 ? "it" : "them") + ", or add a " +
                          (items ? "MICAT" : "TRCAT") + " for " + (missing.size() == 1 ? "it" : "each"));
            break;
        }
        case Deferred::What::RuleCodes: {
            std::size_t i = 0;
            for (; i + 4 <= d.codes.size(); i += 4) {
                const std::string_view code = std::string_view(d.codes).substr(i, 4);
                const Code value = CodeAt(code, 0);
                if (catalogue.FindSpecialRule(value) != nullptr)
                    continue;
                if (!nearRules) {
                    nearRules.emplace();
                    for (auto rule = catalogue.NextSpecialRule(nullptr); rule;
                         rule = catalogue.NextSpecialRule(rule))
                        nearRules->Add(rule->code());
                }
                AddTo(d.text, Severity::Warning, d.at + static_cast<std::uint32_t>(i),
                      "the SRULE code " + Quoted(code) + " names no special rule" +
                          DidYouMean(*nearRules, value));
            }
            if (i < d.codes.size())
                AddTo(d.text, Severity::Warning, d.at + static_cast<std::uint32_t>(i),
                      "the SRULE ends in " + Quoted(std::string_view(d.codes).substr(i)) +
                          ", too short for a code; it is ignored");
            break;
        }
        }
    }
    deferred_.clear();

    for (std::size_t t = 0; t < texts.size(); ++t) {
        Text& text = texts[t];
        std::vector<LintFinding>& findings = text.result.findings;
        CheckEncoding(t);
        // A field cut short by the end of the data is reported at the last byte.
        for (LintFinding& f : findings)
            if (!text.bytes.empty())
                f.offset = std::min(f.offset, static_cast<std::uint32_t>(text.bytes.size() - 1));
        // Root causes first, each group in the order of the text.
        std::stable_sort(findings.begin(), findings.end(), [](const LintFinding& a, const LintFinding& b) {
            return a.rootCause != b.rootCause ? a.rootCause : a.offset < b.offset;
        });
        for (LintFinding& f : findings) {
            f.line = LineOf(t, f.offset);
            f.column = f.offset - text.lineStarts[f.line - 1] + 1;
        }
    }
}

std::size_t LintedText::Count(LintFinding::Severity severity) const {
    return static_cast<std::size_t>(std::count_if(
        findings.begin(), findings.end(), [&](const LintFinding& f) { return f.severity == severity; }));
}

ArmyListLinter::ArmyListLinter()
    : catalogue_(std::make_unique<ArmyCatalogue>()), observer_(std::make_unique<Observer>()) {}

ArmyListLinter::~ArmyListLinter() = default;

void ArmyListLinter::AddBuiltIn(std::string name) {
    observer_->Begin(std::move(name), true);
    catalogue_->LoadBuiltIn(observer_.get());
}

bool ArmyListLinter::AddFile(const std::filesystem::path& file, std::string name) {
    observer_->Begin(std::move(name), false);
    if (catalogue_->LoadFile(file, observer_.get()))
        return true;
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error) && std::filesystem::file_size(file, error) == 0 &&
        !error) {
        observer_->Add(Severity::Warning, 0, "the file is empty; the program skips it");
        return true;
    }
    observer_->texts.back().result.read = false;
    return false;
}

void ArmyListLinter::AddText(std::string name, std::string_view bytes) {
    observer_->Begin(std::move(name), false);
    ArmyListReader reader;
    reader.OpenBytes(bytes.data(), bytes.size());
    catalogue_->LoadArmyListText(reader, observer_.get());
}

std::vector<LintedText> ArmyListLinter::Finish() {
    observer_->Finish(*catalogue_);
    std::vector<LintedText> results;
    for (Observer::Text& text : observer_->texts)
        results.push_back(std::move(text.result));
    observer_->texts.clear();
    return results;
}

const ArmyCatalogue& ArmyListLinter::catalogue() const {
    return *catalogue_;
}

std::string FormatFinding(const std::string& name, const LintFinding& finding) {
    return name + ":" + std::to_string(finding.line) + ":" + std::to_string(finding.column) + ": " +
           (finding.severity == Severity::Error ? "error" : "warning") + ": " + finding.message;
}

std::string LintSummary(const std::vector<LintedText>& texts) {
    std::size_t errors = 0;
    std::size_t warnings = 0;
    for (const LintedText& text : texts) {
        errors += text.Count(Severity::Error);
        warnings += text.Count(Severity::Warning);
    }
    return Counted(errors, "error") + ", " + Counted(warnings, "warning") + " in " +
           Counted(texts.size(), "file");
}

} // namespace ovra
