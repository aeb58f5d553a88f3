// Every test program starts from the same pinned environment: the C library
// formats numbers with ".", and the user's default locale reads as US English
// unless a test sets another one itself. Tests that need a comma pass ","
// as the decimal separator explicitly.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    ::unsetenv("LC_ALL");
    ::unsetenv("LC_NUMERIC");
    ::setenv("LANG", "en_US.UTF-8", 1);
    ::unsetenv("KESTREL_CONFIG_DIR");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
