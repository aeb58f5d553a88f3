// The window tests' main: the pinned environment of every test program,
// Qt's offscreen platform (no display needed), and one QApplication for
// the whole run, watched for dialogs nobody answers.
#include "support/environment.h"
#include "support/unexpected_modal_guard.h"

#include "gui/common/caption_fitting.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <chrono>
#include <clocale>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    kestrel::test::pinTestEnvironment();
    if (!std::getenv("QT_QPA_PLATFORM"))
        kestrel::test::setEnvironment("QT_QPA_PLATFORM", "offscreen");
#ifdef _WIN32
    // Qt's offscreen platform on Windows reads the fonts of one folder
    // only: the system's. (Wine passes no QT_ variable through.)
    if (!std::getenv("QT_QPA_FONTDIR"))
        if (const char* windows = std::getenv("WINDIR"))
            kestrel::test::setEnvironment("QT_QPA_FONTDIR", std::string(windows) + "\\Fonts");
#endif
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    kestrel::gui::useFittingCaptions(app);
    std::setlocale(LC_NUMERIC, "C"); // QApplication adopts the environment's; numbers stay "."
    ::testing::InitGoogleTest(&argc, argv);
    // Wine is slow to paint a dialog, never to answer one: five seconds
    // are far beyond an arranged answer and far below ctest's limit.
    const kestrel::test::UnexpectedModalGuard guard(std::chrono::seconds(5));
    return RUN_ALL_TESTS();
}
