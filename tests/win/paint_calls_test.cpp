// The painting code's calls, recorded in this process and compared with
// the calls it must make: every object it makes is freed in the same paint,
// and the memory context gets its own bitmap back before it is deleted.
#include "button/button_state.h"
#include "button/paint.h"
#include "platform/app_instance.h"
#include "tests/win/gdi_recorder.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <sstream>

HINSTANCE appInstance;  // what the program's entry code would set
bool recording = false;
std::vector<GdiCall> recordedCalls;

namespace {

#undef BeginPaint
#undef EndPaint
#undef LoadBitmapA
#undef CreateCompatibleDC
#undef SelectObject
#undef GetMapMode
#undef SetMapMode
#undef GetObjectA
#undef DPtoLP
#undef BitBlt
#undef DeleteDC
#undef DeleteObject

template <typename Result>
Result logged(const char* name, std::vector<ULONG_PTR> args, Result result) {
  if (recording) recordedCalls.push_back({name, std::move(args), ULONG_PTR(result)});
  return result;
}

ULONG_PTR value(const void* handle) { return reinterpret_cast<ULONG_PTR>(handle); }

// An expected call: its name, and its arguments where they matter (kAny
// marks one that does not).
constexpr ULONG_PTR kAny = ~ULONG_PTR(0);
struct Expected {
  const char* name;
  std::vector<ULONG_PTR> args;
};

std::string describe(const std::vector<GdiCall>& calls) {
  std::ostringstream out;
  for (const GdiCall& c : calls) {
    out << "  " << c.name << "(";
    for (size_t i = 0; i < c.args.size(); ++i) out << (i ? ", " : "") << std::hex << c.args[i];
    out << ") -> " << std::hex << c.result << "\n";
  }
  return out.str();
}

void expectCalls(const std::vector<Expected>& expected) {
  bool same = expected.size() == recordedCalls.size();
  for (size_t i = 0; same && i < expected.size(); ++i) {
    const GdiCall& got = recordedCalls[i];
    same = got.name == expected[i].name && got.args.size() >= expected[i].args.size();
    for (size_t a = 0; same && a < expected[i].args.size(); ++a) {
      same = expected[i].args[a] == kAny || expected[i].args[a] == got.args[a];
    }
  }
  std::ostringstream want;
  for (const Expected& e : expected) want << "  " << e.name << "\n";
  EXPECT_TRUE(same) << "expected:\n" << want.str() << "actual:\n" << describe(recordedCalls);
}

// The result of the call logged at `index`.
ULONG_PTR resultOf(size_t index) { return index < recordedCalls.size() ? recordedCalls[index].result : 0; }

struct Recording {
  Recording() {
    recordedCalls.clear();
    recording = true;
  }
  ~Recording() { recording = false; }
};

}  // namespace

HDC WINAPI recordBeginPaint(HWND w, LPPAINTSTRUCT p) {
  return logged("BeginPaint", {value(w)}, BeginPaint(w, p));
}
BOOL WINAPI recordEndPaint(HWND w, const PAINTSTRUCT* p) {
  return logged("EndPaint", {value(w)}, EndPaint(w, p));
}
// The image names logged as numbers: 1 "BUTTON", 2 "BUTTON_PUSHED", 0 any other.
ULONG_PTR imageCode(LPCSTR name) {
  if (IS_INTRESOURCE(name)) return 0;
  if (lstrcmpA(name, "BUTTON") == 0) return 1;
  return lstrcmpA(name, "BUTTON_PUSHED") == 0 ? 2 : 0;
}

HBITMAP WINAPI recordLoadBitmapA(HINSTANCE m, LPCSTR name) {
  return logged("LoadBitmapA", {value(m), imageCode(name)}, LoadBitmapA(m, name));
}
HDC WINAPI recordCreateCompatibleDC(HDC dc) {
  return logged("CreateCompatibleDC", {value(dc)}, CreateCompatibleDC(dc));
}
HGDIOBJ WINAPI recordSelectObject(HDC dc, HGDIOBJ object) {
  return logged("SelectObject", {value(dc), value(object)}, SelectObject(dc, object));
}
int WINAPI recordGetMapMode(HDC dc) { return logged("GetMapMode", {value(dc)}, GetMapMode(dc)); }
int WINAPI recordSetMapMode(HDC dc, int mode) {
  return logged("SetMapMode", {value(dc), ULONG_PTR(mode)}, SetMapMode(dc, mode));
}
int WINAPI recordGetObjectA(HANDLE object, int size, LPVOID out) {
  return logged("GetObjectA", {value(object)}, GetObjectA(object, size, out));
}
BOOL WINAPI recordDPtoLP(HDC dc, LPPOINT points, int count) {
  return logged("DPtoLP", {value(dc), ULONG_PTR(count)}, DPtoLP(dc, points, count));
}
BOOL WINAPI recordBitBlt(HDC to, int x, int y, int w, int h, HDC from, int fx, int fy, DWORD rop) {
  return logged("BitBlt",
                {value(to), ULONG_PTR(x), ULONG_PTR(y), ULONG_PTR(w), ULONG_PTR(h), value(from),
                 ULONG_PTR(fx), ULONG_PTR(fy), rop},
                BitBlt(to, x, y, w, h, from, fx, fy, rop));
}
BOOL WINAPI recordDeleteDC(HDC dc) { return logged("DeleteDC", {value(dc)}, DeleteDC(dc)); }
BOOL WINAPI recordDeleteObject(HGDIOBJ object) {
  return logged("DeleteObject", {value(object)}, DeleteObject(object));
}

