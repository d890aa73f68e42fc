// The document's message sink, bound to the window's dialog services.
#pragma once

#include "Host.h"

#include <functional>

class QWidget;

namespace ovra {

class UiServices;

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
