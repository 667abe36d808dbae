// Text exchange finds each dialog's own controls, also when a control is made anew.
#include "TestSupport.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {
class StatusDialog : public CDialog {
public:
    StatusDialog() : CDialog(IDD_MAIN) {}
    CString status;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Text(dx, IDC_STATUS, status); }
};

} // namespace

TEST(ExchangeLookupTest, EachDialogGetsItsOwnTexts)
{
    StatusDialog first, second;
    ASSERT_TRUE(first.Create());
    ASSERT_TRUE(second.Create());
    for (int round = 0; round < 3; ++round) {
        first.status.Format("first %d", round);
        second.status.Format("second %d", round);
        first.UpdateData(FALSE);
        second.UpdateData(FALSE);
        EXPECT_STREQ(first.status, qvtest::ItemText(first.m_hWnd, IDC_STATUS)) << round;
        EXPECT_STREQ(second.status, qvtest::ItemText(second.m_hWnd, IDC_STATUS)) << round;
    }
}

TEST(ExchangeLookupTest, AControlMadeAnewWithTheSameIdIsFound)
{
    StatusDialog dialog;
    ASSERT_TRUE(dialog.Create());
    dialog.status = "before";
    dialog.UpdateData(FALSE);
    ASSERT_STREQ("before", qvtest::ItemText(dialog.m_hWnd, IDC_STATUS));

    ::DestroyWindow(dialog.GetDlgItem(IDC_STATUS));
    HWND made = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 50, 10, dialog.m_hWnd,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS)), nullptr, nullptr);
    ASSERT_NE(made, nullptr);
    dialog.status = "after";
    dialog.UpdateData(FALSE);
    EXPECT_STREQ("after", qvtest::ItemText(dialog.m_hWnd, IDC_STATUS));
    ::SetWindowTextA(made, "typed");
    dialog.UpdateData(TRUE);
    EXPECT_STREQ("typed", dialog.status);
}
