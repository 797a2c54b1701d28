#include "bench/measures.h"

#include "tests/win/gdi_objects.h"

#include <algorithm>

namespace {

// How long the program takes to answer a message sent now; -1 if it does
// not within five seconds.
double answerMs(HWND window) {
  const double start = nowMs();
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result)) return -1;
  return nowMs() - start;
}

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
// before the paint. With a `way`, says how far it got every 10,000 presses
// and every 30 s of waiting.
double flood(const Running& run, int times, const std::function<void(int)>& press, StormFigures* f,
             const char* way = nullptr) {
  const double start = nowMs();
  for (int i = 1; i <= times; ++i) {
    press(i);
    if (i % 1000 == 0) noteAnswer(run.window, f);
    if (way && i % 10000 == 0) progress(start, "storm: %d of %d presses %s", i, times, way);
  }
  InvalidateRect(run.window, nullptr, FALSE);
  double said = nowMs();
  while (GetUpdateRect(run.window, nullptr, FALSE) && nowMs() - start < 3600e3 &&
         WaitForSingleObject(run.info.hProcess, 200) == WAIT_TIMEOUT) {
    noteAnswer(run.window, f);
    if (way && nowMs() - said >= 30000) {
      said = nowMs();
      progress(start, "storm: %d presses %s, still being handled", times, way);
    }
  }
  if (way) progress(start, "storm: %d presses %s, all handled", times, way);
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

}  // namespace

// Half the presses posted, half through the input queue (each a little aside
// of the last, so none makes a double click), after a thousand each way to
// let the sound player and the cursor set themselves up; then nine releases
// and a close.
StormFigures measureStorm(const Subject& s, const Options& o) {
  StormFigures f;
  Running run;
  if (!start(s, &run)) return f;
  awaitWindow(s, &run);
  const POINT probe = onScreen(s.probe);
  const POINT centre = onScreen({kSize / 2, kSize / 2});
  auto posted = [&](int) { postPress(run.window); };
  auto throughInput = [&](int i) { sendMouse({centre.x + (i % 2 ? 10 : -10), centre.y}, MOUSEEVENTF_LEFTDOWN); };
  flood(run, 1000, posted, &f);
  flood(run, 1000, throughInput, &f);
  f.gdiBefore = gdiObjects(run.info.hProcess, run.info.dwProcessId);
  f.memoryBefore = double(settledMemory(run.info.hProcess, false));
  f.posted = o.storm / 2;
  f.throughInput = o.storm - f.posted;
  f.postedSeconds = flood(run, f.posted, posted, &f, "posted");
  f.inputSeconds = flood(run, f.throughInput, throughInput, &f, "through the input queue");
  sendMouse({0, 0}, MOUSEEVENTF_LEFTUP);  // the system's button back up, away from the window
  f.pushedAfter = timeUntil([&] { return screenPixel(probe) == s.pushed; }, 10000) >= 0;
  for (int i = 0; i < 9; ++i) PostMessageA(run.window, WM_LBUTTONUP, 0, 0);
  f.raisedAfterNineReleases = timeUntil([&] { return screenPixel(probe) == s.raised; }, 10000) >= 0;
  f.runningAfterNineReleases = WaitForSingleObject(run.info.hProcess, 1000) == WAIT_TIMEOUT;
  f.gdiAfter = gdiObjects(run.info.hProcess, run.info.dwProcessId);
  f.memoryAfter = double(settledMemory(run.info.hProcess, false));
  finish(&run, &f.exitCode);
  return f;
}
