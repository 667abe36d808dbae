#pragma once
// One hostile input: what it is, how the world is prepared with it, what the user or the system
// then does, and the decided result.
#include "HostileWorld.h"
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <vector>

namespace hostile {

struct HostileCase {
    std::string name;
    std::function<void(World&)> setup;
    std::function<void(World&)> act;
    std::function<void(World&)> expect;
};

inline void PrintTo(const HostileCase& c, std::ostream* os) { *os << c.name; }

// The table's parts, by the kind of input.
std::vector<HostileCase> PreferenceCases();
std::vector<HostileCase> ClientAndRunKeyCases();
std::vector<HostileCase> ProfileCases();
std::vector<HostileCase> InterfaceCases();

// Started in a copy of this executable placed at a hostile path: stores the start-with-Windows
// entry and writes it, then the profile path, to the file the environment variable names.
constexpr char kPathReportVariable[] = "QV_HOSTILE_PATH_REPORT";

} // namespace hostile
