// Library notifications on Windows. Not built on this project's machines.
#include <windows.h>

#include "module_entry.h"

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID) { return frame::ModuleAttachRoutine(hModule, reason); }
