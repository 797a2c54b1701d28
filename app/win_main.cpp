// Registers the button's window class, shows the round window centred on the
// screen, and runs the message loop until the window is destroyed.
#include <windows.h>

#include "app/app_title.h"
#include "app/button_window.h"
#include "app/placement.h"
#include "button/button_state.h"
#include "platform/app_instance.h"

#ifndef _WIN64
static_assert(sizeof(WNDCLASSEXA) == 48, "the 32-bit class record is 48 bytes");
static_assert(sizeof(BITMAP) == 24, "the 32-bit BITMAP record is 24 bytes");
#endif

HINSTANCE appInstance;

namespace {

// A start that cannot show the button must not look like success, nor wait
// with no window to end it: it ends at once with its own exit code. A
// failed class registration ends quietly with 0.
constexpr int kExitNoButtonImage = 1;
constexpr int kExitNoWindow = 2;
constexpr int kExitMessageError = 3;

bool registerButtonClass(HINSTANCE instance) {
  WNDCLASSEXA windowClass;
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = ButtonWindowProc;
  windowClass.cbClsExtra = 0;
  windowClass.cbWndExtra = 0;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, "TUMK_ICON");
  windowClass.hIconSm = LoadIconA(instance, "TUMK_ICON");
  windowClass.hCursor = LoadCursorA(nullptr, IDC_HAND);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_SCROLLBAR + 1);
  windowClass.lpszMenuName = nullptr;
  windowClass.lpszClassName = kAppTitle;
  return RegisterClassExA(&windowClass) != 0;
}

// The button image decides the window's size; it is loaded only to be
// measured.
bool measureButtonImage(LONG* width, LONG* height) {
  HBITMAP bitmap = LoadBitmapA(appInstance, kButtonImage);
  if (!bitmap) return false;
  BITMAP info;
  const bool measured = GetObjectA(bitmap, sizeof info, &info) == sizeof info &&
                        info.bmWidth > 0 && info.bmHeight > 0;
  DeleteObject(bitmap);
  if (!measured) return false;
  *width = info.bmWidth;
  *height = info.bmHeight;
  return true;
}

int runMessageLoop() {
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return kExitMessageError;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  if (!registerButtonClass(instance)) return 0;
  appInstance = instance;

  RECT screen;
  GetClientRect(GetDesktopWindow(), &screen);
  LONG width, height;
  if (!measureButtonImage(&width, &height)) return kExitNoButtonImage;

  HWND hwnd = CreateWindowExA(0, kAppTitle, kAppTitle, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                              width, height, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return kExitNoWindow;
  // The system owns the region from here on.
  SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, width, height), TRUE);
  const ButtonPlacement place = PlaceButton(screen.right, screen.bottom, width, height);
  MoveWindow(hwnd, place.x, place.y, place.width, place.height, FALSE);
  // No UpdateWindow: the first paint comes through the loop.
  ShowWindow(hwnd, showCommand);
  return runMessageLoop();
}
