#include "statistics/InterfaceEntry.h"
#include <algorithm>
#include <cstring>

CString InterfaceEntryText(const MIB_IFROW& row)
{
    const char* description = reinterpret_cast<const char*>(row.bDescr);
    // The field need not hold a NUL: it is read no further than its own length.
    size_t length = std::min(::strnlen(description, sizeof row.bDescr), kEntryDescriptionLength);
    CString entry;
    entry.Format(" %s %d %s", CString(description, static_cast<int>(length)).GetString(),
                 static_cast<int>(row.dwSpeed >> 20), "Mb");
    return entry;
}

bool IsListedInterfaceEntry(const CString& entry)
{
    return !(entry.Left(5) == " WAN " || entry.Left(8) == " isatap." || entry.Find("Loopback") >= 0);
}

CString CounterText(DWORD counter)
{
    CString text;
    text.Format(" %lu ", static_cast<unsigned long>(counter));
    return text;
}
