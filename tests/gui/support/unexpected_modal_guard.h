#pragma once
// A dialog no test arranged an answer for would wait for a user who never
// comes, and the test program would hang until ctest gives up on it. The
// guard looks for a modal window every tenth of a second; one that is still
// up after a few seconds (an arranged answer comes within milliseconds)
// fails the running test with its title and text and is closed, so the
// test goes on to its end and the run to the next test.
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace kestrel::test {

class UnexpectedModalGuard : public QObject {
public:
    // While one lives, a test is working a modal window on purpose (a
    // wizard driven key by key), however long that takes.
    class ModalInHand {
    public:
        ModalInHand() { ++inHand_; }
        ~ModalInHand() { --inHand_; }
        ModalInHand(const ModalInHand&) = delete;
        ModalInHand& operator=(const ModalInHand&) = delete;
    };

    explicit UnexpectedModalGuard(std::chrono::milliseconds patience);

    // What a failure says of the modal window: its class, title and text.
    static QString describe(const QWidget& modal);

private:
    void look();

    static inline int inHand_ = 0;
    std::chrono::milliseconds patience_;
    QTimer timer_;
    QPointer<QWidget> seen_;
    int ticksSeen_ = 0;
};

} // namespace kestrel::test
