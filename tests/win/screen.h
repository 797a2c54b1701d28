// What the button shows, read back from the virtual display, and the images
// it should show, read from the executable under test.
#pragma once

#include "tests/win/program.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

constexpr DWORD kPaintTimeoutMs = 15000;

using Pixels = std::vector<std::uint32_t>;  // 0x00RRGGBB, rows top-down

// A button image from the program's resources, as its pixels; empty if the
// program lacks it.
Pixels resourceImage(const char* name);
Pixels solidImage(COLORREF colour);

// The screen under a button-sized square.
Pixels captureScreen(POINT topLeft);

// Waits for the window to show `want` inside its ellipse.
::testing::AssertionResult shows(const Program& program, const Pixels& want, const char* what);
