#pragma once
// Makes the preferences key readable but not writable for the object's life: its access list
// grants reading only, so creating or opening it for all access fails as on a locked-down
// profile. The full access list is put back at the end (the sandbox can then be removed).
#include "StoredPreferences.h"
#include <sddl.h>

namespace qvtest {

class ReadOnlyPreferences {
public:
    ReadOnlyPreferences()
    {
        HKEY key = nullptr;
        // Kept open with the right to change the access list back.
        EXPECT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(HKEY_CURRENT_USER, kPreferencesPath, 0, nullptr, 0,
                                                    KEY_ALL_ACCESS | WRITE_DAC, nullptr, &key, nullptr));
        m_key.reset(key);
        SetAccess("D:P(A;;KR;;;WD)");
    }
    ~ReadOnlyPreferences() { SetAccess("D:P(A;;KA;;;WD)"); }
    ReadOnlyPreferences(const ReadOnlyPreferences&) = delete;
    ReadOnlyPreferences& operator=(const ReadOnlyPreferences&) = delete;

private:
    void SetAccess(const char* sddl)
    {
        PSECURITY_DESCRIPTOR sd = nullptr;
        ASSERT_TRUE(::ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &sd, nullptr));
        EXPECT_EQ(ERROR_SUCCESS, ::RegSetKeySecurity(m_key.get(), DACL_SECURITY_INFORMATION, sd));
        ::LocalFree(sd);
    }
    UniqueKey m_key;
};

} // namespace qvtest
