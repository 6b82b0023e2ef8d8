#pragma once

#include <windows.h>

// A bitmap resource as a DIB section; null when missing.
HBITMAP LoadBitmapResource(HINSTANCE instance, int id);

// Width and height of a bitmap; 0 × 0 for none.
SIZE BitmapSize(HBITMAP bitmap);

// A copy of `source` scaled to width × height with halftoning, in the
// format of `dc`; null on failure. The caller deletes it.
HBITMAP ScaledCopy(HDC dc, HBITMAP source, int width, int height);
