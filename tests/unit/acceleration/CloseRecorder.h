#pragma once
// Records every closesocket this executable makes, by routing its import of the function
// through a recorder for the object's life.
#include <winsock2.h>
#include <mutex>
#include <vector>

namespace acceltest {

class CloseRecorder {
public:
    CloseRecorder();
    ~CloseRecorder();
    CloseRecorder(const CloseRecorder&) = delete;
    CloseRecorder& operator=(const CloseRecorder&) = delete;

    bool Installed() const { return m_slot != nullptr; }
    // A point in the record, for counting what comes after it.
    size_t Mark() const;
    // How many times socket was closed after the mark (handle values come back, so a count
    // over all time means little).
    int TimesClosed(SOCKET socket, size_t since = 0) const;

private:
    static int WSAAPI Record(SOCKET socket);
    void** m_slot = nullptr;
    void* m_original = nullptr;
    mutable std::mutex m_lock;
    std::vector<SOCKET> m_closed;
};

} // namespace acceltest
