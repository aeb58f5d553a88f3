#include "support/modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace kestrel::test {

void ModalAnswerer::answerMessageBoxes(QMessageBox::StandardButton button, int count)
{
    button_ = button;
    pending_ += count;
    QTimer::singleShot(0, [this] { poll(); });
}

void ModalAnswerer::handleNextModal(std::function<void(QWidget*)> handle)
{
    handler_ = std::move(handle);
    QTimer::singleShot(0, [this] { poll(); });
}

void ModalAnswerer::poll()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal); box && pending_ > 0) {
        texts_ << box->text();
        titles_ << box->windowTitle();
        --pending_;
        if (QAbstractButton* b = box->button(button_))
            b->click();
        else
            box->reject();
    } else if (modal && !qobject_cast<QMessageBox*>(modal) && handler_) {
        auto handle = std::move(handler_);
        handler_ = nullptr;
        handle(modal);
    }
    if (pending_ > 0 || handler_)
        QTimer::singleShot(10, [this] { poll(); });
}

} // namespace kestrel::test
