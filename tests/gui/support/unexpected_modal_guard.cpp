#include "support/unexpected_modal_guard.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

#include <gtest/gtest.h>

namespace kestrel::test {

namespace {
constexpr std::chrono::milliseconds kTick{100};
}

UnexpectedModalGuard::UnexpectedModalGuard(std::chrono::milliseconds patience) : patience_(patience)
{
    connect(&timer_, &QTimer::timeout, this, &UnexpectedModalGuard::look);
    timer_.start(kTick);
}

QString UnexpectedModalGuard::describe(const QWidget& modal)
{
    QString said = QString::fromLatin1(modal.metaObject()->className()) + " \"" + modal.windowTitle() + '"';
    if (const auto* box = qobject_cast<const QMessageBox*>(&modal))
        said += ": " + box->text();
    return said;
}

void UnexpectedModalGuard::look()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal != seen_ || inHand_ > 0) {
        seen_ = modal;
        ticksSeen_ = 0;
        return;
    }
    if (++ticksSeen_ * kTick < patience_)
        return;
    ADD_FAILURE() << "a dialog nobody answers: " << describe(*modal).toStdString();
    seen_ = nullptr;
    ticksSeen_ = 0;
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace kestrel::test
