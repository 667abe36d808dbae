#pragma once
// What the installer and the uninstaller leave on the system, read back: files, folders,
// registry values and Start-menu shortcuts.
#include "Framework.h"
#include <optional>
#include <string>

namespace packaging {

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quorvex";
inline constexpr char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kSettingsKey[] = "Software\\Quorvex";
inline constexpr char kRunValue[] = "Quorvex";
inline constexpr const char* kShippedFiles[] = {"Quorvex.exe", "Skinlet.dll", "skin.smf", "UpdateApp.exe"};

bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// The whole content of a file; nothing when it cannot be read.
std::optional<std::string> FileBytes(const std::string& path);
// Writes text as the whole content of a new file.
bool WriteTextFile(const std::string& path, const std::string& text);

bool RegistryKeyExists(HKEY root, const char* path);
bool RegistryValueExists(HKEY root, const char* path, const char* name);
// A REG_SZ value; nothing when it is missing or of another type.
std::optional<std::string> RegistryString(HKEY root, const char* path, const char* name);
bool WriteRegistryString(HKEY root, const char* path, const char* name, const std::string& text);

// The all-users Start-menu folder of the shortcuts.
std::string StartMenuFolder();
// What a shortcut starts, and in which folder.
struct Shortcut {
    std::string target;
    std::string workingDirectory;
};
std::optional<Shortcut> ReadShortcut(const std::string& linkPath);

} // namespace packaging
