#include "CString.h"
#include "App.h"
#include <cstdio>
#include <vector>

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const char* format, va_list args)
{
    va_list probe;
    va_copy(probe, args);
    int needed = std::vsnprintf(nullptr, 0, format, probe);
    va_end(probe);
    if (needed < 0) {
        m_s.clear();
        return;
    }
    std::vector<char> buffer(static_cast<size_t>(needed) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    m_s.assign(buffer.data(), static_cast<size_t>(needed));
}

bool CString::LoadString(UINT id)
{
    char buffer[1024];
    int length = ::LoadStringA(AfxGetResourceHandle(), id, buffer, static_cast<int>(sizeof buffer));
    if (length <= 0) {
        m_s.clear();
        return false;
    }
    m_s.assign(buffer, static_cast<size_t>(length));
    return true;
}

CString CString::Left(int count) const
{
    if (count < 0) count = 0;
    return CString(m_s.substr(0, static_cast<size_t>(count)));
}

CString CString::Mid(int first, int count) const
{
    if (first < 0) first = 0;
    if (static_cast<size_t>(first) >= m_s.size()) return CString();
    return CString(count < 0 ? m_s.substr(static_cast<size_t>(first))
                             : m_s.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0) return -1;
    size_t at = m_s.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}
