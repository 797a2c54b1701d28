#pragma once

#include <windows.h>

// Handles one WM_PAINT: draws the image of the button's present state.
void PaintButton(HWND hwnd);

// Copies the whole bitmap so its top-left corner lands on the logical point
// (x, y) of hdc, whatever mapping mode hdc is in.
void BlitBitmap(HDC hdc, int x, int y, HBITMAP bitmap);
