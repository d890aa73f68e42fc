#include "DialogMessageSink.h"

#include "UiServices.h"

#include <QString>

namespace ovra {

void DialogMessageSink::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    // The program's own texts, with file names in the file system's encoding.
    services_.ShowMessage(parent_(), QString::fromStdString(text), QString::fromStdString(caption), icon);
}

bool DialogMessageSink::AskOkCancel(const std::string& text, const std::string& caption) {
    return services_.AskOkCancel(parent_(), QString::fromStdString(text), QString::fromStdString(caption));
}

} // namespace ovra
