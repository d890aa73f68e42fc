// What the document needs from its host: a settings store, which the GUI
// binds to its toolkit and tests and the headless commands keep in memory,
// and the icons of the messages it asks its host to show.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace ovra {

// Per-user settings: 32-bit integers by section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::int32_t> ReadInt(const std::string& section, const std::string& key) const = 0;
    // False when the value could not be stored; callers carry on.
    virtual bool WriteInt(const std::string& section, const std::string& key, std::int32_t value) = 0;
};

// Settings kept in memory for the run (tests, headless commands).
class InMemorySettings : public SettingsStore {
public:
    std::optional<std::int32_t> ReadInt(const std::string& section, const std::string& key) const override {
        const auto it = values_.find({section, key});
        if (it == values_.end())
            return std::nullopt;
        return it->second;
    }
    bool WriteInt(const std::string& section, const std::string& key, std::int32_t value) override {
        values_[{section, key}] = value;
        ++writes_;
        return true;
    }
    int writes() const { return writes_; }

private:
    std::map<std::pair<std::string, std::string>, std::int32_t> values_;
    int writes_ = 0;
};

enum class MessageIcon { Information, Exclamation, Error };

} // namespace ovra
