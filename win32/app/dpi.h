#pragma once

#include <windows.h>

// Dots per inch of the screen a window is on: its monitor's where Windows
// tells it per monitor (10 version 1607 on), otherwise the system's.
UINT WindowDpi(HWND window);

// The system's dots per inch (96 at 100 % scaling).
UINT SystemDpi();

// A length in pixels at 96 DPI, scaled to `dpi`.
inline int ScaleToDpi(int length, UINT dpi) { return MulDiv(length, static_cast<int>(dpi), 96); }
