#include "tests/win/gdi_objects.h"

#include <vector>

long gdiObjects(HANDLE process, DWORD processId) {
#ifdef _WIN64
  // The table the PEB points at: 65,536 rows of 24 bytes, whose first 8 are
  // non-zero while the handle lives and next 2 name the owner (0 in Wine,
  // whose table is the process's own).
  using Query = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(ntdll, "NtQueryInformationProcess")));
  void* basic[6] = {};  // PROCESS_BASIC_INFORMATION: the PEB's address second
  const char* table = nullptr;
  if (query(process, 0, basic, sizeof basic, nullptr) != 0 ||
      !ReadProcessMemory(process, static_cast<char*>(basic[1]) + 0xF8, &table, sizeof table, nullptr)) {
    return -1;
  }
  const bool wine = GetProcAddress(ntdll, "wine_get_version") != nullptr;
  std::vector<ULONG64> rows(3 * 4096);
  long live = 0;
  for (size_t at = 0; at < 0x10000 * 24; at += rows.size() * 8) {
    if (!ReadProcessMemory(process, table + at, rows.data(), rows.size() * 8, nullptr)) break;
    for (size_t r = 0; r < rows.size(); r += 3) live += rows[r] && (wine || USHORT(rows[r + 1]) == USHORT(processId));
  }
  return live;
#else
  (void)process;
  (void)processId;
  return -1;
#endif
}
