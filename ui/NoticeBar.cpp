#include "NoticeBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace ovra {

NoticeBar::NoticeBar(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("noticeBar"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);
    setForegroundRole(QPalette::ToolTipText);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    auto* icon = new QLabel(this);
    const int side = style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, this);
    icon->setPixmap(
        style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(side, side));
    layout->addWidget(icon, 0, Qt::AlignTop);
    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("noticeText"));
    label_->setWordWrap(true);
    label_->setTextFormat(Qt::PlainText);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(label_, 1);
    buttonRow_ = new QHBoxLayout;
    layout->addLayout(buttonRow_);
    hide();
}

QString NoticeBar::text() const {
    return isHidden() ? QString() : label_->text();
}

void NoticeBar::Show(const QString& text, const std::vector<Choice>& choices) {
    for (QPushButton* button : buttons_)
        button->deleteLater(); // one of them may be the sender being handled
    buttons_.clear();
    label_->setText(text);
    label_->setAccessibleName(text);
    for (const Choice& choice : choices) {
        auto* button = new QPushButton(choice.first, this);
        const std::function<void()> run = choice.second;
        connect(button, &QPushButton::clicked, this, [this, run] {
            Close();
            if (run)
                run();
        });
        buttonRow_->addWidget(button);
        buttons_.push_back(button);
    }
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("noticeClose"));
    connect(close, &QPushButton::clicked, this, &NoticeBar::Close);
    buttonRow_->addWidget(close);
    buttons_.push_back(close);
    show();
}

void NoticeBar::Close() {
    hide();
}

} // namespace ovra
