#include "HostileWorld.h"
#include "acceleration/CaptureRun.h"
#include "acceleration/LocalAddresses.h"
#include "dialog/ShellOpen.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace hostile {

namespace {
World* g_world = nullptr;

// The program's own functions, put back when the world ends.
struct Saved {
    GetIpAddrTableFn getIpAddrTable = g_pfnGetIpAddrTable;
    ShellExecuteFunction shellExecute = g_pfnShellExecute;
    int addressCount = g_nLocalAddressCount;
};
Saved g_saved;

DWORD WINAPI FakeGetIpAddrTable(PMIB_IPADDRTABLE table, PULONG size, BOOL)
{
    World& w = *g_world;
    if (w.addressAnswer) return *w.addressAnswer;
    const auto needed =
        static_cast<ULONG>(offsetof(MIB_IPADDRTABLE, table) + w.addresses.size() * sizeof(MIB_IPADDRROW));
    if (!table || *size < needed) {
        *size = needed;
        return ERROR_INSUFFICIENT_BUFFER;
    }
    table->dwNumEntries = w.claimedAddressCount.value_or(static_cast<DWORD>(w.addresses.size()));
    for (size_t i = 0; i < w.addresses.size(); ++i) {
        table->table[i].dwAddr = ::inet_addr(w.addresses[i].c_str());
        table->table[i].dwMask = 0x00FFFFFF;
    }
    *size = needed;
    return NO_ERROR;
}

HINSTANCE WINAPI RecordOpen(HWND, LPCSTR, LPCSTR file, LPCSTR, LPCSTR, INT)
{
    g_world->opened.emplace_back(file ? file : "");
    return reinterpret_cast<HINSTANCE>(g_world->shellAnswer);
}

std::string TextOf(HWND hWnd)
{
    char text[1024] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    return text;
}
} // namespace

std::string Text0(const std::string& text) { return text + '\0'; }
std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }
std::string Qword(unsigned long long value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

std::string OwnPath()
{
    char path[MAX_PATH] = {};
    const DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH); // the suite's own path is short
    return std::string(path, n < MAX_PATH ? n : 0);
}

World::World() : m_watcher([this] { WatchBoxes(); })
{
    using Stand = qvtest::InterfaceTableStandIn;
    table.rows = {Stand::Row("eth0", 10, 20, 100000000), Stand::Row("eth1", 30, 40, 100000000),
                  Stand::Row("eth2", 50, 60, 100000000)};
    g_world = this;
    g_saved = Saved{};
    g_pfnGetIpAddrTable = &FakeGetIpAddrTable;
    g_pfnShellExecute = &RecordOpen;
    m_savedMainWindow = AfxGetApp()->m_pMainWnd;
}

World::~World()
{
    if (m_dialog) {
        // No run outlives the dialog: the user's stop ends its worker.
        if (g_bAccelerating.load() && m_dialog->m_hWnd) m_dialog->OnAccelerate();
        m_dialog.reset();
    }
    machine.reset(); // while the current user's registry is still the sandbox that holds it
    AfxGetApp()->m_pMainWnd = m_savedMainWindow;
    m_stop = true;
    m_watcher.join();
    g_pfnGetIpAddrTable = g_saved.getIpAddrTable;
    g_pfnShellExecute = g_saved.shellExecute;
    g_nLocalAddressCount = g_saved.addressCount;
    g_world = nullptr;
}

void World::Store(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, ::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    UniqueKey owned(key);
    // The system counts a text's terminating zero for a caller who left it out when the byte
    // after the data is a zero: a byte that is none keeps the stored bytes exactly these.
    const std::string data = bytes + 'X';
    ASSERT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                                              static_cast<DWORD>(bytes.size())));
}

std::optional<RawValue> World::Stored(HKEY root, const char* path, const char* name)
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return std::nullopt;
    UniqueKey owned(key);
    RawValue value;
    DWORD size = 0;
    if (::RegQueryValueExA(key, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    value.bytes.resize(size);
    if (::RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.bytes.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    value.bytes.resize(size);
    return value;
}

void World::StorePreference(const char* name, DWORD type, const std::string& bytes)
{
    Store(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", name, type, bytes);
}

std::optional<DWORD> World::StoredPreference(const char* name)
{
    std::optional<RawValue> value = Stored(HKEY_CURRENT_USER, "SOFTWARE\\Quorvex", name);
    if (!value || value->type != REG_DWORD || value->bytes.size() != sizeof(DWORD)) return std::nullopt;
    DWORD number = 0;
    std::memcpy(&number, value->bytes.data(), sizeof number);
    return number;
}

std::shared_ptr<void> World::MachineKey()
{
    char path[96];
    std::snprintf(path, sizeof path, "Software\\QuorvexTests\\machine-%lu-%lu", ::GetCurrentProcessId(),
                  ::GetTickCount());
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, key);
    std::string remove = path;
    return std::shared_ptr<void>(key, [remove](HKEY opened) {
        ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
        ::RegCloseKey(opened);
        ::RegDeleteTreeA(HKEY_CURRENT_USER, remove.c_str());
    });
}

void World::OpenDialog()
{
    m_dialog = std::make_unique<CVelmoraDlg>();
    AfxGetApp()->m_pMainWnd = m_dialog.get();
    ASSERT_TRUE(m_dialog->Create());
    m_dialog->KillTimer(IDT_STATISTICS);
    m_dialog->KillTimer(IDT_ACCELERATION_CLOCK);
    qvtest::PumpPending(m_dialog->m_hWnd);
}

std::string World::Text(int id) const
{
    HWND item = ::GetDlgItem(m_dialog->m_hWnd, id);
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(item, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::vector<std::string> World::ListedInterfaces() const
{
    std::vector<std::string> entries;
    for (int i = 0; i < m_dialog->m_cbNetwork.GetCount(); ++i) {
        CString entry;
        m_dialog->m_cbNetwork.GetLBText(i, entry);
        entries.push_back(entry.str());
    }
    return entries;
}

bool World::Checked(UINT command)
{
    CMenu menu;
    menu.LoadMenu(IDR_TRAY_MENU);
    HMENU popup = ::GetSubMenu(menu.GetSafeHmenu(), 0);
    m_dialog->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    return (::GetMenuState(popup, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::vector<std::string> World::Boxes()
{
    std::lock_guard<std::mutex> lock(m_boxesLock);
    return m_boxes;
}

void World::WatchBoxes()
{
    std::vector<HWND> answered;
    while (!m_stop) {
        HWND box = nullptr;
        while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr))) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(box, &process);
            // A message box: its text is control 0xFFFF.
            HWND text = ::GetDlgItem(box, 0xFFFF);
            if (process != ::GetCurrentProcessId() || !text || !::IsWindowVisible(box)) continue;
            if (std::find(answered.begin(), answered.end(), box) != answered.end()) continue;
            answered.push_back(box);
            {
                std::lock_guard<std::mutex> lock(m_boxesLock);
                m_boxes.push_back(TextOf(text));
            }
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(10); // one polling step
    }
}

} // namespace hostile
