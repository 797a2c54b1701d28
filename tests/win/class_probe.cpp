// A DLL the tests load into the program under test: other processes cannot
// ask Wine for a class's icons, cursor or brush, so this asks from inside,
// once, as it is loaded, and writes the answer to a named shared block.
#include "tests/win/class_probe.h"

#include "app/app_title.h"

namespace {

void iconSize(HICON icon, LONG* width, LONG* height) {
  ICONINFO info = {};
  if (!icon || !GetIconInfo(icon, &info)) return;
  BITMAP mask = {};
  GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof mask, &mask);
  *width = mask.bmWidth;
  *height = info.hbmColor ? mask.bmHeight : mask.bmHeight / 2;
  DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

void report(ClassProbeReport* out) {
  const HMODULE program = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  out->found = GetClassInfoExA(program, kAppTitle, &wc) != 0;
  if (!out->found) return;
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(program);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      reinterpret_cast<const BYTE*>(program) + dos->e_lfanew);
  const auto base = reinterpret_cast<ULONG_PTR>(program);
  const auto proc = reinterpret_cast<ULONG_PTR>(wc.lpfnWndProc);
  out->style = wc.style;
  out->classExtra = wc.cbClsExtra;
  out->windowExtra = wc.cbWndExtra;
  out->ownInstance = wc.hInstance == program;
  out->procInModule = proc >= base && proc < base + nt->OptionalHeader.SizeOfImage;
  out->background = reinterpret_cast<ULONG_PTR>(wc.hbrBackground);
  out->noMenu = wc.lpszMenuName == nullptr;
  iconSize(wc.hIcon, &out->iconWidth, &out->iconHeight);
  iconSize(wc.hIconSm, &out->smallIconWidth, &out->smallIconHeight);
  out->handCursor = wc.hCursor != nullptr && wc.hCursor == LoadCursorA(nullptr, IDC_HAND);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char name[64];
  classProbeBlockName(GetCurrentProcessId(), name);
  HANDLE block = OpenFileMappingA(FILE_MAP_WRITE, FALSE, name);
  if (!block) return TRUE;
  if (void* view = MapViewOfFile(block, FILE_MAP_WRITE, 0, 0, sizeof(ClassProbeReport))) {
    report(static_cast<ClassProbeReport*>(view));
    UnmapViewOfFile(view);
  }
  CloseHandle(block);
  return TRUE;
}
