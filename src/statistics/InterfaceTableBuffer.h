#pragma once
// The buffer that holds the system's interface table. It is sized to what the system reports,
// grows when the table grows, and is never handed to the system as larger than it is.
#include "statistics/InterfaceFunctions.h"
#include <cstddef>
#include <cstdlib>
#include <memory>

class CInterfaceTableBuffer {
public:
    // Row count field before the rows.
    static constexpr size_t kHeaderSize = offsetof(MIB_IFTABLE, table);
    // Beyond any real host (about 19,500 interfaces): a larger report is not believed.
    static constexpr size_t kMaxSize = 16u << 20;

    // Makes the buffer at least size bytes (and at least the row count field); what it held
    // is kept and the new room is zeroed. False when that room cannot be had: the buffer
    // stays as it was.
    bool Reserve(size_t size);
    // Fills the buffer through g_pfnGetIfTable with rows ordered by interface index, handing
    // over the buffer's own size. When the system answers that the table has grown beyond it,
    // the buffer grows and is filled once more. Returns the last call's result and puts in
    // size what that call left in its size variable. Without a buffer nothing is called.
    DWORD Refill(DWORD& size);

    MIB_IFTABLE* Table() const { return reinterpret_cast<MIB_IFTABLE*>(m_bytes.get()); }
    size_t Size() const { return m_size; }
    // The rows the buffer holds, counting only those that lie within it.
    DWORD RowCount() const;
    // Row index, or null when the buffer holds no such row.
    const MIB_IFROW* Row(int index) const;

private:
    struct Free {
        void operator()(BYTE* p) const noexcept { std::free(p); }
    };
    std::unique_ptr<BYTE, Free> m_bytes;
    size_t m_size = 0;
};
