#include "statistics/ConnectionState.h"
#include <wininet.h>

InternetGetConnectedStateFunction g_pfnInternetGetConnectedState = &::InternetGetConnectedState;

namespace {
struct ConnectionTypeWord {
    DWORD flag;
    const char* word;
};

constexpr ConnectionTypeWord kConnectionTypeWords[] = {
    {INTERNET_CONNECTION_LAN, " LAN "},
    {INTERNET_CONNECTION_MODEM, " Modem "},
    {INTERNET_CONNECTION_OFFLINE, " Offline "},
    {INTERNET_CONNECTION_PROXY, " Proxy "},
};
} // namespace

CString ConnectionTypeText(DWORD flags)
{
    CString text;
    for (const auto& type : kConnectionTypeWords) {
        if (flags & type.flag) text += type.word;
    }
    return text;
}
