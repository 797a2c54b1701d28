// Proves the harness: the program runs under Wine on the session's own
// virtual display, not on some other screen.
#include "tests/win/test_options.h"

#include <gtest/gtest.h>
#include <windows.h>

TEST(VirtualDisplay, DesktopHasTheDisplaysSize) {
  ASSERT_GT(testOptions().displayWidth, 0) << "run with --display=WIDTHxHEIGHT";
  RECT desktop = {};
  ASSERT_TRUE(GetClientRect(GetDesktopWindow(), &desktop));
  EXPECT_EQ(desktop.left, 0);
  EXPECT_EQ(desktop.top, 0);
  EXPECT_EQ(desktop.right, testOptions().displayWidth);
  EXPECT_EQ(desktop.bottom, testOptions().displayHeight);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), testOptions().displayWidth);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), testOptions().displayHeight);
}
