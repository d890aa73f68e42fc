#include "Win1252.h"

#include <algorithm>
#include <iterator>

namespace ovra {
namespace {

// Code points of the bytes 0x80..0x9F; the five unassigned bytes keep their
// own value so that every byte survives a round trip.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QString FromWin1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        text.append(QChar(c >= 0x80 && c < 0xA0 ? kHighControls[c - 0x80] : char16_t(c)));
    }
    return text;
}

QString FromWin1252Lines(std::string_view bytes) {
    QString text = FromWin1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool FitsWin1252(const QString& text) {
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
            continue;
        if (std::find(std::begin(kHighControls), std::end(kHighControls), u) == std::end(kHighControls))
            return false;
    }
    return true;
}

std::string ToWin1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            bytes.push_back(static_cast<char>(u));
            continue;
        }
        char mapped = '?';
        for (int i = 0; i < 32; ++i)
            if (kHighControls[i] == u)
                mapped = static_cast<char>(0x80 + i);
        bytes.push_back(mapped);
    }
    return bytes;
}

} // namespace ovra
