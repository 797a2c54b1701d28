#include "button/paint.h"

#include "button/button_state.h"
#include "platform/app_instance.h"

// The image follows the state at the moment of painting, loaded afresh each
// time: nothing is cached between paints. BeginPaint erases the background
// with the class brush first.
void PaintButton(HWND hwnd) {
  PAINTSTRUCT paint;
  HDC hdc = BeginPaint(hwnd, &paint);
  HBITMAP bitmap = LoadBitmapA(appInstance, imageName());
  BlitBitmap(hdc, 0, 0, bitmap);
  DeleteObject(bitmap);
  EndPaint(hwnd, &paint);
}

void BlitBitmap(HDC hdc, int x, int y, HBITMAP bitmap) {
  HDC memory = CreateCompatibleDC(hdc);
  // Selection fails on a null bitmap (an image that would not load): then
  // nothing is copied, and the context is still freed.
  HGDIOBJ previous = SelectObject(memory, bitmap);
  if (previous) {
    SetMapMode(memory, GetMapMode(hdc));
    BITMAP info;
    GetObjectA(bitmap, sizeof info, &info);
    POINT size = {info.bmWidth, info.bmHeight};
    DPtoLP(hdc, &size, 1);  // device pixels to the target's logical units
    POINT origin = {0, 0};
    DPtoLP(memory, &origin, 1);
    BitBlt(hdc, x, y, size.x, size.y, memory, origin.x, origin.y, SRCCOPY);
    SelectObject(memory, previous);  // the context's own bitmap goes back before deletion
  }
  DeleteDC(memory);
}
