// The main of the tests that run the programs (end to end, the benchmark's):
// a virtual display of the process's own, which the programs a test starts
// inherit, then the tests.
#include <gtest/gtest.h>

#include "support/PrivateDisplay.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (!testing::GTEST_FLAG(list_tests)) usePrivateDisplay();
    return RUN_ALL_TESTS();
}
