#include "UnitPanel.h"

#include "FmView.h"
#include "UnitListPane.h"
#include "Win1252.h"

#include "Document.h"

#include <QLineEdit>

namespace ovra {

CUnitPanel::CUnitPanel(CFmView& view, QWidget* parent) : QFrame(parent), view_(view) {
    setObjectName(QStringLiteral("unitPanel"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    nameEdit_ = new QLineEdit(this);
    nameEdit_->setObjectName(QStringLiteral("nameEdit"));
    nameEdit_->setFont(view.metrics().font);
    connect(nameEdit_, &QLineEdit::textEdited, this, &CUnitPanel::OnNameChanged);
}

void CUnitPanel::ShowSelection() {
    const TaggedObject* selected = view_.unitList()->SelectedItem();
    if (selected == nullptr)
        return;
    showing_ = true;
    if (selected->kind == kKindUnitEntry) {
        nameEdit_->setText(FromWin1252(static_cast<const UnitEntry*>(selected)->name()));
        nameEdit_->setEnabled(true);
        nameEdit_->setReadOnly(false);
    } else {
        nameEdit_->setText(FromWin1252(static_cast<const TroopTypeRecord*>(selected)->name));
        nameEdit_->setEnabled(false);
        nameEdit_->setReadOnly(true);
    }
    showing_ = false;
}

void CUnitPanel::OnNameChanged(const QString& text) {
    if (showing_)
        return;
    const TaggedObject* selected = view_.unitList()->SelectedItem();
    if (selected == nullptr || selected->kind != kKindUnitEntry)
        return;
    const_cast<UnitEntry*>(static_cast<const UnitEntry*>(selected))->SetName(ToWin1252(text));
    view_.document().SetModifiedFlag(true);
    view_.unitList()->tree()->viewport()->update();
}

void CUnitPanel::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    const QRect c = contentsRect();
    const int h = view_.metrics().RowHeight();
    nameEdit_->setGeometry(c.left() + 2, c.top() + 2, c.width() - 4, h + 4);
}

} // namespace ovra
