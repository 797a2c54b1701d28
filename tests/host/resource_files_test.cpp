// Checks the committed pictures, icon and sound: their exact layouts, and
// that they look and sound as the button should.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readFile(const std::string& name) {
  std::ifstream in(std::string(TUMK_RESOURCES_DIR) + "/" + name, std::ios::binary);
  return Bytes{std::istreambuf_iterator<char>(in), {}};
}

std::uint32_t u32(const Bytes& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t u16(const Bytes& b, size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }

struct Rgba {
  int r, g, b, a;
};

// A bottom-up 32-bit picture, addressed top-down.
struct Picture {
  Bytes bytes;
  size_t pixels;  // offset of the first stored (bottom) row
  int size;
  Rgba at(int x, int y) const {
    const size_t o = pixels + (size_t(size - 1 - y) * size + size_t(x)) * 4;
    return {bytes[o + 2], bytes[o + 1], bytes[o], bytes[o + 3]};
  }
};

constexpr int kSize = 238;
constexpr double kCentre = 119.0;

Picture button(const char* name) { return {readFile(name), 14 + 40, kSize}; }

double distanceFromCentre(int x, int y) { return std::hypot(x + 0.5 - kCentre, y + 0.5 - kCentre); }

void expectNear(Rgba got, Rgba want, int tolerance, const char* where) {
  EXPECT_NEAR(got.r, want.r, tolerance) << where;
  EXPECT_NEAR(got.g, want.g, tolerance) << where;
  EXPECT_NEAR(got.b, want.b, tolerance) << where;
}

struct Box {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  void add(int x, int y) {
    left = std::min(left, x), top = std::min(top, y);
    right = std::max(right, x), bottom = std::max(bottom, y);
  }
};

// The lettering is far greener than the face (pink 166 against about 62):
// "ink" is at least half-way there, "trace" anything clearly above the face.
// Searched across the face's middle band, clear of the lighter rim.
Box letteringBox(const Picture& p, int minimumGreen) {
  Box box;
  for (int y = 90; y < 150; ++y) {
    for (int x = 40; x < 200; ++x) {
      if (p.at(x, y).g >= minimumGreen) box.add(x, y);
    }
  }
  return box;
}

}  // namespace

TEST(ButtonImages, AreExactly32BitBottomUpDibsOfTheButtonsSize) {
  for (const char* name : {"button.bmp", "button_pushed.bmp"}) {
    const Bytes b = readFile(name);
    ASSERT_EQ(b.size(), 14u + 226616u) << name;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), b.size());
    EXPECT_EQ(u32(b, 10), 54u);               // pixels follow the headers directly
    EXPECT_EQ(u32(b, 14), 40u);               // biSize
    EXPECT_EQ(u32(b, 18), 238u);              // biWidth
    EXPECT_EQ(u32(b, 22), 238u);              // biHeight: positive, bottom-up
    EXPECT_EQ(u16(b, 26), 1u);                // biPlanes
    EXPECT_EQ(u16(b, 28), 32u);               // biBitCount
    EXPECT_EQ(u32(b, 30), 0u);                // BI_RGB
    EXPECT_EQ(u32(b, 34), 226576u);           // biSizeImage
    EXPECT_EQ(u32(b, 38), 2835u);             // 72 dpi
    EXPECT_EQ(u32(b, 42), 2835u);
    EXPECT_EQ(u32(b, 46), 0u);                // no colour table
    EXPECT_EQ(u32(b, 50), 0u);
  }
}

TEST(ButtonImages, AlphaMarksTheDiscAndTheCornersAreBlack) {
  for (const char* name : {"button.bmp", "button_pushed.bmp"}) {
    const Picture p = button(name);
    int corners = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const Rgba c = p.at(x, y);
        const double d = distanceFromCentre(x, y);
        ASSERT_TRUE(c.a == 0 || c.a == 255) << name << " " << x << "," << y;
        if (d < 118.5) {
          ASSERT_EQ(c.a, 255) << name << " inside at " << x << "," << y;
        }
        if (d > 119.5) {
          ASSERT_EQ(c.a, 0) << name << " outside at " << x << "," << y;
        }
        if (d > 119.75) {  // the circle does not touch the pixel at all
          ASSERT_EQ(c.r + c.g + c.b, 0) << name << " corner not black at " << x << "," << y;
        }
        corners += c.a == 0;
        // The mask is symmetric: a centred circle.
        ASSERT_EQ(c.a, p.at(kSize - 1 - x, y).a);
        ASSERT_EQ(c.a, p.at(y, x).a);
      }
    }
    // A centred disc's corners come in fours and eights: 12,164 or 12,172,
    // never the 12,168 of an off-centre one.
    EXPECT_NEAR(corners, 12168, 4) << name;
  }
}

