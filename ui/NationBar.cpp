#include "NationBar.h"
#include "ItemData.h"

#include "ArmyEditor.h"
#include "ArmyUndoShortcuts.h"
#include "FileNames.h"
#include "NationInfoDialog.h"
#include "UiMetrics.h"
#include "UiServices.h"
#include "Win1252.h"

#include "ArmyCatalogue.h"
#include "ChangeNation.h"
#include "SetPointsLimit.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QWheelEvent>

#include <limits>

namespace ovra {

namespace {
// The field is five digits wide, and grows for a longer limit; a limit has
// at most nine digits, as army files and `ovra new` take it.
constexpr int kTypedPointsDigits = 5;
constexpr int kMostPointsDigits = 9;

// Keys the points field cannot take say why, at the field.
class PointsKeysFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (field == nullptr || event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        if (text.isEmpty() || !text.at(0).isPrint() || (key->modifiers() & Qt::ControlModifier) != 0)
            return QObject::eventFilter(watched, event);
        QString why;
        if (!text.at(0).isDigit())
            why = NationBar::tr("The points limit takes digits only.");
        else if (field->text().size() >= kMostPointsDigits && !field->hasSelectedText())
            why = NationBar::tr("A points limit has at most nine digits (999,999,999).");
        if (!why.isEmpty())
            QToolTip::showText(field->mapToGlobal(QPoint(0, field->height())), why, field);
        return QObject::eventFilter(watched, event);
    }
};

// The nation box. Closed, the keys that would pick another nation at once
// open the list instead: the nation changes only when a choice is committed
// (Enter or a click in the list). Typing finds: the list shows only the
// nations whose name holds what was typed, whatever the case.
class NationCombo : public QComboBox {
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        if (!filtering_) {
            view()->installEventFilter(this);
            filtering_ = true;
        }
        QComboBox::showPopup();
    }
    void hidePopup() override {
        Find({});
        QComboBox::hidePopup();
    }

protected:
    void keyPressEvent(QKeyEvent* key) override {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
            if (key->modifiers() & Qt::AltModifier)
                break; // Alt+Down opens the list as usual
            showPopup();
            return;
        default:
            if (Typed(*key)) {
                showPopup();
                Find(key->text());
                return;
            }
            break;
        }
        QComboBox::keyPressEvent(key);
    }
    void wheelEvent(QWheelEvent* wheel) override { wheel->ignore(); }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != view() || event->type() != QEvent::KeyPress)
            return QComboBox::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Backspace && !found_.isEmpty()) {
            Find(found_.chopped(1));
            return true;
        }
        if (Typed(*key)) {
            Find(found_ + key->text());
            return true;
        }
        return QComboBox::eventFilter(watched, event);
    }

private:
    static bool Typed(const QKeyEvent& key) {
        return !key.text().isEmpty() && key.text().at(0).isPrint() &&
               (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
    }
    // Shows only the nations whose name holds `text`, the first of them current.
    void Find(const QString& text) {
        found_ = text;
        auto* list = qobject_cast<QListView*>(view());
        if (list == nullptr)
            return;
        int first = -1;
        for (int i = 0; i < count(); ++i) {
            const bool shown = itemText(i).contains(text, Qt::CaseInsensitive);
            list->setRowHidden(i, !shown);
            if (shown && first < 0)
                first = i;
        }
        if (first >= 0 && !text.isEmpty())
            list->setCurrentIndex(model()->index(first, 0));
        if (text.isEmpty())
            QToolTip::hideText();
        else if (list->isVisible())
            QToolTip::showText(list->mapToGlobal(QPoint(0, 0)), NationBar::tr("Find: %1").arg(text), list);
    }

    bool filtering_ = false;
    QString found_;
};

const NationRecord* NationAt(const QComboBox* combo, int index) {
    return DataPointer<NationRecord>(combo->itemData(index));
}
} // namespace

PointsEditResult CleanPointsText(const QString& text, int selectionStart, int selectionEnd) {
    PointsEditResult result{text, selectionStart, selectionEnd, false};
    // Each character that is not a digit is removed in turn; the caret stays
    // where it was typed.
    for (;;) {
        qsizetype bad = -1;
        for (qsizetype i = 0; i < result.text.size() && bad < 0; ++i)
            if (result.text[i] < QLatin1Char('0') || result.text[i] > QLatin1Char('9'))
                bad = i;
        if (bad < 0)
            break;
        result.text.remove(bad, 1);
        if (bad < result.selectionEnd && bad >= result.selectionStart - 1) {
            --result.selectionStart;
            --result.selectionEnd;
        }
        const int length = static_cast<int>(result.text.size());
        result.selectionStart = std::clamp(result.selectionStart, 0, length);
        result.selectionEnd = std::clamp(result.selectionEnd, 0, length);
    }
    if (result.text.isEmpty()) {
        result.text = QStringLiteral("0");
        result.selectionStart = 0;
        result.selectionEnd = 1;
        result.selectAll = true;
    }
    return result;
}

