#include "tests/win/program.h"

#include "tests/win/test_options.h"

#include <psapi.h>

#include <algorithm>
#include <fstream>
#include <iterator>

namespace {

constexpr DWORD kWindowTimeoutMs = 120000;  // minutes under 32-bit emulation

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK matchWindow(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  char name[16] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (owner == search->processId && lstrcmpA(name, kButtonClass) == 0 && IsWindowVisible(hwnd)) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

void sendMouse(POINT at, DWORD buttonFlags) {
  // Absolute coordinates run from 0 to 65535 across the primary screen.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65536, width) + 1;
  input.mi.dy = MulDiv(at.y, 65536, height) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttonFlags;
  SendInput(1, &input, sizeof input);
}

}  // namespace

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (GetTickCount() - start >= timeoutMs) return false;
    Sleep(20);
  }
}

HWND findButtonWindow(DWORD processId) {
  Search search = {processId, nullptr};
  EnumWindows(matchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Program::Program(const std::string& arguments, bool expectWindow) {
  std::string commandLine = "\"" + testOptions().program + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(testOptions().program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                      nullptr, nullptr, &startup, &info)) {
    return;
  }
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  if (expectWindow) awaitWindow();
}

HWND Program::awaitWindow() {
  waitUntil([&] { return (window_ = findButtonWindow(processId_)) != nullptr || !running(); },
            kWindowTimeoutMs);
  return window_;
}

Program::~Program() {
  if (!process_) return;
  if (running()) {
    TerminateProcess(process_, 99);
    WaitForSingleObject(process_, 10000);
  }
  CloseHandle(process_);
}

RECT Program::windowRect() const {
  RECT rect = {};
  GetWindowRect(window_, &rect);
  return rect;
}

POINT Program::centre() const {
  const RECT r = windowRect();
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

DWORD Program::waitForExit(DWORD timeoutMs) {
  if (!process_ || WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return kStillRunning;
  DWORD code = kStillRunning;
  GetExitCodeProcess(process_, &code);
  return code;
}

DWORD Program::close() {
  PostMessageA(window_, WM_CLOSE, 0, 0);
  return waitForExit(30000);
}

bool Program::responds() const {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void moveMouse(POINT at) { sendMouse(at, 0); }
void pressLeft(POINT at) { sendMouse(at, MOUSEEVENTF_LEFTDOWN); }
void releaseLeft(POINT at) { sendMouse(at, MOUSEEVENTF_LEFTUP); }

void clickLeft(POINT at) {
  pressLeft(at);
  releaseLeft(at);
}

std::vector<unsigned char> moduleResource(const std::string& path, LPCSTR type, LPCSTR name) {
  std::vector<unsigned char> bytes;
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return bytes;
  if (HRSRC found = FindResourceA(module, name, type)) {
    const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module, found)));
    bytes.assign(data, data + SizeofResource(module, found));
  }
  FreeLibrary(module);
  return bytes;
}

std::vector<unsigned char> readFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<unsigned char>{std::istreambuf_iterator<char>(in), {}};
}

bool runningOnWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

namespace {

// One row of the GDI handle table, as 64-bit Windows and Wine lay it out.
struct GdiTableEntry {
  ULONG64 object;       // non-zero while the handle is live
  USHORT ownerProcess;  // Windows: the owner; Wine: 0 (its tables are per process)
  USHORT lock;
  USHORT unique;
  UCHAR type;
  UCHAR flags;
  ULONG64 user;
};
static_assert(sizeof(GdiTableEntry) == 24, "the 64-bit table's rows are 24 bytes");

using QueryProcess = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

struct BasicProcessInformation {
  void* reserved1;
  unsigned char* pebBaseAddress;
  void* reserved2[2];
  ULONG_PTR uniqueProcessId;
  void* reserved3;
};

}  // namespace

long gdiObjectCount(HANDLE process, DWORD processId) {
#ifdef _WIN64
  constexpr size_t kPebGdiTable = 0xF8;
  constexpr size_t kTableRows = 0x10000;
  auto query = reinterpret_cast<QueryProcess>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  BasicProcessInformation basic = {};
  ULONG length = 0;
  if (!query || query(process, 0, &basic, sizeof basic, &length) != 0) return -1;
  ULONG64 table = 0;
  if (!ReadProcessMemory(process, basic.pebBaseAddress + kPebGdiTable, &table, sizeof table, nullptr) ||
      !table) {
    return -1;
  }
  const bool perProcessTable = runningOnWine();
  std::vector<GdiTableEntry> rows(4096);
  long live = 0;
  for (size_t first = 0; first < kTableRows; first += rows.size()) {
    const auto address = reinterpret_cast<const void*>(table + first * sizeof(GdiTableEntry));
    if (!ReadProcessMemory(process, address, rows.data(), rows.size() * sizeof(GdiTableEntry), nullptr)) {
      break;  // past the table's committed end
    }
    for (const GdiTableEntry& row : rows) {
      const bool owned = perProcessTable || row.ownerProcess == static_cast<USHORT>(processId);
      live += row.object != 0 && owned;
    }
  }
  return live;
#else
  (void)process;
  (void)processId;
  return -1;  // the 32-bit table's layout differs; the leak tests run 64-bit
#endif
}

size_t privateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters = {};
  counters.cb = sizeof counters;
  // The plain record: Wine answers the extended one only for the caller.
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return counters.PagefileUsage;  // the private bytes
}

bool loadIntoProcess(HANDLE process, const std::string& dllPath) {
  const size_t size = dllPath.size() + 1;
  void* remotePath = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  if (!remotePath) return false;
  DWORD loaded = 0;
  // kernel32 lies at the same address in every process of a session.
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  if (WriteProcessMemory(process, remotePath, dllPath.c_str(), size, nullptr)) {
    if (HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, remotePath, 0, nullptr)) {
      if (WaitForSingleObject(thread, 60000) == WAIT_OBJECT_0) GetExitCodeThread(thread, &loaded);
      CloseHandle(thread);
    }
  }
  VirtualFreeEx(process, remotePath, 0, MEM_RELEASE);
  return loaded != 0;
}

size_t settledPrivateBytes(HANDLE process) {
  size_t least = privateBytes(process);
  for (int i = 0; i < 15; ++i) {
    Sleep(100);
    least = std::min(least, privateBytes(process));
  }
  return least;
}
