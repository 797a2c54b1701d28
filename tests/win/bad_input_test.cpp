// Odd screens, odd command lines and many copies: the program keeps to its
// one behaviour and ends cleanly.
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr DWORD kExitTimeoutMs = 30000;

void expectCentred(const Program& program) {
  const RECT r = program.windowRect();
  const int width = testOptions().displayWidth, height = testOptions().displayHeight;
  EXPECT_EQ(r.left, (width - kButtonSize) / 2);
  EXPECT_EQ(r.top, (height - kButtonSize) / 2);
  EXPECT_EQ(r.right - r.left, kButtonSize);
  EXPECT_EQ(r.bottom - r.top, kButtonSize);
}

// Ten clicks where the disc shows, each a little aside of the last so that
// no two make a double click.
void clickTenTimes(POINT at) {
  for (int i = 0; i < 10; ++i) clickLeft({at.x + (i % 2 ? 10 : -10), at.y});
}

}  // namespace

// Run on a display smaller than the button.
TEST(SmallScreen, TheButtonHangsOverTheEdgesAndStillWorks) {
  ASSERT_LT(testOptions().displayWidth, kButtonSize);
  Program program;
  ASSERT_NE(program.window(), nullptr);
  expectCentred(program);
  EXPECT_LT(program.windowRect().left, 0);
  clickTenTimes({testOptions().displayWidth / 2, testOptions().displayHeight / 2});
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

TEST(CommandLines, LongAndMalformedOnesChangeNothing) {
  std::string controls;
  for (char c = 1; c < 32; ++c) controls += c;
  const std::string lines[] = {
      std::string(30000, 'x'),
      "\"unbalanced \"\" quotes \" \" \"" + std::string(20000, '"'),
      controls + " \xD2\xF3\xEC\xEA \xFF\x80 " + controls,
      "/? -h --help /quit 10 20",
  };
  for (const std::string& line : lines) {
    Program program(line);
    ASSERT_NE(program.window(), nullptr) << "no window with a line of " << line.size() << " bytes";
    expectCentred(program);
    EXPECT_TRUE(program.responds());
    EXPECT_EQ(program.close(), 0u);
  }
}

TEST(ManyCopies, EightStartedAtOnceEachEndWithZero) {
  std::vector<std::unique_ptr<Program>> copies;
  for (int i = 0; i < 8; ++i) copies.push_back(std::make_unique<Program>("", false));
  for (auto& copy : copies) {
    ASSERT_NE(copy->awaitWindow(), nullptr);
    expectCentred(*copy);
  }
  // They all stand on one place; spread out, each can be clicked. Half end
  // by ten clicks, the others by a close.
  for (size_t i = 0; i < copies.size(); ++i) {
    SetWindowPos(copies[i]->window(), nullptr, 10 + 250 * int(i % 4), 10 + 250 * int(i / 4), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  for (size_t i = 0; i < copies.size(); i += 2) {
    ASSERT_TRUE(waitUntil([&] { return copies[i]->windowRect().left == 10 + 250 * int(i % 4); }, 10000));
    clickTenTimes(copies[i]->centre());
    EXPECT_EQ(copies[i]->waitForExit(kExitTimeoutMs), 0u) << "copy " << i;
  }
  for (auto& copy : copies) {
    if (copy->running()) PostMessageA(copy->window(), WM_CLOSE, 0, 0);
  }
  for (auto& copy : copies) EXPECT_EQ(copy->waitForExit(kExitTimeoutMs), 0u);
}
