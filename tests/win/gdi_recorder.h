// Stands between the painting code and the system: included ahead of it,
// the painting code's calls go to these recorders, which log each call and
// pass it on. Only the translation unit that includes this sees the names.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct GdiCall {
  std::string name;
  std::vector<ULONG_PTR> args;  // handles and values, as the call got them
  ULONG_PTR result;
};

// Calls are logged while `recording` is set.
extern bool recording;
extern std::vector<GdiCall> recordedCalls;

HDC WINAPI recordBeginPaint(HWND, LPPAINTSTRUCT);
BOOL WINAPI recordEndPaint(HWND, const PAINTSTRUCT*);
HBITMAP WINAPI recordLoadBitmapA(HINSTANCE, LPCSTR);
HDC WINAPI recordCreateCompatibleDC(HDC);
HGDIOBJ WINAPI recordSelectObject(HDC, HGDIOBJ);
int WINAPI recordGetMapMode(HDC);
int WINAPI recordSetMapMode(HDC, int);
int WINAPI recordGetObjectA(HANDLE, int, LPVOID);
BOOL WINAPI recordDPtoLP(HDC, LPPOINT, int);
BOOL WINAPI recordBitBlt(HDC, int, int, int, int, HDC, int, int, DWORD);
BOOL WINAPI recordDeleteDC(HDC);
BOOL WINAPI recordDeleteObject(HGDIOBJ);

#define BeginPaint recordBeginPaint
#define EndPaint recordEndPaint
#undef LoadBitmap
#define LoadBitmapA recordLoadBitmapA
#define CreateCompatibleDC recordCreateCompatibleDC
#define SelectObject recordSelectObject
#define GetMapMode recordGetMapMode
#define SetMapMode recordSetMapMode
#undef GetObject
#define GetObjectA recordGetObjectA
#define DPtoLP recordDPtoLP
#define BitBlt recordBitBlt
#define DeleteDC recordDeleteDC
#define DeleteObject recordDeleteObject
