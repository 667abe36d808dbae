#include "ProbeSnapshot.h"
#include "ProgramRun.h"
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace e2e {

namespace {

std::string SnapshotPath(const std::string& folder, const char* kind, HWND dialog)
{
    char name[96];
    std::snprintf(name, sizeof name, "\\qvprobe-%s-%llx.txt", kind,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(dialog)));
    return folder + name;
}

std::string Unescaped(const std::string& text)
{
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        switch (text[++i]) {
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: out += text[i];
        }
    }
    return out;
}

// Splits a line at tabs into at most `fields` fields; the last one keeps the rest (a text).
std::vector<std::string> Fields(const std::string& line, size_t fields)
{
    std::vector<std::string> out;
    size_t start = 0;
    while (out.size() + 1 < fields) {
        size_t tab = line.find('\t', start);
        if (tab == std::string::npos) break;
        out.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
    out.push_back(line.substr(start));
    return out;
}

long Number(const std::string& s) { return std::strtol(s.c_str(), nullptr, 10); }
DWORD Unsigned(const std::string& s) { return static_cast<DWORD>(std::strtoul(s.c_str(), nullptr, 10)); }

std::optional<Snapshot> Parse(std::istream& in)
{
    Snapshot snapshot;
    bool haveWindow = false;
    std::string line;
    while (std::getline(in, line)) {
        const std::string kind = line.substr(0, line.find('\t'));
        if (kind == "window") {
            auto f = Fields(line, 9);
            if (f.size() != 9) return std::nullopt;
            snapshot.cls = f[1];
            snapshot.style = Unsigned(f[2]);
            snapshot.exStyle = Unsigned(f[3]);
            snapshot.bigIcon = f[4] == "1";
            snapshot.smallIcon = f[5] == "1";
            snapshot.baseUnitX = static_cast<int>(Number(f[6]));
            snapshot.baseUnitY = static_cast<int>(Number(f[7]));
            snapshot.title = Unescaped(f[8]);
            haveWindow = true;
        } else if (kind == "sysmenu") {
            auto f = Fields(line, 5);
            if (f.size() != 5) return std::nullopt;
            snapshot.systemMenu.push_back({Unsigned(f[2]), Unsigned(f[3]), Unescaped(f[4])});
        } else if (kind == "control") {
            auto f = Fields(line, 12);
            if (f.size() != 12) return std::nullopt;
            SnapshotControl c;
            c.index = static_cast<int>(Number(f[1]));
            c.id = static_cast<int>(Number(f[2]));
            c.cls = f[3];
            c.style = Unsigned(f[4]);
            c.exStyle = Unsigned(f[5]);
            c.check = Number(f[6]);
            c.x = Number(f[7]);
            c.y = Number(f[8]);
            c.cx = Number(f[9]);
            c.cy = Number(f[10]);
            c.text = Unescaped(f[11]);
            snapshot.controls.push_back(c);
        } else if (kind == "item") {
            auto f = Fields(line, 4);
            if (f.size() != 4 || snapshot.controls.empty()) return std::nullopt;
            snapshot.controls.back().items.push_back(Unescaped(f[3]));
        }
    }
    if (!haveWindow) return std::nullopt;
    return snapshot;
}

std::optional<Snapshot> ReadWhenPresent(const std::string& path, DWORD timeoutMs)
{
    // The probe writes under another name and renames: once the file is there it is whole.
    if (!PollUntil([&] { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    return Parse(in);
}

} // namespace

std::optional<Snapshot> InitSnapshot(const std::string& folder, HWND dialog, DWORD timeoutMs)
{
    return ReadWhenPresent(SnapshotPath(folder, "init", dialog), timeoutMs);
}

std::optional<Snapshot> DumpSnapshot(const std::string& folder, HWND dialog, DWORD timeoutMs)
{
    static const UINT dumpMessage = ::RegisterWindowMessageA("QvProbe.Dump");
    const std::string path = SnapshotPath(folder, "dump", dialog);
    ::DeleteFileA(path.c_str());
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutA(dialog, dumpMessage, 0, 0, SMTO_NORMAL, timeoutMs, &result)) return std::nullopt;
    return ReadWhenPresent(path, timeoutMs);
}

} // namespace e2e
