#include "ArmyEditor.h"

#include "ArmyCommand.h"
#include "DialogMessageSink.h"

#include <QUndoStack>

namespace ovra {

ArmyEditor::ArmyEditor(const ArmyCatalogue& catalogue, SettingsStore& settings, UiServices& services,
                       const UiMetrics& metrics, QObject* parent)
    : QObject(parent), services_(services), metrics_(metrics),
      messages_(std::make_unique<DialogMessageSink>(services, [this] { return owner_; })),
      document_(std::make_unique<ArmyDocument>(catalogue, settings, *messages_)),
      undoStack_(new QUndoStack(this)) {
    breaches_ = CheckArmy(document_->army());
    subscription_ = document_->Subscribe([this](const ArmyChange& change) { OnDocumentChanged(change); });
    connect(undoStack_, &QUndoStack::cleanChanged, this, &ArmyEditor::stateChanged);
}

ArmyEditor::~ArmyEditor() {
    // Nobody hears of a history that goes away; its commands refer to the
    // document, so they go first.
    blockSignals(true);
    undoStack_->disconnect(this);
    delete undoStack_;
    document_->Unsubscribe(subscription_);
}

void ArmyEditor::OnDocumentChanged(const ArmyChange& change) {
    breaches_ = CheckArmy(document_->army());
    emit changed(change);
}

ArmyChange ArmyEditor::Execute(const QString& text, std::unique_ptr<ArmyEdit> edit) {
    document_->Do(*edit);
    if (!edit->Changed())
        return {};
    const ArmyChange touched = edit->touched();
    const int burst = edit->burst() == Burst::None ? 0 : typingBurst_;
    undoStack_->push(new ArmyCommand(*this, text, std::move(edit), burst));
    return touched;
}

bool ArmyEditor::IsModified() const {
    return !undoStack_->isClean();
}

void ArmyEditor::StartHistory() {
    undoStack_->clear();
    undoStack_->setClean();
    ++typingBurst_;
    emit stateChanged();
}

void ArmyEditor::New() {
    document_->OnNewDocument();
    StartHistory();
}

void ArmyEditor::NewLike(const ArmyEditor& other) {
    document_->NewLike(other.document());
    StartHistory();
}

ArmyDocument::OpenResult ArmyEditor::Open(const std::filesystem::path& path) {
    const ArmyDocument::OpenResult result = document_->OnOpenDocument(path);
    if (result != ArmyDocument::OpenResult::Unreadable)
        StartHistory();
    return result;
}

ArmyDocument::OpenResult ArmyEditor::Load(std::string_view bytes, const std::filesystem::path& path) {
    const ArmyDocument::OpenResult result = document_->LoadFromBytes(bytes, path);
    StartHistory();
    return result;
}

bool ArmyEditor::Save(const std::filesystem::path& path) {
    if (!document_->OnSaveDocument(path))
        return false;
    undoStack_->setClean();
    ++typingBurst_;
    emit stateChanged();
    return true;
}

} // namespace ovra
