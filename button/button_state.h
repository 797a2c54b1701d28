// Click rules of the push-button. Platform-free: no Windows header, no heap,
// so the rules build into the product and into native unit tests alike.
#pragma once

#include <cstdint>

enum class ButtonAction : std::uint8_t { Repaint, PlayPushSound, Dismiss };

// The ordered effects of one press or release; no operation asks for more
// than two, so a fixed array keeps the product free of the heap.
struct ButtonEffects {
  ButtonAction items[2];
  std::uint8_t count;
};

struct ButtonState {
  std::uint8_t pushed;        // 1 while the button is drawn pushed in
  std::int32_t releaseCount;  // releases received so far; only grows
};

static_assert(sizeof(ButtonState::pushed) == 1 && sizeof(ButtonState::releaseCount) == 4,
              "one byte for pushed, 32 bits for releaseCount");

constexpr std::int32_t kReleaseLimit = 10;

// Resource names of the two button images.
constexpr const char kButtonImage[] = "BUTTON";
constexpr const char kButtonPushedImage[] = "BUTTON_PUSHED";

// The rules, on any state: what the tests drive.
ButtonEffects press(ButtonState& state);
ButtonEffects release(ButtonState& state);
const char* imageName(const ButtonState& state);

// The process has exactly one button; the window procedure and painting use
// these, which act on it.
extern ButtonState buttonState;
ButtonEffects press();
ButtonEffects release();
const char* imageName();
