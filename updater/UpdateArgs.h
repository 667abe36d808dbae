#pragma once
// The updater's command line: product name, product number and version, e.g.
//   UpdateApp.exe "Quorvex" "68" "4.5.0"
#include <string>
#include <string_view>
#include <vector>

// Outcome of reading the command line; the value is the process's exit code.
enum class UpdateArgsStatus : int {
    Ok = 0,
    WrongCount = 2, // not exactly three parameters
    BadName = 3,    // empty product name, or one with control characters
    BadNumber = 4,  // product number not 1 to 9 decimal digits
    BadVersion = 5, // version not 2 to 4 dot-separated numbers of at most 65535
};

// Splits a whole command line (program name first) into words by the C runtime's rules:
// the program name ends at the first blank or is quoted without escapes; later words are
// separated by blanks and tabs, quotes group, 2n backslashes before a quote give n
// backslashes and the quote groups, 2n+1 give n backslashes and a literal quote, and two
// quotes in a quoted part give one literal quote.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

// Checks the parameters (the program name already removed).
UpdateArgsStatus CheckUpdateArguments(const std::vector<std::string>& args);

// SplitCommandLine, then CheckUpdateArguments on the words after the program name.
UpdateArgsStatus CheckUpdateCommandLine(std::string_view commandLine);
