#pragma once
// Worker threads. A CWinThread is created by AfxBeginThread; with m_bAutoDelete (the
// default) it deletes itself when its thread ends, otherwise its creator owns it and may wait
// on m_hThread before deleting it.
#include <windows.h>

using AFX_THREADPROC = UINT (*)(LPVOID);

class CWinThread {
public:
    CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param) {}
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;
    virtual ~CWinThread();

    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }

    HANDLE m_hThread = nullptr;
    UINT m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    AFX_THREADPROC m_pfnThreadProc;
    LPVOID m_pThreadParams;
};

// Starts proc(param) on a new thread; null when the thread cannot be created. With
// CREATE_SUSPENDED in flags the thread waits for ResumeThread (so m_bAutoDelete can be set
// first).
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
// Ends the calling thread with exitCode; deletes its CWinThread when asked and it is
// auto-deleting. Objects on the thread's stack are not destroyed.
[[noreturn]] void AfxEndThread(UINT exitCode, BOOL deleteThread = TRUE);
// The CWinThread of the calling thread, or null.
CWinThread* AfxGetThread();
