#pragma once
// Under Wine every Windows process is a Unix process, and the kernel's counts for it are exact.
// Wine 8 answers GetProcessTimes for another process from what its server knows, which stops
// moving once the process runs; these read the same user and kernel time from /proc instead.
#include <windows.h>
#include <string>

// True when the Unix processes can be seen (under Wine, through its drive for the root).
bool HasUnixProcesses();

// The Unix process id of the running process whose command line holds token; 0 when there is
// none (not under Wine, or not started yet).
unsigned long FindUnixProcess(const std::string& token);

// User plus kernel time of the Unix process so far, in milliseconds; negative when unreadable.
double UnixCpuMilliseconds(unsigned long unixPid);

// The Unix process's peak resident set (VmHWM), in KiB; 0 when unreadable.
unsigned long UnixPeakResidentKib(unsigned long unixPid);
