#pragma once
// Starting the built program from another process: a fresh folder with its files, and one
// run of it inside a job object, so that it and everything it starts end with the test.
#include "Framework.h"
#include "TestSupport.h"
#include <string>
#include <string_view>

namespace e2e {

// What the folder holds besides Quorvex.exe and the stand-in UpdateApp.exe.
enum class SkinFile { Shipped, Missing, Garbage, Empty };
struct FolderContents {
    bool skinlet = true;
    SkinFile skin = SkinFile::Shipped;
};

// Where the built files are: <build>\bin (the program) and <build>\tests (this suite, the
// probe library, the stand-ins under standins\).
std::string BuildBinFolder();
std::string StandInFolder();

// A fresh folder with the program, its library and skin, and the stand-in updater, so that
// "UpdateApp.exe" started by the program is the stand-in, which records how it was started.
class ProgramFolder {
public:
    explicit ProgramFolder(const FolderContents& contents = {});
    const std::string& Path() const { return m_folder.Path(); }
    std::string File(const std::string& name) const { return m_folder.File(name); }

private:
    qvtest::TempFolder m_folder;
};

// One process of the program, started suspended in a job of its own with the probe hook
// (ProbeSnapshot.h) set on its thread before it runs. The destructor ends it: the OK command
// first, so it removes its tray icon, then the whole job.
class ProgramRun {
public:
    struct Options {
        std::string arguments;               // after the quoted program path
        std::string program = "Quorvex.exe"; // file name in the folder
        std::string workingDirectory;        // empty: the folder
    };
    explicit ProgramRun(const std::string& folder) : ProgramRun(folder, Options{}) {}
    ProgramRun(const std::string& folder, const Options& options);
    ~ProgramRun();
    ProgramRun(const ProgramRun&) = delete;
    ProgramRun& operator=(const ProgramRun&) = delete;

    bool Started() const { return static_cast<bool>(m_process); }
    DWORD ProcessId() const { return m_processId; }
    DWORD ThreadId() const { return m_threadId; }

    // The shown main dialog ("#32770" titled "Quorvex" with the acceleration button) of this
    // process; null when it has not come by the deadline or the process ended.
    HWND WaitForMainWindow(DWORD timeoutMs = kStartMs) const;
    // Waits for the process to end; its exit code, or nothing by the deadline.
    bool WaitForExit(DWORD* exitCode, DWORD timeoutMs = kEndMs) const;
    // Waits for the process to end while watching whether it ever has a top-level window.
    bool WaitForExitWatchingWindows(DWORD* exitCode, bool* windowSeen, DWORD timeoutMs = kEndMs) const;
    // Waits until no process of the job runs: the program and whatever it started.
    bool WaitForJobEmpty(DWORD timeoutMs = kEndMs) const;
    bool HasEnded() const;
    // Ends the program with the OK command and waits until it and everything it started have
    // ended; false when that did not happen by the deadline.
    bool Finish(DWORD timeoutMs = kEndMs);

    static constexpr DWORD kStartMs = 30000;
    static constexpr DWORD kEndMs = 30000;

private:
    void End();

    UniqueKernelHandle m_job;
    UniqueKernelHandle m_process;
    UniqueHook m_hook;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
};

// Polls done() in 50 ms steps until it holds or timeoutMs passes; returns done().
bool PollUntil(const std::function<bool()>& done, DWORD timeoutMs);

// Creates or replaces the file with exactly these bytes.
bool WriteWholeFile(const std::string& path, std::string_view bytes);

} // namespace e2e
