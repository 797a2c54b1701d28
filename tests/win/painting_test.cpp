// What the button really puts on the screen, read back from the screen,
// against the images inside the executable under test.
#include "tests/win/program.h"
#include "tests/win/screen.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

namespace {

constexpr DWORD kExitTimeoutMs = 30000;

void post(const Program& program, UINT message, int times = 1) {
  for (int i = 0; i < times; ++i) PostMessageA(program.window(), message, 0, 0);
}

// A plain black window of the test's own, to cover part of the button.
HWND coverWith(RECT area) {
  WNDCLASSA cls = {};
  cls.lpfnWndProc = DefWindowProcA;
  cls.hInstance = GetModuleHandleA(nullptr);
  cls.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  cls.lpszClassName = "cover";
  RegisterClassA(&cls);
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "cover", "", WS_POPUP | WS_VISIBLE, area.left, area.top,
                               area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                               cls.hInstance, nullptr);
  UpdateWindow(cover);
  return cover;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

TEST(ButtonPainting, RaisedThenPushedWhileHeldThenRaisedAgain) {
  const Pixels raised = resourceImage("BUTTON"), pushed = resourceImage("BUTTON_PUSHED");
  ASSERT_FALSE(raised.empty());
  ASSERT_FALSE(pushed.empty());
  Program program;
  ASSERT_NE(program.window(), nullptr);
  EXPECT_TRUE(shows(program, raised, "BUTTON before any input"));
  pressLeft(program.centre());
  EXPECT_TRUE(shows(program, pushed, "BUTTON_PUSHED while held"));
  releaseLeft(program.centre());
  EXPECT_TRUE(shows(program, raised, "BUTTON after the release"));
  EXPECT_EQ(program.close(), 0u);
}

TEST(ButtonPainting, APressAfterAReleaseBeforeThePaintShowsThePushedImage) {
  const Pixels pushed = resourceImage("BUTTON_PUSHED");
  Program program;
  ASSERT_NE(program.window(), nullptr);
  post(program, WM_LBUTTONDOWN);
  ASSERT_TRUE(shows(program, pushed, "BUTTON_PUSHED after a press"));
  // Both are queued before the paint they ask for can come.
  post(program, WM_LBUTTONUP);
  post(program, WM_LBUTTONDOWN);
  EXPECT_TRUE(shows(program, pushed, "BUTTON_PUSHED after release and press"));
  EXPECT_EQ(program.close(), 0u);
}

TEST(ButtonPainting, UncoveredPartsShowTheCurrentImage) {
  const Pixels pushed = resourceImage("BUTTON_PUSHED");
  Program program;
  ASSERT_NE(program.window(), nullptr);
  post(program, WM_LBUTTONDOWN);
  ASSERT_TRUE(shows(program, pushed, "BUTTON_PUSHED after a press"));

  const RECT r = program.windowRect();
  HWND cover = coverWith({r.left - 10, r.top - 10, r.left + kButtonSize / 2, r.bottom + 10});
  ASSERT_NE(cover, nullptr);
  EXPECT_TRUE(waitUntil(
      [&] {
        pumpMessages();
        return captureScreen({r.left, r.top})[size_t(kButtonSize / 2) * kButtonSize + 20] == 0;
      },
      kPaintTimeoutMs))
      << "the cover never showed";
  DestroyWindow(cover);
  pumpMessages();
  EXPECT_TRUE(shows(program, pushed, "BUTTON_PUSHED once uncovered"));
  EXPECT_EQ(program.close(), 0u);
}

// Run with --program naming a build that lacks "BUTTON_PUSHED".
TEST(WithoutPushedImage, PushedStateShowsOnlyTheBackgroundAndTheProgramCarriesOn) {
  const Pixels raised = resourceImage("BUTTON");
  ASSERT_TRUE(resourceImage("BUTTON_PUSHED").empty()) << "this build has the pushed image";
  Program program;
  ASSERT_NE(program.window(), nullptr);
  EXPECT_TRUE(shows(program, raised, "BUTTON before any input"));
  post(program, WM_LBUTTONDOWN);
  EXPECT_TRUE(shows(program, solidImage(GetSysColor(COLOR_SCROLLBAR)), "the scroll-bar colour"));
  EXPECT_TRUE(program.responds());
  post(program, WM_LBUTTONUP);
  EXPECT_TRUE(shows(program, raised, "BUTTON after the release"));
  post(program, WM_LBUTTONUP, 8);
  EXPECT_TRUE(program.running());
  post(program, WM_LBUTTONUP);
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

// Run with --program naming a build that lacks "PUSH_SOUND".
TEST(WithoutSound, PressesStillWorkAndNothingHangs) {
  ASSERT_TRUE(moduleResource(testOptions().program, "WAVE", "PUSH_SOUND").empty());
  const Pixels pushed = resourceImage("BUTTON_PUSHED");
  Program program;
  ASSERT_NE(program.window(), nullptr);
  pressLeft(program.centre());
  EXPECT_TRUE(shows(program, pushed, "BUTTON_PUSHED while held"));
  EXPECT_TRUE(program.responds());
  releaseLeft(program.centre());
  for (int i = 0; i < 9; ++i) {
    // Aside each time, so no two presses make a double click.
    clickLeft({program.centre().x + (i % 2 ? 20 : -20), program.centre().y});
  }
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

// Run with --program naming a build that lacks "BUTTON".
TEST(WithoutButtonImage, ShowsNoWindowAndEndsWithAFailingExitCode) {
  Program program("", false);
  ASSERT_TRUE(program.started());
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 1u);
  EXPECT_EQ(findButtonWindow(program.processId()), nullptr);
}

// Thousands of presses, each painted, and a few releases: the GDI objects
// and memory the program holds end where they were.
TEST(Endurance, PaintsLeaveGdiObjectsAndMemoryWhereTheyWere) {
  constexpr int kPresses = 2000;
  Program program;
  ASSERT_NE(program.window(), nullptr);
  HWND hwnd = program.window();
  auto pressAndPaint = [&] {
    SendMessageA(hwnd, WM_LBUTTONDOWN, 0, 0);
    SendMessageA(hwnd, WM_PAINT, 0, 0);
  };
  for (int i = 0; i < 20; ++i) pressAndPaint();  // settle what the first paints set up
  const long gdiBefore = gdiObjectCount(program.process(), program.processId());
  const size_t memoryBefore = settledPrivateBytes(program.process());
  ASSERT_GT(gdiBefore, 0) << "cannot read the program's GDI handle table";
  ASSERT_GT(memoryBefore, 0u);

  for (int i = 1; i <= kPresses; ++i) {
    pressAndPaint();
    if (i % 500 == 0) SendMessageA(hwnd, WM_LBUTTONUP, 0, 0);  // 4 releases in all
  }
  SendMessageA(hwnd, WM_PAINT, 0, 0);
  EXPECT_EQ(gdiObjectCount(program.process(), program.processId()), gdiBefore);
  const size_t memoryAfter = settledPrivateBytes(program.process());
  // A leak of even 100 bytes a paint would show as 200 KB here.
  EXPECT_LT(memoryAfter, memoryBefore + 128 * 1024)
      << "private bytes grew from " << memoryBefore << " to " << memoryAfter;
  EXPECT_EQ(program.close(), 0u);
}
