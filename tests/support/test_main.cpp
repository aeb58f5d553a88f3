#include "environment.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    kestrel::test::pinTestEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
