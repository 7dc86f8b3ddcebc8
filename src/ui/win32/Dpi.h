#pragma once

#include <windows.h>

// Dots per inch, per window where the system knows them per monitor
// (Windows 10 1607 and later) and the system's own elsewhere: the newer
// functions are looked up when first needed, so the program still starts on
// Windows 7.

// The scale of a window's display against 96 dots per inch.
double DpiScale(HWND window);

// The system's message font, scaled for the window's display.
LOGFONTW MessageFont(HWND window);
