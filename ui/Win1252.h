// Army-list texts, names and files are bytes in no declared encoding; the
// window shows them as Windows-1252 and writes typed text back the same way.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace ovra {

QString FromWin1252(std::string_view bytes);
// The same, with CR LF line breaks turned into the "\n" that text fields expect.
QString FromWin1252Lines(std::string_view bytes);
// Whether every character can be kept in Windows-1252.
bool FitsWin1252(const QString& text);
// Characters Windows-1252 cannot hold become "?".
std::string ToWin1252(const QString& text);

} // namespace ovra
