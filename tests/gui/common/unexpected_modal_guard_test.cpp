// The window tests' guard against a dialog nobody answers (support/): the
// test fails at once with the dialog's text instead of hanging.
#include "support/unexpected_modal_guard.h"

#include <QMessageBox>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace kestrel::test {
namespace {

TEST(UnexpectedModalGuard, FailsTheTestWithTheDialogsTextAndClosesIt)
{
    EXPECT_NONFATAL_FAILURE(
        {
            const UnexpectedModalGuard guard(std::chrono::milliseconds(300));
            QMessageBox box(
                QMessageBox::Warning, "Warning", "Really delete the 10 V range?", QMessageBox::Yes | QMessageBox::No);
            box.exec(); // returns once the guard closed it
        },
        "a dialog nobody answers: QMessageBox \"Warning\": Really delete the 10 V range?");
}

} // namespace
} // namespace kestrel::test
