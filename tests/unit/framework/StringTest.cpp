#include "Framework.h"
#include "res/resource.h"
#include <gtest/gtest.h>
#include <string>

TEST(CStringTest, FormatsWithoutALengthLimit)
{
    CString s;
    s.Format(" %2d hrs : %2d mins : %2d secs", 100, 0, 7);
    EXPECT_STREQ(" 100 hrs :  0 mins :  7 secs", s);
    std::string big(5000, 'x');
    s.Format("[%s]", big.c_str());
    EXPECT_EQ(5002, s.GetLength());
}

TEST(CStringTest, PartsAndComparisons)
{
    CString s("Fast Ethernet Adapter");
    EXPECT_STREQ("Fast", s.Left(4));
    EXPECT_STREQ("Ethernet Adapter", s.Mid(5));
    EXPECT_STREQ("Ether", s.Mid(5, 5));
    EXPECT_STREQ("", s.Mid(100));
    EXPECT_EQ(5, s.Find("Ether"));
    EXPECT_EQ(-1, s.Find("ether"));
    EXPECT_TRUE(s == "Fast Ethernet Adapter");
    EXPECT_STREQ("", CString(nullptr));
}

TEST(CStringTest, LoadsStringResources)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_ABOUTBOX));
    EXPECT_STREQ("&About Quorvex...", s);
    EXPECT_FALSE(s.LoadString(55555));
    EXPECT_TRUE(s.IsEmpty());
}
