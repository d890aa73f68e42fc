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

class ArmyDocument {
public:
    enum class OpenResult {
        Opened,      // loaded; the document is bound to the file
        Incomplete,  // loaded without some units or options, or cut short; titled after the
                     // file, not bound to it
        NotLoadable, // not an army file, or its nation unavailable; a new, unbound army
        Unreadable,  // the file could not be read; the document is unchanged
    };

    // Takes the nation and points limit from the settings; the army is empty.
    // The catalogue, settings and messages must outlive the document.
    ArmyDocument(const ArmyCatalogue& catalogue, SettingsStore& settings, MessageSink& messages);
    ArmyDocument(const ArmyDocument&) = delete;
    ArmyDocument& operator=(const ArmyDocument&) = delete;
    virtual ~ArmyDocument();

    virtual std::int32_t BreakPoint() const { return army_->BreakPoint(); }
    // The army's title for rosters: the caption up to its first "." (or up to
    // the blank before its first "-").
    virtual std::string ArmyTitle() const;

    // File > New: a rebuilt army, titled "New Army", bound to no file.
    void OnNewDocument();
    // Reads the file and loads it; the messages go to the message sink.
    OpenResult OnOpenDocument(const std::filesystem::path& path);
    // Loads army-file bytes (ReadArmyFile) as if read from a file with that
    // display name; its messages go to the message sink as one text, a line each.
    OpenResult LoadFromBytes(std::string_view bytes, const std::filesystem::path& path);
    // Writes the settings, then the file; false (with a message) when the file
    // could not be written, in which case the previous file is intact.
    bool OnSaveDocument(const std::filesystem::path& path);
    // Destroys the army and builds a new one from the remembered nation,
    // points limit and fill-minimums flag.
    void DeleteContents();

    // Rebuilds the army for the nation and limit and remembers them (loading,
    // `ovra new`); marks the document changed. Not an undoable edit.
    void SetNationAndPoints(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums);

    // The edits. Each changes the army, marks the document changed, announces
    // what changed and returns a record for Undo and Redo. Renaming, setting
    // an option or the points limit to what it already is, or naming a unit
    // the army no longer holds, changes nothing and marks nothing; the other
    // edits count as changes even when the army stays the same.
    ArmyEdit SetCountOfType(Code troopCode, std::int32_t count);
    // A new unit of the troop type, or a duplicate of the unit, at the end.
    ArmyEdit NewUnit(const TroopTypeRecord& type);
    ArmyEdit DuplicateUnit(UnitId unit);
    ArmyEdit DeleteUnit(UnitId unit);
    ArmyEdit EnforceMinMax();
    ArmyEdit RenameUnit(UnitId unit, std::string_view name);
    ArmyEdit SetMount(UnitId unit, const TroopTypeRecord* mount);
    ArmyEdit SetMagicItem(UnitId unit, const MagicItemRecord* item);
    ArmyEdit SetSiegeEngine(UnitId unit, const SiegeEngineRecord* engine);
    ArmyEdit SetSkirmishers(UnitId unit, bool skirmishers);
    // A new army of the nation at the current limit, filled with every troop
    // type's minimum; File > New then fills too. The document is no longer
    // bound to its file: Save asks for a name, proposing the file's.
    ArmyEdit ChangeNation(const NationRecord& nation);
    ArmyEdit SetPointsLimit(std::int32_t value);

    // Takes the army back to where it was before the edit, or forward to where
    // it was after it. Edits must be undone and redone in stack order.
    void Undo(const ArmyEdit& edit);
    void Redo(const ArmyEdit& edit);
    // Folds a later edit into an earlier one when both change the points limit
    // or both rename the same unit (a burst of typing); false otherwise.
    static bool Merge(ArmyEdit& earlier, const ArmyEdit& later);

    Army& army() { return *army_; }
    const Army& army() const { return *army_; }
    const ArmyCatalogue& catalogue() const { return *catalogue_; }
    std::int32_t pointsLimit() const { return army_->pointsLimit(); }

    // Changed since it was created, opened or saved, counting undone edits
    // as not made.
    bool IsModified() const { return revision_ != savedRevision_; }
    const std::string& title() const { return title_; }
    // The file a plain Save writes to; empty when Save must ask for a name.
    const std::filesystem::path& path() const { return path_; }
    // The name a Save As dialog proposes.
    const std::filesystem::path& proposedPath() const { return proposedPath_; }

    // Called after every change of the army, with what it touched.
    using ChangeHandler = std::function<void(const ArmyChange&)>;
    int Subscribe(ChangeHandler handler);
    void Unsubscribe(int subscription);
    // Called whenever the modified state or the title changes.
    void SetStateHandler(std::function<void()> handler) { onState_ = std::move(handler); }

    SettingsStore& settings() { return *settings_; }
    MessageSink& messages() { return *messages_; }

private:
    void SetTitle(std::string title);
    void BindTo(const std::filesystem::path& path);
    void Unbind(const std::filesystem::path& proposed);
    void Announce(const ArmyChange& change);
    void AnnounceState();
    // A new revision for a state the army has not been in before.
    void Revise(ArmyEdit& edit);
    // Starts a fresh history: the current state is the saved one.
    void MarkSaved();
    // Runs an edit that removes and appends entries and records which.
    template <class Change> ArmyEdit RecordEntries(ArmyEdit::Kind kind, Change change);
    // Runs an edit of one entry's name or options and records it.
    template <class Change> ArmyEdit RecordEntry(ArmyEdit::Kind kind, UnitId unit, Change change);
    std::shared_ptr<const ArmyEdit::Whole> Snapshot() const;
    void Restore(const ArmyEdit::Whole& whole);
    void ApplyState(const UnitEntryState& state);

    const ArmyCatalogue* catalogue_;
    SettingsStore* settings_;
    MessageSink* messages_;
    std::unique_ptr<NationRecord> noNation_; // stands in when no army list is loaded

    bool fillMinimums_ = false;
    std::int32_t rememberedPoints_ = kDefaultPointsLimit;
    const NationRecord* rememberedNation_ = nullptr;
    std::unique_ptr<Army> army_;

    std::uint64_t revision_ = 0;
    std::uint64_t savedRevision_ = 0;
    std::uint64_t lastRevision_ = 0;
    std::string title_ = kNewDocumentTitle;
    std::filesystem::path path_;
    std::filesystem::path proposedPath_;
    std::vector<std::pair<int, ChangeHandler>> subscribers_;
    int lastSubscription_ = 0;
    std::function<void()> onState_;
};

// The army title for a window caption (document title, " - ", window title).
std::string ArmyTitleFromCaption(std::string_view caption);

} // namespace ovra