TEST(PaintCalls, BlitCopiesOpaquelyAndGivesTheContextItsBitmapBack) {
  HDC screen = GetDC(nullptr);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, 64, 64);
  HGDIOBJ original = SelectObject(target, canvas);
  HBITMAP image = CreateCompatibleBitmap(screen, 20, 10);
  {
    Recording on;
    BlitBitmap(target, 5, 7, image);
  }
  const ULONG_PTR memory = resultOf(0), previous = resultOf(1);
  expectCalls({
      {"CreateCompatibleDC", {value(target)}},
      {"SelectObject", {memory, value(image)}},
      {"GetMapMode", {value(target)}},
      {"SetMapMode", {memory, MM_TEXT}},
      {"GetObjectA", {value(image)}},
      {"DPtoLP", {value(target), 1}},
      {"DPtoLP", {memory, 1}},
      {"BitBlt", {value(target), 5, 7, 20, 10, memory, 0, 0, SRCCOPY}},
      {"SelectObject", {memory, previous}},
      {"DeleteDC", {memory}},
  });
  EXPECT_NE(previous, 0u);
  DeleteObject(image);
  SelectObject(target, original);
  DeleteObject(canvas);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
}

TEST(PaintCalls, BlitOfANullBitmapCopiesNothingAndStillFreesTheContext) {
  HDC screen = GetDC(nullptr);
  {
    Recording on;
    BlitBitmap(screen, 0, 0, nullptr);
  }
  const ULONG_PTR memory = resultOf(0);
  expectCalls({
      {"CreateCompatibleDC", {value(screen)}},
      {"SelectObject", {memory, 0}},
      {"DeleteDC", {memory}},
  });
  ReleaseDC(nullptr, screen);
}

TEST(PaintCalls, EachPaintLoadsTheImageOfTheMomentAndFreesIt) {
  ASSERT_FALSE(testOptions().program.empty()) << "run with --program=PATH";
  appInstance = LoadLibraryExA(testOptions().program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(appInstance, nullptr);
  HWND window = CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 238, 238, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  for (ULONG_PTR image : {ULONG_PTR(1), ULONG_PTR(2)}) {
    if (image == 2) press();
    {
      Recording on;
      PaintButton(window);
    }
    const ULONG_PTR bitmap = resultOf(1);
    ASSERT_GE(recordedCalls.size(), 4u);
    EXPECT_NE(bitmap, 0u) << "image " << image << " did not load";
    const GdiCall& deleted = recordedCalls[recordedCalls.size() - 2];
    expectCalls({
        {"BeginPaint", {value(window)}},
        {"LoadBitmapA", {value(appInstance), image}},
        {"CreateCompatibleDC", {resultOf(0)}},
        {"SelectObject", {kAny, bitmap}},
        {"GetMapMode", {resultOf(0)}},
        {"SetMapMode", {kAny, kAny}},
        {"GetObjectA", {bitmap}},
        {"DPtoLP", {resultOf(0), 1}},
        {"DPtoLP", {kAny, 1}},
        {"BitBlt", {resultOf(0), 0, 0, 238, 238, kAny, 0, 0, SRCCOPY}},
        {"SelectObject", {kAny, kAny}},
        {"DeleteDC", {kAny}},
        {"DeleteObject", {bitmap}},
        {"EndPaint", {value(window)}},
    });
    EXPECT_EQ(deleted.name, "DeleteObject");
    EXPECT_NE(deleted.result, 0u) << "the image was not freed";
  }
  release();
  DestroyWindow(window);
  FreeLibrary(appInstance);
}
