// The start-up arithmetic: the arguments' place in the command line, and
// the window's place on the screen.
#include "app/placement.h"
#include "platform/command_line.h"

#include <gtest/gtest.h>

#include <climits>

TEST(CommandLineTail, FollowsTheProgramNameAndTheBlanksAroundIt) {
  const char* cases[][2] = {
      {"tumk.exe", ""}, {" \ttumk.exe \t a b  ", "a b  "}, {"", ""}, {"   ", ""}, {"\"\" x", "x"},
      {"\"C:\\Program Files\\tumk.exe\" -a", "-a"}, {"\"C:\\Program Files\\tumk.exe\"-a", "-a"},
      {"  \"a b\"  \"c d\" ", "\"c d\" "}, {"\"C:\\Program Files\\tumk.exe -a", ""},  // unclosed: to the end
      {"tumk.exe\nx", ""}, {"tumk.exe \n x", "\n x"},  // only blanks and tabs separate
  };
  for (const auto& c : cases) EXPECT_STREQ(commandLineTail(c[0]), c[1]) << "line: " << c[0];
  EXPECT_EQ(commandLineTail(nullptr), nullptr);
}

TEST(ButtonPlacement, CentresTruncatingHalvesTowardZero) {
  const std::int32_t cases[][6] = {  // screen right and bottom, button size, and where it goes
      {800, 600, 238, 238, 281, 181}, {799, 600, 238, 238, 280, 181}, {237, 600, 238, 238, 0, 181},
      {200, 150, 238, 238, -19, -44}, {0, 0, 0, 0, 0, 0}, {1920, 1080, 100, 50, 910, 515},
      {INT_MAX, INT_MAX, 238, 238, (INT_MAX - 238) / 2, (INT_MAX - 238) / 2},
  };
  for (const auto& c : cases) {
    const ButtonPlacement p = PlaceButton(c[0], c[1], c[2], c[3]);
    EXPECT_TRUE(p.x == c[4] && p.y == c[5] && p.width == c[2] && p.height == c[3])
        << "(" << p.x << ", " << p.y << ") " << p.width << "x" << p.height << " on " << c[0] << "x" << c[1];
  }
}
