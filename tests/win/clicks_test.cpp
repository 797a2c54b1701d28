// Presses and releases as a user makes them: what counts, what plays, and
// how the program ends.
#include "tests/win/program.h"
#include "tests/win/test_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

constexpr DWORD kSettleMs = 1500;  // time given to input that must change nothing
constexpr DWORD kExitTimeoutMs = 30000;

// The samples of the program's own push sound.
std::vector<unsigned char> pushSoundSamples() {
  const auto wave = moduleResource(testOptions().program, "WAVE", "PUSH_SOUND");
  // RIFF header 12, "fmt " 8 + 18, "fact" 8 + 4, "data" 8: samples from 58.
  if (wave.size() < 58) return {};
  return std::vector<unsigned char>(wave.begin() + 58, wave.end());
}

// The session writes each playback to one file, replacing the last.
void forgetPlayedSound() { DeleteFileA(testOptions().soundFile.c_str()); }

bool played(const std::vector<unsigned char>& samples) {
  const auto captured = readFileBytes(testOptions().soundFile);
  return std::search(captured.begin(), captured.end(), samples.begin(), samples.end()) !=
         captured.end();
}

bool anythingPlayed() {
  return GetFileAttributesA(testOptions().soundFile.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void clickTimes(Program& program, int times) {
  for (int i = 0; i < times; ++i) clickLeft(program.centre());
}

// Keeps a double-click time long enough for a slow machine, then puts the
// user's setting back.
struct DoubleClickTime {
  UINT saved = GetDoubleClickTime();
  explicit DoubleClickTime(UINT ms) { SetDoubleClickTime(ms); }
  ~DoubleClickTime() { SetDoubleClickTime(saved); }
};

}  // namespace

TEST(ButtonClicks, EachPressPlaysThePushSoundAndTheTenthReleaseEndsTheProgram) {
  ASSERT_FALSE(testOptions().soundFile.empty()) << "run with --sound=PATH";
  const auto samples = pushSoundSamples();
  ASSERT_EQ(samples.size(), 9984u);
  // Arguments of any kind change nothing.
  Program program("--quit /x \"unbalanced \t arguments");
  ASSERT_NE(program.window(), nullptr);

  forgetPlayedSound();
  pressLeft(program.centre());
  EXPECT_TRUE(waitUntil([&] { return played(samples); }, 10000)) << "the press played nothing";
  releaseLeft(program.centre());

  // A second press plays it again from the start. It lands a little aside:
  // at the same spot so soon it would be a double click.
  ASSERT_TRUE(waitUntil([] { return DeleteFileA(testOptions().soundFile.c_str()) != 0; }, 5000));
  const POINT aside = {program.centre().x + 30, program.centre().y};
  clickLeft(aside);
  EXPECT_TRUE(waitUntil([&] { return played(samples); }, 10000)) << "the second press played nothing";

  clickTimes(program, 7);
  EXPECT_EQ(program.waitForExit(kSettleMs), kStillRunning) << "ended before the tenth release";
  EXPECT_TRUE(program.responds());
  clickLeft(program.centre());
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

TEST(ButtonClicks, ReleasesCountWithoutPresses) {
  Program program;
  ASSERT_NE(program.window(), nullptr);
  for (int i = 0; i < 9; ++i) PostMessageA(program.window(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(program.waitForExit(kSettleMs), kStillRunning);
  PostMessageA(program.window(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

TEST(ButtonClicks, ClosingFromOutsideEndsWithZeroWhateverTheCount) {
  Program program;
  ASSERT_NE(program.window(), nullptr);
  clickTimes(program, 3);
  EXPECT_EQ(program.close(), 0u);
}

TEST(ButtonClicks, ADoubleClicksSecondPressIsSilentWhileItsReleaseCounts) {
  const auto samples = pushSoundSamples();
  Program program;
  ASSERT_NE(program.window(), nullptr);
  const DoubleClickTime slow(5000);

  forgetPlayedSound();
  clickLeft(program.centre());
  ASSERT_TRUE(waitUntil([&] { return played(samples); }, 10000));
  forgetPlayedSound();
  clickLeft(program.centre());  // the second press arrives as a double click
  Sleep(kSettleMs);
  EXPECT_FALSE(anythingPlayed()) << "the double click's press played a sound";

  // Both releases counted: eight more end it.
  for (int i = 0; i < 7; ++i) PostMessageA(program.window(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(program.waitForExit(kSettleMs), kStillRunning);
  PostMessageA(program.window(), WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u);
}

TEST(ButtonClicks, OnlyReleasesOverTheDiscCount) {
  Program program;
  ASSERT_NE(program.window(), nullptr);
  const RECT rect = program.windowRect();
  const POINT off = {rect.left - 40, rect.top - 40};
  const POINT corner = {rect.left + 3, rect.top + 3};

  // Pressed on the disc, released off it: the window never sees the release.
  pressLeft(program.centre());
  moveMouse(off);
  releaseLeft(off);
  // Pressed elsewhere, released over the disc: counts (1).
  pressLeft(off);
  moveMouse(program.centre());
  releaseLeft(program.centre());
  // The square's corner outside the disc is not the window's.
  clickLeft(corner);
  clickLeft(corner);
  clickTimes(program, 8);  // 9
  EXPECT_EQ(program.waitForExit(kSettleMs), kStillRunning) << "a release off the disc counted";
  clickLeft(program.centre());  // 10
  EXPECT_EQ(program.waitForExit(kExitTimeoutMs), 0u) << "a release over the disc did not count";
}
