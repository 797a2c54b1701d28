// Measures the button against the reference program under the same
// conditions, alternating between them, and prints a table and JSON:
//   bench_driver --program=PATH --reference=PATH [--size32=PATH]
//                [--launches=N] [--cycles=N] [--idle-seconds=N] [--quiet-ms=N]
//                [--storm=N] [--copies=N] [--copy-rounds=N] [--json=PATH]
// Timings are read off the screen's pixels, not the programs' messages.
#include <windows.h>
#include <psapi.h>

#include "tests/win/gdi_objects.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 238;

struct Subject {
  const char* name;
  std::string path;
  POINT probe;         // a pixel, in window coordinates, that tells the states apart
  COLORREF raised, pushed;
};

struct Options {
  std::string program, reference, program32, json;
  int launches = 45, cycles = 10000, idleSeconds = 10;
  int quietMs = 600;  // longer than the push sound
  int storm = 100000, copies = 8, copyRounds = 5;
};

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

POINT windowOrigin() {
  RECT screen;
  GetClientRect(GetDesktopWindow(), &screen);
  return {(screen.right - kSize) / 2, (screen.bottom - kSize) / 2};
}

COLORREF screenPixel(POINT at) {
  HDC screen = GetDC(nullptr);
  const COLORREF colour = GetPixel(screen, at.x, at.y);
  ReleaseDC(nullptr, screen);
  return colour;
}

// Polls until `done` holds; the time it took, or -1 after `limitMs`.
double timeUntil(const std::function<bool()>& done, double limitMs = 120000) {
  const double start = nowMs();
  while (!done()) {
    if (nowMs() - start > limitMs) return -1;
  }
  return nowMs() - start;
}

// A pixel of a button image in the program's resources.
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

struct Running {
  PROCESS_INFORMATION info = {};
  HWND window = nullptr;
};

