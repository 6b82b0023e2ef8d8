#include "app/bitmaps.h"

HBITMAP LoadBitmapResource(HINSTANCE instance, int id) {
  return static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
}

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info;
  if (!bitmap || GetObjectW(bitmap, sizeof info, &info) != sizeof info) return {0, 0};
  return {info.bmWidth, info.bmHeight};
}

HBITMAP ScaledCopy(HDC dc, HBITMAP source, int width, int height) {
  const SIZE size = BitmapSize(source);
  if (size.cx <= 0 || width <= 0 || height <= 0) return nullptr;
  HBITMAP scaled = CreateCompatibleBitmap(dc, width, height);
  if (!scaled) return nullptr;
  HDC target = CreateCompatibleDC(dc);
  HDC from = CreateCompatibleDC(dc);
  HGDIOBJ previousTarget = SelectObject(target, scaled);
  HGDIOBJ previousFrom = SelectObject(from, source);
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);
  StretchBlt(target, 0, 0, width, height, from, 0, 0, size.cx, size.cy, SRCCOPY);
  SelectObject(from, previousFrom);
  SelectObject(target, previousTarget);
  DeleteDC(from);
  DeleteDC(target);
  return scaled;
}
