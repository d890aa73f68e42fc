#include "ArmyDocument.h"

#include "ArmyCatalogue.h"
#include "ArmyFile.h"
#include "FileIo.h"
#include "ListSnapshot.h"

namespace ovra {

std::string WindowCaption(std::string_view documentTitle, std::string_view marker) {
    std::string caption(documentTitle);
    caption += marker;
    caption += " - ";
    caption += kWindowTitle;
    return caption;
}

namespace {

// What a load has to say, its lines as one message; none when it says nothing.
std::optional<FileMessage> LoadMessage(const ArmyFileLoad& load) {
    if (load.messages.empty())
        return std::nullopt;
    std::string text;
    for (const std::string& line : load.messages)
        text += (text.empty() ? "" : "\n") + line;
    return FileMessage{text, kLoadFailedCaption, MessageIcon::Exclamation};
}

} // namespace

std::string ArmyTitleFromCaption(std::string_view caption) {
    const std::size_t dot = caption.find('.');
    if (dot != std::string_view::npos)
        return std::string(caption.substr(0, dot));
    const std::size_t dash = caption.find('-');
    if (dash == std::string_view::npos || dash == 0)
        return {};
    return std::string(caption.substr(0, dash - 1));
}

ArmyDocument::ArmyDocument(const ArmyCatalogue& catalogue, SettingsStore& settings)
    : catalogue_(&catalogue), settings_(&settings) {
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
    return ArmyTitleFromCaption(WindowCaption(title_));
}

void ArmyDocument::RebuildArmy() {
    army_.reset();
    army_ = std::make_unique<Army>(*rememberedNation_, rememberedPoints_, fillMinimums_);
}

void ArmyDocument::New() {
    RebuildArmy();
    Unbind({});
    title_ = kNewDocumentTitle;
    Announce({});
}

void ArmyDocument::NewLike(const ArmyDocument& other) {
    rememberedNation_ = other.rememberedNation_;
    rememberedPoints_ = other.rememberedPoints_;
    fillMinimums_ = other.fillMinimums_;
    New();
}

ArmyDocument::OpenOutcome ArmyDocument::Open(const std::filesystem::path& path) {
    std::string bytes;
    std::string error;
    if (!ReadFileBytes(path, bytes, error))
        return {OpenResult::Unreadable,
                FileMessage{"Cannot open the file \"" + path.string() + "\".\n" + error, kAppTitle,
                            MessageIcon::Error}};
    return Load(bytes, path);
}

ArmyDocument::OpenOutcome ArmyDocument::Load(std::string_view bytes, const std::filesystem::path& path) {
    RebuildArmy();
    const std::string fileTitle = path.filename().string();
    ArmyFileLoad load = ReadArmyFile(bytes, *catalogue_, fileTitle);
    using Status = ArmyFileLoad::Status;
    OpenOutcome outcome;
    outcome.message = LoadMessage(load);
    if (load.status == Status::NotLoadable) {
        // Nothing can be loaded; the user gets a new army that can never
        // overwrite the file by a plain Save.
        Unbind({});
        title_ = kNewDocumentTitle;
        Announce({});
        outcome.result = OpenResult::NotLoadable;
        return outcome;
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
    KnowDisk(bytes);
    title_ = fileTitle;
    Announce({});
    outcome.result = complete ? OpenResult::Opened : OpenResult::Incomplete;
    return outcome;
}

ArmyDocument::OpenOutcome ArmyDocument::Reread(std::string_view bytes, const ArmyCatalogue& catalogue,
                                               bool fromDisk) {
    ArmyFileLoad load = ReadArmyFile(bytes, catalogue, title_);
    using Status = ArmyFileLoad::Status;
    OpenOutcome outcome;
    outcome.message = LoadMessage(load);
    if (load.status == Status::NotLoadable) {
        outcome.result = OpenResult::NotLoadable;
        return outcome;
    }
    catalogue_ = &catalogue;
    if (load.army) {
        rememberedNation_ = &load.army->nation();
        rememberedPoints_ = load.army->pointsLimit();
        fillMinimums_ = false;
        army_ = std::move(load.army);
    } else {
        RebuildArmy(); // an empty file: the army a new document holds
    }
    if (fromDisk)
        KnowDisk(bytes);
    if (load.status == Status::Incomplete) {
        Unbind(path_.empty() ? proposedPath_ : path_);
        outcome.result = OpenResult::Incomplete;
    } else {
        outcome.result = OpenResult::Opened;
    }
    return outcome;
}

ArmyDocument::OpenOutcome ArmyDocument::LoadUntitled(std::string_view bytes) {
    OpenOutcome outcome = Load(bytes, kNewDocumentTitle);
    Unbind({});
    diskHash_ = 0;
    diskSize_ = 0;
    title_ = kNewDocumentTitle;
    return outcome;
}

ArmyDocument::SaveOutcome ArmyDocument::Save(const std::filesystem::path& path) {
    settings_->WriteInt(kSettingsSection, kNationKey, army_->nation().id());
    settings_->WriteInt(kSettingsSection, kPointsKey, army_->pointsLimit());
    const std::string bytes = WriteArmyFile(*army_);
    WriteFailure failure;
    if (!WriteFileAtomically(path, bytes, failure))
        return {false, failure.kind == WriteFailure::Kind::ReadOnly,
                FileMessage{"Cannot save the file \"" + path.string() + "\".\n" + failure.reason, kAppTitle,
                            MessageIcon::Error}};
    BindTo(path);
    KnowDisk(bytes);
    title_ = path.filename().string();
    return {true, false, std::nullopt};
}

void ArmyDocument::KnowDisk(std::string_view bytes) {
    diskHash_ = ArmyFileHash(bytes);
    diskSize_ = bytes.size();
}

ArmyDocument::DiskState ArmyDocument::CheckDisk() const {
    if (path_.empty())
        return DiskState::Same;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path_, error);
    if (status.type() == std::filesystem::file_type::not_found)
        return DiskState::Missing;
    // Cheap first: another size is another file.
    const std::uintmax_t size = std::filesystem::file_size(path_, error);
    if (!error && size != diskSize_)
        return DiskState::Changed;
    std::string bytes;
    std::string reason;
    if (!ReadFileBytes(path_, bytes, reason))
        return std::filesystem::exists(path_, error) ? DiskState::Changed : DiskState::Missing;
    return bytes.size() == diskSize_ && ArmyFileHash(bytes) == diskHash_ ? DiskState::Same
                                                                         : DiskState::Changed;
}

void ArmyDocument::AcknowledgeDisk() {
    std::string bytes;
    std::string reason;
    if (!path_.empty() && ReadFileBytes(path_, bytes, reason))
        KnowDisk(bytes);
}

void ArmyDocument::SetNationAndPoints(const NationRecord& nation, std::int32_t pointsLimit,
                                      bool fillMinimums) {
    Rebuild(nation, pointsLimit, fillMinimums);
    Announce({});
}

// ---------------------------------------------------------------- edits

void ArmyDocument::Do(ArmyEdit& edit) {
    edit.Apply(*this, Direction::Forward);
    if (edit.Changed())
        Announce(edit.touched());
}

void ArmyDocument::Undo(ArmyEdit& edit) {
    edit.Apply(*this, Direction::Back);
    Announce(edit.touched());
}

DocumentState ArmyDocument::State() const {
    DocumentState state;
    state.catalogue = catalogue_;
    state.nation = &army_->nation();
    state.pointsLimit = army_->pointsLimit();
    state.rememberedNation = rememberedNation_;
    state.rememberedPoints = rememberedPoints_;
    state.fillMinimums = fillMinimums_;
    state.boundPath = path_;
    state.proposedPath = proposedPath_;
    state.entries.reserve(static_cast<std::size_t>(army_->UnitCount()));
    for (std::int32_t i = 0; i < army_->UnitCount(); ++i)
        state.entries.push_back(Army::StateOf(*army_->UnitAt(i)));
    return state;
}

void ArmyDocument::Restore(const DocumentState& state) {
    catalogue_ = state.catalogue;
    rememberedNation_ = state.rememberedNation;
    rememberedPoints_ = state.rememberedPoints;
    fillMinimums_ = state.fillMinimums;
    path_ = state.boundPath;
    proposedPath_ = state.proposedPath;
    army_.reset();
    army_ = std::make_unique<Army>(*state.nation, state.pointsLimit, false);
    for (const UnitEntryState& entry : state.entries)
        army_->AppendUnit(entry);
}

void ArmyDocument::Rebuild(const NationRecord& nation, std::int32_t pointsLimit, bool fillMinimums) {
    rememberedNation_ = &nation;
    rememberedPoints_ = pointsLimit;
    fillMinimums_ = fillMinimums;
    RebuildArmy();
}

void ArmyDocument::Unbind() {
    if (!path_.empty())
        Unbind(path_);
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

void ArmyDocument::BindTo(const std::filesystem::path& path) {
    path_ = path;
    proposedPath_ = path;
}

void ArmyDocument::Unbind(const std::filesystem::path& proposed) {
    proposedPath_ = proposed; // before the clear: it may be path_ itself
    path_.clear();
}

} // namespace ovra
