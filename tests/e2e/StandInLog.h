#pragma once
// The record that the stand-in programs (tests/support/programs/StandIn.cpp) keep of how
// they were started: one line per start in "standin.log" beside them.
#include <string>
#include <vector>

namespace e2e {

struct StandInStart {
    std::string program;     // file name of the stand-in, e.g. "UpdateApp.exe"
    std::string directory;   // its current directory
    std::string commandLine; // as it received it
};

std::vector<StandInStart> ReadStandInLog(const std::string& folder);

// The part of a command line after the program name (quoted or not) and the blanks after it.
std::string ParametersOf(const std::string& commandLine);

} // namespace e2e
