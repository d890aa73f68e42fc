// File names in the window. A name is the bytes the file system holds, which
// need not be valid in any encoding: inside the program it stays a
// std::filesystem::path, and it becomes text only to be shown, or where Qt's
// own file dialogs give text.
#pragma once

#include <QString>
#include <QVariant>

#include <filesystem>

namespace ovra {

// A name a file dialog gave, in the file system's bytes.
std::filesystem::path ToPath(const QString& file);
// A name as it is shown; bytes that are no text show as replacement characters.
QString ShownPath(const std::filesystem::path& path);

// A file name as a settings value: its text where the text gives back the
// same bytes, else the bytes themselves, so that any name survives.
QVariant PathValue(const std::filesystem::path& path);
// The file name a settings value holds; empty for none.
std::filesystem::path ValuePath(const QVariant& value);

} // namespace ovra
