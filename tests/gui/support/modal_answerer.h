#pragma once
// Modal dialogs in window tests: a test that triggers a message box (or an
// input dialog) arranges its answer beforehand; the answerer waits for the
// next modal window, records its text and presses the chosen button.
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

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
    // The same for a modal window that must be a W (a dialog): `inspect`
    // runs on it, and it is closed afterwards unless inspect closed it.
    template <class W> void handleNext(std::function<void(W&)> inspect)
    {
        handleNextModal([inspect = std::move(inspect)](QWidget* modal) {
            auto* window = qobject_cast<W*>(modal);
            ASSERT_NE(window, nullptr) << modal->metaObject()->className();
            inspect(*window);
            if (window->isVisible())
                window->reject();
        });
    }

    // The texts of the message boxes answered so far.
    const QStringList& texts() const { return texts_; }
    const QStringList& titles() const { return titles_; }
    // The captions of each box's buttons, in the box's order.
    const QList<QStringList>& buttons() const { return buttons_; }
    // The text of the last message box answered; empty when none was.
    QString lastText() const { return texts_.isEmpty() ? QString() : texts_.back(); }
    int pending() const { return static_cast<int>(answers_.size()); }

private:
    void poll();

    QStringList texts_;
    QStringList titles_;
    QList<QStringList> buttons_;
    std::deque<QMessageBox::StandardButton> answers_;
    std::function<void(QWidget*)> handler_;
    // The context of the polls still due: a test that failed before its
    // message box came leaves answers behind, and their polls end with the
    // answerer instead of reaching it in the next test.
    QObject timers_;
};

} // namespace kestrel::test
