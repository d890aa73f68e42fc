#include "ImportText.h"

#include "Windows1252.h"

#include <algorithm>
#include <array>
#include <vector>

namespace ovra {
namespace {

// The length of the well-formed UTF-8 character at `at` and its code point;
// 0 when the bytes there are not one.
std::size_t Utf8Character(std::string_view text, std::size_t at, char32_t& point) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    std::size_t length = 0;
    char32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        point = lead & 0x1F;
        least = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        point = lead & 0x0F;
        least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        point = lead & 0x07;
        least = 0x10000;
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0;
        point = point << 6 | (byte(i) & 0x3F);
    }
    if (point < least || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF))
        return 0;
    return length;
}

// How each byte is spelled in a key: letters in lower case, accented ones
// and ligatures in plain letters, hyphens, underscores and blanks as a blank
// (" "), apostrophes as nothing ("").
const std::array<std::string_view, 256>& Spellings() {
    static const std::array<std::string_view, 256> spellings = [] {
        static char singles[256];
        std::array<std::string_view, 256> s{};
        for (unsigned b = 0; b < 256; ++b) {
            singles[b] = static_cast<char>(b >= 'A' && b <= 'Z' ? b - 'A' + 'a' : b);
            s[b] = std::string_view(&singles[b], 1);
        }
        const auto set = [&](unsigned first, unsigned last, std::string_view plain) {
            for (unsigned b = first; b <= last; ++b)
                s[b] = plain;
        };
        set('\'', '\'', "");
        set('-', '-', " ");
        set('_', '_', " ");
        set('\t', '\n', " ");
        set('\r', '\r', " ");
        set(0x8A, 0x8A, "s");
        set(0x8C, 0x8C, "oe");
        set(0x8E, 0x8E, "z");
        set(0x91, 0x92, "");   // curly apostrophes
        set(0x93, 0x94, "\""); // curly quotes
        set(0x96, 0x97, " ");  // dashes
        set(0x9A, 0x9A, "s");
        set(0x9C, 0x9C, "oe");
        set(0x9E, 0x9E, "z");
        set(0x9F, 0x9F, "y");
        set(0xA0, 0xA0, " ");
        set(0xC0, 0xC5, "a");
        set(0xC6, 0xC6, "ae");
        set(0xC7, 0xC7, "c");
        set(0xC8, 0xCB, "e");
        set(0xCC, 0xCF, "i");
        set(0xD0, 0xD0, "d");
        set(0xD1, 0xD1, "n");
        set(0xD2, 0xD6, "o");
        set(0xD8, 0xD8, "o");
        set(0xD9, 0xDC, "u");
        set(0xDD, 0xDD, "y");
        set(0xDE, 0xDE, "th");
        set(0xDF, 0xDF, "ss");
        set(0xE0, 0xE5, "a");
        set(0xE6, 0xE6, "ae");
        set(0xE7, 0xE7, "c");
        set(0xE8, 0xEB, "e");
        set(0xEC, 0xEF, "i");
        set(0xF0, 0xF0, "d");
        set(0xF1, 0xF1, "n");
        set(0xF2, 0xF6, "o");
        set(0xF8, 0xF8, "o");
        set(0xF9, 0xFC, "u");
        set(0xFD, 0xFD, "y");
        set(0xFE, 0xFE, "th");
        set(0xFF, 0xFF, "y");
        return s;
    }();
    return spellings;
}

} // namespace

std::string Utf8ToWindows1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const std::size_t length = Utf8Character(text, at, point);
        if (length == 0) {
            out += text[at++];
            continue;
        }
        const int byte = CodePointToWindows1252(point);
        out += byte < 0 ? '?' : static_cast<char>(byte);
        at += length;
    }
    return out;
}

std::string WellFormedUtf8(std::string_view text, std::size_t limit) {
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        char32_t point = 0;
        const std::size_t length = Utf8Character(text, at, point);
        if (out.size() + (length == 0 ? 3 : length) > limit) {
            out += "...";
            break;
        }
        if (length == 0) {
            out += "\xEF\xBF\xBD";
            ++at;
        } else {
            out.append(text.substr(at, length));
            at += length;
        }
    }
    return out;
}

std::string NameKey(std::string_view windows1252) {
    const auto& spellings = Spellings();
    std::string key;
    key.reserve(windows1252.size());
    bool blank = false; // a blank is owed before the next letter
    for (const char c : windows1252) {
        const std::string_view spelled = spellings[static_cast<unsigned char>(c)];
        if (spelled == " ") {
            blank = !key.empty();
            continue;
        }
        if (spelled.empty())
            continue;
        if (blank)
            key += ' ';
        blank = false;
        key += spelled;
    }
    return key;
}

std::size_t EditDistance(std::string_view a, std::string_view b, std::size_t limit) {
    if (a.size() > b.size())
        std::swap(a, b);
    if (b.size() - a.size() > limit)
        return limit + 1;
    // Only cells within `limit` of the diagonal can hold a distance within it.
    const std::size_t beyond = limit + 1;
    std::vector<std::size_t> row(b.size() + 1, beyond);
    std::vector<std::size_t> next(b.size() + 1, beyond);
    for (std::size_t j = 0; j <= std::min(b.size(), limit); ++j)
        row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        const std::size_t from = i > limit ? i - limit : 1;
        const std::size_t to = std::min(b.size(), i + limit);
        next[from - 1] = from == 1 && i <= limit ? i : beyond;
        std::size_t least = next[from - 1];
        for (std::size_t j = from; j <= to; ++j) {
            const std::size_t substitute = row[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            next[j] = std::min({substitute, row[j] + 1, next[j - 1] + 1, beyond});
            least = std::min(least, next[j]);
        }
        if (to < b.size())
            next[to + 1] = beyond;
        if (least > limit)
            return beyond;
        std::swap(row, next);
    }
    return std::min(row[b.size()], beyond);
}

} // namespace ovra
