#include "ArmyDocument.h"

#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "FileIo.h"

namespace ovra {

std::string ArmyTitleFromCaption(std::string_view caption) {
    const std::size_t dot = caption.find('.');
    if (dot != std::string_view::npos)
        return std::string(caption.substr(0, dot));
    const std::size_t dash = caption.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return {};
    return std::string(caption.substr(0, dash - 1));
}

ArmyDocument::ArmyDocument(const ArmyCatalogue& catalogue, SettingsStore& settings, MessageSink& messages)
    : catalogue_(&catalogue), settings_(&settings), messages_(&messages) {
    rememberedPoints_ = settings.ReadInt(kSettingsSection, kPointsKey).value_or(kDefaultPointsLimit);
    const NationRecord* first = catalogue.NextNation(nullptr);
    const std::int32_t id = settings.ReadInt(kSettingsSection, kNationKey).value_or(first ? first->id() : 0);
    rememberedNation_ = catalogue.FindNation(id);
    if (rememberedNation_ == nullptr)
        rememberedNation_ = first;
    if (rememberedNation_ == nullptr) {
        noNation_ = std::make_unique<NationRecord>(catalogue);
        rememberedNation_ = noNation_.get();
    }
    army_ = std::make_unique<Army>(*rememberedNation_, rememberedPoints_, false);
}

ArmyDocument::~ArmyDocument() = default;

std::string ArmyDocument::ArmyTitle() const {
    return ArmyTitleFromCaption(title_ + " - " + kWindowTitle);
}

void ArmyDocument::DeleteContents() {
    army_.reset();
    army_ = std::make_unique<Army>(*rememberedNation_, rememberedPoints_, fillMinimums_);
}

void ArmyDocument::OnNewDocument() {
    DeleteContents();
    Unbind({});
    SetTitle(kNewDocumentTitle);
    MarkSaved();
    Announce({});
}

ArmyDocument::OpenResult ArmyDocument::OnOpenDocument(const std::filesystem::path& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error)) {
        messages_->ShowMessage("Cannot open the file \"" + path.string() + "\".\n" + error, kAppTitle,
                               MessageIcon::Error);
        return OpenResult::Unreadable;
    }
    return LoadFromBytes(bytes, path);
}

ArmyDocument::OpenResult ArmyDocument::LoadFromBytes(std::string_view bytes,
                                                     const std::filesystem::path& path) {
    DeleteContents();
    const std::string fileTitle = path.filename().string();
    ArmyFileLoad load = ReadArmyFile(bytes, *catalogue_, fileTitle);
    using Status = ArmyFileLoad::Status;
    if (!load.messages.empty()) {
        std::string text;
        for (const std::string& line : load.messages)
            text += (text.empty() ? "" : "\n") + line;
        messages_->ShowMessage(text, kLoadFailedCaption, MessageIcon::Exclamation);
    }
    if (load.status == Status::NotLoadable) {
        // Nothing can be loaded; the user gets a new army that can never
        // overwrite the file by a plain Save.
        Unbind({});
        SetTitle(kNewDocumentTitle);
        MarkSaved();
        Announce({});
        return OpenResult::NotLoadable;
    }
    if (load.army) {
        // The file's nation and limit are remembered, as a nation change does.
        rememberedNation_ = &load.army->nation();
        rememberedPoints_ = load.army->pointsLimit();
        fillMinimums_ = false;
        army_ = std::move(load.army);
    } // else an empty file, which is not read at all: the rebuilt army stands
    // A partly loaded army keeps the file's name but must be saved under a
    // name chosen again, so that what it lacks is never overwritten.
    const bool complete = load.status != Status::Incomplete;
    if (complete)
        BindTo(path);
    else
        Unbind(path);
    SetTitle(fileTitle);
    MarkSaved();
    Announce({});
    return complete ? OpenResult::Opened : OpenResult::Incomplete;
}

bool ArmyDocument::OnSaveDocument(const std::filesystem::path& path) {
    settings_->WriteInt(kSettingsSection, kNationKey, army_->nation().id());
    settings_->WriteInt(kSettingsSection, kPointsKey, army_->pointsLimit());
    std::string error;
    if (!WriteFileAtomically(path, WriteArmyFile(*army_), error)) {
        messages_->ShowMessage("Cannot save the file \"" + path.string() + "\".\n" + error, kAppTitle,
                               MessageIcon::Error);
        return false;
    }
    BindTo(path);
    SetTitle(path.filename().string());
    savedRevision_ = revision_;
    AnnounceState();
    return true;
}

