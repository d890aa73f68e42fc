// One army's page in the window's tabs: it owns the army's editor and shows
// its view, with a notice bar above it. It watches the army's file: when its
// bytes change on disk (not when this program saves them), an army without
// unsaved changes is read again as one undoable step; one with changes gets
// a notice offering Reload or Keep mine; a file that is gone is said so.
#pragma once

#include <QWidget>

#include <memory>

namespace ovra {

class ArmyCatalogue;
class ArmyEditor;
class ArmyView;
class NoticeBar;
class SettledWatch;

class ArmyPage : public QWidget {
    Q_OBJECT
public:
    ArmyPage(std::unique_ptr<ArmyEditor> editor, QWidget* parent = nullptr);
    // The view goes before the army it shows.
    ~ArmyPage() override;

    ArmyEditor& editor() const { return *editor_; }
    ArmyView& view() const { return *view_; }
    NoticeBar& notices() const { return *notices_; }
    // A new army nobody has touched: no file, no history. Opening a file
    // may take its place instead of adding a page.
    bool IsUntouched() const;

    // Compares the army's file with what was last read or written there and
    // acts on what changed. The watch calls it once a burst of file events
    // has settled.
    void CheckFile();
    // Reads the army's file again as one undoable step.
    void ReloadFile();
    // Reads the army again against army lists read anew, as one undoable
    // step, and says in the notice bar what changed for it.
    void RereadLists(const ArmyCatalogue& now);

    // Keeps in `folder` what the army lists say of the army as just saved;
    // the reason when that fails (the save stands), else empty.
    QString KeepSnapshot(const QString& folder) const;
    // After an open: what changed in the army lists since the army was
    // saved, in the notice bar; nothing when nothing did.
    void CompareWithSnapshot(const QString& folder);

signals:
    // Something the status bar should say for a while.
    void statusMessage(const QString& text);

private:
    void Rewatch();

    std::unique_ptr<ArmyEditor> editor_;
    NoticeBar* notices_;
    ArmyView* view_;
    SettledWatch* watch_;
};

} // namespace ovra
