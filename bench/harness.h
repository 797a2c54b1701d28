// What every measure of the benchmark shares: the subjects, time, the
// screen's pixels, the mouse, and starting, finding and closing a program.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

constexpr int kSize = 238;  // the button's window, and the references'

// A program measured, and how its window shows each state on the screen.
struct Subject {
  const char* name;  // in progress lines
  std::string path;
  POINT probe;  // a pixel, in window coordinates, that tells the states apart
  COLORREF raised, pushed;
};

struct Running {
  PROCESS_INFORMATION info = {};
  HWND window = nullptr;
};

double nowMs();
// Polls until `done` holds; the time it took, or -1 after `limitMs`.
double timeUntil(const std::function<bool()>& done, double limitMs = 120000);
double percentile(std::vector<double> values, double p);
// A line on standard error: what was done, and the seconds since `sinceMs`.
void progress(double sinceMs, const char* format, ...) __attribute__((format(printf, 2, 3)));

// A point of the centred window, in screen coordinates.
POINT onScreen(POINT inWindow);
COLORREF screenPixel(POINT at);
// A pixel of a button image in the program's resources, or CLR_INVALID.
COLORREF imagePixel(const std::string& program, const char* name, POINT at);
// A mouse move to `at` on the screen with `buttons` (MOUSEEVENTF_ flags),
// through the input queue.
void sendMouse(POINT at, DWORD buttons);

bool start(const Subject& s, Running* run);
// Once started: waits until the subject shows raised, and finds its window.
void awaitWindow(const Subject& s, Running* run);
HWND topWindowOf(DWORD processId);
// Closes the program's window and waits for it to end; `exitCode` gets its
// exit code, or STILL_ACTIVE if it had to be ended.
void finish(Running* run, DWORD* exitCode = nullptr);

// The least private bytes (or working set) read over a second and a half,
// so that a page the system takes and gives back in passing is not counted.
size_t settledMemory(HANDLE process, bool workingSet);
