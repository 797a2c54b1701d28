#include "bench/harness.h"

#include <psapi.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>

double nowMs() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return 1000.0 * double(t.QuadPart) / double(frequency.QuadPart);
}

double timeUntil(const std::function<bool()>& done, double limitMs) {
  const double start = nowMs();
  while (!done()) {
    if (nowMs() - start > limitMs) return -1;
  }
  return nowMs() - start;
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
  return values[index];
}

void progress(double sinceMs, const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  va_end(args);
  std::fprintf(stderr, ": %.1f s\n", (nowMs() - sinceMs) / 1000);
}

POINT onScreen(POINT inWindow) {
  RECT screen;
  GetClientRect(GetDesktopWindow(), &screen);
  return {(screen.right - kSize) / 2 + inWindow.x, (screen.bottom - kSize) / 2 + inWindow.y};
}

COLORREF screenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

COLORREF imagePixel(const std::string& program, const char* name, POINT at) {
  HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  COLORREF colour = CLR_INVALID;
  HRSRC found = module ? FindResourceA(module, name, RT_BITMAP) : nullptr;
  if (found && SizeofResource(module, found) >= 40 + size_t(kSize) * kSize * 4) {
    const auto* dib = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    const unsigned char* p = dib + 40 + (size_t(kSize - 1 - at.y) * kSize + size_t(at.x)) * 4;
    colour = RGB(p[2], p[1], p[0]);
  }
  if (module) FreeLibrary(module);
  return colour;
}

void sendMouse(POINT at, DWORD buttons) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof input);
}

bool start(const Subject& s, Running* run) {
  std::string line = "\"" + s.path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(s.path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &run->info) != 0;
}

void awaitWindow(const Subject& s, Running* run) {
  const POINT probe = onScreen(s.probe);
  timeUntil([&] { return screenPixel(probe) == s.raised; });
  run->window = topWindowOf(run->info.dwProcessId);
}

HWND topWindowOf(DWORD processId) {
  struct Search {
    DWORD id;
    HWND found;
  } search = {processId, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != s->id || !IsWindowVisible(hwnd)) return TRUE;
        s->found = hwnd;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void finish(Running* run, DWORD* exitCode) {
  if (run->window) PostMessageA(run->window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(run->info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(run->info.hProcess, STILL_ACTIVE);
    WaitForSingleObject(run->info.hProcess, 10000);
  }
  if (exitCode) GetExitCodeProcess(run->info.hProcess, exitCode);
  CloseHandle(run->info.hThread);
  CloseHandle(run->info.hProcess);
}

size_t settledMemory(HANDLE process, bool workingSet) {
  size_t least = SIZE_MAX;
  for (int i = 0; i < 15; ++i) {
    PROCESS_MEMORY_COUNTERS c = {};
    c.cb = sizeof c;
    if (GetProcessMemoryInfo(process, &c, sizeof c)) {
      least = std::min(least, size_t(workingSet ? c.WorkingSetSize : c.PagefileUsage));
    }
    Sleep(100);
  }
  return least;
}
