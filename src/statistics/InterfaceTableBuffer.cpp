#include "statistics/InterfaceTableBuffer.h"
#include <algorithm>
#include <cstring>

bool CInterfaceTableBuffer::Reserve(size_t size)
{
    size = std::max(size, kHeaderSize);
    if (size <= m_size) return true;
    if (size > kMaxSize) return false;
    // realloc keeps the old block when it fails, so the rows read so far survive.
    auto* grown = static_cast<BYTE*>(std::realloc(m_bytes.get(), size));
    if (!grown) return false;
    static_cast<void>(m_bytes.release());
    m_bytes.reset(grown);
    std::memset(grown + m_size, 0, size - m_size);
    m_size = size;
    return true;
}

DWORD CInterfaceTableBuffer::Refill(DWORD& size)
{
    if (!m_bytes || !g_pfnGetIfTable) return ERROR_INVALID_DATA;
    ULONG room = static_cast<ULONG>(m_size);
    DWORD status = g_pfnGetIfTable(Table(), &room, TRUE);
    // The table has grown beyond the buffer since the last call: make room and ask again.
    if (status == ERROR_INSUFFICIENT_BUFFER && room > m_size && Reserve(room)) {
        room = static_cast<ULONG>(m_size);
        status = g_pfnGetIfTable(Table(), &room, TRUE);
    }
    size = room;
    return status;
}

DWORD CInterfaceTableBuffer::RowCount() const
{
    if (m_size < kHeaderSize) return 0;
    size_t fits = (m_size - kHeaderSize) / sizeof(MIB_IFROW);
    return static_cast<DWORD>(std::min<size_t>(Table()->dwNumEntries, fits));
}

const MIB_IFROW* CInterfaceTableBuffer::Row(int index) const
{
    if (index < 0 || static_cast<DWORD>(index) >= RowCount()) return nullptr;
    return &Table()->table[index];
}
