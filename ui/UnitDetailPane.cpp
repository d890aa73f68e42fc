#include "UnitDetailPane.h"

#include "ArmyView.h"
#include "OptionPickerDialog.h"
#include "UnitDetailPainting.h"
#include "UnitListPainting.h"
#include "UnitListPane.h"
#include "UnitPanel.h"
#include "Win1252.h"

#include "ArmyDocument.h"

#include <QCheckBox>
#include <QPainter>
#include <QPlainTextEdit>

namespace ovra {

namespace {

const QColor kButtonFace(192, 192, 192);
const QColor kButtonShadow(128, 128, 128);

// Controls of an earlier creation may be the sender of the signal being
// handled; they go when control returns to the event loop.
template <class Control> void Discard(Control*& control) {
    if (control == nullptr)
        return;
    control->hide();
    control->deleteLater();
    control = nullptr;
}

} // namespace

OptionButton::OptionButton(const QString& text, std::function<bool()> breaksLimit, QWidget* parent)
    : QPushButton(text, parent), breaksLimit_(std::move(breaksLimit)) {}

QColor OptionButton::TextColour() const {
    if (!isEnabled())
        return kButtonShadow;
    return breaksLimit_ && breaksLimit_() ? WarningRed() : QColor(Qt::black);
}

void OptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect r = rect();
    painter.fillRect(r, kButtonFace);
    constexpr int kLine = Qt::AlignCenter | Qt::TextSingleLine;
    if (!isEnabled()) {
        // Engraved: a white copy one pixel down and right under the grey text.
        painter.setPen(Qt::white);
        painter.drawText(r.translated(1, 1), kLine, text());
    }
    const bool pressed = isDown();
    painter.setPen(TextColour());
    painter.drawText(pressed ? r.translated(1, 1) : r, kLine, text());
    const int right = RightEdge(r);
    const int bottom = BottomEdge(r);
    if (pressed) {
        FrameRect(painter, r.adjusted(1, 1, -1, -1), kButtonShadow);
    } else {
        painter.fillRect(r.left(), r.top(), 2, r.height(), Qt::white);
        painter.fillRect(r.left(), r.top(), r.width(), 2, Qt::white);
        painter.fillRect(right - 2, r.top() + 1, 1, r.height() - 1, kButtonShadow);
        painter.fillRect(r.left() + 1, bottom - 2, r.width() - 1, 1, kButtonShadow);
        painter.fillRect(right - 1, r.top(), 1, r.height(), Qt::black);
        painter.fillRect(r.left(), bottom - 1, r.width(), 1, Qt::black);
    }
    if (hasFocus())
        FrameRect(painter, r, Qt::black);
}

UnitDetailPane::UnitDetailPane(UnitPanel& panel, const TroopTypeRecord& type, UnitEntry* unit,
                               const QRect& place, QWidget* parent)
    : QWidget(parent), panel_(panel), type_(type), unit_(unit) {
    setObjectName(QStringLiteral("unitDetail"));
    setFont(panel.view().metrics().font);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    setPalette(grey);
    setAutoFillBackground(true);
    setGeometry(place);
    CreateControls();
}

std::vector<ProfileRow> UnitDetailPane::ProfileRowsShown() const {
    return ProfileRows(type_, unit_, panel_.view().metrics().RowHeight());
}

OptionButton* UnitDetailPane::MakeOptionButton(const std::string& choice, std::function<bool()> breaksLimit,
                                               const QString& unavailable, const QString& name,
                                               const QRect& where, void (UnitDetailPane::*onClick)()) {
    OptionButton* button = nullptr;
    if (unit_ != nullptr) {
        button = new OptionButton(FromWin1252(choice), std::move(breaksLimit), this);
        connect(button, &QPushButton::clicked, this, onClick);
    } else {
        // A troop-type row only says what its units can have.
        button = new OptionButton(unavailable, {}, this);
        button->setEnabled(false);
    }
    button->setObjectName(name);
    button->setGeometry(where);
    button->show();
    return button;
}

