#pragma once

#include <windows.h>

// The button window's procedure: presses and releases go to the button's
// click rules, whose effects it carries out on the window at once.
LRESULT CALLBACK ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
