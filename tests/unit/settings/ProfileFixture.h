#pragma once
// Helpers of the profile-file tests: the expected file text, built from the test's own table of
// the 25 keys, and a temporary folder that holds a module path and its profile file.
#include "TestSupport.h"

#include <optional>
#include <string>
#include <vector>

namespace settingstest {

// One line of a profile file: a key and its value under a section.
struct Entry {
    std::string section;
    std::string key;
    std::string value;
};
using Entries = std::vector<Entry>;

// The 25 keys with their default texts, in the order a new file gets them.
Entries DefaultEntries();
// The entries with the value of the named key replaced; fails the test if there is no such key.
Entries With(Entries entries, const std::string& key, const std::string& value);
// The entries without those of the named section.
Entries Without(Entries entries, const std::string& section);
// The bytes the profile functions write for entries in this order: a section header wherever
// the section changes, "key=value", CRLF line ends.
std::string ProfileText(const Entries& entries);

std::optional<std::string> ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);
// Empty when equal; otherwise where and how the two texts first differ (for texts too large
// to print whole).
std::string FirstDifference(const std::string& actual, const std::string& expected);

// A fresh temporary folder holding the module path "Quorvex.exe" (which need not exist) and
// its profile file "Quorvex.ini".
class ProfileFolder {
public:
    std::string ModulePath() const { return m_folder.File("Quorvex.exe"); }
    std::string IniPath() const { return m_folder.File("Quorvex.ini"); }
    // Puts the file in place (none for nullopt), lets a settings object read it and write it
    // back, and returns the file as it is afterwards.
    std::optional<std::string> RoundTrip(const std::optional<std::string>& before) const;

private:
    qvtest::TempFolder m_folder;
};

} // namespace settingstest
