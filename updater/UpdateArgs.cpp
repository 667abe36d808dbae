#include "UpdateArgs.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads the program name from the start of the line; returns the position after it.
size_t SkipProgramName(std::string_view line, std::string& name)
{
    size_t i = 0;
    if (i < line.size() && line[i] == '"') {
        ++i;
        while (i < line.size() && line[i] != '"') name += line[i++];
        if (i < line.size()) ++i; // the closing quote
    } else {
        while (i < line.size() && !IsBlank(line[i])) name += line[i++];
    }
    return i;
}

bool IsDigits(std::string_view s, size_t maxDigits)
{
    if (s.empty() || s.size() > maxDigits) return false;
    for (char c : s)
        if (!IsDigit(c)) return false;
    return true;
}

unsigned long DecimalValue(std::string_view digits)
{
    unsigned long value = 0;
    for (char c : digits) value = value * 10 + static_cast<unsigned long>(c - '0');
    return value;
}

bool IsProductName(std::string_view s)
{
    if (s.empty()) return false;
    for (char c : s)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

// Two to four numbers separated by single dots, each fitting a version field (16 bits).
bool IsVersion(std::string_view s)
{
    size_t parts = 0;
    for (;;) {
        size_t dot = s.find('.');
        std::string_view part = s.substr(0, dot);
        if (!IsDigits(part, 5) || DecimalValue(part) > 65535) return false;
        ++parts;
        if (dot == std::string_view::npos) break;
        s.remove_prefix(dot + 1);
    }
    return parts >= 2 && parts <= 4;
}

} // namespace

std::vector<std::string> SplitCommandLine(std::string_view line)
{
    std::vector<std::string> words(1);
    size_t i = SkipProgramName(line, words[0]);
    for (;;) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        if (i >= line.size()) break;
        std::string word;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                word.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    word += '"';
                } else if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                    word += '"';
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
            } else {
                word.append(backslashes, '\\');
                if (i < line.size() && (quoted || !IsBlank(line[i]))) word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

UpdateArgsStatus CheckUpdateArguments(const std::vector<std::string>& args)
{
    if (args.size() != 3) return UpdateArgsStatus::WrongCount;
    if (!IsProductName(args[0])) return UpdateArgsStatus::BadName;
    if (!IsDigits(args[1], 9)) return UpdateArgsStatus::BadNumber;
    if (!IsVersion(args[2])) return UpdateArgsStatus::BadVersion;
    return UpdateArgsStatus::Ok;
}

UpdateArgsStatus CheckUpdateCommandLine(std::string_view commandLine)
{
    std::vector<std::string> words = SplitCommandLine(commandLine);
    words.erase(words.begin());
    return CheckUpdateArguments(words);
}
