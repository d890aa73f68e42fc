// The document's settings store and message sink, bound to Qt.
#pragma once

#include "Host.h"

#include <functional>

class QSettings;
class QWidget;

namespace ovra {

class UiServices;

// Settings in a QSettings store: section/key, 32-bit integers.
class QtSettingsStore : public SettingsStore {
public:
    explicit QtSettingsStore(QSettings& settings) : settings_(settings) {}
    std::optional<std::int32_t> ReadInt(const std::string& section, const std::string& key) const override;
    bool WriteInt(const std::string& section, const std::string& key, std::int32_t value) override;

private:
    QSettings& settings_;
};

// Messages shown through the window's dialog services, over the window that
// the parent function names at the time.
class DialogMessageSink : public MessageSink {
public:
    DialogMessageSink(UiServices& services, std::function<QWidget*()> parent)
        : services_(services), parent_(std::move(parent)) {}
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool AskOkCancel(const std::string& text, const std::string& caption) override;

private:
    UiServices& services_;
    std::function<QWidget*()> parent_;
};

} // namespace ovra
