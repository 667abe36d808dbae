#include "ProfileFixture.h"

#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace settingstest {

Entries DefaultEntries()
{
    return {
        {"main", "alwaysontop", "0"},   {"main", "nsresolve", "0"},      {"main", "portresolve", "0"},
        {"main", "idleseconds", "10"},  {"filters", "filtertcp", "0"},   {"filters", "filterudp", "0"},
        {"filters", "filtericmp", "0"}, {"mainwindow", "status", "-1"},  {"mainwindow", "top", "-1"},
        {"mainwindow", "bottom", "-1"}, {"mainwindow", "left", "-1"},    {"mainwindow", "right", "-1"},
        {"list", "srcaddr", "120"},     {"list", "destaddr", "120"},     {"list", "srcport", "80"},
        {"list", "destport", "80"},     {"list", "proto", "50"},         {"list", "traffic", "100"},
        {"list", "bs", "80"},           {"list", "abs", "80"},           {"log", "uselogfile", "0"},
        {"log", "autodelete", "0"},     {"log", "mbdelete", "1"},        {"log", "logtype", "0"},
        {"log", "logfile", ""},
    };
}

Entries With(Entries entries, const std::string& key, const std::string& value)
{
    auto it = std::find_if(entries.begin(), entries.end(), [&](const Entry& e) { return e.key == key; });
    EXPECT_NE(it, entries.end()) << "no key " << key;
    if (it != entries.end()) it->value = value;
    return entries;
}

Entries Without(Entries entries, const std::string& section)
{
    std::erase_if(entries, [&](const Entry& e) { return e.section == section; });
    return entries;
}

std::string ProfileText(const Entries& entries)
{
    std::string text;
    const std::string* section = nullptr;
    for (const Entry& e : entries) {
        if (!section || *section != e.section) text += "[" + e.section + "]\r\n";
        section = &e.section;
        text += e.key + "=" + e.value + "\r\n";
    }
    return text;
}

std::optional<std::string> ReadFileBytes(const std::string& path)
{
    HANDLE raw = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
    UniqueKernelHandle file(raw);
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE raw = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return false;
    UniqueKernelHandle file(raw);
    DWORD written = 0;
    return ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string FirstDifference(const std::string& actual, const std::string& expected)
{
    if (actual == expected) return {};
    const auto at = static_cast<std::size_t>(
        std::mismatch(actual.begin(), actual.begin() + static_cast<std::ptrdiff_t>(std::min(actual.size(), expected.size())),
                      expected.begin())
            .first -
        actual.begin());
    return "sizes " + std::to_string(actual.size()) + " and " + std::to_string(expected.size()) +
           ", first difference at " + std::to_string(at) + ": \"" + actual.substr(at, 40) + "\" instead of \"" +
           expected.substr(at, 40) + "\"";
}

std::optional<std::string> ProfileFolder::RoundTrip(const std::optional<std::string>& before) const
{
    if (before) {
        EXPECT_TRUE(WriteFileBytes(IniPath(), *before));
    }
    {
        CSettings settings(ModulePath().c_str());
    }
    return ReadFileBytes(IniPath());
}

} // namespace settingstest
