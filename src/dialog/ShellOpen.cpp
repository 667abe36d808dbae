#include "dialog/ShellOpen.h"

ShellExecuteFunction g_pfnShellExecute = &::ShellExecuteA;
