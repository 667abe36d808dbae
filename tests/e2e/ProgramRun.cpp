#include "ProgramRun.h"
#include "WindowQuery.h"
#include <gtest/gtest.h>

namespace e2e {

namespace {

constexpr DWORD kGraceMs = 10000;

std::string TestsFolder() { return qvtest::ExecutableFolder(); }

std::string ParentOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

// The probe library, loaded here once; the hook procedure's address is the same in the
// program, where the system loads the library from the same path.
HMODULE ProbeModule()
{
    static HMODULE module = ::LoadLibraryA((TestsFolder() + "\\qvprobe.dll").c_str());
    return module;
}

} // namespace

std::string BuildBinFolder() { return ParentOf(TestsFolder()) + "\\bin"; }
std::string StandInFolder() { return TestsFolder() + "\\standins"; }

bool WriteWholeFile(const std::string& path, std::string_view bytes)
{
    UniqueKernelHandle file(
        ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        file.release();
        return false;
    }
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return done();
        ::Sleep(50);
    }
}

ProgramFolder::ProgramFolder(const FolderContents& contents)
{
    const std::string bin = BuildBinFolder();
    auto copy = [&](const std::string& from, const char* name) {
        if (!::CopyFileA(from.c_str(), File(name).c_str(), FALSE))
            ADD_FAILURE() << "cannot copy " << from << " (error " << ::GetLastError() << ")";
    };
    copy(bin + "\\Quorvex.exe", "Quorvex.exe");
    copy(StandInFolder() + "\\UpdateApp.exe", "UpdateApp.exe");
    if (contents.skinlet) copy(bin + "\\Skinlet.dll", "Skinlet.dll");
    static constexpr char kGarbage[] = "\x7f\x01\xff\xfe garbage {{{ ;; no skin here\r\n\0\x80\x81";
    switch (contents.skin) {
    case SkinFile::Shipped: copy(bin + "\\skin.smf", "skin.smf"); break;
    case SkinFile::Missing: break;
    case SkinFile::Garbage: EXPECT_TRUE(WriteWholeFile(File("skin.smf"), {kGarbage, sizeof kGarbage})); break;
    case SkinFile::Empty: EXPECT_TRUE(WriteWholeFile(File("skin.smf"), {})); break;
    }
}

ProgramRun::ProgramRun(const std::string& folder, const Options& options)
{
    m_job.reset(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    // Should this suite itself die, closing its handle ends everything the test started.
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(m_job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    const std::string path = folder + "\\" + options.program;
    const std::string directory = options.workingDirectory.empty() ? folder : options.workingDirectory;
    std::string commandLine = "\"" + path + "\"";
    if (!options.arguments.empty()) commandLine += " " + options.arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                          directory.c_str(), &startup, &info)) {
        ADD_FAILURE() << "CreateProcess " << commandLine << " failed: " << ::GetLastError();
        return;
    }
    m_process.reset(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    m_processId = info.dwProcessId;
    m_threadId = info.dwThreadId;
    EXPECT_TRUE(::AssignProcessToJobObject(m_job.get(), info.hProcess)) << ::GetLastError();
    if (HMODULE probe = ProbeModule()) {
        auto hook = reinterpret_cast<HOOKPROC>(::GetProcAddress(probe, "QvProbeHook"));
        m_hook.reset(::SetWindowsHookExA(WH_CALLWNDPROCRET, hook, probe, m_threadId));
    }
    EXPECT_TRUE(m_hook) << "the probe hook could not be set: " << ::GetLastError();
    ::ResumeThread(thread.get());
}

ProgramRun::~ProgramRun() { End(); }

bool ProgramRun::Finish(DWORD timeoutMs)
{
    if (!m_process) return false;
    // The OK command ends the modal run as the Enter key does; the dialog record's teardown
    // then removes the tray icon, which a killed process would leave behind.
    if (HWND window = FindMainWindow(m_processId, false)) ::PostMessageA(window, WM_COMMAND, IDOK, 0);
    return ::WaitForSingleObject(m_process.get(), timeoutMs) == WAIT_OBJECT_0 && WaitForJobEmpty(timeoutMs);
}

void ProgramRun::End()
{
    if (m_process && !Finish(kGraceMs)) {
        ::TerminateJobObject(m_job.get(), 1);
        ::WaitForSingleObject(m_process.get(), kGraceMs);
        WaitForJobEmpty(kGraceMs);
    }
}

HWND ProgramRun::WaitForMainWindow(DWORD timeoutMs) const
{
    HWND window = nullptr;
    PollUntil([&] { return HasEnded() || (window = FindMainWindow(m_processId, true)) != nullptr; }, timeoutMs);
    return window;
}

bool ProgramRun::HasEnded() const { return !m_process || ::WaitForSingleObject(m_process.get(), 0) == WAIT_OBJECT_0; }

bool ProgramRun::WaitForExit(DWORD* exitCode, DWORD timeoutMs) const
{
    if (!m_process || ::WaitForSingleObject(m_process.get(), timeoutMs) != WAIT_OBJECT_0) return false;
    return ::GetExitCodeProcess(m_process.get(), exitCode) != FALSE;
}

bool ProgramRun::WaitForExitWatchingWindows(DWORD* exitCode, bool* windowSeen, DWORD timeoutMs) const
{
    *windowSeen = false;
    PollUntil(
        [&] {
            *windowSeen = *windowSeen || !TopLevelWindows(m_processId).empty();
            return HasEnded();
        },
        timeoutMs);
    return WaitForExit(exitCode, 0);
}

bool ProgramRun::WaitForJobEmpty(DWORD timeoutMs) const
{
    return PollUntil(
        [&] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
            return ::QueryInformationJobObject(m_job.get(), JobObjectBasicAccountingInformation, &accounting,
                                               sizeof accounting, nullptr) &&
                   accounting.ActiveProcesses == 0;
        },
        timeoutMs);
}

} // namespace e2e
