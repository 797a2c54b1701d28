// Where the button's window goes: platform-free, tested natively.
#pragma once

#include <cstdint>

struct ButtonPlacement {
  std::int32_t x, y, width, height;
};

// Centred on a screen whose right and bottom edges are given; halves
// truncate toward zero, so a screen narrower than the button gives a
// negative position.
ButtonPlacement PlaceButton(std::int32_t screenRight, std::int32_t screenBottom,
                            std::int32_t width, std::int32_t height);
