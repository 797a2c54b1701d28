// A 32-bit picture as the generator draws it: rows top-down, four bytes a
// pixel in blue, green, red, alpha order (straight, not premultiplied).
#pragma once

#include <cstdint>
#include <vector>

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;  // width * height * 4 bytes

  Image(int w, int h) : width(w), height(h), bgra(static_cast<std::size_t>(w) * h * 4) {}
  std::uint8_t* pixel(int x, int y) { return &bgra[(static_cast<std::size_t>(y) * width + x) * 4]; }
  const std::uint8_t* pixel(int x, int y) const {
    return &bgra[(static_cast<std::size_t>(y) * width + x) * 4];
  }
};