bool start(const Subject& s, Running* run) {
  std::string line = "\"" + s.path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  return CreateProcessA(s.path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &run->info) != 0;
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

// Closes the program's window and waits for it to end; `exitCode` gets its
// exit code, or STILL_ACTIVE if it had to be ended.
void finish(Running* run, DWORD* exitCode = nullptr) {
  if (run->window) PostMessageA(run->window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(run->info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(run->info.hProcess, STILL_ACTIVE);
    WaitForSingleObject(run->info.hProcess, 10000);
  }
  if (exitCode) GetExitCodeProcess(run->info.hProcess, exitCode);
  CloseHandle(run->info.hThread);
  CloseHandle(run->info.hProcess);
}

void sendMouse(POINT at, DWORD buttons) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dx = MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1;
  input.mi.dy = MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1;
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
  SendInput(1, &input, sizeof input);
}

double percentile(std::vector<double> values, double p) {
  if (values.empty()) return -1;
  std::sort(values.begin(), values.end());
  const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
  return values[index];
}

// What one launch of one subject measures.
struct LaunchSamples {
  std::vector<double> startup, firstPress, pressWhilePlaying, pressAfterQuiet, release;
};

// Start-up, then nine clicks. The first press meets a sound player that has
// never played; then the presses alternate between one that follows the
// last release at once, while the last press's sound still plays, and one
// that waits until it has ended, as a person's slower clicking would.
void measureLaunch(const Subject& s, const Options& o, LaunchSamples* out) {
  const POINT origin = windowOrigin();
  const POINT probe = {origin.x + s.probe.x, origin.y + s.probe.y};
  const POINT centre = {origin.x + kSize / 2, origin.y + kSize / 2};
  // The last launch's window must be gone from the screen first.
  timeUntil([&] { return screenPixel(probe) != s.raised; }, 10000);
  Running run;
  const double t0 = nowMs();
  if (!start(s, &run)) return;
  const double shown = timeUntil([&] { return screenPixel(probe) == s.raised; });
  if (shown >= 0) out->startup.push_back(nowMs() - t0);
  run.window = topWindowOf(run.info.dwProcessId);
  for (int click = 0; click < 9 && shown >= 0; ++click) {
    const POINT at = {centre.x + (click % 2 ? 12 : -12), centre.y};  // never a double click
    std::vector<double>* press = click == 0 ? &out->firstPress
                                 : click % 2 ? &out->pressAfterQuiet
                                             : &out->pressWhilePlaying;
    if (press == &out->pressAfterQuiet) Sleep(DWORD(o.quietMs));
    sendMouse(at, 0);
    double t = nowMs();
    sendMouse(at, MOUSEEVENTF_LEFTDOWN);
    if (timeUntil([&] { return screenPixel(probe) == s.pushed; }, 10000) >= 0) press->push_back(nowMs() - t);
    t = nowMs();
    sendMouse(at, MOUSEEVENTF_LEFTUP);
    if (timeUntil([&] { return screenPixel(probe) == s.raised; }, 10000) >= 0) out->release.push_back(nowMs() - t);
  }
  finish(&run);
}

size_t settled(HANDLE process, bool workingSet) {
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

double cpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) { return double(ULONGLONG(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

// Idle CPU time, and memory after start, after a thousand presses (the
// system's sound player sets itself up on the first), halfway through many
// more and after them. Under Wine the sound player takes a few more pages
// once, somewhere in the first thousands of presses; growth over the second
// half tells that from a leak.
constexpr int kMemoryFigures = 12;
const char* const kMemoryNames[kMemoryFigures] = {
    "working set after start", "private bytes after start",
    "working set after 1,000 presses", "private bytes after 1,000 presses",
    "working set halfway through the cycles", "private bytes halfway through the cycles",
    "working set after the cycles", "private bytes after the cycles",
    "working set growth over the cycles", "private bytes growth over the cycles",
    "working set growth over the second half", "private bytes growth over the second half"};

// CPU time is read idle and over the cycles: the second shows the reading
// works, so that a zero in the first means nothing ran.
void measureResources(const Subject& s, const Options& o, double cpu[2], double memory[kMemoryFigures]) {
  Running run;
  if (!start(s, &run)) return;
  const POINT origin = windowOrigin();
  const POINT probe = {origin.x + s.probe.x, origin.y + s.probe.y};
  timeUntil([&] { return screenPixel(probe) == s.raised; });
  run.window = topWindowOf(run.info.dwProcessId);
  Sleep(500);
  const double before = cpuMs(run.info.hProcess);
  Sleep(DWORD(o.idleSeconds) * 1000);
  cpu[0] = cpuMs(run.info.hProcess) - before;
  auto measure = [&](int at) {
    memory[at] = double(settled(run.info.hProcess, true));
    memory[at + 1] = double(settled(run.info.hProcess, false));
  };
  measure(0);
  auto pressAndPaint = [&] {
    SendMessageA(run.window, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(run.window, WM_PAINT, 0, 0);
  };
  for (int i = 0; i < 1000; ++i) pressAndPaint();
  measure(2);
  // A cycle is a press, its paint, and now and then a release: fewer than
  // ten in all, so the window stays.
  double busy = 0;
  for (int half = 0; half < 2; ++half) {
    const double busyFrom = cpuMs(run.info.hProcess);
    for (int i = half * o.cycles / 2 + 1; i <= (half + 1) * o.cycles / 2; ++i) {
      pressAndPaint();
      if (i % (o.cycles / 5 + 1) == 0) SendMessageA(run.window, WM_LBUTTONUP, 0, 0);
    }
    busy += cpuMs(run.info.hProcess) - busyFrom;
    measure(4 + 2 * half);
  }
  cpu[1] = busy;
  for (int m = 0; m < 2; ++m) {
    memory[8 + m] = memory[6 + m] - memory[2 + m];
    memory[10 + m] = memory[6 + m] - memory[4 + m];
  }
  finish(&run);
}

// The program under a storm of presses with no release between them, and
// eight copies started at once.

// How long the program takes to answer a message sent now; -1 if it does
// not within five seconds.
double answerMs(HWND window) {
  const double start = nowMs();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) return -1;
  return nowMs() - start;
}

struct StormFigures {
  int posted = 0, throughInput = 0;
  double postedSeconds = 0, inputSeconds = 0;
  int answers = 0, unanswered = 0;
  double slowestAnswerMs = 0;
  long gdiBefore = -1, gdiAfter = -1;
  double memoryBefore = 0, memoryAfter = 0;
  bool pushedAfter = false, raisedAfterNineReleases = false, runningAfterNineReleases = false;
  DWORD exitCode = STILL_ACTIVE;
};

void noteAnswer(HWND window, StormFigures* f) {
  const double ms = answerMs(window);
  if (ms < 0) {
    ++f->unanswered;
  } else {
    ++f->answers;
    f->slowestAnswerMs = std::max(f->slowestAnswerMs, ms);
  }
}

// Presses `times` times, asking for an answer every thousand, then waits
// (an hour at most) until the program has handled them all: the window
// invalidated now is painted only once no posted or input message waits
// before the paint.
double flood(const Running& run, int times, const std::function<void(int)>& press, StormFigures* f) {
  const double start = nowMs();
  for (int i = 1; i <= times; ++i) {
    press(i);
    if (i % 1000 == 0) noteAnswer(run.window, f);
  }
  InvalidateRect(run.window, nullptr, FALSE);
  while (GetUpdateRect(run.window, nullptr, FALSE) && nowMs() - start < 3600e3 &&
         WaitForSingleObject(run.info.hProcess, 200) == WAIT_TIMEOUT) {
    noteAnswer(run.window, f);
  }
  return (nowMs() - start) / 1000;
}

// A press posted to the window. Windows holds at most 10,000 posted
// messages a queue: while it is full, wait for the program to take some.
void postPress(HWND window) {
  for (int tries = 0; tries < 6000 && !PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, 0); ++tries) {
    if (GetLastError() != ERROR_NOT_ENOUGH_QUOTA) return;
    Sleep(10);
  }
}

// Half the presses posted, half through the input queue (each a little aside
// of the last, so none makes a double click), after a thousand each way to
// let the sound player and the cursor set themselves up; then nine releases
// and a close.
StormFigures measureStorm(const Subject& s, const Options& o) {
  StormFigures f;
  Running run;
  if (!start(s, &run)) return f;
  const POINT origin = windowOrigin();
  const POINT probe = {origin.x + s.probe.x, origin.y + s.probe.y};
  const POINT centre = {origin.x + kSize / 2, origin.y + kSize / 2};
  timeUntil([&] { return screenPixel(probe) == s.raised; });
  run.window = topWindowOf(run.info.dwProcessId);
  auto posted = [&](int) { postPress(run.window); };
  auto throughInput = [&](int i) { sendMouse({centre.x + (i % 2 ? 10 : -10), centre.y}, MOUSEEVENTF_LEFTDOWN); };
  flood(run, 1000, posted, &f);
  flood(run, 1000, throughInput, &f);
  f.gdiBefore = gdiObjects(run.info.hProcess, run.info.dwProcessId);
  f.memoryBefore = double(settled(run.info.hProcess, false));
  f.posted = o.storm / 2;
  f.throughInput = o.storm - f.posted;
  f.postedSeconds = flood(run, f.posted, posted, &f);
  f.inputSeconds = flood(run, f.throughInput, throughInput, &f);
  sendMouse({0, 0}, MOUSEEVENTF_LEFTUP);  // the system's button back up, away from the window
  f.pushedAfter = timeUntil([&] { return screenPixel(probe) == s.pushed; }, 10000) >= 0;
  for (int i = 0; i < 9; ++i) PostMessageA(run.window, WM_LBUTTONUP, 0, 0);
  f.raisedAfterNineReleases = timeUntil([&] { return screenPixel(probe) == s.raised; }, 10000) >= 0;
  f.runningAfterNineReleases = WaitForSingleObject(run.info.hProcess, 1000) == WAIT_TIMEOUT;
  f.gdiAfter = gdiObjects(run.info.hProcess, run.info.dwProcessId);
  f.memoryAfter = double(settled(run.info.hProcess, false));
  finish(&run, &f.exitCode);
  return f;
}

struct CopiesFigures {
  int started = 0, shown = 0, endedWithZero = 0;
  std::vector<double> toWindowMs;
  std::string failures;  // what went wrong, copy by copy
};

// Copies started at once, each until its window shows; spread apart, half
// end by ten clicks each, the others by a close.
void measureCopies(const Subject& s, const Options& o, CopiesFigures* f) {
  std::vector<Running> runs(size_t(o.copies));
  std::vector<bool> started(runs.size());
  const double t0 = nowMs();
  for (size_t i = 0; i < runs.size(); ++i) started[i] = start(s, &runs[i]);
  for (size_t i = 0; i < runs.size(); ++i) {
    if (!started[i]) {
      f->failures += "a copy did not start; ";
      continue;
    }
    ++f->started;
    const DWORD id = runs[i].info.dwProcessId;
    timeUntil([&] { return (runs[i].window = topWindowOf(id)) != nullptr ||
                           WaitForSingleObject(runs[i].info.hProcess, 0) == WAIT_OBJECT_0; });
    if (!runs[i].window) {
      DWORD code = STILL_ACTIVE;
      GetExitCodeProcess(runs[i].info.hProcess, &code);
      f->failures += "copy " + std::to_string(i) + ": no window, " +
                     (code == STILL_ACTIVE ? std::string("still running") : "exit code " + std::to_string(code)) + "; ";
      continue;
    }
    ++f->shown;
    f->toWindowMs.push_back(nowMs() - t0);
    SetWindowPos(runs[i].window, nullptr, 10 + 250 * int(i % 4), 10 + 250 * int(i / 4 % 3), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (size_t i = 0; i < runs.size(); ++i) {
    if (!runs[i].window) continue;
    if (i % 2 == 0) {
      RECT r;
      timeUntil([&] { return GetWindowRect(runs[i].window, &r) && r.left == 10 + 250 * int(i % 4); }, 10000);
      for (int click = 0; click < 10; ++click) {
        const POINT at = {r.left + kSize / 2 + (click % 2 ? 10 : -10), r.top + kSize / 2};
        sendMouse(at, MOUSEEVENTF_LEFTDOWN);
        sendMouse(at, MOUSEEVENTF_LEFTUP);
      }
      if (WaitForSingleObject(runs[i].info.hProcess, 30000) == WAIT_OBJECT_0) runs[i].window = nullptr;
    }
  }
  for (size_t i = 0; i < runs.size(); ++i) {
    if (!started[i]) continue;
    DWORD code = STILL_ACTIVE;
    finish(&runs[i], &code);
    if (code == 0) ++f->endedWithZero;
    else f->failures += "copy " + std::to_string(i) + " ended with " + std::to_string(code) + "; ";
  }
}

// File size, and the bytes of its resources, of an executable.
std::pair<double, double> sizes(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA attributes = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &attributes);
  double resources = 0;
  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (module) {
    EnumResourceTypesA(
        module,
        [](HMODULE m, LPSTR type, LONG_PTR total) -> BOOL {
          return EnumResourceNamesA(
              m, type,
              [](HMODULE m2, LPCSTR t, LPSTR name, LONG_PTR sum) -> BOOL {
                if (HRSRC r = FindResourceA(m2, name, t)) *reinterpret_cast<double*>(sum) += SizeofResource(m2, r);
                return TRUE;
              },
              total);
        },
        reinterpret_cast<LONG_PTR>(&resources));
    FreeLibrary(module);
  }
  return {double(attributes.nFileSizeLow), resources};
}

bool option(const char* arg, const char* name, std::string* out) {
  const size_t n = std::strlen(name);
  if (std::strncmp(arg, name, n) != 0) return false;
  *out = arg + n;
  return true;
}

bool parseOptions(int argc, char** argv, Options* o) {
  // Each count option with the least value it takes.
  const struct {
    const char* name;
    int* value;
    int least;
  } counts[] = {{"--launches=", &o->launches, 1}, {"--cycles=", &o->cycles, 1},
                {"--idle-seconds=", &o->idleSeconds, 1}, {"--quiet-ms=", &o->quietMs, 0},
                {"--storm=", &o->storm, 2}, {"--copies=", &o->copies, 1},
                {"--copy-rounds=", &o->copyRounds, 1}};
  for (int i = 1; i < argc; ++i) {
    if (option(argv[i], "--program=", &o->program) || option(argv[i], "--reference=", &o->reference) ||
        option(argv[i], "--size32=", &o->program32) || option(argv[i], "--json=", &o->json)) {
      continue;
    }
    bool known = false;
    for (const auto& count : counts) {
      std::string v;
      if (!option(argv[i], count.name, &v)) continue;
      *count.value = std::max(count.least, std::atoi(v.c_str()));
      known = true;
    }
    if (!known) {
      std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
      return false;
    }
  }
  return true;
}

// The timings table, medians and 95th percentiles, also added to `json`.
void reportTimings(const LaunchSamples& ofProgram, const LaunchSamples& ofReference, std::string* json) {
  std::printf("| measure | program median | program p95 | reference median | reference p95 | ratio median | ratio p95 |\n");
  std::printf("|---|---|---|---|---|---|---|\n");
  const std::pair<const char*, std::vector<double> LaunchSamples::*> timings[] = {
      {"start-up to first frame, ms", &LaunchSamples::startup},
      {"first press to pixels, ms", &LaunchSamples::firstPress},
      {"press to pixels, last sound playing, ms", &LaunchSamples::pressWhilePlaying},
      {"press to pixels, last sound ended, ms", &LaunchSamples::pressAfterQuiet},
      {"release to pixels, ms", &LaunchSamples::release}};
  *json += "  \"timings_ms\": {";
  for (size_t i = 0; i < std::size(timings); ++i) {
    const std::vector<double>& program = ofProgram.*timings[i].second;
    const std::vector<double>& reference = ofReference.*timings[i].second;
    const double pm = percentile(program, 0.5), p95 = percentile(program, 0.95);
    const double rm = percentile(reference, 0.5), r95 = percentile(reference, 0.95);
    const double ratio = rm > 0 ? pm / rm : 0.0, ratio95 = r95 > 0 ? p95 / r95 : 0.0;
    std::printf("| %s (n=%zu/%zu) | %.1f | %.1f | %.1f | %.1f | %.2f | %.2f |\n", timings[i].first,
                program.size(), reference.size(), pm, p95, rm, r95, ratio, ratio95);
    char entry[512];
    std::snprintf(entry, sizeof entry,
                  "%s\n    \"%s\": {\"program\": {\"n\": %zu, \"median\": %.2f, \"p95\": %.2f}, "
                  "\"reference\": {\"n\": %zu, \"median\": %.2f, \"p95\": %.2f}, "
                  "\"ratio\": {\"median\": %.3f, \"p95\": %.3f}}",
                  i ? "," : "", timings[i].first, program.size(), pm, p95, reference.size(), rm, r95, ratio,
                  ratio95);
    *json += entry;
  }
  *json += "\n  },\n";
}

// CPU and memory, program beside reference, also added to `json`.
void reportResources(const Options& o, const double cpu[2][2], const double memory[2][kMemoryFigures],
                     std::string* json) {
  std::printf("\n| measure | program | reference |\n|---|---|---|\n");
  std::printf("| CPU while idle %d s, ms | %.1f | %.1f |\n", o.idleSeconds, cpu[0][0], cpu[1][0]);
  std::printf("| CPU over the %d cycles, ms | %.1f | %.1f |\n", o.cycles, cpu[0][1], cpu[1][1]);
  char entry[512];
  std::snprintf(entry, sizeof entry,
                "  \"cpu_ms\": {\"idle_seconds\": %d, \"idle\": {\"program\": %.1f, \"reference\": %.1f}, "
                "\"over_the_cycles\": {\"program\": %.1f, \"reference\": %.1f}},\n",
                o.idleSeconds, cpu[0][0], cpu[1][0], cpu[0][1], cpu[1][1]);
  *json += entry;
  *json += "  \"memory_bytes\": {\"cycles\": " + std::to_string(o.cycles);
  for (int m = 0; m < kMemoryFigures; ++m) {
    std::printf("| %s (%d cycles), bytes | %.0f | %.0f |\n", kMemoryNames[m], o.cycles, memory[0][m], memory[1][m]);
    std::snprintf(entry, sizeof entry, ", \"%s\": {\"program\": %.0f, \"reference\": %.0f}", kMemoryNames[m],
                  memory[0][m], memory[1][m]);
    *json += entry;
  }
  *json += "},\n";
}

// The storm's figures, also added to `json`.
void reportStorm(const StormFigures& f, std::string* json) {
  auto yes = [](bool b) { return b ? "yes" : "no"; };
  std::printf("\n| storm of presses | figure |\n|---|---|\n");
  std::printf("| presses posted, handled in | %d, %.1f s |\n", f.posted, f.postedSeconds);
  std::printf("| presses through the input queue, handled in | %d, %.1f s |\n", f.throughInput, f.inputSeconds);
  std::printf("| answered while busy, slowest answer | %d of %d, %.0f ms |\n", f.answers, f.answers + f.unanswered,
              f.slowestAnswerMs);
  std::printf("| GDI objects before / after | %ld / %ld |\n", f.gdiBefore, f.gdiAfter);
  std::printf("| private bytes before / after | %.0f / %.0f |\n", f.memoryBefore, f.memoryAfter);
  std::printf("| pushed image after the storm; raised and running after nine releases | %s; %s, %s |\n",
              yes(f.pushedAfter), yes(f.raisedAfterNineReleases), yes(f.runningAfterNineReleases));
  std::printf("| exit code on close | %lu |\n", f.exitCode);
  char entry[768];
  std::snprintf(entry, sizeof entry,
                "  \"storm\": {\"posted\": %d, \"posted_seconds\": %.2f, \"through_input\": %d, "
                "\"input_seconds\": %.2f, \"answers\": %d, \"unanswered\": %d, \"slowest_answer_ms\": %.1f, "
                "\"gdi_before\": %ld, \"gdi_after\": %ld, \"private_bytes_before\": %.0f, "
                "\"private_bytes_after\": %.0f, \"pushed_after\": %s, \"raised_after_nine_releases\": %s, "
                "\"running_after_nine_releases\": %s, \"exit_code\": %lu},\n",
                f.posted, f.postedSeconds, f.throughInput, f.inputSeconds, f.answers, f.unanswered,
                f.slowestAnswerMs, f.gdiBefore, f.gdiAfter, f.memoryBefore, f.memoryAfter,
                f.pushedAfter ? "true" : "false", f.raisedAfterNineReleases ? "true" : "false",
                f.runningAfterNineReleases ? "true" : "false", f.exitCode);
  *json += entry;
}

// The copies' figures over all rounds, also added to `json`.
void reportCopies(const Options& o, const CopiesFigures& f, std::string* json) {
  std::printf("\n| %d copies at once, %d rounds | figure |\n|---|---|\n", o.copies, o.copyRounds);
  std::printf("| started / showed a window / ended with 0 | %d / %d / %d |\n", f.started, f.shown, f.endedWithZero);
  std::printf("| start to window, median / slowest | %.0f / %.0f ms |\n", percentile(f.toWindowMs, 0.5),
              percentile(f.toWindowMs, 1.0));
  std::printf("| failures | %s |\n", f.failures.empty() ? "none" : f.failures.c_str());
  char entry[512];
  std::snprintf(entry, sizeof entry,
                "  \"copies\": {\"at_once\": %d, \"rounds\": %d, \"started\": %d, \"shown\": %d, "
                "\"ended_with_zero\": %d, \"to_window_median_ms\": %.1f, \"to_window_slowest_ms\": %.1f, "
                "\"failures\": \"%s\"},\n",
                o.copies, o.copyRounds, f.started, f.shown, f.endedWithZero, percentile(f.toWindowMs, 0.5),
                percentile(f.toWindowMs, 1.0), f.failures.c_str());
  *json += entry;
}

// Each executable's bytes beyond its resources, also added to `json`.
void reportSizes(const Options& o, std::string* json) {
  *json += "  \"executables\": [";
  std::printf("\n| executable | file bytes | resource bytes | code, headers and imports |\n|---|---|---|---|\n");
  bool first = true;
  for (const std::string& path : {o.program32, o.program}) {
    if (path.empty()) continue;
    const auto [file, resources] = sizes(path);
    std::printf("| %s | %.0f | %.0f | %.0f |\n", path.c_str(), file, resources, file - resources);
    std::string escaped;
    for (char c : path) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    char entry[512];
    std::snprintf(entry, sizeof entry, "%s{\"path\": \"%s\", \"file\": %.0f, \"resources\": %.0f, \"overhead\": %.0f}",
                  first ? "" : ", ", escaped.c_str(), file, resources, file - resources);
    *json += entry;
    first = false;
  }
  *json += "]\n";
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parseOptions(argc, argv, &o)) return 2;
  const POINT rim = {35, 35};  // lit when raised, dark when pushed
  const Subject program = {"program", o.program, rim, imagePixel(o.program, "BUTTON", rim),
                           imagePixel(o.program, "BUTTON_PUSHED", rim)};
  const Subject reference = {"reference", o.reference, {kSize / 2, kSize / 2}, RGB(230, 62, 60),
                             RGB(60, 62, 230)};
  if (program.raised == CLR_INVALID || program.pushed == CLR_INVALID) {
    std::fprintf(stderr, "cannot read the images of %s\n", o.program.c_str());
    return 1;
  }

  LaunchSamples ofProgram, ofReference;
  for (int i = 0; i < o.launches; ++i) {  // alternately, so both meet the same machine
    measureLaunch(program, o, &ofProgram);
    measureLaunch(reference, o, &ofReference);
    std::fprintf(stderr, "\rlaunch %d of %d", i + 1, o.launches);
  }
  std::fprintf(stderr, "\n");
  double cpu[2][2] = {{-1, -1}, {-1, -1}}, memory[2][kMemoryFigures] = {};
  measureResources(program, o, cpu[0], memory[0]);
  measureResources(reference, o, cpu[1], memory[1]);

  std::fprintf(stderr, "storm of %d presses\n", o.storm);
  const StormFigures storm = measureStorm(program, o);
  CopiesFigures copies;
  for (int round = 0; round < o.copyRounds; ++round) {
    measureCopies(program, o, &copies);
    std::fprintf(stderr, "\rcopies, round %d of %d", round + 1, o.copyRounds);
  }
  std::fprintf(stderr, "\n");

  std::string json = "{\n";
  reportTimings(ofProgram, ofReference, &json);
  reportResources(o, cpu, memory, &json);
  reportStorm(storm, &json);
  reportCopies(o, copies, &json);
  reportSizes(o, &json);
  json += "}\n";
  if (!o.json.empty()) {
    if (FILE* f = std::fopen(o.json.c_str(), "w")) {
      std::fputs(json.c_str(), f);
      std::fclose(f);
    }
  }
  return 0;
}
