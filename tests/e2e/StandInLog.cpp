#include "StandInLog.h"
#include <fstream>

namespace e2e {

std::vector<StandInStart> ReadStandInLog(const std::string& folder)
{
    std::vector<StandInStart> starts;
    std::ifstream in(folder + "\\standin.log", std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        size_t first = line.find('\t');
        size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
        if (second == std::string::npos) continue;
        starts.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1), line.substr(second + 1)});
    }
    return starts;
}

std::string ParametersOf(const std::string& commandLine)
{
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        end = commandLine.find('"', 1);
        end = end == std::string::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find_first_of(" \t");
        if (end == std::string::npos) end = commandLine.size();
    }
    size_t start = commandLine.find_first_not_of(" \t", end);
    return start == std::string::npos ? std::string() : commandLine.substr(start);
}

} // namespace e2e
