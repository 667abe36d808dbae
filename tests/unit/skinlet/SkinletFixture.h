#pragma once
#include "SkinletTestSupport.h"
#include <gtest/gtest.h>

namespace skintest {

// Every test starts and ends with the library stopped, whatever it did in between.
class SkinletTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(Library().module, nullptr) << "cannot load " << BinFolder() << "\\Skinlet.dll";
        Library().stop();
    }
    void TearDown() override { Library().stop(); }
};

// The colours a skinned dialog shows, checked against the values of a skin file.
void ExpectDialogLooksOf(HWND dialog, const std::string& skinFile);

} // namespace skintest
