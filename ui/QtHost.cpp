#include "QtHost.h"

#include "UiServices.h"

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

void DialogMessageSink::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    // The program's own texts, with file names in the file system's encoding.
    services_.ShowMessage(parent_(), QString::fromStdString(text), QString::fromStdString(caption), icon);
}

bool DialogMessageSink::AskOkCancel(const std::string& text, const std::string& caption) {
    return services_.AskOkCancel(parent_(), QString::fromStdString(text), QString::fromStdString(caption));
}

} // namespace ovra
