// How the headless commands open an army file: as File > Open does, with the
// load messages on stderr, and the strict rule for an army that loaded
// without some units.
#pragma once

#include "ArmyDocument.h"
#include "Host.h"

#include <ostream>
#include <string>

namespace ovra {

inline constexpr const char* kAllowIncompleteOption = "--allow-incomplete";

// Load messages and file errors go to stderr with the program's own texts;
// nothing is ever asked.
class StderrMessages : public MessageSink {
public:
    explicit StderrMessages(std::ostream& err) : err_(err) {}
    void ShowMessage(const std::string& text, const std::string&, MessageIcon) override {
        err_ << text << "\n";
    }
    bool AskOkCancel(const std::string&, const std::string&) override { return true; }

private:
    std::ostream& err_;
};

// A headless document: real catalogue, settings that live only for the run.
struct HeadlessDocument {
    HeadlessDocument(const ArmyCatalogue& catalogue, std::ostream& err)
        : err(err), messages(err), doc(catalogue, settings, messages) {}

    // Opens the file as File > Open does; false when it cannot be loaded, or
    // loaded without something and `allowIncomplete` is not given.
    bool Open(const std::string& path, bool allowIncomplete) {
        result = doc.OnOpenDocument(path);
        if (result == ArmyDocument::OpenResult::Incomplete && !allowIncomplete)
            err << "ovra: nothing done; use " << kAllowIncompleteOption
                << " to go on without what was not loaded\n";
        return result == ArmyDocument::OpenResult::Opened ||
               (result == ArmyDocument::OpenResult::Incomplete && allowIncomplete);
    }
    bool Incomplete() const { return result == ArmyDocument::OpenResult::Incomplete; }

    std::ostream& err;
    InMemorySettings settings;
    StderrMessages messages;
    ArmyDocument doc;
    ArmyDocument::OpenResult result = ArmyDocument::OpenResult::Unreadable;
};

} // namespace ovra
