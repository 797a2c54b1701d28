#include "bench/measures.h"

// Start-up, then nine clicks. The first press meets a sound player that has
// never played; then the presses alternate between one that follows the
// last release at once, while the last press's sound still plays, and one
// that waits until it has ended, as a person's slower clicking would.
void measureLaunch(const Subject& s, const Options& o, LaunchSamples* out) {
  const POINT probe = onScreen(s.probe);
  const POINT centre = onScreen({kSize / 2, kSize / 2});
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