NationBar::NationBar(ArmyEditor& editor, QWidget* parent) : QFrame(parent), editor_(editor) {
    setObjectName(QStringLiteral("nationBar"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setAutoFillBackground(true);
    const QFont& font = editor.metrics().font;

    pointsEdit_ = new QLineEdit(this);
    LeaveUndoToTheArmy(pointsEdit_);
    pointsEdit_->setObjectName(QStringLiteral("pointsEdit"));
    pointsEdit_->setFont(font);
    pointsEdit_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    pointsEdit_->setMaxLength(kMostPointsDigits);
    pointsEdit_->installEventFilter(new PointsKeysFilter(pointsEdit_));
    pointsEdit_->setToolTip(tr("Points limit"));
    pointsEdit_->setAccessibleName(tr("Points limit"));
    connect(pointsEdit_, &QLineEdit::textEdited, this, &NationBar::OnPointsChanged);
    connect(pointsEdit_, &QLineEdit::editingFinished, this, [this] { editor_.EndTypingBurst(); });

    nationCombo_ = new NationCombo(this);
    nationCombo_->setObjectName(QStringLiteral("nationCombo"));
    nationCombo_->setAccessibleName(tr("Nation"));
    nationCombo_->setFont(font);
    nationCombo_->setMaxVisibleItems(16);
    FillNations();
    connect(nationCombo_, &QComboBox::activated, this, &NationBar::OnNationActivated);

    infoButton_ = new QPushButton(QStringLiteral("i"), this);
    infoButton_->setObjectName(QStringLiteral("infoButton"));
    infoButton_->setFont(font);
    infoButton_->setDefault(true);
    infoButton_->setToolTip(tr("About this nation"));
    infoButton_->setAccessibleName(tr("About this nation"));
    connect(infoButton_, &QPushButton::clicked, this, &NationBar::OnInfo);

    setTabOrder(nationCombo_, infoButton_);
    setTabOrder(infoButton_, pointsEdit_);
}

void NationBar::LayOut() {
    const UiMetrics& m = editor_.metrics();
    const int w = m.digitWidth;
    const int h = m.RowHeight();
    const QRect b = contentsRect();
    const int clientHeight = b.height();
    const int clientRight = b.width();

    // Five digits wide, wider for a longer limit; never narrower than the
    // font's digits need with the field's frame and margins.
    const int digits = std::max<int>(kTypedPointsDigits, static_cast<int>(pointsEdit_->text().size()));
    QStyleOptionFrame frame;
    frame.initFrom(pointsEdit_);
    const int frameWidth =
        pointsEdit_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, pointsEdit_);
    const QMargins margins = pointsEdit_->textMargins();
    constexpr int kLineEditMargin = 2; // QLineEdit's own space around its text, and the caret's
    const int needed =
        QFontMetrics(pointsEdit_->font()).horizontalAdvance(QString(digits, QLatin1Char('0'))) +
        2 * frameWidth + margins.left() + margins.right() + 2 * kLineEditMargin + 1;
    const int pointsWidth = std::max(digits * w + 4, needed);
    const int pointsTop = (clientHeight - h - 2) / 2;
    const QRect points(b.left() + clientRight - 2 - pointsWidth, b.top() + pointsTop, pointsWidth, h + 2);
    pointsEdit_->setGeometry(points);

    const QRect combo(b.left() + 2, b.top() + 2, 30 * w + 4, std::max(h, clientHeight - 4));
    nationCombo_->setGeometry(combo);

    const int infoBottom = pointsTop + h + 2; // client coordinates
    const int side = infoBottom - 2;
    infoButton_->setGeometry(combo.right() + 1 + 2, b.top() + 2, side, side);
}

void NationBar::ShowChange(const ArmyChange& change) {
    if (change.scope == ArmyChange::Scope::Army || change.scope == ArmyChange::Scope::Limit)
        RefreshNationBar();
}

void NationBar::FillNations() {
    const ArmyCatalogue& catalogue = editor_.document().catalogue();
    if (listed_ == &catalogue)
        return;
    listed_ = &catalogue;
    const QSignalBlocker blocker(nationCombo_);
    nationCombo_->clear();
    for (const NationRecord* n = catalogue.NextNation(nullptr); n; n = catalogue.NextNation(n)) {
        QString name = FromWin1252(n->armyName);
        // A nation its list gives no name is still told apart: by its number and file.
        if (name.trimmed().isEmpty()) {
            const std::vector<ArmyListSource>& sources = catalogue.sources();
            const QString file =
                n->source < sources.size() && sources[n->source].kind == ArmyListSource::Kind::File
                    ? ShownPath(sources[n->source].file.filename())
                    : tr("built-in lists");
            name = tr("Nation %1 (%2)").arg(n->id()).arg(file);
        }
        nationCombo_->addItem(name, PointerData(n));
    }
}

void NationBar::RefreshNationBar() {
    FillNations(); // the army lists may have been read again
    const Army& army = editor_.army();
    {
        const QSignalBlocker blocker(pointsEdit_);
        const int start =
            pointsEdit_->hasSelectedText() ? pointsEdit_->selectionStart() : pointsEdit_->cursorPosition();
        const int end =
            pointsEdit_->hasSelectedText() ? pointsEdit_->selectionEnd() : pointsEdit_->cursorPosition();
        const QString limit = QString::number(army.pointsLimit());
        const bool wider = std::max<qsizetype>(limit.size(), kTypedPointsDigits) !=
                           std::max<qsizetype>(pointsEdit_->text().size(), kTypedPointsDigits);
        pointsEdit_->setMaxLength(std::max<int>(kMostPointsDigits, static_cast<int>(limit.size())));
        pointsEdit_->setText(limit);
        if (wider)
            LayOut();
        if (start != end)
            pointsEdit_->setSelection(start, end - start);
        else
            pointsEdit_->setCursorPosition(start);
    }
    SelectNation(&army.nation());
}

void NationBar::SelectNation(const NationRecord* nation) {
    const QSignalBlocker blocker(nationCombo_);
    for (int i = 0; i < nationCombo_->count(); ++i) {
        if (NationAt(nationCombo_, i) == nation) {
            nationCombo_->setCurrentIndex(i);
            return;
        }
    }
    nationCombo_->setCurrentIndex(-1);
}

void NationBar::OnPointsChanged() {
    const bool selected = pointsEdit_->hasSelectedText();
    const int start = selected ? pointsEdit_->selectionStart() : pointsEdit_->cursorPosition();
    const int end = selected ? pointsEdit_->selectionEnd() : pointsEdit_->cursorPosition();
    const PointsEditResult clean = CleanPointsText(pointsEdit_->text(), start, end);
    if (clean.text != pointsEdit_->text()) {
        const QSignalBlocker blocker(pointsEdit_);
        pointsEdit_->setText(clean.text);
        if (clean.selectionStart != clean.selectionEnd)
            pointsEdit_->setSelection(clean.selectionStart, clean.selectionEnd - clean.selectionStart);
        else
            pointsEdit_->setCursorPosition(clean.selectionEnd);
    }
    LayOut(); // the field grows with the digits typed
    const auto value = static_cast<std::int32_t>(
        std::min<qlonglong>(clean.text.toLongLong(), std::numeric_limits<std::int32_t>::max()));
    if (value == editor_.army().pointsLimit())
        return;
    editor_.Execute(tr("Points limit"), std::make_unique<edits::SetPointsLimit>(value));
}

void NationBar::OnNationActivated(int index) {
    const NationRecord* picked = NationAt(nationCombo_, index);
    const Army& army = editor_.army();
    if (picked == nullptr || picked == &army.nation())
        return;
    if (army.UnitCount() > 0 &&
        !editor_.services().AskOkCancel(this, tr("Changing the nation will delete all unit entries !"),
                                        QString::fromLatin1(kAppTitle))) {
        SelectNation(&army.nation());
        return;
    }
    editor_.Execute(tr("Nation"), std::make_unique<edits::ChangeNation>(*picked));
}

void NationBar::OnInfo() {
    const NationRecord& nation = editor_.army().nation();
    NationInfoDialog dialog(editor_.metrics(), FromWin1252(nation.name), FromWin1252Lines(nation.info),
                            parentWidget());
    editor_.services().ExecDialog(dialog);
}

} // namespace ovra
