#pragma once
// A window's status line: one line that says what a command did when the
// window shows nothing else of it ("Procedure copied to the clipboard, 133
// lines", "Procedure Preview hidden"). A screen reader hears it as a status
// bar whose message changed: the message is a label inside the bar, and
// each new message sends the name change of that label and a value change
// of the bar. A screen reader speaks neither unless asked, so each message
// is also shown anew as a notification (an invisible child of the bar),
// which screen readers speak as it appears.
#include <QStatusBar>

class QLabel;

namespace kestrel::gui {

class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void say(const QString& message);
    QString message() const;

private:
    QLabel* message_;
    QWidget* notification_;
};

// Says the message on the status line of the window that holds `control`
// (or of the window that window belongs to); nothing when there is none.
void announce(QWidget* control, const QString& message);

} // namespace kestrel::gui