void ArmyDocument::SetNationAndPoints(const NationRecord& nation, std::int32_t pointsLimit,
                                      bool fillMinimums) {
    rememberedNation_ = &nation;
    rememberedPoints_ = pointsLimit;
    fillMinimums_ = fillMinimums;
    DeleteContents();
    Announce({});
    revision_ = ++lastRevision_;
    AnnounceState();
}

// ---------------------------------------------------------------- edits

void ArmyDocument::Revise(ArmyEdit& edit) {
    edit.revisionBefore_ = revision_;
    revision_ = ++lastRevision_;
    edit.revisionAfter_ = revision_;
}

template <class Change> ArmyEdit ArmyDocument::RecordEntries(ArmyEdit::Kind kind, Change change) {
    ArmyEdit edit;
    edit.kind_ = kind;
    const std::int32_t before = army_->UnitCount();
    army_->RecordRemovals(&edit.removed_);
    change(edit);
    army_->RecordRemovals(nullptr);
    // Edits remove first, in one pass, and then append at the end.
    const std::int32_t kept = before - static_cast<std::int32_t>(edit.removed_.size());
    for (std::int32_t i = kept; i < army_->UnitCount(); ++i)
        edit.appended_.push_back(Army::StateOf(*army_->UnitAt(i)));
    Revise(edit);
    Announce(edit.touched_);
    AnnounceState();
    return edit;
}

template <class Change> ArmyEdit ArmyDocument::RecordEntry(ArmyEdit::Kind kind, UnitId unit, Change change) {
    ArmyEdit edit;
    edit.kind_ = kind;
    if (const UnitEntry* entry = army_->FindUnit(unit)) {
        edit.touched_ = {&entry->troopType(), unit};
        edit.before_ = Army::StateOf(*entry);
        change(*entry);
        edit.after_ = Army::StateOf(*entry);
    }
    if (edit.before_ == edit.after_) {
        // Nothing changed: the document stays as it was.
        edit.revisionBefore_ = edit.revisionAfter_ = revision_;
        return edit;
    }
    Revise(edit);
    Announce(edit.touched_);
    AnnounceState();
    return edit;
}

ArmyEdit ArmyDocument::SetCountOfType(Code troopCode, std::int32_t count) {
    return RecordEntries(ArmyEdit::Kind::Count, [&](ArmyEdit& edit) {
        edit.touched_.troopType = army_->nation().FindTroopType(troopCode);
        army_->SetCountOfType(troopCode, count);
    });
}

ArmyEdit ArmyDocument::NewUnit(const TroopTypeRecord& type) {
    return RecordEntries(ArmyEdit::Kind::NewUnit, [&](ArmyEdit& edit) {
        edit.touched_.troopType = &type;
        if (const UnitEntry* entry = army_->NewUnit(&type))
            edit.touched_ = {&entry->troopType(), entry->id()};
    });
}

ArmyEdit ArmyDocument::DuplicateUnit(UnitId unit) {
    return RecordEntries(ArmyEdit::Kind::NewUnit, [&](ArmyEdit& edit) {
        if (const UnitEntry* source = army_->FindUnit(unit)) {
            edit.touched_.troopType = &source->troopType();
            if (const UnitEntry* entry = army_->NewUnit(source))
                edit.touched_.unit = entry->id();
        }
    });
}

ArmyEdit ArmyDocument::DeleteUnit(UnitId unit) {
    return RecordEntries(ArmyEdit::Kind::DeleteUnit, [&](ArmyEdit& edit) {
        if (const UnitEntry* entry = army_->FindUnit(unit)) {
            edit.touched_ = {&entry->troopType(), unit};
            army_->DeleteUnit(entry);
        }
    });
}

ArmyEdit ArmyDocument::EnforceMinMax() {
    return RecordEntries(ArmyEdit::Kind::MinMax, [&](ArmyEdit&) { army_->EnforceMinMax(); });
}

ArmyEdit ArmyDocument::RenameUnit(UnitId unit, std::string_view name) {
    return RecordEntry(ArmyEdit::Kind::Rename, unit,
                       [&](const UnitEntry& entry) { army_->SetName(entry, name); });
}

