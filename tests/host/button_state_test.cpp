#include "button/button_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Effects = std::vector<ButtonAction>;

Effects list(const ButtonEffects& effects) {
  return Effects(effects.items, effects.items + effects.count);
}

const Effects kPressEffects = {ButtonAction::Repaint, ButtonAction::PlayPushSound};
const Effects kReleaseEffects = {ButtonAction::Repaint};
const Effects kLastReleaseEffects = {ButtonAction::Repaint, ButtonAction::Dismiss};

}  // namespace

TEST(ButtonClicks, TenClicksPlayTenSoundsAndDismissOnTheTenthReleaseOnly) {
  ButtonState state = {};
  int sounds = 0, repaints = 0, dismissals = 0;
  for (int click = 1; click <= kReleaseLimit; ++click) {
    const Effects pressed = list(press(state));
    EXPECT_EQ(pressed, kPressEffects) << "press " << click;
    EXPECT_EQ(state.pushed, 1);
    EXPECT_EQ(state.releaseCount, click - 1) << "a press must not count";

    const Effects released = list(release(state));
    EXPECT_EQ(released, click == kReleaseLimit ? kLastReleaseEffects : kReleaseEffects)
        << "release " << click;
    EXPECT_EQ(state.pushed, 0);
    EXPECT_EQ(state.releaseCount, click);

    for (const Effects* effects : {&pressed, &released}) {
      for (ButtonAction action : *effects) {
        sounds += action == ButtonAction::PlayPushSound;
        repaints += action == ButtonAction::Repaint;
        dismissals += action == ButtonAction::Dismiss;
      }
    }
  }
  EXPECT_EQ(sounds, 10);
  EXPECT_EQ(repaints, 20);
  EXPECT_EQ(dismissals, 1);
}

TEST(ButtonClicks, ReleasesCountWithoutPresses) {
  ButtonState state = {};
  for (int n = 1; n < kReleaseLimit; ++n) {
    EXPECT_EQ(list(release(state)), kReleaseEffects) << "release " << n;
  }
  EXPECT_EQ(state.releaseCount, 9);
  EXPECT_EQ(list(release(state)), kLastReleaseEffects);
  EXPECT_EQ(state.pushed, 0);
}

TEST(ButtonClicks, RepeatedPressPlaysAgainAndCountsNothing) {
  ButtonState state = {};
  release(state);
  EXPECT_EQ(list(press(state)), kPressEffects);
  EXPECT_EQ(list(press(state)), kPressEffects);
  EXPECT_EQ(state.pushed, 1);
  EXPECT_EQ(state.releaseCount, 1);
}

TEST(ButtonClicks, ReleasesPastTheLimitDoNotDismissAgain) {
  // Nothing should reach the state after the tenth release, but if it did,
  // the window must not be destroyed twice.
  ButtonState state = {};
  state.releaseCount = kReleaseLimit;
  EXPECT_EQ(list(release(state)), kReleaseEffects);
  EXPECT_EQ(state.releaseCount, 11);
}

TEST(ButtonImage, FollowsThePushedState) {
  ButtonState state = {};
  EXPECT_STREQ(imageName(state), "BUTTON");
  press(state);
  EXPECT_STREQ(imageName(state), "BUTTON_PUSHED");
  press(state);
  EXPECT_STREQ(imageName(state), "BUTTON_PUSHED");
  release(state);
  EXPECT_STREQ(imageName(state), "BUTTON");
}

// The process-wide button starts raised and uncounted, and the argument-free
// operations act on it. Runs alone in its process (one CTest test per case).
TEST(ProcessButton, StartsRaisedAndIsTheOneTheOperationsChange) {
  EXPECT_EQ(buttonState.pushed, 0);
  EXPECT_EQ(buttonState.releaseCount, 0);
  EXPECT_STREQ(imageName(), "BUTTON");
  EXPECT_EQ(list(press()), kPressEffects);
  EXPECT_STREQ(imageName(), "BUTTON_PUSHED");
  for (int n = 1; n < kReleaseLimit; ++n) release();
  EXPECT_EQ(buttonState.releaseCount, 9);
  EXPECT_EQ(list(release()), kLastReleaseEffects);
  EXPECT_STREQ(imageName(), "BUTTON");
}
