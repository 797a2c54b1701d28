// The built executables as a user and other programs meet them, clicked
// through the input queue and read back from the screen; each launch checks
// many things. The build passes paths in TUMK_* variables.
#include "button/paint.h"
#include "tests/win/gdi_objects.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

HINSTANCE appInstance;  // painting's; BlitBitmap does not use it

namespace {

constexpr char kTitle[] = "\xD2\xF3\xEC\xEA\x21";  // "Тумк!" in Windows-1251
constexpr int kSize = 238;                         // the button image's
using Pixels = std::vector<std::uint32_t>;         // 0xRRGGBB, rows top-down
constexpr DWORD kDown = MOUSEEVENTF_LEFTDOWN, kUp = MOUSEEVENTF_LEFTUP, kClick = kDown | kUp;

std::string setting(const char* name) { return std::getenv(name) ? std::getenv(name) : ""; }
const std::string program = setting("TUMK_PROGRAM"), resources = setting("TUMK_RESOURCES") + "/",
                  captured = setting("TUMK_SOUND");

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 15000) {
  for (const DWORD start = GetTickCount(); !condition(); Sleep(20)) {
    if (GetTickCount() - start >= timeoutMs) return false;
  }
  return true;
}

std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct Program {
  explicit Program(const std::string& path, const std::string& arguments = "", int showCommand = -1) {
    std::string line = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup = {sizeof startup};
    startup.dwFlags = showCommand >= 0 ? STARTF_USESHOWWINDOW : 0;
    startup.wShowWindow = WORD(showCommand);
    CreateProcessA(path.c_str(), &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info);
  }
  ~Program() {
    if (running()) TerminateProcess(info.hProcess, 99);
    WaitForSingleObject(info.hProcess, 10000);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  HWND awaitWindow() {  // null if it ends first; minutes under 32-bit emulation
    waitUntil([&] {
      HWND found = FindWindowA(kTitle, kTitle);
      DWORD owner = 0;
      GetWindowThreadProcessId(found, &owner);
      window = owner == info.dwProcessId && IsWindowVisible(found) ? found : nullptr;
      return window || !running();
    }, 180000);
    return window;
  }
  DWORD waitForExit(DWORD timeoutMs = 30000) {  // the exit code, or STILL_ACTIVE
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, timeoutMs) == WAIT_OBJECT_0) GetExitCodeProcess(info.hProcess, &code);
    return code;
  }
  bool running() { return waitForExit(0) == STILL_ACTIVE; }
  // A window is painted only when no posted or input message waits before the
  // paint: once the update region asked for now is gone, all before is handled.
  bool idle() const {
    InvalidateRect(window, nullptr, FALSE);
    return waitUntil([&] { return !GetUpdateRect(window, nullptr, FALSE); }, 60000);
  }
  POINT at(int x, int y) const {  // a point of the window, on the screen
    RECT r = {};
    GetWindowRect(window, &r);
    return {r.left + x, r.top + y};
  }
  void post(UINT message, int times = 1) const {
    for (int i = 0; i < times; ++i) PostMessageA(window, message, 0, 0);
  }
  PROCESS_INFORMATION info = {};
  HWND window = nullptr;
};

void mouse(POINT at, DWORD buttons = 0) {  // absolute coordinates run from 0 to 65535 across the screen
  INPUT input = {INPUT_MOUSE, {{MulDiv(at.x, 65536, GetSystemMetrics(SM_CXSCREEN)) + 1,
                                MulDiv(at.y, 65536, GetSystemMetrics(SM_CYSCREEN)) + 1, 0,
                                MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons}}};
  SendInput(1, &input, sizeof input);
}

Pixels capture(HDC from, POINT topLeft) {
  BITMAPINFO info = {{sizeof info.bmiHeader, kSize, -kSize, 1, 32, BI_RGB}};  // top-down
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(from);
  HBITMAP bitmap = CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, kSize, kSize, from, topLeft.x, topLeft.y, SRCCOPY);
  GdiFlush();
  Pixels pixels(static_cast<std::uint32_t*>(bits), static_cast<std::uint32_t*>(bits) + kSize * kSize);
  for (auto& p : pixels) p &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

