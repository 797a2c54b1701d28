// The program's painting code, built with its system calls recorded.
#include "tests/win/gdi_recorder.h"

#include "button/paint.cpp"
