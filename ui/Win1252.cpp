#include "Win1252.h"

#include "Windows1252.h"

namespace ovra {

QString FromWin1252(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (const char ch : bytes)
        text.append(QChar(static_cast<char16_t>(Windows1252ToCodePoint(static_cast<unsigned char>(ch)))));
    return text;
}

QString FromWin1252Lines(std::string_view bytes) {
    QString text = FromWin1252(bytes);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool FitsWin1252(const QString& text) {
    for (const QChar ch : text)
        if (CodePointToWindows1252(ch.unicode()) < 0)
            return false;
    return true;
}

std::string ToWin1252(const QString& text) {
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const int byte = CodePointToWindows1252(ch.unicode());
        bytes.push_back(byte < 0 ? '?' : static_cast<char>(byte));
    }
    return bytes;
}

} // namespace ovra
