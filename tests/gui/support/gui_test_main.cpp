// The window tests' main: the pinned environment of every test program,
// Qt's offscreen platform (no display needed), and one QApplication for
// the whole run.
#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_NUMERIC");
    ::unsetenv("LC_MESSAGES");
    ::setenv("LANG", "en_US.UTF-8", 1);
    ::unsetenv("KESTREL_CONFIG_DIR");
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C"); // QApplication adopts the environment's; numbers stay "."
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
