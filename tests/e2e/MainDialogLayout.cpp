#include "MainDialogLayout.h"
#include "res/resource.h"

namespace e2e {

namespace {

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kButtonMask = kChild | WS_TABSTOP | BS_TYPEMASK | BS_LEFTTEXT | BS_PUSHLIKE | BS_MULTILINE | BS_CENTER;
constexpr DWORD kStaticMask = kChild | WS_TABSTOP | SS_TYPEMASK | SS_SUNKEN;
constexpr DWORD kEditMask = kChild | WS_TABSTOP | WS_BORDER | ES_CENTER | ES_RIGHT | ES_MULTILINE | ES_AUTOHSCROLL;
constexpr DWORD kComboMask = kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT;

constexpr DWORD kPushButton = kChild | BS_PUSHBUTTON | BS_CENTER;
constexpr DWORD kLabel = kChild | SS_LEFT;
constexpr DWORD kValue = kChild | SS_LEFT | SS_SUNKEN;
constexpr DWORD kGroup = kChild | BS_GROUPBOX;
constexpr DWORD kRule = kChild | SS_BLACKFRAME | SS_SUNKEN;
constexpr DWORD kNumberEdit = kChild | WS_BORDER | ES_RIGHT | ES_AUTOHSCROLL;

constexpr const char* kRunning = "Status: accelerating\nPress to stop acceleration";
constexpr const char* kNoTime = " 0 hrs :  0 mins :  0 secs";

} // namespace

const ExpectedControl kMainDialogControls[30] = {
    {IDC_ACCELERATE, "Button", kButtonMask, kChild | WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE | BS_LEFTTEXT,
     nullptr, kRunning, 26, 16, 155, 33},
    {IDC_RUN_CLIENT, "Button", kButtonMask, kPushButton | BS_MULTILINE, "&Run Tessaline", "&Run Tessaline", 213, 16,
     37, 33},
    {IDCANCEL, "Button", kButtonMask, kPushButton, "&Minimize", "&Minimize", 213, 52, 37, 33},
    {IDC_QUIT, "Button", kButtonMask, kPushButton, "&Quit", "&Quit", 213, 88, 37, 33},
    {IDC_CHECK_PERIOD_NUM, "Edit", kEditMask, kNumberEdit, nullptr, nullptr, 91, 62, 17, 12},
    {IDC_CHECK_PERIOD_UNIT, "ComboBox", kComboMask, kChild | CBS_DROPDOWNLIST, nullptr, nullptr, 130, 62, 51, -1},
    {IDC_ACCELERATE_N, "Edit", kEditMask, kNumberEdit, nullptr, nullptr, 91, 81, 17, 12},
    {-1, "Static", kStaticMask, kLabel, "downloads", "downloads", 146, 83, 35, 8},
    {-1, "Static", kStaticMask, kLabel, "Check period", "Check period", 26, 64, 42, 8},
    {-1, "Static", kStaticMask, kLabel, "Accelerate first", "Accelerate first", 26, 83, 50, 8},
    {-1, "Static", kStaticMask, kChild | SS_CENTER, nullptr, nullptr, 3, 190, 261, 8},
    {-1, "Static", kStaticMask, kLabel, "Duration", "Duration", 11, 169, 28, 8},
    {-1, "Static", kStaticMask, kLabel, "Bytes Sent", "Bytes Sent", 127, 145, 45, 8},
    {-1, "Static", kStaticMask, kLabel, "Bytes Received", "Bytes Received", 127, 157, 49, 8},
    {IDC_DURATION, "Static", kStaticMask, kValue, nullptr, "", 41, 169, 83, 10},
    {IDC_BYTES_RECEIVED, "Static", kStaticMask, kValue, nullptr, "", 177, 157, 83, 10},
    {IDC_BYTES_SENT, "Static", kStaticMask, kValue, nullptr, "", 177, 145, 83, 10},
    {IDC_STATUS, "Static", kStaticMask, kValue, nullptr, "", 41, 157, 83, 10},
    {-1, "Static", kStaticMask, kLabel, "Status", "Status", 11, 157, 28, 8},
    {IDC_CONNECTION_TYPE, "Static", kStaticMask, kValue, nullptr, "", 41, 145, 83, 10},
    {IDC_TYPE_LABEL, "Static", kStaticMask, kLabel, "Type", "Type", 11, 145, 28, 8},
    {-1, "Button", kButtonMask, kGroup, "Acceleration Settings", "Acceleration Settings", 8, 4, 194, 124},
    {-1, "Button", kButtonMask, kGroup, "Statistics", "Statistics", 7, 135, 256, 50},
    {-1, "Static", kStaticMask, kRule, "", "", 12, 55, 185, 1},
    {-1, "Static", kStaticMask, kLabel, "DurationAcc", "DurationAcc", 127, 169, 45, 8},
    {IDC_ACCELERATION_TIME, "Static", kStaticMask, kValue, nullptr, kNoTime, 177, 169, 83, 10},
    {-1, "Button", kButtonMask, kGroup, "", "", 206, 4, 54, 124},
    {IDC_NETWORK, "ComboBox", kComboMask, kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN, nullptr, nullptr, 73, 110,
     124, -1},
    {IDC_NETWORK_LABEL, "Static", kStaticMask, kLabel, "Network Interface", "Network Interface", 12, 112, 60, 8},
    {-1, "Static", kStaticMask, kRule, "", "", 12, 101, 185, 1},
};

} // namespace e2e