ArmyEdit ArmyDocument::SetMount(UnitId unit, const TroopTypeRecord* mount) {
    return RecordEntry(ArmyEdit::Kind::Option, unit,
                       [&](const UnitEntry& entry) { army_->SetMount(entry, mount); });
}

ArmyEdit ArmyDocument::SetMagicItem(UnitId unit, const MagicItemRecord* item) {
    return RecordEntry(ArmyEdit::Kind::Option, unit,
                       [&](const UnitEntry& entry) { army_->SetMagicItem(entry, item); });
}

ArmyEdit ArmyDocument::SetSiegeEngine(UnitId unit, const SiegeEngineRecord* engine) {
    return RecordEntry(ArmyEdit::Kind::Option, unit,
                       [&](const UnitEntry& entry) { army_->SetSiegeEngine(entry, engine); });
}

ArmyEdit ArmyDocument::SetSkirmishers(UnitId unit, bool skirmishers) {
    return RecordEntry(ArmyEdit::Kind::Option, unit,
                       [&](const UnitEntry& entry) { army_->SetSkirmishers(entry, skirmishers); });
}

ArmyEdit ArmyDocument::ChangeNation(const NationRecord& nation) {
    ArmyEdit edit;
    edit.kind_ = ArmyEdit::Kind::Nation;
    edit.wholeBefore_ = Snapshot();
    rememberedNation_ = &nation;
    rememberedPoints_ = army_->pointsLimit();
    fillMinimums_ = true;
    DeleteContents();
    // An army of another nation is not the file's army: the next Save asks
    // for a name, proposing the old one.
    if (!path_.empty())
        Unbind(path_);
    edit.wholeAfter_ = Snapshot();
    Revise(edit);
    Announce({});
    AnnounceState();
    return edit;
}

ArmyEdit ArmyDocument::SetPointsLimit(std::int32_t value) {
    ArmyEdit edit;
    edit.kind_ = ArmyEdit::Kind::PointsLimit;
    edit.pointsBefore_ = army_->pointsLimit();
    edit.pointsAfter_ = value;
    if (value == edit.pointsBefore_) {
        edit.revisionBefore_ = edit.revisionAfter_ = revision_;
        return edit;
    }
    army_->setPointsLimit(value);
    Revise(edit);
    Announce({});
    AnnounceState();
    return edit;
}

std::shared_ptr<const ArmyEdit::Whole> ArmyDocument::Snapshot() const {
    auto whole = std::make_shared<ArmyEdit::Whole>();
    whole->nation = &army_->nation();
    whole->pointsLimit = army_->pointsLimit();
    whole->rememberedNation = rememberedNation_;
    whole->rememberedPoints = rememberedPoints_;
    whole->fillMinimums = fillMinimums_;
    whole->boundPath = path_;
    whole->proposedPath = proposedPath_;
    whole->entries.reserve(static_cast<std::size_t>(army_->UnitCount()));
    for (std::int32_t i = 0; i < army_->UnitCount(); ++i)
        whole->entries.push_back(Army::StateOf(*army_->UnitAt(i)));
    return whole;
}

void ArmyDocument::Restore(const ArmyEdit::Whole& whole) {
    rememberedNation_ = whole.rememberedNation;
    rememberedPoints_ = whole.rememberedPoints;
    fillMinimums_ = whole.fillMinimums;
    path_ = whole.boundPath;
    proposedPath_ = whole.proposedPath;
    army_.reset();
    army_ = std::make_unique<Army>(*whole.nation, whole.pointsLimit, false);
    for (const UnitEntryState& state : whole.entries)
        army_->AppendUnit(state);
}

void ArmyDocument::ApplyState(const UnitEntryState& state) {
    const UnitEntry* entry = army_->FindUnit(state.id);
    if (entry == nullptr)
        return;
    army_->SetName(*entry, state.name);
    army_->SetMount(*entry, state.mount);
    army_->SetMagicItem(*entry, state.magicItem);
    army_->SetSiegeEngine(*entry, state.siegeEngine);
    army_->SetSkirmishers(*entry, state.skirmishers);
}

