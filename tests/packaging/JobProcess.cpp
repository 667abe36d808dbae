#include "JobProcess.h"
#include "ProgramRun.h"
#include <gtest/gtest.h>

namespace packaging {

namespace {
constexpr DWORD kGraceMs = 5000;
} // namespace

JobProcess::JobProcess(const std::string& commandLine, const std::string& directory)
{
    m_job.reset(::CreateJobObjectA(nullptr, nullptr));
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    // Should the test itself die, closing its handle ends everything it started.
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    ::SetInformationJobObject(m_job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    // Suspended until it is in the job, so that nothing it starts can escape it.
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, directory.c_str(),
                          &startup, &info)) {
        ADD_FAILURE() << "CreateProcess " << commandLine << " failed: " << ::GetLastError();
        return;
    }
    m_process.reset(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    m_processId = info.dwProcessId;
    EXPECT_TRUE(::AssignProcessToJobObject(m_job.get(), info.hProcess)) << ::GetLastError();
    ::ResumeThread(thread.get());
}

JobProcess::~JobProcess()
{
    if (m_process && !WaitForAll(0)) {
        ::TerminateJobObject(m_job.get(), 1);
        WaitForAll(kGraceMs);
    }
}

bool JobProcess::WaitForAll(DWORD timeoutMs) const
{
    return e2e::PollUntil([&] { return AllEnded(); }, timeoutMs);
}

DWORD JobProcess::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process) ::GetExitCodeProcess(m_process.get(), &code);
    return code;
}

bool JobProcess::AllEnded() const
{
    JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting = {};
    return ::QueryInformationJobObject(m_job.get(), JobObjectBasicAccountingInformation, &accounting, sizeof accounting,
                                       nullptr) &&
           accounting.ActiveProcesses == 0;
}

} // namespace packaging
