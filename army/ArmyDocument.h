// The single document: it owns the army, rebuilds it on New, on a nation
// change and before a load, stores it as an army file, and remembers the last
// saved nation and points limit in the settings.
#pragma once

#include "Army.h"
#include "ArmyEdit.h"
#include "Host.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ovra {

class ArmyCatalogue;

inline constexpr const char* kAppTitle = "Ovra";
inline constexpr const char* kWindowTitle = "Fennmarch AG";
inline constexpr const char* kNewDocumentTitle = "New Army";
inline constexpr const char* kLoadFailedCaption = "Failed to open file";
inline constexpr const char* kNationUnavailableMessage =
    "The file can not be loaded, because it was created with an armylist now unavailable.";
inline constexpr const char* kIncompleteLoadMessage =
    "The file was not loaded completely. Because it was created with an armylist now unavailable.";
inline constexpr const char* kSettingsSection = "INIT";
inline constexpr const char* kNationKey = "Nation";
inline constexpr const char* kPointsKey = "Points";
inline constexpr std::int32_t kDefaultPointsLimit = 2000;

// Everything an army is rebuilt from and bound to, kept by the edits that
// replace the whole army.
struct DocumentState {
    const ArmyCatalogue* catalogue = nullptr; // the army lists it was read against
    const NationRecord* nation = nullptr;
    std::int32_t pointsLimit = 0;
    const NationRecord* rememberedNation = nullptr;
    std::int32_t rememberedPoints = 0;
    bool fillMinimums = false;
    std::vector<UnitEntryState> entries;
    std::filesystem::path boundPath; // the file a plain Save writes to
    std::filesystem::path proposedPath;
};

// What the user must be told about a file, as a message box shows it.
struct FileMessage {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Exclamation;
};

class ArmyDocument {
public:
    enum class OpenResult {
        Opened,      // loaded; the document is bound to the file
        Incomplete,  // loaded without some units or options; titled after the file, not bound to it
        NotLoadable, // not an army file, or its nation unavailable; a new, unbound army
        Unreadable,  // the file could not be read; the document is unchanged
    };
    struct OpenOutcome {
        OpenResult result = OpenResult::Unreadable;
        std::optional<FileMessage> message; // what the load has to say, if anything
    };
    struct SaveOutcome {
        bool saved = false;
        bool readOnly = false;              // the file may not be written: another name is the way out
        std::optional<FileMessage> message; // why it was not saved
    };
    // The army's file on disk against what the document last read or wrote there.
    enum class DiskState {
        Same,    // the bytes the document knows (or no file is bound)
        Changed, // other bytes
        Missing, // deleted or moved away
    };

    // Takes the nation and points limit from the settings; the army is empty.
    // The catalogue and the settings must outlive the document.
    ArmyDocument(const ArmyCatalogue& catalogue, SettingsStore& settings);
    ArmyDocument(const ArmyDocument&) = delete;
    ArmyDocument& operator=(const ArmyDocument&) = delete;
    ~ArmyDocument();

    std::int32_t BreakPoint() const { return army_->BreakPoint(); }
    // The army's title for rosters: the caption up to its first "." (or up to
    // the blank before its first "-").
    std::string ArmyTitle() const;

    // File > New: a rebuilt army, titled "New Army", bound to no file.
    void New();
    // File > New beside another army: the new army `other` would rebuild
    // (its remembered nation, limit and fill-minimums flag).
    void NewLike(const ArmyDocument& other);
    // Reads the file and loads it. Nothing is shown: the outcome says what
    // the user must be told.
    OpenOutcome Open(const std::filesystem::path& path);
    // Loads army-file bytes as if read from the file at `path`.
    OpenOutcome Load(std::string_view bytes, const std::filesystem::path& path);
    // Loads army-file bytes that come from no file (an imported roster):
    // titled "New Army", bound to no file, so that Save asks for a name.
    OpenOutcome LoadUntitled(std::string_view bytes);
    // Writes the settings, then the file; when the file cannot be written the
    // previous one is intact and the outcome says why.
    SaveOutcome Save(const std::filesystem::path& path);

