// What the class probe, loaded into the program under test, reports about
// the window class there, through a named shared memory block.
#pragma once

#include <windows.h>

struct ClassProbeReport {
  LONG found;  // GetClassInfoExA found the class in the program's module
  UINT style;
  int classExtra, windowExtra;
  LONG ownInstance;      // hInstance is the program's module
  LONG procInModule;     // lpfnWndProc lies inside the program's image
  ULONG_PTR background;  // hbrBackground as a value
  LONG noMenu;
  LONG iconWidth, iconHeight, smallIconWidth, smallIconHeight;
  LONG handCursor;  // hCursor is the system's hand cursor
};

// The block's name, for the program with this process id.
inline void classProbeBlockName(DWORD processId, char (&name)[64]) {
  wsprintfA(name, "tumk-class-probe-%lu", processId);
}
