#include "tests/win/screen.h"

#include "tests/win/test_options.h"

#include <cstring>
#include <string>

Pixels resourceImage(const char* name) {
  const auto dib = moduleResource(testOptions().program, RT_BITMAP, name);
  Pixels pixels;
  if (dib.size() != 40 + size_t(kButtonSize) * kButtonSize * 4) return pixels;
  pixels.resize(size_t(kButtonSize) * kButtonSize);
  for (int y = 0; y < kButtonSize; ++y) {
    const unsigned char* row = dib.data() + 40 + size_t(kButtonSize - 1 - y) * kButtonSize * 4;  // bottom-up
    for (int x = 0; x < kButtonSize; ++x) {
      const unsigned char* p = row + x * 4;
      pixels[size_t(y) * kButtonSize + size_t(x)] = std::uint32_t(p[2]) << 16 | p[1] << 8 | p[0];
    }
  }
  return pixels;
}

Pixels solidImage(COLORREF colour) {
  return Pixels(size_t(kButtonSize) * kButtonSize,
                std::uint32_t(GetRValue(colour)) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
}

Pixels captureScreen(POINT topLeft) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = kButtonSize;
  info.bmiHeader.biHeight = -kButtonSize;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP capture = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, capture);
  BitBlt(memory, 0, 0, kButtonSize, kButtonSize, screen, topLeft.x, topLeft.y, SRCCOPY);
  GdiFlush();
  Pixels pixels(size_t(kButtonSize) * kButtonSize);
  std::memcpy(pixels.data(), bits, pixels.size() * 4);
  for (auto& p : pixels) p &= 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteObject(capture);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

namespace {

// Pixels inside the window's ellipse that differ from `want`, with the
// first of them described.
int differences(const Pixels& got, const Pixels& want, std::string* first) {
  HRGN ellipse = CreateEllipticRgn(0, 0, kButtonSize, kButtonSize);
  int count = 0;
  for (int y = 0; y < kButtonSize; ++y) {
    for (int x = 0; x < kButtonSize; ++x) {
      const size_t i = size_t(y) * kButtonSize + size_t(x);
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

}  // namespace

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
