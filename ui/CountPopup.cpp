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
      current_(army.CountOfType(type.code())), grid_(CountGridGeometry::For(metrics.font)) {
    setObjectName(QStringLiteral("countPopup"));
    setAccessibleName(tr("Number of units"));
    setFixedSize(grid_.Size());
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
        const int cell = grid_.CellAt(help->pos());
        const QString problem = cell >= 0 ? CountChoiceProblem(army_, type_, cell) : QString();
        if (problem.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(help->globalPos(), problem, this, grid_.CellRect(cell));
        return true;
    }
    return QWidget::event(event);
}

void CountPopup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(metrics_.font);
    painter.fillRect(rect(), PopupYellow());
    FrameRect(painter, rect(), BoxText());
    for (int cell = 0; cell < kCountCells; ++cell) {
        const QRect r = grid_.CellRect(cell);
        if (cell == current_)
            painter.fillRect(r, CurrentCountGreen());
        painter.setPen(CountBreaksBounds(army_, type_, cell) ? WarningRed() : BoxText());
        painter.drawText(r, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, QString::number(cell));
    }
    if (hover_ >= 0) {
        painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter.fillRect(grid_.CellRect(hover_), Qt::black);
    }
}

void CountPopup::mouseMoveEvent(QMouseEvent* event) {
    QWidget::mouseMoveEvent(event);
    Mark(grid_.CellAt(event->position().toPoint()));
}

void CountPopup::mousePressEvent(QMouseEvent* event) {
    // The popup holds the mouse: a press anywhere else arrives here too.
    const QPoint p = event->position().toPoint();
    const int cell = rect().contains(p) ? grid_.CellAt(p) : -1;
    if (event->button() != Qt::LeftButton && cell >= 0)
        return;
    if (cell < 0) {
        End(-1);
        return;
    }
    update(grid_.CellRect(current_));
    current_ = cell;
    update(grid_.CellRect(current_));
    End(cell);
}

void CountPopup::mouseReleaseEvent(QMouseEvent* event) {
    // The release of the click that opened the grid must not close it.
    event->accept();
}

void CountPopup::MarkCurrentCount() {
    Mark(std::clamp(current_, 0, kCountCells - 1));
}

void CountPopup::Mark(int cell) {
    if (cell == hover_)
        return;
    if (hover_ >= 0)
        update(grid_.CellRect(hover_));
    hover_ = cell;
    if (hover_ >= 0)
        update(grid_.CellRect(hover_));
}

void CountPopup::keyPressEvent(QKeyEvent* event) {
    event->accept();
    const int from = hover_ >= 0 ? hover_ : std::clamp(current_, 0, kCountCells - 1);
    const auto move = [&](int step) {
        typed_.clear();
        Mark(std::clamp(from + step, 0, kCountCells - 1));
    };
    switch (event->key()) {
    case Qt::Key_Escape:
        End(-1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        current_ = from;
        End(from);
        return;
    case Qt::Key_Left:
        move(-1);
        return;
    case Qt::Key_Right:
        move(+1);
        return;
    case Qt::Key_Up:
        move(-kCountColumns);
        return;
    case Qt::Key_Down:
        move(+kCountColumns);
        return;
    case Qt::Key_Home:
        move(-kCountCells);
        return;
    case Qt::Key_End:
        move(+kCountCells);
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isDigit()) {
        // Digits make a number. One past the grid is not taken: the mark
        // stays, the grid says why, and the next digit starts anew.
        typed_ += text;
        if (typed_.toInt() >= kCountCells) {
            typed_.clear();
            QToolTip::showText(
                mapToGlobal(QPoint(0, height())),
                tr("The grid goes up to %1; + and - in the list add or take away one unit at a "
                   "time, Army > New unit adds one more.")
                    .arg(kCountCells - 1),
                this);
            return;
        }
        Mark(typed_.toInt());
    }
}

void CountPopup::closeEvent(QCloseEvent* event) {
    // Closed from outside (another window took over): nothing is chosen.
    End(-1);
    QWidget::closeEvent(event);
}

} // namespace ovra
