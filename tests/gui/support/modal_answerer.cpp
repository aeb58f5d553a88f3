#include "support/modal_answerer.h"

#include "support/unexpected_modal_guard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace kestrel::test {

void ModalAnswerer::answerMessageBoxes(QMessageBox::StandardButton button, int count)
{
    answers_.insert(answers_.end(), static_cast<std::size_t>(count), button);
    QTimer::singleShot(0, &timers_, [this] { poll(); });
}

void ModalAnswerer::handleNextModal(std::function<void(QWidget*)> handle)
{
    handler_ = std::move(handle);
    QTimer::singleShot(0, &timers_, [this] { poll(); });
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal); box && !answers_.empty()) {
        texts_ << box->text();
        titles_ << box->windowTitle();
        QStringList captions;
        for (QAbstractButton* button : box->buttons())
            captions << button->text();
        buttons_ << captions;
        const QMessageBox::StandardButton answer = answers_.front();
        answers_.pop_front();
        if (QAbstractButton* b = box->button(answer))
            b->click();
        else
            box->reject();
    } else if (modal && !qobject_cast<QMessageBox*>(modal) && handler_) {
        auto handle = std::move(handler_);
        handler_ = nullptr;
        const UnexpectedModalGuard::ModalInHand inHand;
        handle(modal);
    }
    if (!answers_.empty() || handler_)
        QTimer::singleShot(10, &timers_, [this] { poll(); });
}

} // namespace kestrel::test