void UnitDetailPane::CreateControls() {
    const int h = panel_.view().metrics().RowHeight();
    const DetailLayout layout = LayOutDetailControls(type_, unit_, width(), height(), h);
    const bool mountHadFocus = mount_ != nullptr && mount_->hasFocus();

    Discard(runners_);
    if (layout.runners) {
        const TroopTypeRecord* runners = RunnersFor(type_);
        runners_ = new QCheckBox(runners != nullptr ? FromWin1252(runners->name) : QString(), this);
        runners_->setObjectName(QStringLiteral("runnersBox"));
        runners_->setGeometry(*layout.runners);
        const SkirmisherUnitEntry* skirmisher = unit_ != nullptr ? unit_->AsSkirmisher() : nullptr;
        runners_->setEnabled(skirmisher != nullptr);
        runners_->setChecked(skirmisher != nullptr && skirmisher->skirmishers);
        connect(runners_, &QCheckBox::clicked, this, &UnitDetailPane::OnRunnersClicked);
        runners_->show();
    }

    Discard(mount_);
    if (layout.mount) {
        UnitEntry* unit = unit_;
        mount_ = MakeOptionButton(
            unit ? unit->mount->name : std::string(), [unit] { return MountButtonIsRed(*unit); },
            QStringLiteral("Can have a mount"), QStringLiteral("mountButton"), *layout.mount,
            &UnitDetailPane::OnMount);
        if (mountHadFocus)
            mount_->setFocus();
    }

    Discard(magicItem_);
    if (layout.magicItem) {
        UnitEntry* unit = unit_;
        magicItem_ = MakeOptionButton(
            unit ? unit->magicItem->name : std::string(), [unit] { return MagicItemButtonIsRed(*unit); },
            QStringLiteral("Can have a magic item"), QStringLiteral("magicItemButton"), *layout.magicItem,
            &UnitDetailPane::OnMagicItem);
    }

    Discard(siegeEngine_);
    if (layout.siegeEngine) {
        if (unit_ != nullptr) {
            siegeEngine_ = new QPushButton(FromWin1252(unit_->siegeEngine->name), this);
            connect(siegeEngine_, &QPushButton::clicked, this, &UnitDetailPane::OnSiegeEngine);
        } else {
            siegeEngine_ = new QPushButton(QStringLiteral("Can have a siege engine"), this);
            siegeEngine_->setEnabled(false);
        }
        siegeEngine_->setObjectName(QStringLiteral("siegeEngineButton"));
        siegeEngine_->setGeometry(*layout.siegeEngine);
        siegeEngine_->show();
    }

    Discard(description_);
    description_ = new QPlainTextEdit(this);
    description_->setObjectName(QStringLiteral("descriptionEdit"));
    description_->setReadOnly(true);
    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    description_->setGeometry(layout.description);
    RefreshDescription();
    description_->show();
}

void UnitDetailPane::RefreshDescription() {
    if (description_ == nullptr)
        return;
    std::string text;
    if (unit_ != nullptr)
        unit_->Description(text);
    else
        text = type_.info;
    description_->setPlainText(FromWin1252Lines(text));
}

void UnitDetailPane::RebuildUnitList() {
    UnitListPane* list = panel_.view().unitList();
    list->RememberSelection();
    list->RebuildList();
}

void UnitDetailPane::OnRunnersClicked(bool checked) {
    SkirmisherUnitEntry* skirmisher = unit_ != nullptr ? unit_->AsSkirmisher() : nullptr;
    if (skirmisher == nullptr)
        return;
    if (checked != skirmisher->skirmishers)
        panel_.view().document().SetModifiedFlag(true);
    skirmisher->skirmishers = checked;
    RebuildUnitList();
    RefreshDescription();
}

void UnitDetailPane::OnMount() {
    if (unit_ == nullptr)
        return;
    const TaggedObject* chosen = OptionPickerDialog::Pick(panel_.view(), this, type_, *unit_, unit_->mount);
    if (chosen != nullptr && chosen->kind == kKindTroopType && chosen != unit_->mount) {
        unit_->mount = static_cast<const TroopTypeRecord*>(chosen);
        RebuildUnitList();
        // A mount needs room for its profile: the controls below it move.
        CreateControls();
        update();
        panel_.view().document().SetModifiedFlag(true);
    }
    RefreshDescription();
}

void UnitDetailPane::OnMagicItem() {
    if (unit_ == nullptr)
        return;
    const TaggedObject* chosen =
        OptionPickerDialog::Pick(panel_.view(), this, type_, *unit_, unit_->magicItem);
    if (chosen != nullptr && chosen->kind == kKindMagicItem) {
        const auto* item = static_cast<const MagicItemRecord*>(chosen);
        if (item != unit_->magicItem)
            panel_.view().document().SetModifiedFlag(true);
        unit_->magicItem = item;
        if (magicItem_ != nullptr)
            magicItem_->setText(FromWin1252(item->name));
        RebuildUnitList();
    }
    RefreshDescription();
}

void UnitDetailPane::OnSiegeEngine() {
    if (unit_ == nullptr)
        return;
    const TaggedObject* chosen =
        OptionPickerDialog::Pick(panel_.view(), this, type_, *unit_, unit_->siegeEngine);
    if (chosen != nullptr && chosen->kind == kKindSiegeEngine) {
        const auto* engine = static_cast<const SiegeEngineRecord*>(chosen);
        if (engine != unit_->siegeEngine)
            panel_.view().document().SetModifiedFlag(true);
        unit_->siegeEngine = engine;
        if (siegeEngine_ != nullptr)
            siegeEngine_->setText(FromWin1252(engine->name));
        RebuildUnitList();
    }
    RefreshDescription();
}

void UnitDetailPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int h = panel_.view().metrics().RowHeight();
    const int right = width();
    for (const ProfileRow& row : ProfileRowsShown()) {
        const QRect r = EdgeRect(0, row.top, right, row.top + h);
        painter.fillRect(r, Qt::white);
        const auto edges = ProfileCellEdges(0, right, static_cast<int>(row.cells.size()));
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const QRect cell = EdgeRect(edges[i].first, r.top(), edges[i].second, BottomEdge(r));
            FrameRect(painter, cell, Qt::black);
            painter.setPen(Qt::black);
            painter.drawText(cell.adjusted(0, 1, 0, 0),
                             Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                             row.cells[static_cast<qsizetype>(i)]);
        }
        if (row.header)
            FrameRect(painter, r.adjusted(1, 1, -1, -1), Qt::black);
    }
}

} // namespace ovra
