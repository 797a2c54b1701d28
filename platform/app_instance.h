// The program's module handle, set once by WinMain after it registers the
// window class; painting and the push sound load their resources through it.
#pragma once

#include <windows.h>

extern HINSTANCE appInstance;
