#include "UnitDetailPane.h"

#include "ArmyEditor.h"
#include "BreachText.h"
#include "OptionPickerDialog.h"
#include "UiMetrics.h"
#include "UnitDetailPainting.h"
#include "UnitListPainting.h"
#include "Win1252.h"

#include "SetOption.h"

#include <QCheckBox>
#include <QHelpEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolTip>

namespace ovra {

namespace {

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

OptionButton::OptionButton(const QString& text, std::function<QString()> problem, QWidget* parent)
    : QPushButton(text, parent), problem_(std::move(problem)) {}

QString OptionButton::Problem() const {
    return problem_ ? problem_() : QString();
}

bool OptionButton::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const QString problem = Problem();
        if (problem.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), problem, this);
        return true;
    }
    return QPushButton::event(event);
}

QColor OptionButton::TextColour() const {
    if (!isEnabled())
        return palette().color(QPalette::Disabled, QPalette::ButtonText);
    return Problem().isEmpty() ? BoxText() : WarningRed();
}

void OptionButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QRect r = rect();
    painter.fillRect(r, PaneBackground());
    constexpr int kLine = Qt::AlignCenter | Qt::TextSingleLine;
    if (!isEnabled()) {
        // Engraved: a white copy one pixel down and right under the grey text.
        painter.setPen(BevelLight());
        painter.drawText(r.translated(1, 1), kLine, text());
    }
    const bool pressed = isDown();
    painter.setPen(TextColour());
    painter.drawText(pressed ? r.translated(1, 1) : r, kLine, text());
    const int right = RightEdge(r);
    const int bottom = BottomEdge(r);
    if (pressed) {
        FrameRect(painter, r.adjusted(1, 1, -1, -1), BevelShadow());
    } else {
        painter.fillRect(r.left(), r.top(), 2, r.height(), BevelLight());
        painter.fillRect(r.left(), r.top(), r.width(), 2, BevelLight());
        painter.fillRect(right - 2, r.top() + 1, 1, r.height() - 1, BevelShadow());
        painter.fillRect(r.left() + 1, bottom - 2, r.width() - 1, 1, BevelShadow());
        painter.fillRect(right - 1, r.top(), 1, r.height(), BevelDark());
        painter.fillRect(r.left(), bottom - 1, r.width(), 1, BevelDark());
    }
    if (hasFocus())
        FrameRect(painter, r, BoxText());
}

UnitDetailPane::UnitDetailPane(ArmyEditor& editor, const TroopTypeRecord& type, UnitId unit,
                               const QRect& place, QWidget* parent)
    : QWidget(parent), editor_(editor), type_(type), unit_(unit) {
    setObjectName(QStringLiteral("unitDetail"));
    setFont(editor.metrics().font);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, PaneBackground());
    setPalette(grey);
    setAutoFillBackground(true);
    setGeometry(place);
    CreateControls();
}

const UnitEntry* UnitDetailPane::unit() const {
    const UnitEntry* entry = unit_ != 0 ? editor_.army().FindUnit(unit_) : nullptr;
    return entry != nullptr && &entry->troopType() == &type_ ? entry : nullptr;
}

void UnitDetailPane::Refresh() {
    // A mount needs room for its profile: the controls below it move.
    CreateControls();
    update();
}

std::vector<ProfileRow> UnitDetailPane::ProfileRowsShown() const {
    return ProfileRows(type_, unit(), editor_.metrics().RowHeight());
}

