// Draws the button's pictures: the raised and pushed faces at full size and
// the scaled-down icon.
#pragma once

#include "resources/generator/image.h"

constexpr int kButtonSize = 238;
constexpr int kIconSize = 32;

enum class ButtonLook { Raised, Pushed };

// The disc fills the square edge to edge; alpha is 255 on it, 0 on the
// corners. fontPath: a bold sans font with Cyrillic capitals.
Image drawButton(ButtonLook look, const char* fontPath);

// The raised button scaled down, with soft, partly transparent edges.
Image drawIcon(const Image& raisedButton);
