// The core's message boxes reach the user as Qt message boxes with the
// buttons, default, title and text the core asked for.
#include "gui/common/message_box_sink.h"

#include "support/modal_answerer.h"

#include <QMessageBox>

#include <gtest/gtest.h>

namespace kestrel {
namespace {

TEST(MessageBoxSink, ShowsTheTextAndReturnsTheButtonPressed)
{
    gui::MessageBoxSink sink;
    test::ModalAnswerer answerer;

    answerer.answerMessageBoxes(QMessageBox::Ok);
    sink.inform("Could not create the procedure.\r\nBe sure that specifications have been entered.");
    ASSERT_EQ(answerer.texts().size(), 1);
    EXPECT_EQ(answerer.texts()[0], "Could not create the procedure.\nBe sure that specifications have been entered.");
    EXPECT_EQ(answerer.titles()[0], "Kestrel");

    answerer.answerMessageBoxes(QMessageBox::Cancel);
    EXPECT_FALSE(sink.ask("Really delete the 2 v range?", "Warning", MessageIcon::Exclamation));
    EXPECT_EQ(answerer.titles()[1], "Warning");

    answerer.answerMessageBoxes(QMessageBox::No);
    EXPECT_EQ(sink.show({"Save changes before exiting?", "", MessageButtons::YesNoCancel, MessageIcon::Question,
                  MessageAnswer::Yes}),
        MessageAnswer::No);
}

} // namespace
} // namespace kestrel
