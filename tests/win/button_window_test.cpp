// The program's window as other programs see it: class, style, place,
// shape, and how it ends when closed from outside.
#include "tests/win/program.h"

#include <gtest/gtest.h>

namespace {

constexpr int kButtonSize = 238;  // the button image's size

RECT expectedRect() {
  RECT screen = {};
  GetClientRect(GetDesktopWindow(), &screen);
  const LONG x = (screen.right - kButtonSize) / 2, y = (screen.bottom - kButtonSize) / 2;
  return {x, y, x + kButtonSize, y + kButtonSize};
}

void expectRect(const RECT& got, const RECT& want) {
  EXPECT_EQ(got.left, want.left);
  EXPECT_EQ(got.top, want.top);
  EXPECT_EQ(got.right, want.right);
  EXPECT_EQ(got.bottom, want.bottom);
}

}  // namespace

TEST(ButtonWindow, IsARoundBorderlessPopupCentredOnTheScreen) {
  Program program;
  ASSERT_TRUE(program.started());
  HWND hwnd = program.window();
  ASSERT_NE(hwnd, nullptr) << "no button window";

  char text[16] = {};
  GetClassNameA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, kButtonClass);
  GetWindowTextA(hwnd, text, sizeof text);
  EXPECT_STREQ(text, kButtonClass);

  EXPECT_EQ(GetClassLongA(hwnd, GCL_STYLE), static_cast<DWORD>(CS_DBLCLKS));
  EXPECT_EQ(GetClassLongA(hwnd, GCL_CBCLSEXTRA), 0u);
  EXPECT_EQ(GetClassLongA(hwnd, GCL_CBWNDEXTRA), 0u);
  // Optional: Wine answers another process's class queries only for what
  // its server keeps (style, extra bytes); the brush, icons and cursor live
  // in the owning process there. Windows answers them all.
  if (!runningOnWine()) {
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND), ULONG_PTR(COLOR_SCROLLBAR + 1));
    EXPECT_EQ(GetClassLongPtrA(hwnd, GCLP_MENUNAME), 0u);
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICON), 0u);
    EXPECT_NE(GetClassLongPtrA(hwnd, GCLP_HICONSM), 0u);
    const auto cursor = reinterpret_cast<HCURSOR>(GetClassLongPtrA(hwnd, GCLP_HCURSOR));
    EXPECT_EQ(cursor, LoadCursorA(nullptr, IDC_HAND)) << "system cursors are shared";
  }

  // The system adds WS_CLIPSIBLINGS to every top-level window.
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & ~WS_CLIPSIBLINGS, LONG(WS_POPUP | WS_VISIBLE));
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetParent(hwnd), nullptr);
  EXPECT_EQ(GetMenu(hwnd), nullptr);

  const RECT want = expectedRect();
  expectRect(program.windowRect(), want);
  RECT client = {};
  GetClientRect(hwnd, &client);
  expectRect(client, {0, 0, kButtonSize, kButtonSize});

  // The region is the inscribed ellipse, as the system itself makes it.
  // Compared by area: the system may band a stored region differently.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  HRGN ellipse = CreateEllipticRgn(0, 0, kButtonSize, kButtonSize);
  HRGN difference = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(hwnd, region), COMPLEXREGION);
  EXPECT_EQ(CombineRgn(difference, region, ellipse, RGN_XOR), NULLREGION);
  DeleteObject(difference);
  DeleteObject(region);
  DeleteObject(ellipse);

  // Inside the disc the point belongs to the button; a corner of the
  // square does not.
  EXPECT_EQ(WindowFromPoint(program.centre()), hwnd);
  EXPECT_EQ(WindowFromPoint({want.left + kButtonSize / 2, want.top + 3}), hwnd);
  EXPECT_NE(WindowFromPoint({want.left + 3, want.top + 3}), hwnd);
  EXPECT_NE(WindowFromPoint({want.right - 4, want.bottom - 4}), hwnd);

  PostMessageA(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.waitForExit(30000), 0u);
}

TEST(ButtonWindow, ASecondCopyShowsItsOwnButtonAtTheSamePlace) {
  Program first, second;
  ASSERT_NE(first.window(), nullptr);
  ASSERT_NE(second.window(), nullptr);
  EXPECT_NE(first.window(), second.window());
  expectRect(first.windowRect(), expectedRect());
  expectRect(second.windowRect(), expectedRect());
  PostMessageA(second.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(second.waitForExit(30000), 0u);
  EXPECT_TRUE(first.running()) << "closing one copy ended the other";
  PostMessageA(first.window(), WM_CLOSE, 0, 0);
  EXPECT_EQ(first.waitForExit(30000), 0u);
}
