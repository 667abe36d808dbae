#include "UnixProcess.h"
#include "Handle.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {
// Unix's /proc through Wine's drive for the root.
constexpr char kProc[] = "Z:\\proc\\";
// /proc counts time in clock ticks of 1/100 s on every Linux.
constexpr double kMillisecondsPerTick = 10.0;

// A directory search, closed with its owner.
class DirectorySearch {
public:
    DirectorySearch(const std::string& pattern, WIN32_FIND_DATAA& entry)
        : m_search(::FindFirstFileA(pattern.c_str(), &entry))
    {
    }
    DirectorySearch(const DirectorySearch&) = delete;
    DirectorySearch& operator=(const DirectorySearch&) = delete;
    ~DirectorySearch()
    {
        if (m_search != INVALID_HANDLE_VALUE) ::FindClose(m_search);
    }
    bool Found() const { return m_search != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAA& entry) const { return ::FindNextFileA(m_search, &entry) != FALSE; }

private:
    HANDLE m_search;
};

std::string ReadProcFile(unsigned long unixPid, const char* name)
{
    char path[64];
    std::snprintf(path, sizeof path, "%s%lu\\%s", kProc, unixPid, name);
    UniqueKernelHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        static_cast<void>(file.release());
        return {};
    }
    // Files of /proc report no size: read until the end.
    std::string text;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) text.append(chunk, got);
    return text;
}
} // namespace

bool HasUnixProcesses()
{
    DWORD attributes = ::GetFileAttributesA("Z:\\proc\\self");
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

unsigned long FindUnixProcess(const std::string& token)
{
    WIN32_FIND_DATAA entry;
    DirectorySearch search(std::string(kProc) + "*", entry);
    if (!search.Found()) return 0;
    unsigned long found = 0;
    do {
        char* end = nullptr;
        unsigned long pid = std::strtoul(entry.cFileName, &end, 10);
        if (pid == 0 || *end != '\0') continue;
        // The arguments are separated by zero bytes; Wine writes the Windows command line there.
        std::string commandLine = ReadProcFile(pid, "cmdline");
        for (char& c : commandLine)
            if (c == '\0') c = ' ';
        if (commandLine.find(token) != std::string::npos) found = pid;
    } while (!found && search.Next(entry));
    return found;
}

double UnixCpuMilliseconds(unsigned long unixPid)
{
    // Fields after the command name in parentheses: state is the 3rd field, utime the 14th and
    // stime the 15th.
    std::string stat = ReadProcFile(unixPid, "stat");
    size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    const char* field = stat.c_str() + close + 1;
    unsigned long long ticks = 0;
    for (int index = 3; index <= 15; ++index) {
        char* end = nullptr;
        while (*field == ' ') ++field;
        unsigned long long value = std::strtoull(field, &end, 10);
        if (index == 14 || index == 15) ticks += value;
        // The state is a letter, not a number: step over it.
        field = (end == field) ? field + 1 : end;
    }
    return static_cast<double>(ticks) * kMillisecondsPerTick;
}

unsigned long UnixPeakResidentKib(unsigned long unixPid)
{
    std::string status = ReadProcFile(unixPid, "status");
    size_t at = status.find("VmHWM:");
    return at == std::string::npos ? 0 : std::strtoul(status.c_str() + at + 6, nullptr, 10);
}
