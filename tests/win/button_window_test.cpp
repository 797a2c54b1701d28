// The program's window as other programs see it: class, style, place,
// shape, and how it ends when closed from outside.
#include "tests/win/class_probe.h"
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

namespace {

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

  EXPECT_EQ(program.close(), 0u);
}

TEST(ButtonWindow, ASecondCopyShowsItsOwnButtonAtTheSamePlace) {
  Program first, second;
  ASSERT_NE(first.window(), nullptr);
  ASSERT_NE(second.window(), nullptr);
  EXPECT_NE(first.window(), second.window());
  expectRect(first.windowRect(), expectedRect());
  expectRect(second.windowRect(), expectedRect());
  EXPECT_EQ(second.close(), 0u);
  EXPECT_TRUE(first.running()) << "closing one copy ended the other";
  EXPECT_EQ(first.close(), 0u);
}

// The class record as the program registered it, read inside its process
// by the class probe: Wine answers other processes only for some fields.
TEST(ButtonWindow, RegistersItsClassWithTheIconsHandCursorAndScrollBarBrush) {
  ASSERT_FALSE(testOptions().classProbe.empty()) << "run with --probe=PATH";
  Program program;
  ASSERT_NE(program.window(), nullptr);
  char name[64];
  classProbeBlockName(program.processId(), name);
  HANDLE block = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(ClassProbeReport), name);
  ASSERT_NE(block, nullptr);
  auto* report = static_cast<const ClassProbeReport*>(
      MapViewOfFile(block, FILE_MAP_READ, 0, 0, sizeof(ClassProbeReport)));
  ASSERT_NE(report, nullptr);
  ASSERT_TRUE(loadIntoProcess(program.process(), testOptions().classProbe));

  ASSERT_TRUE(report->found) << "no class of that name in the program's module";
  EXPECT_EQ(report->style, UINT(CS_DBLCLKS));
  EXPECT_EQ(report->classExtra, 0);
  EXPECT_EQ(report->windowExtra, 0);
  EXPECT_TRUE(report->ownInstance);
  EXPECT_TRUE(report->procInModule);
  EXPECT_EQ(report->background, ULONG_PTR(COLOR_SCROLLBAR + 1));
  EXPECT_TRUE(report->noMenu);
  EXPECT_EQ(report->iconWidth, 32);
  EXPECT_EQ(report->iconHeight, 32);
  EXPECT_GT(report->smallIconWidth, 0) << "no small icon";
  EXPECT_TRUE(report->handCursor);

  UnmapViewOfFile(report);
  CloseHandle(block);
  EXPECT_EQ(program.close(), 0u);
}
