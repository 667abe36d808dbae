#include "Thread.h"
#include <process.h>

namespace {
thread_local CWinThread* t_thread = nullptr;

unsigned __stdcall ThreadEntry(void* arg)
{
    auto* thread = static_cast<CWinThread*>(arg);
    t_thread = thread;
    UINT code = thread->m_pfnThreadProc(thread->m_pThreadParams);
    AfxEndThread(code, TRUE);
}
} // namespace

CWinThread::~CWinThread()
{
    if (m_hThread) ::CloseHandle(m_hThread);
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES security)
{
    // Owned by the thread itself once it runs (auto-delete), or handed to the caller.
    auto* thread = new CWinThread(proc, param);
    unsigned id = 0;
    uintptr_t handle = ::_beginthreadex(security, stackSize, &ThreadEntry, thread, CREATE_SUSPENDED, &id);
    if (!handle) {
        delete thread;
        return nullptr;
    }
    thread->m_hThread = reinterpret_cast<HANDLE>(handle);
    thread->m_nThreadID = id;
    ::SetThreadPriority(thread->m_hThread, priority);
    if (!(flags & CREATE_SUSPENDED)) thread->ResumeThread();
    return thread;
}

void AfxEndThread(UINT exitCode, BOOL deleteThread)
{
    CWinThread* thread = t_thread;
    t_thread = nullptr;
    if (thread && deleteThread && thread->m_bAutoDelete) delete thread;
    ::_endthreadex(exitCode);
    for (;;) {
    }
}

CWinThread* AfxGetThread() { return t_thread; }
