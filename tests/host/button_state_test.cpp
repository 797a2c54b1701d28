#include "button/button_state.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Effects = std::vector<ButtonAction>;
const Effects kPress = {ButtonAction::Repaint, ButtonAction::PlayPushSound}, kRelease = {ButtonAction::Repaint},
              kLastRelease = {ButtonAction::Repaint, ButtonAction::Dismiss};

Effects list(const ButtonEffects& effects) { return Effects(effects.items, effects.items + effects.count); }

}  // namespace

TEST(ButtonClicks, EachPressPlaysAndOnlyTheTenthReleaseDismisses) {
  ButtonState state = {};
  for (int click = 1; click <= kReleaseLimit; ++click) {
    EXPECT_EQ(list(press(state)), kPress);
    EXPECT_EQ(list(press(state)), kPress) << "a press again plays again";
    EXPECT_STREQ(imageName(state), "BUTTON_PUSHED");
    EXPECT_EQ(state.releaseCount, click - 1) << "a press counted";
    EXPECT_EQ(list(release(state)), click == kReleaseLimit ? kLastRelease : kRelease) << "release " << click;
    EXPECT_STREQ(imageName(state), "BUTTON");
  }
  EXPECT_EQ(list(release(state)), kRelease) << "the window must never be destroyed twice";
}

// The argument-free operations act on the one process-wide button, which
// starts raised and uncounted; releases count without presses.
TEST(ProcessButton, StartsRaisedAndIsTheOneTheOperationsChange) {
  EXPECT_STREQ(imageName(), "BUTTON");
  for (int n = 1; n < kReleaseLimit; ++n) EXPECT_EQ(list(release()), kRelease);
  EXPECT_EQ(list(press()), kPress);
  EXPECT_STREQ(imageName(), "BUTTON_PUSHED");
  EXPECT_EQ(list(release()), kLastRelease);
}
