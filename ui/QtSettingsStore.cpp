#include "QtSettingsStore.h"

#include <QSettings>

namespace ovra {

std::optional<std::int32_t> QtSettingsStore::ReadInt(const std::string& section,
                                                     const std::string& key) const {
    const QVariant value = settings_.value(QString::fromStdString(section + "/" + key));
    bool ok = false;
    const qlonglong number = value.toLongLong(&ok);
    if (!value.isValid() || !ok || number < INT32_MIN || number > INT32_MAX)
        return std::nullopt;
    return static_cast<std::int32_t>(number);
}

bool QtSettingsStore::WriteInt(const std::string& section, const std::string& key, std::int32_t value) {
    settings_.setValue(QString::fromStdString(section + "/" + key), value);
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

} // namespace ovra
