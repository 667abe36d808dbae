#include "SkinFile.h"
#include "Handle.h"
#include <algorithm>
#include <cctype>

namespace skinlet {

namespace {

// A skin is a few hundred bytes; anything this large is not one.
constexpr LONGLONG kMaxFileSize = 64 * 1024;

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trim(std::string_view s)
{
    const char* blanks = " \t\r";
    size_t first = s.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    size_t last = s.find_last_not_of(blanks);
    return s.substr(first, last - first + 1);
}

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-'; }

bool IsName(std::string_view s) { return !s.empty() && std::all_of(s.begin(), s.end(), IsNameChar); }

std::optional<COLORREF> ParseColour(std::string_view s)
{
    if (s.size() != 7 || s[0] != '#') return std::nullopt;
    unsigned value = 0;
    for (char c : s.substr(1)) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(std::isdigit(static_cast<unsigned char>(c))
                                                        ? c - '0'
                                                        : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10);
    }
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

std::optional<int> ParseNumber(std::string_view s, int minimum, int maximum)
{
    if (s.empty() || s.size() > 6) return std::nullopt;
    int value = 0;
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < minimum || value > maximum) return std::nullopt;
    return value;
}

// Sets one key of an element; false when the key is unknown or its value does not fit it.
bool SetKey(ElementStyle& style, std::string_view key, std::string_view value)
{
    const auto keys = StyleKeys();
    auto it = std::find_if(keys.begin(), keys.end(), [&](const StyleKey& k) { return SameName(k.name, key); });
    if (it == keys.end()) return false;
    if (it->colour) {
        auto colour = ParseColour(value);
        if (!colour) return false;
        style.*(it->colour) = *colour;
    } else {
        auto number = ParseNumber(value, it->minimum, it->maximum);
        if (!number) return false;
        style.*(it->number) = *number;
    }
    return true;
}

std::optional<std::string> ReadWholeFile(const std::string& path)
{
    HANDLE raw = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return std::nullopt;
    UniqueKernelHandle file(raw);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileSize) return std::nullopt;
    std::string text(static_cast<size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!text.empty() && (!::ReadFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &got, nullptr) ||
                          got != text.size()))
        return std::nullopt;
    return text;
}

bool FileExists(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ExecutableDirectory()
{
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) return {};
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768) return {};
        path.resize(path.size() * 2);
    }
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

const ElementStyle* Skin::Find(std::string_view name) const
{
    for (const auto& element : elements)
        if (SameName(element.name, name)) return &element.style;
    return nullptr;
}

std::optional<Skin> ParseSkin(std::string_view text)
{
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    Skin skin;
    Skin::Element* current = nullptr;
    std::vector<std::string_view> seenKeys;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line[0] == '#' || line[0] == ';') continue;
        if (line.front() == '[') {
            if (line.back() != ']') return std::nullopt;
            std::string_view name = Trim(line.substr(1, line.size() - 2));
            if (!IsName(name) || skin.Find(name)) return std::nullopt;
            current = &skin.elements.emplace_back(Skin::Element{std::string(name), DefaultStyle()});
            seenKeys.clear();
            continue;
        }
        size_t equals = line.find('=');
        if (!current || equals == std::string_view::npos) return std::nullopt;
        std::string_view key = Trim(line.substr(0, equals));
        std::string_view value = Trim(line.substr(equals + 1));
        bool repeated = std::any_of(seenKeys.begin(), seenKeys.end(), [&](std::string_view k) { return SameName(k, key); });
        if (repeated || !SetKey(current->style, key, value)) return std::nullopt;
        seenKeys.push_back(key);
    }
    return skin;
}

std::vector<std::string> SkinFileCandidates(const char* name)
{
    if (!name || !*name) return {};
    std::string given(name);
    if (given.find_first_of("\\/:") != std::string::npos) return {given};
    std::vector<std::string> candidates;
    std::string directory = ExecutableDirectory();
    if (!directory.empty()) candidates.push_back(directory + given);
    candidates.push_back(given);
    return candidates;
}

std::optional<Skin> LoadSkinFile(const char* name)
{
    for (const std::string& path : SkinFileCandidates(name)) {
        if (!FileExists(path)) continue;
        auto text = ReadWholeFile(path);
        return text ? ParseSkin(*text) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace skinlet
