#pragma once
// A process started in a job of its own, so that a test can wait for it and for everything it
// starts (the uninstaller copies itself to the temporary folder, starts the copy and ends at
// once; the program starts its updater).
#include "Framework.h"
#include <string>

namespace packaging {

class JobProcess {
public:
    // commandLine as the system gets it (the caller quotes the program's path); directory is the
    // working folder, which must not be one the test wants removed.
    JobProcess(const std::string& commandLine, const std::string& directory);
    // Ends whatever still runs.
    ~JobProcess();
    JobProcess(const JobProcess&) = delete;
    JobProcess& operator=(const JobProcess&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    DWORD ProcessId() const { return m_processId; }
    // Waits until no process of the job runs; false when some still do at the deadline.
    bool WaitForAll(DWORD timeoutMs) const;
    // The first process's exit code; STILL_ACTIVE while it runs.
    DWORD ExitCode() const;
    bool AllEnded() const;

private:
    UniqueKernelHandle m_job;
    UniqueKernelHandle m_process;
    DWORD m_processId = 0;
};

} // namespace packaging
