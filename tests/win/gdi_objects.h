// The GDI objects a process holds, read from its GDI handle table, since
// Wine leaves GetGuiResources a stub; -1 where it cannot be read (and in
// 32-bit builds, whose table is laid out otherwise). The tests and the
// benchmark's storm count with it.
#pragma once

#include <windows.h>

long gdiObjects(HANDLE process, DWORD processId);
