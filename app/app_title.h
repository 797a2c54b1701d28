#pragma once

// "Тумк!" in Windows-1251, the window class name and the window title. Kept
// as bytes: the ANSI entry points show it in the system's own code page.
constexpr char kAppTitle[] = "\xD2\xF3\xEC\xEA\x21";
