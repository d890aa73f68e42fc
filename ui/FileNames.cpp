#include "FileNames.h"

#include <QByteArray>
#include <QFile>

namespace ovra {

std::filesystem::path ToPath(const QString& file) {
    return std::filesystem::path(QFile::encodeName(file).toStdString());
}

QString ShownPath(const std::filesystem::path& path) {
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

QVariant PathValue(const std::filesystem::path& path) {
    const QByteArray bytes = QByteArray::fromStdString(path.native());
    const QString text = QFile::decodeName(bytes);
    if (QFile::encodeName(text) == bytes)
        return text;
    return bytes;
}

std::filesystem::path ValuePath(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray)
        return std::filesystem::path(value.toByteArray().toStdString());
    return ToPath(value.toString());
}

} // namespace ovra
