#include "ArmyPage.h"

#include "ArmyEditor.h"
#include "ArmyView.h"

#include <QUndoStack>
#include <QVBoxLayout>

namespace ovra {

ArmyPage::ArmyPage(std::unique_ptr<ArmyEditor> editor, QWidget* parent)
    : QWidget(parent), editor_(std::move(editor)) {
    setObjectName(QStringLiteral("armyPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    view_ = new ArmyView(*editor_, this);
    layout->addWidget(view_);
}

ArmyPage::~ArmyPage() {
    delete view_;
}

bool ArmyPage::IsUntouched() const {
    const ArmyDocument& document = editor_->document();
    return document.path().empty() && document.proposedPath().empty() && editor_->undoStack().count() == 0 &&
           !editor_->IsModified();
}

} // namespace ovra
