// One army's page in the window's tabs: it owns the army's editor and shows
// its view, with room above it for notices about the army's file.
#pragma once

#include <QWidget>

#include <memory>

namespace ovra {

class ArmyEditor;
class ArmyView;

class ArmyPage : public QWidget {
    Q_OBJECT
public:
    ArmyPage(std::unique_ptr<ArmyEditor> editor, QWidget* parent = nullptr);
    // The view goes before the army it shows.
    ~ArmyPage() override;

    ArmyEditor& editor() const { return *editor_; }
    ArmyView& view() const { return *view_; }
    // A new army nobody has touched: no file, no history. Opening a file
    // may take its place instead of adding a page.
    bool IsUntouched() const;

private:
    std::unique_ptr<ArmyEditor> editor_;
    ArmyView* view_;
};

} // namespace ovra
