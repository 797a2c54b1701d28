#include "app/button_window.h"

#include "button/button_state.h"
#include "button/paint.h"
#include "platform/app_instance.h"

#include <mmsystem.h>

namespace {

void repaintWhole(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  InvalidateRect(hwnd, &client, TRUE);
}

// Asynchronous, so the press returns at once; a press while the sound still
// plays starts it again. Without SND_NODEFAULT a sound that cannot be played
// is replaced by the system's default one.
void playPushSound() { PlaySoundA("PUSH_SOUND", appInstance, SND_RESOURCE | SND_ASYNC); }

void carryOut(HWND hwnd, const ButtonEffects& effects) {
  for (unsigned i = 0; i < effects.count; ++i) {
    switch (effects.items[i]) {
      case ButtonAction::Repaint: repaintWhole(hwnd); break;
      case ButtonAction::PlayPushSound: playPushSound(); break;
      case ButtonAction::Dismiss: DestroyWindow(hwnd); break;
    }
  }
}

}  // namespace

LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      PaintButton(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      carryOut(hwnd, press());
      return 0;
    case WM_LBUTTONUP:
      carryOut(hwnd, release());
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}
