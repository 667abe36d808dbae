#include "Dialog.h"
#include "App.h"
#include <array>
#include <cstring>

IMPLEMENT_RUNTIME_CLASS(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    MapMessage<WM_INITDIALOG, &CDialog::HandleInitDialog>(),
    MapCommand<IDOK, &CDialog::HandleOK>(),
    MapCommand<IDCANCEL, &CDialog::HandleCancel>(),
END_MESSAGE_MAP()

namespace {
thread_local CDialog* t_creatingDialog = nullptr;

// Controls of the system's dialog manager loops (DialogBox, MessageBox) still get their
// PreTranslateMessage: the dialog manager offers every message to this filter first.
thread_local HHOOK t_filterHook = nullptr;
thread_local int t_filterUsers = 0;

LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg && CWnd::WalkPreTranslateTree(msg)) return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class FilterScope {
public:
    FilterScope()
    {
        if (t_filterUsers++ == 0)
            t_filterHook = ::SetWindowsHookExA(WH_MSGFILTER, &MessageFilter, nullptr, ::GetCurrentThreadId());
    }
    FilterScope(const FilterScope&) = delete;
    FilterScope& operator=(const FilterScope&) = delete;
    ~FilterScope()
    {
        if (--t_filterUsers == 0 && t_filterHook) ::UnhookWindowsHookEx(std::exchange(t_filterHook, nullptr));
    }
};

HWND OwnerFor(CWnd* parent)
{
    if (parent && parent->m_hWnd) return parent->m_hWnd;
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd && app->m_pMainWnd->m_hWnd) return app->m_pMainWnd->m_hWnd;
    return nullptr;
}
} // namespace

CDialog::~CDialog()
{
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::DestroyWindow(m_hWnd); // its WM_NCDESTROY unbinds this object
    }
}

INT_PTR CDialog::DoModal()
{
    if (m_hWnd) return -1;
    m_bModal = true;
    m_bEnded = false;
    m_nModalResult = -1;
    FilterScope filter;
    HWND owner = OwnerFor(m_pParentWnd);
    // The main window of the application is its own owner's owner: never own oneself.
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this) owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CDialog* outer = std::exchange(t_creatingDialog, this);
    INT_PTR result = ::DialogBoxParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate), owner,
                                       &FwDialogProcedure, 0);
    if (t_creatingDialog == this) t_creatingDialog = outer;
    m_bModal = false;
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    if (m_hWnd) return FALSE;
    if (templateId) m_nIDTemplate = templateId;
    if (parent) m_pParentWnd = parent;
    m_bModal = false;
    m_bEnded = false;
    m_nModalResult = -1;
    CDialog* outer = std::exchange(t_creatingDialog, this);
    HWND hWnd = ::CreateDialogParamA(AfxGetResourceHandle(), MAKEINTRESOURCEA(m_nIDTemplate),
                                     m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr, &FwDialogProcedure, 0);
    if (t_creatingDialog == this) t_creatingDialog = outer;
    return hWnd != nullptr;
}

void CDialog::EndDialog(int result)
{
    m_bEnded = true;
    m_nModalResult = result;
    // Modal: the dialog manager ends its loop. Modeless: the window is hidden and stays
    // until the object is destroyed, so a test can still read its state.
    if (m_hWnd) ::EndDialog(m_hWnd, result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    if (!m_hWnd) return FALSE;
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_nIDTemplate);
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

BOOL CDialog::ExecuteDlgInit(UINT templateId)
{
    // The data: records of WORD control id, WORD message, DWORD length and that many bytes
    // (the text with its terminating zero), ended by a control id of 0.
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC info = ::FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(kDialogInitResourceType));
    if (!info) return TRUE;
    HGLOBAL data = ::LoadResource(module, info);
    const auto* p = static_cast<const BYTE*>(data ? ::LockResource(data) : nullptr);
    if (!p) return FALSE;
    const BYTE* end = p + ::SizeofResource(module, info);
    while (p + 2 <= end) {
        WORD id = 0;
        std::memcpy(&id, p, 2);
        if (id == 0 || p + 8 > end) break;
        WORD message = 0;
        DWORD length = 0;
        std::memcpy(&message, p + 2, 2);
        std::memcpy(&length, p + 4, 4);
        p += 8;
        if (length > static_cast<DWORD>(end - p)) return FALSE;
        // The stored message is the 16-bit numbering: WM_USER + 3 stands for CB_ADDSTRING.
        UINT sent = message == WM_USER + 3 ? CB_ADDSTRING : message;
        std::string text(reinterpret_cast<const char*>(p), length);
        text.resize(std::strlen(text.c_str()));
        ::SendDlgItemMessageA(m_hWnd, id, sent, 0, reinterpret_cast<LPARAM>(text.c_str()));
        p += length;
    }
    return TRUE;
}

INT_PTR CALLBACK FwDialogProcedure(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (CWnd::FromHandlePermanent(hWnd)) return FALSE; // bound: our window procedure runs first
    CDialog* dialog = t_creatingDialog;
    if (!dialog) return FALSE;
    t_creatingDialog = nullptr;
    auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&FwWindowProcedure)));
    dialog->Bind(hWnd, previous);
    // This first message arrived through the dialog manager: hand it to the object now.
    return static_cast<INT_PTR>(FwWindowProcedure(hWnd, message, wParam, lParam));
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd);
}

namespace {
// The controls that text exchanges found, by dialog and id. Under Wine every GetDlgItem lists
// the dialog's children through the window server, and a dialog that exchanges its texts
// every second would do so for every text; a control found once is only checked again (all
// answered in the process). A control that is gone is looked up anew.
struct FoundItem {
    HWND dialog;
    int id;
    HWND item;
};
constexpr size_t kFoundItems = 64;
thread_local std::array<FoundItem, kFoundItems> t_foundItems{};
thread_local size_t t_nextFoundItem = 0;

HWND FindDlgItem(HWND dialog, int id)
{
    for (FoundItem& found : t_foundItems) {
        if (found.dialog != dialog || found.id != id || !found.item) continue;
        if (::IsWindow(found.item) && ::GetParent(found.item) == dialog && ::GetDlgCtrlID(found.item) == id)
            return found.item;
        found = {};
    }
    HWND item = ::GetDlgItem(dialog, id);
    if (item) t_foundItems[t_nextFoundItem++ % kFoundItems] = {dialog, id, item};
    return item;
}
} // namespace

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND item = FindDlgItem(dx->m_pDlgWnd->m_hWnd, id);
    if (!item) return;
    int length = ::GetWindowTextLengthA(item);
    std::string current(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    int got = ::GetWindowTextA(item, current.data(), static_cast<int>(current.size()));
    current.resize(static_cast<size_t>(got > 0 ? got : 0));
    if (dx->m_bSaveAndValidate) {
        value = CString(current);
    } else if (current != value.str()) {
        ::SetWindowTextA(item, value);
    }
}
