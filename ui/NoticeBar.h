// A bar above an army's panes that tells of something that happened to the
// army's file or its army lists, with the choices it offers. It never
// blocks: the army can be edited while it shows.
#pragma once

#include <QFrame>

#include <functional>
#include <utility>
#include <vector>

class QHBoxLayout;
class QLabel;
class QPushButton;

namespace ovra {

class NoticeBar : public QFrame {
    Q_OBJECT
public:
    using Choice = std::pair<QString, std::function<void()>>;

    explicit NoticeBar(QWidget* parent);

    // Shows the text with a button per choice and one that closes the bar;
    // a choice closes the bar before it runs. A new notice replaces the one shown.
    void Show(const QString& text, const std::vector<Choice>& choices = {});
    void Close();

    QString text() const;
    // The buttons of the choices, in their order, then the close button.
    std::vector<QPushButton*> buttons() const { return buttons_; }

private:
    QLabel* label_;
    QHBoxLayout* buttonRow_;
    std::vector<QPushButton*> buttons_;
};

} // namespace ovra
