// The document's settings store, kept in a QSettings store.
#pragma once

#include "Host.h"

class QSettings;

namespace ovra {

// Settings in a QSettings store: section/key, 32-bit integers.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}
    std::optional<std::int32_t> ReadInt(const std::string& section, const std::string& key) const override;
    bool WriteInt(const std::string& section, const std::string& key, std::int32_t value) override;

private:
    QSettings& settings_;
};

} // namespace ovra
