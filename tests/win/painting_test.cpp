// What the button really puts on the screen, read back from the screen,
// against the images inside the executable under test.
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstring>

namespace {

constexpr int kSize = 238;
constexpr DWORD kPaintTimeoutMs = 15000;
constexpr DWORD kExitTimeoutMs = 30000;

using Pixels = std::vector<std::uint32_t>;  // 0x00RRGGBB, rows top-down

// A button image from the program's resources, as its pixels.
Pixels resourceImage(const char* name) {
  const auto dib = moduleResource(testOptions().program, RT_BITMAP, name);
  Pixels pixels;
  if (dib.size() != 40 + size_t(kSize) * kSize * 4) return pixels;
  pixels.resize(size_t(kSize) * kSize);
  for (int y = 0; y < kSize; ++y) {
    const unsigned char* row = dib.data() + 40 + size_t(kSize - 1 - y) * kSize * 4;  // bottom-up
    for (int x = 0; x < kSize; ++x) {
      const unsigned char* p = row + x * 4;
      pixels[size_t(y) * kSize + size_t(x)] = std::uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
    }
  }
  return pixels;
}

Pixels solidImage(COLORREF colour) {
  return Pixels(size_t(kSize) * kSize,
                std::uint32_t(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
}

// The screen under the window's square.
Pixels captureScreen(POINT topLeft) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kSize;
  info.bmiHeader.biHeight = -kSize;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP capture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, capture);
  BitBlt(memory, 0, 0, kSize, kSize, screen, topLeft.x, topLeft.y, SRCCOPY);
  GdiFlush();
  Pixels pixels(size_t(kSize) * kSize);
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  for (auto& p : pixels) p &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(capture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

// Pixels inside the window's ellipse that differ from `want`, with the
// first of them described.
int differences(const Pixels& got, const Pixels& want, std::string* first) {
  HRGN ellipse = CreateEllipticRgn(0, 0, kSize, kSize);
  int count = 0;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const size_t i = size_t(y) * kSize + size_t(x);
      if (!PtInRegion(ellipse, x, y) || got[i] == want[i]) continue;
      if (count++ == 0 && first) {
        char text[96];
        wsprintfA(text, "at %d,%d: screen %06X, expected %06X", x, y, got[i], want[i]);
        *first = text;
      }
    }
  }
  DeleteObject(ellipse);
  return count;
}

// Waits for the window to show `want` inside its ellipse.
::testing::AssertionResult shows(const Program& program, const Pixels& want, const char* what) {
  const RECT r = program.windowRect();
  std::string first;
  int count = -1;
  const bool matched = waitUntil(
      [&] { return (count = differences(captureScreen({r.left, r.top}), want, &first)) == 0; },
      kPaintTimeoutMs);
  if (matched) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "the window does not show " << what << ": " << count
                                       << " pixels differ, first " << first;
}

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

// Private bytes with the push sound's player at rest: the least of a few
// readings over a second and a half, since a playing sound holds buffers.
size_t settledPrivateBytes(HANDLE process) {
  size_t least = privateBytes(process);
  for (int i = 0; i < 15; ++i) {
    Sleep(100);
    least = std::min(least, privateBytes(process));
  }
  return least;
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
  HWND cover = coverWith({r.left - 10, r.top - 10, r.left + kSize / 2, r.bottom + 10});
  ASSERT_NE(cover, nullptr);
  EXPECT_TRUE(waitUntil(
      [&] {
        pumpMessages();
        return captureScreen({r.left, r.top})[size_t(kSize / 2) * kSize + 20] == 0;
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