OptionButton* UnitDetailPane::MakeOptionButton(const std::string& choice, std::function<QString()> problem,
                                               const QString& unavailable, const QString& name,
                                               const QRect& where, void (UnitDetailPane::*onClick)()) {
    OptionButton* button = nullptr;
    if (unit_ != 0) {
        button = new OptionButton(FromWin1252(choice), std::move(problem), this);
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
    const int h = editor_.metrics().RowHeight();
    const UnitEntry* shown = unit();
    if (unit_ != 0 && shown == nullptr) {
        // The unit is gone: nothing to show, nothing to change.
        for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            child->setEnabled(false);
        return;
    }
    const DetailLayout layout = LayOutDetailControls(type_, shown, width(), height(), h);
    const bool mountHadFocus = mount_ != nullptr && mount_->hasFocus();
    const bool runnersHadFocus = runners_ != nullptr && runners_->hasFocus();

    Discard(runners_);
    if (layout.runners) {
        const TroopTypeRecord* runners = RunnersFor(type_);
        runners_ = new QCheckBox(runners != nullptr ? FromWin1252(runners->name) : QString(), this);
        runners_->setObjectName(QStringLiteral("runnersBox"));
        runners_->setGeometry(*layout.runners);
        runners_->setEnabled(shown != nullptr && shown->AsSkirmisher() != nullptr);
        runners_->setChecked(shown != nullptr && shown->skirmishers());
        connect(runners_, &QCheckBox::clicked, this, &UnitDetailPane::OnRunnersClicked);
        runners_->show();
        if (runnersHadFocus)
            runners_->setFocus();
    }

    const UnitId id = unit_;
    const ArmyEditor& editor = editor_;
    const auto lookUp = [&editor, id]() { return editor.army().FindUnit(id); };

    Discard(mount_);
    if (layout.mount) {
        mount_ = MakeOptionButton(
            shown ? shown->mount()->name : std::string(),
            [lookUp] {
                const UnitEntry* u = lookUp();
                return u != nullptr ? MountProblem(*u) : QString();
            },
            tr("Can have a mount"), QStringLiteral("mountButton"), *layout.mount, &UnitDetailPane::OnMount);
        mount_->setAccessibleName(tr("Mount: %1").arg(mount_->text()));
        if (mountHadFocus)
            mount_->setFocus();
    }

    Discard(magicItem_);
    if (layout.magicItem) {
        magicItem_ = MakeOptionButton(
            shown ? shown->magicItem()->name : std::string(),
            [lookUp] {
                const UnitEntry* u = lookUp();
                return u != nullptr ? MagicItemProblem(*u) : QString();
            },
            tr("Can have a magic item"), QStringLiteral("magicItemButton"), *layout.magicItem,
            &UnitDetailPane::OnMagicItem);
        magicItem_->setAccessibleName(tr("Magic item: %1").arg(magicItem_->text()));
    }

    const bool engineHadFocus = siegeEngine_ != nullptr && siegeEngine_->hasFocus();
    Discard(siegeEngine_);
    if (layout.siegeEngine) {
        if (shown != nullptr) {
            siegeEngine_ = new QPushButton(FromWin1252(shown->siegeEngine()->name), this);
            connect(siegeEngine_, &QPushButton::clicked, this, &UnitDetailPane::OnSiegeEngine);
        } else {
            siegeEngine_ = new QPushButton(tr("Can have a siege engine"), this);
            siegeEngine_->setEnabled(false);
        }
        siegeEngine_->setObjectName(QStringLiteral("siegeEngineButton"));
        siegeEngine_->setAccessibleName(tr("Siege engine: %1").arg(siegeEngine_->text()));
        siegeEngine_->setGeometry(*layout.siegeEngine);
        siegeEngine_->show();
        if (engineHadFocus)
            siegeEngine_->setFocus();
    }

    Discard(description_);
    description_ = new QPlainTextEdit(this);
    description_->setObjectName(QStringLiteral("descriptionEdit"));
    description_->setAccessibleName(tr("Description"));
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
    if (const UnitEntry* shown = unit())
        shown->Description(text);
    else if (unit_ == 0)
        text = type_.info;
    description_->setPlainText(FromWin1252Lines(text));
}

void UnitDetailPane::OnRunnersClicked(bool checked) {
    const UnitEntry* shown = unit();
    if (shown == nullptr || shown->AsSkirmisher() == nullptr)
        return;
    if (checked == shown->skirmishers())
        return;
    editor_.Execute(tr("Runners"), std::make_unique<edits::SetRunners>(unit_, checked));
}

template <class Record, class Edit, class Button>
void UnitDetailPane::PickOption(const QString& undoText, Code kind,
                                const Record* (UnitEntry::*current)() const,
                                Button* UnitDetailPane::*button) {
    const UnitEntry* shown = unit();
    if (shown == nullptr)
        return;
    const TaggedObject* chosen = OptionPickerDialog::Pick(editor_, this, type_, *shown, (shown->*current)());
    shown = unit(); // the army may have changed while the dialog was open
    if (shown != nullptr && chosen != nullptr && chosen->kind == kind && chosen != (shown->*current)())
        editor_.Execute(undoText, std::make_unique<Edit>(unit_, static_cast<const Record*>(chosen)));
    // The keyboard goes back to the button, made anew when the choice changed it.
    if (this->*button != nullptr)
        (this->*button)->setFocus(Qt::OtherFocusReason);
}

void UnitDetailPane::OnMount() {
    PickOption<TroopTypeRecord, edits::SetMount>(tr("Mount"), kKindTroopType, &UnitEntry::mount,
                                                 &UnitDetailPane::mount_);
}

void UnitDetailPane::OnMagicItem() {
    PickOption<MagicItemRecord, edits::SetMagicItem>(tr("Magic item"), kKindMagicItem, &UnitEntry::magicItem,
                                                     &UnitDetailPane::magicItem_);
}

void UnitDetailPane::OnSiegeEngine() {
    PickOption<SiegeEngineRecord, edits::SetSiegeEngine>(
        tr("Siege engine"), kKindSiegeEngine, &UnitEntry::siegeEngine, &UnitDetailPane::siegeEngine_);
}

void UnitDetailPane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int h = editor_.metrics().RowHeight();
    const int right = width();
    for (const ProfileRow& row : ProfileRowsShown()) {
        const QRect r = EdgeRect(0, row.top, right, row.top + h);
        painter.fillRect(r, BoxBackground());
        const auto edges = ProfileCellEdges(0, right, static_cast<int>(row.cells.size()));
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const QRect cell = EdgeRect(edges[i].first, r.top(), edges[i].second, BottomEdge(r));
            FrameRect(painter, cell, BoxText());
            painter.setPen(BoxText());
            painter.drawText(cell.adjusted(0, 1, 0, 0),
                             Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine,
                             row.cells[static_cast<qsizetype>(i)]);
        }
        if (row.header)
            FrameRect(painter, r.adjusted(1, 1, -1, -1), BoxText());
    }
}

} // namespace ovra
