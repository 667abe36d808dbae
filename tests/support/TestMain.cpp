// The entry of every in-process suite: an application object (the framework's message boxes
// and resources need one) and GoogleTest.
#include "Framework.h"
#include <gtest/gtest.h>

namespace {
CWinApp g_testApp; // named after the test executable
} // namespace

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