HBITMAP loadImage(const char* file) {  // a committed button image
  return HBITMAP(LoadImageA(nullptr, (resources + file).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}

Pixels image(const char* file) {
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = loadImage(file);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const Pixels pixels = capture(memory, {0, 0});
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  return pixels;
}

// Waits for the window to show `want` within its ellipse.
::testing::AssertionResult shows(const Program& p, const Pixels& want) {
  HDC screen = GetDC(nullptr);
  int wrong = 0;
  waitUntil([&] {
    const Pixels got = capture(screen, p.at(0, 0));
    wrong = 0;
    for (int i = 0; i < kSize * kSize; ++i) {  // within the ellipse: (2x + 1 - 238)² + (2y + 1 - 238)² < 235²
      const int dx = 2 * (i % kSize) - 237, dy = 2 * (i / kSize) - 237;
      wrong += got[size_t(i)] != want[size_t(i)] && dx * dx + dy * dy < 235 * 235;
    }
    return !wrong;
  });
  ReleaseDC(nullptr, screen);
  return wrong ? ::testing::AssertionFailure() << wrong << " pixels differ" : ::testing::AssertionSuccess();
}

// The session captures each playback into one file, replacing the last.
bool played(const std::vector<std::uint8_t>& wave) {
  const auto bytes = readFile(captured);
  return std::search(bytes.begin(), bytes.end(), wave.begin() + 58, wave.end()) != bytes.end();  // the samples
}

void forgetSound() {
  waitUntil([] { return DeleteFileA(captured.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; });
}

size_t privateBytes(const Program& p) {
  Sleep(1500);  // for the last sound to end: a playing one holds buffers
  PROCESS_MEMORY_COUNTERS counters = {sizeof counters};
  GetProcessMemoryInfo(p.info.hProcess, &counters, sizeof counters);
  return counters.PagefileUsage;
}

// Loads the cursor probe, which refuses to load unless the class has the hand
// cursor and the icon: Wine shows them only to the process that registered it.
bool classLooksRight(const Program& p) {
  const std::string dll = setting("TUMK_PROBE");
  void* path = VirtualAllocEx(p.info.hProcess, nullptr, dll.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
  WriteProcessMemory(p.info.hProcess, path, dll.c_str(), dll.size() + 1, nullptr);
  // kernel32 lies at the same address in every process of a session.
  auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA")));
  HANDLE thread = CreateRemoteThread(p.info.hProcess, nullptr, 0, loadLibrary, path, 0, nullptr);
  DWORD loaded = 0;
  if (WaitForSingleObject(thread, 60000) == WAIT_OBJECT_0) GetExitCodeThread(thread, &loaded);
  CloseHandle(thread);
  VirtualFreeEx(p.info.hProcess, path, 0, MEM_RELEASE);
  return loaded != 0;
}

// A double-click time long enough for a slow machine; the user's own after.
struct SlowDoubleClicks {
  const UINT saved = GetDoubleClickTime();
  SlowDoubleClicks() { SetDoubleClickTime(5000); }
  ~SlowDoubleClicks() { SetDoubleClickTime(saved); }
};

}  // namespace

TEST(Button, AsAUserMeetsIt) {
  const SlowDoubleClicks slow;
  const Pixels raised = image("button.bmp"), pushed = image("button_pushed.bmp");
  const auto sound = readFile(resources + "push.wav");
  ASSERT_EQ(sound.size(), 10042u);
  std::string arguments(30000, 'x');  // long and malformed ones change nothing
  for (char c = 1; c < 32; ++c) arguments += c;
  Program p(program, arguments + " \"unbalanced \xD2\xF3 \t/quit 10");
  HWND hwnd = p.awaitWindow();
  ASSERT_NE(hwnd, nullptr);

  // Found by class and title: a bare popup (the system adds WS_CLIPSIBLINGS), shown
  // normally, the image's size, centred, cut to the inscribed ellipse.
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_STYLE) & ~WS_CLIPSIBLINGS, LONG(WS_POPUP | WS_VISIBLE));
  EXPECT_EQ(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_FALSE(IsIconic(hwnd) || IsZoomed(hwnd));
  RECT rect, centred = {0, 0, kSize, kSize};
  GetWindowRect(hwnd, &rect);
  OffsetRect(&centred, (GetSystemMetrics(SM_CXSCREEN) - kSize) / 2, (GetSystemMetrics(SM_CYSCREEN) - kSize) / 2);
  EXPECT_TRUE(EqualRect(&rect, &centred)) << rect.left << "," << rect.top << " to " << rect.right << "," << rect.bottom;
  HRGN region = CreateRectRgn(0, 0, 0, 0), ellipse = CreateEllipticRgn(0, 0, kSize, kSize);
  GetWindowRgn(hwnd, region);
  EXPECT_EQ(CombineRgn(region, region, ellipse, RGN_XOR), NULLREGION) << "not the inscribed ellipse";
  DeleteObject(region);
  DeleteObject(ellipse);
  EXPECT_NE(WindowFromPoint(p.at(3, 3)), hwnd) << "a corner of the square is the window's";
  // No probe under 32-bit emulation, where threads started from outside crash.
  EXPECT_TRUE(setting("TUMK_PROBE").empty() || classLooksRight(p)) << "no hand cursor or icon";

  // Held down, it shows pushed and plays the push sound; released, raised.
  const POINT centre = p.at(kSize / 2, kSize / 2), aside = p.at(kSize / 2 + 30, kSize / 2), off = p.at(-40, -40);
  EXPECT_TRUE(shows(p, raised));
  forgetSound();
  mouse(centre, kDown);
  EXPECT_TRUE(shows(p, pushed));
  EXPECT_TRUE(waitUntil([&] { return played(sound); })) << "the press played nothing";
  mouse(centre, kUp);  // release 1
  EXPECT_TRUE(shows(p, raised));

  // A press returns while its sound still comes out (Wine hands it all out
  // within about 120 ms), or at least in far less time than that.
  forgetSound();
  DWORD_PTR answer;
  const DWORD pressed = GetTickCount();
  ASSERT_TRUE(SendMessageTimeoutA(hwnd, WM_LBUTTONDOWN, 0, 0, SMTO_NORMAL, 10000, &answer));
  const DWORD handledMs = GetTickCount() - pressed;
  EXPECT_TRUE(!played(sound) || handledMs < 60) << "the press waited " << handledMs << " ms for its sound";
  EXPECT_TRUE(waitUntil([&] { return played(sound); }));
  p.post(WM_LBUTTONUP);  // 2

  // A double click's second press plays nothing, while its release counts.
  forgetSound();
  mouse(aside, kClick);  // 3
  EXPECT_TRUE(waitUntil([&] { return played(sound); }));
  forgetSound();
  mouse(aside, kClick);  // 4
  EXPECT_TRUE(p.idle());
  EXPECT_FALSE(waitUntil([] { return GetFileAttributesA(captured.c_str()) != INVALID_FILE_ATTRIBUTES; }, 1000))
      << "the double click's press played";

  // Pressed on the disc and released off it: the window never sees that
  // release and stays pushed. Pressed off and released over it: it counts.
  mouse(centre, kDown);
  mouse(off);
  mouse(off, kUp);
  EXPECT_TRUE(p.idle());
  EXPECT_TRUE(shows(p, pushed));
  mouse(off, kDown);
  mouse(centre);
  mouse(centre, kUp);  // 5
  EXPECT_TRUE(shows(p, raised));
  mouse(p.at(3, 3), kClick);  // a corner of the square: never the window's

  // A release and a press queued before the paint: it shows pushed. A part
  // covered while the state changes shows the new state once uncovered.
  p.post(WM_LBUTTONUP);  // 6
  p.post(WM_LBUTTONDOWN);
  EXPECT_TRUE(shows(p, pushed));
  HWND cover = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "", WS_POPUP | WS_VISIBLE | SS_BLACKRECT, rect.left,
                               rect.top, kSize / 2, kSize, nullptr, nullptr, nullptr, nullptr);
  UpdateWindow(cover);
  p.post(WM_LBUTTONUP);  // 7
  EXPECT_TRUE(p.idle());
  DestroyWindow(cover);
  EXPECT_TRUE(shows(p, raised));

  // Releases count without presses; the ninth leaves it running, the tenth ends it with 0.
  p.post(WM_LBUTTONUP, 2);  // 8, 9
  EXPECT_TRUE(p.idle());
  EXPECT_TRUE(p.running()) << "ended before the tenth release";
  mouse(centre, kClick);
  EXPECT_EQ(p.waitForExit(), 0u);
}

TEST(Button, ShowsAsItWasStartedAndEndsWithZeroWhenClosed) {
  Program p(program, "", SW_SHOWMINNOACTIVE);
  ASSERT_NE(p.awaitWindow(), nullptr);
  EXPECT_TRUE(waitUntil([&] { return IsIconic(p.window); })) << "the start-up show command was not used";
  p.post(WM_LBUTTONUP, 3);
  p.post(WM_CLOSE);
  EXPECT_EQ(p.waitForExit(), 0u);
}

// Thousands of painted presses, then a flood of posted ones: it ends holding
// exactly the GDI objects it held before, and no more memory.
TEST(Button, PaintsAndFloodsLeaveNothingBehind) {
  Program p(program);
  ASSERT_NE(p.awaitWindow(), nullptr);
  auto pressAndPaint = [&](int times) {
    for (int i = 1; i <= times; ++i) {
      SendMessageA(p.window, WM_LBUTTONDOWN, 0, 0);
      SendMessageA(p.window, WM_PAINT, 0, 0);
      if (i % 500 == 0) SendMessageA(p.window, WM_LBUTTONUP, 0, 0);
    }
  };
  pressAndPaint(1000);  // the system's sound player sets itself up meanwhile
  ASSERT_TRUE(p.idle());  // and the paint the presses asked for is over
  const long gdi = gdiObjects(p.info.hProcess, p.info.dwProcessId);
  const size_t memory = privateBytes(p);
  ASSERT_GT(gdi, 0) << "cannot read the program's GDI handle table";
  pressAndPaint(2000);
  p.post(WM_LBUTTONDOWN, 2000);
  EXPECT_TRUE(p.idle());
  EXPECT_TRUE(shows(p, image("button_pushed.bmp")));
  EXPECT_EQ(gdiObjects(p.info.hProcess, p.info.dwProcessId), gdi);
  EXPECT_LT(privateBytes(p), memory + 128 * 1024) << "from " << memory;  // 64 bytes a paint would show
  p.post(WM_CLOSE);
  EXPECT_EQ(p.waitForExit(), 0u);
}

TEST(Damaged, WithoutTheButtonImageThereIsNoWindowAndExitCodeOne) {
  Program p(setting("TUMK_WITHOUT_BUTTON"));
  EXPECT_EQ(p.awaitWindow(), nullptr);
  EXPECT_EQ(p.waitForExit(), 1u);
}

TEST(Damaged, WithoutThePushedImageThePushedStateShowsTheBackground) {
  const int element = COLOR_SCROLLBAR;  // in a colour nothing else on the screen has
  const COLORREF saved = GetSysColor(element), distinct = RGB(40, 160, 90);
  SetSysColors(1, &element, &distinct);
  const Pixels raised = image("button.bmp");
  Program p(setting("TUMK_WITHOUT_BUTTON_PUSHED"));
  ASSERT_NE(p.awaitWindow(), nullptr);
  // Its first paint over, only the press's own repaint can erase the raised image.
  EXPECT_TRUE(shows(p, raised));
  p.post(WM_LBUTTONDOWN);
  EXPECT_TRUE(shows(p, Pixels(kSize * kSize, 0x28A05A)));
  SetSysColors(1, &element, &saved);
  p.post(WM_LBUTTONUP);
  EXPECT_TRUE(shows(p, raised));
  p.post(WM_LBUTTONUP, 9);
  EXPECT_EQ(p.waitForExit(), 0u);
}

// Windows would play its default sound instead; Wine plays nothing.
TEST(Damaged, WithoutTheSoundPressesStillPaintAndTheTenthReleaseEndsIt) {
  Program p(setting("TUMK_WITHOUT_PUSH_SOUND"));
  ASSERT_NE(p.awaitWindow(), nullptr);
  mouse(p.at(kSize / 2, kSize / 2), kDown);
  EXPECT_TRUE(shows(p, image("button_pushed.bmp")));
  mouse(p.at(kSize / 2, kSize / 2), kUp);
  for (int i = 0; i < 9; ++i) mouse(p.at(kSize / 2 + (i % 2 ? 20 : -20), kSize / 2), kClick);  // never a double click
  EXPECT_EQ(p.waitForExit(), 0u);
}

// The painting code's copy, in this process, read back pixel by pixel.
TEST(BlitBitmap, PutsTheWholeImageAtTheLogicalPointInAnyMappingMode) {
  HDC screen = GetDC(nullptr), target = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 400, 400), bitmap = loadImage("button.bmp");
  HGDIOBJ previous = SelectObject(target, canvas);
  PatBlt(target, 0, 0, 400, 400, WHITENESS);
  SetMapMode(target, MM_LOMETRIC);  // tenths of a millimetre, y pointing up
  POINT at = {100, -150};
  BlitBitmap(target, at.x, at.y, bitmap);
  LPtoDP(target, &at, 1);
  SetMapMode(target, MM_TEXT);
  EXPECT_TRUE(capture(target, at) == image("button.bmp")) << "not the image at " << at.x << "," << at.y;
  EXPECT_EQ(GetPixel(target, at.x + kSize, at.y + 119), 0xFFFFFFu) << "drawn past the image's right edge";
  EXPECT_EQ(GetPixel(target, at.x + 119, at.y + kSize), 0xFFFFFFu) << "drawn past the image's bottom edge";
  SelectObject(target, previous);
  DeleteDC(target);
  DeleteObject(bitmap);
  DeleteObject(canvas);
  ReleaseDC(nullptr, screen);
}
