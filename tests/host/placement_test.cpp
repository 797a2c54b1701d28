#include "app/placement.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

struct Case {
  std::int32_t right, bottom, width, height, x, y;
};

}  // namespace

TEST(ButtonPlacement, CentresTruncatingHalvesTowardZero) {
  const Case cases[] = {
      {800, 600, 238, 238, 281, 181},
      {799, 600, 238, 238, 280, 181},      // the half pixel is dropped
      {1024, 768, 238, 238, 393, 265},
      {238, 238, 238, 238, 0, 0},
      {237, 600, 238, 238, 0, 181},        // -1 / 2 is 0, not -1
      {200, 150, 238, 238, -19, -44},      // smaller than the button
      {0, 0, 238, 238, -119, -119},
      {1920, 1080, 100, 50, 910, 515},
  };
  for (const Case& c : cases) {
    const ButtonPlacement p = PlaceButton(c.right, c.bottom, c.width, c.height);
    EXPECT_EQ(p.x, c.x) << c.right << "x" << c.bottom;
    EXPECT_EQ(p.y, c.y) << c.right << "x" << c.bottom;
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
  }
}

TEST(ButtonPlacement, ExtremeScreensStayInRange) {
  constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(PlaceButton(kMax, kMax, 238, 238).x, (kMax - 238) / 2);
  EXPECT_EQ(PlaceButton(0, 0, 0, 0).x, 0);
  EXPECT_EQ(PlaceButton(-238, 0, 238, 238).x, -238);
}
