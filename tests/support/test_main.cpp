// Every test program starts from the same pinned environment: the C library
// formats numbers with ".", and the user's default locale reads as US English
// unless a test sets another one itself. Tests that need a comma pass ","
// as the decimal separator explicitly.
#include "environment.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv)
{
    std::setlocale(LC_ALL, "C");
    using namespace kestrel::test;
    unsetEnvironment("LC_ALL");
    unsetEnvironment("LC_NUMERIC");
    unsetEnvironment("LC_MESSAGES");
    setEnvironment("LANG", "en_US.UTF-8");
    unsetEnvironment("KESTREL_CONFIG_DIR");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