void ArmyDocument::Undo(const ArmyEdit& edit) {
    switch (edit.kind_) {
    case ArmyEdit::Kind::Count:
    case ArmyEdit::Kind::NewUnit:
    case ArmyEdit::Kind::DeleteUnit:
    case ArmyEdit::Kind::MinMax: {
        std::vector<std::int32_t> appended;
        const std::int32_t count = army_->UnitCount();
        for (std::int32_t i = count - static_cast<std::int32_t>(edit.appended_.size()); i < count; ++i)
            if (i >= 0)
                appended.push_back(i);
        army_->RemoveUnitsAt(appended);
        army_->InsertUnitsAt(edit.removed_);
        break;
    }
    case ArmyEdit::Kind::Rename:
    case ArmyEdit::Kind::Option:
        ApplyState(edit.before_);
        break;
    case ArmyEdit::Kind::Nation:
        if (edit.wholeBefore_)
            Restore(*edit.wholeBefore_);
        break;
    case ArmyEdit::Kind::PointsLimit:
        army_->setPointsLimit(edit.pointsBefore_);
        break;
    }
    revision_ = edit.revisionBefore_;
    Announce(edit.touched_);
    AnnounceState();
}

void ArmyDocument::Redo(const ArmyEdit& edit) {
    switch (edit.kind_) {
    case ArmyEdit::Kind::Count:
    case ArmyEdit::Kind::NewUnit:
    case ArmyEdit::Kind::DeleteUnit:
    case ArmyEdit::Kind::MinMax: {
        std::vector<std::int32_t> removed;
        removed.reserve(edit.removed_.size());
        for (const RemovedUnit& unit : edit.removed_)
            removed.push_back(unit.index);
        army_->RemoveUnitsAt(removed);
        for (const UnitEntryState& state : edit.appended_)
            army_->AppendUnit(state);
        break;
    }
    case ArmyEdit::Kind::Rename:
    case ArmyEdit::Kind::Option:
        ApplyState(edit.after_);
        break;
    case ArmyEdit::Kind::Nation:
        if (edit.wholeAfter_)
            Restore(*edit.wholeAfter_);
        break;
    case ArmyEdit::Kind::PointsLimit:
        army_->setPointsLimit(edit.pointsAfter_);
        break;
    }
    revision_ = edit.revisionAfter_;
    Announce(edit.touched_);
    AnnounceState();
}

bool ArmyDocument::Merge(ArmyEdit& earlier, const ArmyEdit& later) {
    if (earlier.kind_ != later.kind_ || earlier.revisionAfter_ != later.revisionBefore_)
        return false;
    if (earlier.kind_ == ArmyEdit::Kind::PointsLimit) {
        earlier.pointsAfter_ = later.pointsAfter_;
    } else if (earlier.kind_ == ArmyEdit::Kind::Rename && earlier.before_.id != 0 &&
               earlier.before_.id == later.before_.id) {
        earlier.after_ = later.after_;
    } else {
        return false;
    }
    earlier.revisionAfter_ = later.revisionAfter_;
    return true;
}

// ---------------------------------------------------------------- state

int ArmyDocument::Subscribe(ChangeHandler handler) {
    subscribers_.emplace_back(++lastSubscription_, std::move(handler));
    return lastSubscription_;
}

void ArmyDocument::Unsubscribe(int subscription) {
    std::erase_if(subscribers_, [&](const auto& s) { return s.first == subscription; });
}

void ArmyDocument::Announce(const ArmyChange& change) {
    // A handler may subscribe or unsubscribe others while it runs.
    const auto subscribers = subscribers_;
    for (const auto& [id, handler] : subscribers)
        if (handler)
            handler(change);
}

void ArmyDocument::AnnounceState() {
    if (onState_)
        onState_();
}

void ArmyDocument::MarkSaved() {
    revision_ = ++lastRevision_;
    savedRevision_ = revision_;
    AnnounceState();
}

void ArmyDocument::SetTitle(std::string title) {
    if (title_ == title)
        return;
    title_ = std::move(title);
    AnnounceState();
}

void ArmyDocument::BindTo(const std::filesystem::path& path) {
    path_ = path;
    proposedPath_ = path;
}

void ArmyDocument::Unbind(const std::filesystem::path& proposed) {
    proposedPath_ = proposed; // before the clear: it may be path_ itself
    path_.clear();
}

} // namespace ovra
