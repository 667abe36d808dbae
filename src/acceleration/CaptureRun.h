#pragma once
// The capture side of an acceleration run: the socket that reads every IPv4 datagram of the
// chosen local address, and the one worker thread that drains it.
//
// Ownership: the user-interface thread opens the run's socket and is the only party that
// closes it (at the stop, which also wakes the worker's waiting receive); the stop then waits
// for the worker, so at most one worker ever exists. Leaving the program does not stop a run.
#include <winsock2.h>
#include <atomic>

// 1 while a run is on, 0 otherwise. Written by the user-interface thread only.
extern std::atomic<int> g_bAccelerating;
// The socket of the run that is on; INVALID_SOCKET when there is none (stopped, or the
// set-up failed).
extern std::atomic<SOCKET> g_sockCapture;

// The run's start: waits for the previous worker, marks the run on, opens the socket and
// starts the worker. The run is on whatever the socket's set-up achieved.
void BeginCaptureRun();
// The run's stop: marks the run off, closes its socket, so that a worker waiting in a receive
// returns at once, and waits for the worker to end.
void EndCaptureRun();

// The first local address other than "127.0.0.1" and "0.0.0.0", or entry 0 of the table.
const char* ChooseBindAddress();
// Creates the capture socket, binds it to the chosen address and asks for receive-all mode;
// stores it in g_sockCapture, or INVALID_SOCKET when it cannot be created or bound.
void OpenCaptureSocket();
// Takes the socket out of g_sockCapture and closes it.
void CloseCaptureSocket();

// How the receive loop ended and how many datagrams it read and dropped.
struct CaptureLoopResult {
    UINT exitCode; // 0 after a stop, 1 after a failed receive or when there was no socket
    unsigned long datagrams;
};
// Receives and drops datagrams from g_sockCapture while g_bAccelerating is on.
CaptureLoopResult RunCaptureLoop();
// The worker's thread procedure: the loop, then the end of the thread with the loop's code.
UINT CaptureThreadProc(LPVOID unused);
// Waits until the latest worker has ended (at once when there is none) and lets its handle go.
void WaitForCaptureWorker();
// The running worker's thread handle, or null; valid until the run's stop.
HANDLE CaptureWorkerHandle();

// Creates the socket a run captures with. The program's is a raw IPv4 socket; the loop can
// also be driven with an ordinary datagram socket.
using CaptureSocketFactory = SOCKET (*)();
extern CaptureSocketFactory g_pfnCreateCaptureSocket;
SOCKET CreateRawCaptureSocket();
