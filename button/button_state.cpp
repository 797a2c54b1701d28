#include "button/button_state.h"

ButtonState buttonState;  // zero-initialised: raised, nothing counted

namespace {

void append(ButtonEffects& effects, ButtonAction action) {
  effects.items[effects.count++] = action;
}

}  // namespace

ButtonEffects press(ButtonState& state) {
  state.pushed = 1;
  ButtonEffects effects = {};
  append(effects, ButtonAction::Repaint);
  append(effects, ButtonAction::PlayPushSound);
  return effects;
}

// Every release counts, pressed before or not; the tenth dismisses.
ButtonEffects release(ButtonState& state) {
  state.pushed = 0;
  ButtonEffects effects = {};
  append(effects, ButtonAction::Repaint);
  state.releaseCount += 1;
  if (state.releaseCount == kReleaseLimit) {
    append(effects, ButtonAction::Dismiss);
  }
  return effects;
}

const char* imageName(const ButtonState& state) {
  return state.pushed ? kButtonPushedImage : kButtonImage;
}

ButtonEffects press() { return press(buttonState); }
ButtonEffects release() { return release(buttonState); }
const char* imageName() { return imageName(buttonState); }
