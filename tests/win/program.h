// Drives the program under test as a user would: starts it, finds its
// window, clicks it through SendInput, and waits for it to end.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr char kButtonClass[] = "\xD2\xF3\xEC\xEA\x21";  // "Тумк!" in Windows-1251
constexpr int kButtonSize = 238;  // the button image's size
constexpr DWORD kStillRunning = STILL_ACTIVE;

// Polls `condition` until it holds or `timeoutMs` runs out.
bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

class Program {
 public:
  // Starts the program with `arguments` after its name; waits for its window
  // unless `expectWindow` is false.
  explicit Program(const std::string& arguments = "", bool expectWindow = true);
  // Waits for the window of a program started without waiting for it.
  HWND awaitWindow();
  ~Program();  // ends the process if a test left it running
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool started() const { return process_ != nullptr; }
  HWND window() const { return window_; }
  RECT windowRect() const;
  POINT centre() const;

  // The exit code once it ends within `timeoutMs`, else kStillRunning.
  DWORD waitForExit(DWORD timeoutMs);
  // Closes the window from outside, as another program would, and waits.
  DWORD close();
  bool running() { return waitForExit(0) == kStillRunning; }
  // True while its thread still answers messages.
  bool responds() const;
  HANDLE process() const { return process_; }
  DWORD processId() const { return processId_; }

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
  HWND window_ = nullptr;
};

// The program's visible button window, if it has one.
HWND findButtonWindow(DWORD processId);

// Mouse input through the system's input queue, at screen points.
void moveMouse(POINT at);
void pressLeft(POINT at);
void releaseLeft(POINT at);
void clickLeft(POINT at);

// A resource of a module opened as data.
std::vector<unsigned char> moduleResource(const std::string& path, LPCSTR type, LPCSTR name);
std::vector<unsigned char> readFileBytes(const std::string& path);

// Wine's ntdll exports its version; Windows' does not.
bool runningOnWine();

// GDI objects the process holds, read from its GDI handle table. Windows
// exposes no such count but GetGuiResources, which Wine leaves a stub;
// the table is where both keep them. -1 if it cannot be read.
long gdiObjectCount(HANDLE process, DWORD processId);

// The process's private bytes, or 0 if they cannot be read.
size_t privateBytes(HANDLE process);
// The same with the push sound's player at rest: the least of a few readings
// over a second and a half, since a playing sound holds buffers.
size_t settledPrivateBytes(HANDLE process);

// Loads a DLL into the program's process through a remote thread, waiting
// until it is loaded (and its DllMain has run).
bool loadIntoProcess(HANDLE process, const std::string& dllPath);
