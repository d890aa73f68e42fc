#include "CountPopup.h"

#include "BreachText.h"
#include "UiMetrics.h"
#include "UnitListPainting.h"

#include "Army.h"
#include "ArmyChecker.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace ovra {

CountPopup::CountPopup(const Army& army, const TroopTypeRecord& type, const UiMetrics& metrics,
                       QWidget* parent)
    : QWidget(parent, Qt::Popup | Qt::FramelessWindowHint), army_(army), type_(type), metrics_(metrics),
      current_(army.CountOfType(type.code())) {
    setObjectName(QStringLiteral("countPopup"));
    setFixedSize(kCountPopupSize, kCountPopupSize);
    setFont(metrics.font);
    setMouseTracking(true);
    setAttribute(Qt::WA_NoMouseReplay);
}

CountPopup::~CountPopup() = default;

int CountPopup::Exec() {
    if (!isVisible())
        show();
    if (!ended_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
    }
    return result_;
}

void CountPopup::End(int result) {
    if (ended_)
        return;
    ended_ = true;
    result_ = result;
    if (loop_ != nullptr)
        loop_->quit();
}

bool CountPopup::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        // A red number says what choosing it would break.
        const auto* help = static_cast<QHelpEvent*>(event);
        const int cell = CountCellAt(help->pos());
        const QString problem = cell >= 0 ? CountChoiceProblem(army_, type_, cell) : QString();
        if (problem.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), problem, this, CountCellRect(cell));
        return true;
    }
    return QWidget::event(event);
}

void CountPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(metrics_.font);
    painter.fillRect(rect(), PopupYellow());
    FrameRect(painter, rect(), Qt::black);
    for (int cell = 0; cell < kCountCells; ++cell) {
        const QRect r = CountCellRect(cell);
        if (cell == current_)
            painter.fillRect(r, CurrentCountGreen());
        painter.setPen(CountBreaksBounds(army_, type_, cell) ? WarningRed() : QColor(Qt::black));
        painter.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, QString::number(cell));
    }
    if (hover_ >= 0) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(CountCellRect(hover_), Qt::black);
    }
}

void CountPopup::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    const int cell = CountCellAt(event->position().toPoint());
    if (cell == hover_)
        return;
    if (hover_ >= 0)
        update(CountCellRect(hover_));
    hover_ = cell;
    if (hover_ >= 0)
        update(CountCellRect(hover_));
}

void CountPopup::mousePressEvent(QMouseEvent* event) {
    // The popup holds the mouse: a press anywhere else arrives here too.
    const QPoint p = event->position().toPoint();
    const int cell = rect().contains(p) ? CountCellAt(p) : -1;
    if (event->button() != Qt::LeftButton && cell >= 0)
        return;
    if (cell < 0) {
        End(-1);
        return;
    }
    update(CountCellRect(current_));
    current_ = cell;
    update(CountCellRect(current_));
    End(cell);
}

void CountPopup::mouseReleaseEvent(QMouseEvent* event) {
    // The release of the click that opened the grid must not close it.
    event->accept();
}

void CountPopup::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape)
        End(-1);
    event->accept();
}

void CountPopup::closeEvent(QCloseEvent* event) {
    // Closed from outside (another window took over): nothing is chosen.
    End(-1);
    QWidget::closeEvent(event);
}

} // namespace ovra