TEST(ButtonImages, FaceIsLighterAtTheTopAndDarkerAtTheBottom) {
  for (const char* name : {"button.bmp", "button_pushed.bmp"}) {
    const Picture p = button(name);
    expectNear(p.at(119, 17), {249, 81, 77, 255}, 8, "face top");
    expectNear(p.at(119, 90), {230 + 7, 62 + 7, 60 + 6, 255}, 8, "face above the word");
    expectNear(p.at(119, 220), {211, 44, 44, 255}, 8, "face bottom");
  }
}

TEST(ButtonImages, RimIsLitFromTheUpperLeftWhenRaisedAndSwappedWhenPushed) {
  const Picture raised = button("button.bmp"), pushed = button("button_pushed.bmp");
  // On the rim's middle line (radius 111.5), upper left and lower right.
  const int ul = int(kCentre - 111.5 / std::sqrt(2.0)), lr = kSize - 1 - ul;
  expectNear(raised.at(ul, ul), {255, 109, 105, 255}, 12, "raised, upper left");
  expectNear(pushed.at(lr, lr), {255, 109, 105, 255}, 12, "pushed, lower right");
  for (Rgba dark : {raised.at(lr, lr), pushed.at(ul, ul)}) {
    EXPECT_LT(dark.r, 60);
    EXPECT_LT(dark.g, 20);
    EXPECT_LT(dark.b, 20);
  }
}

TEST(ButtonImages, LetteringFillsItsBoxAndMovesOneDownAndRightWhenPushed) {
  const Picture raised = button("button.bmp"), pushed = button("button_pushed.bmp");
  const struct {
    const Picture& picture;
    int shift;
  } cases[] = {{raised, 0}, {pushed, 1}};
  for (const auto& c : cases) {
    const Box ink = letteringBox(c.picture, 114);
    EXPECT_EQ(ink.left, 71 + c.shift);
    EXPECT_EQ(ink.right, 175 + c.shift);
    EXPECT_EQ(ink.top, 108 + c.shift);
    EXPECT_EQ(ink.bottom, 131 + c.shift);
    const Box trace = letteringBox(c.picture, 80);  // the soft edge
    EXPECT_EQ(trace.left, 70 + c.shift);
    EXPECT_EQ(trace.right, 176 + c.shift);
    EXPECT_EQ(trace.top, 107 + c.shift);
    EXPECT_EQ(trace.bottom, 132 + c.shift);
    int solid = 0;
    for (int y = 100; y < 140; ++y) {
      for (int x = 60; x < 190; ++x) {
        const Rgba px = c.picture.at(x, y);
        solid += px.r == 246 && px.g == 166 && px.b == 166;
      }
    }
    EXPECT_GT(solid, 600) << "the letters' pale pink";
  }
}

TEST(ButtonImages, DifferOnlyInRimAndLettering) {
  const Picture raised = button("button.bmp"), pushed = button("button_pushed.bmp");
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const bool inLettering = x >= 70 && x <= 177 && y >= 107 && y <= 133;
      const bool onRim = distanceFromCentre(x, y) > 119 - 16;
      if (inLettering || onRim) continue;
      const Rgba a = raised.at(x, y), b = pushed.at(x, y);
      ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "at " << x << "," << y;
    }
  }
}

