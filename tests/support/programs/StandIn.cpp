// Stand-in for a program that Quorvex starts (UpdateApp.exe, Tessaline.exe). It records how it
// was started and ends: one line appended to the record file, with tab-separated fields
//   <own file name> <current directory> <command line exactly as received>
// The record file is named by the environment variable QV_STANDIN_LOG, or else is
// "standin.log" beside the stand-in. No window, no console.
#include <windows.h>
#include <string>

namespace {

std::string ModulePath()
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}

std::string RecordFile(const std::string& self)
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetEnvironmentVariableA("QV_STANDIN_LOG", path, MAX_PATH);
    if (n > 0 && n < MAX_PATH) return path;
    return self.substr(0, self.find_last_of('\\') + 1) + "standin.log";
}

std::string CurrentDirectory()
{
    char path[MAX_PATH] = {};
    DWORD n = ::GetCurrentDirectoryA(MAX_PATH, path);
    return std::string(path, n < MAX_PATH ? n : 0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const std::string self = ModulePath();
    const std::string line = self.substr(self.find_last_of('\\') + 1) + "\t" + CurrentDirectory() + "\t" +
                             ::GetCommandLineA() + "\r\n";
    // Appending with one write keeps lines whole when several stand-ins record at once.
    HANDLE file = ::CreateFileA(RecordFile(self).c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == line.size() ? 0 : 1;
}
