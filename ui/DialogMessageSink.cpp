#include "DialogMessageSink.h"

#include "UiServices.h"

#include <QCoreApplication>
#include <QString>

namespace ovra {
namespace {

// The document's fixed texts, so that they are offered for translation;
// whatever else it says (file names, system errors) is shown as it is.
[[maybe_unused]] const char* const kDocumentTexts[] = {
    QT_TRANSLATE_NOOP("ArmyDocument",
                      "The file can not be loaded, because it was created with an armylist now unavailable."),
    QT_TRANSLATE_NOOP("ArmyDocument",
                      "The file was not loaded completely. Because it was created with an armylist now unavailable."),
    QT_TRANSLATE_NOOP("ArmyDocument", "Failed to open file"),
};

QString Translated(const std::string& text) {
    // The program's own texts, with file names in the file system's encoding.
    return QCoreApplication::translate("ArmyDocument", text.c_str());
}

} // namespace

void DialogMessageSink::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    services_.ShowMessage(parent_(), Translated(text), Translated(caption), icon);
}

bool DialogMessageSink::AskOkCancel(const std::string& text, const std::string& caption) {
    return services_.AskOkCancel(parent_(), Translated(text), Translated(caption));
}

} // namespace ovra
