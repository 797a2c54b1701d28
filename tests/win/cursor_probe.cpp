// Loaded into the running program by a test. Wine shows a window class's
// cursor and icons only to the process that registered it, so this looks
// from inside, and refuses to load unless the class has the system's hand
// cursor and the program's own "TUMK_ICON" as its icon and small icon.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  const HMODULE program = GetModuleHandleA(nullptr);
  const HICON icon = LoadIconA(program, "TUMK_ICON");  // shared: the class's own handle
  WNDCLASSEXA found = {};
  found.cbSize = sizeof found;
  return GetClassInfoExA(program, "\xD2\xF3\xEC\xEA\x21", &found) && icon && found.hIcon == icon &&
         found.hIconSm == icon && found.hCursor == LoadCursorA(nullptr, IDC_HAND);
}
