// BenchMeasure.exe: one run of a program with a "Quorvex" main dialog, measured from outside.
//   BenchMeasure.exe <program.exe> <working folder> <idle seconds> <command|showwindow>
// Starts the program, times CreateProcess to its main dialog being visible (polled in 5 ms
// steps), reads its CPU time over <idle seconds> shown, hides it (the Minimize command, or
// ShowWindow SW_HIDE for a program without one), reads its CPU time over <idle seconds>
// hidden, reads its peak memory, then ends it with the OK command (or, failing that, ends it).
// Prints one line of key=value figures; exits non-zero when a step failed.
#include <windows.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include "Handle.h"
#include "UnixProcess.h"

namespace {
constexpr DWORD kPollMs = 5;
constexpr DWORD kVisibleDeadlineMs = 60000;
constexpr DWORD kHiddenDeadlineMs = 10000;
constexpr DWORD kEndDeadlineMs = 10000;
constexpr UINT kMinimizeCommand = 2;

struct Target {
    DWORD processId;
    HWND window;
};

BOOL CALLBACK FindVisibleMain(HWND window, LPARAM parameter)
{
    auto* target = reinterpret_cast<Target*>(parameter);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != target->processId || !::IsWindowVisible(window)) return TRUE;
    char className[16] = {};
    char title[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    ::GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, "#32770") != 0 || std::strcmp(title, "Quorvex") != 0) return TRUE;
    target->window = window;
    return FALSE;
}

HWND VisibleMainWindow(DWORD processId)
{
    Target target{processId, nullptr};
    ::EnumWindows(&FindVisibleMain, reinterpret_cast<LPARAM>(&target));
    return target.window;
}

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// User plus kernel time of the process so far, in milliseconds: from the kernel under Wine
// (UnixProcess.h), from the system elsewhere.
double CpuMilliseconds(HANDLE process, unsigned long unixPid)
{
    if (unixPid) return UnixCpuMilliseconds(unixPid);
    FILETIME created, exited, kernel, user;
    if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    auto ticks = [](const FILETIME& time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 10000.0;
}

int Fail(const char* step)
{
    std::printf("error=%s\n", step);
    std::fflush(stdout);
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: BenchMeasure.exe <program.exe> <working folder> <idle seconds> <command|showwindow>\n");
        return 1;
    }
    const std::string program = argv[1];
    const char* folder = argv[2];
    const DWORD idleMs = static_cast<DWORD>(std::strtoul(argv[3], nullptr, 10)) * 1000;
    const bool hideByCommand = std::strcmp(argv[4], "command") == 0;

    // A job of its own: whatever the program starts (its updater) ends with this run at the latest.
    UniqueKernelHandle job(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    // The desktop and its task bar are up before the program starts, as on a running system.
    // Wine ends its desktop process with the last window; without a window of our own, each
    // run would start it again inside the timed start-up.
    UniqueWindow keeper(::CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr));
    for (int wait = 0; wait < 1000 && !::FindWindowA("Shell_TrayWnd", nullptr); ++wait) ::Sleep(kPollMs);

    // A word of its own on the command line (the programs read none) finds its Unix process.
    char token[64];
    std::snprintf(token, sizeof token, "qvbench-%lu-%lu", ::GetCurrentProcessId(), ::GetTickCount());
    std::string commandLine = "\"" + program + "\" " + token;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    LARGE_INTEGER started;
    ::QueryPerformanceCounter(&started);
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                          &info))
        return Fail("createprocess");
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    ::AssignProcessToJobObject(job.get(), process.get());

    // Start-up: CreateProcess to the main dialog shown.
    HWND window = nullptr;
    LARGE_INTEGER now = started;
    for (;;) {
        window = VisibleMainWindow(info.dwProcessId);
        ::QueryPerformanceCounter(&now);
        if (window) break;
        if (Milliseconds(started, now) > kVisibleDeadlineMs) return Fail("not-visible");
        if (::WaitForSingleObject(process.get(), kPollMs) == WAIT_OBJECT_0) return Fail("ended-early");
    }
    const double startupMs = Milliseconds(started, now);
    unsigned long unixPid = 0;
    // The process shows its command line a moment after it starts; not under Wine, never.
    for (int attempt = 0; attempt < 20 && !unixPid && HasUnixProcesses(); ++attempt) {
        unixPid = FindUnixProcess(token);
        if (!unixPid) ::Sleep(50);
    }
    const double cpuAtVisible = CpuMilliseconds(process.get(), unixPid);

    // Idle, shown.
    if (::WaitForSingleObject(process.get(), idleMs) == WAIT_OBJECT_0) return Fail("ended-shown");
    const double cpuBeforeHide = CpuMilliseconds(process.get(), unixPid);

    // Hidden: measured from the moment the window is no longer visible.
    if (hideByCommand)
        ::PostMessageA(window, WM_COMMAND, kMinimizeCommand, 0);
    else
        ::ShowWindow(window, SW_HIDE);
    LARGE_INTEGER hideAsked;
    ::QueryPerformanceCounter(&hideAsked);
    while (::IsWindowVisible(window)) {
        ::QueryPerformanceCounter(&now);
        if (Milliseconds(hideAsked, now) > kHiddenDeadlineMs) return Fail("not-hidden");
        if (::WaitForSingleObject(process.get(), kPollMs) == WAIT_OBJECT_0) return Fail("ended-hiding");
    }
    const double cpuHidden = CpuMilliseconds(process.get(), unixPid);
    if (::WaitForSingleObject(process.get(), idleMs) == WAIT_OBJECT_0) return Fail("ended-hidden");
    const double cpuEnd = CpuMilliseconds(process.get(), unixPid);

    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    if (!::GetProcessMemoryInfo(process.get(), &memory, sizeof memory)) return Fail("memory");

    std::printf("startup_ms=%.1f cpu_start_ms=%.1f cpu_shown_ms=%.1f cpu_hide_ms=%.1f cpu_hidden_ms=%.1f "
                "peak_ws_kib=%zu peak_private_kib=%zu peak_rss_kib=%lu cpu_from=%s\n",
                startupMs, cpuAtVisible, cpuBeforeHide - cpuAtVisible, cpuHidden - cpuBeforeHide,
                cpuEnd - cpuHidden, memory.PeakWorkingSetSize / 1024, memory.PeakPagefileUsage / 1024,
                unixPid ? UnixPeakResidentKib(unixPid) : 0UL, unixPid ? "proc" : "system");
    std::fflush(stdout);

    // The OK command ends either program normally, so its tray icon goes with it.
    ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    if (::WaitForSingleObject(process.get(), kEndDeadlineMs) != WAIT_OBJECT_0) ::TerminateJobObject(job.get(), 1);
    return 0;
}
