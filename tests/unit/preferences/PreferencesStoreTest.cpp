// The registry helpers and the number conversion on their own.
#include "StoredPreferences.h"
#include "TestSupport.h"
#include "settings/Preferences.h"
#include "settings/Registry.h"
#include <gtest/gtest.h>
#include <climits>

TEST(PreferencesStoreTest, TheKeyIsSoftwareBackslashProduct)
{
    EXPECT_STREQ("SOFTWARE\\Quorvex", PreferencesKeyPath());
    EXPECT_STREQ(qvtest::kPreferencesPath, PreferencesKeyPath());
}

TEST(PreferencesStoreTest, StoringCreatesTheKeyAndWritesAFourByteDword)
{
    qvtest::RegistrySandbox registry;
    ASSERT_FALSE(qvtest::PreferencesKeyExists());
    EXPECT_EQ(ERROR_SUCCESS, StorePreference(kNetwork, 0xFFFFFFFEu));
    qvtest::StoredValue stored = qvtest::ReadStored("Network");
    ASSERT_TRUE(stored.IsDword());
    EXPECT_EQ(0xFFFFFFFEu, stored.Dword());
    EXPECT_EQ(0xFFFFFFFEu, CPreferencesReader().Read(kNetwork));
}

TEST(PreferencesStoreTest, ReadingAnswersTheDefaultForMissingOrForeignValues)
{
    qvtest::RegistrySandbox registry;
    EXPECT_EQ(12u, CPreferencesReader().Read(kCheckPeriodNum)); // no key at all
    qvtest::StoreRaw("CheckPeriodNum", REG_SZ, "33", 3);
    qvtest::StoreDword("AccelerateN", 33);
    CPreferencesReader reader;
    EXPECT_EQ(12u, reader.Read(kCheckPeriodNum));
    EXPECT_EQ(33u, reader.Read(kAccelerateN));
    EXPECT_EQ(0u, reader.Read(kNetwork)); // key there, value missing
}

TEST(PreferencesStoreTest, ReadingADwordReportsWhyItLeftTheValueAlone)
{
    qvtest::RegistrySandbox registry;
    qvtest::StoreRaw("short", REG_DWORD, "\x05\x00", 2);
    qvtest::StoreRaw("long", REG_QWORD, "\x05\x00\x00\x00\x00\x00\x00\x00", 8);
    qvtest::StoreDword("good", 5);
    UniqueKey key;
    ASSERT_EQ(ERROR_SUCCESS, OpenRegistryKey(HKEY_CURRENT_USER, qvtest::kPreferencesPath, KEY_QUERY_VALUE, key));
    const struct {
        const char* name;
        LSTATUS status;
        DWORD value;
    } cases[] = {
        {"short", ERROR_INVALID_DATATYPE, 77},
        {"long", ERROR_MORE_DATA, 77},
        {"missing", ERROR_FILE_NOT_FOUND, 77},
        {"good", ERROR_SUCCESS, 5},
    };
    for (const auto& c : cases) {
        DWORD value = 77;
        EXPECT_EQ(c.status, ReadRegistryDword(key.get(), c.name, value)) << c.name;
        EXPECT_EQ(c.value, value) << c.name;
    }
    DWORD untouched = 77;
    EXPECT_NE(ERROR_SUCCESS, ReadRegistryDword(nullptr, "good", untouched));
    EXPECT_EQ(77u, untouched);
}

TEST(PreferencesStoreTest, AtoiSaturatedFollowsAtoiWithinThirtyTwoBits)
{
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {nullptr, 0},       {"", 0},           {"12", 12},         {" \t\n\v\f\r12", 12}, {"12 34", 12},
        {"-0", 0},          {"--1", 0},        {"+-1", 0},         {"1e3", 1},            {"\xA0" "5", 0},
        {"2147483646", 2147483646},            {"-2147483647", -2147483647},
        {"4294967295", INT_MAX},               {"-4294967296", INT_MIN},
        {"000000000000000000000000000042", 42},
    };
    for (const auto& c : cases) EXPECT_EQ(c.value, AtoiSaturated(c.text)) << (c.text ? c.text : "(null)");
}
