#include "statistics/InterfaceFunctions.h"

GetIfTableFunction g_pfnGetIfTable = nullptr;
GetNumberOfInterfacesFunction g_pfnGetNumberOfInterfaces = nullptr;
void (*g_pfnLookUpInterfaceFunctions)() = &LookUpInterfaceFunctions;

namespace {
// The module is never freed: the functions are called until the process ends.
FARPROC LookUp(const char* function)
{
    HMODULE library = ::LoadLibraryA("Iphlpapi.dll");
    return library ? ::GetProcAddress(library, function) : nullptr;
}
} // namespace

void LookUpInterfaceFunctions()
{
    g_pfnGetIfTable = reinterpret_cast<GetIfTableFunction>(LookUp("GetIfTable"));
    g_pfnGetNumberOfInterfaces = reinterpret_cast<GetNumberOfInterfacesFunction>(LookUp("GetNumberOfInterfaces"));
}
