// The least program that does what the button does on screen, to measure
// the button against: the same round popup, centred, painting one solid
// colour on each press and another on each release, no images. Ends on the
// tenth release, like the button. Built with REFERENCE_PLAYS_SOUND and the
// push sound as a resource, it also plays that as the button does, so that
// the two references tell the sound's share of a press from the image's.
#include <windows.h>
#include <mmsystem.h>

namespace {

constexpr char kClassName[] = "tumk-reference";
constexpr int kSize = 238;
constexpr COLORREF kRaised = RGB(230, 62, 60);
constexpr COLORREF kPushed = RGB(60, 62, 230);

HINSTANCE appInstance;
bool pushed;
int releases;

void paint(HWND hwnd) {
  PAINTSTRUCT ps;
  HDC hdc = BeginPaint(hwnd, &ps);
  HBRUSH brush = CreateSolidBrush(pushed ? kPushed : kRaised);
  RECT all = {0, 0, kSize, kSize};
  FillRect(hdc, &all, brush);
  DeleteObject(brush);
  EndPaint(hwnd, &ps);
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      paint(hwnd);
      return 0;
    case WM_LBUTTONDOWN:
      pushed = true;
      InvalidateRect(hwnd, nullptr, FALSE);
#ifdef REFERENCE_PLAYS_SOUND
      PlaySoundA("PUSH_SOUND", appInstance, SND_RESOURCE | SND_ASYNC);
#endif
      return 0;
    case WM_LBUTTONUP:
      pushed = false;
      InvalidateRect(hwnd, nullptr, FALSE);
      if (++releases == 10) DestroyWindow(hwnd);
      return 0;
    default:
      return DefWindowProcA(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassA(&windowClass)) return 0;
  appInstance = instance;
  RECT screen;
  GetClientRect(GetDesktopWindow(), &screen);
  HWND hwnd = CreateWindowExA(0, kClassName, kClassName, WS_POPUP, (screen.right - kSize) / 2,
                              (screen.bottom - kSize) / 2, kSize, kSize, nullptr, nullptr, instance,
                              nullptr);
  if (!hwnd) return 2;
  SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, kSize, kSize), TRUE);
  ShowWindow(hwnd, showCommand);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
  return static_cast<int>(message.wParam);
}
