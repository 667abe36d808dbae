#include "SystemState.h"
#include "settings/Registry.h"
#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <fstream>
#include <iterator>

namespace packaging {

namespace {

DWORD AttributesOf(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

// Releases a COM interface pointer at the end of its scope.
template <class T>
struct ComPtr {
    T* p = nullptr;
    ~ComPtr()
    {
        if (p) p->Release();
    }
};

} // namespace

bool FileExists(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path)
{
    const DWORD attributes = AttributesOf(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool WriteTextFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file << text) && static_cast<bool>(file.flush());
}

bool RegistryKeyExists(HKEY root, const char* path)
{
    UniqueKey key;
    return OpenRegistryKey(root, path, KEY_QUERY_VALUE, key) == ERROR_SUCCESS;
}

bool RegistryValueExists(HKEY root, const char* path, const char* name)
{
    UniqueKey key;
    return OpenRegistryKey(root, path, KEY_QUERY_VALUE, key) == ERROR_SUCCESS &&
           ::RegQueryValueExA(key.get(), name, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<std::string> RegistryString(HKEY root, const char* path, const char* name)
{
    UniqueKey key;
    if (OpenRegistryKey(root, path, KEY_QUERY_VALUE, key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    std::string text(size, '\0');
    if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    text.resize(::strnlen(text.c_str(), size));
    return text;
}

bool WriteRegistryString(HKEY root, const char* path, const char* name, const std::string& text)
{
    UniqueKey key;
    return CreateRegistryKey(root, path, KEY_SET_VALUE, key) == ERROR_SUCCESS &&
           ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

std::string StartMenuFolder()
{
    char programs[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs))) return {};
    return std::string(programs) + "\\Quorvex";
}

std::optional<Shortcut> ReadShortcut(const std::string& linkPath)
{
    const HRESULT init = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::optional<Shortcut> result;
    {
        ComPtr<IShellLinkA> link;
        ComPtr<IPersistFile> file;
        wchar_t widePath[MAX_PATH] = {};
        ::MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, widePath, MAX_PATH);
        char target[MAX_PATH] = {};
        char directory[MAX_PATH] = {};
        if (SUCCEEDED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                         reinterpret_cast<void**>(&link.p))) &&
            SUCCEEDED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p))) &&
            SUCCEEDED(file.p->Load(widePath, STGM_READ)) &&
            SUCCEEDED(link.p->GetPath(target, sizeof target, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link.p->GetWorkingDirectory(directory, sizeof directory)))
            result = Shortcut{target, directory};
    }
    if (SUCCEEDED(init)) ::CoUninitialize();
    return result;
}

} // namespace packaging