TEST(Icon, IsOne32BitImageWithAMaskThatFollowsItsAlpha) {
  const Bytes b = readFile("tumk.ico");
  ASSERT_EQ(b.size(), 22u + 4264u);
  EXPECT_EQ(u16(b, 0), 0u);
  EXPECT_EQ(u16(b, 2), 1u);   // icon
  EXPECT_EQ(u16(b, 4), 1u);   // one image
  EXPECT_EQ(b[6], 32);        // width
  EXPECT_EQ(b[7], 32);        // height
  EXPECT_EQ(u16(b, 12), 32u); // bits per pixel
  EXPECT_EQ(u32(b, 14), 4264u);
  EXPECT_EQ(u32(b, 18), 22u);
  const size_t h = 22;
  const std::uint32_t header[] = {40, 32, 64};
  for (size_t i = 0; i < 3; ++i) EXPECT_EQ(u32(b, h + 4 * i), header[i]);
  EXPECT_EQ(u16(b, h + 12), 1u);
  EXPECT_EQ(u16(b, h + 14), 32u);
  for (size_t at = h + 16; at < h + 40; at += 4) EXPECT_EQ(u32(b, at), 0u) << "header byte " << at - h;

  const Picture icon{b, h + 40, 32};
  const size_t mask = h + 40 + 4096;
  int soft = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const int a = icon.at(x, y).a;
      const bool maskSet = b[mask + size_t(31 - y) * 4 + size_t(x / 8)] & (0x80 >> (x % 8));
      EXPECT_EQ(maskSet, a < 128) << "at " << x << "," << y;
      soft += a > 0 && a < 255;
    }
  }
  EXPECT_GT(soft, 40) << "the disc's edge should be soft";
  EXPECT_EQ(icon.at(0, 0).a, 0);
  EXPECT_EQ(icon.at(16, 16).a, 255);
  expectNear(icon.at(16, 4), button("button.bmp").at(119, 30), 25, "icon face near the top");
}

TEST(PushSound, IsAnExactRiffWaveOf8BitMonoPcm) {
  const Bytes b = readFile("push.wav");
  ASSERT_EQ(b.size(), 10042u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(u32(b, 4), 10034u);
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(u32(b, 16), 18u);
  EXPECT_EQ(u16(b, 20), 1u);       // PCM
  EXPECT_EQ(u16(b, 22), 1u);       // mono
  EXPECT_EQ(u32(b, 24), 22050u);   // samples per second
  EXPECT_EQ(u32(b, 28), 22050u);   // bytes per second
  EXPECT_EQ(u16(b, 32), 1u);       // block align
  EXPECT_EQ(u16(b, 34), 8u);       // bits per sample
  EXPECT_EQ(u16(b, 36), 0u);       // no extra bytes
  EXPECT_EQ(std::string(b.begin() + 38, b.begin() + 42), "fact");
  EXPECT_EQ(u32(b, 42), 4u);
  EXPECT_EQ(u32(b, 46), 9984u);
  EXPECT_EQ(std::string(b.begin() + 50, b.begin() + 54), "data");
  EXPECT_EQ(u32(b, 54), 9984u);
}

TEST(PushSound, RisesQuicklyHoldsThenDiesToAFaintHiss) {
  const Bytes b = readFile("push.wav");
  ASSERT_EQ(b.size(), 10042u);
  // Loudness (RMS about silence, 128) between two times in milliseconds.
  auto rms = [&](double from, double to) {
    const size_t first = size_t(from * 22.05), last = std::min(size_t(to * 22.05), size_t(9984));
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += std::pow(b[58 + i] - 128.0, 2.0);
    return std::sqrt(sum / double(last - first));
  };
  const double body = rms(20, 80);
  EXPECT_LT(rms(0, 2), 3.0) << "starts near silence";
  EXPECT_GT(rms(10, 20), rms(0, 10)) << "rises";
  EXPECT_GT(body, 40.0) << "loud from 20 to 80 ms";
  EXPECT_GT(body, 1.5 * rms(0, 20));
  EXPECT_LT(rms(200, 220), 0.15 * body) << "low by 200 ms";
  const double tail = rms(300, 453);
  EXPECT_GT(tail, 0.5) << "a tail, not silence";
  EXPECT_LT(tail, 0.06 * body) << "a faint tail";
  // A hiss, not a hum: the tail's samples change sign often.
  int crossings = 0;
  for (size_t i = 22050 * 3 / 10; i + 1 < 9984; ++i) {
    crossings += (b[58 + i] >= 128) != (b[58 + i + 1] >= 128);
  }
  EXPECT_GT(crossings, 1000);
}
