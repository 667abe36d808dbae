// Dialogs: binding, template initialisation data, data exchange, modal runs.
#include "TestSupport.h"
#include "res/resource.h"
#include <gtest/gtest.h>

namespace {
// The main template with a plain dialog class: only what the framework itself does.
class PlainMainDialog : public CDialog {
public:
    PlainMainDialog() : CDialog(IDD_MAIN) {}
    CString status;
    CString period;
    CComboBox unit;
    bool initialised = false;
    bool endDuringInit = false;
    UINT postDuringInit = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        initialised = true;
        if (endDuringInit) EndDialog(1);
        if (postDuringInit) PostMessage(WM_COMMAND, postDuringInit);
        return TRUE;
    }

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_CHECK_PERIOD_UNIT, unit);
        DDX_Text(dx, IDC_STATUS, status);
        DDX_Text(dx, IDC_CHECK_PERIOD_NUM, period);
    }
};

// A control that takes a message away from the dialog manager's loop and ends the dialog.
class Interceptor : public CWnd {
public:
    UINT seen = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message != WM_APP + 7) return FALSE;
        seen = msg->message;
        ::EndDialog(::GetParent(m_hWnd), 42);
        return TRUE;
    }
};
} // namespace

TEST(DialogTest, ModelessCreationBindsTheObjectAndRunsTheTemplateData)
{
    PlainMainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(&dialog, CWnd::FromHandlePermanent(dialog.m_hWnd));
    ASSERT_EQ(2, dialog.unit.GetCount());
    CString item;
    dialog.unit.GetLBText(0, item);
    EXPECT_STREQ("Minutes", item);
    dialog.unit.GetLBText(1, item);
    EXPECT_STREQ("Hours", item);
    EXPECT_EQ(&dialog.unit, CWnd::FromHandlePermanent(dialog.GetDlgItem(IDC_CHECK_PERIOD_UNIT)));
}

TEST(DialogTest, TextExchangeMovesBothWaysAndWritesOnlyChangedTexts)
{
    PlainMainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    // The first exchange replaced the template's "Status" with the empty member.
    EXPECT_STREQ("", qvtest::ItemText(dialog.m_hWnd, IDC_STATUS));

    qvtest::MessageLog log(dialog.GetDlgItem(IDC_STATUS));
    dialog.status = " Connected";
    dialog.UpdateData(FALSE);
    dialog.UpdateData(FALSE);
    EXPECT_EQ(1u, log.Count(WM_SETTEXT));
    EXPECT_STREQ(" Connected", qvtest::ItemText(dialog.m_hWnd, IDC_STATUS));

    ::SetDlgItemTextA(dialog.m_hWnd, IDC_CHECK_PERIOD_NUM, "  15abc");
    dialog.UpdateData(TRUE);
    EXPECT_STREQ("  15abc", dialog.period);
    EXPECT_STREQ(" Connected", dialog.status);
}

TEST(DialogTest, EndingDuringInitialisationSkipsTheModalLoop)
{
    PlainMainDialog dialog;
    dialog.endDuringInit = true;
    EXPECT_EQ(1, dialog.DoModal());
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(nullptr, dialog.m_hWnd);
}

TEST(DialogTest, ModalRunEndsWithTheCommandsResult)
{
    struct Case {
        UINT command;
        INT_PTR result;
    };
    for (Case c : {Case{IDOK, IDOK}, Case{IDCANCEL, IDCANCEL}}) {
        PlainMainDialog dialog;
        dialog.postDuringInit = c.command;
        EXPECT_EQ(c.result, dialog.DoModal()) << c.command;
        EXPECT_EQ(nullptr, dialog.m_hWnd);
    }
}

TEST(DialogTest, OkExchangesFromTheControlsBeforeEnding)
{
    PlainMainDialog dialog;
    ASSERT_TRUE(dialog.Create());
    ::SetDlgItemTextA(dialog.m_hWnd, IDC_CHECK_PERIOD_NUM, "30");
    dialog.SendMessage(WM_COMMAND, IDOK);
    EXPECT_TRUE(dialog.HasEnded());
    EXPECT_EQ(IDOK, dialog.GetModalResult());
    EXPECT_STREQ("30", dialog.period);
}

TEST(DialogTest, ControlsSeeTheirMessagesFirstInsideTheDialogManagersLoop)
{
    class Host : public PlainMainDialog {
    public:
        Interceptor control;
        BOOL OnInitDialog() override
        {
            PlainMainDialog::OnInitDialog();
            control.SubclassDlgItem(IDC_QUIT, this);
            control.PostMessage(WM_APP + 7);
            return TRUE;
        }
    } dialog;
    EXPECT_EQ(42, dialog.DoModal());
    EXPECT_EQ(static_cast<UINT>(WM_APP + 7), dialog.control.seen);
}
