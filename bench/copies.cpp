#include "bench/measures.h"

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
