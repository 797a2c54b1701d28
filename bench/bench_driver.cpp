// Measures the button against the reference program under the same
// conditions, alternating between them, and prints a table and JSON:
//   bench_driver --program=PATH --reference=PATH [--size32=PATH]
//                [--launches=N] [--cycles=N] [--idle-seconds=N] [--quiet-ms=N]
//                [--json=PATH]
// Timings are read off the screen's pixels, not the programs' messages.
#include <windows.h>
#include <psapi.h>

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

void finish(Running* run) {
  if (run->window) PostMessageA(run->window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(run->info.hProcess, 30000) != WAIT_OBJECT_0) {
    TerminateProcess(run->info.hProcess, 1);
  }
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
  for (int i = 1; i < argc; ++i) {
    std::string v;
    if (option(argv[i], "--program=", &o->program) || option(argv[i], "--reference=", &o->reference) ||
        option(argv[i], "--size32=", &o->program32) || option(argv[i], "--json=", &o->json)) {
    } else if (option(argv[i], "--launches=", &v)) {
      o->launches = std::max(1, std::atoi(v.c_str()));
    } else if (option(argv[i], "--cycles=", &v)) {
      o->cycles = std::max(1, std::atoi(v.c_str()));
    } else if (option(argv[i], "--idle-seconds=", &v)) {
      o->idleSeconds = std::max(1, std::atoi(v.c_str()));
    } else if (option(argv[i], "--quiet-ms=", &v)) {
      o->quietMs = std::max(0, std::atoi(v.c_str()));
    } else {
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

  std::string json = "{\n";
  reportTimings(ofProgram, ofReference, &json);
  reportResources(o, cpu, memory, &json);
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
