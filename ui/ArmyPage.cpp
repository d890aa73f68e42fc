#include "ArmyPage.h"

#include "ArmyEditor.h"
#include "ArmyView.h"
#include "FileNames.h"
#include "NoticeBar.h"
#include "SettledWatch.h"
#include "Win1252.h"

#include "ArmyFile.h"
#include "FileIo.h"
#include "ListSnapshot.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QUndoStack>
#include <QVBoxLayout>

namespace ovra {
namespace {

// File events come in bursts (an editor writes, renames, touches); the
// file is looked at once they settle.
constexpr int kSettleMilliseconds = 250;
// A notice names this many changes at most; the rest are counted.
constexpr int kNoticeLines = 8;

// Lines of the army lists' bytes (Windows-1252) for a notice.
QString NoticeLines(const std::vector<std::string>& lines) {
    QStringList shown;
    for (std::size_t i = 0; i < lines.size() && i < kNoticeLines; ++i)
        shown << FromWin1252(lines[i]);
    if (lines.size() > kNoticeLines)
        shown << QCoreApplication::translate("ovra::ArmyPage", "and %n more", nullptr,
                                             static_cast<int>(lines.size() - kNoticeLines));
    return shown.join(QLatin1Char('\n'));
}

} // namespace

ArmyPage::ArmyPage(std::unique_ptr<ArmyEditor> editor, QWidget* parent)
    : QWidget(parent), editor_(std::move(editor)) {
    setObjectName(QStringLiteral("armyPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    notices_ = new NoticeBar(this);
    layout->addWidget(notices_);
    view_ = new ArmyView(*editor_, this);
    layout->addWidget(view_, 1);

    watch_ = new SettledWatch(kSettleMilliseconds, this);
    connect(watch_, &SettledWatch::settled, this, &ArmyPage::CheckFile);
    // Opening and saving bind the army to another file, or to none.
    connect(editor_.get(), &ArmyEditor::stateChanged, this, &ArmyPage::Rewatch);
    Rewatch();
}

ArmyPage::~ArmyPage() {
    delete view_;
}

bool ArmyPage::IsUntouched() const {
    const ArmyDocument& document = editor_->document();
    return document.path().empty() && document.proposedPath().empty() && editor_->undoStack().count() == 0 &&
           !editor_->IsModified();
}

void ArmyPage::Rewatch() {
    const std::filesystem::path& bound = editor_->document().path();
    if (bound.empty()) {
        watch_->Watch({});
        return;
    }
    // The file itself, and its folder for a file replaced by a rename.
    const QString file = ShownPath(bound);
    watch_->Watch({file, QFileInfo(file).absolutePath()});
}

void ArmyPage::CheckFile() {
    const ArmyDocument& document = editor_->document();
    const QString name = ShownPath(document.path().filename());
    switch (document.CheckDisk()) {
    case ArmyDocument::DiskState::Same:
        break;
    case ArmyDocument::DiskState::Missing:
        notices_->Show(tr("\"%1\" was deleted or moved away. Save writes the army back to it.").arg(name));
        break;
    case ArmyDocument::DiskState::Changed:
        if (!editor_->IsModified()) {
            ReloadFile();
            emit statusMessage(
                tr("\"%1\" changed on disk and was read again; Undo brings back the army as it was.")
                    .arg(name));
        } else {
            notices_->Show(
                tr("\"%1\" changed on disk, and this army has changes that are not saved.").arg(name),
                {{tr("&Reload"), [this] { ReloadFile(); }},
                 {tr("&Keep mine"), [this] { editor_->document().AcknowledgeDisk(); }}});
        }
        break;
    }
    Rewatch();
}

void ArmyPage::ReloadFile() {
    const std::filesystem::path file = editor_->document().path();
    std::string bytes;
    std::string error;
    if (file.empty() || !ReadFileBytes(file, bytes, error)) {
        notices_->Show(tr("\"%1\" cannot be read again: %2")
                           .arg(ShownPath(file.filename()), QString::fromLocal8Bit(error.c_str())));
        return;
    }
    const ArmyDocument::OpenOutcome outcome =
        editor_->Reread(tr("Reload from disk"), std::move(bytes), editor_->document().catalogue(), true);
    const QString name = ShownPath(file.filename());
    const QString said =
        outcome.message ? QFile::decodeName(QByteArray::fromStdString(outcome.message->text)) : QString();
    if (outcome.result == ArmyDocument::OpenResult::NotLoadable)
        notices_->Show(
            tr("\"%1\" changed on disk into something that cannot be read; the army here is kept.\n%2")
                .arg(name, said));
    else if (outcome.message)
        notices_->Show(
            tr("\"%1\" was read again, not completely; Save asks for a name.\n%2").arg(name, said));
}

void ArmyPage::RereadLists(const ArmyCatalogue& now) {
    const ArmyDocument& document = editor_->document();
    if (&document.catalogue() == &now)
        return;
    // What the lists said of the army, against what they say now.
    const std::string bytes = WriteArmyFile(document.army());
    std::string snapshot;
    std::string error;
    SnapshotComparison comparison;
    const bool compared = SnapshotText(document.army(), snapshot, error) &&
                          ovra::CompareWithSnapshot(snapshot, bytes, now, comparison, error);
    const ArmyDocument::OpenOutcome outcome = editor_->Reread(tr("Army lists changed"), bytes, now, false);
    QString text;
    if (outcome.result == ArmyDocument::OpenResult::NotLoadable) {
        notices_->Show(tr("The army lists no longer hold this army's nation; it stays as it was read."));
        return;
    }
    if (compared && comparison.Changed())
        text = tr("The army lists changed for this army:") + QLatin1Char('\n') +
               NoticeLines(SnapshotLines(comparison));
    if (outcome.message)
        text += (text.isEmpty() ? QString() : QStringLiteral("\n")) +
                QFile::decodeName(QByteArray::fromStdString(outcome.message->text));
    if (!text.isEmpty())
        notices_->Show(text);
}

QString ArmyPage::KeepSnapshot(const QString& folder) const {
    const Army& army = editor_->army();
    const SnapshotWriteResult written = WriteSnapshot(ToPath(folder), WriteArmyFile(army), army);
    return written.ok() ? QString() : QString::fromLocal8Bit(written.error.c_str());
}

void ArmyPage::CompareWithSnapshot(const QString& folder) {
    const ArmyDocument& document = editor_->document();
    const std::filesystem::path file = document.path().empty() ? document.proposedPath() : document.path();
    std::string bytes;
    std::string error;
    if (file.empty() || !ReadFileBytes(file, bytes, error))
        return;
    const std::optional<std::filesystem::path> snapshot = FindSnapshot(ToPath(folder), bytes);
    SnapshotComparison comparison;
    if (!snapshot || !CompareWithSnapshotFile(*snapshot, bytes, document.catalogue(), comparison, error) ||
        !comparison.Changed())
        return;
    notices_->Show(tr("Since this army was saved, the army lists changed for it:") + QLatin1Char('\n') +
                   NoticeLines(SnapshotLines(comparison)));
}

} // namespace ovra
