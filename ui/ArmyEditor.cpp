#include "ArmyEditor.h"

#include "ArmyCommand.h"
#include "UiServices.h"

#include "ArmyFile.h"
#include "RereadArmy.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QUndoStack>

namespace ovra {
namespace {

// The document's fixed texts, so that they are offered for translation;
// whatever else it says (file names, system errors, what a load lacks) is
// shown as it is.
[[maybe_unused]] const char* const kDocumentTexts[] = {
    QT_TRANSLATE_NOOP("ArmyDocument",
                      "The file can not be loaded, because it was created with an armylist now unavailable."),
    QT_TRANSLATE_NOOP(
        "ArmyDocument",
        "The file was not loaded completely. Because it was created with an armylist now unavailable."),
    QT_TRANSLATE_NOOP("ArmyDocument", "Failed to open file"),
};

// Each line on its own: the fixed first line of a load message is translated
// even when the lines naming what is missing follow it. Names and file names
// in the rest are bytes of the file system or the army lists.
QString Translated(const std::string& text) {
    QStringList lines;
    for (const QString& line : QFile::decodeName(QByteArray::fromStdString(text)).split(QLatin1Char('\n')))
        lines << QCoreApplication::translate("ArmyDocument", line.toUtf8().constData());
    return lines.join(QLatin1Char('\n'));
}

} // namespace

ArmyEditor::ArmyEditor(const ArmyCatalogue& catalogue, SettingsStore& settings, UiServices& services,
                       const UiMetrics& metrics, QObject* parent)
    : QObject(parent), services_(services), metrics_(metrics),
      document_(std::make_unique<ArmyDocument>(catalogue, settings)), undoStack_(new QUndoStack(this)) {
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

ArmyChange ArmyEditor::Execute(const QString& text, std::unique_ptr<ArmyEdit> edit,
                               const std::function<void(const ArmyEdit&)>& made) {
    document_->Do(*edit);
    if (made)
        made(*edit);
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
    document_->New();
    StartHistory();
}

void ArmyEditor::NewLike(const ArmyEditor& other) {
    document_->NewLike(other.document());
    StartHistory();
}

ArmyDocument::OpenOutcome ArmyEditor::Reread(const QString& text, std::string bytes,
                                             const ArmyCatalogue& catalogue, bool fromDisk) {
    const bool wasSaved = !IsModified();
    const std::string before = fromDisk ? std::string() : bytes;
    auto edit = std::make_unique<edits::RereadArmy>(std::move(bytes), catalogue, fromDisk);
    document_->Do(*edit);
    const ArmyDocument::OpenOutcome outcome = edit->outcome();
    if (edit->Changed()) {
        undoStack_->push(new ArmyCommand(*this, text, std::move(edit), 0));
        const bool whole = outcome.result == ArmyDocument::OpenResult::Opened;
        if (whole && (fromDisk || (wasSaved && WriteArmyFile(document_->army()) == before)))
            undoStack_->setClean();
        ++typingBurst_;
        emit stateChanged();
    }
    return outcome;
}

void ArmyEditor::ShowMessage(const FileMessage& message) const {
    services_.ShowMessage(owner_, Translated(message.text), Translated(message.caption), message.icon);
}

ArmyDocument::OpenResult ArmyEditor::Open(const std::filesystem::path& path) {
    const ArmyDocument::OpenOutcome outcome = document_->Open(path);
    if (outcome.result != ArmyDocument::OpenResult::Unreadable)
        StartHistory();
    if (outcome.message)
        ShowMessage(*outcome.message);
    return outcome.result;
}

ArmyDocument::OpenResult ArmyEditor::Load(std::string_view bytes, const std::filesystem::path& path) {
    const ArmyDocument::OpenOutcome outcome = document_->Load(bytes, path);
    StartHistory();
    if (outcome.message)
        ShowMessage(*outcome.message);
    return outcome.result;
}

ArmyDocument::OpenResult ArmyEditor::Import(std::string_view bytes) {
    const ArmyDocument::OpenOutcome outcome = document_->LoadUntitled(bytes);
    StartHistory();
    undoStack_->resetClean(); // in no file yet: closing offers to save it
    emit stateChanged();
    if (outcome.message)
        ShowMessage(*outcome.message);
    return outcome.result;
}

ArmyDocument::SaveOutcome ArmyEditor::Save(const std::filesystem::path& path) {
    ArmyDocument::SaveOutcome outcome = document_->Save(path);
    if (!outcome.saved) {
        if (outcome.message && !outcome.readOnly)
            ShowMessage(*outcome.message);
        return outcome;
    }
    undoStack_->setClean();
    ++typingBurst_;
    emit stateChanged();
    return outcome;
}

} // namespace ovra