    // The army read again in place, keeping its title: from the new bytes of
    // its file (`fromDisk`), or as if saved and reopened against other army
    // lists. The same rules as Load: what the lists do not hold is left out
    // and unbinds the document. Bytes that are no army at all change nothing
    // (the outcome says why). Not announced: edits that replace the army do.
    OpenOutcome Reread(std::string_view bytes, const ArmyCatalogue& catalogue, bool fromDisk);

    // Reads the bound file again and compares it with what the document
    // last read or wrote there.
    DiskState CheckDisk() const;
    // Takes the bytes now on disk as known: the user has seen them change
    // and chose to keep the army as it is.
    void AcknowledgeDisk();

    // Rebuilds the army for the nation and limit and remembers them (loading,
    // `ovra new`), and announces it. Not an edit: nothing to undo.
    void SetNationAndPoints(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums);

    // Makes an edit (its first time, or again after it was undone) and
    // announces what it touched.
    void Do(ArmyEdit& edit);
    // Takes the edit back and announces what it touched. Edits are undone
    // and redone in stack order.
    void Undo(ArmyEdit& edit);

    // What the edits that replace the whole army use: the state to keep and
    // put back, and the steps they take.
    DocumentState State() const;
    void Restore(const DocumentState& state);
    // SetNationAndPoints without the announcement.
    void Rebuild(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums);
    // No file for a plain Save; Save As proposes the file it was bound to.
    void Unbind();

    Army& army() { return *army_; }
    const Army& army() const { return *army_; }
    const ArmyCatalogue& catalogue() const { return *catalogue_; }
    std::int32_t pointsLimit() const { return army_->pointsLimit(); }

    const std::string& title() const { return title_; }
    // The file a plain Save writes to; empty when Save must ask for a name.
    const std::filesystem::path& path() const { return path_; }
    // The name a Save As dialog proposes.
    const std::filesystem::path& proposedPath() const { return proposedPath_; }

    // Called after every change of the army, with what it touched.
    using ChangeHandler = std::function<void(const ArmyChange&)>;
    int Subscribe(ChangeHandler handler);
    void Unsubscribe(int subscription);

    SettingsStore& settings() { return *settings_; }

private:
    // Destroys the army and builds a new one from the remembered nation,
    // points limit and fill-minimums flag.
    void RebuildArmy();
    void BindTo(const std::filesystem::path& path);
    void Unbind(const std::filesystem::path& proposed);
    void Announce(const ArmyChange& change);
    void KnowDisk(std::string_view bytes);

    const ArmyCatalogue* catalogue_;
    SettingsStore* settings_;
    std::unique_ptr<NationRecord> noNation_; // stands in when no army list is loaded

    bool fillMinimums_ = false;
    std::int32_t rememberedPoints_ = kDefaultPointsLimit;
    const NationRecord* rememberedNation_ = nullptr;
    std::unique_ptr<Army> army_;

    std::string title_ = kNewDocumentTitle;
    std::filesystem::path path_;
    std::filesystem::path proposedPath_;
    // What the bound file held when the document last read or wrote it.
    std::uint64_t diskHash_ = 0;
    std::uintmax_t diskSize_ = 0;
    std::vector<std::pair<int, ChangeHandler>> subscribers_;
    int lastSubscription_ = 0;
};

// The window's caption for a document title: "Legion.evr - Fennmarch AG";
// `marker` stands right after the title (the window's modified mark).
std::string WindowCaption(std::string_view documentTitle, std::string_view marker = {});

// The army title within a window caption: the text before its first ".",
// else before the blank before its first "-".
std::string ArmyTitleFromCaption(std::string_view caption);

} // namespace ovra
