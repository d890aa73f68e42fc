#include "UnitPanel.h"

#include "ArmyEditor.h"
#include "ArmyUndoShortcuts.h"
#include "UiMetrics.h"
#include "UnitDetailPane.h"
#include "UnitListPainting.h"
#include "Win1252.h"

#include "RenameUnit.h"

#include <QLineEdit>
#include <QValidator>

namespace ovra {

namespace {

class Win1252Validator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override { return FitsWin1252(input) ? Acceptable : Invalid; }
};

} // namespace

UnitPanel::UnitPanel(ArmyEditor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
    setObjectName(QStringLiteral("unitPanel"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    nameEdit_ = new QLineEdit(this);
    LeaveUndoToTheArmy(nameEdit_);
    // Army files keep names in Windows-1252: characters it cannot hold are
    // refused as they are typed, so the field always shows what is saved.
    nameEdit_->setValidator(new Win1252Validator(nameEdit_));
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setFont(editor.metrics().font);
    nameEdit_->setAccessibleName(tr("Unit name"));
    connect(nameEdit_, &QLineEdit::textEdited, this, &UnitPanel::OnNameEdited);
    connect(nameEdit_, &QLineEdit::editingFinished, this, [this] { editor_.EndTypingBurst(); });
}

void UnitPanel::ShowChange(const ArmyChange& change, const UnitListKey& key) {
    if (change.scope == ArmyChange::Scope::Unit && change.unit != shown_.unit && key == shown_) {
        if (detail_ != nullptr)
            detail_->update();
        return;
    }
    Show(key);
}

void UnitPanel::Show(const UnitListKey& key) {
    if (key.troopType == nullptr) {
        ShowNothing();
        return;
    }
    if (key.unit == 0) {
        ShowName(FromWin1252(key.troopType->name), false);
        ReplaceDetail(*key.troopType, 0);
        return;
    }
    const UnitEntry* unit = editor_.army().FindUnit(key.unit);
    if (unit == nullptr) {
        ShowNothing();
        return;
    }
    // While the name is typed, the field keeps what was typed: an empty field
    // stands for the troop type's name.
    const std::string typed = ToWin1252(nameEdit_->text());
    const bool same = key == shown_ && nameEdit_->isEnabled() &&
                      (typed == unit->name() || (typed.empty() && unit->name() == unit->troopType().name));
    if (!same)
        ShowName(FromWin1252(unit->name()), true);
    ReplaceDetail(unit->troopType(), unit->id());
}

QWidget* UnitPanel::FirstFocusable() const {
    if (nameEdit_->isEnabled())
        return nameEdit_;
    if (detail_ == nullptr)
        return nullptr;
    QWidget* first = nullptr;
    for (QWidget* w : detail_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!w->isEnabled() || w->isHidden() || (w->focusPolicy() & Qt::TabFocus) == 0)
            continue;
        if (first == nullptr || w->y() < first->y())
            first = w;
    }
    return first;
}

void UnitPanel::ShowNothing() {
    shown_ = {};
    ShowName({}, false);
    if (detail_ != nullptr) {
        detail_->hide();
        detail_->deleteLater();
        detail_ = nullptr;
    }
}

void UnitPanel::ShowName(const QString& name, bool editable) {
    nameEdit_->setText(name);
    nameEdit_->setEnabled(editable);
    nameEdit_->setReadOnly(!editable);
}

void UnitPanel::ReplaceDetail(const TroopTypeRecord& type, UnitId unit) {
    const UnitListKey key{&type, unit};
    if (detail_ != nullptr && key == shown_) {
        detail_->Refresh();
        return;
    }
    shown_ = key;
    // Centred under the name field, as wide as it, down to the panel's bottom.
    const QRect e = nameEdit_->geometry();
    const int x = (e.left() + RightEdge(e)) / 2;
    const int y = BottomEdge(e) + 2;
    const int left = x - e.width() / 2;
    const QRect place = EdgeRect(left, y, left + e.width(), BottomEdge(contentsRect()));
    // The old pane may be handling the click that led here.
    if (detail_ != nullptr) {
        detail_->hide();
        detail_->deleteLater();
    }
    detail_ = new UnitDetailPane(editor_, type, unit, place, this);
    detail_->show();
}

void UnitPanel::OnNameEdited(const QString& text) {
    if (shown_.unit == 0)
        return;
    const UnitId unit = shown_.unit;
    // An empty field gives the entry its troop type's name again; the field stays empty.
    editor_.Execute(tr("Rename"), std::make_unique<edits::RenameUnit>(unit, ToWin1252(text)));
}

void UnitPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = editor_.metrics().RowHeight();
    nameEdit_->setGeometry(EdgeRect(c.left() + 2, c.top() + 2, RightEdge(c) - 2, c.top() + h + 6));
    if (detail_ != nullptr) {
        const UnitListKey key = shown_;
        shown_ = {};
        ReplaceDetail(*key.troopType, key.unit);
    }
}

} // namespace ovra
