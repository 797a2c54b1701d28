#include "bench/measures.h"

namespace {

double cpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(process, &created, &exited, &kernel, &user);
  auto ms = [](FILETIME f) { return double(ULONGLONG(f.dwHighDateTime) << 32 | f.dwLowDateTime) / 1e4; };
  return ms(kernel) + ms(user);
}

Memory memoryOf(HANDLE process) {
  return {double(settledMemory(process, true)), double(settledMemory(process, false))};
}

}  // namespace

// CPU time is read idle and over the cycles: the second shows the reading
// works, so that a zero in the first means nothing ran. Memory is read
// after a thousand presses, since the system's sound player sets itself up
// on the first; growth over the second half of the cycles tells what the
// player keeps on its own from a leak.
void measureUse(const Subject& s, const Options& o, UseFigures* out) {
  Running run;
  double t = nowMs();
  if (!start(s, &run)) return;
  awaitWindow(s, &run);
  Sleep(500);
  const double before = cpuMs(run.info.hProcess);
  Sleep(DWORD(o.idleSeconds) * 1000);
  out->idleCpuMs = cpuMs(run.info.hProcess) - before;
  out->afterStart = memoryOf(run.info.hProcess);
  progress(t, "%s: started, idle %d s", s.name, o.idleSeconds);
  t = nowMs();
  auto pressAndPaint = [&] {
    SendMessageA(run.window, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(run.window, WM_PAINT, 0, 0);
  };
  for (int i = 0; i < 1000; ++i) pressAndPaint();
  out->afterThousandPresses = memoryOf(run.info.hProcess);
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
    (half ? out->afterCycles : out->halfway) = memoryOf(run.info.hProcess);
  }
  out->cyclesCpuMs = busy;
  finish(&run);
  progress(t, "%s: 1000 presses and %d press cycles", s.name, o.cycles);
}
