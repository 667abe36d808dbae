#include "CloseRecorder.h"
#include <cstring>

namespace acceltest {

namespace {
CloseRecorder* s_recorder = nullptr;
using CloseFn = int(WSAAPI*)(SOCKET);

// The import slot of ws2_32's closesocket in this executable's import table.
void** FindImportSlot()
{
    auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleA(nullptr));
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (!imports.VirtualAddress) return nullptr;
    for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
         ++module) {
        if (_stricmp(reinterpret_cast<const char*>(base + module->Name), "ws2_32.dll") != 0) continue;
        auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), "closesocket") == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

void WriteSlot(void** slot, void* value)
{
    DWORD old = 0;
    ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old);
    *slot = value;
    ::VirtualProtect(slot, sizeof *slot, old, &old);
}
} // namespace

CloseRecorder::CloseRecorder()
{
    m_slot = FindImportSlot();
    if (!m_slot || s_recorder) {
        m_slot = nullptr;
        return;
    }
    s_recorder = this;
    m_original = *m_slot;
    WriteSlot(m_slot, reinterpret_cast<void*>(&Record));
}

CloseRecorder::~CloseRecorder()
{
    if (!m_slot) return;
    WriteSlot(m_slot, m_original);
    s_recorder = nullptr;
}

size_t CloseRecorder::Mark() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_closed.size();
}

int CloseRecorder::TimesClosed(SOCKET socket, size_t since) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    int times = 0;
    for (size_t i = since; i < m_closed.size(); ++i) times += m_closed[i] == socket;
    return times;
}

int WSAAPI CloseRecorder::Record(SOCKET socket)
{
    CloseRecorder* recorder = s_recorder;
    if (!recorder) return ::closesocket(socket); // already put back
    {
        std::lock_guard<std::mutex> hold(recorder->m_lock);
        recorder->m_closed.push_back(socket);
    }
    return reinterpret_cast<CloseFn>(recorder->m_original)(socket);
}

} // namespace acceltest
