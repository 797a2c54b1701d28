#include "tests/win/program.h"

#include "tests/win/test_options.h"

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
  if (expectWindow) {
    waitUntil([&] { return (window_ = findButtonWindow(processId_)) != nullptr || !running(); },
              kWindowTimeoutMs);
  }
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
