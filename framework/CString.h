#pragma once
// An 8-bit string in the system's ANSI code page.
#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* text) : m_s(text ? text : "") {}
    CString(const char* text, int length) : m_s(text ? std::string(text, static_cast<size_t>(length)) : std::string()) {}
    CString(const std::string& text) : m_s(text) {}

    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    const std::string& str() const { return m_s; }
    char GetAt(int i) const { return m_s.at(static_cast<size_t>(i)); }

    // printf-style formatting of any length; the result replaces the text.
    void Format(const char* format, ...);
    void FormatV(const char* format, va_list args);
    // Loads a string resource of the application; false when it does not exist.
    bool LoadString(UINT id);

    CString Left(int count) const;
    CString Mid(int first, int count = -1) const;
    int Find(const char* sub, int start = 0) const;
    int Compare(const char* other) const { return m_s.compare(other ? other : ""); }

    CString& operator=(const char* text)
    {
        m_s = text ? text : "";
        return *this;
    }
    CString& operator+=(const char* text)
    {
        m_s += text ? text : "";
        return *this;
    }
    CString& operator+=(char c)
    {
        m_s += c;
        return *this;
    }
    friend CString operator+(const CString& a, const char* b)
    {
        CString r(a);
        r += b;
        return r;
    }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }

private:
    std::string m_s;
};
