// The program's entry point, standing in for the C runtime's start-up code:
// the product links with -nostartfiles -nostdlib and enters here.
#include <windows.h>

#include "platform/command_line.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int showCommand);

extern "C" void WINAPI WinMainCRTStartup() {
  STARTUPINFOA startup;
  GetStartupInfoA(&startup);
  const int showCommand =
      (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
  // WinMain never writes through its command line; the type is historical.
  char* tail = const_cast<char*>(commandLineTail(GetCommandLineA()));
  ExitProcess(static_cast<UINT>(WinMain(GetModuleHandleA(nullptr), nullptr, tail, showCommand)));
}
