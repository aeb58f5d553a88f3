#pragma once
// Modal dialogs in window tests: a test that triggers a message box (or an
// input dialog) arranges its answer beforehand; the answerer waits for the
// next modal window, records its text and presses the chosen button.
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <deque>
#include <functional>

namespace kestrel::test {

class ModalAnswerer {
public:
    // Answers the next `count` message boxes with `button`, after the
    // answers arranged before.
    void answerMessageBoxes(QMessageBox::StandardButton button, int count = 1);
    // Runs `handle` on the next modal widget once it is shown (an input
    // dialog, a file dialog, a secondary window).
    void handleNextModal(std::function<void(QWidget*)> handle);

    // The texts of the message boxes answered so far.
    const QStringList& texts() const { return texts_; }
    const QStringList& titles() const { return titles_; }
    int pending() const { return static_cast<int>(answers_.size()); }

private:
    void poll();

    QStringList texts_;
    QStringList titles_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::function<void(QWidget*)> handler_;
};

} // namespace kestrel::test
