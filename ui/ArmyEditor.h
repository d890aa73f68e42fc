// One open army: its document, the history of its edits and the verdict of
// the rules on it. The panes see the army through this narrow interface:
// they read the document, run edits through Execute and take the dialogs
// and measurements they need from here, never from the window above them.
// The history is the editor's alone: "modified" is "the undo stack is not
// at its clean state", and opening, saving and New are the only other
// things that move that state.
#pragma once

#include "ArmyChecker.h"
#include "ArmyDocument.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QUndoStack;

namespace ovra {

class ArmyCatalogue;
class SettingsStore;
class UiServices;
struct UiMetrics;

class ArmyEditor : public QObject {
    Q_OBJECT
public:
    // A new, empty army from the settings (ArmyDocument's construction).
    // The catalogue, settings, services and metrics must outlive the editor.
    ArmyEditor(const ArmyCatalogue& catalogue, SettingsStore& settings, UiServices& services,
               const UiMetrics& metrics, QObject* parent = nullptr);
    ~ArmyEditor() override;

    ArmyDocument& document() { return *document_; }
    const ArmyDocument& document() const { return *document_; }
    const Army& army() const { return document_->army(); }
    UiServices& services() const { return services_; }
    const UiMetrics& metrics() const { return metrics_; }
    QUndoStack& undoStack() const { return *undoStack_; }

    // Every rule the army breaks now, checked once after each change.
    const std::vector<Breach>& breaches() const { return breaches_; }

    // Makes the edit and keeps it as one step of the history, merged into
    // the step before when both belong to the same burst of typing. An edit
    // that changes nothing is dropped. Returns what it touched (empty when
    // dropped).
    // `made`, when given, sees the edit once it is made, kept or not.
    ArmyChange Execute(const QString& text, std::unique_ptr<ArmyEdit> edit,
                       const std::function<void(const ArmyEdit&)>& made = {});
    // Ends the current burst of typing: the next typed edit is a new step.
    void EndTypingBurst() { ++typingBurst_; }
    // Asks the views to show what a change touched (undo, redo, a breach chosen).
    void Reveal(const ArmyChange& change) { emit revealRequested(change); }

    // Changed since it was created, opened or saved; an edit undone counts
    // as not made.
    bool IsModified() const;

    // File > New, File > Open, Save: the document's, then a history that
    // starts again at "not modified". Messages are shown over the dialog owner.
    void New();
    // File > New beside another army: the new army `other` would rebuild.
    void NewLike(const ArmyEditor& other);
    // What the load had to say is shown over the dialog owner.
    ArmyDocument::OpenResult Open(const std::filesystem::path& path);
    // Army-file bytes loaded as if opened from a file with that name.
    ArmyDocument::OpenResult Load(std::string_view bytes, const std::filesystem::path& path);
    // Army-file bytes of an imported roster: an untitled army, modified
    // until it is saved. What the load has to say is shown.
    ArmyDocument::OpenResult Import(std::string_view bytes);
    // A file that could not be written is reported over the dialog owner,
    // unless it is read-only: the caller offers another name then.
    ArmyDocument::SaveOutcome Save(const std::filesystem::path& path);
    // The army read again as one step of the history: from its file's new
    // bytes (`fromDisk`), after which it is as saved when the file read
    // whole; or as if saved and reopened against other army lists, after
    // which it is as modified as it was when nothing was lost. Nothing is
    // shown: the outcome says what the load had to say. Bytes that are no
    // army change nothing.
    ArmyDocument::OpenOutcome Reread(const QString& text, std::string bytes, const ArmyCatalogue& catalogue,
                                     bool fromDisk);
    // Shows a message of the document over the dialog owner, translated
    // where it is one of the program's own texts.
    void ShowMessage(const FileMessage& message) const;
    // The widget that message boxes and dialogs about this army are shown
    // over: its view.
    void SetDialogOwner(QWidget* owner) { owner_ = owner; }
    QWidget* dialogOwner() const { return owner_; }

signals:
    // After every change of the army, once the rules have been checked again.
    void changed(const ArmyChange& change);
    // The modified state or the title changed.
    void stateChanged();
    void revealRequested(const ArmyChange& change);

private:
    void OnDocumentChanged(const ArmyChange& change);
    void StartHistory();

    UiServices& services_;
    const UiMetrics& metrics_;
    QWidget* owner_ = nullptr;
    std::unique_ptr<ArmyDocument> document_;
    QUndoStack* undoStack_;
    std::vector<Breach> breaches_;
    int subscription_ = 0;
    int typingBurst_ = 0;
};

} // namespace ovra
