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

// A headless document: real catalogue, settings that live only for the run.
struct HeadlessDocument {
    HeadlessDocument(const ArmyCatalogue& catalogue, std::ostream& err)
        : err(err), doc(catalogue, settings) {}

    // Opens the file as File > Open does; false when it cannot be loaded, or
    // loaded without something and `allowIncomplete` is not given.
    bool Open(const std::string& path, bool allowIncomplete) {
        // Load messages and file errors go to stderr with the program's own texts.
        const ArmyDocument::OpenOutcome outcome = doc.Open(path);
        if (outcome.message)
            err << outcome.message->text << "\n";
        result = outcome.result;
        if (result == ArmyDocument::OpenResult::Incomplete && !allowIncomplete)
            err << "ovra: nothing done; use " << kAllowIncompleteOption
                << " to go on without what was not loaded\n";
        return result == ArmyDocument::OpenResult::Opened ||
               (result == ArmyDocument::OpenResult::Incomplete && allowIncomplete);
    }
    bool Incomplete() const { return result == ArmyDocument::OpenResult::Incomplete; }
    // Saves the army; false, with the reason on stderr, when it could not be written.
    bool Save(const std::string& path) {
        const ArmyDocument::SaveOutcome outcome = doc.Save(path);
        if (outcome.message)
            err << outcome.message->text << "\n";
        return outcome.saved;
    }

    std::ostream& err;
    InMemorySettings settings;
    ArmyDocument doc;
    ArmyDocument::OpenResult result = ArmyDocument::OpenResult::Unreadable;
};

} // namespace ovra
