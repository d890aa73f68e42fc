#include "ArmyDocument.h"

#include "ArmyCatalogue.h"
#include "ArmyFile.h"

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
    SetModifiedFlag(false);
    UpdateAllViews();
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
    if (bytes.empty()) {
        // An empty file is not read at all: the rebuilt army stands.
        BindTo(path);
        SetTitle(fileTitle);
        SetModifiedFlag(false);
        UpdateAllViews();
        return OpenResult::Opened;
    }

    ArmyFileHeader header;
    const NationRecord* nation = nullptr;
    if (ReadArmyFileHeader(bytes, header))
        nation = catalogue_->FindNation(header.nationId);
    if (nation == nullptr) {
        // Nothing can be loaded; the user gets a new army that can never
        // overwrite the file by a plain Save.
        messages_->ShowMessage(kNationUnavailableMessage, kLoadFailedCaption, MessageIcon::Exclamation);
        Unbind({});
        SetTitle(kNewDocumentTitle);
        SetModifiedFlag(false);
        UpdateAllViews();
        return OpenResult::NotLoadable;
    }

    SetNationAndPoints(*nation, header.pointsLimit, false);
    const bool complete = ReadArmyFileUnits(bytes, *army_);
    if (!complete)
        messages_->ShowMessage(kIncompleteLoadMessage, kLoadFailedCaption, MessageIcon::Exclamation);
    UpdateAllViews();
    // A partly loaded army keeps the file's name but must be saved under a
    // name chosen again, so that the dropped units are never overwritten.
    if (complete)
        BindTo(path);
    else
        Unbind(path);
    SetTitle(fileTitle);
    SetModifiedFlag(false);
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
    SetModifiedFlag(false);
    return true;
}

void ArmyDocument::SetNationAndPoints(const NationRecord& nation, std::int32_t pointsLimit,
                                      bool fillMinimums) {
    rememberedNation_ = &nation;
    rememberedPoints_ = pointsLimit;
    fillMinimums_ = fillMinimums;
    DeleteContents();
    UpdateAllViews();
    SetModifiedFlag(true);
}

void ArmyDocument::SetPointsLimit(std::int32_t value) {
    if (value == army_->pointsLimit())
        return;
    SetModifiedFlag(true);
    army_->setPointsLimit(value);
    UpdateAllViews();
}

void ArmyDocument::SetCountOfType(Code troopCode, std::int32_t count) {
    army_->SetCountOfType(troopCode, count);
    UpdateAllViews();
    SetModifiedFlag(true);
}

void ArmyDocument::SetModifiedFlag(bool modified) {
    if (modified_ == modified)
        return;
    modified_ = modified;
    if (onState_)
        onState_();
}

void ArmyDocument::UpdateAllViews() {
    if (onUpdate_)
        onUpdate_();
}

void ArmyDocument::SetTitle(std::string title) {
    if (title_ == title)
        return;
    title_ = std::move(title);
    if (onState_)
        onState_();
}

void ArmyDocument::BindTo(const std::filesystem::path& path) {
    path_ = path;
    proposedPath_ = path;
}

void ArmyDocument::Unbind(const std::filesystem::path& proposed) {
    path_.clear();
    proposedPath_ = proposed;
}

} // namespace ovra
